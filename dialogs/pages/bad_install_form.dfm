object BadInstallForm: TBadInstallForm
  Left = 200
  Top = 120
  BorderStyle = bsDialog
  BorderIcons = [biSystemMenu]
  FormStyle = fsStayOnTop
  Position = poScreenCenter
  ClientWidth = 470
  ClientHeight = 368
  Caption = 'Install Tamamlanamad'#253
  Font.Charset = TURKISH_CHARSET
  Font.Color = clBlack
  Font.Height = -11
  Font.Name = 'Arial'
  Order = 10
  object LeftPanel: TPanel
    Left = 0
    Top = 0
    Width = 136
    Height = 325
    Align = alLeft
    BevelOuter = bvNone
    object ThemeBitmap: TImage
      Left = 0
      Top = 0
      Width = 136
      Height = 325
      Align = alClient
      Center = True
    end
  end
  object BottomPanel: TPanel
    Left = 0
    Top = 325
    Width = 470
    Height = 43
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 1
    object Bevel1: TBevel
      Left = 8
      Top = 0
      Width = 454
      Height = 2
      Shape = bsTopLine
    end
    object BackBtn: TTranslateBitBtn
      Left = 114
      Top = 10
      Width = 85
      Height = 25
      Caption = 'Geri'
      GLID = 4
      TabOrder = 0
    end
    object ProceedBtn: TTranslateBitBtn
      Left = 199
      Top = 10
      Width = 85
      Height = 25
      Caption = 'Next >'
      GLID = 5
      TabOrder = 1
    end
    object FinishBtn: TTranslateBitBtn
      Left = 377
      Top = 10
      Width = 85
      Height = 25
      Caption = 'Bitir'
      GLID = 72
      TabOrder = 2
      Default = True
    end
  end
  object ContentPanel: TPanel
    Left = 136
    Top = 0
    Width = 334
    Height = 325
    Align = alClient
    BevelOuter = bvNone
    TabOrder = 0
    object TopLabel: TTranslateLabel
      Left = 8
      Top = 12
      Width = 318
      Height = 16
      AutoSize = False
      Caption = 'Tavrix Y'#252'kleme '#221#254'lemi Tamamlanamad'#253'!'
      GLID = 60
      WordWrap = True
      Font.Style = [fsBold]
    end
    object TranslateLabel1: TTranslateLabel
      Left = 8
      Top = 40
      Width = 318
      Height = 14
      AutoSize = False
      Caption = ''
      GLID = 60
    end
    object TranslateLabel2: TTranslateLabel
      Left = 8
      Top = 60
      Width = 318
      Height = 14
      AutoSize = False
      Caption = ''
      GLID = 60
    end
  end
end
