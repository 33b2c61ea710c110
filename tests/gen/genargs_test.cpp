// ParseGenArgs: what each command line leaves in GenArgs, and which errors
// give 1 (an unknown option letter) rather than 2.
#include "orvel.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

int Parse(std::vector<const char *> args)
{
    args.insert(args.begin(), "orvelgen");
    std::vector<char *> argv;
    for (const char *arg : args)
        argv.push_back(const_cast<char *>(arg));
    return ParseGenArgs(static_cast<int>(argv.size()), argv.data());
}

} // namespace

TEST(ParseGenArgs, ResultsAndSettings)
{
    struct Case {
        std::vector<const char *> args;
        int result;
        int outputType;  // checked only for a result of 0
        int dump;
    } cases[] = {
        {{}, 2, 0, 0},
        {{"a", "b", "c"}, 0, OutputC, 0},
        {{"-t", "a", "b", "c"}, 0, OutputTable, 0},
        {{"a", "-U", "b", "c"}, 0, OutputUnicode, 0},
        {{"a", "b", "c", "-bin"}, 0, OutputBinary, 0},
        {{"a", "b", "c", "-N", "-d", "-Dx"}, 0, OutputNone, 1},
        {{"a", "b", "c", "-c", "-C"}, 2, 0, 0},
        {{"a", "b", "c", "-x"}, 1, 0, 0},
        {{"a", "b", "c", "-"}, 1, 0, 0},
        {{"a", "b", "c", "--"}, 1, 0, 0},
        {{"-x", "a"}, 1, 0, 0},
        {{"a", "b", "c", "d"}, 2, 0, 0},
        {{"a", "b", "-n"}, 2, 0, 0},
        {{"-d"}, 2, 0, 0},
    };
    for (const Case &c : cases) {
        std::string line;
        for (const char *arg : c.args)
            line += std::string(" ") + arg;
        int result = Parse(c.args);
        EXPECT_EQ(result, c.result) << line;
        if (result == 0 && c.result == 0) {
            EXPECT_EQ(GenArgs.outputType, c.outputType) << line;
            EXPECT_EQ(GenArgs.dump, c.dump) << line;
        }
    }
}

TEST(ParseGenArgs, NamesAreTheArgumentsThemselves)
{
    char source[] = "src", destination[] = "dst", output[] = "out", type[] = "-u";
    char program[] = "orvelgen";
    char *argv[] = {program, source, type, destination, output};
    ASSERT_EQ(ParseGenArgs(5, argv), 0);
    EXPECT_EQ(GenArgs.source, source);
    EXPECT_EQ(GenArgs.destination, destination);
    EXPECT_EQ(GenArgs.output, output);
}

TEST(ParseGenArgs, EveryCallStartsAfresh)
{
    ASSERT_EQ(Parse({"a", "b", "c", "-b", "-d"}), 0);
    ASSERT_EQ(Parse({"a", "b", "c"}), 0);
    EXPECT_EQ(GenArgs.outputType, OutputC);
    EXPECT_EQ(GenArgs.dump, 0);
    EXPECT_EQ(Parse({"a", "b"}), 2) << "no output name left over from the last call";
}
