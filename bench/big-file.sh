#!/bin/bash
# Opening and saving a 100 MB Shift_JIS Perl script, end to end in the real program.
#
#   bench/big-file.sh [path/to/corvella] [runs]   (default: build/corvella, 5)
#
# The file is the corpus's perl-20m.pl five times over in code page 932
# (3,279,145 lines), made once as $CORVELLA_CORPUS/perl-100m-sjis.pl.
# With encoding recognition on, it prints:
#   first paint: the program's own --startup-time figure (from the start of
#     main to the first paint of the text), offscreen, each run and the
#     median, with the process's peak memory (/usr/bin/time %M) and its ratio
#     to the file's size;
#   under Xvfb: the peak memory once the window has settled (sub list built),
#     then after typing one character and saving (Ctrl+S), and whether the
#     saved file is the old one with that character in front.
# Needs make-corpus.sh's corpus, iconv, /usr/bin/time, xvfb-run and xdotool.
set -eu
corpus=${CORVELLA_CORPUS:-/tmp/corvella-corpus}
file=$corpus/perl-100m-sjis.pl

if [ -z "${CORVELLA_BIG_INNER:-}" ]; then
  program=$(realpath "${1:-build/corvella}")
  runs=${2:-5}
  if [ ! -s "$file" ]; then
    for _ in 1 2 3 4 5; do cat "$corpus/perl-20m.pl"; done | iconv -f UTF-8 -t CP932 >"$file.part"
    mv "$file.part" "$file"
  fi
  size=$(stat -c %s "$file")
  H=$(mktemp -d)
  chmod 700 "$H"
  trap 'rm -rf "$H"' EXIT
  mkdir -p "$H/cfg/Varkel Software"
  printf '[Settings]\nPerl=/usr/bin\nKanjiConvert=1\n' >"$H/cfg/Varkel Software/Corvella.ini"
  echo "file: $file ($size bytes, $(wc -l <"$file") lines)"
  times=()
  for ((i = 0; i < runs; i++)); do
    out=$(HOME=$H TMPDIR=$H XDG_RUNTIME_DIR=$H XDG_CONFIG_HOME=$H/cfg XDG_STATE_HOME=$H/state \
      QT_QPA_PLATFORM=offscreen /usr/bin/time -f 'peak %M' "$program" --startup-time "$file" 2>&1 | grep -E 'first paint|^peak')
    ms=$(sed -n 's/first paint after \([0-9]*\) ms/\1/p' <<<"$out")
    kb=$(sed -n 's/^peak \([0-9]*\)/\1/p' <<<"$out")
    times+=("$ms")
    awk -v ms="$ms" -v kb="$kb" -v size="$size" \
      'BEGIN { printf "first paint %5d ms   peak %6.1f MB = %.2f x file + %.1f MB over 1.3 x file\n", ms, kb / 1024, kb * 1024 / size, (kb * 1024 - 1.3 * size) / 1048576 }'
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { printf "first paint median %d ms over %d runs\n", a[int((NR + 1) / 2)], NR }'
  CORVELLA_BIG_INNER=1 HOME=$H TMPDIR=$H XDG_RUNTIME_DIR=$H XDG_CONFIG_HOME=$H/cfg XDG_STATE_HOME=$H/state \
    xvfb-run -a -s '-screen 0 1280x800x24' bash "$0" "$program" "$file" "$size"
  exit
fi

program=$1 file=$2 size=$3
copy=$HOME/big.pl
cp "$file" "$copy"
"$program" "$copy" >"$HOME/log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null; wait $pid 2>/dev/null' EXIT
peak() { awk '/VmHWM/ { print $2 }' "/proc/$pid/status"; }
ticks() { sed 's/.*) //' "/proc/$pid/stat" | awk '{ print $12 + $13 }'; }
# Until the process has used no CPU for a second.
settle() {
  local before after
  after=$(ticks)
  while :; do
    sleep 1
    before=$after
    after=$(ticks)
    [ "$before" = "$after" ] && break
  done
}
report() { awk -v kb="$2" -v size="$size" -v what="$1" 'BEGIN { printf "%-22s peak %6.1f MB = %.2f x file\n", what, kb / 1024, kb * 1024 / size }'; }
window=$(xdotool search --sync --onlyvisible --name 'big.pl' | head -1)
settle
report "settled (Xvfb):" "$(peak)"
xdotool windowfocus --sync "$window"
xdotool key --window "$window" ctrl+Home
xdotool type --window "$window" x
before=$(stat -c %Y.%s "$copy")
xdotool key --window "$window" ctrl+s
while [ "$(stat -c %Y.%s "$copy")" = "$before" ]; do sleep 0.2; done
settle
report "after a save (Xvfb):" "$(peak)"
if [ "$(head -c 1 "$copy")" = x ] && tail -c +2 "$copy" | cmp -s - "$file"; then
  echo "saved file: the old bytes with x in front"
else
  echo "saved file: DIFFERS" >&2
  exit 1
fi
