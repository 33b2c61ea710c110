// The tables of every shipped code: written by WriteTables as a mapping
// file and a binary table, they read back exactly; and the mapping files
// that the build made agree with what glibc's iconv decodes for the code.
#include "orvel.h"
#include "testdir.h"

#include <iconv.h>

#include <cstdlib>
#include <vector>

namespace {

const std::string BuildStore = ORVEL_TEST_BUILD_STORE;

// The shipped codes: every description file of the source store but the
// names list.
std::vector<std::string> ShippedCodes()
{
    std::vector<std::string> codes;
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator(ORVEL_TEST_SHIPPED_CEDF, error))
        if (entry.path().filename() != "iso10646")
            codes.push_back(entry.path().filename().string());
    std::sort(codes.begin(), codes.end());
    return codes;
}

// Static, so that what the loader keeps stays reachable until the end.
char *srcNames[CodeCount];
char *dstNames[ListCapacity];
std::uint16_t dstCodes[ListCapacity];
char srcLine[NameLineSize], dstLine[NameLineSize];
CodeFileInfo srcInfo, dstInfo;

// What iconv decodes one byte to: its code point, or BAD when the byte
// decodes to nothing or to more than one character.
std::uint32_t Decode(iconv_t converter, unsigned byte)
{
    char in[1] = {static_cast<char>(byte)};
    unsigned char out[16];
    char *inPointer = in, *outPointer = reinterpret_cast<char *>(out);
    std::size_t inLeft = 1, outLeft = sizeof out;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) == static_cast<std::size_t>(-1))
        return BAD;
    if (sizeof out - outLeft != 4)
        return BAD;
    return out[0] | out[1] << 8 | out[2] << 16 | static_cast<std::uint32_t>(out[3]) << 24;
}

bool IsPrivateUse(std::uint32_t code)
{
    return code >= 0xE000 && code <= 0xF8FF;
}

} // namespace

using ShippedTables = ScratchDir;

TEST_F(ShippedTables, ReadBackExactly)
{
    std::vector<std::string> codes = ShippedCodes();
    if (codes.empty())
        GTEST_SKIP() << "no description files shipped";
    std::string scratch = dir.string() + "/";
    std::filesystem::create_directory("xlt");
    unsetenv("UNICODE");
    setenv("ORVEL", BuildStore.c_str(), 1);
    ASSERT_EQ(LoadCodeFile("iso10646", dstNames, dstCodes, ListCapacity, dstLine, &dstInfo, 0), 0);
    for (const std::string &code : codes) {
        setenv("ORVEL", BuildStore.c_str(), 1);
        ASSERT_EQ(LoadCodeFile(code.c_str(), srcNames, nullptr, CodeCount, srcLine, &srcInfo, 0), 0)
            << code;
        std::uint16_t codeMap[CodeCount];
        MapNames(srcNames, CodeCount, dstNames, ListCapacity, dstCodes, codeMap);
        setenv("ORVEL", scratch.c_str(), 1);
        for (int type : {OutputUnicode, OutputBinary})
            ASSERT_EQ(WriteTables(srcNames, dstNames, dstCodes, ListCapacity, code.c_str(), codeMap,
                                  CodeCount, srcLine, dstLine, &srcInfo, &dstInfo, type), 0)
                << code;
        std::uint16_t fromMapping[CodeCount], fromTable[CodeCount];
        ASSERT_EQ(LoadUnicode(code.c_str(), fromMapping), 0) << code;
        ASSERT_EQ(LoadTable(code.c_str(), fromTable), 0) << code;
        for (unsigned i = 0; i < CodeCount; ++i) {
            EXPECT_EQ(fromMapping[i], codeMap[i]) << code << " mapping file, byte " << i;
            EXPECT_EQ(fromTable[i], codeMap[i]) << code << " binary table, byte " << i;
        }
        FreeNames(srcNames, CodeCount);
        // The next load fills the record afresh; its old lines are ours to free.
        for (char *comment : {srcInfo.comment1, srcInfo.comment2, srcInfo.comment3})
            std::free(comment);
    }
    FreeNames(dstNames, ListCapacity);
}

// Codes that iconv does not know by their file name (such as ibm437-graphic)
// are passed over and listed.
TEST(ShippedMappingFiles, AgreeWithIconv)
{
    std::vector<std::string> codes = ShippedCodes();
    if (codes.empty())
        GTEST_SKIP() << "no description files shipped";
    setenv("UNICODE", ORVEL_TEST_BUILD_UNICODE, 1);
    std::string unknown;
    for (const std::string &code : codes) {
        iconv_t converter = iconv_open("UCS-4LE", code.c_str());
        if (converter == reinterpret_cast<iconv_t>(-1)) {
            unknown += " " + code;
            continue;
        }
        std::uint16_t mapping[CodeCount];
        EXPECT_EQ(LoadUnicode(code.c_str(), mapping), 0) << code;
        for (unsigned i = 0; i < CodeCount; ++i) {
            std::uint32_t decoded = Decode(converter, i);
            if (IsPrivateUse(decoded))
                continue;
            std::uint32_t expected = decoded > 0xFFFF ? BAD : decoded;
            EXPECT_EQ(mapping[i], expected) << code << " byte " << i;
        }
        iconv_close(converter);
    }
    if (!unknown.empty())
        std::printf("not known to iconv:%s\n", unknown.c_str());
}
