// What the fuzz targets share: a private scratch directory, files written
// into it, the library's messages sent nowhere, and a command line made
// from the fuzz input.
#ifndef ORVEL_FUZZ_SCRATCH_H
#define ORVEL_FUZZ_SCRATCH_H

#include <cstddef>
#include <cstdint>
#include <string>

// A fresh directory of this process, ending in a slash; removed with the
// files named to it when the process exits normally.
const std::string &ScratchDir();

// Creates the directory ScratchDir() + relative; aborts when it cannot.
void MakeScratchSubdir(const char *relative);

// Makes the scratch directory the store (ORVEL) with the given
// subdirectory, and silences the library's messages.
void UseScratchStore(const char *subdir);

// Fails the run when a property does not hold: libFuzzer reports the
// abort with the input that caused it.
void Check(bool holds, const char *what);

// Writes the bytes as the whole file ScratchDir() + relative, and
// remembers it for the removal at exit; aborts when it cannot.
void WriteScratchFile(const std::string &relative, const std::uint8_t *data,
                      std::size_t size);

// Removes ScratchDir() + relative if it is there.
void RemoveScratchFile(const std::string &relative);

// Points the C streams stdout and stderr at /dev/null. libFuzzer keeps the
// stream it took at start-up and the sanitizers write to descriptor 2, so
// their reports still show. Not done when ORVEL_FUZZ_VERBOSE is set.
void SilenceMessages();

// A command line: argv[0] is the program name, then one argument per piece
// of the input, pieces ending at a NUL byte (a last piece without one
// counts when it is not empty), at most MaxArguments of them. Every
// argument is a heap block of its own exact size, so a read past its end
// is caught.
constexpr int MaxArguments = 12;
struct CommandLine {
    int argc;
    char *argv[MaxArguments + 2];
};
void MakeCommandLine(const char *program, const std::uint8_t *data, std::size_t size,
                     CommandLine *line);
void FreeCommandLine(CommandLine *line);

// The index of the argument whose text (its terminating NUL included) p
// points into, with the offset of p in it; -1 when p is in none of them.
int ArgumentOf(const CommandLine *line, const char *p, std::size_t *offset);

#endif
