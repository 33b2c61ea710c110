// mkstore: writes the store's description files from glibc iconv and the
// Unicode Character Database. Shared declarations of its modules.
#ifndef MKSTORE_H
#define MKSTORE_H

#include <cstdint>
#include <string>
#include <vector>

// A byte that decodes to no character.
constexpr std::uint32_t NoChar = 0xFFFFFFFF;
constexpr int ByteCount = 256;
constexpr int ListSize = 6542;      // entries of the iso10646 names list
constexpr int MaxHeaderLine = 69;   // so that generated boxes stay aligned
constexpr int MaxNameLength = 98;   // longest name field the reader takes

// One canonical glibc charset that qualifies as an 8-bit code.
struct Charset {
    std::string name;                  // glibc canonical name, upper case
    std::vector<std::string> aliases;  // other qualifying iconv names, sorted
    std::uint32_t table[ByteCount];    // code point of each byte, or NoChar
};

// One name of `iconv -l` that does not qualify, with the reason.
struct Exclusion {
    std::string name;
    std::string canonical;
    std::string reason;
};

// An alias file: its file name and the canonical charset it includes.
struct AliasFile {
    std::string file;       // lower case
    std::string shownName;  // the name as glibc spells it (or as people do)
    const Charset *target;
    bool glibcAlias;        // false for a name glibc does not know
};

// mkstore.cpp
std::string LowerCase(std::string text);

// ucd.cpp: the Unicode Character Database.
int ReadUnicode(const char *dir);
const char *UnicodeVersion();
// The name a description file gives to code point cp: the ISO 6429
// abbreviation of a control, the Unicode name, or null (private use,
// unassigned, or a name derived from the code point).
const char *CharName(std::uint32_t cp);
bool IsPrivateUse(std::uint32_t cp);
// How the names list came about, for the report.
struct ListStats {
    int used;         // step 1: code points the shipped codes use
    int blocks;       // blocks that step 1 touches
    int withBlocks;   // entries after step 2
    std::uint32_t lastFill;  // the last code point that step 3 took
};
// Chooses the names list from the code points that the shipped codes use,
// sorted by name. Returns 0, or 1 after a message when the rule cannot give
// ListSize distinct names.
int ChooseNamesList(const bool used[0x10000], std::vector<std::uint32_t> &chosen,
                    ListStats &stats);
const char *BlockName(std::uint32_t cp);

// charsets.cpp: listing and probing glibc iconv.
int ProbeCharsets(const char *gconvDir, std::vector<Charset> &charsets,
                  std::vector<Exclusion> &excluded, int &namesListed);
const char *GlibcVersion();

// titles.cpp: human titles and families of the canonical charsets.
std::string CharsetTitle(const Charset &cs);
const char *CharsetFamily(const Charset &cs);
extern const char *const FamilyOrder[];
extern const int FamilyCount;

// report.cpp: the markdown report for data/README.md.
void PrintReport(int namesListed, const std::vector<Charset> &charsets,
                 const std::vector<Exclusion> &excluded,
                 const std::vector<AliasFile> &aliasFiles, const ListStats &stats);

#endif
