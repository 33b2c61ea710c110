# Loads the chart of a code in headless Chromium and checks the document the
# browser built: one table row per charted byte plus the heading, and in each
# row the character of the byte's Unicode value.
# Usage: bash browser.sh ORVELWEB SOURCE_DIR [STORE CODE [ROWS]]
# Without STORE and CODE it charts the fixture code "spread" (ASCII, box
# drawing, Latin-1 letters: 223 charted bytes).
orvelweb=$1
here=$2
source "$here/../harness.sh"
source "$here/fixture.sh"

if [ $# -ge 4 ]; then
    store=$3 code=$4 rows=${5:-}
else
    store=$HARNESS_DIR/store/
    make_fixture_store "$here" "$store"
    code=spread rows=223
fi

browser=$(command -v chromium) || {
    echo "chromium not found: install Debian's chromium package"
    exit 1
}

page=$HARNESS_DIR/$code.html
if ORVEL=$store "$orvelweb" "$code" >"$page"; then
    pass
else
    fail "orvelweb could not chart $code"
    finish
    exit
fi

# A fresh profile, and nothing that would reach for the network.
dom=$HARNESS_DIR/dom.html
if timeout 120 "$browser" --headless --no-sandbox --disable-gpu --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$HARNESS_DIR/profile" --dump-dom "file://$page" \
        >"$dom" 2>"$HARNESS_DIR/browser.log"; then
    pass
else
    fail "chromium did not load the chart of $code; its log ends:"
    tail -5 "$HARNESS_DIR/browser.log"
fi

check_true "the browser shows the chart of $code right" \
    python3 "$here/check_dom.py" "$dom" "$page" "${store}xlt/$code" $rows
finish
