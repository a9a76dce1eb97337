#!/usr/bin/env python3
"""The generated product of the benchmarks.

  bench_product.py payload N DIR       N files of 1 KB (G<k>\\f<i>.dat, 1,000 a
                                       folder) and 50 files of 1 MB (BIG\\b<j>.big)
  bench_product.py form N SOURCE OUT   its stored main form, one group a folder,
                                       the files taken from SOURCE (a Windows path)
"""
import os
import random
import sys


def payload(n, out):
    rnd = random.Random(n)
    for i in range(n):
        d = os.path.join(out, "G%d" % (i // 1000))
        os.makedirs(d, exist_ok=True)
        # Half text-like, half random: neither all compressible nor none.
        data = (b"line %d of a small file\r\n" % i) * 20
        data = (data[:512] + rnd.randbytes(512))[:1024]
        with open(os.path.join(d, "f%d.dat" % i), "wb") as f:
            f.write(data)
    os.makedirs(os.path.join(out, "BIG"), exist_ok=True)
    for j in range(50):
        block = rnd.randbytes(4096) + bytes(4096)
        with open(os.path.join(out, "BIG", "b%d.big" % j), "wb") as f:
            f.write(block * 128)


def form(n, src, out):
    lines = ["object Form1: TForm1", "  Caption = 'Bench Product'",
             "  object Install1: TInstall", "    ArchiveFile = '\\files.1'", "    ArchiveFileType = ddLoading",
             "    UseLoadingProgram = True", "    DestDir = 'C:\\KitBench'", "    DestDirType = ddAbsolute",
             "    Information.ProductName = 'Bench Product'", "  end"]
    groups = {}
    for i in range(n):
        groups.setdefault("G%d" % (i // 1000), []).append("f%d.dat" % i)
    groups["BIG"] = ["b%d.big" % j for j in range(50)]
    for order, (g, files) in enumerate(groups.items()):
        lines += ["  object Grp%s: TInstallFileGroup" % g, "    Container = Install1", "    DestDir = '\\%s'" % g,
                  "    DestDirType = ddContainerDestDir", "    ArchiveFileType = ddContainerArchiveFile",
                  "    GroupName = '%s'" % g, "    Order = %d" % order, "  end"]
        for k, f in enumerate(files):
            lines += ["  object F%s_%d: TInstallFile" % (g, k), "    Container = Grp%s" % g,
                      "    DestDirType = ddContainerDestDir", "    ArchiveFileType = ddContainerArchiveFile",
                      "    FileName = '%s'" % f, "    DestName = '%s'" % f,
                      "    IncludeFromDir = '%s\\%s'" % (src, g), "    Order = %d" % k, "  end"]
    lines.append("end")
    with open(out, "w", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "payload":
        payload(int(sys.argv[2]), sys.argv[3])
    elif len(sys.argv) == 5 and sys.argv[1] == "form":
        form(int(sys.argv[2]), sys.argv[3], sys.argv[4])
    else:
        sys.exit(__doc__)
