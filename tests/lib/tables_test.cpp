// Binary tables in the store and Unicode mapping files.
#include "store_fixture.h"

#include "orvel.h"

#include <cstdlib>
#include <string>

namespace {

using Tables = StoreTest;

std::string TableBytes(unsigned entries)
{
    std::string bytes;
    for (unsigned i = 0; i < entries; ++i) {
        unsigned value = i == 7 ? BAD : 0x2500 + i;
        bytes += static_cast<char>(value & 0xFF);
        bytes += static_cast<char>(value >> 8);
    }
    return bytes;
}

TEST_F(Tables, BinaryTableReadsLittleEndian)
{
    Write("xlt/full", TableBytes(256) + "trailing bytes are ignored");
    std::uint16_t table[CodeCount] = {};
    ASSERT_EQ(LoadTable("full", table), 0);
    for (unsigned i = 0; i < CodeCount; ++i)
        EXPECT_EQ(table[i], i == 7 ? BAD : 0x2500 + i) << i;
}

TEST_F(Tables, ShortBinaryTableFillsWhatItHolds)
{
    Write("xlt/short", TableBytes(50));
    std::uint16_t table[CodeCount];
    for (auto &entry : table)
        entry = 0x1234;
    ASSERT_EQ(LoadTable("short", table), 0);
    EXPECT_EQ(table[0x31], 0x2531);
    EXPECT_EQ(table[0x32], 0x1234);
    EXPECT_EQ(table[0xFF], 0x1234);
}

TEST_F(Tables, UnreadableTableLeavesArrayAlone)
{
    std::uint16_t table[CodeCount];
    for (auto &entry : table)
        entry = 0x1234;
    EXPECT_EQ(LoadTable("missing", table), 5);
    EXPECT_EQ(LoadTable("", table), 5);  // the xlt directory itself
    for (auto entry : table)
        EXPECT_EQ(entry, 0x1234);
}

TEST_F(Tables, MappingFileLines)
{
    Write("map/t.txt",
          "#\tcomment 0x41\t0x0000\n"
          "0x41\t0x0041\t#\tLATIN CAPITAL LETTER A\n"
          "0x42 0x00e9 spaces and lower case\n"
          "0x43\t   # no second number\n"
          "0x44\t0X0044\n"
          "0X45\t0x0045\n"
          " 0x46\t0x0046\n"
          "0x47\t0x1E9E\n0x47\t0x0047\n"
          "0x148\t0x0048\n"
          "0x100000048\t0x1234\n"
          "0x-FFFFFFB8\t0x5678\n"
          "0x49\t0x12345\n"
          "0x\n");
    setenv("UNICODE", (root + "map/").c_str(), 1);
    std::uint16_t table[CodeCount];
    ASSERT_EQ(LoadUnicode("t", table), 0);
    EXPECT_EQ(table[0x41], 0x0041);
    EXPECT_EQ(table[0x42], 0x00E9);
    EXPECT_EQ(table[0x43], BAD);
    EXPECT_EQ(table[0x44], BAD);
    EXPECT_EQ(table[0x45], BAD);
    EXPECT_EQ(table[0x46], BAD);
    EXPECT_EQ(table[0x47], 0x0047);   // the later line stands
    EXPECT_EQ(table[0x48], BAD);      // byte values above 0xFF are skipped, however wide
    EXPECT_EQ(table[0x49], 0x2345);   // low 16 bits
    EXPECT_EQ(table[0x00], BAD);
    unsigned listed = 0;
    for (auto entry : table)
        listed += entry != BAD;
    EXPECT_EQ(listed, 4u);
}

TEST_F(Tables, MappingFileLocation)
{
    Write("map/t.txt", "0x41\t0x0041\n");
    Write("./mapt.txt", "0x41\t0x0042\n");
    std::uint16_t table[CodeCount];
    setenv("UNICODE", (root + "map").c_str(), 1);  // no slash: the names run together
    ASSERT_EQ(LoadUnicode("t", table), 0);
    EXPECT_EQ(table[0x41], 0x0042);
    unsetenv("UNICODE");
    for (auto &entry : table)
        entry = 0x1234;
    EXPECT_EQ(LoadUnicode((root + "map/t").c_str(), table), 0);
    EXPECT_EQ(table[0x41], 0x0041);
    for (auto &entry : table)
        entry = 0x1234;
    EXPECT_EQ(LoadUnicode("missing", table), 5);
    EXPECT_EQ(table[0], 0x1234);
    setenv("UNICODE", root.c_str(), 1);
    EXPECT_EQ(LoadUnicode("map", table), 5);  // map.txt absent
}

} // namespace
