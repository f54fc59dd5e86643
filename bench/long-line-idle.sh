#!/bin/bash
# Idle check on a very long line: opens a file whose only line holds 10 MB of Perl-looking text (with Japanese, in
# Shift_JIS) in the real program, offscreen, with the caret on that line, then reads the process's CPU time
# (utime + stime from /proc/PID/stat) over 10 s and prints CPU-seconds per second (goal: about 0). Prints as well the
# peak memory (VmHWM) with that file against an empty editor's, and their difference as a multiple of the line.
# Usage: bench/long-line-idle.sh [path/to/corvella]   (default build/corvella; corpus in $CORVELLA_CORPUS)
set -euo pipefail
program=$(realpath "${1:-build/corvella}")
corpus=${CORVELLA_CORPUS:-/tmp/corvella-corpus}
work=$(mktemp -d)
chmod 700 "$work"
trap 'rm -rf "$work"' EXIT
export HOME=$work TMPDIR=$work XDG_RUNTIME_DIR=$work XDG_CONFIG_HOME=$work/cfg QT_QPA_PLATFORM=offscreen

python3 "$(dirname "$0")/make-long-line.py" "$corpus/perl-2m.pl" "$work/long.pl"

ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hwm() { awk '/VmHWM/ {print $2}' "/proc/$1/status"; }

# Starts the program on the files given, lets it settle, prints "cpu-per-second peak-kB".
measure() {
  "$program" "$@" >/dev/null 2>&1 &
  local pid=$!
  sleep 8
  local before
  before=$(cpu $pid)
  sleep 10
  local after peak
  after=$(cpu $pid)
  peak=$(hwm $pid)
  kill $pid
  wait $pid 2>/dev/null || true
  echo "$(awk -v a="$after" -v b="$before" -v t="$ticks" 'BEGIN {printf "%.3f", (a - b) / t / 10}') $peak"
}

read -r idle peak < <(measure "$work/long.pl")
read -r emptyIdle emptyPeak < <(measure)
size=$(stat -c %s "$work/long.pl")
echo "10 MB line: $idle CPU-s/s idle; empty editor: $emptyIdle CPU-s/s"
echo "peak RSS: $peak kB with the line, $emptyPeak kB empty: $(awk -v p="$peak" -v e="$emptyPeak" -v s="$size" \
  'BEGIN {printf "%.2f", (p - e) * 1024 / s}') x the line"
