#!/usr/bin/env bash
# lintrace-render and kst2 side by side on the same 3 000 000-record run (8 h 20 min at 100 Hz,
# 20 single-record spikes after the first 5000 records), which this script writes itself.
# Usage: bench/rendu_longue.sh BUILD_DIR
set -euo pipefail
here="$(dirname "$(readlink -f "$0")")"
bin="$(readlink -f "${1:-build}")/bin"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
awk -v n=3000000 -f "$here/course_longue.awk" > "$work/run.txt"
mkdir -p "$work/xdg/kst"
printf '[ASCII%%20file]\nColumn%%20Type=2\nColumn%%20Delimiter=" \\""\nData%%20Start=3\n' > "$work/xdg/kst/data.conf"
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/xdg"
/usr/bin/time -f "lintrace-render: wall %e s, CPU %U+%S s, peak %M KB" "$bin/lintrace-render" --curves 3 "$work/run.txt" "$work/l.png"
if command -v kst2 >/dev/null; then
  /usr/bin/time -f "kst2: wall %e s, CPU %U+%S s, peak %M KB" kst2 "$work/run.txt" -x 1 -y 4 --png "$work/k.png" 2>&1 |
    grep -v XDG_RUNTIME_DIR
else
  echo "kst2: not installed (Debian package kst)"
fi
