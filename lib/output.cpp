// Output that never costs the user a file: a new version is written into a
// temporary file beside its target and renamed onto it only once it is
// complete and on disk; standard output is checked before a run succeeds.
#include "orvel.h"

#include <csignal>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The temporary file being written, for the signal handler to remove. One
// at a time: every program writes its outputs one after the other.
std::string Pending;
volatile std::sig_atomic_t PendingLive = 0;

extern "C" void RemovePendingAndDie(int signal)
{
    if (PendingLive)
        unlink(Pending.c_str());
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void CatchTerminatingSignals()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    for (int signal : {SIGHUP, SIGINT, SIGTERM})
        if (std::signal(signal, RemovePendingAndDie) == SIG_IGN)
            std::signal(signal, SIG_IGN);  // a run started to ignore it goes on ignoring it
}

// The mode and, where allowed, the owner of the file replaced, or the
// mode a new file gets under the umask.
bool TakeAttributes(int fd, const struct stat *existing)
{
    if (!existing) {
        mode_t mask = umask(0);
        umask(mask);
        return fchmod(fd, 0666 & ~mask) == 0;
    }
    if (fchown(fd, existing->st_uid, existing->st_gid) != 0) {
        // Not allowed to give it away: the new version is then ours.
    }
    return fchmod(fd, existing->st_mode & 07777) == 0;
}

} // namespace

int CreateTemporary(const std::string &target, const struct stat *existing,
                    std::string *temporary)
{
    std::string::size_type slash = target.rfind('/');
    std::string dir = slash == std::string::npos ? std::string(".") : target.substr(0, slash);
    CatchTerminatingSignals();
    PendingLive = 0;
    Pending = dir + "/." + ProgramName + ".XXXXXX";
    int fd = mkstemp(&Pending[0]);
    if (fd < 0)
        return -1;
    PendingLive = 1;
    *temporary = Pending;
    if (!TakeAttributes(fd, existing)) {
        close(fd);
        FinishTemporary(*temporary, target, false);
        return -1;
    }
    return fd;
}

int FinishTemporary(const std::string &temporary, const std::string &target, bool complete)
{
    bool renamed = complete && rename(temporary.c_str(), target.c_str()) == 0;
    if (!renamed)
        unlink(temporary.c_str());
    PendingLive = 0;
    return renamed ? 0 : -1;
}

bool ResolvePath(const char *path, std::string *file)
{
    char *resolved = realpath(path, nullptr);
    if (!resolved)
        return false;
    *file = resolved;
    std::free(resolved);
    return true;
}

int FinishStandardOutput()
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return StatusOk;
    std::fprintf(stderr, "%s: unable to write output file -\n", ProgramName);
    return StatusNoOutput;
}
