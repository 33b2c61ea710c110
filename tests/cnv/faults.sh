# orvelcnv: in-place conversion, and the failures that must leave the
# input byte for byte as it was.
#   bash faults.sh ORVELCNV SOURCE_DIR
cnv=$1
source "$2/tests/harness.sh"
source "$2/tests/cnv/fixtures.sh"
prepare_fixtures
expect_conversion src dst '#' mixed converted
banner_with src dst

# The names in a directory, hidden ones included: no temporary file may
# stay behind.
listing() { ls -A "$1" | tr '\n' ' '; }
check_listing() { check "$1" 0 "$3" '' listing "$2"; }

# Without root's right to ignore permissions, so that they take effect.
unprivileged=()
if [ "$(id -u)" = 0 ]; then
    unprivileged=(setpriv --bounding-set=-dac_override,-dac_read_search,-fowner --inh-caps=-all)
fi

# In place, from another directory: the temporary file belongs beside the
# input, and none is left.
mkdir data run
cp mixed data/f
(cd run && check "in place from another directory" 1 '' '' "$cnv" -ssrc -tdst -b# ../data/f)
check_file "in place from another directory: bytes" data/f converted
check_listing "nothing left beside the input" data 'f '
check_listing "nothing left in the working directory" run ''

# Across file systems: the working directory on one, the input on another.
shm=$(mktemp -d /dev/shm/orvelcnv-test.XXXXXX)
trap 'rm -rf "$HARNESS_DIR" "$shm"' EXIT
if [ "$(stat -c %d "$shm")" != "$(stat -c %d "$WORK")" ]; then
    cp mixed "$shm/f"
    check "input on another file system" 1 '' '' "$cnv" -ssrc -tdst -b# "$shm/f"
    check_file "input on another file system: bytes" "$shm/f" converted
    check_listing "nothing left on the other file system" "$shm" 'f '
    cp mixed data/g
    (cd "$shm" && check "working directory on another file system" 1 '' '' \
        "$cnv" -ssrc -tdst -b# "$WORK/data/g")
    check_file "working directory on another file system: bytes" data/g converted
    check_listing "nothing left beside that input" data 'f g '
else
    echo "note: /dev/shm and $WORK share a file system; cross-file-system cases not run"
fi

# The converted file keeps the permission bits of the input.
for mode in 600 640 755 444 2750; do
    cp mixed m$mode
    chmod $mode m$mode
    check "in place keeps mode $mode" 1 '' '' "$cnv" -ssrc -tdst -b# m$mode
    check "mode $mode kept" 0 "$mode
" '' stat -c %a m$mode
    check_file "mode $mode: bytes" m$mode converted
done

# A symbolic link: the file it points to is converted, the link stays.
mkdir links targets
cp mixed targets/t
ln -s ../targets/t links/l
check "in place through a symbolic link" 1 '' '' "$cnv" -ssrc -tdst -b# links/l
check_true "the link stays a link" test -L links/l
check "the link still points where it did" 0 '../targets/t
' '' readlink links/l
check_file "the link's target is converted" targets/t converted
check_listing "nothing left beside the link" links 'l '
check_listing "nothing left beside the target" targets 't '

# One file as input and output, in any spelling: refused before anything
# is written.
mkdir same
cp mixed same/f
ln same/f same/hard
ln -s f same/sym
for pair in "f f" "f ./f" "f $WORK/same/f" "f ../same/f" "f hard" "f sym" "sym f" "hard sym"; do
    set -- $pair
    (cd same && check "same file: $1 $2" 4 '' "${WITH}orvelcnv: unable to create output file $2
" "$cnv" -ssrc -tdst "$1" "$2")
    check_file "same file: $1 $2 untouched" same/f mixed
done

# Standard output that the shell opened on the input file itself: appended
# to, the file would grow without end.
cp mixed same/f
check "standard output appends to standard input's file" 4 '' "${WITH}orvelcnv: unable to create output file -
" bash -c '"$0" -ssrc -tdst <same/f >>same/f' "$cnv"
check_file "standard output appends to standard input's file: untouched" same/f mixed

# Writes that fail: the message names the output ("-" for standard
# output), status 4; in place the input stays as it was.
check "output /dev/full" 4 '' 'orvelcnv: unable to write output file /dev/full
' "$cnv" -ssrc -tdst mixed /dev/full
check "standard output /dev/full" 4 '' 'orvelcnv: unable to write output file -
' bash -c '"$0" -ssrc -tdst <mixed >/dev/full' "$cnv"
mkdir limit
cp mixed limit/f
# 64 KiB of a 300 KB file: the write fails part way.
check "in place beyond the file size limit" 4 '' 'orvelcnv: unable to write output file limit/f
' bash -c 'ulimit -f 64; exec "$0" -ssrc -tdst "$1"' "$cnv" limit/f
check_file "in place beyond the file size limit: input untouched" limit/f mixed
check_listing "in place beyond the limit: no temporary file left" limit 'f '
check "output beyond the file size limit" 4 '' 'orvelcnv: unable to write output file limit/out
' bash -c 'ulimit -f 64; exec "$0" -ssrc -tdst mixed "$1"' "$cnv" limit/out

# Permissions: a directory that takes no new file, an input that cannot
# be read. The temporary file that cannot be made gives no message.
mkdir locked
cp mixed locked/f
chmod 555 locked
check "in place in a read-only directory" 4 '' '' "${unprivileged[@]}" "$cnv" -ssrc -tdst locked/f
check_file "read-only directory: input untouched" locked/f mixed
check_listing "read-only directory: nothing added" locked 'f '
check "output in a read-only directory" 4 '' "${WITH}orvelcnv: unable to create output file locked/out
" "${unprivileged[@]}" "$cnv" -ssrc -tdst mixed locked/out
cp mixed unreadable
chmod 000 unreadable
check "in place, input unreadable" 3 '' "${WITH}orvelcnv: unable to open input file unreadable!
" "${unprivileged[@]}" "$cnv" -ssrc -tdst unreadable
chmod 644 unreadable
check_file "unreadable input untouched" unreadable mixed

# Only a regular file is replaced in place.
mkdir adir
check "in place on a directory" 4 '' '' "$cnv" -ssrc -tdst adir
check_true "the directory stays" test -d adir
finish
