// orvelcnv: converts a byte stream from one 8-bit code into another through
// the two codes' binary tables, into a new file, to standard output, or in
// place.
#include "convert.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

const char ProgramName[] = "orvelcnv";
const char ProgramVersion[] = "V1.13 (1997-06-14)";

namespace {

// Fixed storage for the whole run, whatever the size of the input.
std::uint16_t SourceTable[CodeCount];
std::uint16_t TargetTable[CodeCount];
ConvertMap Map;
alignas(64) unsigned char Buffer[1 << 17];

constexpr int StreamOk = 0;
constexpr int StreamReadFailed = 1;
constexpr int StreamWriteFailed = 2;

// Both tables start as BAD, so that a short table file leaves its missing
// entries unconvertable rather than zero.
int LoadTables(const CnvArgs *args)
{
    for (unsigned i = 0; i < CodeCount; ++i)
        SourceTable[i] = TargetTable[i] = BAD;
    const char *names[2] = {args->source, args->target};
    std::uint16_t *tables[2] = {SourceTable, TargetTable};
    for (int t = 0; t < 2; ++t) {
        int status = LoadTable(names[t], tables[t]);
        if (status != StatusOk) {
            std::fprintf(stderr, "%s: unable to load table file %s\n",
                         ProgramName, names[t]);
            return status;
        }
    }
    return StatusOk;
}

bool WriteAll(int fd, const unsigned char *bytes, std::size_t count)
{
    while (count > 0) {
        ssize_t written = write(fd, bytes, count);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        count -= static_cast<std::size_t>(written);
    }
    return true;
}

// Converts everything the input holds into the output, block by block.
int ConvertStream(int in, int out, int path, int *replaced)
{
    posix_fadvise(in, 0, 0, POSIX_FADV_SEQUENTIAL);
    for (;;) {
        ssize_t got = read(in, Buffer, sizeof Buffer);
        if (got == 0)
            return StreamOk;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return StreamReadFailed;
        }
        std::size_t count = static_cast<std::size_t>(got);
        *replaced |= ConvertBlock(&Map, Buffer, Buffer, count, path);
        if (!WriteAll(out, Buffer, count))
            return StreamWriteFailed;
    }
}

// The status and message of a stream that did not complete, or 1 / 0.
int FinishRun(int result, int replaced, const char *inName, const char *outName)
{
    if (result == StreamReadFailed) {
        std::fprintf(stderr, "%s: unable to read input file %s\n", ProgramName, inName);
        return StatusNoInput;
    }
    if (result == StreamWriteFailed) {
        std::fprintf(stderr, "%s: unable to write output file %s\n", ProgramName, outName);
        return StatusNoOutput;
    }
    return replaced ? StatusReplaced : StatusOk;
}

// Two spellings of one file, hard and symbolic links included.
bool SameFile(const char *first, const char *second)
{
    struct stat a, b;
    return stat(first, &a) == 0 && stat(second, &b) == 0 &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Standard output opened by the shell on the file that standard input
// reads: appended to, it would grow as fast as it is read, until the disk
// is full.
bool OutputIsInput(int in, int out)
{
    struct stat a, b;
    return fstat(in, &a) == 0 && fstat(out, &b) == 0 && S_ISREG(a.st_mode) &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

int RefuseOutput(const CnvArgs *args, const char *outName)
{
    ShowBanner(args);
    std::fprintf(stderr, "%s: unable to create output file %s\n", ProgramName, outName);
    return StatusNoOutput;
}

// flags adds to O_RDONLY.
int OpenInput(const CnvArgs *args, int flags)
{
    int in = open(args->input, O_RDONLY | flags);
    if (in < 0) {
        ShowBanner(args);
        std::fprintf(stderr, "%s: unable to open input file %s!\n", ProgramName,
                     args->input);
    }
    return in;
}

// Into a named output file or standard output, from a named input file or
// standard input. The output is created before the input is opened.
int ConvertToOutput(const CnvArgs *args, int path)
{
    int out = STDOUT_FILENO;
    const char *outName = "-";
    if (args->output) {
        // Creating the output would empty the very file that is to be read.
        if (args->input && SameFile(args->input, args->output))
            return RefuseOutput(args, args->output);
        out = open(args->output, O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (out < 0)
            return RefuseOutput(args, args->output);
        outName = args->output;
    }
    int in = STDIN_FILENO;
    const char *inName = "-";
    if (args->input) {
        in = OpenInput(args, 0);
        if (in < 0) {
            close(out);
            return StatusNoInput;
        }
        inName = args->input;
    }
    if (!args->output && OutputIsInput(in, out))
        return RefuseOutput(args, outName);
    int replaced = 0;
    int result = ConvertStream(in, out, path, &replaced);
    if (args->input)
        close(in);
    if (close(out) != 0 && result == StreamOk)
        result = StreamWriteFailed;
    return FinishRun(result, replaced, inName, outName);
}

// The converted text replaces the input only once it is completely and
// durably written; on any failure the input stays as it was.
int ConvertInPlace(const CnvArgs *args, int path)
{
    // Without O_NONBLOCK, opening a FIFO would wait for a writer forever;
    // it is refused below like anything else that is not a regular file.
    int in = OpenInput(args, O_NONBLOCK);
    if (in < 0)
        return StatusNoInput;
    struct stat status;
    std::string file, temporary;
    int out = -1;
    // Only a regular file can be replaced by another one.
    if (fstat(in, &status) == 0 && S_ISREG(status.st_mode) &&
        fcntl(in, F_SETFL, 0) == 0 && ResolvePath(args->input, &file))
        out = CreateTemporary(file, &status, &temporary);
    if (out < 0) {
        close(in);
        return StatusNoOutput;
    }
    int replaced = 0;
    int result = ConvertStream(in, out, path, &replaced);
    close(in);
    if (result == StreamOk && fsync(out) != 0)
        result = StreamWriteFailed;
    if (close(out) != 0 && result == StreamOk)
        result = StreamWriteFailed;
    if (FinishTemporary(temporary, file, result == StreamOk) != 0 && result == StreamOk)
        result = StreamWriteFailed;
    return FinishRun(result, replaced, args->input, args->input);
}

} // namespace

int main(int argc, char **argv)
{
    // A file size limit must fail the write, not kill the run midway.
    std::signal(SIGXFSZ, SIG_IGN);
    CnvArgs args;
    if (ParseCnvArgs(argc, argv, &args) != StatusOk) {
        WriteUsage(&args);
        return StatusUsage;
    }
    int status = LoadTables(&args);
    if (status != StatusOk)
        return status;
    BuildConvertMap(SourceTable, TargetTable, args.replacement, &Map);
    int path = ChoosePath(std::getenv("ORVELCNV_SIMD"));
    if (args.input && !args.output)
        return ConvertInPlace(&args, path);
    return ConvertToOutput(&args, path);
}
