// The orvelkit table library: description files, name lists, binary tables,
// Unicode mapping files, the table writers and the generator's argument parser.
#ifndef ORVEL_H
#define ORVEL_H

#include <cstdint>
#include <cstdio>
#include <string>

struct stat;

// Every program defines its own identity; the library's messages use it.
extern const char ProgramName[];
extern const char ProgramVersion[];

// The unconvertable character: an unmapped slot in every array, table and file.
constexpr std::uint16_t BAD = 0xFFFE;

constexpr std::uint16_t CodeCount = 256;      // slots of an 8-bit code
constexpr std::uint16_t ListCapacity = 6542;  // slots of the iso10646 names list
constexpr int NameLineSize = 80;              // least size of a name-line buffer
constexpr int MaxIncludeDepth = 16;           // nesting levels of include lines

// Exit statuses, one table for the whole system.
constexpr int StatusOk = 0;
constexpr int StatusReplaced = 1;      // converter: a replacement byte was written
constexpr int StatusUsage = 2;
constexpr int StatusNoInput = 3;       // converter: input file cannot be opened
constexpr int StatusNoOutput = 4;      // output or temporary file cannot be created or written
constexpr int StatusNoTable = 5;       // binary table or mapping file cannot be read
constexpr int StatusNoCodeFile = 11;
constexpr int StatusShortInclude = 12; // included file ends in its header, or a read fails
constexpr int StatusBadSyntax = 21;
constexpr int StatusRedefined = 22;
constexpr int StatusNoMemory = 42;

// The three comment lines of a description file header. The strings are
// heap copies that live until the program ends.
struct CodeFileInfo {
    char *comment1;
    char *comment2;
    char *comment3;
};

// store.cpp: the store directory, paths under it, the banner's notice line.
const char *GetStoreDir();
std::string StorePath(const char *subdir, const char *name);
// Opens a file to read, never waiting: only a regular file or a directory
// (which then fails its first read) is opened; a FIFO, a device or a
// socket counts as a file that cannot be opened. Null on failure.
std::FILE *OpenForReading(const std::string &path, const char *mode);
void WriteNoticeLine();
// The banner: the notice line, then the program's name and version.
void WriteBanner();

// codefile.cpp: the description file reader.
char *UpperCase(char *text);
int LoadCodeFile(const char *name, char **names, std::uint16_t *codes,
                 std::uint16_t capacity, char *nameLine, CodeFileInfo *info,
                 int included);
void FreeNames(char **names, std::uint16_t count);

// namelist.cpp: lookups on loaded name arrays. A null code array selects
// the by-code array.
std::uint16_t FindCode(const char *name, char *const *names,
                       const std::uint16_t *codes, std::uint16_t count);
void MapNames(char *const *srcNames, std::uint16_t srcCount,
              char *const *dstNames, std::uint16_t dstCount,
              const std::uint16_t *dstCodes, std::uint16_t *codeMap);
void DumpNames(std::FILE *out, const char *title, char *const *names,
               const std::uint16_t *codes, std::uint16_t count);
// Checks that the names of a sorted list loaded from the description file
// `name` ascend in strcmp order and that no name follows an empty slot
// (empty slots may only end the list): 0, or 21 with a message naming the
// first line out of order.
int CheckSortedList(const char *name, char *const *names, std::uint16_t count);

// tables.cpp: binary tables (store's xlt/) and Unicode mapping files
// (UNICODE prefix). Both return 0 or 5 and print nothing.
int LoadTable(const char *name, std::uint16_t table[CodeCount]);
int LoadUnicode(const char *name, std::uint16_t table[CodeCount]);

// output.cpp: files replaced only once their new version is complete.
// Creates an empty temporary file beside the target, with the permission
// bits and, where allowed, the owner of the existing file it is to replace,
// or (existing null) those of a new file. It is removed again should
// SIGHUP, SIGINT or SIGTERM end the program while it exists. Returns its
// descriptor, or -1 when it cannot be made.
int CreateTemporary(const std::string &target, const struct stat *existing,
                    std::string *temporary);
// Ends its life, its descriptor closed by the caller: renamed onto the
// target when the new version is complete (written, flushed to disk and
// closed), else removed. 0, or -1 when it did not replace the target.
int FinishTemporary(const std::string &temporary, const std::string &target, bool complete);
// The file a path names, symbolic links followed, so that a link stays a
// link to the file replaced. False when the path names no file.
bool ResolvePath(const char *path, std::string *file);
// Flushes standard output: 0, or 4 after a message when what the program
// printed did not reach it.
int FinishStandardOutput();

// writers.cpp: output types of WriteTables.
constexpr int OutputC = 0;        // table, filter and header file
constexpr int OutputTable = 1;    // table file alone
constexpr int OutputUnicode = 2;  // Unicode mapping file
constexpr int OutputBinary = 3;   // binary table in the store
constexpr int OutputNone = 4;

// Writes one output form of a code map. dstCount is the number of entries
// of the destination list searched for the replacement character.
// Returns 0, or 4 after a message when a file cannot be created or written.
int WriteTables(char *const *srcNames, char *const *dstNames,
                const std::uint16_t *dstCodes, std::uint16_t dstCount,
                const char *outName, const std::uint16_t *codeMap,
                std::uint16_t count, const char *srcNameLine,
                const char *dstNameLine, const CodeFileInfo *srcInfo,
                const CodeFileInfo *dstInfo, int outputType);

// genargs.cpp: the generator's command line.
struct GenSettings {
    const char *source;
    const char *destination;
    const char *output;
    int outputType;  // -1 until a type option is seen
    int dump;
};
extern GenSettings GenArgs;
int ParseGenArgs(int argc, char **argv);

#endif
