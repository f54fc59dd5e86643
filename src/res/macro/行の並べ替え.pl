# 選択した行を並べ替えるマクロ
# 並べる順はバイトの順 (英数字は ASCII の順、かなと漢字は Shift_JIS の順)。
# 入力はバイトのまま扱う。最後の行に改行がなければ、出力の最後の行にも付けない。
use strict;
use warnings;

binmode STDIN;
binmode STDOUT;

my $text = do { local $/; <STDIN> };
$text = '' unless defined $text;
my $ends_with_newline = $text =~ /\n\z/;
my @lines = split /\n/, $text, -1;
pop @lines if $ends_with_newline;    # 最後の改行の後ろの空の要素
print join("\n", sort @lines), ($ends_with_newline ? "\n" : '');
