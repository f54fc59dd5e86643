#!/usr/bin/perl
# Checks the input hint file: Shift_JIS (CP932), LF line ends, one
# description line without '#', "KEY#:HINT" entries with unique keys, hints
# no wider than 90 columns, and every function that perlfunc lists present.
use strict;
use warnings;
use Encode qw(decode FB_CROAK);

my $file = shift // 'src/res/hint.txt';
my $pod  = shift // (grep { -f } map { "$_/pod/perlfunc.pod" } @INC)[0];
open my $in, '<:raw', $file or die "$file: $!\n";
my $bytes = do { local $/; <$in> };
close $in;
my $bad = 0;
sub fail { print "NG: @_\n"; $bad++ }

fail('CR in the file') if $bytes =~ /\r/;
fail('no LF after the last line') unless $bytes =~ /\n\z/;
eval { decode('cp932', my $copy = $bytes, FB_CROAK); 1 } or fail('not valid CP932');

my (%seen, $described, $entries);
my $n = 0;
for my $line (split /\n/, $bytes) {
  $n++;
  if (index($line, '#') < 0) {
    fail("line $n: a second line without '#'") if $described++;
    next;
  }
  if ($line !~ /^([A-Za-z_]\w*)#:(.*)\z/s) { fail("line $n: not KEY#:HINT"); next }
  my ($key, $hint) = ($1, $2);
  $entries++;
  fail("line $n: $key is there twice") if $seen{$key}++;
  fail("line $n: $key has no ' - ' after its form") unless $hint =~ / - /;
  # Each byte of Shift_JIS text takes one column.
  fail("line $n: $key is " . length($hint) . ' columns wide') if length($hint) > 90;
}
fail('no description line') unless $described;

my @missing;
if ($pod && open my $p, '<', $pod) {
  my $text = do { local $/; <$p> };
  my ($byCategory) = $text =~ /^=head2 Perl Functions by Category\n(.*?)^=head2 /ms;
  my %names;
  while ($byCategory =~ /L<C<(.*?)>\|/g) {
    (my $name = $1) =~ s/E<sol>.*//;
    $name =~ s/I<(.*?)>/$1/g;
    $names{$name} = 1 unless $name =~ /^"/;
  }
  # -X (the file tests) cannot be a key: '-' ends the word looked up.
  delete $names{'-X'};
  @missing = grep { !$seen{$_} } sort keys %names;
  print 'perlfunc: ', scalar(keys %names), " names besides -X\n";
  fail("missing: @missing") if @missing;
} else {
  print "perlfunc.pod not found (Debian: perl-doc): coverage not checked\n";
}
print "$entries entries\n";
print $bad ? "$bad problem(s)\n" : "hint file OK\n";
exit($bad ? 1 : 0);
