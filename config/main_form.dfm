object Form1: TForm1
  Left = 192
  Top = 107
  Width = 576
  Height = 400
  Caption = 'Tavrix for Windows'
  object Install1: TInstall
    ArchiveFile = '\files.1'
    ArchiveFileType = ddLoading
    UseLoadingProgram = True
    DestDir = 'c:\Tavwin'
    DestDirType = ddAbsolute
    GroupName = 'Tavrix Program Dosyalar'#253
    Information.CompanyName = 'Norvel Ltd. Sti.'
    Information.ProductName = 'Tavrix for Windows'
    Information.Version = '1.1'
  end
end
