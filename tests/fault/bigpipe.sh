# orvelcnv as a filter on 4 GiB and 100 bytes through a pipe: offsets
# beyond 32 bits, memory fixed whatever the length. The 100 bytes after
# the first 4 GiB hold the only byte that needs the replacement, so the
# status shows whether the converter still looks at them.
#   bash bigpipe.sh TEST_DIR ORVELCNV PEAK_KIB
# PEAK_KIB bounds the converter's peak resident memory (the sanitizer
# build needs more than the plain one).
here=$1 cnv=$2 peak_kib=$3
source "$here/../harness.sh"
export ORVEL=$HARNESS_DIR/store/
mkdir -p "${ORVEL}xlt"
cd "$HARNESS_DIR"

# From zero to identity with -b? is tr '\000\201' 'Z?': every byte keeps
# its value, but 0x00 is 'Z' and 0x81 is unmapped.
perl -e '@v = 0 .. 255; $v[0] = ord "Z"; $v[0x81] = 0xFFFE; print pack "v*", @v' >"${ORVEL}xlt/zero"
perl -e 'print pack "v*", 0 .. 255' >"${ORVEL}xlt/identity"
printf 'past 4 GiB: \000 \201 %s' "$(printf '%84s' '' | tr ' ' .)" >tail100
check "the tail is 100 bytes" 0 "100
" "" bash -c 'wc -c <tail100'

input() {
    head -c 4294967296 /dev/zero
    cat tail100
}

# The converted stream and the expected one, compared byte for byte as
# they flow: cmp also fails on a stream that ends early or runs on.
started=$SECONDS
{
    input | /usr/bin/time -f %M -o peak "$cnv" -szero -tidentity '-b?'
    echo $? >status
} | cmp - <(input | tr '\000\201' 'Z?') >compared 2>&1
compared="status $? $(cat compared)"
seconds=$((SECONDS - started))
peak=$(tail -n 1 peak)
echo "4294967396 bytes through orvelcnv in ${seconds} s, peak resident memory $peak KiB (bound $peak_kib KiB)"
check "4 GiB + 100 bytes: status 1, one byte replaced past 4 GiB" 0 "1
" "" cat status
check "4 GiB + 100 bytes: output equals the expected, byte for byte" 0 "cmp: status 0 
" "" echo "cmp: $compared"
check_true "4 GiB + 100 bytes: peak memory $peak KiB within $peak_kib KiB" test "$peak" -le "$peak_kib"
finish
