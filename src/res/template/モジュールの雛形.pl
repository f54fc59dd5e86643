package MyModule;
# モジュールの雛形
# パッケージ名 MyModule を書き換え、同じ名前の .pm ファイル (例: MyModule.pm)
# として保存する。下の POD (=head1 から =cut まで) は perldoc で読める説明書。
use strict;
use warnings;

our $VERSION = '0.01';

# use MyModule qw(greet); と書いた側に greet を取り込ませる。
# 何も書かなくても取り込ませたい名前は、@EXPORT_OK ではなく @EXPORT に並べる。
use Exporter 'import';
our @EXPORT_OK = qw(greet);

# 名前を受け取り、あいさつの文字列を返す。
sub greet {
    my ($name) = @_;
    $name = 'world' unless defined $name && length $name;
    return "Hello, $name!";
}

1;
__END__

=encoding cp932

=head1 NAME

MyModule - このモジュールの働きを一行で書く

=head1 SYNOPSIS

    use MyModule qw(greet);

    print greet('Perl'), "\n";    # Hello, Perl!

=head1 DESCRIPTION

このモジュールが何をするのか、どう使うのかを書く。

=head1 FUNCTIONS

=head2 greet(NAME)

NAME へのあいさつの文字列を返す。NAME を省くと world を使う。
求められたときだけ取り込まれる (@EXPORT_OK)。

=head1 AUTHOR

作者の名前と連絡先

=head1 LICENSE

配布の条件

=cut
