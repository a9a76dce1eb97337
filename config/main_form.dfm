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
  object InstallFile1: TInstallFile
    Container = Install1
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'Tavrix.exe'
    DestName = 'Tavrix.exe'
    IncludeFromDir = 'C:\TAVWIN'
    Order = 0
  end
  object InstallFile2: TInstallFile
    Container = Install1
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'Tinst.exe'
    DestName = 'Tinst.exe'
    IncludeFromDir = 'C:\TAVWIN'
    Order = 1
  end
  object InstallFile3: TInstallFile
    Container = Install1
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'Tavrix.dll'
    DestName = 'Tavrix.dll'
    IncludeFromDir = 'C:\TAVWIN'
    Order = 2
  end
  object InstallFile4: TInstallFile
    Container = Install1
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'Tavfax.dll'
    DestName = 'Tavfax.dll'
    IncludeFromDir = 'C:\TAVWIN'
    Order = 3
  end
  object FileGroup1: TInstallFileGroup
    Container = Install1
    DestDir = '\Bde'
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    GroupName = 'DataBase Engine'
    Order = 9
  end
  object InstallFile5: TInstallFile
    Container = FileGroup1
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'IDAPI32.DLL'
    DestName = 'IDAPI32.DLL'
    IncludeFromDir = 'C:\TAVWIN\BDE'
    Order = 0
  end
  object InstallFile6: TInstallFile
    Container = FileGroup1
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'IDAPI32.CFG'
    DestName = 'IDAPI32.CFG'
    IncludeFromDir = 'C:\TAVWIN\BDE'
    Order = 1
  end
  object InstallFile7: TInstallFile
    Container = FileGroup1
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'IDR20009.DLL'
    DestName = 'IDR20009.DLL'
    IncludeFromDir = 'C:\TAVWIN\BDE'
    Order = 2
  end
  object InstallFile8: TInstallFile
    Container = FileGroup1
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'IDPDX32.DLL'
    DestName = 'IDPDX32.DLL'
    IncludeFromDir = 'C:\TAVWIN\BDE'
    Order = 3
  end
  object InstallFile9: TInstallFile
    Container = FileGroup1
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'IDSQL32.DLL'
    DestName = 'IDSQL32.DLL'
    IncludeFromDir = 'C:\TAVWIN\BDE'
    Order = 4
  end
  object InstallFile10: TInstallFile
    Container = FileGroup1
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'BLW32.DLL'
    DestName = 'BLW32.DLL'
    IncludeFromDir = 'C:\TAVWIN\BDE'
    Order = 5
  end
  object InstallFile11: TInstallFile
    Container = FileGroup1
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'BANTAM.DLL'
    DestName = 'BANTAM.DLL'
    IncludeFromDir = 'C:\TAVWIN\BDE'
    Order = 6
  end
  object FileGroup2: TInstallFileGroup
    Container = Install1
    DestDir = '\Data'
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    GroupName = 'Data Dosyalar'#253
    Order = 8
  end
  object InstallFile12: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV001.DB'
    DestName = 'TAV001.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 0
  end
  object InstallFile13: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV002.DB'
    DestName = 'TAV002.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 1
  end
  object InstallFile14: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV003.DB'
    DestName = 'TAV003.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 2
  end
  object InstallFile15: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV004.DB'
    DestName = 'TAV004.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 3
  end
  object InstallFile16: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV005.DB'
    DestName = 'TAV005.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 4
  end
  object InstallFile17: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV006.DB'
    DestName = 'TAV006.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 5
  end
  object InstallFile18: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV007.DB'
    DestName = 'TAV007.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 6
  end
  object InstallFile19: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV008.DB'
    DestName = 'TAV008.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 7
  end
  object InstallFile20: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV009.DB'
    DestName = 'TAV009.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 8
  end
  object InstallFile21: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV010.DB'
    DestName = 'TAV010.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 9
  end
  object InstallFile22: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV011.DB'
    DestName = 'TAV011.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 10
  end
  object InstallFile23: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV012.DB'
    DestName = 'TAV012.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 11
  end
  object InstallFile24: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV013.DB'
    DestName = 'TAV013.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 12
  end
  object InstallFile25: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV014.DB'
    DestName = 'TAV014.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 13
  end
  object InstallFile26: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV015.DB'
    DestName = 'TAV015.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 14
  end
  object InstallFile27: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV016.DB'
    DestName = 'TAV016.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 15
  end
  object InstallFile28: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV017.DB'
    DestName = 'TAV017.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 16
  end
  object InstallFile29: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV018.DB'
    DestName = 'TAV018.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 17
  end
  object InstallFile30: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV019.DB'
    DestName = 'TAV019.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 18
  end
  object InstallFile31: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV020.DB'
    DestName = 'TAV020.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 19
  end
  object InstallFile32: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV021.DB'
    DestName = 'TAV021.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 20
  end
  object InstallFile33: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV022.DB'
    DestName = 'TAV022.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 21
  end
  object InstallFile34: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV023.DB'
    DestName = 'TAV023.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 22
  end
  object InstallFile35: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV024.DB'
    DestName = 'TAV024.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 23
  end
  object InstallFile36: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV025.DB'
    DestName = 'TAV025.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 24
  end
  object InstallFile37: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV026.DB'
    DestName = 'TAV026.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 25
  end
  object InstallFile38: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV027.DB'
    DestName = 'TAV027.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 26
  end
  object InstallFile39: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV028.DB'
    DestName = 'TAV028.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 27
  end
  object InstallFile40: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV029.DB'
    DestName = 'TAV029.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 28
  end
  object InstallFile41: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV030.DB'
    DestName = 'TAV030.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 29
  end
  object InstallFile42: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV031.DB'
    DestName = 'TAV031.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 30
  end
  object InstallFile43: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV032.DB'
    DestName = 'TAV032.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 31
  end
  object InstallFile44: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV033.DB'
    DestName = 'TAV033.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 32
  end
  object InstallFile45: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV034.DB'
    DestName = 'TAV034.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 33
  end
  object InstallFile46: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV035.DB'
    DestName = 'TAV035.DB'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 34
  end
  object InstallFile47: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV001.PX'
    DestName = 'TAV001.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 35
  end
  object InstallFile48: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV002.PX'
    DestName = 'TAV002.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 36
  end
  object InstallFile49: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV003.PX'
    DestName = 'TAV003.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 37
  end
  object InstallFile50: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV004.PX'
    DestName = 'TAV004.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 38
  end
  object InstallFile51: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV005.PX'
    DestName = 'TAV005.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 39
  end
  object InstallFile52: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV006.PX'
    DestName = 'TAV006.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 40
  end
  object InstallFile53: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV007.PX'
    DestName = 'TAV007.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 41
  end
  object InstallFile54: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV008.PX'
    DestName = 'TAV008.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 42
  end
  object InstallFile55: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV009.PX'
    DestName = 'TAV009.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 43
  end
  object InstallFile56: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV010.PX'
    DestName = 'TAV010.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 44
  end
  object InstallFile57: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV011.PX'
    DestName = 'TAV011.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 45
  end
  object InstallFile58: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV012.PX'
    DestName = 'TAV012.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 46
  end
  object InstallFile59: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV013.PX'
    DestName = 'TAV013.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 47
  end
  object InstallFile60: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV014.PX'
    DestName = 'TAV014.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 48
  end
  object InstallFile61: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV015.PX'
    DestName = 'TAV015.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 49
  end
  object InstallFile62: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV016.PX'
    DestName = 'TAV016.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 50
  end
  object InstallFile63: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV017.PX'
    DestName = 'TAV017.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 51
  end
  object InstallFile64: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV018.PX'
    DestName = 'TAV018.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 52
  end
  object InstallFile65: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV019.PX'
    DestName = 'TAV019.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 53
  end
  object InstallFile66: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV020.PX'
    DestName = 'TAV020.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 54
  end
  object InstallFile67: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV021.PX'
    DestName = 'TAV021.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 55
  end
  object InstallFile68: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV022.PX'
    DestName = 'TAV022.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 56
  end
  object InstallFile69: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV023.PX'
    DestName = 'TAV023.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 57
  end
  object InstallFile70: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV024.PX'
    DestName = 'TAV024.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 58
  end
  object InstallFile71: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV025.PX'
    DestName = 'TAV025.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 59
  end
  object InstallFile72: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV026.PX'
    DestName = 'TAV026.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 60
  end
  object InstallFile73: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV027.PX'
    DestName = 'TAV027.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 61
  end
  object InstallFile74: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV028.PX'
    DestName = 'TAV028.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 62
  end
  object InstallFile75: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV029.PX'
    DestName = 'TAV029.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 63
  end
  object InstallFile76: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV030.PX'
    DestName = 'TAV030.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 64
  end
  object InstallFile77: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV031.PX'
    DestName = 'TAV031.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 65
  end
  object InstallFile78: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV032.PX'
    DestName = 'TAV032.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 66
  end
  object InstallFile79: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV033.PX'
    DestName = 'TAV033.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 67
  end
  object InstallFile80: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV034.PX'
    DestName = 'TAV034.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 68
  end
  object InstallFile81: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAV035.PX'
    DestName = 'TAV035.PX'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 69
  end
  object InstallFile82: TInstallFile
    Container = FileGroup2
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'ALIAS.TXT'
    DestName = 'ALIAS.TXT'
    IncludeFromDir = 'C:\TAVWIN\DATA'
    Order = 70
  end
  object FileGroup3: TInstallFileGroup
    Container = Install1
    DestDir = '\Misc'
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    GroupName = 'Yard'#253'mc'#253' Dosyalar'
    Order = 7
  end
  object InstallFile83: TInstallFile
    Container = FileGroup3
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAVRIX.HLP'
    DestName = 'TAVRIX.HLP'
    IncludeFromDir = 'C:\TAVWIN\MISC'
    Order = 0
    RegisterAsHelp = True
  end
  object InstallFile84: TInstallFile
    Container = FileGroup3
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'FORM01.RPT'
    DestName = 'FORM01.RPT'
    IncludeFromDir = 'C:\TAVWIN\MISC'
    Order = 1
  end
  object InstallFile85: TInstallFile
    Container = FileGroup3
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'FORM02.RPT'
    DestName = 'FORM02.RPT'
    IncludeFromDir = 'C:\TAVWIN\MISC'
    Order = 2
  end
  object InstallFile86: TInstallFile
    Container = FileGroup3
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'FORM03.RPT'
    DestName = 'FORM03.RPT'
    IncludeFromDir = 'C:\TAVWIN\MISC'
    Order = 3
  end
  object InstallFile87: TInstallFile
    Container = FileGroup3
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'FORM04.RPT'
    DestName = 'FORM04.RPT'
    IncludeFromDir = 'C:\TAVWIN\MISC'
    Order = 4
  end
  object InstallFile88: TInstallFile
    Container = FileGroup3
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'FORM05.RPT'
    DestName = 'FORM05.RPT'
    IncludeFromDir = 'C:\TAVWIN\MISC'
    Order = 5
  end
  object InstallFile89: TInstallFile
    Container = FileGroup3
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'FORM06.RPT'
    DestName = 'FORM06.RPT'
    IncludeFromDir = 'C:\TAVWIN\MISC'
    Order = 6
  end
  object InstallFile90: TInstallFile
    Container = FileGroup3
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'FORM07.RPT'
    DestName = 'FORM07.RPT'
    IncludeFromDir = 'C:\TAVWIN\MISC'
    Order = 7
  end
  object InstallFile91: TInstallFile
    Container = FileGroup3
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'FORM08.RPT'
    DestName = 'FORM08.RPT'
    IncludeFromDir = 'C:\TAVWIN\MISC'
    Order = 8
  end
  object InstallFile92: TInstallFile
    Container = FileGroup3
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'FORM09.RPT'
    DestName = 'FORM09.RPT'
    IncludeFromDir = 'C:\TAVWIN\MISC'
    Order = 9
  end
  object InstallFile93: TInstallFile
    Container = FileGroup3
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'FORM10.RPT'
    DestName = 'FORM10.RPT'
    IncludeFromDir = 'C:\TAVWIN\MISC'
    Order = 10
  end
  object InstallFile94: TInstallFile
    Container = FileGroup3
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'FORM11.RPT'
    DestName = 'FORM11.RPT'
    IncludeFromDir = 'C:\TAVWIN\MISC'
    Order = 11
  end
  object InstallFile95: TInstallFile
    Container = FileGroup3
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'FORM12.RPT'
    DestName = 'FORM12.RPT'
    IncludeFromDir = 'C:\TAVWIN\MISC'
    Order = 12
  end
  object InstallFile96: TInstallFile
    Container = FileGroup3
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'LOGO.BMP'
    DestName = 'LOGO.BMP'
    IncludeFromDir = 'C:\TAVWIN\MISC'
    Order = 13
  end
  object InstallFile97: TInstallFile
    Container = FileGroup3
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'FAXCOVER.BMP'
    DestName = 'FAXCOVER.BMP'
    IncludeFromDir = 'C:\TAVWIN\MISC'
    Order = 14
  end
  object InstallFile98: TInstallFile
    Container = FileGroup3
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'MODEM.INF'
    DestName = 'MODEM.INF'
    IncludeFromDir = 'C:\TAVWIN\MISC'
    Order = 15
  end
  object InstallFile99: TInstallFile
    Container = FileGroup3
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'READ.ME'
    DestName = 'READ.ME'
    IncludeFromDir = 'C:\TAVWIN\MISC'
    Order = 16
  end
  object FileGroup4: TInstallFileGroup
    Container = Install1
    DestDir = '\Config'
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    GroupName = 'Ayar Dosyalar'#253
    Order = 6
  end
  object InstallFile100: TInstallFile
    Container = FileGroup4
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'TAVRIX.INI'
    DestName = 'TAVRIX.INI'
    IncludeFromDir = 'C:\TAVWIN\CONFIG'
    Order = 0
  end
  object InstallFile101: TInstallFile
    Container = FileGroup4
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'MODEMS.CFG'
    DestName = 'MODEMS.CFG'
    IncludeFromDir = 'C:\TAVWIN\CONFIG'
    Order = 1
  end
  object InstallFile102: TInstallFile
    Container = FileGroup4
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'PORTS.CFG'
    DestName = 'PORTS.CFG'
    IncludeFromDir = 'C:\TAVWIN\CONFIG'
    Order = 2
  end
  object InstallFile103: TInstallFile
    Container = FileGroup4
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'USERS.CFG'
    DestName = 'USERS.CFG'
    IncludeFromDir = 'C:\TAVWIN\CONFIG'
    Order = 3
  end
  object InstallFile104: TInstallFile
    Container = FileGroup4
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'FAX.CFG'
    DestName = 'FAX.CFG'
    IncludeFromDir = 'C:\TAVWIN\CONFIG'
    Order = 4
  end
  object InstallFile105: TInstallFile
    Container = FileGroup4
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'MSG.CFG'
    DestName = 'MSG.CFG'
    IncludeFromDir = 'C:\TAVWIN\CONFIG'
    Order = 5
  end
  object InstallFile106: TInstallFile
    Container = FileGroup4
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'DIAL.CFG'
    DestName = 'DIAL.CFG'
    IncludeFromDir = 'C:\TAVWIN\CONFIG'
    Order = 6
  end
  object InstallFile107: TInstallFile
    Container = FileGroup4
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'PRINT.CFG'
    DestName = 'PRINT.CFG'
    IncludeFromDir = 'C:\TAVWIN\CONFIG'
    Order = 7
  end
  object InstallFile108: TInstallFile
    Container = FileGroup4
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'KEYS.CFG'
    DestName = 'KEYS.CFG'
    IncludeFromDir = 'C:\TAVWIN\CONFIG'
    Order = 8
  end
  object FileGroup5: TInstallFileGroup
    Container = Install1
    DestDir = '\GelenFax'
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    GroupName = 'Al'#253'nan Faxlar'
    Order = 5
  end
  object FileGroup6: TInstallFileGroup
    Container = Install1
    DestDir = '\GidenFax'
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    GroupName = 'G'#246'nderilen Faxlar'
    Order = 4
  end
  object FileGroup7: TInstallFileGroup
    Container = Install1
    DestDir = '\GelenMsg'
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    GroupName = 'Al'#253'nan Mesajlar'
    Order = 3
  end
  object FileGroup8: TInstallFileGroup
    Container = Install1
    DestDir = '\GidenMsg'
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    GroupName = 'G'#246'nderilen Mesajlar'
    Order = 2
  end
  object FileGroup9: TInstallFileGroup
    Container = Install1
    DestDir = '\Dnload'
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    GroupName = 'Al'#253'nan Dosyalar'
    Order = 1
  end
  object FileGroup10: TInstallFileGroup
    Container = Install1
    DestDir = '\Upload'
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    GroupName = 'G'#246'nderilen Dosyalar'
    Order = 0
  end
  object UninstallEXE2: TUninstallEXE
    Container = Install1
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
    FileName = 'uninstall.exe'
    DestName = 'uninstall.exe'
    IncludeFromDir = 'C:\Program Files\Kobbelin32\Version2'
    Order = 4
  end

  object DialogManager1: TDialogManager
    Container = Install1
    ManagerType = dmBeforeInstall
  end
  object DialogManager2: TDialogManager
    Container = Install1
    ManagerType = dmAfterGoodInstall
  end
  object DialogManager3: TDialogManager
    Container = Install1
    ManagerType = dmAfterBadInstall
  end
  object DialogManager4: TDialogManager
    Container = Install1
    ManagerType = dmDuringCopyFiles
  end
  object DialogManager5: TDialogManager
    Container = Install1
    ManagerType = dmChangeDisk
  end
  object DialogManager6: TDialogManager
    Container = Install1
    ManagerType = dmReboot
  end
end
