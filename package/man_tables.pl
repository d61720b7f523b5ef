#!/usr/bin/perl
# SPDX-License-Identifier: GPL-3.0-or-later
# The catalogue tables at the end of wywietrznik-cli --help as tables in its
# manual page. help2man reads each numbered row ("  1  KALMO 100  0.100") as
# an option and sets it as a tagged paragraph of its own; a run of such rows
# becomes one block of unfilled lines, in the columns --help gives them.
# The usage line of --help is dropped: the SYNOPSIS gives it.
use strict;
use warnings;

my @lines = <STDIN>;
my $inTable = 0;
for (my $i = 0; $i < @lines; ++$i) {
    next if $lines[$i] =~ /^U\S+: wywietrznik\\-cli \[opcje\]\n\z/;
    if ($lines[$i] eq ".TP\n" && $i + 2 < @lines && $lines[$i + 1] =~ /^(\d+)\n\z/) {
        print ".nf\n" unless $inTable;
        $inTable = 1;
        printf "%2d  %s", $1, $lines[$i + 2];
        $i += 2;
        next;
    }
    if ($inTable) {
        print ".fi\n";
        $inTable = 0;
    }
    print $lines[$i];
}
print ".fi\n" if $inTable;
