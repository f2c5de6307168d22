#!/usr/bin/env python3
"""Writes the release zip for Windows users: Corvane.exe and README.txt at its
root. Explorer's Extract All makes the folder, named after the zip; winget, which
records an archive's top-level entries and deletes them on upgrade, then leaves
Corvane.dat beside Corvane.exe and keeps the program's path.

README.txt is made from the README's user sections, taken by their headings, so
whatever is added under them is shipped too. It is plain text for Notepad:
UTF-8 with a byte-order mark, CRLF line ends, lines wrapped at 76 columns.

The zip's bytes depend only on its inputs: entries in a fixed order, every time
the given epoch (in UTC, whatever the local time zone), fixed attributes, and no
extra fields.

usage: release_zip.py README.md Corvane.exe VERSION SOURCE_DATE_EPOCH OUT.zip
"""
import hashlib
import re
import sys
import textwrap
import time
import zipfile

# The README's sections a user of the program needs, by heading (a section runs
# to the next heading of its level or above): what it is, how to install and
# upgrade it, and how to use, configure and remove it.
USER_SECTIONS = ["Corvane", "Unzip and run", "With winget or Scoop", "Using it"]
WIDTH = 76


def sections(markdown):
    """Yields (level, heading, body lines) for each heading's section, subsections included."""
    lines = markdown.splitlines()
    headings = [(i, len(m.group(1)), m.group(2).strip())
                for i, line in enumerate(lines) if (m := re.match(r"(#+)\s+(.*)", line))]
    for n, (start, level, title) in enumerate(headings):
        # The document's title holds only the introduction before the first section.
        end = next((i for i, lv, _ in headings[n + 1:] if lv <= level or level == 1), len(lines))
        yield level, title, lines[start + 1:end]


def inline(text):
    """Markdown's inline marks to plain text; code spans are kept as they are written."""
    spans = re.findall(r"`([^`]*)`", text)
    text = re.sub(r"`[^`]*`", "\0", text)
    text = re.sub(r"!\[[^\]]*\]\([^)]*\)", "", text)
    text = re.sub(r"\[([^\]]+)\]\(([^)]+)\)", r"\1 (\2)", text)
    text = re.sub(r"\*\*(.+?)\*\*", r"\1", text)
    text = re.sub(r"(?<![\w*])\*(\S(?:.*?\S)?)\*(?![\w*])", r"\1", text)
    return re.sub("\0", lambda _: spans.pop(0), text).strip()


def wrap(text, first="", rest=""):
    return textwrap.fill(text, WIDTH, initial_indent=first, subsequent_indent=rest,
                         break_long_words=False, break_on_hyphens=False)


def cells(row):
    return [inline(c) for c in row.strip().strip("|").split("|")]


def block_text(block):
    """One block of lines between blank lines, as plain text (or None to leave it out)."""
    if all(line.startswith("    ") for line in block):
        return "\n".join(block)
    if block[0].startswith("|"):
        header, *rows = [cells(r) for r in block if not re.match(r"\|[\s|:-]*$", r)]
        if len(header) == 2:
            return "\n".join(wrap(f"{a}: {b}", "- ", "  ") for a, b in rows)
        return "\n".join("\n".join(wrap(f"{h}: {c}", "- " if i == 0 else "  ", "    ")
                                   for i, (h, c) in enumerate(zip(header, row))) for row in rows)
    if block[0].startswith("- "):
        items = []
        for line in block:
            if line.startswith("- "):
                items.append(line[2:])
            else:
                items[-1] += " " + line.strip()
        return "\n".join(wrap(inline(item), "- ", "  ") for item in items)
    text = inline(" ".join(line.strip() for line in block))
    return wrap(text) if text else None


def plain_text(level, title, body):
    out = [] if level == 1 else [f"{title.upper()}\n{'-' * len(title)}"]
    block = []
    for line in body + [""]:
        m = re.match(r"(#+)\s+(.*)", line)
        if m:
            out.append(inline(m.group(2)).upper())
            continue
        if line.strip():
            block.append(line)
        elif block:
            text = block_text(block)
            if text:
                out.append(text)
            block = []
    return "\n\n".join(out)


def readme_txt(markdown, version, exe_sha256):
    found = {title: (level, body) for level, title, body in sections(markdown)}
    missing = [t for t in USER_SECTIONS if t not in found]
    if missing:
        sys.exit(f"README.md has no section {', '.join(missing)}: update USER_SECTIONS in {__file__}")
    title = f"Corvane {version}"
    parts = [f"{title}\n{'=' * len(title)}"]
    parts += [plain_text(found[t][0], t, found[t][1]).replace("<version>", version) for t in USER_SECTIONS]
    parts.append("CORVANE.EXE'S SHA-256\n---------------------\n\n"
                 + wrap("Corvane.exe in this folder has the SHA-256 below; in PowerShell,"
                        " Get-FileHash .\\Corvane.exe prints it (in capitals).")
                 + f"\n\n    {exe_sha256}")
    text = "\n\n\n".join(parts) + "\n"
    return ("\ufeff" + text.replace("\n", "\r\n")).encode("utf-8")


def write_zip(path, files, epoch):
    # DOS times have no time zone and start in 1980.
    stamp = max(time.gmtime(epoch)[:6], (1980, 1, 1, 0, 0, 0))
    with zipfile.ZipFile(path, "w") as archive:
        for name, data in files:
            info = zipfile.ZipInfo(name, stamp)
            info.create_system = 0  # attributes as Windows reads them, not Unix modes
            info.external_attr = 0x20  # archive
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, data, compresslevel=9)


def main(readme_md, exe_path, version, epoch, out):
    with open(readme_md, encoding="utf-8") as f:
        markdown = f.read()
    with open(exe_path, "rb") as f:
        exe = f.read()
    readme = readme_txt(markdown, version, hashlib.sha256(exe).hexdigest())
    write_zip(out, [("Corvane.exe", exe), ("README.txt", readme)], int(epoch))


if __name__ == "__main__":
    if len(sys.argv) != 6:
        sys.exit(__doc__)
    main(*sys.argv[1:])
