// The conversion rule, the byte map made from it, and the block conversion
// through the map: a plain loop, and vector loops chosen at run time.
#include "convert.h"

#include <immintrin.h>

unsigned char ConvertByteByRule(const std::uint16_t source[CodeCount],
                                const std::uint16_t target[CodeCount],
                                unsigned char replacement, unsigned char byte,
                                int *replaced)
{
    std::uint16_t value = source[byte];
    // A BAD source entry must not find a BAD target entry.
    if (value != BAD) {
        for (unsigned index = 0; index < CodeCount; ++index)
            if (target[index] == value)
                return static_cast<unsigned char>(index);
    }
    *replaced = 1;
    return replacement;
}

int ConvertBlockByRule(const std::uint16_t source[CodeCount],
                       const std::uint16_t target[CodeCount],
                       unsigned char replacement, const unsigned char *in,
                       unsigned char *out, std::size_t count)
{
    int replaced = 0;
    for (std::size_t i = 0; i < count; ++i)
        out[i] = ConvertByteByRule(source, target, replacement, in[i], &replaced);
    return replaced;
}

void BuildConvertMap(const std::uint16_t source[CodeCount],
                     const std::uint16_t target[CodeCount],
                     unsigned char replacement, ConvertMap *map)
{
    for (unsigned byte = 0; byte < CodeCount; ++byte) {
        int replaced = 0;
        map->output[byte] = ConvertByteByRule(source, target, replacement,
                                              static_cast<unsigned char>(byte),
                                              &replaced);
        map->replaced[byte] = static_cast<unsigned char>(replaced);
    }
}

namespace {

int ConvertScalar(const ConvertMap *map, const unsigned char *in,
                  unsigned char *out, std::size_t count)
{
    // Output byte and flag in one entry: one table load per byte.
    std::uint16_t entry[CodeCount];
    for (unsigned byte = 0; byte < CodeCount; ++byte)
        entry[byte] = static_cast<std::uint16_t>(map->output[byte] | map->replaced[byte] << 8);
    unsigned replaced = 0;
    for (std::size_t i = 0; i < count; ++i) {
        unsigned value = entry[in[i]];
        out[i] = static_cast<unsigned char>(value);
        replaced |= value;
    }
    return (replaced >> 8) != 0;
}

// 256 bytes of the map in four vectors; vpermi2b looks up 128 of them at a
// time by the low seven bits, bit 7 picks the half.
struct Map512 {
    __m512i quarter[4];
};

__attribute__((target("avx512vbmi,avx512bw,avx512f")))
inline Map512 LoadMap512(const unsigned char *bytes)
{
    Map512 map;
    for (int q = 0; q < 4; ++q)
        map.quarter[q] = _mm512_loadu_si512(bytes + 64 * q);
    return map;
}

__attribute__((target("avx512vbmi,avx512bw,avx512f")))
inline __m512i Lookup512(const Map512 &map, __m512i index)
{
    __m512i low = _mm512_permutex2var_epi8(map.quarter[0], index, map.quarter[1]);
    __m512i high = _mm512_permutex2var_epi8(map.quarter[2], index, map.quarter[3]);
    return _mm512_mask_blend_epi8(_mm512_movepi8_mask(index), low, high);
}

__attribute__((target("avx512vbmi,avx512bw,avx512f")))
int ConvertAvx512(const ConvertMap *map, const unsigned char *in,
                  unsigned char *out, std::size_t count)
{
    const Map512 output = LoadMap512(map->output);
    const Map512 replaced = LoadMap512(map->replaced);
    __m512i anyReplaced = _mm512_setzero_si512();
    std::size_t i = 0;
    for (; i + 64 <= count; i += 64) {
        __m512i bytes = _mm512_loadu_si512(in + i);
        _mm512_storeu_si512(out + i, Lookup512(output, bytes));
        anyReplaced = _mm512_or_si512(anyReplaced, Lookup512(replaced, bytes));
    }
    if (i < count) {
        // Masked loads and stores touch only the bytes of the block; the
        // lanes beyond it must not contribute their flags either.
        __mmask64 live = ~0ULL >> (64 - (count - i));
        __m512i bytes = _mm512_maskz_loadu_epi8(live, in + i);
        _mm512_mask_storeu_epi8(out + i, live, Lookup512(output, bytes));
        anyReplaced = _mm512_or_si512(
            anyReplaced, _mm512_maskz_mov_epi8(live, Lookup512(replaced, bytes)));
    }
    return _mm512_test_epi8_mask(anyReplaced, anyReplaced) != 0;
}

// AVX2 has only 16-entry byte lookups (vpshufb, per 128-bit lane): look the
// low nibble up in all 16 rows of the map, then pick the row by bits 4-7
// with a tree of blends (bit 7 is where vpblendvb looks). The replaced flags are a 256-bit bitmap: its byte
// (bits 3-7 of the input) is looked up the same way, its bit by bits 0-2.
struct Map256 {
    __m256i row[16];
    __m256i flagBytes[2];  // bitmap bytes 0-15 and 16-31
};

__attribute__((target("avx2")))
inline __m256i Broadcast16(const unsigned char *bytes)
{
    return _mm256_broadcastsi128_si256(
        _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes)));
}

__attribute__((target("avx2")))
Map256 LoadMap256(const ConvertMap *map)
{
    Map256 vectors;
    for (int h = 0; h < 16; ++h)
        vectors.row[h] = Broadcast16(map->output + 16 * h);
    unsigned char bitmap[32] = {};
    for (unsigned byte = 0; byte < CodeCount; ++byte)
        if (map->replaced[byte])
            bitmap[byte >> 3] = static_cast<unsigned char>(bitmap[byte >> 3] | 1u << (byte & 7));
    vectors.flagBytes[0] = Broadcast16(bitmap);
    vectors.flagBytes[1] = Broadcast16(bitmap + 16);
    return vectors;
}

// Bit b of every byte moved to bit 7, where vpblendvb looks.
__attribute__((target("avx2")))
inline __m256i BitToTop(__m256i bytes, int bit)
{
    return _mm256_slli_epi16(bytes, 7 - bit);
}

// Rows h and h + 1 looked up, one picked by bit 4. Written out in full
// below, so that every value stays in a register.
__attribute__((target("avx2")))
inline __m256i RowPair(const Map256 &map, int h, __m256i lowNibble, __m256i bit4)
{
    return _mm256_blendv_epi8(_mm256_shuffle_epi8(map.row[h], lowNibble),
                              _mm256_shuffle_epi8(map.row[h + 1], lowNibble), bit4);
}

__attribute__((target("avx2")))
inline __m256i Lookup256(const Map256 &map, __m256i bytes)
{
    __m256i low = _mm256_and_si256(bytes, _mm256_set1_epi8(0x0F));
    __m256i bit4 = BitToTop(bytes, 4), bit5 = BitToTop(bytes, 5), bit6 = BitToTop(bytes, 6);
    __m256i rows0to3 = _mm256_blendv_epi8(RowPair(map, 0, low, bit4), RowPair(map, 2, low, bit4), bit5);
    __m256i rows4to7 = _mm256_blendv_epi8(RowPair(map, 4, low, bit4), RowPair(map, 6, low, bit4), bit5);
    __m256i rows8to11 = _mm256_blendv_epi8(RowPair(map, 8, low, bit4), RowPair(map, 10, low, bit4), bit5);
    __m256i rows12to15 = _mm256_blendv_epi8(RowPair(map, 12, low, bit4), RowPair(map, 14, low, bit4), bit5);
    return _mm256_blendv_epi8(_mm256_blendv_epi8(rows0to3, rows4to7, bit6),
                              _mm256_blendv_epi8(rows8to11, rows12to15, bit6), bytes);
}

__attribute__((target("avx2")))
inline __m256i ReplacedBits256(const Map256 &map, __m256i bytes)
{
    __m256i byteIndex = _mm256_and_si256(_mm256_srli_epi16(bytes, 3),
                                         _mm256_set1_epi8(0x0F));
    __m256i flagByte = _mm256_blendv_epi8(
        _mm256_shuffle_epi8(map.flagBytes[0], byteIndex),
        _mm256_shuffle_epi8(map.flagBytes[1], byteIndex), bytes);
    const __m256i bitValues = _mm256_setr_epi8(
        1, 2, 4, 8, 16, 32, 64, -128, 0, 0, 0, 0, 0, 0, 0, 0,
        1, 2, 4, 8, 16, 32, 64, -128, 0, 0, 0, 0, 0, 0, 0, 0);
    __m256i bit = _mm256_shuffle_epi8(
        bitValues, _mm256_and_si256(bytes, _mm256_set1_epi8(7)));
    return _mm256_and_si256(flagByte, bit);
}

__attribute__((target("avx2")))
int ConvertAvx2(const ConvertMap *map, const unsigned char *in,
                unsigned char *out, std::size_t count)
{
    const Map256 vectors = LoadMap256(map);
    __m256i anyReplaced = _mm256_setzero_si256();
    std::size_t i = 0;
    for (; i + 32 <= count; i += 32) {
        __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(in + i));
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(out + i), Lookup256(vectors, bytes));
        anyReplaced = _mm256_or_si256(anyReplaced, ReplacedBits256(vectors, bytes));
    }
    int replaced = !_mm256_testz_si256(anyReplaced, anyReplaced);
    return ConvertScalar(map, in + i, out + i, count - i) | replaced;
}

} // namespace

int BestPath()
{
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512vbmi") && __builtin_cpu_supports("avx512bw"))
        return PathAvx512;
    if (__builtin_cpu_supports("avx2"))
        return PathAvx2;
    return PathScalar;
}

int ChoosePath(const char *request)
{
    int best = BestPath();
    int wanted = best;
    if (request) {
        const std::string name = request;
        if (name == "scalar")
            wanted = PathScalar;
        else if (name == "avx2")
            wanted = PathAvx2;
    }
    return wanted < best ? wanted : best;
}

int ConvertBlock(const ConvertMap *map, const unsigned char *in,
                 unsigned char *out, std::size_t count, int path)
{
    if (path == PathAvx512)
        return ConvertAvx512(map, in, out, count);
    if (path == PathAvx2)
        return ConvertAvx2(map, in, out, count);
    return ConvertScalar(map, in, out, count);
}
