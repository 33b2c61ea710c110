# Builds the chart fixture store: the description files as they are, and a
# binary table for each file under map/ ("byte value" lines in hexadecimal;
# a byte without a line is BAD), 256 little-endian 16-bit values.

# write_table MAP TABLE
write_table() {
    local -a value
    local byte code i format=
    for ((i = 0; i < 256; i++)); do value[i]=$((0xFFFE)); done
    while read -r byte code; do
        value[16#$byte]=$((16#$code))
    done <"$1"
    for ((i = 0; i < 256; i++)); do
        format+=$(printf '\\x%02x\\x%02x' $((value[i] & 0xFF)) $((value[i] >> 8)))
    done
    printf "$format" >"$2"
}

# make_fixture_store SOURCE_DIR STORE   (STORE ends in a slash)
make_fixture_store() {
    local map
    mkdir -p "$2cedf" "$2xlt"
    cp "$1"/store/cedf/* "$2cedf/"
    for map in "$1"/store/map/*; do
        write_table "$map" "$2xlt/${map##*/}"
    done
    # A table that ends early: its entries from 0x42 on are missing.
    truncate -s $((2 * 0x42)) "$2xlt/short"
}
