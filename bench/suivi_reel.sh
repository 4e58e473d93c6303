#!/usr/bin/env bash
# The program itself following a file, as a user runs it: a logger appends a record every
# 100 ms (or MS) to a file of 4000 records (or RECORDS), the window refreshes once a second
# (offscreen), and the program's CPU time over one minute is read from /proc.
# Usage: suivi_reel.sh BUILD_DIR [RECORDS [MS]]
set -euo pipefail
build=$1
records=${2:-4000}
ms=${3:-100}
prog=$(mktemp -d "${TMPDIR:-/tmp}/lintrace-suivi.XXXXXX")
writer_pid=""
prog_pid=""
cleanup() {
  for p in $prog_pid $writer_pid; do kill "$p" 2>/dev/null || true; wait "$p" 2>/dev/null || true; done
  rm -rf "$prog"
}
trap cleanup EXIT

cp -r "$build/bin/." "$prog/"
printf '1\r\n2\r\n2\r\n,\r\nID1\r\nID3\r\nFALSE\r\n0\r\n-2147483633\r\n-2147483633\r\n' > "$prog/Lintrac_setup.txt"
"$build/bench_bin/bench_suivi" writer "$prog/run.txt" "$records" 75 "$ms" &
writer_pid=$!
until [ -e "$prog/run.txt" ]; do sleep 0.2; done
QT_QPA_PLATFORM=offscreen "$prog/lintrace" "$prog/run.txt" 2>/dev/null &
prog_pid=$!
sleep 5
cpu() { awk '{print $14 + $15}' "/proc/$prog_pid/stat"; }
debut=$(cpu)
sleep 60
fin=$(cpu)
tck=$(getconf CLK_TCK)
awk -v d="$debut" -v f="$fin" -v t="$tck" \
  -v r="$records" -v hz=$((1000 / ms)) \
  'BEGIN { printf "follow_%dhz_%d_records_refresh_1s: %.2f CPU s per minute\n", hz, r, (f - d) / t }'
