# 選択した各行の先頭に行番号を付けるマクロ
# 番号は 1 から。桁数は行数に合わせ、右にそろえて ": " を続ける。
# 最後の行に改行がなければ、出力の最後の行にも付けない。
use strict;
use warnings;

binmode STDIN;
binmode STDOUT;

my $text = do { local $/; <STDIN> };
$text = '' unless defined $text;
my $ends_with_newline = $text =~ /\n\z/;
my @lines = split /\n/, $text, -1;
pop @lines if $ends_with_newline;    # 最後の改行の後ろの空の要素
my $width = length scalar @lines;
my $number = 0;
print join("\n", map { sprintf '%*d: %s', $width, ++$number, $_ } @lines),
    ($ends_with_newline ? "\n" : '');
