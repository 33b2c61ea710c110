// Lists the charsets of glibc iconv, probes which of them are 8-bit codes,
// and merges aliases into their canonical glibc names.
#include "mkstore.h"

#include <gnu/libc-version.h>
#include <iconv.h>
#include <dirent.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>

namespace {

// glibc builds ASCII in; its aliases are in no configuration file.
const char BuiltinAscii[] = "ANSI_X3.4-1968";
const char *const BuiltinAsciiAliases[] = {
    "ANSI_X3.4", "ANSI_X3.4-1986", "ASCII", "CP367", "CSASCII", "IBM367",
    "ISO-IR-6", "ISO646-US", "ISO_646.IRV:1991", "OSF00010020", "US",
    "US-ASCII",
};

std::map<std::string, std::string> AliasOf;  // alias -> module name
std::set<std::string> ModuleNames;

enum ProbeResult {
    ProbeOk,
    ProbeNoOpen,      // iconv_open refuses the name
    ProbeIncomplete,  // a byte alone is an incomplete multi-byte sequence
    ProbeMulti,       // a byte gives more than one character
    ProbeNonBmp,      // a byte gives a character beyond the BMP
    ProbePair         // two bytes decode unlike the two bytes alone
};

std::string StripSlashes(std::string name) {
    while (!name.empty() && name.back() == '/')
        name.pop_back();
    return name;
}

std::string Upper(std::string text) {
    for (char &c : text)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return text;
}

// Reads one gconv-modules file: "alias FROM TO" and "module FROM TO ...".
// The first definition of an alias wins, as in glibc.
void ReadGconvFile(const std::string &path) {
    FILE *f = std::fopen(path.c_str(), "r");
    if (!f)
        return;
    char line[512], word[3][256];
    while (std::fgets(line, sizeof line, f)) {
        if (std::sscanf(line, "%255s %255s %255s", word[0], word[1], word[2]) != 3)
            continue;
        std::string from = Upper(StripSlashes(word[1]));
        std::string to = Upper(StripSlashes(word[2]));
        if (std::strcmp(word[0], "alias") == 0)
            AliasOf.emplace(from, to);
        else if (std::strcmp(word[0], "module") == 0 && to == "INTERNAL")
            ModuleNames.insert(from);
    }
    std::fclose(f);
}

// Reads gconv-modules, then the *.conf files of gconv-modules.d in name order.
void ReadGconvConfig(const char *dir) {
    ReadGconvFile(std::string(dir) + "/gconv-modules");
    std::string sub = std::string(dir) + "/gconv-modules.d";
    std::vector<std::string> confs;
    if (DIR *d = opendir(sub.c_str())) {
        while (dirent *e = readdir(d)) {
            std::string n = e->d_name;
            if (n.size() > 5 && n.compare(n.size() - 5, 5, ".conf") == 0)
                confs.push_back(n);
        }
        closedir(d);
    }
    std::sort(confs.begin(), confs.end());
    for (const std::string &n : confs)
        ReadGconvFile(sub + "/" + n);
}

// The glibc canonical name of an iconv name, or "" when glibc's
// configuration does not know it.
std::string CanonicalName(const std::string &name) {
    if (ModuleNames.count(name))
        return name;
    auto it = AliasOf.find(name);
    if (it != AliasOf.end())
        return it->second;
    if (name == BuiltinAscii)
        return name;
    for (const char *a : BuiltinAsciiAliases)
        if (name == a)
            return BuiltinAscii;
    return "";
}

// The names that `iconv -l` lists, sorted.
int ListIconvNames(std::vector<std::string> &names) {
    FILE *p = popen("LC_ALL=C iconv -l", "r");
    if (!p) {
        std::fprintf(stderr, "mkstore: cannot run iconv -l\n");
        return 1;
    }
    char line[512];
    while (std::fgets(line, sizeof line, p)) {
        // One name per line when the output is no terminal; be lenient
        // about the comma-separated form too.
        for (char *tok = std::strtok(line, ", \n"); tok; tok = std::strtok(nullptr, ", \n"))
            names.push_back(StripSlashes(tok));
    }
    if (pclose(p) != 0) {
        std::fprintf(stderr, "mkstore: iconv -l failed\n");
        return 1;
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return 0;
}

// Decodes in[0..len) to code points. A byte that iconv rejects (EILSEQ) is
// skipped; *incomplete is set when the input ends inside a sequence.
int Decode(iconv_t cd, const unsigned char *in, size_t len, std::uint32_t *cps,
           int cap, bool *incomplete) {
    char out[64];
    char *ip = const_cast<char *>(reinterpret_cast<const char *>(in));
    size_t il = len;
    char *op = out;
    size_t ol = sizeof out;
    *incomplete = false;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    while (il > 0) {
        if (iconv(cd, &ip, &il, &op, &ol) != size_t(-1))
            break;
        if (errno == EILSEQ) {
            // Skip the rejected byte, unless the converter consumed it
            // already (ISO-2022-CN-EXT does for a lone SO).
            if (il == 0)
                break;
            ++ip;
            --il;
        } else if (errno == EINVAL) {
            *incomplete = true;
            break;
        } else {
            return -1;
        }
    }
    iconv(cd, nullptr, nullptr, &op, &ol);
    int n = int(op - out) / 4;
    if (n > cap)
        return -1;
    const unsigned char *b = reinterpret_cast<const unsigned char *>(out);
    for (int i = 0; i < n; ++i, b += 4)
        cps[i] = b[0] | b[1] << 8 | b[2] << 16 | std::uint32_t(b[3]) << 24;
    return n;
}

// Decodes every byte alone into table[], then checks every ordered pair.
ProbeResult ProbeName(const std::string &name, std::uint32_t table[ByteCount],
                      std::string &detail) {
    iconv_t cd = iconv_open("UTF-32LE", name.c_str());
    if (cd == iconv_t(-1))
        return ProbeNoOpen;
    char text[96];
    ProbeResult result = ProbeOk;
    for (int b = 0; b < ByteCount && result == ProbeOk; ++b) {
        unsigned char byte = static_cast<unsigned char>(b);
        std::uint32_t cps[8];
        bool incomplete;
        int n = Decode(cd, &byte, 1, cps, 8, &incomplete);
        table[b] = n == 1 ? cps[0] : NoChar;
        std::snprintf(text, sizeof text, "byte 0x%02X", b);
        if (incomplete)
            result = ProbeIncomplete;
        else if (n < 0 || n > 1)
            result = ProbeMulti;
        else if (n == 1 && cps[0] > 0xFFFF)
            result = ProbeNonBmp;
    }
    for (int a = 0; a < ByteCount && result == ProbeOk; ++a) {
        for (int b = 0; b < ByteCount && result == ProbeOk; ++b) {
            unsigned char pair[2] = {static_cast<unsigned char>(a),
                                     static_cast<unsigned char>(b)};
            std::uint32_t got[8], want[2];
            int w = 0;
            if (table[a] != NoChar)
                want[w++] = table[a];
            if (table[b] != NoChar)
                want[w++] = table[b];
            bool incomplete;
            int n = Decode(cd, pair, 2, got, 8, &incomplete);
            if (n != w || incomplete || std::memcmp(got, want, sizeof want[0] * w) != 0) {
                int k = std::snprintf(text, sizeof text, "bytes 0x%02X 0x%02X give", a, b);
                for (int i = 0; i < n && i < 4 && k < 80; ++i)
                    k += std::snprintf(text + k, sizeof text - k, " U+%04X", got[i]);
                result = ProbePair;
            }
        }
    }
    iconv_close(cd);
    if (result != ProbeOk)
        detail = text;
    return result;
}

std::string ReasonText(ProbeResult r, const std::string &detail) {
    switch (r) {
    case ProbeNoOpen: return "iconv_open refuses it";
    case ProbeIncomplete: return detail + " starts a multi-byte sequence";
    case ProbeMulti: return detail + " gives more than one character";
    case ProbeNonBmp: return detail + " gives a character beyond the BMP";
    case ProbePair: return detail + ": they compose or form one sequence";
    case ProbeOk: break;
    }
    return "";
}

}  // namespace

const char *GlibcVersion() { return gnu_get_libc_version(); }

// Probes every iconv name. Qualifying names are grouped by canonical name;
// every member of a group must decode exactly like its canonical name.
int ProbeCharsets(const char *gconvDir, std::vector<Charset> &charsets,
                  std::vector<Exclusion> &excluded, int &namesListed) {
    ReadGconvConfig(gconvDir);
    if (ModuleNames.empty()) {
        std::fprintf(stderr, "mkstore: no gconv modules in %s\n", gconvDir);
        return 1;
    }
    std::vector<std::string> names;
    if (ListIconvNames(names) != 0)
        return 1;
    namesListed = int(names.size());
    std::map<std::string, Charset> groups;
    std::map<std::string, std::vector<std::string>> members;
    std::map<std::string, std::vector<std::uint32_t>> tableOf;
    for (const std::string &name : names) {
        std::uint32_t table[ByteCount];
        std::string detail;
        ProbeResult r = ProbeName(name, table, detail);
        std::string canon = CanonicalName(name);
        if (r != ProbeOk) {
            excluded.push_back({name, canon, ReasonText(r, detail)});
            continue;
        }
        if (canon.empty()) {
            std::fprintf(stderr, "mkstore: %s qualifies, but glibc's configuration "
                                 "does not say what it is an alias of\n", name.c_str());
            return 1;
        }
        members[canon].push_back(name);
        tableOf[name].assign(table, table + ByteCount);
        if (name == canon) {
            Charset &cs = groups[canon];
            cs.name = canon;
            std::copy(table, table + ByteCount, cs.table);
        }
    }
    for (auto &[canon, list] : members) {
        auto it = groups.find(canon);
        if (it == groups.end()) {
            std::fprintf(stderr, "mkstore: %s: canonical name not listed by iconv\n",
                         canon.c_str());
            return 1;
        }
        for (const std::string &name : list) {
            const std::vector<std::uint32_t> &table = tableOf[name];
            if (!std::equal(table.begin(), table.end(), it->second.table)) {
                std::fprintf(stderr, "mkstore: %s decodes unlike %s\n", name.c_str(),
                             canon.c_str());
                return 1;
            }
            if (name != canon)
                it->second.aliases.push_back(name);
        }
    }
    for (auto &[canon, cs] : groups)
        charsets.push_back(cs);
    return 0;
}
