// Fuzz target: the generator's command line, argv made from the input.
#include "orvel.h"
#include "scratch.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

const char ProgramName[] = "orvelgen";
const char ProgramVersion[] = "V1.13 (1997-06-14)";

namespace {

// An accepted command line: its names are its first three arguments that
// are no options, in their order, taken as they are; the type is one of
// the five.
void CheckAccepted(const CommandLine &line)
{
    const char *names[3] = {GenArgs.source, GenArgs.destination, GenArgs.output};
    int found = 0;
    for (int i = 1; i < line.argc && found < 3; ++i)
        if (line.argv[i][0] != '-')
            Check(names[found++] == line.argv[i], "a name is not its positional argument");
    Check(found == 3, "a command line without three names was accepted");
    Check(GenArgs.outputType >= OutputC && GenArgs.outputType <= OutputNone,
          "an accepted command line has no output type");
    Check(GenArgs.dump == 0 || GenArgs.dump == 1, "the dump flag is neither 0 nor 1");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    SilenceMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    CommandLine line;
    MakeCommandLine(ProgramName, data, size, &line);
    // The settings as a new process has them, whatever the last run left.
    GenArgs = GenSettings{};
    int status = ParseGenArgs(line.argc, line.argv);
    Check(status == 0 || status == 1 || status == StatusUsage, "a status outside 0, 1 and 2");
    if (line.argc < 2)
        Check(status == StatusUsage, "an empty command line was not refused with 2");
    if (status == 0)
        CheckAccepted(line);
    FreeCommandLine(&line);
    return 0;
}
