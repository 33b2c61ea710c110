// The fast block conversion against the plain rule, on every path this
// processor runs, and the rule itself on hand-made tables.
#include "convert.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

const char ProgramName[] = "orvelcnv";
const char ProgramVersion[] = "V1.13 (1997-06-14)";

namespace {

struct Tables {
    std::uint16_t source[CodeCount];
    std::uint16_t target[CodeCount];
};

// Values from a small range, so that the target holds ties and misses,
// and BAD in both tables.
Tables RandomTables(unsigned seed)
{
    std::mt19937 random(seed);
    Tables tables;
    for (unsigned i = 0; i < CodeCount; ++i) {
        unsigned s = random() % 300, t = random() % 300;
        tables.source[i] = s < 20 ? BAD : static_cast<std::uint16_t>(s);
        tables.target[i] = t < 20 ? BAD : static_cast<std::uint16_t>(t);
    }
    return tables;
}

TEST(ConvertByteByRule, FollowsTheTables)
{
    Tables tables;
    for (unsigned i = 0; i < CodeCount; ++i)
        tables.source[i] = tables.target[i] = BAD;
    tables.source[0x10] = 0x0100; tables.target[0x90] = 0x0100; tables.target[0x30] = 0x0100;
    tables.source[0x11] = 0x0200; // nowhere in the target
    tables.source[0x13] = 0x0000; tables.target[0xFF] = 0x0000;
    struct Case { unsigned char byte; unsigned char want; int replaced; } cases[] = {
        {0x10, 0x30, 0},  // of two equal entries the lower index wins
        {0x11, '?', 1},   // value missing in the target
        {0x12, '?', 1},   // BAD source entry, though the target holds BAD
        {0x13, 0xFF, 0},  // the last index is searched too
    };
    for (const Case &c : cases) {
        int replaced = 0;
        EXPECT_EQ(ConvertByteByRule(tables.source, tables.target, '?', c.byte, &replaced), c.want)
            << "byte " << int(c.byte);
        EXPECT_EQ(replaced, c.replaced) << "byte " << int(c.byte);
    }
}

TEST(ChoosePath, NeverBeyondTheProcessor)
{
    int best = BestPath();
    EXPECT_EQ(ChoosePath(nullptr), best);
    EXPECT_EQ(ChoosePath("avx512"), best);
    EXPECT_EQ(ChoosePath("scalar"), PathScalar);
    EXPECT_EQ(ChoosePath("avx2"), best < PathAvx2 ? best : PathAvx2);
}

class Paths : public testing::TestWithParam<const char *> {
protected:
    int path = 0;
    void SetUp() override
    {
        path = ChoosePath(GetParam());
        const char *names[] = {"scalar", "avx2", "avx512"};
        if (std::string(names[path]) != GetParam())
            GTEST_SKIP() << GetParam() << " is not run by this processor";
    }

    // Converts in[offset, offset + count) both ways and compares.
    void Compare(const Tables &tables, const ConvertMap &map,
                 const std::vector<unsigned char> &in, std::size_t offset,
                 std::size_t count)
    {
        std::vector<unsigned char> want(count + 1, 0xAA), got(count + 1, 0xAA);
        int wantReplaced = ConvertBlockByRule(tables.source, tables.target, '#',
                                              in.data() + offset, want.data(), count);
        int gotReplaced = ConvertBlock(&map, in.data() + offset, got.data(), count, path);
        ASSERT_EQ(got, want) << "offset " << offset << " length " << count;
        ASSERT_EQ(gotReplaced, wantReplaced) << "offset " << offset << " length " << count;
    }
};

TEST_P(Paths, SameBytesAndFlagAsTheRule)
{
    for (unsigned seed = 1; seed <= 4; ++seed) {
        Tables tables = RandomTables(seed);
        ConvertMap map;
        BuildConvertMap(tables.source, tables.target, '#', &map);
        std::mt19937 random(seed);
        std::vector<unsigned char> in(4096 + 64);
        for (auto &byte : in)
            byte = static_cast<unsigned char>(random());
        for (std::size_t count = 0; count <= 300; ++count)
            Compare(tables, map, in, count % 64, count);
        Compare(tables, map, in, 3, 4096 + 61);
    }
}

// Every byte value once, at every position of a vector and its tail.
TEST_P(Paths, EveryByteValue)
{
    Tables tables = RandomTables(7);
    ConvertMap map;
    BuildConvertMap(tables.source, tables.target, '#', &map);
    std::vector<unsigned char> in(2 * CodeCount);
    for (std::size_t i = 0; i < in.size(); ++i)
        in[i] = static_cast<unsigned char>(i);
    for (std::size_t offset = 0; offset < CodeCount; offset += 37)
        Compare(tables, map, in, offset, CodeCount);
}

// The flag comes from the one replaced byte wherever it stands, and never
// from the lanes beyond the end of the block.
TEST_P(Paths, ReplacedFlagFromOneByte)
{
    Tables tables = RandomTables(11);
    tables.source[0x00] = BAD;  // a vector lane read as zero would raise the flag
    tables.source[0x41] = 0x41;
    tables.target[0x42] = 0x41;
    ConvertMap map;
    BuildConvertMap(tables.source, tables.target, '#', &map);
    ASSERT_EQ(map.replaced[0x41], 0);
    for (std::size_t count : {1u, 31u, 32u, 33u, 63u, 64u, 65u, 129u, 200u}) {
        std::vector<unsigned char> in(count, 0x41), out(count);
        EXPECT_EQ(ConvertBlock(&map, in.data(), out.data(), count, path), 0) << count;
        for (std::size_t at = 0; at < count; ++at) {
            in[at] = 0x00;
            EXPECT_EQ(ConvertBlock(&map, in.data(), out.data(), count, path), 1)
                << "length " << count << " at " << at;
            in[at] = 0x41;
        }
    }
}

TEST_P(Paths, InPlaceBuffer)
{
    Tables tables = RandomTables(5);
    ConvertMap map;
    BuildConvertMap(tables.source, tables.target, '#', &map);
    std::vector<unsigned char> buffer(1000), want(1000);
    for (std::size_t i = 0; i < buffer.size(); ++i)
        buffer[i] = static_cast<unsigned char>(i * 7);
    int wantReplaced = ConvertBlockByRule(tables.source, tables.target, '#',
                                          buffer.data(), want.data(), buffer.size());
    EXPECT_EQ(ConvertBlock(&map, buffer.data(), buffer.data(), buffer.size(), path),
              wantReplaced);
    EXPECT_EQ(buffer, want);
}

INSTANTIATE_TEST_SUITE_P(Cnv, Paths, testing::Values("scalar", "avx2", "avx512"));

} // namespace
