#!/usr/bin/env bash
# Builds the Debian package from this build tree, checks what it holds, unpacks it and runs
# the unpacked program the way an installed one runs: its folder read-only, its settings in
# the user's data folder. The window is driven with real clicks on an Xvfb display.
#   test_paquet.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$1
build=$2

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
for tool in cpack dpkg-deb desktop-file-validate appstreamcli lintian Xvfb xdotool setpriv; do
  command -v "$tool" >/dev/null || fail "$tool is missing (tools/install-deps.sh installs it)"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/lintrace-paquet.XXXXXX")
chmod 755 "$work"
xvfb_pid=""
prog_pid=""
cleanup() {
  if [ -n "$prog_pid" ]; then kill "$prog_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# ---- the package, made from what is built, outside the build folder
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack"; }
debs=("$work"/pkg/lintrace_*_amd64.deb)
[ -f "${debs[0]}" ] || fail "no lintrace_<version>_amd64.deb made"
deb=${debs[0]}
version=$(dpkg-deb -f "$deb" Version)
[ "$(basename "$deb")" = "lintrace_${version}_amd64.deb" ] || fail "package file named $(basename "$deb")"

list=$(dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's#^\./#/#')
expect=(/opt/lintrace/lintrace /usr/bin/lintrace /opt/lintrace/lintrace-render /usr/bin/lintrace-render
        /opt/lintrace/lintrace-demo /usr/bin/lintrace-demo /usr/share/applications/lintrace.desktop
        /usr/share/icons/hicolor/scalable/apps/lintrace.svg /usr/share/icons/hicolor/48x48/apps/lintrace.png
        /usr/share/icons/hicolor/128x128/apps/lintrace.png /usr/share/icons/hicolor/256x256/apps/lintrace.png
        /usr/share/metainfo/org.lintrace.lintrace.metainfo.xml /usr/share/doc/lintrace/copyright
        /usr/share/doc/lintrace/changelog.gz /usr/share/man/man1/lintrace.1.gz
        /usr/share/man/man1/lintrace-render.1.gz /usr/share/man/man1/lintrace-demo.1.gz)
for f in "$src"/data/*; do expect+=("/opt/lintrace/$(basename "$f")"); done
for f in "${expect[@]}"; do
  grep -qxF "$f" <<<"$list" || fail "the package lacks $f"
done
# Nothing outside the program folder and the desktop's own places; no written or build-only file.
allowed='^/(opt/|opt/lintrace/.*|usr/|usr/bin/|usr/bin/lintrace(-render|-demo)?|usr/share/|usr/share/(applications|metainfo|icons|man|lintian|doc)/.*)$'
stray=$(grep -vE "$allowed" <<<"$list" || true)
[ -z "$stray" ] || fail "unexpected paths in the package: $stray"
for bad in Lintrac_setup.txt '~rez_rep' lintrace_demo_writer lintrace_icones test_; do
  if grep -F "$bad" <<<"$list" >/dev/null; then fail "the package holds $bad"; fi
done
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends" || fail "Depends not computed from the binary: $depends"
grep -q 'fonts-liberation' <<<"$depends" || fail "Depends lacks fonts-liberation: $depends"

lint=$(lintian "$deb" 2>&1 | grep -E '^[EW]: ' || true)
[ -z "$lint" ] || fail "lintian: $lint"

root="$work/root"
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/lintrace.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.lintrace.lintrace.metainfo.xml" >"$work/as.log" 2>&1 ||
  { cat "$work/as.log" >&2; fail "metainfo"; }
for p in lintrace lintrace-render lintrace-demo; do
  [ "$(readlink "$root/usr/bin/$p")" = "/opt/lintrace/$p" ] || fail "/usr/bin/$p link"
done
grep -qx 'Exec=lintrace %f' "$root/usr/share/applications/lintrace.desktop" || fail "desktop entry Exec"
grep -qx 'MimeType=text/plain;' "$root/usr/share/applications/lintrace.desktop" || fail "desktop entry MimeType"
grep -qx 'License: GPL-3+' "$root/usr/share/doc/lintrace/copyright" || fail "copyright licence"
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$root/usr/share/metainfo/org.lintrace.lintrace.metainfo.xml" ||
  fail "metainfo licence"
# The demo writer, as a user of the package runs it beside the window.
"$root/opt/lintrace/lintrace-demo" --interval-ms 0 --records 3 "$work/demo.txt" || fail "lintrace-demo"
[ "$(grep -c '^"0' "$work/demo.txt")" -eq 3 ] && grep -q Stopped "$work/demo.txt" || fail "lintrace-demo wrote $(cat "$work/demo.txt")"

# ---- the unpacked program, installed-like
prog_dir="$root/opt/lintrace"
# A setup file shipped beside the program is the default: French, top session "SHIPPED".
printf '5\r\n0\r\n2\r\n,\r\nSHIPPED\r\nID3\r\nFALSE\r\n0\r\n-2147483633\r\n-2147483633\r\n' \
  >"$prog_dir/Lintrac_setup.txt"
shipped_setup=$(cat "$prog_dir/Lintrac_setup.txt")
chmod -R a-w "$prog_dir"
before=$(find "$prog_dir" -printf '%p %s %T@\n' | sort)

# Root writes anywhere whatever the permission bits: the program then runs as nobody, for
# whom the program folder is really read-only.
runner=()
if [ "$(id -u)" -eq 0 ]; then runner=(setpriv --reuid=65534 --regid=65534 --clear-groups); fi
home="$work/home"
mkdir -p "$home/data" "$home/run"
chmod 700 "$home/run"
if [ "$(id -u)" -eq 0 ]; then chown -R 65534:65534 "$home"; fi
user_setup="$home/data/Lintrace/Lintrac_setup.txt"
mkdir -p "$work/bin"
ln -s "$prog_dir/lintrace" "$work/bin/lintrace" # started through a link, as /usr/bin/lintrace is

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -ac 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(cat "$work/display")"

shot() {
  if command -v import >/dev/null && import -window root "$build/test_paquet-$1.png" 2>/dev/null; then
    echo "screen at failure: $build/test_paquet-$1.png" >&2
  fi
}
start() {
  env HOME="$home" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/run" QT_QPA_PLATFORM=xcb \
    "${runner[@]}" "$@" >>"$work/prog.log" 2>&1 &
  prog_pid=$!
  wid=$(timeout 20 xdotool search --sync --onlyvisible --pid "$prog_pid" --name 'Lintrace$' | head -n 1) ||
    { shot start; cat "$work/prog.log" >&2; fail "no Lintrace window"; }
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$wid")"
}
stop() {
  kill "$prog_pid"
  wait "$prog_pid" 2>/dev/null || true
  prog_pid=""
}
# Clicks at a point of the window's client area (its fixed design layout).
click() {
  xdotool mousemove --window "$wid" "$1" "$2" click 1
  sleep 0.4
}
open_setup() { click 24 $((HEIGHT - 23)); } # the glyph button, anchored to the bottom left
german() { click 88 170; }                  # "Deutch" in the language group of the setup panel
save() { click 226 415; }                   # "Save" in the setup panel
wait_for() {
  for _ in $(seq 50); do [ -f "$1" ] && return 0; sleep 0.1; done
  return 1
}

# First start: nothing of the user's yet, so the shipped setup holds; choose German, save.
start "$work/bin/lintrace"
open_setup
german
save
wait_for "$user_setup" || { shot save; fail "Save wrote no $user_setup"; }
stop
mapfile -t lines < <(tr -d '\r' <"$user_setup")
[ "${lines[1]}" = 3 ] || fail "saved language ${lines[1]}, not 3"
[ "${lines[4]}" = SHIPPED ] || fail "the shipped setup was not the default (top name ${lines[4]})"

# Second start, as the top session: the user's setup must be the one read. A line after the
# eleventh shows whether the next Save rewrote the file; a Save of what was read keeps German.
printf 'marker\r\n' >>"$user_setup"
start "$prog_dir/lintrace" "#1"
[ "$Y" -eq 0 ] && [ "$WIDTH" -eq 1280 ] || fail "\"#1\" placed the window at $X,$Y ${WIDTH}x$HEIGHT"
open_setup
save
sleep 1
stop
mapfile -t lines < <(tr -d '\r' <"$user_setup")
[ "${#lines[@]}" -eq 11 ] || fail "the second Save did not rewrite the user's setup"
[ "${lines[1]}" = 3 ] || fail "the restart did not read the user's setup (language ${lines[1]})"

after=$(find "$prog_dir" -printf '%p %s %T@\n' | sort)
[ "$before" = "$after" ] || fail "the program wrote into its read-only folder"
[ "$(cat "$prog_dir/Lintrac_setup.txt")" = "$shipped_setup" ] || fail "the shipped setup changed"
echo "package $(basename "$deb"): contents, desktop entry, metainfo and per-user setup checked"
