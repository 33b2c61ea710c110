#!/bin/bash
# orvelmap over every table that the build made: the binary table in the
# build's store and the mapping file must agree on every byte.
#   shipped.sh ORVELMAP BUILD_STORE MAPPING_DIR SHIPPED_CEDF
ORVELMAP=$1 STORE=$2 MAPPINGS=$3 SHIPPED=$4
source "$(dirname "$0")/../harness.sh"

BANNER=$'orvelkit: tables and filters for 8-bit character codes\norvelmap V1.20 (1997-07-27)\n'
checked=0
if [ -f "$SHIPPED/iso10646" ]; then
    for file in "$SHIPPED"/*; do
        name=$(basename "$file")
        [ "$name" = iso10646 ] && continue
        ORVEL=$STORE UNICODE=$MAPPINGS check "$name" 0 \
            "orvelmap: checking description file $name
" "$BANNER" "$ORVELMAP" "$name"
        checked=$((checked + 1))
    done
fi
echo "$checked shipped tables checked"
finish
