// Fuzz target: the converter's command line, argv made from the input, and
// the usage report or banner that the result leads to.
#include "convert.h"
#include "scratch.h"

#include <cstdlib>
#include <cstring>
#include <string>

const char ProgramName[] = "orvelcnv";
const char ProgramVersion[] = "V1.13 (1997-06-14)";

namespace {

std::string NoticeLine;

// What a writer puts on the stream stderr, caught in memory.
template <typename Writer>
std::string Capture(Writer write)
{
    char *text = nullptr;
    std::size_t length = 0;
    std::FILE *saved = stderr;
    stderr = open_memstream(&text, &length);
    Check(stderr != nullptr, "no memory stream");
    write();
    std::fclose(stderr);
    stderr = saved;
    std::string result(text, length);
    std::free(text);
    return result;
}

// The option of letter (either case) that counts: the last one given
// before the examination ended.
const char *LastOption(const CommandLine &line, int upTo, char letter)
{
    const char *value = nullptr;
    for (int i = 1; i < upTo; ++i)
        if (line.argv[i][0] == '-' && (line.argv[i][1] | 0x20) == letter)
            value = line.argv[i] + 2;
    return value;
}

// An accepted command line: each name is the rest of its last option's
// argument, the paths are the first two arguments that are no options, and
// the replacement byte is the one behind the last -b, else 0xFF.
void CheckAccepted(const CommandLine &line, const CnvArgs &args)
{
    Check(args.source && args.source == LastOption(line, line.argc, 's'),
          "the source name is not the last -s");
    Check(args.target && args.target == LastOption(line, line.argc, 't'),
          "the target name is not the last -t");
    const char *paths[2] = {nullptr, nullptr};
    int found = 0;
    for (int i = 1; i < line.argc; ++i)
        if (line.argv[i][0] != '-') {
            Check(found < 2, "a third positional argument was accepted");
            paths[found++] = line.argv[i];
        }
    Check(args.input == paths[0] && args.output == paths[1], "the paths are not the positionals");
    const char *b = LastOption(line, line.argc, 'b');
    Check(args.replacement == (b ? static_cast<unsigned char>(*b) : 0xFF),
          "the replacement byte is not the one behind the last -b");
}

// The usage report: the banner, with both encodings when both names are
// known, and the syntax line.
std::string ExpectedBanner(const CnvArgs &args)
{
    std::string text = NoticeLine + ProgramName + " " + ProgramVersion + "\n";
    if (args.source && args.target)
        text += std::string("\nSource Character Encoding: ") + args.source +
                "\n\n\nTarget Character Encoding: " + args.target + "\n\n";
    return text;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    NoticeLine = Capture([] { WriteNoticeLine(); });
    SilenceMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    CommandLine line;
    MakeCommandLine(ProgramName, data, size, &line);
    CnvArgs args;
    int status = ParseCnvArgs(line.argc, line.argv, &args);
    Check(status == StatusOk || status == StatusUsage, "a status other than 0 and 2");
    // Whatever was accepted points into the command line.
    const char *fields[] = {args.source, args.target, args.input, args.output};
    for (const char *field : fields) {
        std::size_t offset = 0;
        Check(!field || ArgumentOf(&line, field, &offset) > 0, "a field points outside argv");
    }
    if (status == StatusOk) {
        CheckAccepted(line, args);
        Check(Capture([&] { ShowBanner(&args); }) == ExpectedBanner(args),
              "the banner differs from its form");
    } else {
        std::string syntax = std::string("Syntax: ") + ProgramName +
                             " -s[source] -t[target] {-b*} {src} {dst}\n";
        Check(Capture([&] { WriteUsage(&args); }) == ExpectedBanner(args) + syntax,
              "the usage report differs from its form");
    }
    FreeCommandLine(&line);
    return 0;
}
