// The generator's report: what it shipped, what it left out and why, in
// markdown for data/README.md.
#include "mkstore.h"

#include <cstdio>
#include <map>

namespace {

void PrintFamilies(const std::vector<Charset> &charsets) {
    std::printf("| family | codes | description files |\n|---|---|---|\n");
    for (int f = 0; f < FamilyCount; ++f) {
        std::string files;
        int count = 0;
        for (const Charset &cs : charsets) {
            if (CharsetFamily(cs) != FamilyOrder[f])
                continue;
            files += (count++ ? ", " : "") + LowerCase(cs.name);
        }
        std::printf("| %s | %d | %s |\n", FamilyOrder[f], count, files.c_str());
    }
}

void PrintAliasFiles(const std::vector<AliasFile> &aliasFiles) {
    std::printf("\nAlias files (%zu), each including its code:\n\n", aliasFiles.size());
    std::string line;
    for (const AliasFile &a : aliasFiles)
        line += (line.empty() ? "" : ", ") + a.file + " → " + LowerCase(a.target->name);
    std::printf("%s\n", line.c_str());
}

// Groups the excluded names by glibc canonical name; the reason shown is the
// canonical name's own, or the first member's.
void PrintExclusions(const std::vector<Exclusion> &excluded) {
    std::map<std::string, std::vector<const Exclusion *>> groups;
    for (const Exclusion &e : excluded)
        groups[e.canonical.empty() ? e.name : e.canonical].push_back(&e);
    std::printf("\nExcluded: %zu names, %zu charsets.\n\n", excluded.size(), groups.size());
    std::printf("| charset | names | why |\n|---|---|---|\n");
    for (const auto &[canon, list] : groups) {
        const Exclusion *shown = list.front();
        std::string names;
        for (const Exclusion *e : list) {
            names += (names.empty() ? "" : " ") + e->name;
            if (e->name == canon)
                shown = e;
        }
        std::printf("| %s | %s | %s |\n", canon.c_str(), names.c_str(),
                    shown->reason.c_str());
    }
}

void PrintByteNotes(const std::vector<Charset> &charsets) {
    std::printf("\nCodes with private-use bytes (code-only lines, like every byte that "
                "iconv rejects):\n\n");
    for (const Charset &cs : charsets) {
        int none = 0, priv = 0, unnamed = 0;
        for (int b = 0; b < ByteCount; ++b) {
            std::uint32_t cp = cs.table[b];
            if (cp == NoChar)
                ++none;
            else if (IsPrivateUse(cp))
                ++priv;
            else if (!CharName(cp))
                ++unnamed;
        }
        if (priv || unnamed)
            std::printf("- %s: %d undecodable, %d private use, %d unnamed\n",
                        LowerCase(cs.name).c_str(), none, priv, unnamed);
    }
}

void PrintDuplicates(const std::vector<Charset> &charsets) {
    std::printf("\nCodes in which two bytes stand for one character "
                "(byte/byte, code point):\n\n");
    for (const Charset &cs : charsets) {
        std::string pairs;
        int count = 0;
        for (int a = 0; a < ByteCount; ++a) {
            for (int b = a + 1; b < ByteCount; ++b) {
                std::uint32_t cp = cs.table[a];
                if (cp == NoChar || cp != cs.table[b] || IsPrivateUse(cp) || !CharName(cp))
                    continue;
                char text[32];
                std::snprintf(text, sizeof text, "%s%02X/%02X U+%04X", count ? ", " : "", a,
                              b, cp);
                pairs += text;
                ++count;
            }
        }
        if (count)
            std::printf("- %s (%d): %s\n", LowerCase(cs.name).c_str(), count, pairs.c_str());
    }
}

}  // namespace

void PrintReport(int namesListed, const std::vector<Charset> &charsets,
                 const std::vector<Exclusion> &excluded,
                 const std::vector<AliasFile> &aliasFiles, const ListStats &stats) {
    std::printf("\nglibc %s, Unicode %s: iconv -l lists %d names; %d qualify, "
                "%zu canonical codes.\n\n",
                GlibcVersion(), UnicodeVersion(), namesListed,
                namesListed - int(excluded.size()), charsets.size());
    PrintFamilies(charsets);
    PrintAliasFiles(aliasFiles);
    PrintExclusions(excluded);
    PrintByteNotes(charsets);
    PrintDuplicates(charsets);
    std::printf("\nNames list: step 1 gives %d code points in %d blocks; step 2 "
                "brings it to %d; step 3 fills up to U+%04X (%s).\n",
                stats.used, stats.blocks, stats.withBlocks, stats.lastFill,
                BlockName(stats.lastFill));
}
