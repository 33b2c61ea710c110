// Scratch files and command lines for the fuzz targets.
#include "scratch.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <sys/stat.h>
#include <vector>

namespace {

// Never destroyed: the removal at exit runs after static destructors of
// objects made later than its registration.
std::vector<std::string> &Files()
{
    static std::vector<std::string> *files = new std::vector<std::string>;
    return *files;
}

std::vector<std::string> &Subdirs()
{
    static std::vector<std::string> *subdirs = new std::vector<std::string>;
    return *subdirs;
}

// Straight to descriptor 2: the stream stderr may point at /dev/null.
void Fail(const char *what, const std::string &path)
{
    dprintf(STDERR_FILENO, "fuzz scratch: cannot %s %s: %s\n", what, path.c_str(),
            std::strerror(errno));
    std::abort();
}

// Only what this process made goes, so nothing else can be removed.
void RemoveScratch()
{
    const std::string &dir = ScratchDir();
    for (const std::string &file : Files())
        unlink((dir + file).c_str());
    for (auto it = Subdirs().rbegin(); it != Subdirs().rend(); ++it)
        rmdir((dir + *it).c_str());
    rmdir(dir.c_str());
}

} // namespace

const std::string &ScratchDir()
{
    static std::string &dir = *new std::string;
    if (dir.empty()) {
        const char *base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && base[0] ? base : "/tmp") + "/orvelfuzz.XXXXXX";
        if (!mkdtemp(&pattern[0]))
            Fail("create", pattern);
        dir = pattern + "/";
        std::atexit(RemoveScratch);
    }
    return dir;
}

void MakeScratchSubdir(const char *relative)
{
    std::string path = ScratchDir() + relative;
    if (mkdir(path.c_str(), 0700) != 0)
        Fail("create", path);
    Subdirs().push_back(relative);
}

void UseScratchStore(const char *subdir)
{
    MakeScratchSubdir(subdir);
    setenv("ORVEL", ScratchDir().c_str(), 1);
    SilenceMessages();
}

void Check(bool holds, const char *what)
{
    if (!holds) {
        dprintf(STDERR_FILENO, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

void WriteScratchFile(const std::string &relative, const std::uint8_t *data, std::size_t size)
{
    std::string path = ScratchDir() + relative;
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file)
        Fail("create", path);
    if ((size && std::fwrite(data, 1, size, file) != size) || std::fclose(file) != 0)
        Fail("write", path);
    for (const std::string &known : Files())
        if (known == relative)
            return;
    Files().push_back(relative);
}

void RemoveScratchFile(const std::string &relative)
{
    unlink((ScratchDir() + relative).c_str());
}

void SilenceMessages()
{
    // Set, to see the library's messages when an input is replayed.
    if (std::getenv("ORVEL_FUZZ_VERBOSE"))
        return;
    std::FILE *null = std::fopen("/dev/null", "w");
    if (!null)
        Fail("open", "/dev/null");
    // glibc's standard streams are plain variables that may be assigned.
    stdout = null;
    stderr = null;
}

void MakeCommandLine(const char *program, const std::uint8_t *data, std::size_t size,
                     CommandLine *line)
{
    line->argc = 0;
    line->argv[line->argc++] = strdup(program);
    std::size_t start = 0;
    while (start < size && line->argc < MaxArguments + 1) {
        const void *nul = std::memchr(data + start, 0, size - start);
        std::size_t end = nul ? static_cast<std::size_t>(static_cast<const std::uint8_t *>(nul) - data)
                              : size;
        char *argument = static_cast<char *>(std::malloc(end - start + 1));
        std::memcpy(argument, data + start, end - start);
        argument[end - start] = '\0';
        line->argv[line->argc++] = argument;
        start = end + 1;
    }
    line->argv[line->argc] = nullptr;
}

void FreeCommandLine(CommandLine *line)
{
    for (int i = 0; i < line->argc; ++i)
        std::free(line->argv[i]);
    line->argc = 0;
}

int ArgumentOf(const CommandLine *line, const char *p, std::size_t *offset)
{
    const std::uintptr_t where = reinterpret_cast<std::uintptr_t>(p);
    for (int i = 0; i < line->argc; ++i) {
        const std::uintptr_t text = reinterpret_cast<std::uintptr_t>(line->argv[i]);
        if (where >= text && where <= text + std::strlen(line->argv[i])) {
            *offset = where - text;
            return i;
        }
    }
    return -1;
}
