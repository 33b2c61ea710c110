# orvelcnv between shipped codes of the built store, against glibc iconv:
# every byte that both convert must give the same byte. A target that
# holds one character twice may differ from iconv only by taking the
# lower of the two bytes.
#   bash iconv.sh ORVELCNV STORE SOURCE_DIR
# Exits 77 (skipped) while the store has no binary tables yet.
cnv=$1
store=$2
source "$3/tests/harness.sh"
if ! ls "${store}xlt/" 2>/dev/null | grep -q .; then
    echo "no binary tables in ${store}xlt/: store not built"
    exit 77
fi
export ORVEL=$store
cd "$HARNESS_DIR"
perl -e 'print map { chr } 0 .. 255' >all256

# Both names are names iconv knows as well.
pairs="cp437:latin1 latin1:cp437 cp1252:iso8859-15 cp850:cp1252 cp866:iso8859-5
       koi8-r:cp866 cp1250:iso8859-2 mac:cp1252 cp1257:iso8859-13"
for pair in $pairs; do
    from=${pair%:*} to=${pair#*:}
    if [ ! -f "${store}xlt/$from" ] || [ ! -f "${store}xlt/$to" ]; then
        fail "$pair: table missing in ${store}xlt/"
        continue
    fi
    # Two replacement bytes tell a replaced byte from a converted one.
    "$cnv" -s$from -t$to -b$'\001' all256 ours1
    "$cnv" -s$from -t$to -b$'\002' all256 ours2
    mine=($(od -An -v -tu1 ours1))
    other=($(od -An -v -tu1 ours2))
    target=($(od -An -v -tu2 "${store}xlt/$to"))
    compared=0 differ=0
    for ((byte = 0; byte < 256; ++byte)); do
        [ "${mine[byte]}" = "${other[byte]}" ] || continue
        theirs=$(printf "\\$(printf %03o $byte)" | iconv -f $from -t $to 2>/dev/null | od -An -tu1)
        theirs=${theirs// /}
        [ -n "$theirs" ] || continue
        compared=$((compared + 1))
        ours=${mine[byte]}
        if [ "$ours" != "$theirs" ] &&
           ! { [ "$ours" -lt "$theirs" ] && [ "${target[ours]}" = "${target[theirs]}" ]; }; then
            echo "$pair: byte $byte gives $ours, iconv $theirs"
            differ=$((differ + 1))
        fi
    done
    echo "$pair: $compared bytes compared"
    # Far fewer would mean the tables or the comparison went wrong.
    if [ $differ = 0 ] && [ $compared -ge 128 ]; then pass; else fail "$pair"; fi
done
finish
