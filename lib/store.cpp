// The store directory and the paths of the files in it.
#include "orvel.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifndef ORVEL_STORE_DIR
#define ORVEL_STORE_DIR "/usr/local/lib/orvel/"
#endif

// Refilled on every call, so the environment is read afresh each time.
const char *GetStoreDir()
{
    static std::string dir;
    dir = ORVEL_STORE_DIR;
    if (const char *value = std::getenv("ORVEL"))
        dir = value;
    return dir.c_str();
}

// The prefix is used unchanged: a store directory meant as a directory
// ends in a slash, and none is inserted before the subdirectory.
std::string StorePath(const char *subdir, const char *name)
{
    std::string path = GetStoreDir();
    path += subdir;
    path += '/';
    path += name;
    return path;
}

std::FILE *OpenForReading(const std::string &path, const char *mode)
{
    // Without O_NONBLOCK, opening a FIFO would wait for a writer forever.
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat status;
    std::FILE *file = nullptr;
    if (fstat(fd, &status) == 0 && (S_ISREG(status.st_mode) || S_ISDIR(status.st_mode)) &&
        fcntl(fd, F_SETFL, 0) == 0)
        file = fdopen(fd, mode);
    if (!file)
        close(fd);
    return file;
}

void WriteNoticeLine()
{
    std::fputs("orvelkit: tables and filters for 8-bit character codes\n", stderr);
}

void WriteBanner()
{
    WriteNoticeLine();
    std::fprintf(stderr, "%s %s\n", ProgramName, ProgramVersion);
}
