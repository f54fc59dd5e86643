# 選択した各行の末尾にある空白とタブを取り除くマクロ
# 全角の空白は残す。Shift_JIS の2バイト文字の2バイト目が空白やタブの
# バイトになることはないので、バイト単位で探してよい。
use strict;
use warnings;

binmode STDIN;
binmode STDOUT;

while (my $line = <STDIN>) {
    $line =~ s/[ \t]+(\n?)\z/$1/;
    print $line;
}
