object SelectKblnDir: TSelectKblnDir
  Left = 240
  Top = 200
  BorderStyle = bsDialog
  BorderIcons = [biHelp]
  Position = poScreenCenter
  ClientWidth = 399
  ClientHeight = 150
  Caption = 'Please select the directory of the Kobbelin components'
  Font.Charset = ANSI_CHARSET
  Font.Height = -11
  Font.Name = 'Arial'
  object Label1: TLabel
    Left = 8
    Top = 8
    Width = 383
    Height = 28
    AutoSize = False
    WordWrap = True
    Font.Style = [fsBold]
    Caption = 'The registry entry that tells where the Kobbelin components are installed is incorrect or missing.'
  end
  object Label4: TLabel
    Left = 8
    Top = 42
    Width = 383
    Height = 28
    AutoSize = False
    WordWrap = True
    Caption = ' Please enter the directory in the edit box below. You may browse your computer by clicking on the button to the right.'
  end
  object Edit1: TEdit
    Left = 8
    Top = 78
    Width = 352
    Height = 21
    TabOrder = 0
  end
  object SpeedButton1: TSpeedButton
    Left = 366
    Top = 77
    Width = 25
    Height = 23
    Caption = '...'
  end
  object Label3: TLabel
    Left = 8
    Top = 106
    Width = 200
    Height = 14
    Visible = False
    Caption = 'Could not find the following file(s):'
  end
  object NecFiles: TListBox
    Left = 8
    Top = 122
    Width = 140
    Height = 20
    Visible = False
    TabOrder = 2
  end
  object MissingFiles: TListBox
    Left = 152
    Top = 122
    Width = 140
    Height = 20
    Visible = False
    TabOrder = 3
  end
  object BitBtn1: TBitBtn
    Left = 306
    Top = 116
    Width = 85
    Height = 25
    Caption = 'Close'
    Default = True
    TabOrder = 1
  end
end
