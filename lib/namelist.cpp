// Lookups on loaded name arrays: by code, by name, the code map, the dump.
#include "orvel.h"

#include <cstring>

namespace {

// An empty slot sorts after every name, so a sorted list whose names fill
// only its first slots is searched as if it ended there.
bool SortsBefore(const char *entry, const char *key)
{
    return entry && std::strcmp(entry, key) < 0;
}

std::uint16_t FindInSortedList(const char *name, char *const *names,
                               const std::uint16_t *codes, std::uint16_t count)
{
    // Lower bound over all count entries, index 0 included.
    unsigned lo = 0, hi = count;
    while (lo < hi) {
        unsigned mid = lo + (hi - lo) / 2;
        if (SortsBefore(names[mid], name))
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo < count && names[lo] && std::strcmp(names[lo], name) == 0)
        return codes[lo];
    return BAD;
}

} // namespace

std::uint16_t FindCode(const char *name, char *const *names,
                       const std::uint16_t *codes, std::uint16_t count)
{
    if (!name || !name[0])
        return BAD;
    if (codes)
        return FindInSortedList(name, names, codes, count);
    for (unsigned i = 0; i < count; ++i)
        if (names[i] && std::strcmp(names[i], name) == 0)
            return static_cast<std::uint16_t>(i);
    return BAD;
}

void MapNames(char *const *srcNames, std::uint16_t srcCount,
              char *const *dstNames, std::uint16_t dstCount,
              const std::uint16_t *dstCodes, std::uint16_t *codeMap)
{
    for (unsigned i = 0; i < srcCount; ++i)
        codeMap[i] = FindCode(srcNames[i], dstNames, dstCodes, dstCount);
}

void DumpNames(std::FILE *out, const char *title, char *const *names,
               const std::uint16_t *codes, std::uint16_t count)
{
    std::fprintf(out, "\nFile: %s\n\n", title);
    for (unsigned i = 0; i < count; ++i)
        if (names[i])
            std::fprintf(out, "%04X: '%s'\n", codes ? codes[i] : i, names[i]);
}

// An empty slot sorts after every name, as the lookup takes it: empty slots
// may end the list, but a name after one is out of order.
int CheckSortedList(const char *name, char *const *names, std::uint16_t count)
{
    const char *previous = nullptr;
    bool gap = false;
    for (unsigned i = 0; i < count; ++i) {
        if (!names[i]) {
            gap = true;
            continue;
        }
        if (gap || (previous && std::strcmp(previous, names[i]) > 0)) {
            std::fprintf(stderr, "%s: code file %s is out of order in line %u\n",
                         ProgramName, StorePath("cedf", name).c_str(), i + 5);
            return StatusBadSyntax;
        }
        previous = names[i];
    }
    return StatusOk;
}
