#!/usr/bin/env bash
# Builds lintrace and shows it following a file that the bundled demo writer is filling.
# With a display the window opens and the demo ends when it is closed; without one the
# program runs under Xvfb and a screenshot is left in build/demo-screenshot.png.
set -euo pipefail

cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.."
root=$(pwd)
shot="$root/build/demo-screenshot.png"
shot_delay=8

has_display() { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }

writer_pid=""
work=""
cleanup() {
  if [ -n "$writer_pid" ]; then
    kill "$writer_pid" 2>/dev/null || true
    wait "$writer_pid" 2>/dev/null || true
  fi
  if [ -n "$work" ]; then rm -rf "$work"; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if has_display; then
  tools/install-deps.sh
else
  tools/install-deps.sh --with-display-tools
fi

cmake --preset default --log-level=WARNING
cmake --build --preset default -j"$(nproc)" --target lintrace lintrace-demo lintrace_data

# Someone watching gets a slow, live run; the screenshot a fast one, so the picture has shape.
interval=300
if ! has_display; then interval=50; fi
work=$(mktemp -d "${TMPDIR:-/tmp}/lintrace-demo.XXXXXX")
data="$work/demo-run.txt"
build/bin/lintrace-demo --interval-ms "$interval" --records 400 "$data" &
writer_pid=$!

# Wait for the names line and a few records, so the first picture already has curves.
for _ in $(seq 100); do
  if [ -f "$data" ] && [ "$(grep -c '^"[0-4]' "$data" || true)" -ge 5 ]; then break; fi
  if ! kill -0 "$writer_pid" 2>/dev/null; then
    echo "The demo writer stopped before writing any records." >&2
    exit 1
  fi
  sleep 0.1
done

if has_display; then
  status=0
  build/bin/lintrace "$data" || status=$?
  exit "$status"
fi

# Inside Xvfb: start the window, let it load and redraw, photograph the screen, stop it.
# shellcheck disable=SC2016 # expanded by the inner shell
inner='
  "$1" "$2" & pid=$!
  sleep "$4"
  if ! kill -0 "$pid" 2>/dev/null; then
    status=0; wait "$pid" || status=$?
    echo "lintrace ended early (status $status)." >&2
    exit 1
  fi
  import -window root "$3"
  kill "$pid"; wait "$pid" 2>/dev/null || true
'
rm -f "$shot"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$inner" demo "$root/build/bin/lintrace" "$data" "$shot" "$shot_delay"
echo "Screenshot of the running window: $shot"
