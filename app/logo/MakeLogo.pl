#!/usr/bin/perl
# Draws Halvard's logo, a pair of pruning shears snipping a leaf, as a 36 x 50, 8-bit, uncompressed BMP.
# Usage: perl MakeLogo.pl OUTPUT.bmp
use strict;
use warnings;

my ($output) = @ARGV;
die "usage: $0 OUTPUT.bmp\n" unless defined $output;

my ($width, $height) = (36, 50);

# Palette indices; every other entry of the 256 is black.
my %colour = (
    paper      => [255, 255, 255],
    steel      => [96, 104, 116],
    edge       => [190, 198, 208],
    pivot      => [40, 44, 52],
    handle     => [200, 48, 40],
    handleDark => [128, 24, 20],
    leaf       => [64, 150, 60],
    stem       => [40, 96, 36],
);
my @order = qw(paper steel edge pivot handle handleDark leaf stem);
my %index;
@index{@order} = (0 .. $#order);

# Distance from point (px, py) to the segment (ax, ay)-(bx, by).
sub segment_distance {
    my ($px, $py, $ax, $ay, $bx, $by) = @_;
    my ($dx, $dy) = ($bx - $ax, $by - $ay);
    my $t = (($px - $ax) * $dx + ($py - $ay) * $dy) / ($dx * $dx + $dy * $dy);
    $t = 0 if $t < 0;
    $t = 1 if $t > 1;
    my ($cx, $cy) = ($ax + $t * $dx - $px, $ay + $t * $dy - $py);
    return sqrt($cx * $cx + $cy * $cy);
}

# The colour of one pixel, y counted from the top; later shapes lie on top of earlier ones.
sub pixel {
    my ($x, $y) = @_;
    my ($px, $py) = ($x + 0.5, $y + 0.5);
    my $c = 'paper';

    # The leaf on its stem, up between the open blades.
    $c = 'stem' if segment_distance($px, $py, 18, 13, 18, 9) < 0.8;
    my ($lx, $ly) = (($px - 18) / 3.2, ($py - 5.5) / 4.5);
    $c = 'leaf' if $lx * $lx + $ly * $ly < 1;
    $c = 'stem' if abs($px - 18) < 0.5 && $py > 2.5 && $py < 8.5;

    # The blades, wide at the pivot and pointed at the tip, each with a bright cutting edge.
    for my $side (-1, 1) {
        my ($tipX, $tipY) = (18 + $side * 11, 2);
        my $d = segment_distance($px, $py, 18, 23, $tipX, $tipY);
        my $along = 1 - ($py - $tipY) / (23 - $tipY);
        my $half = 2.4 * (1 - $along) + 0.6;
        if ($d < $half) {
            $c = ($px - 18) * $side < (18 + $side * 11 - 18) * $side * (23 - $py) / 21 ? 'edge' : 'steel';
        }
    }

    # The handles run from the pivot to two rings.
    for my $side (-1, 1) {
        my ($ringX, $ringY) = (18 + $side * 8.5, 40.5);
        $c = 'handleDark' if segment_distance($px, $py, 18, 23, $ringX - $side * 3, $ringY - 5) < 1.8;
        my ($rx, $ry) = ($px - $ringX, $py - $ringY);
        my $r = sqrt($rx * $rx + $ry * $ry);
        $c = 'handle' if $r < 7.5 && $r >= 4.2;
        $c = 'handleDark' if $r < 4.2 && $r >= 3.4;
    }

    # The pivot screw.
    my ($sx, $sy) = ($px - 18, $py - 23);
    $c = 'pivot' if $sx * $sx + $sy * $sy < 2.6 * 2.6;
    $c = 'edge' if $sx * $sx + $sy * $sy < 0.9 * 0.9;
    return $index{$c};
}

my $paletteSize = 256 * 4;
my $pixelSize = $width * $height; # rows of 36 bytes need no padding to 4
my $offset = 14 + 40 + $paletteSize;

my $bmp = pack('a2 V v v V', 'BM', $offset + $pixelSize, 0, 0, $offset);
$bmp .= pack('V l< l< v v V V l< l< V V', 40, $width, $height, 1, 8, 0, $pixelSize, 2835, 2835, 256, 0);
for my $i (0 .. 255) {
    my $rgb = $i <= $#order ? $colour{$order[$i]} : [0, 0, 0];
    $bmp .= pack('C4', $rgb->[2], $rgb->[1], $rgb->[0], 0);
}
# Bottom row first.
for (my $y = $height - 1; $y >= 0; --$y) {
    $bmp .= pack('C*', map { pixel($_, $y) } 0 .. $width - 1);
}

open(my $file, '>:raw', $output) or die "$output: $!\n";
print $file $bmp;
close($file) or die "$output: $!\n";
