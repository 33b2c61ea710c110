// The shipped store, read through the library as the programs read it: every
// description file loads, its names map through iso10646 to exactly what
// glibc iconv decodes, and the names list is full and in order.
#include "orvel.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

const char ProgramName[] = "store_test";
const char ProgramVersion[] = "V1.20 (1997-07-27)";

namespace {

constexpr int MaxHeaderLine = 69;
constexpr unsigned MaxName = 98;

// Loaded once; the arrays live in static storage.
char *ListNames[ListCapacity];
std::uint16_t ListCodes[ListCapacity];
char *CodeNames[CodeCount];
char NameLine[NameLineSize];
CodeFileInfo Info;

// Files that are no glibc name, with the iconv name they stand for.
const char *const NonGlibcNames[][2] = {
    {"macroman", "MACINTOSH"},
};

// What the IBM PC shows for the bytes 01-1F and 7F of code page 437.
struct Glyph {
    int byte;
    std::uint16_t code;
    const char *name;
};
const Glyph Ibm437Glyphs[] = {
    {0x01, 0x263A, "WHITE SMILING FACE"},
    {0x02, 0x263B, "BLACK SMILING FACE"},
    {0x03, 0x2665, "BLACK HEART SUIT"},
    {0x04, 0x2666, "BLACK DIAMOND SUIT"},
    {0x05, 0x2663, "BLACK CLUB SUIT"},
    {0x06, 0x2660, "BLACK SPADE SUIT"},
    {0x07, 0x2022, "BULLET"},
    {0x08, 0x25D8, "INVERSE BULLET"},
    {0x09, 0x25CB, "WHITE CIRCLE"},
    {0x0A, 0x25D9, "INVERSE WHITE CIRCLE"},
    {0x0B, 0x2642, "MALE SIGN"},
    {0x0C, 0x2640, "FEMALE SIGN"},
    {0x0D, 0x266A, "EIGHTH NOTE"},
    {0x0E, 0x266B, "BEAMED EIGHTH NOTES"},
    {0x0F, 0x263C, "WHITE SUN WITH RAYS"},
    {0x10, 0x25BA, "BLACK RIGHT-POINTING POINTER"},
    {0x11, 0x25C4, "BLACK LEFT-POINTING POINTER"},
    {0x12, 0x2195, "UP DOWN ARROW"},
    {0x13, 0x203C, "DOUBLE EXCLAMATION MARK"},
    {0x14, 0x00B6, "PILCROW SIGN"},
    {0x15, 0x00A7, "SECTION SIGN"},
    {0x16, 0x25AC, "BLACK RECTANGLE"},
    {0x17, 0x21A8, "UP DOWN ARROW WITH BASE"},
    {0x18, 0x2191, "UPWARDS ARROW"},
    {0x19, 0x2193, "DOWNWARDS ARROW"},
    {0x1A, 0x2192, "RIGHTWARDS ARROW"},
    {0x1B, 0x2190, "LEFTWARDS ARROW"},
    {0x1C, 0x221F, "RIGHT ANGLE"},
    {0x1D, 0x2194, "LEFT RIGHT ARROW"},
    {0x1E, 0x25B2, "BLACK UP-POINTING TRIANGLE"},
    {0x1F, 0x25BC, "BLACK DOWN-POINTING TRIANGLE"},
    {0x7F, 0x2302, "HOUSE"},
};

void FreeInfo() {
    std::free(Info.comment1);
    std::free(Info.comment2);
    std::free(Info.comment3);
    Info = CodeFileInfo{};
}

// Loads a description file into CodeNames; returns the reader's status.
int LoadCode(const std::string &file) {
    FreeNames(CodeNames, CodeCount);
    FreeInfo();
    return LoadCodeFile(file.c_str(), CodeNames, nullptr, CodeCount, NameLine, &Info, 0);
}

std::vector<std::string> ShippedFiles() {
    std::vector<std::string> files;
    if (DIR *d = opendir(SHIPPED_STORE "cedf")) {
        while (dirent *e = readdir(d))
            if (e->d_name[0] != '.' && std::strcmp(e->d_name, "iso10646") != 0)
                files.push_back(e->d_name);
        closedir(d);
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string IconvName(const std::string &file) {
    for (const auto &n : NonGlibcNames)
        if (file == n[0])
            return n[1];
    return file;
}

bool IsPrivateUse(std::uint32_t cp) { return cp >= 0xE000 && cp <= 0xF8FF; }

// Decodes every byte alone with iconv: the code point, or BAD where iconv
// rejects the byte or gives a private-use character. False when the name is
// unknown or a byte is no single BMP character.
bool IconvTable(const std::string &name, std::uint16_t table[CodeCount], std::string &why) {
    iconv_t cd = iconv_open("UTF-32LE", name.c_str());
    if (cd == iconv_t(-1)) {
        why = "iconv_open refuses " + name;
        return false;
    }
    bool ok = true;
    for (int b = 0; b < CodeCount && ok; ++b) {
        char in = char(b), out[16];
        char *ip = &in, *op = out;
        size_t il = 1, ol = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        size_t r = iconv(cd, &ip, &il, &op, &ol);
        int error = r == size_t(-1) ? errno : 0;
        iconv(cd, nullptr, nullptr, &op, &ol);
        size_t n = size_t(op - out) / 4;
        unsigned char *u = reinterpret_cast<unsigned char *>(out);
        std::uint32_t cp = u[0] | u[1] << 8 | u[2] << 16 | std::uint32_t(u[3]) << 24;
        if (error != 0 && error != EILSEQ) {
            why = "byte " + std::to_string(b) + ": " + std::strerror(error);
            ok = false;
        } else if (error == EILSEQ || n == 0) {
            table[b] = BAD;
        } else if (n > 1 || cp > 0xFFFF) {
            why = "byte " + std::to_string(b) + " is no single BMP character";
            ok = false;
        } else {
            table[b] = IsPrivateUse(cp) ? BAD : std::uint16_t(cp);
        }
    }
    iconv_close(cd);
    return ok;
}

class ShippedStore : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        setenv("ORVEL", SHIPPED_STORE, 1);
        ListStatus = LoadCodeFile("iso10646", ListNames, ListCodes, ListCapacity, NameLine,
                                  &Info, 0);
        FreeInfo();
    }
    static void TearDownTestSuite() {
        FreeNames(ListNames, ListCapacity);
        FreeNames(CodeNames, CodeCount);
        FreeInfo();
    }
    static int ListStatus;
};
int ShippedStore::ListStatus = -1;

TEST_F(ShippedStore, NamesListIsFullSortedAndUnique) {
    ASSERT_EQ(ListStatus, 0);
    for (unsigned i = 0; i < ListCapacity; ++i) {
        ASSERT_NE(ListNames[i], nullptr) << "entry " << i;
        ASSERT_NE(ListCodes[i], BAD) << "entry " << i;
        EXPECT_LE(std::strlen(ListNames[i]), MaxName) << ListNames[i];
        if (i > 0) {
            EXPECT_LT(std::strcmp(ListNames[i - 1], ListNames[i]), 0)
                << "entry " << i << ": " << ListNames[i - 1] << " / " << ListNames[i];
        }
    }
    EXPECT_EQ(CheckSortedList("iso10646", ListNames, ListCapacity), 0);
    std::vector<std::uint16_t> codes(ListCodes, ListCodes + ListCapacity);
    std::sort(codes.begin(), codes.end());
    EXPECT_EQ(std::adjacent_find(codes.begin(), codes.end()), codes.end())
        << "a code occurs twice";
}

TEST_F(ShippedStore, NamesListHasNoLineBeyondItsCapacity) {
    // One more slot than the list needs stays empty: the file has exactly
    // ListCapacity entries.
    static char *names[ListCapacity + 1];
    static std::uint16_t codes[ListCapacity + 1];
    ASSERT_EQ(LoadCodeFile("iso10646", names, codes, ListCapacity + 1, NameLine, &Info, 0),
              0);
    FreeInfo();
    EXPECT_NE(names[ListCapacity - 1], nullptr);
    EXPECT_EQ(names[ListCapacity], nullptr);
    FreeNames(names, ListCapacity + 1);
}

TEST_F(ShippedStore, EveryFileLoadsWithShortHeaderLines) {
    std::vector<std::string> files = ShippedFiles();
    ASSERT_FALSE(files.empty());
    for (const std::string &file : files) {
        ASSERT_EQ(LoadCode(file), 0) << file;
        const char *header[4] = {NameLine, Info.comment1, Info.comment2, Info.comment3};
        for (const char *line : header) {
            ASSERT_NE(line, nullptr) << file;
            EXPECT_GT(std::strlen(line), 0u) << file;
            EXPECT_LE(std::strlen(line), unsigned(MaxHeaderLine)) << file << ": " << line;
        }
    }
}

TEST_F(ShippedStore, EveryCodeMapsThroughIso10646AsIconvDecodes) {
    ASSERT_EQ(ListStatus, 0);
    int checked = 0;
    for (const std::string &file : ShippedFiles()) {
        if (file == "ibm437-graphic")
            continue;  // not an iconv code; its own test follows
        std::uint16_t want[CodeCount], got[CodeCount];
        std::string why;
        ASSERT_TRUE(IconvTable(IconvName(file), want, why)) << file << ": " << why;
        ASSERT_EQ(LoadCode(file), 0) << file;
        MapNames(CodeNames, CodeCount, ListNames, ListCapacity, ListCodes, got);
        int wrong = 0;
        for (int b = 0; b < CodeCount && wrong < 3; ++b) {
            if (got[b] != want[b]) {
                ++wrong;
                ADD_FAILURE() << file << " byte " << b << ": maps to " << std::hex << got[b]
                              << ", iconv gives " << want[b] << " ("
                              << (CodeNames[b] ? CodeNames[b] : "no name") << ")";
            }
        }
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

TEST_F(ShippedStore, Ibm437GraphicShowsTheScreenGlyphs) {
    ASSERT_EQ(ListStatus, 0);
    std::uint16_t want[CodeCount], got[CodeCount];
    std::string why;
    ASSERT_TRUE(IconvTable("IBM437", want, why)) << why;
    bool glyphByte[CodeCount] = {};
    for (const Glyph &g : Ibm437Glyphs) {
        want[g.byte] = g.code;
        glyphByte[g.byte] = true;
    }
    ASSERT_EQ(LoadCode("ibm437-graphic"), 0);
    for (const Glyph &g : Ibm437Glyphs) {
        ASSERT_NE(CodeNames[g.byte], nullptr) << g.byte;
        EXPECT_STREQ(CodeNames[g.byte], g.name) << "byte " << g.byte;
    }
    ASSERT_NE(CodeNames[0], nullptr);
    EXPECT_STREQ(CodeNames[0], "NUL");
    MapNames(CodeNames, CodeCount, ListNames, ListCapacity, ListCodes, got);
    for (int b = 0; b < CodeCount; ++b)
        EXPECT_EQ(got[b], want[b]) << "byte " << b << (glyphByte[b] ? " (glyph)" : "");
}

}  // namespace
