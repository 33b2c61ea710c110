# Outputs that cannot be made or written: read-only directories, writes
# that fail part way (a file size limit), standard output at a full device
# or closed. The status and message say so, and no file that the user had
# is lost or left half-written.
#   bash outputs.sh TEST_DIR ORVELGEN ORVELCNV ORVELNAM ORVELMAP ORVELWEB
source "$1/fixture.sh"
make_store
cd "$WORK"
cedf=${STORE}cedf
WRITE_FAILED='unable to write output file'

# limited_to FILE BYTES COMMAND...: standard output to FILE, files limited
# to BYTES bytes.
limited_to() {
    local file=$1 bytes=$2
    shift 2
    prlimit --fsize="$bytes" "$@" >"$file"
}

# A code of 100 bytes with names that the names list lacks: orvelnam's
# report and orvelweb's page are several KiB long.
for ((i = 0; i < 100; ++i)); do printf '%02X\tUNKNOWN NAME %d\n' $((i + 0x80)) $i; done |
    cat <(printf 'Unknowns\nnames the list lacks\n\n\n') - >"$cedf/unknowns"
cp "${STORE}xlt/identity" "${STORE}xlt/unknowns"
# A table that its empty mapping file contradicts at every byte.
cp "${STORE}xlt/identity" "${STORE}xlt/differ"
: >"${UNICODE}differ.txt"

# orvelgen, every output form. FILES are what the form writes, the first
# of them first; the store's xlt/ holds the binary table.
CREATING='orvelgen: creating out using code and iso10646
'
# A run in a fresh run directory and xlt/.
fresh() {
    chmod -R u+w "$WORK/run" "${STORE}xlt" 2>/dev/null
    rm -rf "$WORK/run" "${STORE}xlt/out"
    mkdir "$WORK/run"
    chmod 755 "${STORE}xlt"
    cd "$WORK/run"
}
# The files of a form, as written by a run that nothing disturbs, in ref/.
reference() {
    fresh
    "$gen" code iso10646 out "$1" >/dev/null 2>&1
    mkdir "$WORK/ref.$1"
    for file in $2; do cp "$file" "$WORK/ref.$1/${file##*/}"; done
}
# Old files in place of the form's outputs, and a copy to compare with.
old_files() {
    rm -rf "$WORK/old"
    mkdir "$WORK/old"
    for file in $1; do
        echo "old ${file##*/}, from an earlier run" >"$file"
        cp "$file" "$WORK/old/${file##*/}"
    done
}
same_as() {
    local dir=$1 file
    shift
    for file; do cmp -s "$file" "$dir/${file##*/}" || return 1; done
}
none_of() {
    local file
    for file; do [ ! -e "$file" ] || return 1; done
}

for form in -c -t -u -b; do
    case $form in
        -c) files="out.tab out.c out.h" dir=. ;;
        -t) files="out.tab" dir=. ;;
        -u) files="out.txt" dir=. ;;
        -b) files="${STORE}xlt/out" dir=${STORE}xlt ;;
    esac
    first=${files%% *}
    reference $form "$files"

    # The write fails part way: every first file is longer than 400 bytes
    # (the binary table has 512), the messages are shorter.
    fresh
    check "orvelgen $form, write fails, new file" 4 "$CREATING" \
        "${GEN_BANNER}orvelgen: $WRITE_FAILED $first
" limited 400 "$gen" code iso10646 out $form
    check_true "orvelgen $form, write fails: no file left" none_of $files
    fresh
    old_files "$files"
    check "orvelgen $form, write fails, old file" 4 "$CREATING" \
        "${GEN_BANNER}orvelgen: $WRITE_FAILED $first
" limited 400 "$gen" code iso10646 out $form
    check_true "orvelgen $form, write fails: old files intact" same_as "$WORK/old" $files

    # The directory takes no new file.
    fresh
    chmod 555 "$dir"
    check "orvelgen $form, read-only directory" 4 "$CREATING" \
        "${GEN_BANNER}orvelgen: unable to create output file $first
" "${unprivileged[@]}" "$gen" code iso10646 out $form
    check_true "orvelgen $form, read-only directory: nothing made" none_of $files
    # An existing file there is either replaced whole or left as it was.
    chmod 755 "$dir"
    old_files "$files"
    chmod 555 "$dir"
    status=0
    "${unprivileged[@]}" "$gen" code iso10646 out $form >/dev/null 2>"$WORK/err" || status=$?
    if [ $status = 0 ]; then
        check_true "orvelgen $form, read-only directory, old file: replaced whole" \
            same_as "$WORK/ref.$form" $files
    else
        check_true "orvelgen $form, read-only directory, old file: status 4" test $status = 4
        check "orvelgen $form, read-only directory, old file: message" 0 \
            "${GEN_BANNER}orvelgen: unable to create output file $first
" "" cat "$WORK/err"
        check_true "orvelgen $form, read-only directory, old file: intact" \
            same_as "$WORK/old" $files
    fi
done
fresh
check "orvelgen, output directory missing" 4 "${CREATING/out/nodir/out}" \
    "${GEN_BANNER}orvelgen: unable to create output file nodir/out.tab
" "$gen" code iso10646 nodir/out -t
cd "$WORK"

# orvelgen's standard output: the "creating" line and the dumps.
STDOUT_FAILED="orvelgen: $WRITE_FAILED -
"
for args in "-t" "-n -d" "-u -d"; do
    fresh
    check "orvelgen $args, standard output full" 4 "" "${GEN_BANNER}$STDOUT_FAILED" \
        to_full "$gen" code iso10646 out $args
    fresh
    check "orvelgen $args, standard output closed" 4 "" "${GEN_BANNER}$STDOUT_FAILED" \
        closed_stdout "$gen" code iso10646 out $args
done
cd "$WORK"

# The reports of orvelnam and orvelmap, the page of orvelweb.
for setting in to_full closed_stdout; do
    label=${setting/to_full/standard output full}
    label=${label/closed_stdout/standard output closed}
    check "orvelnam, $label" 4 "" "${NAM_BANNER}orvelnam: $WRITE_FAILED -
" $setting "$nam" code
    check "orvelmap, $label" 4 "" "${MAP_BANNER}orvelmap: $WRITE_FAILED -
" $setting "$map" differ
done
check "orvelweb, standard output closed" 4 "" "orvelweb: $WRITE_FAILED -
" closed_stdout "$web" unknowns
# Part way: 1 KiB of reports of several KiB, and of a page.
check "orvelnam, write fails part way" 4 "" "${NAM_BANNER}orvelnam: $WRITE_FAILED -
" limited_to report 1024 "$nam" unknowns
check "orvelmap, write fails part way" 4 "" "${MAP_BANNER}orvelmap: $WRITE_FAILED -
" limited_to report 1024 "$map" differ
check "orvelweb, write fails part way" 4 "" "orvelweb: $WRITE_FAILED -
" limited_to page 1024 "$web" unknowns

# orvelcnv. Standard output closed: a filter cannot write; a named output
# file may take descriptor 1 and is written as ever.
printf 'Some Text, 12 bytes, 0x00: \0.\n' >text
tr 'a-zA-Z' 'A-Za-z' <text >text.want
STDIN=text check "orvelcnv filter, standard output closed" 4 "" "orvelcnv: $WRITE_FAILED -
" closed_stdout "$cnv" -sidentity -tswapcase
check "orvelcnv to a file, standard output closed" 0 "" "" \
    closed_stdout "$cnv" -sidentity -tswapcase text converted
check_file "orvelcnv to a file, standard output closed: bytes" converted text.want
closed_stdin() { "$@" <&-; }
check "orvelcnv filter, standard input closed" 3 "" "orvelcnv: unable to read input file -
" closed_stdin "$cnv" -sidentity -tswapcase
# In place, only a regular file is replaced, and a FIFO must not block.
mkdir fifos
mkfifo fifos/f
check "orvelcnv in place on a FIFO" 4 "" "" bounded "$cnv" -sidentity -tswapcase fifos/f
check_true "the FIFO stays" test -p fifos/f
check "nothing beside the FIFO" 0 "f " "" listing fifos
finish
