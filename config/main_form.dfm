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
  object MainTranslator: TTranslator
    lgCzech.Font.Charset = DEFAULT_CHARSET
    lgCzech.Font.Color = clWindowText
    lgCzech.Font.Height = -11
    lgCzech.Font.Name = 'MS Sans Serif'
    lgCzech.Font.Style = []
    lgCzech.Strings = (
      '* '#200'esk'#233' texty str'#225'nek instalace, podle GLID.'
      '2;P'#248'e'#232't'#236'te si pros'#237'm n'#225'sleduj'#237'c'#237' licen'#232'n'#237' smlouvu!'
      '3;Klepnut'#237'm na Dal'#154#237' p'#248'ij'#237'm'#225'te v'#253#154'e uvedenou smlouvu. Klepnut'#237'm na Storno instalaci p'#248'eru'#154#237'te.'
      '4;< Zp'#236't'
      '5;Dal'#154#237' >'
      '6;Storno'
      '10;V'#237't'#225' v'#225's instala'#232'n'#237' program Tavrix!'
      '11;Aby p'#248'i instalaci programu Tavrix nedo'#154'lo k pot'#237#158#237'm, doporu'#232'ujeme zav'#248#237't v'#154'echny spu'#154't'#236'n'#233' aplikace Windows a instala'#232'n'#237' program Tavrix spustit znovu.'
      '12;Klepnut'#237'm na Dal'#154#237' budete v instalaci pokra'#232'ovat.'
      '14;Instalovan'#253' soubor'
      '15;Aktu'#225'ln'#237' soubor'
      '16;Celkov'#253' pr'#249'b'#236'h'
      '#38;'
      'Klepn'#236'te pros'#237'm na Pokra'#232'ovat a po'#232'kejte, a'#158' bude instalace dokon'#232'ena!'
      'Soubory programu Tavrix byly nainstalov'#225'ny.'
      'Aby program Tavrix spr'#225'vn'#236' pracoval,'
      'provede nyn'#237' n'#236'kolik nastaven'#237' va'#154'eho syst'#233'mu.'
      '#'
      '45;Vlo'#158'te pros'#237'm disketu '#232#237'slo %d!'
      '46;Pokud instala'#232'n'#237' soubor nen'#237' ve v'#253'choz'#237'm adres'#225#248'i, uka'#158'te jeho adres'#225#248' tla'#232#237'tkem Proch'#225'zet.'
      '47;Adres'#225#248':'
      '48;&Proch'#225'zet...'
      '49;Pokra'#232'ovat'
      '#60;'
      'Instalaci programu Tavrix se nepoda'#248'ilo dokon'#232'it!'
      '#'
      '72;Dokon'#232'it'
      '100;Licen'#232'n'#237' smlouva k softwaru')
    lgEnglish.Font.Charset = DEFAULT_CHARSET
    lgEnglish.Font.Color = clWindowText
    lgEnglish.Font.Height = -11
    lgEnglish.Font.Name = 'MS Sans Serif'
    lgEnglish.Font.Style = []
    lgEnglish.Strings = (
      '* English texts of the installer''s pages, by GLID.'
      '* A line is GLID;Text, a memo runs from #GLID; to a line holding only #.'
      '* Several labels of one page sharing a GLID take the memo''s lines in turn.'
      '2;Please read the following licence agreement!'
      '3;By clicking Next you accept the agreement above. Click Cancel to stop the installation.'
      '4;< Back'
      '5;Next >'
      '6;Cancel'
      '10;Welcome to the Tavrix Setup Program!'
      '11;To avoid problems while Tavrix is being installed, we recommend that you close all running Windows applications and then run the Tavrix Setup Program again.'
      '12;Click Next to continue with the installation.'
      '14;Installing file'
      '15;Current file'
      '16;Overall progress'
      '#38;'
      'Please click Continue and wait until the installation is complete!'
      'The Tavrix files have been installed.'
      'For the Tavrix program to work correctly,'
      'it will now make some settings on your system.'
      '#'
      '45;Please insert disk number %d!'
      '46;If the setup file cannot be found in the default directory, show its directory with the Browse button.'
      '47;Directory:'
      '48;&Browse...'
      '49;Continue'
      '#60;'
      'The Tavrix installation could not be completed!'
      '#'
      '72;Finish'
      '100;Software license agreement')
    lgFrench.Font.Charset = DEFAULT_CHARSET
    lgFrench.Font.Color = clWindowText
    lgFrench.Font.Height = -11
    lgFrench.Font.Name = 'MS Sans Serif'
    lgFrench.Font.Style = []
    lgFrench.Strings = (
      '* Textes fran'#231'ais des pages d''installation, par GLID.'
      '2;Veuillez lire le contrat de licence suivant !'
      '3;En cliquant sur Suivant, vous acceptez le contrat ci-dessus. Cliquez sur Annuler pour interrompre l''installation.'
      '4;< Pr'#233'c'#233'dent'
      '5;Suivant >'
      '6;Annuler'
      '10;Bienvenue dans le programme d''installation de Tavrix !'
      '11;Pour '#233'viter tout probl'#232'me pendant l''installation de Tavrix, nous vous conseillons de fermer toutes les applications Windows en cours, puis de relancer le programme d''installation de Tavrix.'
      '12;Cliquez sur Suivant pour poursuivre l''installation.'
      '14;Fichier en cours d''installation'
      '15;Fichier en cours'
      '16;Progression totale'
      '#38;'
      'Veuillez cliquer sur Continuer et attendre la fin de l''installation !'
      'Les fichiers de Tavrix ont '#233't'#233' install'#233's.'
      'Pour que le programme Tavrix fonctionne correctement,'
      'il va maintenant effectuer quelques r'#233'glages sur votre syst'#232'me.'
      '#'
      '45;Veuillez ins'#233'rer la disquette num'#233'ro %d !'
      '46;Si le fichier d''installation est introuvable dans le r'#233'pertoire par d'#233'faut, indiquez son r'#233'pertoire avec le bouton Parcourir.'
      '47;R'#233'pertoire :'
      '48;&Parcourir...'
      '49;Continuer'
      '#60;'
      'L''installation de Tavrix n''a pas pu '#234'tre termin'#233'e !'
      '#'
      '72;Terminer'
      '100;Contrat de licence du logiciel')
    lgGerman.Font.Charset = DEFAULT_CHARSET
    lgGerman.Font.Color = clWindowText
    lgGerman.Font.Height = -11
    lgGerman.Font.Name = 'MS Sans Serif'
    lgGerman.Font.Style = []
    lgGerman.Strings = (
      '* Deutsche Texte der Installationsseiten, nach GLID.'
      '2;Bitte lesen Sie die folgende Lizenzvereinbarung!'
      '3;Mit einem Klick auf Weiter stimmen Sie der obigen Vereinbarung zu. Mit Abbrechen beenden Sie die Installation.'
      '4;< Zur'#252'ck'
      '5;Weiter >'
      '6;Abbrechen'
      '10;Willkommen beim Installationsprogramm von Tavrix!'
      '11;Damit bei der Installation von Tavrix keine Probleme auftreten, empfehlen wir Ihnen, alle laufenden Windows-Anwendungen zu schlie'#223'en und das Installationsprogramm von Tavrix erneut zu starten.'
      '12;Klicken Sie auf Weiter, um mit der Installation fortzufahren.'
      '14;Installierte Datei'
      '15;Aktuelle Datei'
      '16;Gesamtfortschritt'
      '#38;'
      'Bitte klicken Sie auf Fortsetzen und warten Sie, bis die Installation abgeschlossen ist!'
      'Die Dateien von Tavrix wurden installiert.'
      'Damit das Programm Tavrix richtig arbeitet,'
      'nimmt es jetzt einige Einstellungen an Ihrem System vor.'
      '#'
      '45;Bitte legen Sie Diskette Nummer %d ein!'
      '46;Wenn die Installationsdatei im vorgegebenen Verzeichnis nicht gefunden wird, zeigen Sie ihr Verzeichnis mit der Schaltfl'#228'che Durchsuchen.'
      '47;Verzeichnis:'
      '48;&Durchsuchen...'
      '49;Fortsetzen'
      '#60;'
      'Die Installation von Tavrix konnte nicht abgeschlossen werden!'
      '#'
      '72;Fertig stellen'
      '100;Lizenzvereinbarung')
    lgGreek.Font.Charset = DEFAULT_CHARSET
    lgGreek.Font.Color = clWindowText
    lgGreek.Font.Height = -11
    lgGreek.Font.Name = 'MS Sans Serif'
    lgGreek.Font.Style = []
    lgGreek.Strings = (
      '* '#197#235#235#231#237#233#234#220' '#234#229#223#236#229#237#225' '#244#249#237' '#243#229#235#223#228#249#237' '#229#227#234#225#244#220#243#244#225#243#231#242', '#234#225#244#220' GLID.'
      '2;'#196#233#225#226#220#243#244#229' '#244#231#237' '#240#225#241#225#234#220#244#249' '#220#228#229#233#225' '#247#241#222#243#231#242'!'
      '3;'#208#225#244#254#237#244#225#242' '#197#240#252#236#229#237#239' '#225#240#239#228#221#247#229#243#244#229' '#244#231#237' '#240#225#241#225#240#220#237#249' '#243#245#236#246#249#237#223#225'. '#208#225#244#222#243#244#229' '#162#234#245#241#239' '#227#233#225' '#237#225' '#228#233#225#234#252#248#229#244#229' '#244#231#237' '#229#227#234#225#244#220#243#244#225#243#231'.'
      '4;< '#208#223#243#249
      '5;'#197#240#252#236#229#237#239' >'
      '6;'#162#234#245#241#239
      '10;'#202#225#235#254#242' '#222#241#232#225#244#229' '#243#244#239' '#240#241#252#227#241#225#236#236#225' '#229#227#234#225#244#220#243#244#225#243#231#242' '#244#239#245' Tavrix!'
      '11;'#195#233#225' '#237#225' '#225#240#239#246#253#227#229#244#229' '#240#241#239#226#235#222#236#225#244#225' '#234#225#244#220' '#244#231#237' '#229#227#234#225#244#220#243#244#225#243#231' '#244#239#245' Tavrix, '#243#225#242' '#243#245#237#233#243#244#239#253#236#229' '#237#225' '#234#235#229#223#243#229#244#229' '#252#235#229#242' '#244#233#242' '#229#246#225#241#236#239#227#221#242' '#244#249#237' Windows '#240#239#245' '#229#234#244#229#235#239#253#237#244#225#233' '#234#225#233' '#237#225' '#238#229#234#233#237#222#243#229#244#229' '#238#225#237#220' '#244#239' '#240#241#252#227#241#225#236#236#225' '#229#227#234#225#244#220#243#244#225#243#231#242' '#244#239#245' Tavrix.'
      '12;'#208#225#244#222#243#244#229' '#197#240#252#236#229#237#239' '#227#233#225' '#237#225' '#243#245#237#229#247#223#243#229#244#229' '#244#231#237' '#229#227#234#225#244#220#243#244#225#243#231'.'
      '14;'#193#241#247#229#223#239' '#240#239#245' '#229#227#234#225#232#223#243#244#225#244#225#233
      '15;'#212#241#221#247#239#237' '#225#241#247#229#223#239
      '16;'#211#245#237#239#235#233#234#222' '#240#241#252#239#228#239#242
      '#38;'
      #208#225#244#222#243#244#229' '#211#245#237#221#247#229#233#225' '#234#225#233' '#240#229#241#233#236#221#237#229#244#229' '#237#225' '#239#235#239#234#235#231#241#249#232#229#223' '#231' '#229#227#234#225#244#220#243#244#225#243#231'!'
      #212#225' '#225#241#247#229#223#225' '#244#239#245' Tavrix '#229#227#234#225#244#225#243#244#220#232#231#234#225#237'.'
      #195#233#225' '#237#225' '#235#229#233#244#239#245#241#227#229#223' '#243#249#243#244#220', '#244#239' '#240#241#252#227#241#225#236#236#225' Tavrix'
      #232#225' '#234#220#237#229#233' '#244#254#241#225' '#236#229#241#233#234#221#242' '#241#245#232#236#223#243#229#233#242' '#243#244#239' '#243#253#243#244#231#236#220' '#243#225#242'.'
      '#'
      '45;'#212#239#240#239#232#229#244#222#243#244#229' '#244#231' '#228#233#243#234#221#244#225' '#225#241#233#232#236#252#242' %d!'
      '46;'#193#237' '#244#239' '#225#241#247#229#223#239' '#229#227#234#225#244#220#243#244#225#243#231#242' '#228#229#237' '#226#241#223#243#234#229#244#225#233' '#243#244#239#237' '#240#241#239#229#240#233#235#229#227#236#221#237#239' '#246#220#234#229#235#239', '#228#229#223#238#244#229' '#244#239#237' '#246#220#234#229#235#252' '#244#239#245' '#236#229' '#244#239' '#234#239#245#236#240#223' '#193#237#225#230#222#244#231#243#231'.'
      '47;'#214#220#234#229#235#239#242':'
      '48;&'#193#237#225#230#222#244#231#243#231'...'
      '49;'#211#245#237#221#247#229#233#225
      '#60;'
      #199' '#229#227#234#225#244#220#243#244#225#243#231' '#244#239#245' Tavrix '#228#229#237' '#222#244#225#237' '#228#245#237#225#244#252' '#237#225' '#239#235#239#234#235#231#241#249#232#229#223'!'
      '#'
      '72;'#212#221#235#239#242
      '100;'#162#228#229#233#225' '#247#241#222#243#231#242' '#235#239#227#233#243#236#233#234#239#253)
    lgHebrew.Font.Charset = DEFAULT_CHARSET
    lgHebrew.Font.Color = clWindowText
    lgHebrew.Font.Height = -11
    lgHebrew.Font.Name = 'MS Sans Serif'
    lgHebrew.Font.Style = []
    lgHebrew.Strings = (
      '* '#232#247#241#232#233#237' '#225#242#225#248#233#250' '#249#236' '#227#244#233' '#228#228#250#247#240#228', '#236#244#233' GLID.'
      '2;'#240#224' '#236#247#248#229#224' '#224#250' '#228#241#235#237' '#228#248#233#249#233#229#239' '#228#225#224'!'
      '3;'#236#231#233#246#228' '#242#236' '#228#225#224' '#244#233#248#229#249#228' '#228#241#235#238#228' '#236#228#241#235#237' '#249#236#238#242#236#228'. '#236#231#246#229' '#242#236' '#225#233#232#229#236' '#235#227#233' '#236#228#244#241#233#247' '#224#250' '#228#228#250#247#240#228'.'
      '4;< '#228#247#229#227#237
      '5;'#228#225#224' >'
      '6;'#225#233#232#229#236
      '10;'#225#248#229#235#233#237' '#228#225#224#233#237' '#236#250#229#235#240#233#250' '#228#228#250#247#240#228' '#249#236' Tavrix!'
      '11;'#235#227#233' '#236#238#240#229#242' '#225#242#233#229#250' '#225#230#238#239' '#228#250#247#240#250' Tavrix, '#238#229#238#236#245' '#236#241#226#229#248' '#224#250' '#235#236' '#233#233#249#229#238#233' Windows '#228#244#229#242#236#233#237' '#229#236#228#244#242#233#236' '#249#229#225' '#224#250' '#250#229#235#240#233#250' '#228#228#250#247#240#228' '#249#236' Tavrix.'
      '12;'#236#231#246#229' '#242#236' '#228#225#224' '#235#227#233' '#236#228#238#249#233#234' '#225#228#250#247#240#228'.'
      '14;'#247#229#225#245' '#225#228#250#247#240#228
      '15;'#228#247#229#225#245' '#228#240#229#235#231#233
      '16;'#228#250#247#227#238#229#250' '#235#229#236#236#250
      '#38;'
      #240#224' '#236#236#231#229#245' '#242#236' '#228#238#249#234' '#229#236#228#238#250#233#239' '#242#227' '#236#241#233#229#237' '#228#228#250#247#240#228'!'
      #228#247#225#246#233#237' '#249#236' Tavrix '#228#229#250#247#240#229'.'
      #235#227#233' '#249#228#250#229#235#240#233#250' Tavrix '#250#244#242#236' '#235#248#224#229#233','
      #228#233#224' '#250#225#246#242' '#235#242#250' '#235#238#228' '#228#226#227#248#229#250' '#225#238#242#248#235#250' '#249#236#235#237'.'
      '#'
      '45;'#240#224' '#236#228#235#240#233#241' '#224#250' '#250#247#236#233#232#229#239' '#238#241#244#248' %d!'
      '46;'#224#237' '#247#229#225#245' '#228#228#250#247#240#228' '#224#233#240#229' '#240#238#246#224' '#225#250#233#247#233#233#250' '#225#248#233#248#250' '#228#238#231#227#236', '#228#248#224#229' '#224#250' '#228#250#233#247#233#233#228' '#249#236#229' '#225#242#230#248#250' '#228#236#231#246#239' '#242#233#229#239'.'
      '47;'#250#233#247#233#233#228':'
      '48;&'#242#233#229#239'...'
      '49;'#228#238#249#234
      '#60;'
      #236#224' '#240#233#250#239' '#228#233#228' '#236#228#249#236#233#237' '#224#250' '#228#250#247#240#250' Tavrix!'
      '#'
      '72;'#241#233#229#237
      '100;'#228#241#235#237' '#248#233#249#233#229#239' '#236#250#229#235#240#228)
    lgItalian.Font.Charset = DEFAULT_CHARSET
    lgItalian.Font.Color = clWindowText
    lgItalian.Font.Height = -11
    lgItalian.Font.Name = 'MS Sans Serif'
    lgItalian.Font.Style = []
    lgItalian.Strings = (
      '* Testi italiani delle pagine di installazione, per GLID.'
      '2;Leggere il seguente contratto di licenza!'
      '3;Facendo clic su Avanti si accetta il contratto riportato sopra. Fare clic su Annulla per interrompere l''installazione.'
      '4;< Indietro'
      '5;Avanti >'
      '6;Annulla'
      '10;Benvenuti nel programma di installazione di Tavrix!'
      '11;Per evitare problemi durante l''installazione di Tavrix, si consiglia di chiudere tutte le applicazioni Windows in esecuzione e di avviare di nuovo il programma di installazione di Tavrix.'
      '12;Fare clic su Avanti per proseguire con l''installazione.'
      '14;File in installazione'
      '15;File corrente'
      '16;Avanzamento complessivo'
      '#38;'
      'Fare clic su Continua e attendere il termine dell''installazione!'
      'I file di Tavrix sono stati installati.'
      'Per funzionare correttamente, il programma Tavrix'
      'effettuer'#224' ora alcune impostazioni sul sistema.'
      '#'
      '45;Inserire il dischetto numero %d!'
      '46;Se il file di installazione non si trova nella directory predefinita, indicarne la directory con il pulsante Sfoglia.'
      '47;Directory:'
      '48;&Sfoglia...'
      '49;Continua'
      '#60;'
      'Non '#232' stato possibile completare l''installazione di Tavrix!'
      '#'
      '72;Fine'
      '100;Contratto di licenza del software')
    lgKorean.Font.Charset = DEFAULT_CHARSET
    lgKorean.Font.Color = clWindowText
    lgKorean.Font.Height = -11
    lgKorean.Font.Name = 'MS Sans Serif'
    lgKorean.Font.Style = []
    lgKorean.Strings = (
      '* '#188#179#196#161' '#200#173#184#233#192#199' '#199#209#177#185#190#238' '#197#216#189#186#198#174' (GLID '#188#248').'
      '2;'#180#217#192#189' '#187#231#191#235#177#199' '#176#232#190#224#192#187' '#192#208#190#238' '#193#214#189#202#189#195#191#192'!'
      '3;['#180#217#192#189']'#192#187' '#180#169#184#163#184#233' '#192#167' '#176#232#190#224#191#161' '#181#191#192#199#199#207#180#194' '#176#205#192#212#180#207#180#217'. '#188#179#196#161#184#166' '#193#223#180#220#199#207#183#193#184#233' ['#195#235#188#210']'#184#166' '#180#169#184#163#189#202#189#195#191#192'.'
      '4;< '#181#218#183#206
      '5;'#180#217#192#189' >'
      '6;'#195#235#188#210
      '10;Tavrix '#188#179#196#161' '#199#193#183#206#177#215#183#165#191#161' '#191#192#189#197' '#176#205#192#187' '#200#175#191#181#199#213#180#207#180#217'!'
      '11;Tavrix '#188#179#196#161' '#193#223' '#185#174#193#166#176#161' '#187#253#177#226#193#246' '#190#202#181#181#183#207' '#189#199#199#224' '#193#223#192#206' '#184#240#181#231' Windows '#192#192#191#235' '#199#193#183#206#177#215#183#165#192#187' '#180#221#192#186' '#181#218' Tavrix '#188#179#196#161' '#199#193#183#206#177#215#183#165#192#187' '#180#217#189#195' '#189#199#199#224#199#207#189#195#177#226' '#185#217#182#248#180#207#180#217'.'
      '12;'#188#179#196#161#184#166' '#176#232#188#211#199#207#183#193#184#233' ['#180#217#192#189']'#192#187' '#180#169#184#163#189#202#189#195#191#192'.'
      '14;'#188#179#196#161' '#193#223#192#206' '#198#196#192#207
      '15;'#199#246#192#231' '#198#196#192#207
      '16;'#192#252#195#188' '#193#248#199#224#183#252
      '#38;'
      '['#176#232#188#211']'#192#187' '#180#169#184#163#176#237' '#188#179#196#161#176#161' '#179#161#179#175' '#182#167#177#238#193#246' '#177#226#180#217#183#193' '#193#214#189#202#189#195#191#192'!'
      'Tavrix '#198#196#192#207#192#204' '#188#179#196#161#181#199#190#250#189#192#180#207#180#217'.'
      'Tavrix '#199#193#183#206#177#215#183#165#192#204' '#191#195#185#217#184#163#176#212' '#192#219#181#191#199#207#181#181#183#207
      #193#246#177#221' '#189#195#189#186#197#219' '#188#179#193#164#192#187' '#184#238' '#176#161#193#246' '#186#175#176#230#199#213#180#207#180#217'.'
      '#'
      '45;%d'#185#248' '#181#240#189#186#197#169#184#166' '#179#214#190#238' '#193#214#189#202#189#195#191#192'!'
      '46;'#177#226#186#187' '#181#240#183#186#197#205#184#174#191#161#188#173' '#188#179#196#161' '#198#196#192#207#192#187' '#195#163#192#187' '#188#246' '#190#248#192#184#184#233' ['#195#163#190#198#186#184#177#226'] '#180#220#195#223#183#206' '#199#216#180#231' '#181#240#183#186#197#205#184#174#184#166' '#193#246#193#164#199#207#189#202#189#195#191#192'.'
      '47;'#181#240#183#186#197#205#184#174':'
      '48;'#195#163#190#198#186#184#177#226'(&B)...'
      '49;'#176#232#188#211
      '#60;'
      'Tavrix '#188#179#196#161#184#166' '#191#207#183#225#199#207#193#246' '#184#248#199#223#189#192#180#207#180#217'!'
      '#'
      '72;'#184#182#196#167
      '100;'#188#210#199#193#198#174#191#254#190#238' '#187#231#191#235#177#199' '#176#232#190#224)
    lgJapanese.Font.Charset = DEFAULT_CHARSET
    lgJapanese.Font.Color = clWindowText
    lgJapanese.Font.Height = -11
    lgJapanese.Font.Name = 'MS Sans Serif'
    lgJapanese.Font.Style = []
    lgJapanese.Strings = (
      '* '#131'C'#131#147#131'X'#131'g'#129'['#131#139#137#230#150#202#130#204#147#250#150'{'#140#234#131'e'#131'L'#131'X'#131'g (GLID '#143#135')'#129'B'
      '2;'#142#159#130#204#142'g'#151'p'#139#150#145#248#140'_'#150#241#143#145#130#240#130#168#147#199#130#221#130#173#130#190#130#179#130#162#129'B'
      '3;['#142#159#130#214'] '#130#240#131'N'#131#138#131'b'#131'N'#130#183#130#233#130#198#129'A'#143#227#139'L'#130#204#140'_'#150#241#130#201#147#175#136#211#130#181#130#189#130#177#130#198#130#201#130#200#130#232#130#220#130#183#129'B['#131'L'#131#131#131#147#131'Z'#131#139'] '#130#240#131'N'#131#138#131'b'#131'N'#130#183#130#233#130#198#131'C'#131#147#131'X'#131'g'#129'['#131#139#130#240#146#134#142'~'#130#181#130#220#130#183#129'B'
      '4;< '#150#223#130#233
      '5;'#142#159#130#214' >'
      '6;'#131'L'#131#131#131#147#131'Z'#131#139
      '10;Tavrix '#131'Z'#131'b'#131'g'#131'A'#131'b'#131'v '#131'v'#131#141#131'O'#131#137#131#128#130#214#130#230#130#164#130#177#130#187#129'B'
      '11;Tavrix '#130#204#131'C'#131#147#131'X'#131'g'#129'['#131#139#146#134#130#201#150#226#145#232#130#170#139'N'#130#171#130#200#130#162#130#230#130#164#129'A'#142#192#141's'#146#134#130#204' Windows '#131'A'#131'v'#131#138#131'P'#129'['#131'V'#131#135#131#147#130#240#130#183#130#215#130#196#143'I'#151#185#130#181#130#196#130#169#130#231' Tavrix '#131'Z'#131'b'#131'g'#131'A'#131'b'#131'v '#131'v'#131#141#131'O'#131#137#131#128#130#240#130#224#130#164#136#234#147'x'#142#192#141's'#130#181#130#196#130#173#130#190#130#179#130#162#129'B'
      '12;'#131'C'#131#147#131'X'#131'g'#129'['#131#139#130#240#145#177#130#175#130#233#130#201#130#205' ['#142#159#130#214'] '#130#240#131'N'#131#138#131'b'#131'N'#130#181#130#196#130#173#130#190#130#179#130#162#129'B'
      '14;'#131'C'#131#147#131'X'#131'g'#129'['#131#139#146#134#130#204#131't'#131'@'#131'C'#131#139
      '15;'#140#187#141#221#130#204#131't'#131'@'#131'C'#131#139
      '16;'#145'S'#145#204#130#204#144'i'#141's'#143#243#139#181
      '#38;'
      '['#145#177#141's] '#130#240#131'N'#131#138#131'b'#131'N'#130#181#130#196#129'A'#131'C'#131#147#131'X'#131'g'#129'['#131#139#130#170#138#174#151#185#130#183#130#233#130#220#130#197#130#168#145#210#130#191#130#173#130#190#130#179#130#162#129'B'
      'Tavrix '#130#204#131't'#131'@'#131'C'#131#139#130#170#131'C'#131#147#131'X'#131'g'#129'['#131#139#130#179#130#234#130#220#130#181#130#189#129'B'
      'Tavrix '#131'v'#131#141#131'O'#131#137#131#128#130#240#144#179#130#181#130#173#147#174#141#236#130#179#130#185#130#233#130#189#130#223#129'A'
      #130#177#130#234#130#169#130#231#131'V'#131'X'#131'e'#131#128#130#204#144#221#146#232#130#240#130#162#130#173#130#194#130#169#149#207#141'X'#130#181#130#220#130#183#129'B'
      '#'
      '45;'#131'f'#131'B'#131'X'#131'N %d '#130#240#145'}'#147#252#130#181#130#196#130#173#130#190#130#179#130#162#129'B'
      '46;'#138#249#146#232#130#204#131'f'#131'B'#131#140#131'N'#131'g'#131#138#130#201#131'Z'#131'b'#131'g'#131'A'#131'b'#131'v '#131't'#131'@'#131'C'#131#139#130#170#140#169#130#194#130#169#130#231#130#200#130#162#143#234#141#135#130#205#129'A['#142'Q'#143#198'] '#131'{'#131'^'#131#147#130#197#130#187#130#204#131'f'#131'B'#131#140#131'N'#131'g'#131#138#130#240#142'w'#146#232#130#181#130#196#130#173#130#190#130#179#130#162#129'B'
      '47;'#131'f'#131'B'#131#140#131'N'#131'g'#131#138':'
      '48;'#142'Q'#143#198'(&B)...'
      '49;'#145#177#141's'
      '#60;'
      'Tavrix '#130#204#131'C'#131#147#131'X'#131'g'#129'['#131#139#130#240#138#174#151#185#130#197#130#171#130#220#130#185#130#241#130#197#130#181#130#189#129'B'
      '#'
      '72;'#138#174#151#185
      '100;'#131'\'#131't'#131'g'#131'E'#131'F'#131'A'#142'g'#151'p'#139#150#145#248#140'_'#150#241#143#145)
    lgPortugese.Font.Charset = DEFAULT_CHARSET
    lgPortugese.Font.Color = clWindowText
    lgPortugese.Font.Height = -11
    lgPortugese.Font.Name = 'MS Sans Serif'
    lgPortugese.Font.Style = []
    lgPortugese.Strings = (
      '* Textos em portugu'#234's das p'#225'ginas de instala'#231#227'o, por GLID.'
      '2;Leia o seguinte contrato de licen'#231'a!'
      '3;Ao clicar em Avan'#231'ar, voc'#234' aceita o contrato acima. Clique em Cancelar para interromper a instala'#231#227'o.'
      '4;< Voltar'
      '5;Avan'#231'ar >'
      '6;Cancelar'
      '10;Bem-vindo ao programa de instala'#231#227'o do Tavrix!'
      '11;Para evitar problemas durante a instala'#231#227'o do Tavrix, recomendamos que feche todas as aplica'#231#245'es do Windows em execu'#231#227'o e execute novamente o programa de instala'#231#227'o do Tavrix.'
      '12;Clique em Avan'#231'ar para continuar a instala'#231#227'o.'
      '14;Arquivo sendo instalado'
      '15;Arquivo atual'
      '16;Progresso total'
      '#38;'
      'Clique em Continuar e aguarde at'#233' que a instala'#231#227'o termine!'
      'Os arquivos do Tavrix foram instalados.'
      'Para que o programa Tavrix funcione corretamente,'
      'ele far'#225' agora alguns ajustes no seu sistema.'
      '#'
      '45;Insira o disquete n'#250'mero %d!'
      '46;Se o arquivo de instala'#231#227'o n'#227'o for encontrado no diret'#243'rio padr'#227'o, indique o diret'#243'rio dele com o bot'#227'o Procurar.'
      '47;Diret'#243'rio:'
      '48;&Procurar...'
      '49;Continuar'
      '#60;'
      'N'#227'o foi poss'#237'vel concluir a instala'#231#227'o do Tavrix!'
      '#'
      '72;Concluir'
      '100;Contrato de licen'#231'a do software')
    lgRussian.Font.Charset = DEFAULT_CHARSET
    lgRussian.Font.Color = clWindowText
    lgRussian.Font.Height = -11
    lgRussian.Font.Name = 'MS Sans Serif'
    lgRussian.Font.Style = []
    lgRussian.Strings = (
      '* '#208#243#241#241#234#232#229' '#242#229#234#241#242#251' '#241#242#240#224#237#232#246' '#243#241#242#224#237#238#226#234#232', '#239#238' GLID.'
      '2;'#207#240#238#247#242#232#242#229', '#239#238#230#224#235#243#233#241#242#224', '#241#235#229#228#243#254#249#229#229' '#235#232#246#229#237#231#232#238#237#237#238#229' '#241#238#227#235#224#248#229#237#232#229'!'
      '3;'#205#224#230#232#236#224#255' '#234#237#238#239#234#243' '#196#224#235#229#229', '#226#251' '#239#240#232#237#232#236#224#229#242#229' '#239#240#232#226#229#228#184#237#237#238#229' '#226#251#248#229' '#241#238#227#235#224#248#229#237#232#229'. '#205#224#230#236#232#242#229' '#206#242#236#229#237#224', '#247#242#238#225#251' '#239#240#229#240#226#224#242#252' '#243#241#242#224#237#238#226#234#243'.'
      '4;< '#205#224#231#224#228
      '5;'#196#224#235#229#229' >'
      '6;'#206#242#236#229#237#224
      '10;'#194#224#241' '#239#240#232#226#229#242#241#242#226#243#229#242' '#239#240#238#227#240#224#236#236#224' '#243#241#242#224#237#238#226#234#232' Tavrix!'
      '11;'#215#242#238#225#251' '#232#231#225#229#230#224#242#252' '#239#240#238#225#235#229#236' '#239#240#232' '#243#241#242#224#237#238#226#234#229' Tavrix, '#240#229#234#238#236#229#237#228#243#229#236' '#231#224#234#240#251#242#252' '#226#241#229' '#240#224#225#238#242#224#254#249#232#229' '#239#240#232#235#238#230#229#237#232#255' Windows '#232' '#241#237#238#226#224' '#231#224#239#243#241#242#232#242#252' '#239#240#238#227#240#224#236#236#243' '#243#241#242#224#237#238#226#234#232' Tavrix.'
      '12;'#205#224#230#236#232#242#229' '#196#224#235#229#229', '#247#242#238#225#251' '#239#240#238#228#238#235#230#232#242#252' '#243#241#242#224#237#238#226#234#243'.'
      '14;'#211#241#242#224#237#224#226#235#232#226#224#229#236#251#233' '#244#224#233#235
      '15;'#210#229#234#243#249#232#233' '#244#224#233#235
      '16;'#206#225#249#232#233' '#245#238#228' '#243#241#242#224#237#238#226#234#232
      '#38;'
      #205#224#230#236#232#242#229' '#207#240#238#228#238#235#230#232#242#252' '#232' '#228#238#230#228#232#242#229#241#252' '#238#234#238#237#247#224#237#232#255' '#243#241#242#224#237#238#226#234#232'!'
      #212#224#233#235#251' Tavrix '#243#241#242#224#237#238#226#235#229#237#251'.'
      #196#235#255' '#239#240#224#226#232#235#252#237#238#233' '#240#224#225#238#242#251' '#239#240#238#227#240#224#236#236#224' Tavrix'
      #241#229#233#247#224#241' '#226#251#239#238#235#237#232#242' '#237#229#234#238#242#238#240#251#229' '#237#224#241#242#240#238#233#234#232' '#226#224#248#229#233' '#241#232#241#242#229#236#251'.'
      '#'
      '45;'#194#241#242#224#226#252#242#229', '#239#238#230#224#235#243#233#241#242#224', '#228#232#241#234#229#242#243' '#237#238#236#229#240' %d!'
      '46;'#197#241#235#232' '#244#224#233#235' '#243#241#242#224#237#238#226#234#232' '#237#229' '#237#224#233#228#229#237' '#226' '#234#224#242#224#235#238#227#229' '#239#238' '#243#236#238#235#247#224#237#232#254', '#243#234#224#230#232#242#229' '#229#227#238' '#234#224#242#224#235#238#227' '#234#237#238#239#234#238#233' '#206#225#231#238#240'.'
      '47;'#202#224#242#224#235#238#227':'
      '48;&'#206#225#231#238#240'...'
      '49;'#207#240#238#228#238#235#230#232#242#252
      '#60;'
      #205#229' '#243#228#224#235#238#241#252' '#231#224#226#229#240#248#232#242#252' '#243#241#242#224#237#238#226#234#243' Tavrix!'
      '#'
      '72;'#195#238#242#238#226#238
      '100;'#203#232#246#229#237#231#232#238#237#237#238#229' '#241#238#227#235#224#248#229#237#232#229)
    lgSpanish.Font.Charset = DEFAULT_CHARSET
    lgSpanish.Font.Color = clWindowText
    lgSpanish.Font.Height = -11
    lgSpanish.Font.Name = 'MS Sans Serif'
    lgSpanish.Font.Style = []
    lgSpanish.Strings = (
      '* Textos en espa'#241'ol de las p'#225'ginas de instalaci'#243'n, por GLID.'
      '2;'#161'Lea el siguiente contrato de licencia!'
      '3;Al hacer clic en Siguiente acepta el contrato anterior. Haga clic en Cancelar para detener la instalaci'#243'n.'
      '4;< Atr'#225's'
      '5;Siguiente >'
      '6;Cancelar'
      '10;'#161'Bienvenido al programa de instalaci'#243'n de Tavrix!'
      '11;Para evitar problemas durante la instalaci'#243'n de Tavrix, le recomendamos que cierre todas las aplicaciones de Windows en ejecuci'#243'n y vuelva a iniciar el programa de instalaci'#243'n de Tavrix.'
      '12;Haga clic en Siguiente para continuar con la instalaci'#243'n.'
      '14;Archivo en instalaci'#243'n'
      '15;Archivo actual'
      '16;Progreso total'
      '#38;'
      #161'Haga clic en Continuar y espere a que termine la instalaci'#243'n!'
      'Se han instalado los archivos de Tavrix.'
      'Para que el programa Tavrix funcione correctamente,'
      'ahora realizar'#225' algunos ajustes en su sistema.'
      '#'
      '45;'#161'Inserte el disquete n'#250'mero %d!'
      '46;Si el archivo de instalaci'#243'n no se encuentra en el directorio predeterminado, indique su directorio con el bot'#243'n Examinar.'
      '47;Directorio:'
      '48;&Examinar...'
      '49;Continuar'
      '#60;'
      #161'No se pudo completar la instalaci'#243'n de Tavrix!'
      '#'
      '72;Finalizar'
      '100;Contrato de licencia del software')
  end
end
