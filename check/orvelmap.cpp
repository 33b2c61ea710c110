// orvelmap: reports every byte on which the binary table and the Unicode
// mapping file of one name disagree.
#include "orvel.h"

#include <csignal>

const char ProgramName[] = "orvelmap";
const char ProgramVersion[] = "V1.20 (1997-07-27)";

namespace {

// All zero at start, so entries that a short table leaves unset read as 0000.
std::uint16_t tableCodes[CodeCount];
std::uint16_t mappingCodes[CodeCount];

void ShowBanner()
{
    WriteBanner();
}

int ReportUnreadable(const char *name, const char *reader, int status)
{
    std::fprintf(stderr, "%s: unable to open file %s\n", ProgramName, name);
    std::fprintf(stderr, "%s: %s ()\n", ProgramName, reader);
    return status;
}

} // namespace

int main(int argc, char **argv)
{
    // A file size limit must fail the write, not kill the run midway.
    std::signal(SIGXFSZ, SIG_IGN);
    ShowBanner();
    if (argc != 2) {
        std::fprintf(stderr, "Syntax: %s src-table\n", ProgramName);
        return StatusUsage;
    }
    const char *name = argv[1];
    if (int status = LoadTable(name, tableCodes))
        return ReportUnreadable(name, "LoadTable", status);
    if (int status = LoadUnicode(name, mappingCodes))
        return ReportUnreadable(name, "LoadUnicode", status);
    std::printf("%s: checking description file %s\n", ProgramName, name);
    for (unsigned i = 0; i < CodeCount; ++i)
        if (tableCodes[i] != mappingCodes[i])
            std::printf("%s: code point %02X: %04X vs %04X\n", ProgramName, i, tableCodes[i],
                        mappingCodes[i]);
    return FinishStandardOutput();
}
