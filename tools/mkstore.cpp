// mkstore: writes every description file of the store, and the iso10646
// names list, from glibc iconv and the Unicode Character Database.
//
//   mkstore [-r] OUTDIR [UCDDIR [GCONVDIR]]
//
// OUTDIR must be empty or absent, so that no stale file survives. With -r
// it prints the counts, families, exclusions and duplicate names in
// markdown for data/README.md. The output depends only on the installed
// glibc and Unicode data: names are sorted, nothing records the date.
#include "mkstore.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#ifndef MKSTORE_UCD_DIR
#define MKSTORE_UCD_DIR "/usr/share/unicode"
#endif
#ifndef MKSTORE_GCONV_DIR
#define MKSTORE_GCONV_DIR "/usr/lib/x86_64-linux-gnu/gconv"
#endif

// File names are the glibc names in lower case (ASCII only, no locale).
std::string LowerCase(std::string text) {
    for (char &c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return text;
}

namespace {

// The IBM PC shows the bytes 01-1F and 7F of code page 437 as these.
const std::uint16_t Ibm437Graphics[32] = {
    0x0000, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022,
    0x25D8, 0x25CB, 0x25D9, 0x2642, 0x2640, 0x266A, 0x266B, 0x263C,
    0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC, 0x21A8,
    0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC,
};
const std::uint16_t Ibm437House = 0x2302;

// Names people type that glibc does not know, with their glibc code.
const char *const ExtraAliases[][2] = {
    {"MACROMAN", "MACINTOSH"},
};

struct Header {
    std::string line[4];
};

bool AllDigits(const std::string &s, size_t from) {
    if (from >= s.size())
        return false;
    for (size_t i = from; i < s.size(); ++i)
        if (s[i] < '0' || s[i] > '9')
            return false;
    return true;
}

// The glibc aliases that get a file of their own: the forms people type.
bool WantsAliasFile(const std::string &lower) {
    const char *const prefixes[] = {"cp", "windows-", "iso8859-", "latin"};
    for (const char *p : prefixes) {
        size_t n = std::strlen(p);
        if (lower.compare(0, n, p) == 0 && AllDigits(lower, n))
            return true;
    }
    return lower == "ascii" || lower == "us-ascii" || lower == "mac";
}

std::string GlibcTag() { return std::string("glibc ") + GlibcVersion() + " iconv"; }

std::string NamesLine() {
    return std::string("Names of Unicode ") + UnicodeVersion() +
           ", controls by ISO 6429 abbreviations";
}

std::string DecodedLine(const Charset &cs) {
    return "Bytes decoded by " + GlibcTag() + " from " + cs.name + " to UTF-32";
}

// "Aliases: A B C", with as many names as fit and a count of the rest.
std::string AliasesLine(const Charset &cs) {
    std::string line = "Aliases:";
    if (cs.aliases.empty())
        return line + " none";
    for (size_t i = 0; i < cs.aliases.size(); ++i) {
        size_t rest = cs.aliases.size() - i - 1;
        std::string more = rest ? " +" + std::to_string(rest) + " more" : "";
        if (line.size() + 1 + cs.aliases[i].size() + more.size() > size_t(MaxHeaderLine)) {
            line += " +" + std::to_string(cs.aliases.size() - i) + " more";
            break;
        }
        line += " " + cs.aliases[i];
    }
    return line;
}

Header CanonicalHeader(const Charset &cs) {
    return {{cs.name + " " + CharsetTitle(cs), DecodedLine(cs), NamesLine(),
             AliasesLine(cs)}};
}

Header AliasHeader(const AliasFile &a) {
    std::string says = a.glibcAlias
        ? a.shownName + " is a " + GlibcTag() + " alias of " + a.target->name
        : a.shownName + " is a common name of " + a.target->name + ", not a glibc one";
    return {{a.shownName + " " + CharsetTitle(*a.target), says, DecodedLine(*a.target),
             NamesLine()}};
}

int CheckHeader(const std::string &file, const Header &h) {
    for (const std::string &line : h.line) {
        if (line.size() > size_t(MaxHeaderLine) || line.empty()) {
            std::fprintf(stderr, "mkstore: %s: header line of %zu characters: %s\n",
                         file.c_str(), line.size(), line.c_str());
            return 1;
        }
    }
    return 0;
}

// Opens OUTDIR/file for writing after checking the header.
FILE *CreateFile(const std::string &dir, const std::string &file, const Header &h) {
    if (CheckHeader(file, h) != 0)
        return nullptr;
    std::string path = dir + "/" + file;
    FILE *f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "mkstore: cannot create %s: %s\n", path.c_str(),
                     std::strerror(errno));
        return nullptr;
    }
    for (const std::string &line : h.line)
        std::fprintf(f, "%s\n", line.c_str());
    return f;
}

int CloseFile(FILE *f, const std::string &file) {
    if (std::ferror(f) | std::fclose(f)) {
        std::fprintf(stderr, "mkstore: cannot write %s\n", file.c_str());
        return 1;
    }
    return 0;
}

// The name that byte b of the table gets, or null for a code-only line.
const char *ByteName(const std::uint32_t table[ByteCount], int b) {
    std::uint32_t cp = table[b];
    if (cp == NoChar || IsPrivateUse(cp))
        return nullptr;
    return CharName(cp);
}

int WriteCodeFile(const std::string &dir, const std::string &file, const Header &h,
                  const std::uint32_t table[ByteCount]) {
    FILE *f = CreateFile(dir, file, h);
    if (!f)
        return 1;
    for (int b = 0; b < ByteCount; ++b) {
        const char *name = ByteName(table, b);
        if (name)
            std::fprintf(f, "%02X\t%s\n", b, name);
        else
            std::fprintf(f, "%02X\n", b);
    }
    return CloseFile(f, file);
}

int WriteAliasFile(const std::string &dir, const AliasFile &a) {
    FILE *f = CreateFile(dir, a.file, AliasHeader(a));
    if (!f)
        return 1;
    std::fprintf(f, "#include %s\n", LowerCase(a.target->name).c_str());
    return CloseFile(f, a.file);
}

void Ibm437GraphicTable(const Charset &ibm437, std::uint32_t table[ByteCount]) {
    std::copy(ibm437.table, ibm437.table + ByteCount, table);
    for (int b = 1; b < 32; ++b)
        table[b] = Ibm437Graphics[b];
    table[0x7F] = Ibm437House;
}

Header Ibm437GraphicHeader(const Charset &ibm437) {
    return {{"IBM437-GRAPHIC IBM PC code page 437 as its screen shows it",
             DecodedLine(ibm437), "but 01-1F and 7F as the graphic characters the PC shows",
             NamesLine()}};
}

int WriteNamesList(const std::string &dir, const std::vector<std::uint32_t> &chosen) {
    Header h = {{"ISO10646 ISO/IEC 10646 names list, " + std::to_string(ListSize) +
                     " characters of the BMP",
                 NamesLine(), "Sorted by name in strcmp byte order, for lookup by bisection",
                 "Chosen by the rule of data/README.md: codes, blocks, fill"}};
    FILE *f = CreateFile(dir, "iso10646", h);
    if (!f)
        return 1;
    for (std::uint32_t cp : chosen)
        std::fprintf(f, "%04X\t%s\n", cp, CharName(cp));
    return CloseFile(f, "iso10646");
}

// The alias files: the typed glibc aliases and the extra names.
int ChooseAliasFiles(const std::vector<Charset> &charsets, std::vector<AliasFile> &files) {
    for (const Charset &cs : charsets)
        for (const std::string &a : cs.aliases)
            if (WantsAliasFile(LowerCase(a)))
                files.push_back({LowerCase(a), a, &cs, true});
    for (const auto &extra : ExtraAliases) {
        const Charset *target = nullptr;
        for (const Charset &cs : charsets)
            if (cs.name == extra[1])
                target = &cs;
        if (!target) {
            std::fprintf(stderr, "mkstore: %s: no code %s\n", extra[0], extra[1]);
            return 1;
        }
        files.push_back({LowerCase(extra[0]), extra[0], target, false});
    }
    std::sort(files.begin(), files.end(),
              [](const AliasFile &x, const AliasFile &y) { return x.file < y.file; });
    for (const AliasFile &a : files) {
        for (const Charset &cs : charsets) {
            if (LowerCase(cs.name) == a.file) {
                std::fprintf(stderr, "mkstore: alias %s is a code's own name\n",
                             a.file.c_str());
                return 1;
            }
        }
    }
    return 0;
}

int PrepareOutDir(const std::string &dir) {
    if (mkdir(dir.c_str(), 0777) != 0 && errno != EEXIST) {
        std::fprintf(stderr, "mkstore: cannot create %s: %s\n", dir.c_str(),
                     std::strerror(errno));
        return 1;
    }
    DIR *d = opendir(dir.c_str());
    if (!d) {
        std::fprintf(stderr, "mkstore: cannot read %s\n", dir.c_str());
        return 1;
    }
    int entries = 0;
    while (dirent *e = readdir(d))
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
            ++entries;
    closedir(d);
    if (entries != 0) {
        std::fprintf(stderr, "mkstore: %s is not empty; remove it first\n", dir.c_str());
        return 1;
    }
    return 0;
}

void MarkUsed(const std::uint32_t table[ByteCount], bool used[0x10000]) {
    for (int b = 0; b < ByteCount; ++b)
        if (table[b] <= 0xFFFF && !IsPrivateUse(table[b]))
            used[table[b]] = true;
}

}  // namespace

int main(int argc, char **argv) {
    bool report = argc > 1 && std::strcmp(argv[1], "-r") == 0;
    int first = report ? 2 : 1;
    if (argc - first < 1 || argc - first > 3) {
        std::fprintf(stderr, "Syntax: mkstore [-r] outdir [ucd-dir [gconv-dir]]\n");
        return 2;
    }
    std::string outDir = argv[first];
    const char *ucdDir = argc - first > 1 ? argv[first + 1] : MKSTORE_UCD_DIR;
    const char *gconvDir = argc - first > 2 ? argv[first + 2] : MKSTORE_GCONV_DIR;

    static std::vector<Charset> charsets;
    static std::vector<Exclusion> excluded;
    static std::vector<AliasFile> aliasFiles;
    static std::vector<std::uint32_t> chosen;
    static bool used[0x10000];
    int namesListed = 0;
    if (ReadUnicode(ucdDir) != 0 ||
        ProbeCharsets(gconvDir, charsets, excluded, namesListed) != 0 ||
        ChooseAliasFiles(charsets, aliasFiles) != 0 || PrepareOutDir(outDir) != 0)
        return 1;

    const Charset *ibm437 = nullptr;
    int status = 0;
    for (const Charset &cs : charsets) {
        MarkUsed(cs.table, used);
        status |= WriteCodeFile(outDir, LowerCase(cs.name), CanonicalHeader(cs), cs.table);
        if (cs.name == "IBM437")
            ibm437 = &cs;
    }
    if (!ibm437) {
        std::fprintf(stderr, "mkstore: glibc has no IBM437\n");
        return 1;
    }
    std::uint32_t graphic[ByteCount];
    Ibm437GraphicTable(*ibm437, graphic);
    MarkUsed(graphic, used);
    status |= WriteCodeFile(outDir, "ibm437-graphic", Ibm437GraphicHeader(*ibm437), graphic);
    for (const AliasFile &a : aliasFiles)
        status |= WriteAliasFile(outDir, a);

    ListStats stats;
    if (status != 0 || ChooseNamesList(used, chosen, stats) != 0 ||
        WriteNamesList(outDir, chosen) != 0)
        return 1;
    std::printf("mkstore: %d of %d iconv names qualify: %zu codes, %zu alias files, "
                "iso10646 with %d names\n",
                namesListed - int(excluded.size()), namesListed, charsets.size(),
                aliasFiles.size(), ListSize);
    if (report)
        PrintReport(namesListed, charsets, excluded, aliasFiles, stats);
    return 0;
}
