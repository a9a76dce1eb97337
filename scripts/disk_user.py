#!/usr/bin/env python3
"""Plays the user at a floppy drive: runs a kit program on a terminal of its
own, prints what it shows, answers every page and message box with its
default button, and when asked for a disk (Turkish or English prompt) first puts
that disk into drive A: of the emulated machine.

  disk_user.py MACHINE FLOPPIES -- COMMAND...

FLOPPIES is a host folder holding one folder per disk (disk1, disk2, ...);
the disk in the drive is the machine's drives/a. A disk never seen before is
a fresh empty one.
"""
import os
import pty
import re
import select
import shutil
import struct
import subprocess
import sys

DISK = re.compile(r"Disketi Tak|Numaral. Disketi|insert disk number", re.IGNORECASE)
NUMBER = re.compile(r"(\d+)")


def main():
    if len(sys.argv) < 5 or sys.argv[3] != "--":
        sys.exit(__doc__)
    machine, floppies, command = sys.argv[1], sys.argv[2], sys.argv[4:]
    drive = os.path.join(machine, "drives", "a")
    os.makedirs(floppies, exist_ok=True)
    state = {"in_drive": 1 if os.path.isdir(drive) else None}

    def insert(disk):
        if state["in_drive"] == disk and os.path.isdir(drive):
            return
        if os.path.isdir(drive):
            kept = os.path.join(floppies, "disk%d" % state["in_drive"])
            shutil.rmtree(kept, ignore_errors=True)
            shutil.move(drive, kept)
        wanted = os.path.join(floppies, "disk%d" % disk)
        if os.path.isdir(wanted):
            shutil.move(wanted, drive)
        else:
            os.makedirs(drive)
        state["in_drive"] = disk
        # The machine's processes measure the drive afresh.
        counter = os.path.join(machine, "fs-changes")
        if os.path.exists(counter):
            with open(counter, "r+b") as f:
                raw = f.read(8).ljust(8, b"\0")
                f.seek(0)
                f.write(struct.pack("<Q", struct.unpack("<Q", raw)[0] + 1))
        print("[disk_user] disk %d put into drive A:" % disk, flush=True)

    master, slave = pty.openpty()
    proc = subprocess.Popen(command, stdin=slave, stdout=slave, stderr=slave, close_fds=True)
    os.close(slave)
    pending = ""
    while True:
        ready, _, _ = select.select([master], [], [], 0.5)
        if not ready:
            if proc.poll() is not None:
                break
            continue
        try:
            chunk = os.read(master, 4096).decode("utf-8", "replace").replace("\r", "")
        except OSError:
            break
        if not chunk:
            break
        sys.stdout.write(chunk)
        sys.stdout.flush()
        pending += chunk
        if pending.endswith("> "):
            asked = [line for line in pending.splitlines() if DISK.search(line)]
            if asked:
                numbers = NUMBER.findall(asked[-1])
                if numbers:
                    insert(int(numbers[-1]))
            pending = ""
            os.write(master, b"\n")
    code = proc.wait()
    os.close(master)
    sys.exit(code)


if __name__ == "__main__":
    main()
