object F: TTestForm
  Caption = 'x'#300
  Glyph.Data = { 0 }
end
