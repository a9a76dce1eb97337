object F: TTestForm
  Left 12
end
