# Black-box tests of orvelweb on the fixture store.
# Usage: bash orvelweb.sh ORVELWEB SOURCE_DIR
orvelweb=$1
here=$2
source "$here/../harness.sh"
source "$here/fixture.sh"

store=$HARNESS_DIR/store/
make_fixture_store "$here" "$store"
export ORVEL=$store

# Pages byte for byte: escaping in title, headings and rows; the rows left
# out (null, empty and control names wherever they stand); BAD entries and
# the entries that a short table lacks as &#65534;.
for code in small controls short; do
    check "page of $code" 0 "@$here/golden/$code.html" "" "$orvelweb" "$code"
done

banner="orvelkit: tables and filters for 8-bit character codes
orvelweb V1.20 (1997-07-27)
Syntax: orvelweb src-table
"
check "no argument" 2 "" "$banner" "$orvelweb"
check "two arguments" 2 "" "$banner" "$orvelweb" small small

# Every failed load leaves standard output empty; the description file is
# loaded first and reports itself, a missing table is silent.
while IFS='|' read -r name code status message; do
    printf -v message "$message" "$store"
    check "$name" "$status" "" "$message" "$orvelweb" "$code"
done <<'CASES'
name with a leading dash|-small|11|orvelweb: unable to open file %scedf/-small\n
description file without a table|notable|5|
bad syntax|badsyntax|21|orvelweb: code file %scedf/badsyntax has bad syntax in line 6\n
code redefined|redefined|22|orvelweb: code file %scedf/redefined: code 65 redefined line 6\n
included file ends in its header|shortinclude|12|
CASES

# A page that cannot be written is a failure.
check "standard output full" 4 "" "orvelweb: unable to write the chart to standard output
" bash -c '"$1" small >/dev/full' - "$orvelweb"

finish
