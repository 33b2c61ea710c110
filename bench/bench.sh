#!/bin/bash
# Benchmark of orvelcnv against cat, tr, iconv and uconv on one conversion,
# ISO 8859-1 to CP437, of a 256 MiB file (mostly ASCII, some accented
# letters), file to file with everything in the page cache. Each tool runs
# several times, in rounds, into a fresh output file and over an existing
# one; the table shows the median wall times and their ratios to cat, the
# peak resident memory, and whether the output equals orvelcnv's.
# cat copies inside the kernel (copy_file_range) where it can; dd with the
# converter's block size shows what a plain read/write copy costs.
#
#   bench/bench.sh [ORVELCNV [RUNS [STORE]]]
#
# ORVELCNV defaults to build/cnv/orvelcnv. STORE is a store directory with
# a trailing slash whose xlt/ holds latin1 and cp437 (the build's store,
# for example build/store/); without one the script makes both tables
# itself from glibc iconv. Work files go to $TMPDIR (default /tmp), about
# 800 MiB. Needs /usr/bin/time (Debian package time).
set -euo pipefail
export LC_ALL=C
root=$(cd "$(dirname "$0")/.." && pwd)
cnv=${1:-$root/build/cnv/orvelcnv}
runs=${2:-7}
store=${3:-}
size_mib=256

[ -x "$cnv" ] || { echo "bench: no orvelcnv at $cnv (build first)" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "bench: /usr/bin/time missing (apt-get install time)" >&2; exit 2; }
work=$(mktemp -d "${TMPDIR:-/tmp}/orvelbench.XXXXXX")
trap 'rm -rf "$work"' EXIT

# A binary table of an iconv code: each byte alone to UTF-16LE, BAD where
# iconv cannot decode it.
make_table() {
    local code=$1 file=$2 format='' byte value
    for ((byte = 0; byte < 256; ++byte)); do
        value=$(printf "\\x$(printf %02x $byte)" | iconv -f "$code" -t UTF-16LE 2>/dev/null |
                od -An -tx1 | tr -d ' \n')
        [ ${#value} = 4 ] || value=feff
        format+="\\x${value:0:2}\\x${value:2:2}"
    done
    printf "$format" >"$file"
}

if [ -z "$store" ]; then
    store=$work/store/
    mkdir -p "$store/xlt"
    make_table ISO-8859-1 "$store/xlt/latin1"
    make_table CP437 "$store/xlt/cp437"
fi
export ORVEL=$store

# One MiB of words, about one letter in thirty accented, repeated.
awk 'BEGIN {
    srand(1); split("224 228 231 232 233 234 241 246 252 196 214 220 223", high)
    for (n = 0; n < 1048576; ) {
        len = 2 + int(rand() * 8)
        for (i = 0; i < len; ++i)
            if (rand() < 0.033) printf "%c", high[1 + int(rand() * 13)]
            else printf "%c", 97 + int(rand() * 26)
        if (rand() < 0.1) printf "\n"; else printf " "
        n += len + 1
    }
}' | head -c 1048576 >"$work/chunk"
for ((i = 0; i < size_mib; ++i)); do cat "$work/chunk"; done >"$work/in"

# tr gets the same map: every byte value, and what orvelcnv makes of it.
all_bytes() {
    local byte
    for ((byte = 0; byte < 256; ++byte)); do printf '\\%03o' $byte; done
}
printf "$(all_bytes)" >"$work/bytes"
"$cnv" -slatin1 -tcp437 "$work/bytes" "$work/mapped" || true
tr_from=$(all_bytes)
tr_to=$(od -An -v -to1 "$work/mapped" | tr -s ' \n' '  ' | sed 's/ *$//; s/^ *//; s/ /\\/g; s/^/\\/')

# Runs one tool on the input into the output; the peak memory goes to rss.
measured() { /usr/bin/time -f %M -o "$work/rss" "$@" <"$work/in" >"$work/out"; }
run_tool() {
    case $1 in
    cat) measured cat ;;
    'dd bs=128k') measured dd bs=128k status=none ;;
    orvelcnv) measured "$cnv" -slatin1 -tcp437 ;;
    'orvelcnv (avx2)') ORVELCNV_SIMD=avx2 measured "$cnv" -slatin1 -tcp437 ;;
    'orvelcnv (scalar)') ORVELCNV_SIMD=scalar measured "$cnv" -slatin1 -tcp437 ;;
    tr) measured tr "$tr_from" "$tr_to" ;;
    iconv) measured iconv -f ISO-8859-1 -t CP437 ;;
    uconv) measured uconv -f ISO-8859-1 -t IBM437 ;;
    esac
}
names=(cat 'dd bs=128k' orvelcnv 'orvelcnv (avx2)' 'orvelcnv (scalar)' tr)
for tool in iconv uconv; do
    command -v $tool >/dev/null && names+=($tool)
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

"$cnv" -slatin1 -tcp437 "$work/in" "$work/reference"

# Round by round, each tool once per round, so that a change of load on
# the machine falls on all tools alike. Each run writes a fresh output
# file, then overwrites that file (ext4, for one, flushes a file emptied
# on opening when it is closed: a cost that all tools share).
for ((run = 0; run < runs; ++run)); do
    for i in "${!names[@]}"; do
        for mode in fresh overwrite; do
            [ $mode = overwrite ] || rm -f "$work/out"
            start=$(date +%s%N)
            run_tool "${names[$i]}" 2>/dev/null || true
            end=$(date +%s%N)
            echo $(( (end - start) / 1000 )) >>"$work/$mode$i"
            tail -1 "$work/rss" >>"$work/memory$i"
        done
        same=no; cmp -s "$work/out" "$work/reference" && same=yes
        case ${names[$i]} in cat | dd*) same="(a copy)" ;; esac
        echo "$same" >"$work/same$i"
    done
done

seconds() { median <"$1" | awk '{ printf "%.3f", $1 / 1e6 }'; }
ratio() { awk -v t="$1" -v c="$2" 'BEGIN { printf "%.2f", t / c }'; }
printf '%s MiB, %s runs each, median wall time (s) and ratio to cat\n\n' "$size_mib" "$runs"
printf '| %-17s | %9s | %7s | %9s | %7s | %11s | %-11s |\n' program 'fresh out' 'vs. cat' 'overwrite' 'vs. cat' 'peak memory' 'same output'
printf '|%s|%s|%s|%s|%s|%s|%s|\n' ------------------- ----------: --------: ----------: --------: ------------: -------------
for i in "${!names[@]}"; do
    fresh=$(seconds "$work/fresh$i") overwrite=$(seconds "$work/overwrite$i")
    [ "$i" != 0 ] || { cat_fresh=$fresh cat_overwrite=$overwrite; }
    memory=$(median <"$work/memory$i" | awk '{ printf "%.1f MiB", $1 / 1024 }')
    printf '| %-17s | %9s | %6s× | %9s | %6s× | %11s | %-11s |\n' "${names[$i]}" \
        "$fresh" "$(ratio $fresh $cat_fresh)" "$overwrite" "$(ratio $overwrite $cat_overwrite)" \
        "$memory" "$(cat "$work/same$i")"
done
