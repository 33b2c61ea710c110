// The store directory and the paths of the files in it.
#include "orvel.h"

#include <cstdlib>

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

void WriteNoticeLine()
{
    std::fputs("orvelkit: tables and filters for 8-bit character codes\n", stderr);
}

void WriteBanner()
{
    WriteNoticeLine();
    std::fprintf(stderr, "%s %s\n", ProgramName, ProgramVersion);
}
