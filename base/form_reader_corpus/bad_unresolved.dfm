object F: TTestForm
  Buddy = Nobody
end
