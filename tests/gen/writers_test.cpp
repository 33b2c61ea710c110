// WriteTables: the rows of the table file, the replacement byte, the texts
// of the headers, output type 4, and what the readers make of the written
// mapping files and binary tables.
#include "orvel.h"
#include "testdir.h"

#include <cstdlib>
#include <cstring>
#include <vector>

const char ProgramName[] = "gentest";
const char ProgramVersion[] = "V0 (test)";

namespace {

char emptyText[] = "";
CodeFileInfo noComments{emptyText, emptyText, emptyText};

// Source names for every byte, so that every entry of a code map has one.
struct ByteNames {
    char text[CodeCount][8];
    char *names[CodeCount];
    ByteNames()
    {
        for (unsigned i = 0; i < CodeCount; ++i) {
            std::snprintf(text[i], sizeof text[i], "N%02X", i);
            names[i] = text[i];
        }
    }
};

int Write(const char *outName, const std::uint16_t *codeMap, int type,
          char *const *dstNames = nullptr, const std::uint16_t *dstCodes = nullptr,
          std::uint16_t dstCount = 0, const char *srcLine = "Src",
          const CodeFileInfo *srcInfo = &noComments)
{
    static ByteNames source;
    return WriteTables(source.names, dstNames, dstCodes, dstCount, outName, codeMap, CodeCount,
                       srcLine, "Dst", srcInfo, &noComments, type);
}

std::vector<std::string> Lines(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace

using WriteTablesTest = ScratchDir;

TEST_F(WriteTablesTest, TableRowsShowBadEntriesAndByteRanges)
{
    std::uint16_t codeMap[CodeCount];
    for (unsigned i = 0; i < CodeCount; ++i)
        codeMap[i] = static_cast<std::uint16_t>(i);
    codeMap[0x81] = codeMap[0xFE] = codeMap[0xFF] = BAD;
    ASSERT_EQ(Write("rows", codeMap, OutputTable), 0);
    std::vector<std::string> lines = Lines(ReadFile("rows.tab"));
    std::size_t open = 0;
    while (open < lines.size() && lines[open] != "{")
        ++open;
    ASSERT_EQ(lines.size(), open + 34) << "32 rows between the braces";
    EXPECT_EQ(lines[open - 1], "static\tunsigned short int\tc_rows\t[CHARNUM] =\t/* 00-FF */");
    EXPECT_EQ(lines[open + 1],
              "0x0000, 0x0001, 0x0002, 0x0003, 0x0004, 0x0005, 0x0006, 0x0007,\t/* 00-07 */");
    EXPECT_EQ(lines[open + 1 + 16],
              "0x0080,    BAD, 0x0082, 0x0083, 0x0084, 0x0085, 0x0086, 0x0087,\t/* 80-87 */");
    EXPECT_EQ(lines[open + 32],
              "0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD,    BAD,    BAD\t/* F8-FF */");
    EXPECT_EQ(lines[open + 33], "} ;");
    EXPECT_FALSE(std::filesystem::exists("rows.c"));
    EXPECT_FALSE(std::filesystem::exists("rows.h"));
}

// The destination list holds `names` sorted names "NAME 000"... and, when
// asked, NO-BREAK SPACE (0x00A0) after them; the lookup sees `count` of them.
TEST_F(WriteTablesTest, BadCharIsNoBreakSpaceOfTheSearchedEntries)
{
    struct Case {
        const char *what;
        unsigned names;
        bool withNoBreakSpace;
        std::uint16_t count;
        const char *badCharLine;
    } cases[] = {
        {"list of 300, whole list searched", 299, true, 300, "#define\tBAD_CHAR\t160"},
        {"list of 300, first 256 searched", 299, true, 256, "#define\tBAD_CHAR\t255"},
        {"short list", 3, true, 4, "#define\tBAD_CHAR\t160"},
        {"no NO-BREAK SPACE", 299, false, 299, "#define\tBAD_CHAR\t255"},
    };
    std::uint16_t codeMap[CodeCount] = {};
    for (const Case &c : cases) {
        std::vector<std::string> text;
        for (unsigned i = 0; i < c.names; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "NAME %03u", i);
            text.push_back(name);
        }
        if (c.withNoBreakSpace)
            text.push_back("NO-BREAK SPACE");
        std::vector<char *> names;
        std::vector<std::uint16_t> codes;
        for (unsigned i = 0; i < text.size(); ++i) {
            names.push_back(text[i].data());
            codes.push_back(static_cast<std::uint16_t>(text[i] == "NO-BREAK SPACE" ? 0xA0 : 0x1000 + i));
        }
        ASSERT_EQ(Write("nbsp", codeMap, OutputC, names.data(), codes.data(), c.count), 0) << c.what;
        std::vector<std::string> lines = Lines(ReadFile("nbsp.h"));
        EXPECT_NE(std::find(lines.begin(), lines.end(), c.badCharLine), lines.end()) << c.what;
    }
}

// Texts with quotes, backslashes, comment marks, trigraph starts and control
// characters: escaped in the string constants, broken up in the boxes.
TEST_F(WriteTablesTest, HeaderTextsCannotBreakTheGeneratedC)
{
    char comment[] = "tab\there, CR\rthere";
    CodeFileInfo info{comment, emptyText, emptyText};
    std::uint16_t codeMap[CodeCount] = {};
    const char *nameLine = "a\"b\\c */ /* ?\?= x";
    ASSERT_EQ(Write("esc", codeMap, OutputC, nullptr, nullptr, 0, nameLine, &info), 0);
    std::vector<std::string> header = Lines(ReadFile("esc.h"));
    auto has = [](const std::vector<std::string> &lines, const std::string &line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has(header, "#define\tSRC_NAME\t\"a\\\"b\\\\c */ /* ?\\?= x\""));
    EXPECT_TRUE(has(header, "#define\tSRC_COMMENT1\t\"tab\there, CR\\015there\""));
    std::vector<std::string> filter = Lines(ReadFile("esc.c"));
    std::string boxed = std::string("a\"b\\c *\\/ /\\* ?\?= x");
    EXPECT_TRUE(has(filter, " * Src: " + boxed + std::string(69 - boxed.size(), ' ') + " *"));
}

TEST_F(WriteTablesTest, OutputTypeFourWritesNothing)
{
    { std::ofstream("keep.tab") << "old"; }
    std::uint16_t codeMap[CodeCount] = {};
    EXPECT_EQ(Write("keep", codeMap, OutputNone), 0);
    std::vector<std::string> files;
    for (const auto &entry : std::filesystem::directory_iterator("."))
        files.push_back(entry.path().filename().string());
    EXPECT_EQ(files, std::vector<std::string>{"keep.tab"});
    EXPECT_EQ(ReadFile("keep.tab"), "old");
}

// Every value a table can hold, BAD and the extremes included, reads back
// unchanged from the mapping file and the binary table.
TEST_F(WriteTablesTest, MappingFileAndBinaryTableReadBack)
{
    std::uint16_t codeMap[CodeCount];
    for (unsigned i = 0; i < CodeCount; ++i)
        codeMap[i] = static_cast<std::uint16_t>(i % 5 == 0 ? BAD : i * 257u);
    codeMap[1] = 0x0000;
    codeMap[2] = 0xFFFF;
    codeMap[3] = 0xFFFD;
    std::filesystem::create_directory("xlt");
    setenv("ORVEL", (dir.string() + "/").c_str(), 1);
    unsetenv("UNICODE");
    ASSERT_EQ(Write("back", codeMap, OutputUnicode), 0);
    ASSERT_EQ(Write("back", codeMap, OutputBinary), 0);
    std::uint16_t fromMapping[CodeCount], fromTable[CodeCount];
    ASSERT_EQ(LoadUnicode("back", fromMapping), 0);
    ASSERT_EQ(LoadTable("back", fromTable), 0);
    EXPECT_EQ(std::filesystem::file_size("xlt/back"), 512u);
    for (unsigned i = 0; i < CodeCount; ++i) {
        EXPECT_EQ(fromMapping[i], codeMap[i]) << "mapping file, byte " << i;
        EXPECT_EQ(fromTable[i], codeMap[i]) << "binary table, byte " << i;
    }
}

TEST_F(WriteTablesTest, FileThatCannotBeCreatedGivesStatusFour)
{
    std::filesystem::create_directory("dir.txt");
    std::uint16_t codeMap[CodeCount] = {};
    testing::internal::CaptureStderr();
    EXPECT_EQ(Write("dir", codeMap, OutputUnicode), StatusNoOutput);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "gentest: unable to create output file dir.txt\n");
}
