#!/usr/bin/env python3
"""Writes course/data/2.txt, the basic vocabulary of data resource "2", from the compact
source course/data/grundwortschatz.txt (one record per line, see its header).

The output uses the ten-line record layout of the library files without comment lines:
entry, meanings, further meanings, two empty context sentences each followed by the flag
"0", word class, direction ("-1" German entry, "0" Spanish entry) and difficulty. Records
are ordered by difficulty (stable), so that the 600 records the programs read are the
easiest ones.

Usage: tools/grundwortschatz.py [--check]   (run from anywhere)
  --check  write nothing; exit with status 1 when 2.txt is not what the source gives.
"""
import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
SOURCE = ROOT / "course" / "data" / "grundwortschatz.txt"
TARGET = ROOT / "course" / "data" / "2.txt"


def fail(lineno, message):
    sys.exit(f"{SOURCE}:{lineno}: {message}")


def read_records():
    records = []
    for lineno, raw in enumerate(SOURCE.read_text(encoding="utf-8").splitlines(), 1):
        line = raw.strip()
        if not line or line.startswith("#"):
            continue
        fields = [f.strip() for f in line.split("|")]
        if len(fields) not in (5, 6):
            fail(lineno, "expected 5 or 6 fields separated by '|'")
        if len(fields) == 5:
            fields.append("")
        direction, wortart, schwierigkeit, vokabel, meaning, more = fields
        if direction not in ("S", "D"):
            fail(lineno, "direction must be S or D")
        if not (wortart.isdigit() and int(wortart) <= 7):
            fail(lineno, "word class must be 0..7")
        if not (schwierigkeit.isdigit() and int(schwierigkeit) <= 4):
            fail(lineno, "difficulty must be 0..4")
        if not vokabel or not meaning:
            fail(lineno, "entry and meaning must not be empty")
        records.append((int(schwierigkeit), [vokabel, meaning, more, "", "0", "", "0", wortart,
                                             "-1" if direction == "D" else "0", schwierigkeit]))
    records.sort(key=lambda r: r[0])  # stable: source order within one difficulty
    return records


def main():
    text = "".join(line + "\n" for _, lines in read_records() for line in lines)
    if "--check" in sys.argv[1:]:
        current = TARGET.read_text(encoding="utf-8") if TARGET.exists() else None
        if current != text:
            sys.exit(f"{TARGET} is out of date: run tools/grundwortschatz.py")
        return
    TARGET.write_text(text, encoding="utf-8", newline="\n")
    print(f"{TARGET}: {text.count(chr(10)) // 10} records")


if __name__ == "__main__":
    main()
