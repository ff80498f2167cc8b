#!/usr/bin/env python3
"""Writes a small delivery word list (wortlst.j_) for the demo installation.

Each word is four positions; each position is a sound record (length, text) and a
code record, each 10 bytes, little-endian, zero filler.
Usage: make_word_list.py <output>
"""
import struct
import sys

CODES = {"a": 1, "e": 2, "f": 3, "i": 4, "l": 5, "m": 6, "o": 7, "p": 8, "s": 9, "sch": 10, "u": 11}

WORDS = [
    ["M", "a", "m", "a"],
    ["O", "m", "a", "."],
    ["O", "p", "a", "."],
    ["E", "s", "e", "l"],
    ["F", "i", "sch", "."],
    ["S", "o", "f", "a"],
    ["L", "u", "p", "e"],
    ["M", "u", "s", "."],
    ["Sch", "a", "f", "."],
    ["I", "m", ".", "."],
]


def record(payload: bytes) -> bytes:
    assert len(payload) <= 10
    return payload + b"\0" * (10 - len(payload))


def entry(word) -> bytes:
    out = b""
    for position, text in enumerate(word):
        code = 0 if text in (".", ":") and position > 0 else CODES[text.lower()]
        raw = text.encode("cp1252")
        out += record(struct.pack("<H", len(raw)) + raw) + record(struct.pack("<h", code))
    return out


def main() -> None:
    if len(sys.argv) != 2:
        sys.exit("usage: make_word_list.py <output>")
    with open(sys.argv[1], "wb") as f:
        for word in WORDS:
            f.write(entry(word))


if __name__ == "__main__":
    main()
