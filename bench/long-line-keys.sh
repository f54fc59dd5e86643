#!/bin/bash
# CPU time of a key typed on a very long line, in the real program: opens a file with one 10 MB line of
# Perl-looking text (with Japanese, in Shift_JIS) under Xvfb, clicks into the text, puts the caret 20 characters
# before the end of the long line (text on both sides of it), types 20 letters with xdotool and reads the process's
# CPU time (utime + stime from /proc/PID/stat) before and after; the same span without typing is the idle baseline.
# Prints ms per key for the line alone, for the line among 4000 others (goal: at most 2) and, for comparison, for a
# short line of that file. CORVELLA_KEYS=60 types more letters, for a finer reading (the clock ticks at 10 ms).
# Usage: bench/long-line-keys.sh [path/to/corvella]   (default build/corvella; corpus in $CORVELLA_CORPUS)
set -euo pipefail
if [ -z "${CORVELLA_KEYS_XVFB:-}" ]; then
  CORVELLA_KEYS_XVFB=1 exec xvfb-run -a -s '-screen 0 1280x800x24' "$0" "$@"
fi
program=$(realpath "${1:-build/corvella}")
corpus=${CORVELLA_CORPUS:-/tmp/corvella-corpus}
work=$(mktemp -d)
chmod 700 "$work"
trap 'rm -rf "$work"' EXIT
unset QT_QPA_PLATFORM

here=$(dirname "$0")
python3 "$here/make-long-line.py" "$corpus/perl-2m.pl" "$work/alone.pl"
python3 "$here/make-long-line.py" "$corpus/perl-2m.pl" "$work/among.pl" --among

ticks=$(getconf CLK_TCK)
keys=${CORVELLA_KEYS:-20}
typing=$((keys * 150 / 1000 + 1))
cpu() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# Starts the program on file $1 with the long line as line $2, types $3 letters there; prints the CPU ticks the
# $typing + 5 s from the first key took (a slow program catches up after typing).
measure() {
  # A home of its own: no recovery question or session of the run before.
  local home
  home=$(mktemp -d "$work/home.XXXXXX")
  HOME=$home TMPDIR=$home XDG_RUNTIME_DIR=$home XDG_CONFIG_HOME=$home/cfg "$program" "$1" >/dev/null 2>&1 &
  local pid=$! window
  sleep 8
  window=$(xdotool search --sync --onlyvisible --pid $pid | tail -1)
  xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
  xdotool mousemove --window "$window" 400 300 click 1
  xdotool key --delay 50 ctrl+Home
  if [ "$2" -gt 1 ]; then xdotool key --delay 5 --repeat $(($2 - 1)) Down; fi
  xdotool key --delay 50 End
  xdotool key --delay 20 --repeat 20 Left
  sleep 2
  local before after
  before=$(cpu $pid)
  if [ "$3" -gt 0 ]; then xdotool type --delay 150 "$(head -c "$3" /dev/zero | tr '\0' x)"; fi
  sleep $((typing - $3 * 150 / 1000))
  sleep 5
  after=$(cpu $pid)
  kill $pid
  wait $pid 2>/dev/null || true
  echo $((after - before))
}

for case in "alone 1 10-MB-line" "among 2001 10-MB-line" "among 12 short-line"; do
  set -- $case
  typed=$(measure "$work/$1.pl" "$2" "$keys")
  idle=$(measure "$work/$1.pl" "$2" 0)
  echo "$3 ($1): $(awk -v a="$typed" -v i="$idle" -v t="$ticks" -v k="$keys" \
    'BEGIN {printf "%.2f", (a - i) * 1000 / t / k}') ms per key (typed $typed, idle $idle ticks)"
done
