// The description file reader: header, code lines, include lines.
#include "orvel.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

// Shared by every nesting level: each level builds its path from it before
// it reads another line.
char includeLine[1024];
int includeLevel;  // nesting level of the file being read, 1 at the top

struct FileCloser {
    std::FILE *file;
    ~FileCloser() { if (file) std::fclose(file); }
};

// Reads a piece of a line as fgets does: up to size - 1 bytes, through the
// line end at most. False at the end of the file, or when the piece holds
// a NUL byte, which would silently cut off what follows it; *nul tells the
// two apart.
bool ReadPiece(char *buffer, int size, std::FILE *file, bool *nul)
{
    *nul = false;
    int length = 0;
    while (length < size - 1) {
        int c = getc_unlocked(file);
        if (c == EOF)
            break;
        buffer[length++] = static_cast<char>(c);
        if (c == '\0')
            *nul = true;
        if (c == '\n')
            break;
    }
    buffer[length] = '\0';
    return length > 0 && !std::ferror(file) && !*nul;
}

void TrimRight(char *text)
{
    std::size_t length = std::strlen(text);
    while (length > 0 && std::isspace(static_cast<unsigned char>(text[length - 1])))
        text[--length] = '\0';
}

// Cut at the first "(", upper-case, drop trailing white space.
void NormaliseName(char *field)
{
    if (char *paren = std::strchr(field, '('))
        *paren = '\0';
    UpperCase(field);
    TrimRight(field);
}

int ReadHeader(std::FILE *file, const std::string &path, char *nameLine, CodeFileInfo *info)
{
    char **slots[] = {&info->comment1, &info->comment2, &info->comment3};
    nameLine[0] = '\0';
    bool nul;
    if (!ReadPiece(nameLine, NameLineSize, file, &nul)) {
        nameLine[0] = '\0';
        std::fprintf(stderr, "%s: code file %s has bad syntax in line %u\n", ProgramName, path.c_str(), 1u);
        return StatusBadSyntax;
    }
    TrimRight(nameLine);
    for (unsigned line = 2; line <= 4; ++line) {
        char buffer[NameLineSize];
        if (!ReadPiece(buffer, sizeof buffer, file, &nul)) {
            std::fprintf(stderr, "%s: code file %s has bad syntax in line %u\n", ProgramName, path.c_str(), line);
            return StatusBadSyntax;
        }
        TrimRight(buffer);
        char *copy = strdup(buffer);
        if (!copy) {
            std::fprintf(stderr, "%s: out of memory reading code file %s, line %u\n", ProgramName, path.c_str(), line);
            return StatusNoMemory;
        }
        *slots[line - 2] = copy;
    }
    return StatusOk;
}

// The header of an included file is skipped whole, whatever its length.
int SkipHeader(std::FILE *file)
{
    for (int feeds = 0; feeds < 4;) {
        int c = std::fgetc(file);
        if (c == EOF)
            return StatusShortInclude;
        if (c == '\n')
            ++feeds;
    }
    return StatusOk;
}

// Reports a bad body line and releases every name, as all such failures do.
int FailLine(int status, const char *format, const std::string &path, unsigned line,
             char **names, std::uint16_t capacity)
{
    std::fprintf(stderr, format, ProgramName, path.c_str(), line);
    FreeNames(names, capacity);
    return status;
}

const char BadSyntax[] = "%s: code file %s has bad syntax in line %u\n";

} // namespace

char *UpperCase(char *text)
{
    for (char *p = text; *p; ++p)
        if (std::islower(static_cast<unsigned char>(*p)))
            *p = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
    return text;
}

void FreeNames(char **names, std::uint16_t count)
{
    for (unsigned i = 0; i < count; ++i) {
        std::free(names[i]);
        names[i] = nullptr;
    }
}

int LoadCodeFile(const char *name, char **names, std::uint16_t *codes,
                 std::uint16_t capacity, char *nameLine, CodeFileInfo *info,
                 int included)
{
    const std::string path = StorePath("cedf", name);
    if (!included) {
        includeLevel = 1;
        for (unsigned i = 0; i < capacity; ++i) {
            names[i] = nullptr;
            if (codes)
                codes[i] = BAD;
        }
    }
    std::FILE *file = OpenForReading(path, "r");
    if (!file) {
        std::fprintf(stderr, "%s: unable to open file %s\n", ProgramName, path.c_str());
        return StatusNoCodeFile;
    }
    FileCloser closer{file};
    int status = included ? SkipHeader(file) : ReadHeader(file, path, nameLine, info);
    if (status)
        return status;

    // Counts body lines; the line number is the counter plus 5 and, in a
    // sorted list, the counter is the index of the line's entry.
    std::uint16_t counter = 0;
    for (;; ++counter) {
        const unsigned line = counter + 5u;
        if (std::feof(file))
            return StatusOk;
        unsigned long code = 0;
        int scanned = std::fscanf(file, "%lx", &code);
        // A code that is the very last thing in the file defines nothing.
        if (std::feof(file))
            return StatusOk;
        if (scanned == 1) {
            // Wider than 16 bits, or beyond the slots of the array.
            if (code > 0xFFFF || (!codes && code >= capacity) || (codes && counter >= capacity))
                return FailLine(StatusBadSyntax, BadSyntax, path, line, names, capacity);
            int next = std::fgetc(file);
            if (next == '\n')
                continue;
            if (next != '\t')
                return FailLine(StatusBadSyntax, BadSyntax, path, line, names, capacity);
            char field[100];
            bool nul;
            if (!ReadPiece(field, sizeof field, file, &nul)) {
                if (nul)
                    return FailLine(StatusBadSyntax, BadSyntax, path, line, names, capacity);
                continue;
            }
            if (!codes && names[code]) {
                std::fprintf(stderr, "%s: code file %s: code %u redefined line %u\n",
                             ProgramName, path.c_str(), static_cast<unsigned>(code), line);
                FreeNames(names, capacity);
                return StatusRedefined;
            }
            NormaliseName(field);
            if (!field[0])
                continue;
            char *copy = strdup(field);
            if (!copy)
                return FailLine(StatusNoMemory, "%s: out of memory reading code file %s, line %u\n",
                                path, line, names, capacity);
            if (codes) {
                names[counter] = copy;
                codes[counter] = static_cast<std::uint16_t>(code);
            } else {
                names[code] = copy;
            }
            continue;
        }
        bool nul;
        if (!ReadPiece(includeLine, sizeof includeLine, file, &nul) && !nul)
            return StatusShortInclude;
        TrimRight(includeLine);
        if (std::strncmp(includeLine, "#include ", 9) != 0)
            return StatusBadSyntax;
        if (nul)
            return FailLine(StatusBadSyntax, BadSyntax, path, line, names, capacity);
        // A sorted list is placed by line position, so an included file
        // would overwrite the including file's entries.
        if (codes)
            return FailLine(StatusBadSyntax, BadSyntax, path, line, names, capacity);
        if (includeLevel >= MaxIncludeDepth)
            return FailLine(StatusBadSyntax, "%s: code file %s: includes nest too deeply in line %u\n",
                            path, line, names, capacity);
        ++includeLevel;
        status = LoadCodeFile(includeLine + 9, names, codes, capacity, nullptr, nullptr, 1);
        --includeLevel;
        if (status)
            return status;
    }
}
