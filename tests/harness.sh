# Black-box test helpers, sourced by the program tests. A case runs one
# command and compares its exit status, standard output and standard error
# byte for byte with what is expected; files are compared with cmp.
#
#   check NAME STATUS STDOUT STDERR COMMAND...
#       STDOUT and STDERR are the exact expected texts, or @FILE to take
#       them from a file. Standard input comes from $STDIN (default /dev/null).
#   check_file NAME GOT WANT     the two files are byte-identical
#   check_true NAME COMMAND...   the command succeeds
#   finish                       prints the totals; fails if any case failed

set -u
PASSED=0
FAILED=0
HARNESS_DIR=$(mktemp -d)
trap 'rm -rf "$HARNESS_DIR"' EXIT

pass() { PASSED=$((PASSED + 1)); }
fail() { FAILED=$((FAILED + 1)); echo "FAIL: $*"; }

# Writes the expected text $2 (or the file it names after @) to $1.
expected_text() {
    case $2 in
        @*) cp "${2#@}" "$1" ;;
        *) printf '%s' "$2" >"$1" ;;
    esac
}

check() {
    local name=$1 want_status=$2 want_out=$3 want_err=$4
    shift 4
    local got_status=0 ok=1
    "$@" <"${STDIN:-/dev/null}" >"$HARNESS_DIR/out" 2>"$HARNESS_DIR/err" || got_status=$?
    expected_text "$HARNESS_DIR/want_out" "$want_out"
    expected_text "$HARNESS_DIR/want_err" "$want_err"
    if [ "$got_status" != "$want_status" ]; then
        echo "$name: exit status $got_status, expected $want_status"
        ok=0
    fi
    if ! cmp -s "$HARNESS_DIR/out" "$HARNESS_DIR/want_out"; then
        echo "$name: standard output differs (expected, then got):"
        diff "$HARNESS_DIR/want_out" "$HARNESS_DIR/out" | head -20
        ok=0
    fi
    if ! cmp -s "$HARNESS_DIR/err" "$HARNESS_DIR/want_err"; then
        echo "$name: standard error differs (expected, then got):"
        diff "$HARNESS_DIR/want_err" "$HARNESS_DIR/err" | head -20
        ok=0
    fi
    if [ $ok = 1 ]; then pass; else fail "$name"; fi
}

check_file() {
    if cmp "$2" "$3"; then pass; else fail "$1"; fi
}

check_true() {
    local name=$1
    shift
    if "$@"; then pass; else fail "$name"; fi
}

finish() {
    echo "$PASSED passed, $FAILED failed"
    [ "$FAILED" = 0 ]
}
