#!/usr/bin/env python3
"""Writes other_writers.corpus: seeded random tables saved by Python's csv
module, which quotes by RFC 4180, each followed by the cells it holds. The
csv tests read every file back and compare cell for cell.

    tests/unit/csv/other_writers.py    (rewrites the corpus beside it)

Each entry: a name line, then "<bytes>\\n" and the file's bytes, then
"<rows>\\n", and per row "<cells>\\n", and per cell "<bytes>\\n" and its
bytes; a line feed ends each file and cell.
"""
import csv
import io
import os
import random

ANY = ["a", "Z", "0", " ", ",", ";", "\t", '"', "\r", "\n", "\r\n", "\u00fc", "\u20ac", "|"]
# Without a separator line, a comma file whose cells hold semicolons or tabs
# outside quotes is just as well a semicolon or tab file of another shape.
NO_OTHER_SEPARATOR = [p for p in ANY if p not in (";", "\t", "|")]


def cell(rng, pieces):
    return "".join(rng.choice(pieces) for _ in range(rng.randrange(6)))


def table(rng, pieces):
    rows, columns = rng.randrange(7), 1 + rng.randrange(5)
    return [[cell(rng, pieces) for _ in range(columns)] for _ in range(rows)]


def write(rows, separator_line="", **dialect):
    text = io.StringIO(newline="")
    text.write(separator_line)
    csv.writer(text, **dialect).writerows(rows)
    return text.getvalue().encode("utf-8")


def entries(rng):
    for i in range(120):
        rows = table(rng, NO_OTHER_SEPARATOR)
        yield f"comma, quoted where needed {i}", rows, write(rows)
    for i in range(120):
        rows = table(rng, ANY)
        delimiter = rng.choice([",", ";", "\t"])
        ending = rng.choice(["\r\n", "\n"])
        data = write(rows, delimiter=delimiter, quoting=csv.QUOTE_ALL, lineterminator=ending)
        yield f"{delimiter!r}, every field quoted {i}", rows, data
    for i in range(120):
        rows = table(rng, ANY)
        delimiter = rng.choice([",", ";", "\t", "|"])
        data = write(rows, f"sep={delimiter}\r\n", delimiter=delimiter)
        yield f"{delimiter!r} named by a separator line {i}", rows, data


def main():
    out = bytearray()
    for name, rows, data in entries(random.Random(4180)):
        out += f"{name}\n{len(data)}\n".encode() + data + b"\n"
        out += f"{len(rows)}\n".encode()
        for row in rows:
            out += f"{len(row)}\n".encode()
            for text in row:
                cell_bytes = text.encode("utf-8")
                out += f"{len(cell_bytes)}\n".encode() + cell_bytes + b"\n"
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "other_writers.corpus")
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
