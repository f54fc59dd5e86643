#!/usr/bin/env bash
# A started editor has two modified documents and is killed with SIGKILL;
# the next start offers their recovery copies and, after Yes, brings back
# both texts byte for byte (checked by saving them). Run as:
#   xvfb-run -a KillAndRestore.sh <corvella binary>
set -euo pipefail
program=$1
work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_STATE_HOME=$work/state XDG_DATA_HOME=$work/data
export XDG_RUNTIME_DIR=$work/run TMPDIR=$work/tmp QT_QPA_PLATFORM=xcb
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_STATE_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" "$TMPDIR"
chmod 700 "$XDG_RUNTIME_DIR"
copies=$XDG_STATE_HOME/Corvella/recovery
printf 'print "a";\r\n' > "$work/a.pl"
printf 'print "b";\n' > "$work/b.pl"

# Waits up to a minute for a condition.
wait_for() {
  for _ in $(seq 600); do
    if eval "$1"; then return 0; fi
    sleep 0.1
  done
  echo "gave up waiting for: $1" >&2
  exit 1
}

"$program" "$work/a.pl" "$work/b.pl" &
pid=$!
window=$(xdotool search --sync --onlyvisible --name 'Corvella')
xdotool windowfocus --sync "$window" mousemove --window "$window" 300 200 click 1
xdotool key ctrl+Home type --delay 20 'XYZ'   # into b.pl, the active document
xdotool key ctrl+Next                         # the next tab: a.pl
xdotool key ctrl+Home type --delay 20 'QQ'
xdotool key Return
wait_for "grep -qs XYZ $copies/*.rec && grep -qs QQ $copies/*.rec"
kill -9 "$pid"
wait "$pid" 2>/dev/null || true

# Answers the message box the program shows next.
answer() {
  local box
  box=$(xdotool search --sync --onlyvisible --name '^Corvella$' | head -n 1)
  xdotool windowfocus --sync "$box" key Return
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name '^Corvella$' >/dev/null 2>&1 || return 0
    sleep 0.1
  done
}

# A damaged copy of some other program that died is kept aside and named,
# never deleted.
printf 'CORVELLA-RECOVERY 1\npath 2f782e706c\n' > "$copies/99999999-1.1.rec"
: > "$copies/99999999-1.lock"

# Killed right after Yes: the restored text still has a copy.
"$program" &
pid=$!
answer      # the damaged copy
answer      # restore? Yes
sleep 0.3
kill -9 "$pid"
wait "$pid" 2>/dev/null || true
ls "$XDG_STATE_HOME/Corvella/recovery/kept/99999999-1.1.rec" >/dev/null
grep -qs XYZ "$copies"/*.rec
grep -qs QQ "$copies"/*.rec

"$program" &
pid=$!
answer
window=$(xdotool search --sync --onlyvisible --name 'Corvella - ')
xdotool windowfocus --sync "$window" mousemove --window "$window" 300 200 click 1
# Save the active document, go to the other, and again, until both are on
# the disk (a slow start may drop the first keys).
for _ in $(seq 60); do
  grep -q QQ "$work/a.pl" && grep -q XYZ "$work/b.pl" && break
  xdotool key ctrl+s
  sleep 0.5
  xdotool key ctrl+Next
  sleep 0.5
done
# The open statement "QQ" indented the next line (auto indent).
printf 'QQ\r\n\tprint "a";\r\n' | cmp - "$work/a.pl"
printf 'XYZprint "b";\n' | cmp - "$work/b.pl"

# Saved documents keep no copies; a normal end leaves no lock behind (the
# damaged copy stays kept aside).
xdotool key alt+f key x
wait "$pid"
pid=
if [ -n "$(ls -A "$copies" | grep -vx kept)" ]; then
  echo "left behind: $(ls "$copies")" >&2
  exit 1
fi
echo "restored both documents"
