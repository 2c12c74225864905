#!/usr/bin/env python3
"""Writes the user manual korvana.rtf from its plain-text source docs/manual.md.

    python3 tools/make_manual.py [SOURCE [OUTPUT]]
    python3 tools/make_manual.py --check      # exit 1 if data/korvana.rtf is stale

The source is a small subset of Markdown, enough for a manual:
  # Title                 the manual's title (once, at the top)
  ## Chapter              a chapter heading, listed in the contents
  ### Section             a section heading
  - item                  a bullet (continuation lines indented by two spaces)
  1. item                 a numbered step
  | a | b |               a table; the first row is its head, the second |---|
  > text                  a note, indented
  ```  ...  ```           lines shown as they are, in a fixed-width font
  [contents]              the list of chapters
  blank line              ends a paragraph
Inline: **bold**, *italic*, `fixed width`. Non-ASCII text is written in the
Windows-1252 code page the program itself uses; other characters as Unicode.
The output is plain RTF 1.x that WordPad, Word and LibreOffice all read.
"""

import re
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DEFAULT_SOURCE = ROOT / "docs" / "manual.md"
DEFAULT_OUTPUT = ROOT / "data" / "korvana.rtf"

# A4 with 2 cm margins, in twips (1/1440 inch).
PAGE_WIDTH = 11906
PAGE_HEIGHT = 16838
MARGIN = 1134
TEXT_WIDTH = PAGE_WIDTH - 2 * MARGIN
CELL_GAP = 80            # half the space between a cell's text and its border
INDENT_STEP = 360        # list indent
BODY_SIZE = 21           # half-points: 10.5 pt
FIXED_SIZE = 18          # 9 pt
TABLE_SIZE = 18
COLOUR_HEADING = 1       # colour table entries
COLOUR_SHADE = 2


def escape_text(text):
    """Escapes RTF's special characters and encodes everything beyond ASCII."""
    out = []
    for ch in text:
        code = ord(ch)
        if ch in "\\{}":
            out.append("\\" + ch)
        elif ch == "\t":
            out.append("\\tab ")
        elif 32 <= code < 127:
            out.append(ch)
        else:
            try:
                byte = ch.encode("cp1252")
            except UnicodeEncodeError:
                signed = code if code < 32768 else code - 65536
                out.append("\\u%d?" % signed)
                continue
            out.append("\\'%02x" % byte[0])
    return "".join(out)


INLINE = re.compile(r"(\*\*[^*]+\*\*|`[^`]+`|\*[^*\s][^*]*\*)")


def inline(text):
    """Turns the inline marks of one paragraph into RTF groups."""
    parts = []
    for piece in INLINE.split(text):
        if not piece:
            continue
        if piece.startswith("**") and piece.endswith("**") and len(piece) > 4:
            parts.append("{\\b " + escape_text(piece[2:-2]) + "}")
        elif piece.startswith("`") and piece.endswith("`") and len(piece) > 2:
            parts.append("{\\f1\\fs%d " % FIXED_SIZE + escape_text(piece[1:-1]) + "}")
        elif piece.startswith("*") and piece.endswith("*") and len(piece) > 2:
            parts.append("{\\i " + escape_text(piece[1:-1]) + "}")
        else:
            parts.append(escape_text(piece))
    return "".join(parts)


def para(body, style=""):
    return "{\\pard\\plain\\f0\\fs%d\\sa120\\sl276\\slmult1%s %s\\par}\n" % (BODY_SIZE, style, body)


def heading(text, level, anchor=None):
    size = {1: 44, 2: 32, 3: 25}[level]
    before = {1: 0, 2: 360, 3: 240}[level]
    after = {1: 240, 2: 120, 3: 80}[level]
    body = escape_text(text)
    if anchor:
        body = "{\\*\\bkmkstart %s}%s{\\*\\bkmkend %s}" % (anchor, body, anchor)
    return ("{\\pard\\plain\\f0\\fs%d\\b\\cf%d\\keepn\\sb%d\\sa%d\\outlinelevel%d %s\\par}\n"
            % (size, COLOUR_HEADING, before, after, level - 1, body))


def column_widths(rows):
    """Shares the text width among the columns by the length of their text."""
    count = max(len(r) for r in rows)
    weights = []
    for c in range(count):
        longest = max((len(r[c]) if c < len(r) else 0) for r in rows)
        weights.append(min(max(longest, 6), 48) ** 0.8)
    total = sum(weights)
    widths = [int(TEXT_WIDTH * w / total) for w in weights]
    widths[-1] += TEXT_WIDTH - sum(widths)
    return widths


def table(rows):
    widths = column_widths(rows)
    out = []
    for index, row in enumerate(rows):
        head = index == 0
        defs = ["\\trowd\\trgaph%d\\trleft0" % CELL_GAP]
        if head:
            defs.append("\\trhdr")
        defs.append("\\trkeep")
        edge = 0
        for width in widths:
            edge += width
            cell = "\\clbrdrt\\brdrs\\brdrw6\\clbrdrl\\brdrs\\brdrw6\\clbrdrb\\brdrs\\brdrw6\\clbrdrr\\brdrs\\brdrw6"
            defs.append(cell + "\\cellx%d" % edge)
        out.append("".join(defs) + "\n")
        for c in range(len(widths)):
            text = row[c] if c < len(row) else ""
            body = inline(text)
            if head:
                body = "{\\b " + body + "}"
            out.append("\\pard\\plain\\intbl\\f0\\fs%d\\sb20\\sa20 %s\\cell\n" % (TABLE_SIZE, body))
        out.append("\\row\n")
    out.append("\\pard\\plain\\f0\\fs%d\\sa60\\par\n" % BODY_SIZE)
    return "".join(out)


def fixed_block(lines):
    body = "\\line ".join(escape_text(line) for line in lines)
    return ("{\\pard\\plain\\f1\\fs%d\\li%d\\sb60\\sa160\\keep\\cbpat%d %s\\par}\n"
            % (FIXED_SIZE, INDENT_STEP, COLOUR_SHADE, body))


def split_row(line):
    cells = line.strip().strip("|").split("|")
    return [c.strip() for c in cells]


def convert(source):
    lines = source.splitlines()
    title = None
    chapters = []
    for line in lines:
        if line.startswith("# ") and title is None:
            title = line[2:].strip()
        elif line.startswith("## "):
            chapters.append(line[3:].strip())
    if title is None:
        raise SystemExit("make_manual: the source has no '# Title' line")

    out = []
    out.append("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n")
    out.append("{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fmodern\\fcharset0 Courier New;}}\n")
    out.append("{\\colortbl;\\red0\\green70\\blue120;\\red230\\green236\\blue242;}\n")
    out.append("{\\info{\\title %s}{\\subject Korvana}}\n" % escape_text(title))
    out.append("\\paperw%d\\paperh%d\\margl%d\\margr%d\\margt%d\\margb%d\\widowctrl\n"
               % (PAGE_WIDTH, PAGE_HEIGHT, MARGIN, MARGIN, MARGIN, MARGIN))
    out.append("{\\footer\\pard\\plain\\qc\\f0\\fs16 %s \\endash  {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}\\par}\n"
               % escape_text(title))

    i = 0
    paragraph = []

    def flush():
        if paragraph:
            out.append(para(inline(" ".join(paragraph))))
            paragraph.clear()

    while i < len(lines):
        line = lines[i]
        stripped = line.strip()
        if not stripped:
            flush()
            i += 1
            continue
        if stripped.startswith("```"):
            flush()
            block = []
            i += 1
            while i < len(lines) and not lines[i].strip().startswith("```"):
                block.append(lines[i])
                i += 1
            i += 1
            out.append(fixed_block(block))
            continue
        if line.startswith("# "):
            flush()
            out.append(heading(line[2:].strip(), 1))
            i += 1
            continue
        if line.startswith("## "):
            flush()
            text = line[3:].strip()
            out.append(heading(text, 2, "ch%d" % chapters.index(text)))
            i += 1
            continue
        if line.startswith("### "):
            flush()
            out.append(heading(line[4:].strip(), 3))
            i += 1
            continue
        if stripped == "[contents]":
            flush()
            out.append(heading("Contents", 3))
            for chapter in chapters:
                out.append(para(escape_text(chapter), "\\li%d\\sa40" % INDENT_STEP))
            i += 1
            continue
        if stripped.startswith("|"):
            flush()
            rows = []
            while i < len(lines) and lines[i].strip().startswith("|"):
                row = split_row(lines[i])
                if not all(re.fullmatch(r":?-+:?", c) for c in row):
                    rows.append(row)
                i += 1
            out.append(table(rows))
            continue
        bullet = re.match(r"^(\s*)- (.*)$", line)
        number = re.match(r"^(\s*)(\d+)\. (.*)$", line)
        if bullet or number:
            flush()
            depth = len((bullet or number).group(1)) // 2
            text = [bullet.group(2) if bullet else number.group(3)]
            i += 1
            while (i < len(lines) and lines[i].startswith("  " * (depth + 1))
                   and lines[i].strip()
                   and not re.match(r"^\s*(- |\d+\. )", lines[i])):
                text.append(lines[i].strip())
                i += 1
            left = INDENT_STEP * (depth + 1)
            mark = "\\bullet" if bullet else escape_text(number.group(2) + ".")
            out.append(para("%s\\tab %s" % (mark, inline(" ".join(text))),
                            "\\li%d\\fi-%d\\tx%d\\sa60" % (left, INDENT_STEP, left)))
            continue
        if stripped.startswith("> "):
            flush()
            text = []
            while i < len(lines) and lines[i].strip().startswith(">"):
                text.append(lines[i].strip()[1:].strip())
                i += 1
            out.append(para(inline(" ".join(text)),
                            "\\li%d\\ri%d\\cbpat%d\\box\\brdrs\\brdrw6\\brsp80" % (INDENT_STEP, INDENT_STEP, COLOUR_SHADE)))
            continue
        paragraph.append(stripped)
        i += 1
    flush()
    out.append("}\n")
    # RTF is a 7-bit format; every byte above is ASCII by construction.
    return "".join(out).replace("\n", "\r\n").encode("ascii")


def main(argv):
    check = "--check" in argv
    args = [a for a in argv if a != "--check"]
    source = Path(args[0]) if args else DEFAULT_SOURCE
    output = Path(args[1]) if len(args) > 1 else DEFAULT_OUTPUT
    rtf = convert(source.read_text(encoding="utf-8"))
    if check:
        if not output.exists() or output.read_bytes() != rtf:
            print("%s is not up to date with %s: run python3 tools/make_manual.py"
                  % (output, source), file=sys.stderr)
            return 1
        return 0
    output.parent.mkdir(parents=True, exist_ok=True)
    output.write_bytes(rtf)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
