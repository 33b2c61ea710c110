// Reads character names and blocks from the Unicode Character Database and
// chooses the iso10646 names list.
#include "mkstore.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr std::uint32_t BmpSize = 0x10000;

// ISO 6429 abbreviations: C0, then C1.
const char *const C0Names[32] = {
    "NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL",
    "BS",  "HT",  "LF",  "VT",  "FF",  "CR",  "SO",  "SI",
    "DLE", "DC1", "DC2", "DC3", "DC4", "NAK", "SYN", "ETB",
    "CAN", "EM",  "SUB", "ESC", "IS4", "IS3", "IS2", "IS1",
};
const char *const C1Names[32] = {
    "PAD", "HOP", "BPH", "NBH", "IND", "NEL", "SSA", "ESA",
    "HTS", "HTJ", "VTS", "PLD", "PLU", "RI",  "SS2", "SS3",
    "DCS", "PU1", "PU2", "STS", "CCH", "MW",  "SPA", "EPA",
    "SOS", "SGC", "SCI", "CSI", "ST",  "OSC", "PM",  "APC",
};

struct Block {
    std::uint32_t first, last;
    std::string name;
};

std::string Names[BmpSize];  // Unicode names of the BMP, "" when none
std::vector<Block> Blocks;
char Version[32];

// Names such as CJK COMPATIBILITY IDEOGRAPH-F900 only spell the code point.
bool IsDerivedName(const std::string &name, std::uint32_t cp) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "-%04X", cp);
    size_t n = std::strlen(suffix);
    return name.size() > n && name.compare(name.size() - n, n, suffix) == 0;
}

// A missing database is an error, never an empty one.
FILE *OpenUcdFile(const char *dir, const char *file) {
    std::string path = std::string(dir) + "/" + file;
    FILE *f = std::fopen(path.c_str(), "r");
    if (!f)
        std::fprintf(stderr, "mkstore: cannot open %s (install unicode-data)\n",
                     path.c_str());
    return f;
}

int ReadNames(const char *dir) {
    FILE *f = OpenUcdFile(dir, "UnicodeData.txt");
    if (!f)
        return 1;
    char line[512];
    int status = 0;
    while (status == 0 && std::fgets(line, sizeof line, f)) {
        unsigned cp;
        char name[256];
        if (std::sscanf(line, "%x;%255[^;]", &cp, name) != 2 || cp >= BmpSize)
            continue;
        if (name[0] == '<' || IsDerivedName(name, cp))
            continue;  // controls, ranges and code-point names
        if (std::strlen(name) > size_t(MaxNameLength) || std::strchr(name, '(')) {
            std::fprintf(stderr, "mkstore: U+%04X: name unfit for the reader: %s\n", cp,
                         name);
            status = 1;
        }
        Names[cp] = name;
    }
    std::fclose(f);
    return status;
}

int ReadBlocks(const char *dir) {
    FILE *f = OpenUcdFile(dir, "Blocks.txt");
    if (!f)
        return 1;
    char line[512];
    while (std::fgets(line, sizeof line, f)) {
        unsigned first, last;
        char name[256];
        if (std::sscanf(line, "# Blocks-%31[0-9.].txt", Version) == 1)
            continue;
        if (std::sscanf(line, "%x..%x; %255[^\n]", &first, &last, name) == 3 &&
            first < BmpSize)
            Blocks.push_back({first, last, name});
    }
    std::fclose(f);
    // Version[] ends in the "." before "txt" when the scan stops there.
    size_t n = std::strlen(Version);
    if (n > 0 && Version[n - 1] == '.')
        Version[n - 1] = '\0';
    if (Version[0] == '\0' || Blocks.empty()) {
        std::fprintf(stderr, "mkstore: %s/Blocks.txt: no version or no blocks\n", dir);
        return 1;
    }
    return 0;
}

const Block *FindBlock(std::uint32_t cp) {
    for (const Block &b : Blocks)
        if (cp >= b.first && cp <= b.last)
            return &b;
    return nullptr;
}

}  // namespace

int ReadUnicode(const char *dir) {
    if (ReadNames(dir) != 0)
        return 1;
    return ReadBlocks(dir);
}

const char *UnicodeVersion() { return Version; }

bool IsPrivateUse(std::uint32_t cp) { return cp >= 0xE000 && cp <= 0xF8FF; }

const char *CharName(std::uint32_t cp) {
    if (cp < 0x20)
        return C0Names[cp];
    if (cp == 0x7F)
        return "DEL";
    if (cp >= 0x80 && cp < 0xA0)
        return C1Names[cp - 0x80];
    if (cp >= BmpSize || Names[cp].empty())
        return nullptr;
    return Names[cp].c_str();
}

const char *BlockName(std::uint32_t cp) {
    const Block *b = FindBlock(cp);
    return b ? b->name.c_str() : "No block";
}

// (1) the named code points in use, (2) the other named characters of their
// blocks, (3) named BMP characters in ascending order up to ListSize.
int ChooseNamesList(const bool used[BmpSize], std::vector<std::uint32_t> &chosen,
                    ListStats &stats) {
    static bool taken[BmpSize];
    stats = ListStats{0, 0, 0, 0};
    for (std::uint32_t cp = 0; cp < BmpSize; ++cp) {
        if (used[cp] && CharName(cp)) {
            taken[cp] = true;
            chosen.push_back(cp);
        }
    }
    stats.used = int(chosen.size());
    for (const Block &b : Blocks) {
        bool touched = false;
        for (std::uint32_t cp = b.first; cp <= b.last && !touched; ++cp)
            touched = used[cp] && CharName(cp);
        if (!touched)
            continue;
        ++stats.blocks;
        for (std::uint32_t cp = b.first; cp <= b.last; ++cp) {
            if (!taken[cp] && CharName(cp)) {
                taken[cp] = true;
                chosen.push_back(cp);
            }
        }
    }
    stats.withBlocks = int(chosen.size());
    if (stats.withBlocks > ListSize) {
        std::fprintf(stderr, "mkstore: %d names in the blocks in use, more than %d\n",
                     stats.withBlocks, ListSize);
        return 1;
    }
    for (std::uint32_t cp = 0; cp < BmpSize && int(chosen.size()) < ListSize; ++cp) {
        if (!taken[cp] && CharName(cp)) {
            taken[cp] = true;
            chosen.push_back(cp);
            stats.lastFill = cp;
        }
    }
    if (int(chosen.size()) != ListSize) {
        std::fprintf(stderr, "mkstore: only %zu named BMP characters\n", chosen.size());
        return 1;
    }
    std::sort(chosen.begin(), chosen.end(), [](std::uint32_t a, std::uint32_t b) {
        return std::strcmp(CharName(a), CharName(b)) < 0;
    });
    for (size_t i = 1; i < chosen.size(); ++i) {
        if (std::strcmp(CharName(chosen[i - 1]), CharName(chosen[i])) == 0) {
            std::fprintf(stderr, "mkstore: U+%04X and U+%04X share the name %s\n",
                         chosen[i - 1], chosen[i], CharName(chosen[i]));
            return 1;
        }
    }
    return 0;
}
