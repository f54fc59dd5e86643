#!/usr/bin/perl
# Sample for the colouring tokenizer: one construct per line where possible.
use strict;
use warnings;

my %config = (name => 'block', label => "He said \"hi\"", limit => 10);
my @order = sort { $config{$a} cmp $config{$b} } keys %config;
my $re = qr/(?<word>[A-Za-z_]\w*)/;

sub parse_line {
	my ($line) = @_;
	return unless defined $line;
	chomp $line;
	$line =~ s/\r$//;
	my @fields = split /,/, $line;	# split on commas
	for my $f (@fields) {
		$f =~ s/^\s+//;
		$f =~ tr/a-z/A-Z/ if $f =~ m{^[a-z]+$}x;
	}
	return wantarray ? @fields : \@fields;
}

sub summarize {
	my @nums = grep { defined($_) && /^-?\d+$/ } @_;
	my $sum = 0;
	$sum += $_ for @nums;
	my $avg = $sum / @nums;
	my $half = $#nums / 2;
	return ($avg, $half, &helper($sum, $avg) / 2);
}

my %table = (parse => \&parse_line, sum => \&summarize);
print {$fh} qq{<table>\n}, '<tr>', join('', @cells), "</tr>\n";
$t =~ s#/+#/#g;
$t = lc $t unless $t =~ m!^[A-Z]!;
my $text = <<"END";
Report: $title
END
print $x ? &&foo : & bar;
local $@ = $h{s} . $h{'y'} . $x->{q};
$x = y => 2, s => 3;
open(my $in, '<', $file) or die "cannot open $file: $!";
1;
__END__
