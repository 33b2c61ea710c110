#!/usr/bin/env python3
"""Writes the seed corpus of every fuzz target into fuzz/corpus/.

The seeds are committed; run this again after changing it:
    python3 fuzz/make_seeds.py
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
BAD = 0xFFFE


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("latin-1")
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data)


def header(title):
    return f"{title}\n# first comment\n# second comment\n# third comment\n"


def files(*parts):
    """Description files a, b, c, d of the scratch store, in that order."""
    return "%%\n".join(parts)


def codefile():
    write("codefile", "includes", files(
        header("Demo code with includes")
        + "20\tSPACE\n41\tLATIN CAPITAL LETTER A\n#include b\n"
        + "61\tlatin small letter a (the lower case)\n",
        header("Included part") + "42\tLATIN CAPITAL LETTER B\n#include c\n",
        header("Innermost part") + "43\tLATIN CAPITAL LETTER C\n"))
    # Sorted by name, codes below 0x100, so that both modes load it alike.
    names = [("0026", "AMPERSAND"), ("0041", "LATIN CAPITAL LETTER A"),
             ("0042", "LATIN CAPITAL LETTER B"), ("00A0", "NO-BREAK SPACE"),
             ("0030", "DIGIT ZERO"), ("0020", "SPACE")]
    names.sort(key=lambda entry: entry[1])
    write("codefile", "sorted", header("ISO 10646 names, part")
          + "".join(f"{code}\t{name}\n" for code, name in names))
    # More lines than the small list capacity, one code beyond a byte.
    write("codefile", "long-list", header("Long list")
          + "".join(f"{0x4E00 + i:04X}\tCJK IDEOGRAPH {i:02}\n" for i in range(20)))
    write("codefile", "redefined", header("Redefined")
          + "41\tLATIN CAPITAL LETTER A\n42\t(only a remark)\n42\tB\n41\tAGAIN\n")
    # Code-only lines define nothing, so only the nesting depth ends this.
    write("codefile", "cycle", files(
        header("Includes b") + "30\n#include b\n",
        header("Includes a") + "31\n#include a\n"))
    write("codefile", "missing-include", header("Missing include")
          + "41\tA\n#include nowhere\n")
    write("codefile", "short-include", files(
        header("Short include") + "41\tA\n#include b\n", "only\ntwo lines\n"))
    write("codefile", "crlf-blanks", "CRLF name line  \r\nc1\r\nc2\r\nc3\r\n"
          "\r\n   \n  41\tLATIN CAPITAL LETTER A\r\n0x42\t\tTAB FIRST\n43\n"
          "44 SPACE INSTEAD OF TAB\n")
    write("codefile", "comment-line", header("Comment in body")
          + "41\tA\n# a comment\n42\tB\n")
    # A name line longer than its buffer spills into the first comment; a
    # name field longer than its buffer leaves the rest as the next line.
    write("codefile", "long-lines",
          "N" * 85 + "\nc2\nc3\n"
          + "41\t" + "A" * 98 + "\n42\t" + "B" * 99 + "\n43\t" + "C" * 99 + "44\tD\n"
          + "1234\tWIDE CODE\n")
    write("codefile", "header-only", "Name\nc1\nc2\nc3")


def unicode():
    lines = [f"0x{byte:02X}\t0x{value:04X}\t#\t{name}\n" for byte, value, name in
             [(0x20, 0x0020, "SPACE"), (0x41, 0x0041, "LATIN CAPITAL LETTER A"),
              (0x80, 0x00C7, "LATIN CAPITAL LETTER C WITH CEDILLA"),
              (0xFF, 0x00A0, "NO-BREAK SPACE")]]
    write("unicode", "generated",
          "#\n#\tName:     demo to Unicode table\n#\tFormat:   Format A\n#\n"
          + "".join(lines))
    write("unicode", "variants",
          "0x41 0x0041\n0x42\t0x00e9 # lower-case digits\n0X43\t0x0043\n"
          " 0x44\t0x0044\n0x45\t# no second number\n0x46\t0X0046\n0x\n"
          "0x47\t0x12345\n0x41\t0x0391\n0x100\t0x0100\n0x1FFFFFFFF\t0x0041\n")
    # A line longer than the reader's buffer: its second piece starts with 0x.
    write("unicode", "long-line", "0x10\t0x0010\t#" + "." * 106 + "0x11\t0x0011\n")


def table():
    values = [i if i < 0x7F or i > 0x9F else BAD for i in range(256)]
    full = struct.pack("<256H", *values)
    write("table", "full", full)
    write("table", "short-100", full[:100])
    write("table", "odd-513", full + b"\x01")
    write("table", "long-600", full + bytes(range(88)))


def arguments(target, seeds):
    for name, args in seeds:
        write(target, name, b"\0".join(arg.encode("latin-1") for arg in args))


def genargs():
    arguments("genargs", [
        ("plain", ["ibm437", "iso10646", "cp437"]),
        ("binary-dump", ["-b", "ibm437", "iso10646", "cp437", "-d"]),
        ("unicode-dumps", ["-u", "-d", "-D", "a", "b", "c"]),
        ("two-types", ["-c", "-t", "a", "b", "c"]),
        ("same-type-twice", ["a", "-n", "b", "-N", "c"]),
        ("four-names", ["a", "b", "c", "d"]),
        ("unknown-option", ["-x", "a", "b", "c"]),
        ("lone-dash", ["-", "a", "b", "c"]),
        ("long-option", ["-Bin", "a", "b", "c"]),
        ("two-names", ["-n", "a", "b"]),
        ("empty-name", ["", "b", "c"]),
    ])


def cnvargs():
    arguments("cnvargs", [
        ("filter", ["-sibm437", "-tiso8859-1"]),
        ("files", ["-sibm437", "-tiso8859-1", "-b?", "in.txt", "out.txt"]),
        ("in-place", ["-Scp1252", "-Tcp850", "file.txt"]),
        ("blank-after-s", ["-s", "name", "-tx"]),
        ("wrong-after-names", ["-sa", "-tb", "-x"]),
        ("wrong-before-names", ["-x", "-sa", "-tb"]),
        ("third-positional", ["a", "b", "c", "-sa", "-tb"]),
        ("bare-b-repeated", ["-b", "-Sa", "-Tb", "-sc", "-Bxyz"]),
        ("percent-names", ["-s%s%n", "-t%x"]),
        ("lone-dash", ["-"]),
    ])


def convert_seed(replacement, flags, in_offset, out_offset, palette, source, target, text):
    data = bytes([replacement, flags, in_offset, out_offset, len(palette) - 1])
    data += b"".join(struct.pack("<H", value) for value in palette)
    return data + source + target + text


def convert():
    text = bytes(range(256)) * 2 + b"Hello, world\n" * 9
    # Palette tables on both sides: ties and BAD entries everywhere.
    palette = [0x41, 0x42, BAD, 0x41, 0x20AC, 0x00E9, 0x43, BAD]
    picks = bytes((i * 7 + i // 3) % 256 for i in range(256))
    write("convert", "palette-ties", convert_seed(
        0x3F, 0 | 0 << 2, 3, 5, palette, picks, picks[::-1], text))
    # Raw source, target the source with edits: mostly found, some replaced.
    raw = struct.pack("<256H", *[(i * 0x0101) & 0xFFFF for i in range(256)])
    edits = bytes([6, 0x10, 0, 0x20, 2, 0x30, 1, 0x31, 1, 0xFF, 2, 0x00, 4])
    write("convert", "raw-edited", convert_seed(
        0x00, 1 | 2 << 2, 1, 0, palette, raw, edits, text[:333]))
    # Identity source, all-BAD target with a few entries: in place.
    write("convert", "in-place-bad", convert_seed(
        0xFF, 2 | 3 << 2 | 16 | 32, 0, 7, [0x41, 0x61],
        bytes([2, 0x41, 0, 0x61, 1]), bytes([3, 0x41, 0, 0x61, 1, 0x62, 1]),
        text[:100]))
    # Lengths around the vector widths.
    for length in (31, 63, 64, 65, 129):
        write("convert", f"length-{length}", convert_seed(
            0x2A, 0 | 2 << 2, 0, 0, palette[:4], picks, bytes([1, 5, 2]),
            text[:length]))
    write("convert", "empty-text", convert_seed(0x2A, 0, 0, 0, [0], picks, picks, b""))


for make in (codefile, unicode, table, genargs, cnvargs, convert):
    make()
