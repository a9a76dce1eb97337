inherited F: TTestForm
  object TTestControl
    Lines = ( )
  end
end
