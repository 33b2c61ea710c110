# Hostile input files: description files with NUL bytes, lines of 100 000
# characters, include cycles, files that end in their header, directories
# and FIFOs where a file is expected; binary tables and mapping files that
# are directories, FIFOs or have overlong lines. Every run ends at once
# with its status and message.
#   bash readers.sh TEST_DIR ORVELGEN ORVELCNV ORVELNAM ORVELMAP ORVELWEB
source "$1/fixture.sh"
make_store
mkdir "$WORK/run"
cd "$WORK/run"
cedf=${STORE}cedf
header='Fault\ncomment one\ncomment two\ncomment three\n'

# describe NAME FORMAT [ARGS]: a description file made by printf.
describe() {
    local name=$1 format=$2
    shift 2
    printf "$format" "$@" >"$cedf/$name"
}

# N characters C.
repeat() { printf "%$1s" '' | tr ' ' "$2"; }
long_z=$(repeat 100000 Z)

syntax() { echo "PROG: code file $cedf/$1 has bad syntax in line $2"; }

# reader_fails NAME FILE STATUS MESSAGE
# The three programs that read description files meet FILE: orvelnam and
# orvelweb as their argument, orvelgen as its source. MESSAGE is the
# reader's own diagnostic, PROG standing for the program ('' for none).
reader_fails() {
    local name=$1 file=$2 status=$3 message=${4:+$4
}
    check "orvelnam, $name" "$status" "" "${NAM_BANNER}${message//PROG/orvelnam}orvelnam: unable to open file $file
" bounded "$nam" "$file"
    rm -f out.txt
    check "orvelgen, $name" "$status" "" "${GEN_BANNER}${message//PROG/orvelgen}" \
        bounded "$gen" "$file" iso10646 out -u
    check "orvelgen, $name: no file written" 0 "" "" listing .
    check "orvelweb, $name" "$status" "" "${message//PROG/orvelweb}" bounded "$web" "$file"
}

# The same, where two endings are acceptable: STATUS_A with MESSAGE_A or
# STATUS_B with MESSAGE_B.
reader_fails_either() {
    local name=$1 file=$2 status_a=$3 message_a=${4:+$4
} status_b=$5 message_b=${6:+$6
}
    check_either "orvelnam, $name" "" \
        "$status_a" "${NAM_BANNER}${message_a//PROG/orvelnam}orvelnam: unable to open file $file
" "$status_b" "${NAM_BANNER}${message_b//PROG/orvelnam}orvelnam: unable to open file $file
" bounded "$nam" "$file"
    rm -f out.txt
    check_either "orvelgen, $name" "" \
        "$status_a" "${GEN_BANNER}${message_a//PROG/orvelgen}" \
        "$status_b" "${GEN_BANNER}${message_b//PROG/orvelgen}" \
        bounded "$gen" "$file" iso10646 out -u
    check "orvelgen, $name: no file written" 0 "" "" listing .
    check_either "orvelweb, $name" "" \
        "$status_a" "${message_a//PROG/orvelweb}" "$status_b" "${message_b//PROG/orvelweb}" \
        bounded "$web" "$file"
}

# reader_loads NAME FILE TWIN: FILE reads exactly as the plain file TWIN.
# Each program's result on FILE is the one it gives on TWIN.
reader_loads() {
    local name=$1 file=$2 twin=$3
    "$nam" "$twin" 2>/dev/null | sed "s/^orvelnam: checking description file $twin\$/orvelnam: checking description file $file/" >"$WORK/nam.want"
    check "orvelnam, $name" 0 "@$WORK/nam.want" "$NAM_BANNER" bounded "$nam" "$file"
    mkdir "$WORK/twin"
    (cd "$WORK/twin" && "$gen" "$twin" iso10646 out -u >/dev/null 2>&1)
    check "orvelgen, $name" 0 "orvelgen: creating out using $file and iso10646
" "$GEN_BANNER" bounded "$gen" "$file" iso10646 out -u
    check_file "orvelgen, $name: mapping file" out.txt "$WORK/twin/out.txt"
    cp "${STORE}xlt/code" "${STORE}xlt/$twin"
    cp "${STORE}xlt/code" "${STORE}xlt/$file"
    "$web" "$twin" >"$WORK/web.want"
    check "orvelweb, $name" 0 "@$WORK/web.want" "" bounded "$web" "$file"
    rm -rf "$WORK/twin" out.txt "${STORE}xlt/$file" "${STORE}xlt/$twin"
}

# dest_fails NAME FILE STATUS MESSAGE: FILE as orvelgen's names list.
dest_fails() {
    local name=$1 file=$2 status=$3 message=${4:+$4
}
    rm -f out.txt
    check "orvelgen, names list $name" "$status" "" "${GEN_BANNER}${message//PROG/orvelgen}" \
        bounded "$gen" code "$file" out -u
    check "orvelgen, names list $name: no file written" 0 "" "" listing .
}

describe plain-a "${header}41\tLATIN CAPITAL LETTER A\n"

# NUL bytes. A NUL cannot stand in a name, a header line or an include
# line, all of which the programs hold as C strings: such a line is bad
# syntax, rather than a name silently cut short or a different file
# included. A NUL where a code or its tab belongs is bad syntax anyway.
describe nul-name-line "Fault\0 code\ncomment one\ncomment two\ncomment three\n41\tLATIN CAPITAL LETTER A\n"
reader_fails "NUL in the name line" nul-name-line 21 "$(syntax nul-name-line 1)"
describe nul-in-name "${header}41\tLATIN CAPITAL\0 LETTER A\n"
reader_fails "NUL in a name" nul-in-name 21 "$(syntax nul-in-name 5)"
describe nul-in-include "${header}#include plain-a\0junk\n"
reader_fails "NUL in an include line" nul-in-include 21 "$(syntax nul-in-include 5)"
head -c 1000 /dev/zero >"$cedf/nul-only"
reader_fails "a file of NUL bytes" nul-only 21 "$(syntax nul-only 1)"
describe nul-after-code "${header}41\0\tLATIN CAPITAL LETTER A\n"
reader_fails "NUL after a code" nul-after-code 21 "$(syntax nul-after-code 5)"
describe nul-starts-line "${header}41\tLATIN CAPITAL LETTER A\n\0 42\tLATIN CAPITAL LETTER B\n"
reader_fails "NUL at the start of a body line" nul-starts-line 21 ""
# The header of an included file is skipped unread, NUL bytes and all.
describe nul-header 'a\0b\n\0\n\0\n\0\n41\tLATIN CAPITAL LETTER A\n'
describe incl-nul-header "${header}#include nul-header\n"
reader_loads "NUL in an included file's header" incl-nul-header plain-a

# Lines of 100 000 characters are read in pieces; each later piece is read
# as the next line.
describe long-name-line "%s\ncomment one\ncomment two\ncomment three\n41\tLATIN CAPITAL LETTER A\n" "$long_z"
reader_fails "name line of 100 000 characters" long-name-line 21 ""
describe long-name "${header}41\t%s\n" "$long_z"
reader_fails "name of 100 000 characters" long-name 21 ""
describe long-include "${header}#include %s\n" "$(repeat 100000 x)"
reader_fails "include line of 100 000 characters" long-include 11 \
    "PROG: unable to open file $cedf/$(repeat 1014 x)"
describe long-blank-tail "${header}41\tLATIN CAPITAL LETTER A%s\n" "$(repeat 100000 ' ')"
reader_loads "name followed by 100 000 blanks" long-blank-tail plain-a
describe long-header "%s\n%s\n%s\n%s\n41\tLATIN CAPITAL LETTER A\n" "$long_z" "$long_z" "$long_z" "$long_z"
describe incl-long-header "${header}#include long-header\n"
reader_loads "included file with header lines of 100 000 characters" incl-long-header plain-a

# Include cycles end at the nesting bound, or where a code comes round a
# second time.
describe self "${header}#include self\n"
reader_fails "file that includes itself" self 21 "PROG: code file $cedf/self: includes nest too deeply in line 5"
describe ping "${header}#include pong\n"
describe pong "${header}\n#include ping\n"
reader_fails "two files that include each other" ping 21 "PROG: code file $cedf/pong: includes nest too deeply in line 5"
describe cycle-a "${header}41\tLATIN CAPITAL LETTER A\n#include cycle-b\n"
describe cycle-b "${header}#include cycle-a\n"
reader_fails "cycle through a file with a code" cycle-a 22 "PROG: code file $cedf/cycle-a: code 65 redefined line 5"
{ cat "$cedf/iso10646"; echo '#include self-list'; } >"$cedf/self-list"
dest_fails "that includes itself" self-list 21 "$(syntax self-list 12)"

# Files that end in their header: bad syntax at the top, silent in an
# included file.
: >"$cedf/empty"
reader_fails "empty file" empty 21 "$(syntax empty 1)"
describe three-lines 'Fault\ncomment one\ncomment two\n'
reader_fails "file of three lines" three-lines 21 "$(syntax three-lines 4)"
describe incl-two-lines "${header}41\tLATIN CAPITAL LETTER A\n#include two-lines\n"
describe two-lines 'Fault\ncomment one\n'
reader_fails "included file of two lines" incl-two-lines 12 ""
describe incl-empty "${header}#include empty\n"
reader_fails "included empty file" incl-empty 12 ""
dest_fails "empty" empty 21 "$(syntax empty 1)"

# A directory opens but cannot be read: at the top its first line is
# missing, in an include its header is cut short.
mkdir "$cedf/dir"
reader_fails "directory" dir 21 "$(syntax dir 1)"
describe incl-dir "${header}#include dir\n"
reader_fails "included directory" incl-dir 12 ""
dest_fails "directory" dir 21 "$(syntax dir 1)"

# A FIFO that nobody writes must not block the run: refused at once, or
# read as the empty file it is.
mkfifo "$cedf/fifo"
reader_fails_either "FIFO" fifo 11 "PROG: unable to open file $cedf/fifo" 21 "$(syntax fifo 1)"
describe incl-fifo "${header}#include fifo\n"
reader_fails_either "included FIFO" incl-fifo 11 "PROG: unable to open file $cedf/fifo" 12 ""
check_either "orvelgen, names list FIFO" "" 11 "${GEN_BANNER}orvelgen: unable to open file $cedf/fifo
" 21 "${GEN_BANNER}orvelgen: code file $cedf/fifo has bad syntax in line 1
" bounded "$gen" code fifo out -u

# Binary tables and mapping files that cannot be read: status 5 and the
# program's own message; orvelweb is silent.
# table_fails NAME TABLE: the table TABLE of the store cannot be read.
table_fails() {
    local name=$1 table=$2
    check "orvelcnv, $name" 5 "" "orvelcnv: unable to load table file $table
" bounded "$cnv" -s"$table" -tidentity in out
    check "orvelcnv, $name: no file created" 0 "in " "" listing .
    check "orvelmap, $name" 5 "" "${MAP_BANNER}orvelmap: unable to open file $table
orvelmap: LoadTable ()
" bounded "$map" "$table"
    check "orvelweb, $name" 5 "" "" bounded "$web" "$table"
}
echo text >in
for table in tdir tfifo; do cp "$cedf/code" "$cedf/$table"; done
mkdir "${STORE}xlt/tdir"
table_fails "binary table is a directory" tdir
mkfifo "${STORE}xlt/tfifo"
table_fails "binary table is a FIFO" tfifo
mv "${STORE}xlt" "${STORE}xlt.away"
table_fails "store without xlt/" code
mv "${STORE}xlt.away" "${STORE}xlt"

mapping_fails() {
    check "orvelmap, $1" 5 "" "${MAP_BANNER}orvelmap: unable to open file $2
orvelmap: LoadUnicode ()
" bounded "$map" "$2"
}
cp "${STORE}xlt/code" "${STORE}xlt/udir"
mkdir "${UNICODE}udir.txt"
mapping_fails "mapping file is a directory" udir
cp "${STORE}xlt/code" "${STORE}xlt/ufifo"
mkfifo "${UNICODE}ufifo.txt"
mapping_fails "mapping file is a FIFO" ufifo

# Mapping file lines of 100 000 characters arrive in pieces; a piece that
# does not begin with "0x" is passed over.
cp "${STORE}xlt/code" "${STORE}xlt/ulong"
{
    printf '#%s\n' "$long_z"
    sed "s/^\(0x41.*\)\$/\1$(repeat 100000 N)/" "${UNICODE}code.txt"
    repeat 100000 ' '
    echo
} >"${UNICODE}ulong.txt"
check "orvelmap, mapping file with lines of 100 000 characters" 0 \
    "orvelmap: checking description file ulong
" "$MAP_BANNER" bounded "$map" ulong
# A NUL ends the line as the scan sees it: no second number, so BAD.
cp "${STORE}xlt/code" "${STORE}xlt/unul"
sed 's/^0x41\t/0x41\x00\t/' "${UNICODE}code.txt" >"${UNICODE}unul.txt"
check "orvelmap, NUL in a mapping line" 0 "orvelmap: checking description file unul
orvelmap: code point 41: 0041 vs FFFE
" "$MAP_BANNER" bounded "$map" unul
finish
