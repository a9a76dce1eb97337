// A stored form holding one of every control, for the tests of both backends.
#pragma once

namespace kit::testing {

// A 2 by 2 pixel, 24-bit bitmap file.
#define KIT_TEST_BITMAP                                                              \
  "424D46000000000000003600000028000000020000000200000001001800000000001000000000" \
  "0000000000000000000000000000FF000000FF000000000000FFFFFF0000"

inline constexpr const char kTestForm[] = R"(object TestForm: TForm
  Left = 40
  Top = 30
  BorderStyle = bsDialog
  ClientWidth = 470
  ClientHeight = 368
  Caption = 'Tavrix for Windows'
  Font.Charset = TURKISH_CHARSET
  Font.Height = -11
  Font.Name = 'Arial'
  object LeftPanel: TPanel
    Width = 136
    Align = alLeft
    BevelOuter = bvLowered
    object ThemeBitmap: TImage
      Left = 20
      Top = 100
      Width = 96
      Height = 96
      Center = True
      Picture.Data = {)" KIT_TEST_BITMAP R"(}
    end
  end
  object BottomPanel: TPanel
    Height = 41
    Align = alBottom
    BevelOuter = bvNone
    object BackBtn: TButton
      Left = 150
      Top = 8
      Caption = 'Geri'
      TabOrder = 2
    end
    object ProceedBtn: TButton
      Left = 230
      Top = 8
      Caption = #221'leri'
      Default = True
      ModalResult = mrOk
      TabOrder = 0
    end
    object CancelBtn: TBitBtn
      Left = 380
      Top = 8
      Caption = 'Vazge'#231
      Cancel = True
      ModalResult = mrCancel
      TabOrder = 1
      Kind = bkCancel
    end
  end
  object Label1: TLabel
    Left = 150
    Top = 10
    Width = 300
    Caption = 'Tavrix Install Program'#253'na Ho'#254'geldiniz!'
    Font.Style = [fsBold]
    WordWrap = True
  end
  object Accept: TCheckBox
    Left = 150
    Top = 40
    Caption = '&Kabul'
    TabOrder = 3
  end
  object PathEdit: TEdit
    Left = 150
    Top = 70
    Text = 'C:\TAVWIN'
    ReadOnly = True
    TabOrder = 4
  end
  object Agreement: TRichEdit
    Left = 150
    Top = 100
    Lines.Strings = (
      'Line one'
      'Line two')
    ReadOnly = True
    ScrollBars = ssVertical
    TabOrder = 5
  end
  object Group: TGroupBox
    Left = 150
    Top = 200
    Width = 300
    Height = 60
    Caption = 'Dizin'
    TabOrder = 6
    object Bevel1: TBevel
      Left = 10
      Top = 20
      Width = 200
      Height = 2
      Shape = bsTopLine
    end
  end
  object NecFiles: TListBox
    Left = 345
    Top = 100
    Width = 115
    Height = 89
    Items.Strings = (
      'files.1'
      'setup.1')
    TabOrder = 7
  end
  object ProgressBar1: TProgressBar
    Left = 150
    Top = 280
    Width = 300
    Position = 40
  end
end
)";

}  // namespace kit::testing
