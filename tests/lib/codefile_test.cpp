// The description file reader: header, body lines, includes, failures.
#include "store_fixture.h"

#include "orvel.h"

#include <cstdlib>
#include <map>
#include <string>

namespace {

const std::string Header = "Name\nc1\nc2\nc3\n";

struct ByCodeCase {
    const char *label;
    std::string text;                       // cedf/t
    int status;
    std::string error;                      // "@" stands for the path of cedf/t
    std::map<unsigned, std::string> names;  // every slot not listed is empty
};

const ByCodeCase ByCodeCases[] = {
    {"empty file", "", 21, "libtest: code file @ has bad syntax in line 1\n", {}},
    {"header only", Header, 0, "", {}},
    {"three header lines", "Name\nc1\nc2\n", 21, "libtest: code file @ has bad syntax in line 4\n", {}},
    {"last header line without line feed", "Name\nc1\nc2\nc3", 0, "", {}},
    {"names are normalised", Header + "a0\tno-break space (nbsp)\n41\t  x  \n", 0, "",
     {{0xA0, "NO-BREAK SPACE"}, {0x41, "  X"}}},
    {"a remark alone defines nothing", Header + "41\t(remark)\n41\tA\n", 0, "", {{0x41, "A"}}},
    {"redefined code", Header + "41\tA\n\n0x41\tB\n", 22, "libtest: code file @: code 65 redefined line 6\n", {}},
    {"redefined by an empty name field", Header + "41\tA\n41\t\n", 22,
     "libtest: code file @: code 65 redefined line 6\n", {}},
    {"code-only line keeps the name", Header + "41\tA\n41\n", 0, "", {{0x41, "A"}}},
    {"code beyond the array", Header + "41\tA\n100\tB\n", 21, "libtest: code file @ has bad syntax in line 6\n", {}},
    {"code wider than 16 bits", Header + "10041\tA\n", 21, "libtest: code file @ has bad syntax in line 5\n", {}},
    {"leading zeros", Header + "0000041\tA\n", 0, "", {{0x41, "A"}}},
    {"blank after the code", Header + "41\tA\n42 B\n", 21, "libtest: code file @ has bad syntax in line 6\n", {}},
    {"blank lines are not counted", Header + "41\tA\n\n  \n42 B\n", 21,
     "libtest: code file @ has bad syntax in line 6\n", {}},
    {"CR LF names", "Name\r\nc1\r\nc2\r\nc3\r\n41\tA\r\n", 0, "", {{0x41, "A"}}},
    {"CR LF code-only line", Header + "41\tA\r\n42\r\n", 21, "libtest: code file @ has bad syntax in line 6\n", {}},
    {"second tab stays in the name", Header + "41\t\tA\n", 0, "", {{0x41, "\tA"}}},
    {"comment line fails silently", Header + "41\tA\n# remark\n42\tB\n", 21, "", {{0x41, "A"}}},
    {"include with a tab", Header + "#include\tx\n", 21, "", {}},
    {"include with nothing", Header + "#include\n", 21, "", {}},
    {"last line without line feed", Header + "41\tA\n42\tB", 0, "", {{0x41, "A"}, {0x42, "B"}}},
    {"bare code at the end", Header + "41\tA\n42", 0, "", {{0x41, "A"}}},
    {"bad syntax after an include releases all", Header + "#include part\n43 C\n", 21,
     "libtest: code file @ has bad syntax in line 6\n", {}},
    {"include fills the same array", Header + "41\tA\n#include part\n43\tC\n", 0, "",
     {{0x41, "A"}, {0x42, "B"}, {0x43, "C"}}},
};

void PrintTo(const ByCodeCase &c, std::ostream *out)
{
    *out << c.label;
}

class ByCode : public StoreTest, public ::testing::WithParamInterface<ByCodeCase> {};

std::string WithPath(std::string text, const std::string &path)
{
    for (std::size_t at; (at = text.find('@')) != std::string::npos;)
        text.replace(at, 1, path);
    return text;
}

TEST_P(ByCode, LoadsAsExpected)
{
    const ByCodeCase &c = GetParam();
    Write("t", c.text);
    Write("part", "P\np1\np2\np3\n42\tB\n");
    char *names[CodeCount];
    for (auto &slot : names)
        slot = reinterpret_cast<char *>(1);  // the reader must clear every slot
    char nameLine[NameLineSize] = "old";
    CodeFileInfo info{};
    ::testing::internal::CaptureStderr();
    int status = LoadCodeFile("t", names, nullptr, CodeCount, nameLine, &info, 0);
    std::string error = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(error, WithPath(c.error, CedfPath("t")));
    for (unsigned i = 0; i < CodeCount; ++i) {
        auto want = c.names.find(i);
        if (want == c.names.end())
            EXPECT_EQ(names[i], nullptr) << "slot " << i;
        else if (names[i])
            EXPECT_STREQ(names[i], want->second.c_str()) << "slot " << i;
        else
            ADD_FAILURE() << "slot " << i << " is empty";
    }
    FreeNames(names, CodeCount);
    std::free(info.comment1);
    std::free(info.comment2);
    std::free(info.comment3);
}

INSTANTIATE_TEST_SUITE_P(Cases, ByCode, ::testing::ValuesIn(ByCodeCases),
                         [](const auto &info) {
                             std::string name = info.param.label;
                             for (char &ch : name)
                                 if (!isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

using Reader = StoreTest;

TEST_F(Reader, HeaderLinesAreTrimmedAndKept)
{
    Write("t", "  Code name \t\r\nfirst  \nsecond\r\n\n41\tA\n");
    char *names[CodeCount];
    char nameLine[NameLineSize];
    CodeFileInfo info{};
    ASSERT_EQ(LoadCodeFile("t", names, nullptr, CodeCount, nameLine, &info, 0), 0);
    EXPECT_STREQ(nameLine, "  Code name");
    EXPECT_STREQ(info.comment1, "first");
    EXPECT_STREQ(info.comment2, "second");
    EXPECT_STREQ(info.comment3, "");
    FreeNames(names, CodeCount);
    for (char *comment : {info.comment1, info.comment2, info.comment3})
        std::free(comment);
}

TEST_F(Reader, ShortHeaderKeepsWhatWasRead)
{
    Write("t", "Name\nfirst\nsecond\n");
    char *names[CodeCount];
    char nameLine[NameLineSize];
    CodeFileInfo info{};
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(LoadCodeFile("t", names, nullptr, CodeCount, nameLine, &info, 0), 21);
    ::testing::internal::GetCapturedStderr();
    EXPECT_STREQ(nameLine, "Name");
    EXPECT_STREQ(info.comment1, "first");
    EXPECT_STREQ(info.comment2, "second");
    EXPECT_EQ(info.comment3, nullptr);
    std::free(info.comment1);
    std::free(info.comment2);
}

struct IncludeCase {
    const char *label;
    std::string part;  // the included file, cedf/part
    int status;
    std::string error;  // "@" stands for the path of cedf/part
};

TEST_F(Reader, IncludeFailures)
{
    const IncludeCase cases[] = {
        {"missing file", "", 11, "libtest: unable to open file @\n"},
        {"header ends early", "P\np1\np2\n", 12, ""},
        {"own lines numbered from 5", "P\np1\np2\np3\n42\tB\n43 C\n", 21,
         "libtest: code file @ has bad syntax in line 6\n"},
        {"redefines a name of the including file", "P\np1\np2\np3\n41\tB\n", 22,
         "libtest: code file @: code 65 redefined line 5\n"},
    };
    for (const IncludeCase &c : cases) {
        Write("t", Header + "41\tA\n#include part\n");
        if (c.status != 11)
            Write("part", c.part);
        else
            std::remove(CedfPath("part").c_str());
        char *names[CodeCount];
        char nameLine[NameLineSize];
        CodeFileInfo info{};
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(LoadCodeFile("t", names, nullptr, CodeCount, nameLine, &info, 0), c.status) << c.label;
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), WithPath(c.error, CedfPath("part"))) << c.label;
        FreeNames(names, CodeCount);
        for (char *comment : {info.comment1, info.comment2, info.comment3})
            std::free(comment);
    }
}

TEST_F(Reader, IncludeNestingIsBounded)
{
    // A file that includes itself ends at the sixteenth level.
    Write("t", Header + "#include t\n");
    char *names[CodeCount];
    char nameLine[NameLineSize];
    CodeFileInfo info{};
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(LoadCodeFile("t", names, nullptr, CodeCount, nameLine, &info, 0), 21);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "libtest: code file " + CedfPath("t") + ": includes nest too deeply in line 5\n");
    for (char *comment : {info.comment1, info.comment2, info.comment3})
        std::free(comment);

    // A chain of 17 files: file i includes file i+1.
    for (int i = 1; i <= 17; ++i)
        Write("n" + std::to_string(i), Header + "#include n" + std::to_string(i + 1) + "\n");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(LoadCodeFile("n1", names, nullptr, CodeCount, nameLine, &info, 0), 21);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "libtest: code file " + CedfPath("n16") + ": includes nest too deeply in line 5\n");
    FreeNames(names, CodeCount);
    for (char *comment : {info.comment1, info.comment2, info.comment3})
        std::free(comment);

    // Sixteen levels are allowed.
    Write("n16", Header + "41\tA\n");
    EXPECT_EQ(LoadCodeFile("n1", names, nullptr, CodeCount, nameLine, &info, 0), 0);
    EXPECT_STREQ(names[0x41], "A");
    FreeNames(names, CodeCount);
    for (char *comment : {info.comment1, info.comment2, info.comment3})
        std::free(comment);
}

TEST_F(Reader, SortedListKeepsFileOrder)
{
    Write("list", Header + "0062\tB\n0041\n\n0061\tA\n");
    char *names[4];
    std::uint16_t codes[4] = {1, 2, 3, 4};
    char nameLine[NameLineSize];
    CodeFileInfo info{};
    ASSERT_EQ(LoadCodeFile("list", names, codes, 4, nameLine, &info, 0), 0);
    EXPECT_STREQ(names[0], "B");
    EXPECT_EQ(codes[0], 0x62);
    EXPECT_EQ(names[1], nullptr);
    EXPECT_EQ(codes[1], BAD);
    EXPECT_STREQ(names[2], "A");
    EXPECT_EQ(codes[2], 0x61);
    EXPECT_EQ(names[3], nullptr);
    EXPECT_EQ(codes[3], BAD);
    FreeNames(names, 4);
    for (char *comment : {info.comment1, info.comment2, info.comment3})
        std::free(comment);
}

TEST_F(Reader, SortedListFailures)
{
    const struct {
        const char *label;
        std::string body;
        std::string error;
    } cases[] = {
        {"more lines than slots", "0041\tA\n0042\n0043\tC\n", "has bad syntax in line 7\n"},
        {"include line", "0041\tA\n#include part\n", "has bad syntax in line 6\n"},
    };
    Write("part", "P\np1\np2\np3\n");
    for (const auto &c : cases) {
        Write("list", Header + c.body);
        char *names[2];
        std::uint16_t codes[2];
        char nameLine[NameLineSize];
        CodeFileInfo info{};
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(LoadCodeFile("list", names, codes, 2, nameLine, &info, 0), 21) << c.label;
        EXPECT_EQ(::testing::internal::GetCapturedStderr(),
                  "libtest: code file " + CedfPath("list") + " " + c.error) << c.label;
        EXPECT_EQ(names[0], nullptr) << c.label;  // every slot released
        for (char *comment : {info.comment1, info.comment2, info.comment3})
            std::free(comment);
    }
}

TEST_F(Reader, StoreDirectoryIsAPlainPrefix)
{
    const struct {
        std::string orvel;
        std::string path;
    } cases[] = {
        {root, root + "cedf/x"},
        {root + "sub", root + "subcedf/x"},
        {"", "cedf/x"},
    };
    for (const auto &c : cases) {
        setenv("ORVEL", c.orvel.c_str(), 1);
        EXPECT_EQ(GetStoreDir(), c.orvel);
        char *names[CodeCount];
        char nameLine[NameLineSize];
        CodeFileInfo info{};
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(LoadCodeFile("x", names, nullptr, CodeCount, nameLine, &info, 0), 11);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "libtest: unable to open file " + c.path + "\n");
    }
    unsetenv("ORVEL");
    EXPECT_STREQ(GetStoreDir(), ORVEL_DEFAULT_STORE);
}

TEST_F(Reader, LongPathsAreNotCut)
{
    std::string name(3000, 'x');
    char *names[CodeCount];
    char nameLine[NameLineSize];
    CodeFileInfo info{};
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(LoadCodeFile(name.c_str(), names, nullptr, CodeCount, nameLine, &info, 0), 11);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "libtest: unable to open file " + CedfPath(name) + "\n");
}

TEST(UpperCase, ChangesOnlyAsciiLowerCase)
{
    char text[] = "abz AZ-09 \xe9\xff";
    EXPECT_EQ(UpperCase(text), text);
    EXPECT_STREQ(text, "ABZ AZ-09 \xe9\xff");
}

} // namespace
