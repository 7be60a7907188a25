#!/usr/bin/env bash
# Start-up time and peak memory of the launcher against the plain stand-in program (DemoApp: one Qt
# window, the same start-up options), both headless on a copy of the demo device, each run ending
# right after its first frame; then both on a desktop (a private X server) to their first frame. Then
# the launcher on a skin of forty slots that all name one 5000 × 5000 picture. Needs a built tree
# (scripts/test or cmake --build --preset default).
#   bench/startup.sh [runs]      (default 20 runs of each)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/packages.sh
vexa_install_packages time python3 xvfb libxdamage1

runs=${1:-20}
device="$(mktemp -d)"
trap 'rm -rf "$device"' EXIT
cp -r build/device/. "$device/"
echo quit > "$device/quit.txt"

# Mean wall time in ms and the largest peak resident size in MB of `runs` starts of a program.
measure() {
  local program=$1 total=0 peak=0 start end rss
  shift
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    rss=$(/usr/bin/time -f %M "$program" --headless --device-root "$device" --scenario "$device/quit.txt" \
      --log /dev/null "$@" 2>&1 >/dev/null | tail -1)
    end=$(date +%s%N)
    total=$((total + (end - start) / 1000))
    ((rss > peak)) && peak=$rss
  done
  awk -v t="$total" -v n="$runs" -v p="$peak" 'BEGIN { printf "%8.1f ms %8.1f MB", t / n / 1000, p / 1024 }'
}

deck="$device/Storage Card/VexaDeck/VexaDeck.exe"
demo="$device/Storage Card/Navi/navi.exe"
printf '%-34s %s\n' "DemoApp" "$(measure "$demo" --module-path '\Storage Card\Navi\navi.exe')"
printf '%-34s %s\n' "VexaDeck, demo skin 800x480" "$(measure "$deck" --module-path '\Storage Card\VexaDeck\VexaDeck.exe')"

# The same two on a desktop: to the first frame drawn on a private X server.
echo "Desktop (private X server), median of $runs runs:"
python3 bench/desktop_startup.py "$device" "$runs" \
  DemoApp "Storage Card/Navi/navi.exe" '\Storage Card\Navi\navi.exe' \
  "VexaDeck, demo skin 800x480" "Storage Card/VexaDeck/VexaDeck.exe" '\Storage Card\VexaDeck\VexaDeck.exe'

# Forty slots naming one large PNG: each file is decoded once, reduced to the screen.
skin="$device/Storage Card/VexaDeck/Skin/Big"
mkdir -p "$skin/button" "$skin/background"
python3 - "$skin/button/big.png" <<'PY'
import struct, sys, zlib
w = h = 5000
row = bytes([0]) + bytes((x * 7 + 40) & 0xFF for x in range(w * 3))
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
raw = zlib.compress(row * h, 1)
with open(sys.argv[1], "wb") as f:
    f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", raw) + chunk(b"IEND", b""))
PY
{
  printf '[Background]\r\nImageFile=big.png\r\n'
  for n in $(seq 1 40); do
    printf '[Button%02d]\r\nAction=NONE\r\nUpImageFile=big.png\r\nDownImageFile=big.png\r\nPosition=%d,%d\r\nSize=90,90\r\n' \
      "$n" $(((n - 1) % 8 * 100)) $(((n - 1) / 8 * 95))
  done
} > "$skin/skin800x480.ini"
cp "$skin/button/big.png" "$skin/background/big.png"
sed -i 's/^SkinName=[^\r]*/SkinName=Big/' "$device/Storage Card/VexaDeck/VexaDeck.ini"
runs=3
printf '%-34s %s\n' "VexaDeck, 40 slots, 5000x5000 PNG" "$(measure "$deck" --module-path '\Storage Card\VexaDeck\VexaDeck.exe')"
