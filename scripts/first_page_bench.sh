#!/bin/bash
# Times the install program from its start to its first wizard page shown,
# with the whole shipped configuration loaded and a real archive to read.
#   scripts/first_page_bench.sh native DIST_DIR [RUNS]
#   scripts/first_page_bench.sh wine   DIST_DIR [RUNS]
# DIST_DIR holds files.1 of the shipped product (scripts/demo.sh builds one:
# build/demo/dist). Natively the program runs in a fresh emulated machine and
# the page is the one it prints on stderr; under Wine (a display and a
# prefix from scripts/wine-env.sh) the page is the wizard frame's window
# appearing on the X display. Prints one time per run in milliseconds.
set -euo pipefail
mode="${1:?usage: first_page_bench.sh native|wine DIST_DIR [RUNS]}"
dist="$(cd "${2:?usage: first_page_bench.sh native|wine DIST_DIR [RUNS]}" && pwd)"
runs="${3:-5}"
here="$(cd "$(dirname "$0")/.." && pwd)"
python3 - "$mode" "$dist" "$runs" "$here" <<'PY'
import os, subprocess, sys, time, tempfile, shutil, signal
mode, dist, runs, here = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
caption = b"Tavrix for Windows"
times = []
for run in range(runs):
    if mode == "native":
        kitvm = f"{here}/build/native/tools/kitvm/kitvm"
        machine = tempfile.mkdtemp(prefix="firstpage-")
        m = machine + "/m"
        subprocess.run([kitvm, "create", m, "--version", "nt4"], check=True, stdout=subprocess.DEVNULL)
        subprocess.run([kitvm, "put", m, f"{here}/build/native/driver/install", "C:\\SETUP\\INSTALL.EXE"], check=True)
        subprocess.run([kitvm, "put", m, f"{dist}/files.1", "C:\\SETUP\\files.1"], check=True)
        start = time.monotonic()
        p = subprocess.Popen([kitvm, "run", m, "C:\\SETUP\\INSTALL.EXE", "C:\\SETUP"],
                             stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        seen = None
        for line in p.stderr:
            if line.startswith(b"[" + caption + b"]"):
                seen = time.monotonic()
                break
        p.kill(); p.wait()
        shutil.rmtree(machine, ignore_errors=True)
    else:
        preset = os.environ.get("KIT_WIN_PRESET", "win64")
        exe = f"{here}/build/{preset}/driver/install.exe"
        src = tempfile.mkdtemp(prefix="firstpage-")
        shutil.copy(f"{dist}/files.1", src)
        # A copy: a run that gets far enough schedules its own deletion.
        shutil.copy(exe, f"{src}/install.exe")
        winsrc = subprocess.run(["winepath", "-w", src], capture_output=True, text=True).stdout.strip()
        start = time.monotonic()
        p = subprocess.Popen(["wine", f"{src}/install.exe", winsrc], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                             start_new_session=True)
        seen = None
        while time.monotonic() - start < 60:
            tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True).stdout
            # The wizard frame (its 472 by 370 client area: no window manager draws
            # frames), not the main form of the same caption.
            if any(b'"' + caption + b'"' in l and b" 472x370+" in l for l in tree.splitlines()):
                seen = time.monotonic()
                break
            time.sleep(0.01)
        os.killpg(p.pid, signal.SIGKILL); p.wait()
        shutil.rmtree(src, ignore_errors=True)
    if seen is None:
        sys.exit(f"run {run + 1}: the first page did not appear")
    times.append((seen - start) * 1000)
    print(f"run {run + 1}: {times[-1]:.0f} ms")
times.sort()
print(f"median {times[len(times) // 2]:.0f} ms, best {times[0]:.0f} ms, worst {times[-1]:.0f} ms")
PY
