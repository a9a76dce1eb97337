object Form1: TForm1
  Width = 576
  Height = 400
  Caption = 'Tavrix Suite'
  object Install1: TInstall
    ArchiveFile = '\files.1'
    ArchiveFileType = ddLoading
    DestDir = '@DEST@'
    DestDirType = ddAbsolute
    InstallTypes = [itDefault, itFull]
    Information.CompanyName = 'Norvel Ltd. Sti.'
    Information.ProductName = 'Tavrix Suite'
    Information.Version = '2.0'
  end
  object ProgramGroup: TInstallFileGroup
    Container = Install1
    GroupName = 'Program'
    ArchiveFileType = ddContainerArchiveFile
    DestDirType = ddContainerDestDir
    InstallTypes = [itAlways]
  end
  object ToolsGroup: TInstallFileGroup
    Container = ProgramGroup
    GroupName = 'Tools'
    ArchiveFileType = ddContainerArchiveFile
    DestDirType = ddContainerDestDir
    DestDir = '\Tools'
    InstallTypes = [itDefault]
  end
  object ExtrasGroup: TInstallFileGroup
    Container = Install1
    GroupName = 'Extras'
    ArchiveFileType = ddContainerArchiveFile
    DestDirType = ddContainerDestDir
    DestDir = '\Extras'
    InstallTypes = [itFull]
  end
  object ReadmeFile: TInstallFile
    Container = ProgramGroup
    ArchiveFileType = ddContainerArchiveFile
    IncludeFromDir = '@SRC@'
    FileName = 'README.TXT'
    DestName = 'README.TXT'
    DestDirType = ddContainerDestDir
  end
  object HelpFile: TInstallFile
    Container = ProgramGroup
    ArchiveFileType = ddContainerArchiveFile
    IncludeFromDir = '@SRC@'
    FileName = 'TAVRIX.HLP'
    DestName = 'TAVRIX.HLP'
    DestDirType = ddContainerDestDir
    RegisterAsHelp = True
  end
  object FormFile: TInstallFile
    Container = ProgramGroup
    ArchiveFileType = ddContainerArchiveFile
    IncludeFromDir = '@SRC@'
    FileName = 'TAVFORM.PAS'
    DestName = 'TAVFORM.PAS'
    DestDirType = ddContainerDestDir
    Repository.Delphi3.RegisterIt = True
    Repository.Delphi3.RaiseExceptionOnFailure = True
    Repository.Delphi3.EntryName = 'Tavrix Form'
    Repository.Delphi3.EntryType = 'FormTemplate'
    Repository.Delphi3.Page = 'Tavrix'
    Repository.Delphi3.Description = 'The main form of a Tavrix client'
    Repository.Delphi3.Author = 'Norvel'
  end
  object AppDllFile: TInstallFile
    Container = ProgramGroup
    ArchiveFileType = ddContainerArchiveFile
    IncludeFromDir = '@SRC@'
    FileName = 'TAVAPP.DLL'
    DestName = 'TAVAPP.DLL'
    FileType = iftApplicationSpecificDLL
    DestDirType = ddMainInstallDir
    DestDir = '\System'
  end
  object VendorFile: TInstallFile
    Container = ProgramGroup
    ArchiveFileType = ddContainerArchiveFile
    IncludeFromDir = '@SRC@'
    FileName = 'TAVVEND.DLL'
    DestName = 'TAVVEND.DLL'
    FileType = iftVendorSharedDLL
    DestDirType = ddCommonFilesDir
    DestDir = '\System'
    UpdateDLLCounter = True
  end
  object SystemFile: TInstallFile
    Container = ProgramGroup
    ArchiveFileType = ddContainerArchiveFile
    IncludeFromDir = '@SRC@'
    FileName = 'TAVSYS.DLL'
    DestName = 'TAVSYS.DLL'
    FileType = iftSystemWideDLL
    DestDirType = ddSystem
    OverwriteMode = owVersionDate
    UpdateDLLCounter = True
  end
  object JustDllFile: TInstallFile
    Container = ToolsGroup
    ArchiveFileType = ddContainerArchiveFile
    IncludeFromDir = '@SRC@'
    FileName = 'TAVJUST.DLL'
    DestName = 'TAVJUST.DLL'
    FileType = iftJustADLL
    DestDirType = ddContainerDestDir
  end
  object InprocFile: TInstallFile
    Container = ToolsGroup
    ArchiveFileType = ddContainerArchiveFile
    IncludeFromDir = '@SRC@'
    FileName = 'TAVCTL.DLL'
    DestName = 'TAVCTL.DLL'
    DestDirType = ddContainerDestDir
    RegisterAsActiveX_DLLStyle = True
  end
  object LocalServerFile: TInstallFile
    Container = ToolsGroup
    ArchiveFileType = ddContainerArchiveFile
    IncludeFromDir = '@SRC@'
    FileName = 'TAVSRV.EXE'
    DestName = 'TAVSRV.EXE'
    DestDirType = ddContainerDestDir
    RegisterAsActiveX_EXEStyle = True
  end
  object LeftOutFile: TInstallFile
    Container = ToolsGroup
    ArchiveFileType = ddContainerArchiveFile
    IncludeFromDir = '@SRC@'
    FileName = 'LEFTOUT.TXT'
    DestName = 'LEFTOUT.TXT'
    DestDirType = ddContainerDestDir
    Include = False
  end
  object ExtraFile: TInstallFile
    Container = ExtrasGroup
    ArchiveFileType = ddContainerArchiveFile
    IncludeFromDir = '@SRC@'
    FileName = 'EXTRA.TXT'
    DestName = 'EXTRA.TXT'
    DestDirType = ddContainerDestDir
  end
  object UninstallFile: TUninstallEXE
    Container = Install1
    ArchiveFileType = ddContainerArchiveFile
    IncludeFromDir = '@SRC@'
    FileName = 'UNINST.EXE'
    DestName = 'UNINST.EXE'
    DestDirType = ddContainerDestDir
  end
  object MenuFolder: TShellLinkGroup
    Container = Install1
    DestDirType = ddProgramMenuDir
    DestDir = '\Tavrix Suite'
    GroupKind = gkMainFolder
  end
  object MoreFolder: TShellLinkGroup
    Container = Install1
    DestDirType = ddContainerDestDir
    DestDir = '\More stuff'
    GroupKind = gkMainSubFolder
  end
  object MainLink: TInstallShellLink
    Container = MenuFolder
    DestDirType = ddContainerDestDir
    LinkKind = lkMainExecutable
    LinkName = 'TAVSRV.lnk'
    ObjectLink = LocalServerFile
    ObjectLocationType = ddObjectLink
    Parameters = '/run'
    HotKey = 1620
  end
  object SubFolderLink: TInstallShellLink
    Container = MenuFolder
    DestDirType = ddContainerDestDir
    LinkKind = lkLinkToSubFolder
    LinkName = 'More stuff.lnk'
    ObjectLink = MoreFolder
    ObjectLocationType = ddObjectLink
  end
  object InMainLink: TInstallShellLink
    Container = MenuFolder
    DestDirType = ddContainerDestDir
    LinkKind = lkLinkInMainFolder
    LinkName = 'README.lnk'
    ObjectLink = ReadmeFile
    ObjectLocationType = ddObjectLink
  end
  object UninstallLink: TInstallShellLink
    Container = MenuFolder
    DestDirType = ddContainerDestDir
    LinkName = 'Uninstall.lnk'
    ObjectLink = UninstallFile
    ObjectLocationType = ddObjectLink
  end
  object InSubLink: TInstallShellLink
    Container = MoreFolder
    DestDirType = ddContainerDestDir
    LinkKind = lkLinkInSubFolder
    LinkName = 'TAVRIX.lnk'
    ObjectLink = HelpFile
    ObjectLocationType = ddObjectLink
  end
end
