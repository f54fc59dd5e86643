#!/usr/bin/perl
# HTML export sample: <tags> & "quotes" in a comment
use strict;
use warnings;

my %esc = ('&' => '&amp;', '<' => '&lt;', '>' => '&gt;', '"' => '&quot;');
my @list = (1, 2.5, 0x1F, 1_000);
my $half = $#list / 2;			# division after a variable
my @parts = split /\s*,\s*/, $line;
$t =~ tr/a-z/A-Z/;
$t =~ y/\t/ /;
print "tab\there", 'single \'quoted\'', "\\";
printf("%-12s|%6d\n", $title, $count) if $count > 0 && $title ne '';
my $code = \&parse_line;
&helper($x, &other) / 2;
my $text = <<"END_REPORT";
Report: $title & <b>
	indented line
END_REPORT
$text .= <<'RAW';
Literal $not_interpolated
RAW
my $shift = 1 << 2;
print <<A, <<B;
first
AB
$x{'#'} = $y->[0] / 3;
print STDERR "multi
line string";
$t =~ s#/+#/#g;
(my $t = $s) =~ s{(\d+)}{ $1 * 2 }ge;
print {$fh} qq{<table class="x">\n};
__END__
