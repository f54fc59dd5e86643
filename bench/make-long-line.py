#!/usr/bin/env python3
# Writes a Shift_JIS Perl file holding one 10 MB line: the corpus's lines joined with blanks ('#' made a blank, so
# the line is no single comment). With --among, the line sits between the corpus's first and next 2000 lines.
# Usage: bench/make-long-line.py CORPUS.pl OUT.pl [--among]
import sys

source, target = sys.argv[1], sys.argv[2]
text = open(source, encoding='utf-8', errors='replace').read()
lines = [l for l in text.replace('#', ' ').splitlines() if l]
out, size, k = [], 0, 0
while size < 10_000_000:
    b = lines[k % len(lines)].encode('cp932', errors='replace') + b' '
    out.append(b); size += len(b); k += 1
long_line = b''.join(out)
if '--among' in sys.argv[3:]:
    around = [l.encode('cp932', errors='replace') for l in text.splitlines()[:4000]]
    long_line = b'\n'.join(around[:2000] + [long_line] + around[2000:]) + b'\n'
open(target, 'wb').write(long_line)
