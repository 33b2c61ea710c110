#!/usr/bin/env python3
"""Checks the DOM that a browser built from an orvelweb chart.

Usage: check_dom.py DOM PAGE TABLE [ROWS]

DOM is the browser's serialised document, PAGE the page orvelweb wrote,
TABLE the binary table the chart was made from (256 little-endian 16-bit
values; entries a short file lacks are BAD). The DOM's table must hold the
heading row and one row per data row of PAGE, in the same byte order, each
with the byte in hexadecimal and decimal, the character of the byte's
Unicode value, and the name. ROWS, when given, is the number of charted
bytes expected. Prints every disagreement; exits 1 if there is any.
"""
import html
import html.parser
import re
import sys

BAD = 0xFFFE
HEADING = ["Hex", "Dec", "Chr", "ISO/IEC 10646-1:1993(E) Character Name"]


class TableRows(html.parser.HTMLParser):
    """Collects the text of every cell of every row of every table."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.tables = []
        self.row = None
        self.cell = None

    def handle_starttag(self, tag, attrs):
        if tag == "table":
            self.tables.append([])
        elif tag == "tr" and self.tables:
            self.row = []
            self.tables[-1].append(self.row)
        elif tag == "td" and self.row is not None:
            self.cell = []
            self.row.append(self.cell)

    def handle_endtag(self, tag):
        if tag == "td":
            self.cell = None
        elif tag == "tr":
            self.row = self.cell = None

    def handle_data(self, data):
        if self.cell is not None:
            self.cell.append(data)


def read_table(path):
    with open(path, "rb") as f:
        data = f.read(512)
    table = [BAD] * 256
    for i in range(len(data) // 2):
        table[i] = data[2 * i] | data[2 * i + 1] << 8
    return table


def page_rows(path):
    """The (byte, name) of every data row, from the page's own lines."""
    with open(path, "rb") as f:
        text = f.read().decode("utf-8", errors="surrogateescape")
    row = re.compile(r"\t\t<TR>\n\t\t\t<TD>([0-9A-F]{2})</TD>\n"
                     r"\t\t\t<TD><P ALIGN=Right>\d+</TD>\n"
                     r"\t\t\t<TD><P ALIGN=Center>&#\d+;</TD>\n"
                     r"\t\t\t<TD>(.*)</TD>\n")
    return [(int(m.group(1), 16), html.unescape(m.group(2))) for m in row.finditer(text)]


def describe(text):
    return " ".join("U+%04X" % ord(c) for c in text) or "nothing"


def main(argv):
    if len(argv) not in (4, 5):
        sys.stderr.write(__doc__)
        return 2
    with open(argv[1], encoding="utf-8", errors="surrogateescape") as f:
        parser = TableRows()
        parser.feed(f.read())
        parser.close()
    table = read_table(argv[3])
    expected = page_rows(argv[2])
    faults = []
    if len(argv) == 5 and len(expected) != int(argv[4]):
        faults.append("the page charts %d bytes, expected %s" % (len(expected), argv[4]))
    if len(parser.tables) != 1:
        faults.append("the document has %d tables, expected 1" % len(parser.tables))
    rows = [["".join(cell) for cell in row] for row in (parser.tables or [[]])[0]]
    if len(rows) != len(expected) + 1:
        faults.append("the table has %d rows, expected %d (heading and %d charted bytes)"
                      % (len(rows), len(expected) + 1, len(expected)))
    if rows and rows[0] != HEADING:
        faults.append("heading row %r" % rows[0])
    for cells, (byte, name) in zip(rows[1:], expected):
        want = ["%02X" % byte, str(byte), chr(table[byte]), name]
        if len(cells) != 4:
            faults.append("row of byte %02X has %d cells" % (byte, len(cells)))
        elif cells[2] != want[2]:
            faults.append("byte %02X: the character cell holds %s, expected U+%04X"
                          % (byte, describe(cells[2]), table[byte]))
        elif cells != want:
            faults.append("byte %02X: row %r, expected %r" % (byte, cells, want))
    for fault in faults:
        print("check_dom: " + fault)
    print("check_dom: %d rows checked, %d faults" % (max(len(rows) - 1, 0), len(faults)))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
