#!/usr/bin/perl
# Checks the templates and macros shipped beside the program: Shift_JIS
# (CP932) text with CR LF line ends, no double-byte character whose second
# byte is an ASCII sign Perl could read as code (\ @ [ ] ^ ` { | } ~) outside
# comment lines and POD, and perl -c accepting each file as it is.
use strict;
use warnings;
use Encode qw(decode FB_CROAK);
use File::Basename qw(dirname);

my $res = shift // dirname(__FILE__) . '/../../src/res';
my $bad = 0;
sub fail { print "NG: @_\n"; $bad++ }

my @files = map { glob "$res/$_/*.pl" } qw(template macro);
fail("no scripts under $res") unless @files;
for my $file (@files) {
  open my $in, '<:raw', $file or die "$file: $!\n";
  my $bytes = do { local $/; <$in> };
  close $in;
  eval { decode('cp932', my $copy = $bytes, FB_CROAK); 1 } or fail("$file: not valid CP932");
  fail("$file: a line end other than CR LF") if $bytes =~ /\r(?!\n)|(?<!\r)\n/;
  fail("$file: the last line has no CR LF") unless $bytes =~ /\r\n\z/;
  my ($n, $pod) = (0, 0);
  for my $line (split /\r\n/, $bytes) {
    $n++;
    if ($line =~ /^=(\w+)/) { $pod = $1 ne 'cut'; next }
    next if $pod || $line =~ /^\s*#/;
    # Walk the line a character at a time so a trail byte is never taken for a lead byte.
    while ($line =~ /\G(?:([\x81-\x9F\xE0-\xFC])([\x40-\x7E\x80-\xFC])|[\x00-\xFF])/g) {
      my $trail = $2;
      next unless defined $trail && $trail =~ /[\x40\x5B-\x60\x7B-\x7E]/;
      fail(sprintf '%s line %d: a character ending in 0x%02X', $file, $n, ord $trail);
    }
  }
  my $out = `perl -c "$file" 2>&1`;
  fail("$file: perl -c: $out") if $? != 0;
}
print scalar(@files), " scripts\n";
print $bad ? "$bad problem(s)\n" : "scripts OK\n";
exit($bad ? 1 : 0);
