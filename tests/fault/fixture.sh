# Fault tests: the programs, a small store, and helpers that put a program
# into a hostile setting. Sourced by every script of this directory:
#   bash SCRIPT.sh TEST_DIR ORVELGEN ORVELCNV ORVELNAM ORVELMAP ORVELWEB
here=$1 gen=$2 cnv=$3 nam=$4 map=$5 web=$6
source "$here/../harness.sh"

STORE=$HARNESS_DIR/store/
export ORVEL=$STORE
export UNICODE=$HARNESS_DIR/unicode/
WORK=$HARNESS_DIR/work
NOTICE='orvelkit: tables and filters for 8-bit character codes'
NAM_BANNER="$NOTICE
orvelnam V1.20 (1997-07-27)
"
MAP_BANNER="$NOTICE
orvelmap V1.20 (1997-07-27)
"
GEN_BANNER="$NOTICE
orvelgen V1.13 (1997-06-14)
"

# write_table NAME VALUES...: a binary table of these 16-bit values.
write_table() {
    local name=$1
    shift
    perl -e 'print pack "v*", @ARGV' "$@" >"${STORE}xlt/$name"
}

# The byte values 0 to 255 with the changes given as BYTE=VALUE (decimal).
identity_with() {
    local values=() change
    for ((i = 0; i < 256; ++i)); do values+=($i); done
    for change; do values[${change%=*}]=${change#*=}; done
    echo "${values[@]}"
}

# The store: description files from store/cedf; the binary table and the
# Unicode mapping file of code from store/code.map (a byte without a line
# is BAD there); identity (every byte its own value); swapcase (identity
# with A-Z and a-z exchanged, so that identity -> swapcase is tr's
# 'a-zA-Z' 'A-Za-z' and needs no replacement).
make_store() {
    rm -rf "$STORE" "$UNICODE"
    mkdir -p "${STORE}cedf" "${STORE}xlt" "$UNICODE" "$WORK"
    cp "$here"/store/cedf/* "${STORE}cedf/"
    local values=() byte value i swaps=()
    for ((i = 0; i < 256; ++i)); do values[i]=$((0xFFFE)); done
    while read -r byte value; do
        values[16#$byte]=$((16#$value))
        printf '0x%s\t0x%s\t#\tfrom the map\n' "$byte" "$value"
    done <"$here/store/code.map" >"${UNICODE}code.txt"
    write_table code "${values[@]}"
    write_table identity $(identity_with)
    for ((i = 65; i <= 90; ++i)); do swaps+=("$i=$((i + 32))" "$((i + 32))=$i"); done
    write_table swapcase $(identity_with "${swaps[@]}")
}

# The names in a directory, hidden ones included, on one line.
listing() { ls -A "$1" | tr '\n' ' '; }

# Runs a command with standard output at a full device, or closed.
to_full() { "$@" >/dev/full; }
closed_stdout() { "$@" >&-; }

# limited BYTES COMMAND...: the command may write files of at most BYTES
# bytes. The limit holds for the files that take its standard output and
# error too, so it must leave room for those.
limited() {
    local bytes=$1
    shift
    prlimit --fsize="$bytes" "$@"
}

# A run that ought to take milliseconds: a hang becomes status 124 after a
# few seconds, not a stuck test.
bounded() { timeout -k 1 3 "$@"; }

# Without root's right to ignore permissions, so that they take effect.
unprivileged=()
if [ "$(id -u)" = 0 ]; then
    unprivileged=(setpriv --bounding-set=-dac_override,-dac_read_search,-fowner --inh-caps=-all)
fi

# check_either NAME STDOUT STATUS_A STDERR_A STATUS_B STDERR_B COMMAND...
# Like check, for a case with two acceptable endings; both must be a
# clear failure, and the standard output is the same in both.
check_either() {
    local name=$1 want_out=$2 status_a=$3 err_a=$4 status_b=$5 err_b=$6
    shift 6
    local got=0
    "$@" <"${STDIN:-/dev/null}" >"$HARNESS_DIR/either_out" 2>"$HARNESS_DIR/either_err" || got=$?
    local out err
    out=$(cat "$HARNESS_DIR/either_out"; echo .)
    err=$(cat "$HARNESS_DIR/either_err"; echo .)
    if [ "$out" = "$want_out." ] &&
        { { [ "$got" = "$status_a" ] && [ "$err" = "$err_a." ]; } ||
          { [ "$got" = "$status_b" ] && [ "$err" = "$err_b." ]; }; }; then
        pass
    else
        echo "$name: exit status $got, expected $status_a or $status_b; standard output and error:"
        head -c 600 "$HARNESS_DIR/either_out" "$HARNESS_DIR/either_err"
        fail "$name"
    fi
}
