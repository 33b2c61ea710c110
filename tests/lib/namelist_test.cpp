// Lookups by name, the code map, the dump and the order check.
#include "store_fixture.h"

#include "orvel.h"

#include <cstdio>
#include <string>

namespace {

char A[] = "ALPHA", B[] = "BETA", G[] = "GAMMA", D[] = "DELTA", E[] = "EPSILON";

TEST(FindCode, ByCodeArray)
{
    char *names[6] = {nullptr, A, nullptr, B, A, nullptr};
    EXPECT_EQ(FindCode("ALPHA", names, nullptr, 6), 1);  // the lowest slot wins
    EXPECT_EQ(FindCode("BETA", names, nullptr, 6), 3);
    EXPECT_EQ(FindCode("beta", names, nullptr, 6), BAD);
    EXPECT_EQ(FindCode("BETA", names, nullptr, 3), BAD);
    EXPECT_EQ(FindCode("ALPHA", names, nullptr, 0), BAD);
    EXPECT_EQ(FindCode("", names, nullptr, 6), BAD);
    EXPECT_EQ(FindCode(nullptr, names, nullptr, 6), BAD);
}

TEST(FindCode, SortedListFindsEveryEntry)
{
    // Every entry of lists of every length up to 5, index 0 included, and
    // keys that sort before, between and after them.
    char *sorted[5] = {A, B, D, E, G};
    std::uint16_t codes[5] = {10, 11, 12, 13, 14};
    for (std::uint16_t count = 0; count <= 5; ++count) {
        for (std::uint16_t i = 0; i < 5; ++i)
            EXPECT_EQ(FindCode(sorted[i], sorted, codes, count), i < count ? codes[i] : BAD)
                << sorted[i] << " in " << count;
        for (const char *missing : {"AAA", "ALPHB", "CHI", "ZETA"})
            EXPECT_EQ(FindCode(missing, sorted, codes, count), BAD) << missing;
    }
}

TEST(FindCode, SortedListWithEmptyTail)
{
    // A list whose names fill only its first slots: empty slots are never
    // compared (a comparison with null would crash).
    char *names[7] = {A, B, D, nullptr, nullptr, nullptr, nullptr};
    std::uint16_t codes[7] = {1, 2, 3, BAD, BAD, BAD, BAD};
    EXPECT_EQ(FindCode("ALPHA", names, codes, 7), 1);
    EXPECT_EQ(FindCode("DELTA", names, codes, 7), 3);
    EXPECT_EQ(FindCode("ZETA", names, codes, 7), BAD);
    EXPECT_EQ(FindCode("", names, codes, 7), BAD);
}

TEST(MapNames, FillsEveryEntry)
{
    char *src[5] = {B, nullptr, A, B, G};
    char *dst[3] = {A, B, D};
    std::uint16_t codes[3] = {0x100, 0x200, 0x300};
    std::uint16_t map[6] = {7, 7, 7, 7, 7, 7};
    MapNames(src, 5, dst, 3, codes, map);
    const std::uint16_t want[6] = {0x200, BAD, 0x100, 0x200, BAD, 7};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(map[i], want[i]) << i;
}

std::string Dump(const char *title, char *const *names, const std::uint16_t *codes, std::uint16_t count)
{
    char *text = nullptr;
    std::size_t size = 0;
    std::FILE *out = open_memstream(&text, &size);
    DumpNames(out, title, names, codes, count);
    std::fclose(out);
    std::string result(text, size);
    std::free(text);
    return result;
}

TEST(DumpNames, PrintsFilledSlots)
{
    char *byCode[0x100] = {};
    byCode[0x0A] = A;
    byCode[0xFF] = B;
    EXPECT_EQ(Dump("src", byCode, nullptr, 0x100), "\nFile: src\n\n000A: 'ALPHA'\n00FF: 'BETA'\n");
    char *list[3] = {A, nullptr, G};
    std::uint16_t codes[3] = {0x3b1, BAD, 0xABCD};
    EXPECT_EQ(Dump("iso10646", list, codes, 3), "\nFile: iso10646\n\n03B1: 'ALPHA'\nABCD: 'GAMMA'\n");
    char *none[2] = {};
    EXPECT_EQ(Dump("t", none, nullptr, 2), "\nFile: t\n\n");
}

using SortCheck = StoreTest;

TEST_F(SortCheck, NamesTheFirstLineOutOfOrder)
{
    char *inOrder[6] = {A, B, B, G, nullptr, nullptr};  // equal names and an empty end pass
    EXPECT_EQ(CheckSortedList("list", inOrder, 6), 0);
    // The lookup would take the empty slot for the end and miss GAMMA.
    char *gap[3] = {A, nullptr, G};
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(CheckSortedList("list", gap, 3), 21);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "libtest: code file " + CedfPath("list") + " is out of order in line 7\n");
    char *outOfOrder[5] = {A, G, B, A, nullptr};
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(CheckSortedList("list", outOfOrder, 5), 21);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "libtest: code file " + CedfPath("list") + " is out of order in line 7\n");
    char high[] = "\xC3\x89TA";  // compared as unsigned bytes: after every ASCII name
    char *unsignedOrder[2] = {G, high};
    EXPECT_EQ(CheckSortedList("list", unsignedOrder, 2), 0);
}

TEST(FreeNames, ReleasesAndClears)
{
    char *names[3] = {strdup("X"), nullptr, strdup("Y")};
    FreeNames(names, 3);
    for (char *slot : names)
        EXPECT_EQ(slot, nullptr);
    FreeNames(names, 3);  // an emptied array may be released again
}

} // namespace
