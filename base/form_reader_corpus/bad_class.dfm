object F: TTestForm
  object B: TBogus
  end
end
