// The converter's command line, its banner and its usage report.
#include "convert.h"

int ParseCnvArgs(int argc, char *const *argv, CnvArgs *args)
{
    *args = CnvArgs{nullptr, nullptr, nullptr, nullptr, 0xFF};
    int positionals = 0;
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (arg[0] != '-') {
            if (positionals == 0)
                args->input = arg;
            else if (positionals == 1)
                args->output = arg;
            else
                return StatusUsage;
            ++positionals;
            continue;
        }
        // The value is always the rest of the same argument.
        switch (arg[1]) {
        case 's': case 'S': args->source = arg + 2; break;
        case 't': case 'T': args->target = arg + 2; break;
        // A bare -b takes the terminating null byte.
        case 'b': case 'B': args->replacement = static_cast<unsigned char>(arg[2]); break;
        default: return StatusUsage;
        }
    }
    if (!args->source || !args->target)
        return StatusUsage;
    return StatusOk;
}

void ShowBanner(const CnvArgs *args)
{
    WriteBanner();
    if (args->source && args->target)
        std::fprintf(stderr,
                     "\nSource Character Encoding: %s\n\n"
                     "\nTarget Character Encoding: %s\n\n",
                     args->source, args->target);
}

void WriteUsage(const CnvArgs *args)
{
    ShowBanner(args);
    std::fprintf(stderr, "Syntax: %s -s[source] -t[target] {-b*} {src} {dst}\n",
                 ProgramName);
}
