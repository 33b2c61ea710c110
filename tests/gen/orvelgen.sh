#!/bin/bash
# Black-box tests of orvelgen on the fixture store in store/: the command
# line, messages and statuses, the files each output type writes (against
# golden files), and the filter that the C source of a code compiles into.
#   orvelgen.sh ORVELGEN TEST_DIR SKELETON_DIR C_COMPILER
ORVELGEN=$1 HERE=$2 SKELETON_DIR=$3 CC=$4
source "$HERE/../harness.sh"

WORK=$HARNESS_DIR/work
export ORVEL=$WORK/store/
EXPECTED=$HERE/expected
BANNER=$'orvelkit: tables and filters for 8-bit character codes\norvelgen V1.13 (1997-06-14)\n'
USAGE="${BANNER}Syntax: orvelgen src-table dst-table tablename {-c|-t|-u|-b|-n} {-d}
"
CREATED=$'orvelgen: creating out using demo and iso10646\n'
C_FILES="run/out.c run/out.h run/out.tab"

# A fresh copy of the fixture store and an empty directory to run in.
fresh_store() {
    cd "$HERE"
    rm -rf "$WORK"
    mkdir -p "$WORK/store/xlt" "$WORK/run"
    cp -r "$HERE/store/cedf" "$WORK/store/"
}

# The files that a run left, in its directory and in the store's xlt/.
made_files() {
    local files
    files=$(cd "$WORK" && find run store/xlt -type f 2>/dev/null | sort | paste -sd ' ')
    [ -z "$files" ] || echo "$files"
}

# gen_case NAME STATUS STDOUT STDERR FILES ARGS...: one run in a fresh
# store; $SETUP, when set, runs in the run directory first; $PROGRAM, when
# set, runs instead of orvelgen itself.
gen_case() {
    local name=$1 status=$2 out=$3 err=$4 files=$5
    shift 5
    fresh_store
    cd "$WORK/run"
    eval "${SETUP:-}"
    check "$name" "$status" "$out" "$err" "${PROGRAM:-$ORVELGEN}" "$@"
    check "$name: files made" 0 "${files:+$files
}" "" made_files
    cd "$HERE"
}

# The command line, case by case.
gen_case "no arguments"               2 "" "$USAGE" ""
gen_case "only -d"                    2 "" "$USAGE" "" -d
gen_case "two names"                  2 "" "$USAGE" "" demo iso10646
gen_case "three names, no option"     0 "$CREATED" "$BANNER" "$C_FILES" demo iso10646 out
gen_case "-C in upper case"           0 "$CREATED" "$BANNER" "$C_FILES" -C demo iso10646 out
gen_case "-t after the names"         0 "$CREATED" "$BANNER" "run/out.tab" demo iso10646 out -t
gen_case "-u between the names"       0 "$CREATED" "$BANNER" "run/out.txt" demo -u iso10646 out
gen_case "-b after the names"         0 "$CREATED" "$BANNER" "store/xlt/out" demo iso10646 out -b
gen_case "-Bin counts as -b"          0 "$CREATED" "$BANNER" "store/xlt/out" -Bin demo iso10646 out
gen_case "two type options"           2 "" "$USAGE" "" -t demo iso10646 out -u
gen_case "the same type option twice" 2 "" "$USAGE" "" -u demo iso10646 out -U
gen_case "unknown letter x"           2 "" "$USAGE" "" demo iso10646 out -x
gen_case "upper-case letter Q"        2 "" "$USAGE" "" -Q demo iso10646 out
gen_case "lone hyphen"                2 "" "$USAGE" "" demo iso10646 out -
gen_case "two hyphens"                2 "" "$USAGE" "" demo iso10646 out --
gen_case "fourth name"                2 "" "$USAGE" "" demo iso10646 out more
gen_case "-n with two names"          2 "" "$USAGE" "" demo iso10646 -n
gen_case "-n writes nothing"          0 "" "$BANNER" "" demo iso10646 out -n
gen_case "-n and -d: only the dumps"  0 "@$EXPECTED/dump.txt" "$BANNER" "" demo iso10646 out -n -d
gen_case "-d twice dumps once"        0 "@$EXPECTED/dump.txt" "$BANNER" "" -d demo -D iso10646 out -n
gen_case "-u and -d"                  0 "@$EXPECTED/created-dump.txt" "$BANNER" "run/out.txt" \
    demo iso10646 out -u -d

# Load failures: the loader's message and status, and nothing written.
gen_case "missing source" 11 "" "${BANNER}orvelgen: unable to open file ${ORVEL}cedf/nosuch
" "" nosuch iso10646 out
gen_case "missing source with -n" 11 "" "${BANNER}orvelgen: unable to open file ${ORVEL}cedf/nosuch
" "" nosuch iso10646 out -n
gen_case "missing destination" 11 "" "${BANNER}orvelgen: unable to open file ${ORVEL}cedf/nosuch
" "" demo nosuch out
gen_case "destination out of order" 21 "" "${BANNER}orvelgen: code file ${ORVEL}cedf/unsorted is out of order in line 6
" "" demo unsorted out -u

# Output files that cannot be created or written: status 4, the files
# written before stay, the later ones are not attempted.
SETUP='mkdir out.c' gen_case "filter file cannot be created" 4 "$CREATED" \
    "${BANNER}orvelgen: unable to create output file out.c
" "run/out.tab" demo iso10646 out
# What is not a regular file is not replaced: the link stays, nothing is
# written to the device.
SETUP='ln -s /dev/full out.tab' gen_case "table file on a device" 4 "$CREATED" \
    "${BANNER}orvelgen: unable to create output file out.tab
" "" demo iso10646 out
check "the link to the device stays" 0 "/dev/full
" "" readlink "$WORK/run/out.tab"
# A write that fails part way keeps the file that was there, and leaves
# no temporary file.
limited_gen() { bash -c 'ulimit -f 1; exec "$0" "$@"' "$ORVELGEN" "$@"; }
SETUP='echo old >out.txt' PROGRAM=limited_gen gen_case "mapping file write fails part way" 4 \
    "$CREATED" "${BANNER}orvelgen: unable to write output file out.txt
" "run/out.txt" demo iso10646 out -u
check "the old mapping file stays" 0 "old
" "" cat "$WORK/run/out.txt"
check "no temporary file stays" 0 "out.txt
" "" ls -A "$WORK/run"
SETUP='rmdir ../store/xlt' gen_case "store without xlt/" 4 "$CREATED" \
    "${BANNER}orvelgen: unable to create output file ${ORVEL}xlt/out
" "" demo iso10646 out -b

# Golden files of every output type for the fixture code demo: BAD bytes,
# a name missing from the list, an empty comment line, a short name line.
fresh_store
cd "$WORK/run"
for option in -c -u -b; do
    "$ORVELGEN" demo iso10646 demo "$option" >/dev/null 2>&1
done
for file in demo.tab demo.c demo.h demo.txt; do
    check_file "golden $file" "$file" "$EXPECTED/$file"
done
check_file "golden binary table" "$WORK/store/xlt/demo" "$EXPECTED/demo.xlt"
mkdir table-only
(cd table-only && "$ORVELGEN" demo iso10646 demo -t >/dev/null 2>&1)
check_file "golden table file of -t" table-only/demo.tab "$EXPECTED/demo.tab"

# The filter compiled from it: every byte to its code below 256, else to
# BAD_CHAR (NO-BREAK SPACE, 0xA0), and status 1 when it replaced a byte.
check "demo filter compiles" 0 "" "" \
    "$CC" -std=c99 -Wall -Werror -I"$SKELETON_DIR" demo.c -o demo-filter
expected_byte() {
    case $1 in
        00 | 20 | 31 | 41 | 42 | 61 | a0 | a3) printf "\\x$1" ;;
        *) printf '\xa0' ;;
    esac
}
for byte in $(seq 0 255); do printf "\\x$(printf %02x "$byte")"; done >all-bytes
for byte in $(seq 0 255); do expected_byte "$(printf %02x "$byte")"; done >all-bytes.want
STDIN=all-bytes check "filter over all 256 bytes" 1 "@all-bytes.want" "" ./demo-filter
printf 'AB a1' >mapped-only
STDIN=mapped-only check "filter without replacements" 0 "AB a1" "" ./demo-filter

# Header texts with quotes, backslashes, "*/", "/*" and trigraphs still give
# C that compiles, and the filter shows the texts unchanged.
"$ORVELGEN" tricky iso10646 tricky >/dev/null 2>&1
check "tricky filter compiles" 0 "" "" \
    "$CC" -std=c99 -Wall -Werror -I"$SKELETON_DIR" tricky.c -o tricky-filter
{
    printf 'tricky V1.20 (1997-07-27)\nfrom: '
    sed -n 1p "$WORK/store/cedf/tricky"
    sed -n 2,4p "$WORK/store/cedf/tricky" | sed 's/^/      /'
    printf 'to:   '
    sed -n 1p "$WORK/store/cedf/iso10646"
    sed -n 2,4p "$WORK/store/cedf/iso10646" | sed 's/^/      /'
    printf 'Syntax: ./tricky-filter <input >output\n'
} >tricky-usage.want
check "tricky filter shows the texts unchanged" 2 "" "@tricky-usage.want" ./tricky-filter -h
cd "$HERE"

finish
