#!/bin/bash
# orvelnam on a small fixture store: findings, their order, every failure.
# usage: orvelnam_test.sh ORVELNAM FIXTURE_DIR
. "$(dirname "$0")/../harness.sh"
nam=$1
fixture=$2
store=$fixture/store/
export ORVEL=$store
banner=$'orvelkit: tables and filters for 8-bit character codes\norvelnam V1.20 (1997-07-27)\n'
usage=$banner$'Syntax: orvelnam src-table\n'

check "no argument" 2 "" "$usage" "$nam"
check "two arguments" 2 "" "$usage" "$nam" clean dups
check "clean file" 0 $'orvelnam: checking description file clean\n' "$banner" "$nam" clean
check "argument with a hyphen is a file name" 0 $'orvelnam: checking description file -dash\n' "$banner" "$nam" -dash
check "duplicates, then unknown names" 0 \
"orvelnam: checking description file dups
orvelnam: duplicate name for code 0010 and 0090: OHM SIGN
orvelnam: duplicate name for code 0041 and 0080: LATIN CAPITAL LETTER A
orvelnam: duplicate name for code 0041 and 00FF: LATIN CAPITAL LETTER A
orvelnam: duplicate name for code 0080 and 00FF: LATIN CAPITAL LETTER A
orvelnam: unknown name for code 0010: OHM SIGN
orvelnam: unknown name for code 0090: OHM SIGN
orvelnam: unknown name for code 00FE: NOT A NAME
" "$banner" "$nam" dups
check "missing file" 11 "" "${banner}orvelnam: unable to open file ${store}cedf/nothing
orvelnam: unable to open file nothing
" "$nam" nothing
check "syntax error" 21 "" "${banner}orvelnam: code file ${store}cedf/bad has bad syntax in line 6
orvelnam: unable to open file bad
" "$nam" bad
check "silent loader failure" 12 "" "${banner}orvelnam: unable to open file short
" "$nam" short

export ORVEL=$fixture/unsorted/
check "names list out of order" 21 "" "${banner}orvelnam: code file ${ORVEL}cedf/iso10646 is out of order in line 7
orvelnam: unable to open file iso10646
" "$nam" clean
export ORVEL=$fixture/
check "names list missing" 11 "" "${banner}orvelnam: unable to open file ${ORVEL}cedf/clean
orvelnam: unable to open file clean
" "$nam" clean
mkdir -p "$HARNESS_DIR/cedf" && cp "$store/cedf/clean" "$HARNESS_DIR/cedf/"
export ORVEL=$HARNESS_DIR/
check "names list missing" 11 "" "${banner}orvelnam: unable to open file ${ORVEL}cedf/iso10646
orvelnam: unable to open file iso10646
" "$nam" clean
finish
