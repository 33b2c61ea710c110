// orvelnam: reports names that a description file gives to two bytes, and
// names that the iso10646 names list lacks.
#include "orvel.h"

#include <csignal>
#include <cstring>

const char ProgramName[] = "orvelnam";
const char ProgramVersion[] = "V1.20 (1997-07-27)";

namespace {

// Static, so that what the loader keeps for the life of the program stays
// reachable until it ends.
char *codeNames[CodeCount];
char *listNames[ListCapacity];
std::uint16_t listCodes[ListCapacity];
char codeNameLine[NameLineSize];
char listNameLine[NameLineSize];
CodeFileInfo codeInfo;
CodeFileInfo listInfo;

void ShowBanner()
{
    WriteBanner();
}

int LoadOrReport(const char *name, char **names, std::uint16_t *codes, std::uint16_t capacity,
                 char *nameLine, CodeFileInfo *info)
{
    int status = LoadCodeFile(name, names, codes, capacity, nameLine, info, 0);
    if (status == StatusOk && codes)
        status = CheckSortedList(name, names, capacity);
    if (status != StatusOk)
        std::fprintf(stderr, "%s: unable to open file %s\n", ProgramName, name);
    return status;
}

void ReportDuplicates()
{
    for (unsigned i = 0; i + 1 < CodeCount; ++i) {
        if (!codeNames[i])
            continue;
        for (unsigned k = i + 1; k < CodeCount; ++k)
            if (codeNames[k] && std::strcmp(codeNames[i], codeNames[k]) == 0)
                std::printf("%s: duplicate name for code %04X and %04X: %s\n",
                            ProgramName, i, k, codeNames[i]);
    }
}

void ReportUnknown()
{
    for (unsigned j = 0; j < CodeCount; ++j)
        if (codeNames[j] && FindCode(codeNames[j], listNames, listCodes, ListCapacity) == BAD)
            std::printf("%s: unknown name for code %04X: %s\n", ProgramName, j, codeNames[j]);
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
    int status = LoadOrReport(argv[1], codeNames, nullptr, CodeCount, codeNameLine, &codeInfo);
    if (status)
        return status;
    status = LoadOrReport("iso10646", listNames, listCodes, ListCapacity, listNameLine, &listInfo);
    if (status)
        return status;
    std::printf("%s: checking description file %s\n", ProgramName, argv[1]);
    ReportDuplicates();
    ReportUnknown();
    FreeNames(codeNames, CodeCount);
    FreeNames(listNames, ListCapacity);
    return FinishStandardOutput();
}
