#!/usr/bin/env python3
"""The Tavrix product: its file list, the main form's components for it, and
a sample payload for C:\\TAVWIN with plausible names and sizes.

  tavrix_payload.py form             prints the components below Install1
  tavrix_payload.py payload DIR      writes the payload tree into host DIR
"""
import os
import random
import sys

# (component, DestDir, GroupName in code page 1254, Order, source subdir, files)
GROUPS = [
    ("FileGroup1", "\\Bde", "DataBase Engine", 9, "BDE",
     ["IDAPI32.DLL", "IDAPI32.CFG", "IDR20009.DLL", "IDPDX32.DLL", "IDSQL32.DLL", "BLW32.DLL", "BANTAM.DLL"]),
    ("FileGroup2", "\\Data", "Data Dosyalar\xfd", 8, "DATA",
     ["TAV%03d.DB" % i for i in range(1, 36)] + ["TAV%03d.PX" % i for i in range(1, 36)] + ["ALIAS.TXT"]),
    ("FileGroup3", "\\Misc", "Yard\xfdmc\xfd Dosyalar", 7, "MISC",
     ["TAVRIX.HLP"] + ["FORM%02d.RPT" % i for i in range(1, 13)] + ["LOGO.BMP", "FAXCOVER.BMP", "MODEM.INF", "READ.ME"]),
    ("FileGroup4", "\\Config", "Ayar Dosyalar\xfd", 6, "CONFIG",
     ["TAVRIX.INI", "MODEMS.CFG", "PORTS.CFG", "USERS.CFG", "FAX.CFG", "MSG.CFG", "DIAL.CFG", "PRINT.CFG", "KEYS.CFG"]),
    ("FileGroup5", "\\GelenFax", "Al\xfdnan Faxlar", 5, None, []),
    ("FileGroup6", "\\GidenFax", "G\xf6nderilen Faxlar", 4, None, []),
    ("FileGroup7", "\\GelenMsg", "Al\xfdnan Mesajlar", 3, None, []),
    ("FileGroup8", "\\GidenMsg", "G\xf6nderilen Mesajlar", 2, None, []),
    ("FileGroup9", "\\Dnload", "Al\xfdnan Dosyalar", 1, None, []),
    ("FileGroup10", "\\Upload", "G\xf6nderilen Dosyalar", 0, None, []),
]
TOP_FILES = ["Tavrix.exe", "Tinst.exe", "Tavrix.dll", "Tavfax.dll"]


def quote(text):
    """A stored-form string: printable ASCII in quotes, other bytes as #n."""
    out, run = "", ""
    for ch in text:
        if 32 <= ord(ch) < 127:
            run += "''" if ch == "'" else ch
        else:
            if run:
                out += "'" + run + "'"
                run = ""
            out += "#%d" % ord(ch)
    if run or not out:
        out += "'" + run + "'"
    return out


def form():
    n = 0
    lines = []
    for order, name in enumerate(TOP_FILES):
        n += 1
        lines += ["  object InstallFile%d: TInstallFile" % n, "    Container = Install1",
                  "    DestDirType = ddContainerDestDir", "    ArchiveFileType = ddContainerArchiveFile",
                  "    FileName = %s" % quote(name), "    DestName = %s" % quote(name),
                  "    IncludeFromDir = 'C:\\TAVWIN'", "    Order = %d" % order, "  end"]
    for comp, dest, group, order, sub, files in GROUPS:
        lines += ["  object %s: TInstallFileGroup" % comp, "    Container = Install1",
                  "    DestDir = %s" % quote(dest), "    DestDirType = ddContainerDestDir",
                  "    ArchiveFileType = ddContainerArchiveFile", "    GroupName = %s" % quote(group),
                  "    Order = %d" % order, "  end"]
        for i, name in enumerate(files):
            n += 1
            lines += ["  object InstallFile%d: TInstallFile" % n, "    Container = %s" % comp,
                      "    DestDirType = ddContainerDestDir", "    ArchiveFileType = ddContainerArchiveFile",
                      "    FileName = %s" % quote(name), "    DestName = %s" % quote(name),
                      "    IncludeFromDir = 'C:\\TAVWIN\\%s'" % sub, "    Order = %d" % i]
            if name.endswith(".HLP"):
                lines.append("    RegisterAsHelp = True")
            lines.append("  end")
    assert n == 108, n
    lines += ["  object UninstallEXE2: TUninstallEXE", "    Container = Install1",
              "    DestDirType = ddContainerDestDir", "    ArchiveFileType = ddContainerArchiveFile",
              "    FileName = 'uninstall.exe'", "    DestName = 'uninstall.exe'",
              "    IncludeFromDir = 'C:\\Program Files\\Kobbelin32\\Version2'", "    Order = 4", "  end"]
    print("\n".join(lines))


def payload(root, tinst=None):
    rng = random.Random(1996)  # the same bytes on every run
    def write(path, size):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        words = [b"Tavrix ", b"fax ", b"mesaj ", b"data ", b"kay\xfdt ", b"\x00\x01\x02\x03"]
        with open(path, "wb") as f:
            data = bytearray()
            while len(data) < size:
                data += rng.choice(words)
            f.write(bytes(data[:size]))
    for name in TOP_FILES:
        if name == "Tinst.exe" and tinst:
            with open(tinst, "rb") as s, open(os.path.join(root, name), "wb") as d:
                d.write(s.read())
        else:
            write(os.path.join(root, name), rng.randint(40_000, 400_000))
    for _, _, _, _, sub, files in GROUPS:
        for name in files:
            write(os.path.join(root, sub, name), rng.randint(500, 60_000))


if __name__ == "__main__":
    if len(sys.argv) >= 2 and sys.argv[1] == "form":
        form()
    elif len(sys.argv) >= 3 and sys.argv[1] == "payload":
        payload(sys.argv[2], sys.argv[3] if len(sys.argv) > 3 else None)
    else:
        sys.exit(__doc__)
