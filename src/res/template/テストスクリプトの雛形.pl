#!/usr/bin/perl
# テストスクリプトの雛形
# Test::More の関数で結果を確かめ、ok / not ok の行を出力する。
# prove で実行すると、それらを数えて結果をまとめてくれる。
use strict;
use warnings;
use Test::More;

# 確かめたい関数 (ふつうは use でモジュールを読み込む)
sub add { return $_[0] + $_[1] }

ok(add(2, 2) == 4, 'ok: 条件が成り立てば合格');
is(add(1, 2), 3, 'is: 値が等しければ合格');
isnt(add(1, 1), 3, 'isnt: 値が違えば合格');
like('Perl 5', qr/^Perl/, 'like: qr に一致すれば合格');
is_deeply([sort { $a <=> $b } 3, 1, 2], [1, 2, 3], 'is_deeply: 中身まで比べる');

# まとまったテストには、それぞれの数を plan で宣言できる。
subtest 'die の確認' => sub {
    plan tests => 2;
    my $ok = eval { die "error\n"; 1 };
    ok(!$ok, 'eval が偽を返す');
    is($@, "error\n", 'die の文字列が $@ に入る');
};

# テストの数を前もって決めるなら、先頭で plan tests => 6; と書き、
# 下の done_testing は消す。
done_testing();
