// Fuzz target: the description file reader in both modes, include lines
// among up to four files of a scratch store.
//
// The input is split on lines that hold only "%%" into the files a, b, c
// and d of cedf/, so that include lines can name each other. File a is
// loaded as a by-code array and as sorted lists of a small capacity and,
// for one input in four, of the names list's capacity.
#include "orvel.h"
#include "scratch.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

const char ProgramName[] = "codefile_fuzzer";
const char ProgramVersion[] = "V0";

namespace {

constexpr int MaxFiles = 4;
const char *const FileNames[MaxFiles] = {"cedf/a", "cedf/b", "cedf/c", "cedf/d"};
constexpr std::uint16_t SmallCapacity = 16;

bool EndsInSpace(const char *text)
{
    std::size_t length = std::strlen(text);
    return length > 0 && std::isspace(static_cast<unsigned char>(text[length - 1]));
}

// Writes the pieces between separator lines as the store's files; the
// files a shorter input does not reach are removed.
void WriteStore(const std::uint8_t *data, std::size_t size)
{
    int files = 0;
    std::size_t start = 0, line = 0;
    while (line < size && files < MaxFiles - 1) {
        const void *feed = std::memchr(data + line, '\n', size - line);
        std::size_t end = feed ? static_cast<std::size_t>(static_cast<const std::uint8_t *>(feed) - data)
                               : size;
        if (end - line == 2 && data[line] == '%' && data[line + 1] == '%') {
            WriteScratchFile(FileNames[files++], data + start, line - start);
            start = end < size ? end + 1 : size;
        }
        line = end + 1;
    }
    WriteScratchFile(FileNames[files++], data + start, size - start);
    for (; files < MaxFiles; ++files)
        RemoveScratchFile(FileNames[files]);
}

// What every loaded name is: normalised and of a name field's length.
void CheckName(const char *name)
{
    Check(name[0] != '\0', "an empty name was stored");
    Check(std::strlen(name) <= 99, "a name is longer than a name field");
    Check(!std::strchr(name, '('), "a name keeps its parenthesised remark");
    Check(!EndsInSpace(name), "a name keeps trailing white space");
    for (const char *p = name; *p; ++p)
        Check(!std::islower(static_cast<unsigned char>(*p)), "a name keeps a lower-case letter");
}

// The header as the top-level load leaves it.
void CheckHeader(int status, const char *nameLine, const CodeFileInfo &info)
{
    Check(std::strlen(nameLine) < NameLineSize && !EndsInSpace(nameLine),
          "the name line is too long or untrimmed");
    const char *comments[] = {info.comment1, info.comment2, info.comment3};
    for (const char *comment : comments) {
        if (comment)
            Check(std::strlen(comment) < NameLineSize && !EndsInSpace(comment),
                  "a comment line is too long or untrimmed");
        else
            Check(status != StatusOk, "a successful load lacks a comment line");
    }
}

void CheckStatus(int status)
{
    Check(status == StatusOk || status == StatusNoCodeFile || status == StatusShortInclude ||
              status == StatusBadSyntax || status == StatusRedefined || status == StatusNoMemory,
          "LoadCodeFile returned a status outside its table");
}

// One load of file a; the arrays are heap blocks of exactly the capacity,
// so that a store past them is caught.
struct Load {
    std::uint16_t capacity;
    char **names;
    std::uint16_t *codes;  // null for the by-code array
    char *nameLine;
    CodeFileInfo info;
    int status;
};

void RunLoad(Load *load, bool sorted)
{
    load->names = new char *[load->capacity];
    load->codes = sorted ? new std::uint16_t[load->capacity] : nullptr;
    load->nameLine = new char[NameLineSize];
    load->info = CodeFileInfo{nullptr, nullptr, nullptr};
    load->status = LoadCodeFile("a", load->names, load->codes, load->capacity, load->nameLine,
                                &load->info, 0);
    CheckStatus(load->status);
    CheckHeader(load->status, load->nameLine, load->info);
    bool anyName = false;
    for (unsigned i = 0; i < load->capacity; ++i) {
        if (load->names[i]) {
            CheckName(load->names[i]);
            anyName = true;
        } else if (sorted && load->status == StatusOk) {
            Check(load->codes[i] == BAD, "an empty entry of a sorted list has a code");
        }
    }
    // A redefinition releases every name, those of other files included.
    if (load->status == StatusRedefined)
        Check(!anyName, "names remain after a redefinition");
}

// The comment lines are the caller's to release, as the names are.
void ReleaseLoad(Load *load)
{
    FreeNames(load->names, load->capacity);
    std::free(load->info.comment1);
    std::free(load->info.comment2);
    std::free(load->info.comment3);
    delete[] load->names;
    delete[] load->codes;
    delete[] load->nameLine;
}

// Both loads read the same lines when both succeed: every entry of the
// sorted list is the by-code array's name of that code, and the other way.
void CompareModes(const Load &byCode, const Load &sorted)
{
    if (byCode.status != StatusOk || sorted.status != StatusOk)
        return;
    unsigned listed = 0, named = 0;
    for (unsigned i = 0; i < sorted.capacity; ++i) {
        if (!sorted.names[i])
            continue;
        ++listed;
        Check(sorted.codes[i] < CodeCount && byCode.names[sorted.codes[i]] &&
                  std::strcmp(byCode.names[sorted.codes[i]], sorted.names[i]) == 0,
              "a sorted-list entry differs from the by-code array");
    }
    for (unsigned c = 0; c < CodeCount; ++c)
        named += byCode.names[c] != nullptr;
    Check(listed == named, "the two modes loaded different numbers of names");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    UseScratchStore("cedf");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // An include line could leave the scratch store and read anything.
    static const char Up[] = "../";
    for (std::size_t i = 0; i + 3 <= size; ++i)
        if (std::memcmp(data + i, Up, 3) == 0)
            return -1;
    WriteStore(data, size);

    Load byCode{CodeCount, nullptr, nullptr, nullptr, {}, 0};
    RunLoad(&byCode, false);
    Load small{SmallCapacity, nullptr, nullptr, nullptr, {}, 0};
    RunLoad(&small, true);
    CompareModes(byCode, small);
    if (size % 4 == 0) {
        Load full{ListCapacity, nullptr, nullptr, nullptr, {}, 0};
        RunLoad(&full, true);
        CompareModes(byCode, full);
        ReleaseLoad(&full);
    }
    ReleaseLoad(&small);
    ReleaseLoad(&byCode);
    return 0;
}
