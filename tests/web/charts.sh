# Tests the script behind the `charts` target on the fixture store: the
# charts it writes are orvelweb's pages, the index links them by name line,
# and a code that cannot be charted fails the build and leaves no chart.
# Usage: bash charts.sh ORVELWEB SOURCE_DIR CMAKE
orvelweb=$1
here=$2
cmake=$3
source "$here/../harness.sh"
source "$here/fixture.sh"

store=$HARNESS_DIR/store/
make_fixture_store "$here" "$store"
dir=$HARNESS_DIR/charts
script=$here/../../chart/charts.cmake

charts() {
    "$cmake" -DORVELWEB="$orvelweb" -DSTORE="$store" -DCHART_DIR="$dir" -P "$script" -- "$@"
}

# fails WORDS COMMAND...   the command fails and its output holds WORDS
fails() {
    local words=$1
    shift
    ! "$@" >"$HARNESS_DIR/log" 2>&1 && grep -q "$words" "$HARNESS_DIR/log"
}

check_true "charts of two codes" charts chart controls small
for code in controls small; do
    check_file "chart of $code" "$dir/$code.html" "$here/golden/$code.html"
done
check_true "index of two codes" charts index controls small
check_file "index" "$dir/index.html" "$here/golden/index.html"

check_true "a code without a table fails" fails "orvelweb notable failed with status 5" \
    charts chart notable
check_true "and leaves no chart" test ! -e "$dir/notable.html" -a ! -e "$dir/notable.html.part"
check_true "a name that is no plain file name fails" fails "is not a plain code name" \
    charts index '<b>'
finish
