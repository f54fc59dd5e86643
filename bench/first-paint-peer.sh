#!/bin/bash
# Time from start to the first text on screen: this program against another editor, same file, same method.
#
#   bench/first-paint-peer.sh [path/to/corvella] [peer] [runs]
#       (default: build/corvella, kwrite, 5)
#
# Under Xvfb, with a private HOME and XDG folders, starts each program in
# turn on the 100 MB Shift_JIS script that bench/big-file.sh makes (recognition
# on for this program; the peer recognises encodings itself) and takes
# screenshots of a strip where both show the first lines of text (left of
# 330, 62..122 from the top: past either's line numbers, below either's
# toolbars), until dark text pixels appear there. Prints each run, the
# medians and their ratio. The screenshots cost 20-40 ms each, so figures are
# good to about that. Needs xvfb-run, xdotool and ImageMagick.
set -eu
corpus=${CORVELLA_CORPUS:-/tmp/corvella-corpus}
file=$corpus/perl-100m-sjis.pl
if [ -z "${CORVELLA_PEER_INNER:-}" ]; then
  [ -s "$file" ] || { echo "make $file first with bench/big-file.sh" >&2; exit 1; }
  CORVELLA_PEER_INNER=1 exec xvfb-run -a -s '-screen 0 1280x800x24' bash "$0" \
    "$(realpath "${1:-build/corvella}")" "${2:-kwrite}" "${3:-5}"
fi
program=$1 peer=$2 runs=$3

H=$(mktemp -d)
chmod 700 "$H"
trap 'rm -rf "$H"' EXIT
export HOME=$H TMPDIR=$H XDG_RUNTIME_DIR=$H XDG_CONFIG_HOME=$H/cfg XDG_STATE_HOME=$H/state
mkdir -p "$XDG_CONFIG_HOME/Varkel Software"
printf '[Settings]\nPerl=/usr/bin\nKanjiConvert=1\n' >"$XDG_CONFIG_HOME/Varkel Software/Corvella.ini"

# Fraction of the strip that is light: text on a light page lies between
# 0.3 and 0.99 (the empty screen is black, an empty page all light).
light() { import -silent -window root -crop 250x60+80+62 png:- 2>/dev/null | convert png:- -colorspace gray -threshold 50% -format '%[fx:mean]' info: 2>/dev/null || echo 1; }

text_shown() { awk -v l="$(light)" 'BEGIN { exit !(l > 0.3 && l < 0.99) }'; }

# Milliseconds from starting "$@" to text in the strip.
first_text() {
  local start now pid
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 &
  pid=$!
  while :; do
    now=$(date +%s%N)
    if text_shown; then break; fi
    if (( (now - start) / 1000000 > 60000 )); then echo 60000; kill $pid; wait $pid 2>/dev/null || true; return; fi
  done
  echo $(( (now - start) / 1000000 ))
  kill $pid 2>/dev/null || true
  wait $pid 2>/dev/null || true
  # The next run starts on an empty screen.
  while text_shown; do sleep 0.1; done
}

ours=() theirs=()
for ((i = 0; i < runs; i++)); do
  ours+=("$(first_text "$program" "$file")")
  theirs+=("$(first_text "$peer" "$file")")
  echo "run $((i + 1)): corvella ${ours[-1]} ms   $peer ${theirs[-1]} ms"
done
median() { printf '%s\n' "$@" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
m1=$(median "${ours[@]}") m2=$(median "${theirs[@]}")
awk -v a="$m1" -v b="$m2" -v p="$peer" 'BEGIN { printf "median: corvella %d ms, %s %d ms: %s takes %.2f x as long\n", a, p, b, p, b / a }'
