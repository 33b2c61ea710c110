// The converter's core: its command line, the byte map built from two
// binary tables, and the block conversion through that map.
#ifndef ORVEL_CNV_CONVERT_H
#define ORVEL_CNV_CONVERT_H

#include <cstddef>
#include <cstdint>

#include "orvel.h"

// --- Command line ---------------------------------------------------------

struct CnvArgs {
    const char *source;        // table names, null until given
    const char *target;
    const char *input;         // positional paths, null when absent
    const char *output;
    unsigned char replacement; // written for a byte without equivalent
};

// Fills args from argv[1..argc-1] (preset first, so a run that stopped
// early leaves what it had accepted). Returns 0, or 2 for a wrong command
// line. Writes nothing.
int ParseCnvArgs(int argc, char *const *argv, CnvArgs *args);

// The banner: notice line, program identity, and the two encodings when
// both table names are known.
void ShowBanner(const CnvArgs *args);

// The usage report of a wrong command line: banner and syntax line.
void WriteUsage(const CnvArgs *args);

// --- Conversion -----------------------------------------------------------

// The plain rule for one byte: its Unicode value from the source table,
// then the lowest target index that holds the same value. Sets *replaced
// and yields the replacement byte when the source entry is BAD or no
// target entry matches.
unsigned char ConvertByteByRule(const std::uint16_t source[CodeCount],
                                const std::uint16_t target[CodeCount],
                                unsigned char replacement, unsigned char byte,
                                int *replaced);

// The plain rule applied byte after byte; returns 1 if a byte was
// replaced, else 0. The reference the fast path is measured against.
int ConvertBlockByRule(const std::uint16_t source[CodeCount],
                       const std::uint16_t target[CodeCount],
                       unsigned char replacement, const unsigned char *in,
                       unsigned char *out, std::size_t count);

// The rule evaluated once for every byte value.
struct ConvertMap {
    unsigned char output[CodeCount];   // the byte written for each input byte
    unsigned char replaced[CodeCount]; // 1 where that byte is a replacement
};

void BuildConvertMap(const std::uint16_t source[CodeCount],
                     const std::uint16_t target[CodeCount],
                     unsigned char replacement, ConvertMap *map);

// Implementations of the block conversion, slowest first.
constexpr int PathScalar = 0;
constexpr int PathAvx2 = 1;
constexpr int PathAvx512 = 2;  // AVX-512 VBMI

// The fastest path this processor runs.
int BestPath();

// The path to use: the best one, or the one a request names ("scalar",
// "avx2", "avx512"; null or anything else asks for the best). A request
// beyond what the processor runs gets the best path it does run.
int ChoosePath(const char *request);

// Converts count bytes through the map with the given path (one that
// ChoosePath returned). in and out may be the same buffer. Returns 1 if a
// byte was replaced, else 0: the same bytes and result on every path.
int ConvertBlock(const ConvertMap *map, const unsigned char *in,
                 unsigned char *out, std::size_t count, int path);

#endif
