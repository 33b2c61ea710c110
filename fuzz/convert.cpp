// Differential fuzz target of the converter: the byte map and the block
// conversion, on every path this processor runs, against the plain rule
// applied byte after byte.
//
// Input, read from the front (missing bytes read as 0):
//   replacement byte; flags (bits 0-1 source kind, 2-3 target kind, 4 in
//   place, 5 BAD first in the palette); input offset; output offset;
//   palette size - 1 (low 4 bits); the palette, 2 bytes each, little-endian;
//   the source table; the target table; the rest is the text to convert.
// A table is, by its kind:
//   0 palette: 256 bytes, each picking a palette entry, so ties and BAD
//     entries are common;
//   1 raw: 256 little-endian values;
//   2 edited: the source table (for the source: byte i is i), then an edit
//     count and that many pairs of index and palette pick;
//   3 edited BAD: as 2 from all BAD.
#include "convert.h"
#include "scratch.h"

#include <cstdlib>
#include <cstring>

const char ProgramName[] = "convert_fuzzer";
const char ProgramVersion[] = "V0";

namespace {

struct Reader {
    const std::uint8_t *data;
    std::size_t size;
    std::size_t next;
};

unsigned Byte(Reader *in)
{
    return in->next < in->size ? in->data[in->next++] : 0;
}

unsigned Word(Reader *in)
{
    unsigned low = Byte(in);
    return low | Byte(in) << 8;
}

struct Palette {
    std::uint16_t value[16];
    unsigned count;
};

void ReadTable(Reader *in, int kind, const Palette &palette, const std::uint16_t *base,
               std::uint16_t table[CodeCount])
{
    if (kind == 0) {
        for (unsigned i = 0; i < CodeCount; ++i)
            table[i] = palette.value[Byte(in) % palette.count];
        return;
    }
    if (kind == 1) {
        for (unsigned i = 0; i < CodeCount; ++i)
            table[i] = static_cast<std::uint16_t>(Word(in));
        return;
    }
    for (unsigned i = 0; i < CodeCount; ++i)
        table[i] = kind == 3 ? BAD : base ? base[i] : static_cast<std::uint16_t>(i);
    for (unsigned edits = Byte(in); edits > 0; --edits) {
        unsigned index = Byte(in);
        table[index] = palette.value[Byte(in) % palette.count];
    }
}

// The block conversion on one path, into a heap block that ends where the
// output ends, so that a store or load beyond it is caught; the bytes ahead
// of the output's start must stay as they were.
void CheckPath(const ConvertMap &map, int path, const std::uint8_t *text, std::size_t count,
               unsigned inOffset, unsigned outOffset, bool inPlace,
               const unsigned char *expected, int expectedReplaced)
{
    const unsigned char Guard = 0xA5;
    unsigned char *outBlock = static_cast<unsigned char *>(std::malloc(outOffset + count));
    std::memset(outBlock, Guard, outOffset);
    unsigned char *out = outBlock + outOffset;
    unsigned char *inBlock = nullptr;
    const unsigned char *in = out;
    if (inPlace) {
        std::memcpy(out, text, count);
    } else {
        inBlock = static_cast<unsigned char *>(std::malloc(inOffset + count));
        std::memcpy(inBlock + inOffset, text, count);
        in = inBlock + inOffset;
    }
    int replaced = ConvertBlock(&map, in, out, count, path);
    Check(replaced == expectedReplaced, "the replaced result differs from the rule's");
    Check(std::memcmp(out, expected, count) == 0, "an output byte differs from the rule's");
    for (unsigned i = 0; i < outOffset; ++i)
        Check(outBlock[i] == Guard, "a byte before the output was written");
    if (inBlock)
        Check(std::memcmp(inBlock + inOffset, text, count) == 0, "the input was changed");
    std::free(inBlock);
    std::free(outBlock);
}

// The map against the rule as the converter states it: a byte's value
// from the source table, the lowest target index holding it; the
// replacement where the value is BAD or no target index holds it.
void CheckMap(const ConvertMap &map, const std::uint16_t source[CodeCount],
              const std::uint16_t target[CodeCount], unsigned char replacement)
{
    for (unsigned byte = 0; byte < CodeCount; ++byte) {
        unsigned index = 0;
        while (index < CodeCount && target[index] != source[byte])
            ++index;
        bool found = source[byte] != BAD && index < CodeCount;
        Check(map.replaced[byte] == (found ? 0 : 1), "a map flag breaks the rule");
        Check(map.output[byte] == (found ? index : replacement), "a map byte breaks the rule");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Reader in{data, size, 0};
    const unsigned char replacement = static_cast<unsigned char>(Byte(&in));
    const unsigned flags = Byte(&in);
    const unsigned inOffset = Byte(&in) & 63, outOffset = Byte(&in) & 63;
    Palette palette{{}, (Byte(&in) & 15) + 1};
    for (unsigned i = 0; i < palette.count; ++i)
        palette.value[i] = static_cast<std::uint16_t>(Word(&in));
    if (flags & 32)
        palette.value[0] = BAD;
    std::uint16_t source[CodeCount], target[CodeCount];
    ReadTable(&in, flags & 3, palette, nullptr, source);
    ReadTable(&in, flags >> 2 & 3, palette, source, target);
    const std::size_t count = in.next < size ? size - in.next : 0;
    const std::uint8_t *text = data + (size - count);

    unsigned char *expected = static_cast<unsigned char *>(std::malloc(count));
    const int expectedReplaced =
        ConvertBlockByRule(source, target, replacement, text, expected, count);
    ConvertMap map;
    BuildConvertMap(source, target, replacement, &map);
    CheckMap(map, source, target, replacement);

    // Each path by name; one beyond this processor falls back to the best.
    const int best = BestPath();
    const char *names[] = {"scalar", "avx2", "avx512"};
    const int paths[] = {PathScalar, PathAvx2, PathAvx512};
    for (int p = 0; p < 3; ++p) {
        int path = ChoosePath(names[p]);
        Check(path == (paths[p] < best ? paths[p] : best), "ChoosePath gave another path");
        CheckPath(map, path, text, count, inOffset, outOffset, flags & 16, expected,
                  expectedReplaced);
    }
    std::free(expected);
    return 0;
}
