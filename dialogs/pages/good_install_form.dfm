object GoodInstallForm: TGoodInstallForm
  Left = 200
  Top = 120
  BorderStyle = bsDialog
  BorderIcons = [biSystemMenu]
  FormStyle = fsStayOnTop
  Position = poScreenCenter
  ClientWidth = 470
  ClientHeight = 368
  Caption = 'Install Tamamland'#253
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
      Caption = 'Devam'
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
    object Label1: TTranslateLabel
      Left = 8
      Top = 12
      Width = 318
      Height = 32
      AutoSize = False
      Caption = 'L'#252'tfen Devam Butonuna T'#253'klay'#253'n ve Y'#252'kleme '#221#254'lemi Tamamlanana Kadar Bekleyin!'
      GLID = 38
      WordWrap = True
      Font.Style = [fsBold]
    end
    object TranslateLabel3: TTranslateLabel
      Left = 8
      Top = 64
      Width = 318
      Height = 16
      AutoSize = False
      Caption = 'Tavrix Dosyalar'#253'n'#253'n Y'#252'kleme '#221#254'lemi Tamamland'#253'!'
      GLID = 38
    end
    object TranslateLabel5: TTranslateLabel
      Left = 8
      Top = 84
      Width = 318
      Height = 16
      AutoSize = False
      Caption = 'Tavrix Program'#253', Do'#240'ru '#222'ekilde '#199'al'#253#254'abilmesi '#221#231'in'
      GLID = 38
    end
    object TranslateLabel4: TTranslateLabel
      Left = 8
      Top = 104
      Width = 318
      Height = 16
      AutoSize = False
      Caption = 'Sisteminizde Baz'#253' Ayarlamalar Yapacak.'
      GLID = 38
    end
    object TranslateLabel1: TTranslateLabel
      Left = 8
      Top = 132
      Width = 318
      Height = 14
      AutoSize = False
      Caption = ''
      GLID = 38
    end
    object TranslateLabel2: TTranslateLabel
      Left = 8
      Top = 152
      Width = 318
      Height = 14
      AutoSize = False
      Caption = ''
      GLID = 38
    end
  end
end
