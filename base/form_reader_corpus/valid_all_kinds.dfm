object Form1: TTestForm
  Left = -12
  Top = $10
  Caption = 'Tavrix for Windows'#13#10'Ver '#39'1.1'#39 +
    ' G'#246'nderilen'
  Enabled = False
  Align = alClient
  Ratio = 2.5E1
  Font.Name = 'Arial'
  Font.Style = [fsBold, fsUnderline]
  Font.Color = clRed
  Glyph.Data = {
    0A0B0C
    FF}
  Lines.Strings = (
    'first'
    'second')
  OnClick = FormClick
  Columns = <
    item
      Caption = 'Name'
      Target = Install1
    end>
  object Panel1: TTestPanel
    BevelWidth = 3
    Buddy = Form1.Panel2
    object Button1: TTestControl
    end
  end
  object Panel2: TTestPanel
  end
  object Install1: TTestNonVisual
    Panel = Panel1
    Order = 4
    Kinds = [alTop]
    Big = -9223372036854775808
  end
end
