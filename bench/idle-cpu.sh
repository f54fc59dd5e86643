#!/bin/bash
# How much CPU the editor uses while nothing happens.
#
#   bench/idle-cpu.sh [path/to/corvella]      (default: build/corvella)
#
# Starts the real program under Xvfb with a private HOME and XDG folders, one
# script open, the output pane on (hidden runs), and reads the process's CPU
# time (utime + stime of all its threads, /proc/PID/stat) over 10 seconds:
#   idle: nothing happens at all;
#   run:  a hidden run (F7) of a script that sleeps 20 seconds.
# Prints CPU-seconds per second for both (also from the threads' schedstat,
# in nanoseconds, as ticks are coarse) and the threads' wake-ups per second
# (context switches); a program that sleeps shows ~0 for all.
# Needs xvfb-run and xdotool.
set -eu

if [ -z "${CORVELLA_IDLE_INNER:-}" ]; then
  program=$(realpath "${1:-build/corvella}")
  CORVELLA_IDLE_INNER=1 exec xvfb-run -a -s '-screen 0 1280x800x24' bash "$0" "$program"
fi
program=$1

H=$(mktemp -d)
chmod 700 "$H"
export HOME=$H TMPDIR=$H XDG_RUNTIME_DIR=$H XDG_CONFIG_HOME=$H/cfg XDG_STATE_HOME=$H/state XDG_CACHE_HOME=$H/cache
mkdir -p "$XDG_CONFIG_HOME/Varkel Software"
printf '[Settings]\nPerl=/usr/bin\nInsideMode=1\n' >"$XDG_CONFIG_HOME/Varkel Software/Corvella.ini"
printf 'sleep 20;\nprint "done\\n";\n' >"$H/sleeps.pl"

"$program" "$H/sleeps.pl" >"$H/log" 2>&1 &
pid=$!
trap 'cat "$H/log" >&2; kill $pid 2>/dev/null; wait $pid 2>/dev/null; rm -rf "$H"' EXIT

# Clock ticks of user and system time, all threads (fields 14 and 15; the
# name in parentheses may hold blanks, so counted from its end).
ticks() { sed 's/.*) //' "/proc/$pid/stat" | awk '{ print $12 + $13 }'; }
# Nanoseconds on the CPU and context switches, summed over the threads alive.
nanos() { cat /proc/$pid/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%d", s }'; }
switches() {
  cat /proc/$pid/task/*/status 2>/dev/null | awk '/ctxt_switches/ { s += $2 } END { print s }'
}
measure() {
  local t0 n0 s0 t1 n1 s1
  t0=$(ticks) n0=$(nanos) s0=$(switches)
  sleep 10
  t1=$(ticks) n1=$(nanos) s1=$(switches)
  awk -v t=$((t1 - t0)) -v n=$((n1 - n0)) -v s=$((s1 - s0)) -v hz="$(getconf CLK_TCK)" -v what="$1" \
    'BEGIN { printf "%s: %.4f CPU-s/s (stat), %.5f CPU-s/s (schedstat), %.1f wake-ups/s\n", what, t / hz / 10, n / 1e10, s / 10 }'
}

sleep 4
measure idle
window=$(xdotool search --sync --onlyvisible --pid "$pid" | head -1)
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
xdotool key --window "$window" F7
sleep 2
pgrep -P "$pid" -x perl >/dev/null || echo "run: no perl child" >&2
measure run
