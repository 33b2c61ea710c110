# orvelcnv in place, interrupted by a signal part way, and two in-place
# conversions in one directory at once. The input must stay as it was
# whatever the signal; a signal that can be caught must not leave the
# temporary file behind either.
#   bash signals.sh TEST_DIR ORVELGEN ORVELCNV ORVELNAM ORVELMAP ORVELWEB
source "$1/fixture.sh"
make_store
cd "$WORK"

# 256 MiB, so that a conversion takes long enough to be caught part way.
size=$((256 << 20))
head -c $size /dev/urandom >pristine
tr 'a-zA-Z' 'A-Za-z' <pristine >converted

# A background job of a script ignores SIGINT, and so would its
# conversion; a user's conversion in a terminal does not.
# (An array, not a function: the background job must be the converter's
# own process, or the signals would hit a subshell.)
with_default_signals=(perl -e '$SIG{INT} = "DEFAULT"; exec @ARGV or die "$ARGV[0]: $!\n"')

# stop_part_way COMMAND...: runs an in-place conversion of big, alone in
# the current directory, in the background, and stops it as soon as a
# second file beside big holds some bytes. Sets PID, TEMP (that file) and
# TEMP_SIZE.
stop_part_way() {
    "$@" &
    PID=$!
    TEMP=
    local deadline=$((SECONDS + 30)) f
    while [ -z "$TEMP" ] && [ $SECONDS -lt $deadline ] && kill -0 $PID 2>/dev/null; do
        for f in .[!.]* *; do
            if [ "$f" != big ] && [ -s "$f" ]; then
                kill -STOP $PID
                TEMP=$f
            fi
        done
    done
    TEMP_SIZE=$(stat -c %s "$TEMP" 2>/dev/null || echo none)
}

# interrupted SIGNAL: the conversion stopped part way gets SIGNAL.
interrupted() {
    local sig=$1 status=0
    rm -rf "$WORK/inplace"
    mkdir "$WORK/inplace"
    cp pristine inplace/big
    cd "$WORK/inplace"
    stop_part_way "${with_default_signals[@]}" "$cnv" -sidentity -tswapcase big
    check_true "SIG$sig: caught part way ($TEMP: $TEMP_SIZE of $size bytes)" \
        test -n "$TEMP" -a "$TEMP_SIZE" -lt $size
    kill -$sig $PID
    kill -CONT $PID
    wait $PID || status=$?
    cd "$WORK"
    echo "SIG$sig: status $status; left in the directory: $(ls -A inplace | while read -r f; do
        printf '%s (%s bytes, mode %s) ' "$f" "$(stat -c %s "inplace/$f")" "$(stat -c %a "inplace/$f")"; done)"
    check_true "SIG$sig: the run did not report success (status $status)" test $status -gt 1
    check_file "SIG$sig: input intact" inplace/big pristine
}

interrupted KILL
# SIGKILL cannot be caught: the temporary file may stay, nothing else.
leftover=$(ls -A inplace | grep -vx big)
check_true "SIGKILL: at most one file left beside the input" test "$(ls -A inplace | wc -l)" -le 2
check "SIGKILL: what is left is the temporary file" 0 "$TEMP
" "" echo "${leftover:-$TEMP}"
for sig in TERM INT HUP; do
    interrupted $sig
    check "SIG$sig: no temporary file left" 0 "big " "" listing inplace
done

# Two in-place conversions in one directory at once, run from it and from
# outside it, and the same file converted twice at once: every file is
# whole, converted once (or, for the one file, twice, which is its old
# text again), and no temporary file remains.
mkdir both one
head -c $((64 << 20)) pristine >both/a
tail -c $((64 << 20)) pristine >both/b
head -c $((64 << 20)) converted >a.want
tail -c $((64 << 20)) converted >b.want
head -c $((64 << 20)) pristine >one/f
head -c $((64 << 20)) pristine >f.old
status_a=0 status_b=0 status_f1=0 status_f2=0
(cd both && exec "$cnv" -sidentity -tswapcase a) & pid_a=$!
"$cnv" -sidentity -tswapcase both/b & pid_b=$!
"$cnv" -sidentity -tswapcase one/f & pid_f1=$!
"$cnv" -sidentity -tswapcase one/f & pid_f2=$!
wait $pid_a || status_a=$?
wait $pid_b || status_b=$?
wait $pid_f1 || status_f1=$?
wait $pid_f2 || status_f2=$?
check "two at once: statuses" 0 "0 0 0 0
" "" echo $status_a $status_b $status_f1 $status_f2
check_file "two at once: first file" both/a a.want
check_file "two at once: second file" both/b b.want
check "two at once: no temporary file left" 0 "a b " "" listing both
check_true "one file twice at once: whole, converted once or twice" \
    eval 'cmp -s one/f a.want || cmp -s one/f f.old'
check "one file twice at once: no temporary file left" 0 "f " "" listing one
finish
