object LicenseForm: TLicenseForm
  Left = 200
  Top = 120
  BorderStyle = bsDialog
  BorderIcons = [biSystemMenu]
  FormStyle = fsStayOnTop
  Position = poScreenCenter
  ClientWidth = 470
  ClientHeight = 368
  Caption = 'Software license agreement'
  Font.Charset = TURKISH_CHARSET
  Font.Color = clBlack
  Font.Height = -11
  Font.Name = 'Arial'
  Order = 20
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
      Left = 199
      Top = 10
      Width = 85
      Height = 25
      Caption = 'Geri'
      GLID = 4
      TabOrder = 0
    end
    object ProceedBtn: TTranslateBitBtn
      Left = 284
      Top = 10
      Width = 85
      Height = 25
      Caption = #221'leri'
      GLID = 5
      TabOrder = 1
      Default = True
    end
    object CancelBtn: TTranslateBitBtn
      Left = 377
      Top = 10
      Width = 85
      Height = 25
      Caption = 'Vazge'#231
      GLID = 6
      TabOrder = 2
      Cancel = True
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
      Top = 8
      Width = 318
      Height = 16
      AutoSize = False
      Caption = 'L'#252'tfen A'#254'a'#240#253'daki Lisans Anla'#254'mas'#253'n'#253' Okuyun!'
      GLID = 2
    end
    object Agreement: TRichEdit
      Left = 8
      Top = 28
      Width = 318
      Height = 226
      ReadOnly = True
      ScrollBars = ssVertical
      TabOrder = 0
      Lines.Strings = (
        'TAVRIX FOR WINDOWS 1.1 - SOFTWARE LICENCE AGREEMENT'
        ''
        'Please read this agreement carefully before you go on with the installation.'
        ''
        '1. Licence. Norvel Ltd. Sti. grants you a non-exclusive licence to install and use one copy of Tavrix for Windows on one computer at a time.'
        ''
        '2. Copies. You may make one copy of the software for backup purposes. You may not rent, lend or sell the software, nor give it to others.'
        ''
        '3. Changes. You may not reverse engineer, decompile or disassemble the software, except where the law expressly allows it.'
        ''
        '4. Fax and messages. Tavrix sends and receives faxes and messages through your modem. You are responsible for the calls it makes and for their costs.'
        ''
        '5. No warranty. The software is supplied "as is". Norvel Ltd. Sti. does not warrant that it is free of errors or that it will meet your needs.'
        ''
        '6. Limitation of liability. In no event shall Norvel Ltd. Sti. be liable for lost data, lost profits or any other damage arising from the use of the software, beyond the price paid for it.'
        ''
        '7. End. This licence ends when you break any of its terms. You must then remove every copy of the software.'
        ''
        'Click the "Next" button to accept this agreement and go on, or "Cancel" to stop the installation.'
        '')
    end
    object Label2: TTranslateLabel
      Left = 8
      Top = 262
      Width = 318
      Height = 56
      AutoSize = False
      Caption = #221'leri Butonuna T'#253'klayarak Yukar'#253'daki S'#246'zle'#254'meyi Kabul Etmis Say'#253'lacaks'#253'n'#253'z! Vazge'#231' Butonuna T'#253'klayarak '#221#254'lemi '#221'ptal Edebilirsiniz!'
      GLID = 3
      WordWrap = True
    end
  end
end
