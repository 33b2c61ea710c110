# Fixture store and the plain conversion rule for the orvelcnv tests.
# Sourced after tests/harness.sh; sets STORE (also exported as ORVEL).
#
#   prepare_fixtures             tables and inputs, then into WORK
#   write_table NAME VALUES...   a binary table of the given 16-bit values
#   expect_conversion SRC DST REPLACEMENT IN OUT
#       writes to OUT what the rule makes of IN and returns the status the
#       converter must give (0, or 1 when a byte was replaced); tables
#       shorter than 256 entries read as BAD beyond their end

# Tests run in WORK, apart from the harness's own files.
WORK=$HARNESS_DIR/work
mkdir -p "$WORK"
STORE=$HARNESS_DIR/store/
export ORVEL=$STORE
mkdir -p "$STORE/xlt"
NOTICE='orvelkit: tables and filters for 8-bit character codes'
BANNER="$NOTICE
orvelcnv V1.13 (1997-06-14)
"
SYNTAX='Syntax: orvelcnv -s[source] -t[target] {-b*} {src} {dst}
'
# WITH := the banner with both encodings.
banner_with() {
    printf -v WITH '%s\nSource Character Encoding: %s\n\n\nTarget Character Encoding: %s\n\n' \
        "$BANNER" "$1" "$2"
}

write_table() {
    local name=$1
    shift
    perl -e 'print pack "v*", @ARGV' "$@" >"$STORE/xlt/$name"
}

expect_conversion() {
    perl -e '
        sub table {
            open my $f, "<:raw", $_[0] or die "$_[0]: $!";
            local $/;
            my @t = unpack "v*", <$f> // "";
            push @t, 0xFFFE while @t < 256;
            return @t;
        }
        my @s = table($ARGV[0]);
        my @d = table($ARGV[1]);
        my ($replacement, $replaced, @map) = (ord $ARGV[2], 0);
        for my $b (0 .. 255) {
            $map[$b] = -1;
            if ($s[$b] != 0xFFFE) {
                for my $i (0 .. 255) {
                    if ($d[$i] == $s[$b]) { $map[$b] = $i; last }
                }
            }
        }
        open my $in, "<:raw", $ARGV[3] or die;
        open my $out, ">:raw", $ARGV[4] or die;
        local $/;
        my $text = <$in> // "";
        for my $c (unpack "C*", $text) {
            if ($map[$c] < 0) { print $out chr $replacement; $replaced = 1 }
            else { print $out chr $map[$c] }
        }
        exit $replaced;
    ' "$STORE/xlt/$1" "$STORE/xlt/$2" "$3" "$4" "$5"
}

# src: ASCII, then 0x400 + (byte - 0x80); BAD at 0x00 and 0x81, a value
# the target lacks at 0x82, and 'A' again at 0x83.
# dst: ASCII but BAD at 0x7F, then the Cyrillic-like values reversed
# (0xFF - byte); 'A' also at 0x90 (the lower 0x41 wins), a second 0x410 at
# 0xA0 (wins over 0xEF, and 0x45F goes missing), BAD at 0xB0 (0x44F goes
# missing).
make_fixture_tables() {
    local i src=() dst=() id=()
    for ((i = 0; i < 256; ++i)); do
        id+=($i)
        if ((i < 128)); then src+=($i) dst+=($i); else src+=($((0x400 + i - 128))) dst+=($((0x400 + 255 - i))); fi
    done
    local bad=$((0xFFFE))
    src[0]=$bad src[0x81]=$bad src[0x82]=$((0x2500)) src[0x83]=$((0x41))
    dst[0x7F]=$bad dst[0x90]=$((0x41)) dst[0xA0]=$((0x410)) dst[0xB0]=$bad
    write_table src "${src[@]}"
    write_table dst "${dst[@]}"
    write_table id "${id[@]}"
    write_table short "${id[@]:0:50}"   # 100 bytes
}

# Every byte value once, and a longer file of all values at shifting
# offsets, longer than one read block of the converter.
make_fixture_inputs() {
    perl -e 'print map { chr } 0 .. 255' >"$WORK/all256"
    perl -e 'print map { chr(($_ * 7 + ($_ >> 9)) & 255) } 0 .. 300_006' >"$WORK/mixed"
    perl -e 'print map { chr(32 + $_ % 95) } 0 .. 99_999' >"$WORK/ascii"
}

prepare_fixtures() {
    make_fixture_tables
    make_fixture_inputs
    cd "$WORK"
}
