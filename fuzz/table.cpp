// Fuzz target: the binary table reader, on the input as a table file of
// the scratch store.
#include "orvel.h"
#include "scratch.h"

#include <cstdlib>

const char ProgramName[] = "table_fuzzer";
const char ProgramVersion[] = "V0";

namespace {

std::uint16_t Untouched(unsigned i)
{
    return static_cast<std::uint16_t>(0xA500 ^ (i * 0x0101));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    UseScratchStore("xlt");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    WriteScratchFile("xlt/t", data, size);
    std::uint16_t *table = new std::uint16_t[CodeCount];
    for (unsigned i = 0; i < CodeCount; ++i)
        table[i] = Untouched(i);
    Check(LoadTable("t", table) == StatusOk, "a readable table file was refused");
    // The file's little-endian values, as far as it goes and no further
    // than 256 of them; the entries it does not reach stay as they were.
    std::size_t values = size / 2 < CodeCount ? size / 2 : CodeCount;
    for (unsigned i = 0; i < CodeCount; ++i) {
        std::uint16_t expected = i < values
            ? static_cast<std::uint16_t>(data[2 * i] | data[2 * i + 1] << 8)
            : Untouched(i);
        Check(table[i] == expected, "an entry differs from the file");
    }
    delete[] table;
    return 0;
}
