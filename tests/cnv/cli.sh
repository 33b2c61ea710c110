# orvelcnv: command line, usage report, statuses and the conversion rule.
#   bash cli.sh ORVELCNV SOURCE_DIR
cnv=$1
source "$2/tests/harness.sh"
source "$2/tests/cnv/fixtures.sh"
prepare_fixtures

# Wrong command lines: the encodings lines appear only when both names
# were accepted before the examination stopped.
while IFS='|' read -r name encodings args; do
    read -r -a argv <<<"$args"
    want=$BANNER
    [ "$encodings" = - ] || { banner_with ${encodings/,/ }; want=$WITH; }
    check "usage: $name" 2 '' "$want$SYNTAX" "$cnv" "${argv[@]}"
done <<'CASES'
no arguments|-|
source only|-|-ssrc
target only|-|-tdst
wrong option behind both names|src,dst|-ssrc -tdst -x
wrong option ahead of them|-|-x -ssrc -tdst
third positional argument|src,dst|-ssrc -tdst all256 out extra
lone dash|src,dst|-ssrc -tdst -
double dash|-|-- -ssrc -tdst
digit as option letter|src,dst|-ssrc -tdst -1
last -s counts|src,dst|-sother -ssrc -tdst -q
upper-case letters|src,dst|-Ssrc -Tdst -Q
options after positionals|src,dst|all256 -ssrc out -tdst -z
CASES
banner_with '' ''
check "usage: empty names" 2 '' "$WITH$SYNTAX" "$cnv" -s -t -z

# Tables: the first failure ends the run, with one line and no banner.
rm -f out
check "missing source table" 5 '' 'orvelcnv: unable to load table file nosuch
' "$cnv" -snosuch -tnosuch2 all256 out
check_true "no output file after a table failure" test ! -e out
check "missing target table" 5 '' 'orvelcnv: unable to load table file nosuch
' "$cnv" -ssrc -tnosuch all256 out
check "empty source name (the xlt directory)" 5 '' 'orvelcnv: unable to load table file 
' "$cnv" -s -tdst all256 out
check "-s, blank, name: the name is the input" 5 '' 'orvelcnv: unable to load table file 
' "$cnv" -s src -tdst

# Files that cannot be created or opened.
banner_with src dst
check "output cannot be created (input not opened)" 4 '' \
    "${WITH}orvelcnv: unable to create output file nodir/out
" "$cnv" -ssrc -tdst nosuch nodir/out
rm -f out
check "input cannot be opened" 3 '' "${WITH}orvelcnv: unable to open input file nosuch!
" "$cnv" -ssrc -tdst nosuch out
check_true "the output stays, empty" test -f out -a ! -s out
check "input cannot be opened, in place" 3 '' "${WITH}orvelcnv: unable to open input file nosuch!
" "$cnv" -ssrc -tdst nosuch
mkdir -p adir
check "input cannot be read" 3 '' 'orvelcnv: unable to read input file adir
' "$cnv" -ssrc -tdst adir out
STDIN=adir check "standard input cannot be read" 3 '' 'orvelcnv: unable to read input file -
' "$cnv" -ssrc -tdst

# The rule on every byte value and on longer input, through each path of
# the block conversion, to a file, to standard output and in place.
expect_conversion src dst '#' mixed want_mixed
for path in scalar avx2 avx512; do
    for input in all256 mixed ascii; do
        for table in "src dst" "dst src" "short id" "id short"; do
            set -- $table
            status=0
            expect_conversion $1 $2 '#' $input want || status=$?
            check "$path $input $1 to $2, to a file" $status '' '' \
                env ORVELCNV_SIMD=$path "$cnv" -s$1 -t$2 -b# $input got
            check_file "$path $input $1 to $2: bytes" got want
        done
    done
    STDIN=mixed check "$path: standard input to standard output" 1 @want_mixed '' \
        env ORVELCNV_SIMD=$path "$cnv" -ssrc -tdst -b#
done
cp mixed inplace
check "in place" 1 '' '' "$cnv" -ssrc -tdst -b# inplace
check_file "in place: bytes" inplace want_mixed

# The replacement byte: default 0xFF, a bare -b gives 0x00, only the first
# character counts, -B like -b; the replacement is not converted itself.
printf '\000\201' >bad2
for case in "ff|" "00|-b" "58|-bXYZ" "3f|-B?" "80|-b$(printf '\200')"; do
    want=${case%%|*} option=${case#*|}
    printf "\\x$want\\x$want" >want
    check "replacement byte ${option:-default}" 1 '' '' "$cnv" -ssrc -tdst $option bad2 got
    check_file "replacement byte ${option:-default}: bytes" got want
done

# Empty input, and input that needs no replacement.
: >empty
check "empty input" 0 '' '' "$cnv" -ssrc -tdst empty got
check_true "empty output" test -f got -a ! -s got
check "empty input in place" 0 '' '' "$cnv" -ssrc -tdst empty
check_true "empty file stays empty" test -f empty -a ! -s empty
STDIN=ascii check "ascii needs no replacement" 0 @ascii '' "$cnv" -sid -tid
finish
