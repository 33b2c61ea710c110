#!/bin/bash
# Runs the generator into a fresh directory and compares the result with the
# committed description files: every file the same, none missing, none extra.
# Usage: regenerate.sh MKSTORE CEDF-DIR
source "$(dirname "$0")/../harness.sh"
mkstore=$1
committed=$2
out=$HARNESS_DIR/cedf

check_true "mkstore runs (needs glibc iconv and unicode-data)" \
    "$mkstore" "$out"
check_true "output equals $committed" diff -r "$committed" "$out"
check_true "a second run gives the same output" \
    bash -c 'rm -rf "$2" && "$1" "$2" >/dev/null && diff -r "$3" "$2"' _ "$mkstore" "$HARNESS_DIR/again" "$out"
check "mkstore refuses a directory that is not empty" 1 "" \
    "mkstore: $out is not empty; remove it first
" "$mkstore" "$out"
check "mkstore fails without the Unicode database" 1 "" \
    "mkstore: cannot open $HARNESS_DIR/none/UnicodeData.txt (install unicode-data)
" "$mkstore" "$HARNESS_DIR/other" "$HARNESS_DIR/none"
finish
