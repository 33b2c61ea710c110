// Fuzz target: the Unicode mapping file reader, on the input as a file.
#include "orvel.h"
#include "scratch.h"

#include <cstdlib>
#include <cstring>

const char ProgramName[] = "unicode_fuzzer";
const char ProgramVersion[] = "V0";

namespace {

// Every entry that is not BAD comes from a line, or a piece of one, that
// begins with "0x"; there are at most as many as "0x" occurs in the file.
std::size_t CountPrefixes(const std::uint8_t *data, std::size_t size)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i + 2 <= size; ++i)
        count += data[i] == '0' && data[i + 1] == 'x';
    return count;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    setenv("UNICODE", ScratchDir().c_str(), 1);
    SilenceMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    WriteScratchFile("map.txt", data, size);
    // A heap block of exactly 256 entries, none of them BAD beforehand, so
    // that an entry the reader forgot shows, and a store past it is caught.
    std::uint16_t *table = new std::uint16_t[CodeCount];
    for (unsigned i = 0; i < CodeCount; ++i)
        table[i] = static_cast<std::uint16_t>(0x5A00 + i);
    int status = LoadUnicode("map", table);
    Check(status == StatusOk, "a readable mapping file was refused");
    std::size_t mapped = 0;
    for (unsigned i = 0; i < CodeCount; ++i)
        mapped += table[i] != BAD;
    Check(mapped <= CountPrefixes(data, size), "an entry is set that no mapping line names");
    delete[] table;
    return 0;
}
