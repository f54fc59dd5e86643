#!/usr/bin/perl
# Runs the shipped macros the way the editor does (perl NAME.pl in the macro
# folder, the selection's Shift_JIS bytes with LF line ends on standard input)
# and compares their output with what each should give.
use strict;
use warnings;
use File::Basename qw(dirname);
use File::Temp qw(tempfile);

my $dir = shift // dirname(__FILE__) . '/../../src/res/macro';
chdir $dir or die "$dir: $!\n";

my $hyouji = "\x95\x5C\x8E\xA6";    # two characters whose first has the trail byte 0x5C
my $a_kana = "\x82\xA0";            # a hiragana character
my $zenkaku_space = "\x81\x40";
my $half_kana = "\xB1";             # a half-width katakana character: one byte, one column

my @cases = (
  # macro file (UTF-8 name on disk), input, expected output
  ["\xe8\xa1\x8c\xe3\x81\xae\xe4\xb8\xa6\xe3\x81\xb9\xe6\x9b\xbf\xe3\x81\x88.pl",    # 行の並べ替え
   ["b\nc\na", "a\nb\nc"], ["b\nc\na\n", "a\nb\nc\n"], ["z\n\nz\n", "\nz\nz\n"], ["x", "x"],
   ["$hyouji\t1\n$a_kana\n", "$a_kana\n$hyouji\t1\n"]],
  ["\xe8\xa1\x8c\xe6\x9c\xab\xe3\x81\xae\xe7\xa9\xba\xe7\x99\xbd\xe3\x82\x92\xe5\x89\x8a\xe9\x99\xa4.pl",    # 行末の空白を削除
   ["a  \nb\t \nc \t", "a\nb\nc"], ["a \n\t\n", "a\n\n"], [" x y \n", " x y\n"],
   ["$hyouji \t\n$hyouji", "$hyouji\n$hyouji"], ["x$zenkaku_space\n", "x$zenkaku_space\n"]],
  ["\xe3\x82\xbf\xe3\x83\x96\xe3\x82\x92\xe7\xa9\xba\xe7\x99\xbd\xe3\x81\xab.pl",    # タブを空白に
   ["a\tb", "a   b"], ["\tx\n", "    x\n"], ["abcd\t\te\n", "abcd        e\n"], ["abc\td", "abc d"],
   ["$hyouji\tx\n", "$hyouji    x\n"], ["\x95\x5C\tx", "\x95\x5C  x"], ["$half_kana\tx", "$half_kana   x"],
   ["a\tb\nc\td", "a   b\nc   d"]],
  ["\xe8\xa1\x8c\xe7\x95\xaa\xe5\x8f\xb7\xe3\x82\x92\xe4\xbb\x98\xe3\x81\x91\xe3\x82\x8b.pl",    # 行番号を付ける
   ["b\nc\na", "1: b\n2: c\n3: a"], ["x\n", "1: x\n"], ["\n", "1: \n"],
   [join("\n", 1 .. 10) . "\n", join('', map { sprintf "%2d: %d\n", $_, $_ } 1 .. 10)],
   ["$hyouji\t\\\n$a_kana", "1: $hyouji\t\\\n2: $a_kana"]],
);

my ($passed, $failed) = (0, 0);
for my $case (@cases) {
  my ($macro, @pairs) = @$case;
  for my $pair (@pairs) {
    my ($input, $want) = @$pair;
    my ($fh, $file) = tempfile(UNLINK => 1);
    binmode $fh;
    print $fh $input;
    close $fh;
    open my $saved, '<&', \*STDIN or die;
    open STDIN, '<', $file or die;
    open my $run, '-|', 'perl', $macro or die "$macro: $!";
    binmode $run;
    my $got = do { local $/; <$run> };
    close $run;
    my $status = $?;
    open STDIN, '<&', $saved or die;
    $got = '' unless defined $got;
    if ($status == 0 && $got eq $want) {
      $passed++;
    } else {
      $failed++;
      (my $show = $input) =~ s/([^\x20-\x7E])/sprintf '\\x%02X', ord $1/ge;
      (my $gotShow = $got) =~ s/([^\x20-\x7E])/sprintf '\\x%02X', ord $1/ge;
      print "FAIL $macro on \"$show\": got \"$gotShow\" (exit $status)\n";
    }
  }
}
print "$passed passed, $failed failed\n";
exit($failed ? 1 : 0);
