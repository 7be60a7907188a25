#!/usr/bin/env python3
"""Start-up to the first frame on a desktop: each program runs on a private X server (Xvfb) and the time
is taken from its start until something is drawn on the screen after its first window was mapped (the
X server's damage report). Runs alternate between the programs; the medians are printed.

  bench/desktop_startup.py DEVICE_ROOT RUNS NAME HOST_PATH MODULE_PATH [NAME HOST_PATH MODULE_PATH ...]

HOST_PATH is the program's path inside DEVICE_ROOT; ratios are to the first program."""
import ctypes
import ctypes.util
import os
import select
import statistics
import subprocess
import sys
import time

root, runs = sys.argv[1], int(sys.argv[2])
programs = list(zip(sys.argv[3::3], sys.argv[4::3], sys.argv[5::3]))
r, w = os.pipe()
xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(w), "-screen", "0", "800x480x24", "-nolisten", "tcp"],
                        pass_fds=(w,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
os.close(w)
display = ":" + os.read(r, 64).decode().strip()
x = ctypes.CDLL(ctypes.util.find_library("X11"))
damage = ctypes.CDLL("libXdamage.so.1")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
x.XPending.argtypes = [ctypes.c_void_p]
x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
x.XConnectionNumber.argtypes = [ctypes.c_void_p]
x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
damage.XDamageQueryExtension.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int)]
damage.XDamageCreate.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int]
damage.XDamageCreate.restype = ctypes.c_ulong
damage.XDamageSubtract.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong]
dpy = x.XOpenDisplay(display.encode())
rootWindow = x.XDefaultRootWindow(dpy)
base, errors = ctypes.c_int(), ctypes.c_int()
damage.XDamageQueryExtension(dpy, ctypes.byref(base), ctypes.byref(errors))
x.XSelectInput(dpy, rootWindow, 1 << 19)  # SubstructureNotifyMask: windows mapped on the screen
watch = damage.XDamageCreate(dpy, rootWindow, 3)  # XDamageReportNonEmpty: anything drawn on it
event = ctypes.create_string_buffer(192)
env = dict(os.environ, DISPLAY=display)
env.pop("WAYLAND_DISPLAY", None)
times = {name: [] for name, _, _ in programs}
for _ in range(runs):
    for name, path, module in programs:
        damage.XDamageSubtract(dpy, watch, 0, 0)
        x.XSync(dpy, 1)
        start = time.perf_counter()
        p = subprocess.Popen([os.path.join(root, path), "--device-root", root, "--module-path", module], env=env,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        mapped = drawn = False
        while not drawn:
            while x.XPending(dpy) and not drawn:
                x.XNextEvent(dpy, event)
                kind = int.from_bytes(event.raw[:4], "little")
                if kind == 19:
                    mapped = True
                elif kind == base.value:
                    damage.XDamageSubtract(dpy, watch, 0, 0)
                    drawn = mapped
            if not drawn:
                select.select([x.XConnectionNumber(dpy)], [], [], 1.0)
        times[name].append((time.perf_counter() - start) * 1000)
        p.terminate()
        p.wait()
xvfb.terminate()
first = statistics.median(times[programs[0][0]])
for name, _, _ in programs:
    m = statistics.median(times[name])
    print(f"{name:34s} {m:8.1f} ms ({m / first:.2f} x)")
