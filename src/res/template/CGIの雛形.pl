#!/usr/bin/perl
# CGI の雛形
# フォームの値 (GET のクエリ文字列、POST の本文) を名前と値のハッシュに読み、
# Shift_JIS の HTML ページを返す。値は受け取ったバイトのまま (デコードしない)
# なので、Shift_JIS のページから送られたフォームならそのまま出力できる。
use strict;
use warnings;

binmode STDOUT;

my %form = read_form();
my $name = html_escape(defined $form{name} ? $form{name} : '');
my $greeting = length $name ? "<p>こんにちは、$name さん。</p>" : '';

print "Content-Type: text/html; charset=Shift_JIS\n\n";
print <<"HTML";
<!DOCTYPE html>
<html lang="ja">
<head>
<meta charset="Shift_JIS">
<title>お名前の入力</title>
</head>
<body>
<h1>お名前を入力してください</h1>
<form method="post" action="">
<p>お名前: <input type="text" name="name" value="$name">
<input type="submit" value="送信"></p>
</form>
$greeting
</body>
</html>
HTML

# フォームの値を読む。名前と値は + を空白に、%XX をそのバイトに戻す。
# 同じ名前が何度も来たときは、値をコンマでつなぐ。
sub read_form {
    my $data = '';
    my $method = $ENV{REQUEST_METHOD} || 'GET';
    if (uc $method eq 'POST') {
        my $length = $ENV{CONTENT_LENGTH} || 0;
        binmode STDIN;
        read(STDIN, $data, $length) if $length > 0;
    } else {
        $data = defined $ENV{QUERY_STRING} ? $ENV{QUERY_STRING} : '';
    }
    my %form;
    for my $pair (split /[&;]/, $data) {
        my ($key, $value) = split /=/, $pair, 2;
        next unless defined $key && length $key;
        $value = '' unless defined $value;
        for ($key, $value) {
            tr/+/ /;
            s/%([0-9A-Fa-f]{2})/chr(hex($1))/eg;
        }
        $form{$key} = exists $form{$key} ? "$form{$key},$value" : $value;
    }
    return %form;
}

# HTML の中に書けるよう、特別な意味を持つ文字を実体参照に置き換える。
sub html_escape {
    my ($text) = @_;
    $text =~ s/&/&amp;/g;
    $text =~ s/</&lt;/g;
    $text =~ s/>/&gt;/g;
    $text =~ s/"/&quot;/g;
    $text =~ s/'/&#39;/g;
    return $text;
}
