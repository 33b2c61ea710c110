// Binary tables in the store and Unicode mapping files ("Format A").
#include "orvel.h"

#include <cstdlib>

namespace {

// Closes the stream on every way out of a reader.
struct FileCloser {
    std::FILE *file;
    ~FileCloser() { if (file) std::fclose(file); }
};

} // namespace

int LoadTable(const char *name, std::uint16_t table[CodeCount])
{
    std::FILE *file = OpenForReading(StorePath("xlt", name), "rb");
    if (!file)
        return StatusNoTable;
    FileCloser closer{file};
    unsigned char bytes[2 * CodeCount];
    std::size_t got = std::fread(bytes, 1, sizeof bytes, file);
    // A path that opens but cannot be read, such as the xlt directory
    // itself, is no table either; the array then stays untouched.
    if (std::ferror(file))
        return StatusNoTable;
    for (std::size_t i = 0; i < got / 2; ++i)
        table[i] = static_cast<std::uint16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    return StatusOk;
}

int LoadUnicode(const char *name, std::uint16_t table[CodeCount])
{
    const char *prefix = std::getenv("UNICODE");
    std::string path = prefix ? prefix : "";
    path += name;
    path += ".txt";
    std::FILE *file = OpenForReading(path, "r");
    if (!file)
        return StatusNoTable;
    FileCloser closer{file};
    for (unsigned i = 0; i < CodeCount; ++i)
        table[i] = BAD;
    // A line longer than the buffer arrives in pieces, each judged alone.
    char line[120];
    while (std::fgets(line, sizeof line, file)) {
        if (line[0] != '0' || line[1] != 'x')
            continue;
        // Read wide, so that a byte value beyond 32 bits is not cut down
        // onto a real entry.
        unsigned long byte = 0, value = BAD;
        std::sscanf(line, "0x%lx\t0x%lx\t", &byte, &value);
        if (byte < CodeCount)
            table[byte] = static_cast<std::uint16_t>(value & 0xFFFF);
    }
    return std::ferror(file) ? StatusNoTable : StatusOk;
}
