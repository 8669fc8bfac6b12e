#!/usr/bin/perl
# Prints the bank, cash and credit-card records of a QIF file as an
# independent reader (Finance::QIF) sees them: date and total as written,
# and the check number, one tab-separated line each.
use strict;
use warnings;
use Finance::QIF;

my $qif = eval { Finance::QIF->new(file => $ARGV[0]) };
if (!$qif) { print "error\t$@\n"; exit 0; }
my $ok = eval {
    while (my $record = $qif->next) {
        next unless ($record->{header} // '') =~ /^Type:(Bank|Cash|CCard)/i;
        my $total = $record->{transaction} // $record->{total} // '';
        print join("\t", 'transaction', $record->{date} // '', $total, $record->{number} // ''), "\n";
    }
    1;
};
print "error\t$@\n" unless $ok;
