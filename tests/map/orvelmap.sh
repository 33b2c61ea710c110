#!/bin/bash
# Black-box tests of orvelmap on binary tables and mapping files made here.
#   orvelmap.sh ORVELMAP
ORVELMAP=$1
source "$(dirname "$0")/../harness.sh"

WORK=$HARNESS_DIR/work
mkdir -p "$WORK/store/xlt" "$WORK/maps"
export ORVEL=$WORK/store/
cd "$WORK"
BANNER=$'orvelkit: tables and filters for 8-bit character codes\norvelmap V1.20 (1997-07-27)\n'
USAGE="${BANNER}Syntax: orvelmap src-table
"

# make_table NAME BYTES [BB=VVVV...]: a binary table of its first BYTES
# bytes, every entry BAD but the ones given (hexadecimal byte=value).
make_table() {
    local name=$1 size=$2 i
    shift 2
    local -a values
    for i in $(seq 0 255); do values[i]=FFFE; done
    for pair in "$@"; do values[16#${pair%=*}]=${pair#*=}; done
    for i in $(seq 0 255); do
        printf "\\x${values[i]:2:2}\\x${values[i]:0:2}"
    done | head -c "$size" >"store/xlt/$name"
}

# make_mapping FILE [BB=VVVV...]: a mapping file with a comment header and
# one line per given byte.
make_mapping() {
    local file=$1 pair
    shift
    {
        printf '#\n#\tName:             test\n#\n'
        for pair in "$@"; do
            printf '0x%s\t0x%s\t#\tSOME NAME\n' "${pair%=*}" "${pair#*=}"
        done
    } >"$file"
}

check "no argument" 2 "" "$USAGE" "$ORVELMAP"
check "two arguments" 2 "" "$USAGE" "$ORVELMAP" one two

make_mapping none.txt 41=0041
check "no binary table" 5 "" "${BANNER}orvelmap: unable to open file none
orvelmap: LoadTable ()
" "$ORVELMAP" none

make_table nomap 512 41=0041
check "no mapping file" 5 "" "${BANNER}orvelmap: unable to open file nomap
orvelmap: LoadUnicode ()
" "$ORVELMAP" nomap

# BAD in the table and no line in the mapping file compare equal.
make_table same 512 00=0000 41=0041 A0=00A0 FF=20AC
make_mapping same.txt 00=0000 41=0041 A0=00A0 FF=20AC
check "the same table" 0 "orvelmap: checking description file same
" "$BANNER" "$ORVELMAP" same

make_table differ 512 10=FFFE 20=0020 41=0041 80=20AC
make_mapping differ.txt 10=0010 41=0041 80=20ac c3=00C3
check "differences, in byte order" 0 "orvelmap: checking description file differ
orvelmap: code point 10: FFFE vs 0010
orvelmap: code point 20: 0020 vs FFFE
orvelmap: code point C3: FFFE vs 00C3
" "$BANNER" "$ORVELMAP" differ

# A table of 100 bytes fills entries 00-31; the rest compare as 0000.
make_table short 100 00=0000 31=0031
zeros=()
for byte in $(seq 50 254); do zeros+=("$(printf %02X "$byte")=0000"); done
make_mapping short.txt 00=0000 31=0031 "${zeros[@]}" FF=00FF
check "short binary table" 0 "orvelmap: checking description file short
orvelmap: code point FF: 0000 vs 00FF
" "$BANNER" "$ORVELMAP" short

# The mapping file is looked for under the UNICODE prefix.
make_table elsewhere 512 41=0041
make_mapping maps/elsewhere.txt 41=0042
UNICODE=$WORK/maps/ check "UNICODE prefix" 0 "orvelmap: checking description file elsewhere
orvelmap: code point 41: 0041 vs 0042
" "$BANNER" "$ORVELMAP" elsewhere

finish
