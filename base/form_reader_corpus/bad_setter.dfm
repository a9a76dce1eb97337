object F: TTestForm
  object N: TTestNonVisual
    Checked = 'refuse'
  end
  object FailInLoaded: TTestNonVisual
  end
end
