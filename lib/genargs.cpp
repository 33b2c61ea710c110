// The generator's command line: three names and at most one type option.
#include "orvel.h"

#include <cctype>

GenSettings GenArgs;

namespace {

// The output type that an option letter selects, or -1 for none.
int OutputTypeOf(int letter)
{
    switch (letter) {
    case 'C': return OutputC;
    case 'T': return OutputTable;
    case 'U': return OutputUnicode;
    case 'B': return OutputBinary;
    case 'N': return OutputNone;
    default: return -1;
    }
}

// Only the second character of an option counts; the rest of it is ignored.
int TakeOption(const char *argument)
{
    int letter = std::toupper(static_cast<unsigned char>(argument[1]));
    if (letter == 'D') {
        GenArgs.dump = 1;
        return 0;
    }
    int type = OutputTypeOf(letter);
    if (type < 0)
        return 1;
    if (GenArgs.outputType >= 0)
        return 2;
    GenArgs.outputType = type;
    return 0;
}

int TakeName(const char *argument)
{
    if (!GenArgs.source)
        GenArgs.source = argument;
    else if (!GenArgs.destination)
        GenArgs.destination = argument;
    else if (!GenArgs.output)
        GenArgs.output = argument;
    else
        return 2;
    return 0;
}

} // namespace

int ParseGenArgs(int argc, char **argv)
{
    GenArgs = GenSettings{nullptr, nullptr, nullptr, -1, 0};
    if (argc < 2)
        return 2;
    for (int i = 1; i < argc; ++i) {
        int status = argv[i][0] == '-' ? TakeOption(argv[i]) : TakeName(argv[i]);
        if (status)
            return status;
    }
    if (!GenArgs.source || !GenArgs.destination || !GenArgs.output)
        return 2;
    if (GenArgs.outputType < 0)
        GenArgs.outputType = OutputC;
    return 0;
}
