# 選択した各行のタブを、次のタブ位置までの空白に置き換えるマクロ
# タブ幅は 4。桁はバイトで数える: Shift_JIS の2バイト文字は2桁、
# 半角カナは1桁で、画面での幅と同じになる。タブのバイトが2バイト文字の
# 2バイト目に現れることはないので、デコードせずにバイト単位で扱える。
use strict;
use warnings;

my $tab_width = 4;

binmode STDIN;
binmode STDOUT;

while (my $line = <STDIN>) {
    my $newline = $line =~ s/\n\z// ? "\n" : '';
    my ($out, @rest) = split /\t/, $line, -1;
    $out = '' unless defined $out;
    for my $piece (@rest) {
        $out .= ' ' x ($tab_width - length($out) % $tab_width) . $piece;
    }
    print $out, $newline;
}
