// The table writers: C source of a filter, the table file alone, Unicode
// mapping files ("Format A") and binary tables in the store.
#include "orvel.h"

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char TopLine[] =
    "/******************************************************************************\n";
const char SideLine[] =
    " *                                                                            *\n";
const char RuleLine[] =
    " ******************************************************************************\n";
const char BottomLine[] =
    " *****************************************************************************/\n";
const char ClosingLine[] =
    "******************************************************************************/\n";

const char History[] =
    " * History:                                                                   *\n"
    " *     1997-07-27: orvelkit V1.20                                             *\n"
    " *        - initial generation                                                *\n";

const char TableFileLine[] =
    " * File:   %-8s.tab       Version  1.20            Date: 1997-07-27       *\n";
const char FilterFileLine[] =
    " * File:   %-8s.c         Version  1.20            Date: 1997-07-27       *\n";
const char HeaderFileLine[] =
    " * File:   %-8s.h         Version  1.20            Date: 1997-07-27       *\n";

const char FilterFunction[] =
    " * Function:                                                                  *\n"
    "%s"
    " * filter converting one 8-bit character code to another                      *\n"
    "%s";

// What every writer needs of its arguments besides the code map.
struct Headers {
    const char *outName;
    const char *srcNameLine;
    const char *dstNameLine;
    const CodeFileInfo *srcInfo;
    const CodeFileInfo *dstInfo;
};

// One output file. Its new version goes into a temporary file beside it,
// which replaces it only once completely written: a failed write removes
// the temporary file and leaves a file of that name as it was.
struct OutputFile {
    std::string name;       // as the user gave it, for messages
    std::string path;       // the file it names
    std::string temporary;
    std::FILE *file = nullptr;
    ~OutputFile()
    {
        if (file) {
            std::fclose(file);
            FinishTemporary(temporary, path, false);
        }
    }
};

int CreateOutput(OutputFile &out, const std::string &path, const char *mode)
{
    out.name = path;
    if (!ResolvePath(path.c_str(), &out.path))
        out.path = path;  // a new file
    struct stat status;
    bool exists = stat(out.path.c_str(), &status) == 0;
    // A file the user may not write, or one that is not a regular file, is
    // not replaced either.
    int fd = -1;
    if (!exists || (S_ISREG(status.st_mode) && access(out.path.c_str(), W_OK) == 0))
        fd = CreateTemporary(out.path, exists ? &status : nullptr, &out.temporary);
    if (fd >= 0 && !(out.file = fdopen(fd, mode))) {
        close(fd);
        FinishTemporary(out.temporary, out.path, false);
    }
    if (out.file)
        return StatusOk;
    std::fprintf(stderr, "%s: unable to create output file %s\n", ProgramName, path.c_str());
    return StatusNoOutput;
}

int FinishOutput(OutputFile &out)
{
    bool written = std::fflush(out.file) == 0 && !std::ferror(out.file) &&
                   fsync(fileno(out.file)) == 0;
    written = std::fclose(out.file) == 0 && written;
    out.file = nullptr;
    if (FinishTemporary(out.temporary, out.path, written) == 0)
        return StatusOk;
    std::fprintf(stderr, "%s: unable to write output file %s\n", ProgramName, out.name.c_str());
    return StatusNoOutput;
}

const char *TextOf(const char *text)
{
    return text ? text : "";
}

// A text inside a comment box: a backslash between "*" and "/" keeps a
// "*/" from ending the comment, and a "/*" from opening one inside it.
std::string BoxText(const char *text)
{
    std::string boxed;
    for (const char *p = TextOf(text); *p; ++p) {
        boxed += *p;
        if ((p[0] == '*' && p[1] == '/') || (p[0] == '/' && p[1] == '*'))
            boxed += '\\';
    }
    return boxed;
}

// A text between the double quotes of a C string constant. Quotes and
// backslashes are escaped; so is the second "?" of "??" (a trigraph starts so
// in strict C), and so are the control characters that could end or blur the
// line. Tabs stay as they are.
std::string CString(const char *text)
{
    std::string quoted;
    for (const char *p = TextOf(text); *p; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += *p;
        } else if (c == '?' && p[1] == '?') {
            quoted += "?\\";
        } else if ((c < 0x20 && c != '\t') || c == 0x7F) {
            char octal[5];
            std::snprintf(octal, sizeof octal, "\\%03o", c);
            quoted += octal;
        } else {
            quoted += *p;
        }
    }
    return quoted;
}

void WriteBoxHead(std::FILE *file, const char *fileLine, const char *outName)
{
    std::fputs(TopLine, file);
    std::fputs(SideLine, file);
    std::fprintf(file, fileLine, BoxText(outName).c_str());
    std::fputs(SideLine, file);
    std::fputs(RuleLine, file);
    std::fputs(SideLine, file);
}

void WriteDescriptionBlock(std::FILE *file, const Headers &h)
{
    const char *lines[] = {h.srcNameLine, h.srcInfo->comment1, h.srcInfo->comment2,
                           h.srcInfo->comment3, h.dstNameLine, h.dstInfo->comment1,
                           h.dstInfo->comment2, h.dstInfo->comment3};
    for (int i = 0; i < 8; ++i) {
        const char *label = i == 0 ? "Src:" : i == 4 ? "Dst:" : "    ";
        std::fprintf(file, " * %s %-69s *\n", label, BoxText(lines[i]).c_str());
    }
}

// Closes the box of the table and filter files.
void WriteBoxTail(std::FILE *file)
{
    std::fputs(SideLine, file);
    std::fputs(RuleLine, file);
    std::fputs(SideLine, file);
    std::fputs(History, file);
    std::fputs(SideLine, file);
    std::fputs(BottomLine, file);
}

void WriteSectionTitle(std::FILE *file, const char *title)
{
    std::fprintf(file, "%s\n\t%s\n\n%s\n", TopLine, title, ClosingLine);
}

void WriteTableRows(std::FILE *file, const std::uint16_t *codeMap)
{
    for (unsigned i = 0; i < CodeCount; ++i) {
        if (codeMap[i] == BAD)
            std::fputs("   BAD", file);
        else
            std::fprintf(file, "0x%04X", codeMap[i]);
        if (i != CodeCount - 1u)
            std::fputc(',', file);
        if (i % 8 != 7)
            std::fputc(' ', file);
        else
            std::fprintf(file, "\t/* %02X-%02X */\n", i - 7, i);
    }
}

int WriteTableFile(const Headers &h, const std::uint16_t *codeMap)
{
    OutputFile out;
    if (CreateOutput(out, std::string(h.outName) + ".tab", "w"))
        return StatusNoOutput;
    WriteBoxHead(out.file, TableFileLine, h.outName);
    WriteDescriptionBlock(out.file, h);
    WriteBoxTail(out.file);
    std::fputc('\n', out.file);
    WriteSectionTitle(out.file, "Character Conversion Table");
    std::fprintf(out.file, "static\tunsigned short int\tc_%s\t[CHARNUM] =\t/* %02X-%02X */\n{\n",
                 h.outName, 0x00, 0xFF);
    WriteTableRows(out.file, codeMap);
    std::fputs("} ;\n", out.file);
    return FinishOutput(out);
}

int WriteFilterFile(const Headers &h)
{
    OutputFile out;
    if (CreateOutput(out, std::string(h.outName) + ".c", "w"))
        return StatusNoOutput;
    WriteBoxHead(out.file, FilterFileLine, h.outName);
    std::fprintf(out.file, FilterFunction, SideLine, SideLine);
    WriteDescriptionBlock(out.file, h);
    WriteBoxTail(out.file);
    std::fprintf(out.file, "\n#include \"%s.h\"\n#include \"%s.tab\"\n\n#include \"orvel.c\"\n",
                 h.outName, h.outName);
    return FinishOutput(out);
}

int WriteHeaderFile(const Headers &h, std::uint16_t count, int badChar)
{
    OutputFile out;
    if (CreateOutput(out, std::string(h.outName) + ".h", "w"))
        return StatusNoOutput;
    std::FILE *file = out.file;
    WriteBoxHead(file, HeaderFileLine, h.outName);
    std::fputs(History, file);
    std::fputs(SideLine, file);
    std::fputs(BottomLine, file);
    std::fputc('\n', file);
    WriteSectionTitle(file, "Program Constants");
    std::fprintf(file, "#define\tCHARNUM\t\t%d\n", count);
    std::fputs("#define\tBAD\t\t0xFFFE\t/* the unconvertable character\t*/\n", file);
    std::fprintf(file, "#define\tBAD_CHAR\t%d\n\n", badChar);
    std::fprintf(file, "#define\tORVEL_C(a)\tc_%s [a]\n\n", h.outName);
    WriteSectionTitle(file, "Program Message Constants");
    std::fprintf(file, "#define\tPRGNAM\t\t\"%s\"\n", CString(h.outName).c_str());
    std::fputs("#define\tVERSION\t\t\"V1.20 (1997-07-27)\"\n\n", file);
    const char *side[] = {"SRC", "DST"};
    const char *nameLines[] = {h.srcNameLine, h.dstNameLine};
    const CodeFileInfo *infos[] = {h.srcInfo, h.dstInfo};
    for (int s = 0; s < 2; ++s) {
        const char *comments[] = {infos[s]->comment1, infos[s]->comment2, infos[s]->comment3};
        std::fprintf(file, "#define\t%s_NAME\t\"%s\"\n", side[s], CString(nameLines[s]).c_str());
        for (int k = 0; k < 3; ++k)
            std::fprintf(file, "#define\t%s_COMMENT%d\t\"%s\"\n", side[s], k + 1,
                         CString(comments[k]).c_str());
    }
    return FinishOutput(out);
}

// The replacement byte of the filter: the destination code of NO-BREAK
// SPACE, looked up over the whole destination list, or 255 without one.
int FindBadChar(char *const *dstNames, const std::uint16_t *dstCodes, std::uint16_t dstCount)
{
    std::uint16_t code = FindCode("NO-BREAK SPACE", dstNames, dstCodes, dstCount);
    return code == BAD ? 255 : code;
}

int WriteMappingFile(char *const *srcNames, const Headers &h, const std::uint16_t *codeMap)
{
    OutputFile out;
    if (CreateOutput(out, std::string(h.outName) + ".txt", "w"))
        return StatusNoOutput;
    std::FILE *file = out.file;
    std::fprintf(file, "#\n#\tName:             %-8s\n", TextOf(h.srcNameLine));
    std::fputs("#\tUnicode version:  2.0\n#\tTable format:     Format A\n", file);
    std::fprintf(file, "#\tGenerated using:  %s %s\n#\n", ProgramName, ProgramVersion);
    std::fputs("#\tFormat:  Three tab-separated columns\n"
               "#\t\t Column #1 is the 8-bit code (in hex as 0xXX)\n"
               "#\t\t Column #2 is the Unicode (in hex as 0xXXXX)\n"
               "#\t\t Column #3 the Unicode name (follows a comment sign, '#')\n"
               "#\n", file);
    const char *lines[] = {h.srcNameLine, h.srcInfo->comment1, h.srcInfo->comment2,
                           h.srcInfo->comment3, h.dstNameLine, h.dstInfo->comment1,
                           h.dstInfo->comment2, h.dstInfo->comment3};
    for (int i = 0; i < 8; ++i) {
        const char *label = i == 0 ? " Src:" : i == 4 ? " Dst:" : "";
        std::fprintf(file, "#%s\t%-69s\n", label, TextOf(lines[i]));
    }
    for (unsigned i = 0; i < CodeCount; ++i)
        if (codeMap[i] != BAD)
            std::fprintf(file, "0x%02X\t0x%04X\t#\t%s\n", i, codeMap[i], TextOf(srcNames[i]));
    return FinishOutput(out);
}

int WriteBinaryTable(const char *outName, const std::uint16_t *codeMap, std::uint16_t count)
{
    OutputFile out;
    if (CreateOutput(out, StorePath("xlt", outName), "wb"))
        return StatusNoOutput;
    // The code map has 256 entries; a larger count would read past it.
    unsigned entries = count < CodeCount ? count : CodeCount;
    for (unsigned i = 0; i < entries; ++i) {
        std::fputc(codeMap[i] & 0xFF, out.file);
        std::fputc(codeMap[i] >> 8, out.file);
    }
    return FinishOutput(out);
}

} // namespace

int WriteTables(char *const *srcNames, char *const *dstNames,
                const std::uint16_t *dstCodes, std::uint16_t dstCount,
                const char *outName, const std::uint16_t *codeMap,
                std::uint16_t count, const char *srcNameLine,
                const char *dstNameLine, const CodeFileInfo *srcInfo,
                const CodeFileInfo *dstInfo, int outputType)
{
    Headers h{outName, srcNameLine, dstNameLine, srcInfo, dstInfo};
    switch (outputType) {
    case OutputC:
        if (WriteTableFile(h, codeMap) || WriteFilterFile(h))
            return StatusNoOutput;
        return WriteHeaderFile(h, count, FindBadChar(dstNames, dstCodes, dstCount));
    case OutputTable:
        return WriteTableFile(h, codeMap);
    case OutputUnicode:
        return WriteMappingFile(srcNames, h, codeMap);
    case OutputBinary:
        return WriteBinaryTable(outName, codeMap, count);
    default:
        return StatusOk;
    }
}
