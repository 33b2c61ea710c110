// orvelgen: maps the description file of an 8-bit code onto a names list
// and writes the code map as C source, a table file, a Unicode mapping file
// or a binary table in the store.
#include "orvel.h"

#include <csignal>

const char ProgramName[] = "orvelgen";
const char ProgramVersion[] = "V1.13 (1997-06-14)";

namespace {

// Static, so that what the loader keeps for the life of the program stays
// reachable until it ends.
char *srcNames[CodeCount];
char *dstNames[ListCapacity];
std::uint16_t dstCodes[ListCapacity];
std::uint16_t codeMap[CodeCount];
char srcNameLine[NameLineSize];
char dstNameLine[NameLineSize];
CodeFileInfo srcInfo;
CodeFileInfo dstInfo;

void ShowBanner()
{
    WriteBanner();
}

// Both description files, the destination checked for the order that its
// lookups rely on before anything is written.
int LoadBoth()
{
    int status = LoadCodeFile(GenArgs.source, srcNames, nullptr, CodeCount, srcNameLine,
                              &srcInfo, 0);
    if (status)
        return status;
    status = LoadCodeFile(GenArgs.destination, dstNames, dstCodes, ListCapacity, dstNameLine,
                          &dstInfo, 0);
    if (status)
        return status;
    return CheckSortedList(GenArgs.destination, dstNames, ListCapacity);
}

void ReleaseNames()
{
    FreeNames(srcNames, CodeCount);
    FreeNames(dstNames, ListCapacity);
}

} // namespace

int main(int argc, char **argv)
{
    // A file size limit must fail the write, not kill the run midway.
    std::signal(SIGXFSZ, SIG_IGN);
    ShowBanner();
    if (ParseGenArgs(argc, argv)) {
        std::fprintf(stderr, "Syntax: %s src-table dst-table tablename {-c|-t|-u|-b|-n} {-d}\n",
                     ProgramName);
        return StatusUsage;
    }
    int status = LoadBoth();
    if (status)
        return status;
    if (GenArgs.outputType != OutputNone) {
        MapNames(srcNames, CodeCount, dstNames, ListCapacity, dstCodes, codeMap);
        std::printf("%s: creating %s using %s and %s\n", ProgramName, GenArgs.output,
                    GenArgs.source, GenArgs.destination);
        // The line must come before any message about the files it announces.
        std::fflush(stdout);
    }
    status = WriteTables(srcNames, dstNames, dstCodes, ListCapacity, GenArgs.output, codeMap,
                         CodeCount, srcNameLine, dstNameLine, &srcInfo, &dstInfo,
                         GenArgs.outputType);
    if (status) {
        ReleaseNames();
        return status;
    }
    if (GenArgs.dump) {
        DumpNames(stdout, GenArgs.source, srcNames, nullptr, CodeCount);
        DumpNames(stdout, GenArgs.destination, dstNames, dstCodes, ListCapacity);
    }
    ReleaseNames();
    return FinishStandardOutput();
}
