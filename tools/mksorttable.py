#!/usr/bin/env python3
"""Writes the German sort table of the sample dictionary: 256 weights, one per Windows-1252 byte.

    python3 tools/mksorttable.py data/tables/German.stb

Weight 0 ends a key, weight 1 drops the character, 2..255 are places in the order; equal weights
compare equal. The order:

- Upper and lower case are one letter. Umlauts weigh as their vowel (ä = a, ö = o, ü = u), as
  German dictionaries file them, and so do the accented letters of loan words (Café = Cafe).
  The letters that are no accented vowel get a place of their own right after their neighbour:
  ß after s, æ after a, ø and œ after o, ð after d, þ after t.
- The blank and the hyphen are not ignored but come before every digit and letter, as under the
  locale collation of the other directions (punctuation is not ignored there either). A word then
  comes before its phrases and they before the longer compounds: "Eis", "Eis am Stiel", "Eisbär".
- Other punctuation and symbols follow in the usual order of the Unicode collation (dashes,
  commas, stops, quotes, brackets, signs, currency), then the digits, then the letters.
- Control characters, the soft hyphen and the bytes that Windows-1252 leaves undefined are
  ignored. Only the NUL byte has weight 0; it never occurs inside a stored word.
"""

import sys

# Each group is one weight; groups are listed in ascending order.
GROUPS = [
    " \u00a0",   # blank, no-break space
    "_",
    "-\u2013\u2014",  # hyphen, en dash, em dash
    ",", ";", ":", "!", "\u00a1", "?", "\u00bf", ".", "\u2026", "\u00b7",
    "'\u2018\u2019\u201a\u2039\u203a",  # apostrophe and single quotes
    "\"\u201c\u201d\u201e\u00ab\u00bb",  # double quotes and guillemets
    "(", ")", "[", "]", "{", "}",
    "\u00a7", "\u00b6", "@", "*", "/", "\\", "&", "#", "%", "\u2030",
    "\u2020", "\u2021", "\u2022", "`", "\u00b4", "\u02dc", "^", "\u02c6", "\u00af", "\u00a8",
    "\u00b8", "\u00b0", "\u00a9", "\u00ae", "\u2122",
    "+", "\u00b1", "\u00f7", "\u00d7", "<", "=", ">", "\u00ac", "|", "\u00a6", "~",
    "\u00a4", "\u00a2", "$", "\u00a3", "\u00a5", "\u20ac",
    "0", "1\u00b9", "2\u00b2", "3\u00b3", "4", "5", "6", "7", "8", "9",
    "\u00bc", "\u00bd", "\u00be",
    "aA\u00aa\u00e0\u00e1\u00e2\u00e3\u00e4\u00e5\u00c0\u00c1\u00c2\u00c3\u00c4\u00c5",
    "\u00e6\u00c6",
    "bB",
    "cC\u00e7\u00c7",
    "dD",
    "\u00f0\u00d0",
    "eE\u00e8\u00e9\u00ea\u00eb\u00c8\u00c9\u00ca\u00cb",
    "fF\u0192",
    "gG", "hH",
    "iI\u00ec\u00ed\u00ee\u00ef\u00cc\u00cd\u00ce\u00cf",
    "jJ", "kK", "lL", "mM",
    "nN\u00f1\u00d1",
    "oO\u00ba\u00f2\u00f3\u00f4\u00f5\u00f6\u00d2\u00d3\u00d4\u00d5\u00d6",
    "\u00f8\u00d8",
    "\u0153\u0152",
    "pP", "qQ", "rR",
    "sS\u0161\u0160",
    "\u00df",
    "tT",
    "\u00fe\u00de",
    "uU\u00f9\u00fa\u00fb\u00fc\u00d9\u00da\u00db\u00dc",
    "vV", "wW", "xX",
    "yY\u00fd\u00ff\u00dd\u0178",
    "zZ\u017e\u017d",
    "\u00b5",  # micro sign, a Greek letter: after the Latin ones
]

IGNORED = 1
END = 0


def build():
    weight_of = {}
    for place, group in enumerate(GROUPS, start=2):
        for ch in group:
            if ch in weight_of:
                raise SystemExit(f"{ch!r} is in two groups")
            weight_of[ch] = place
    if len(GROUPS) + 2 > 256:
        raise SystemExit("too many groups for one byte")
    table = bytearray(256)
    for b in range(256):
        if b == 0:
            table[b] = END
            continue
        try:
            ch = bytes([b]).decode("cp1252")
        except UnicodeDecodeError:
            table[b] = IGNORED  # undefined in the code page
            continue
        if ch in weight_of:
            table[b] = weight_of[ch]
        elif not ch.isprintable() or ch == "\u00ad":
            table[b] = IGNORED  # control characters, soft hyphen
        else:
            raise SystemExit(f"byte 0x{b:02x} ({ch!r}) has no place in the order")
    unused = [ch for ch in weight_of if len(ch.encode("cp1252", errors="ignore")) != 1]
    if unused:
        raise SystemExit(f"not Windows-1252 characters: {unused!r}")
    return bytes(table)


def main():
    if len(sys.argv) != 2:
        raise SystemExit("usage: mksorttable.py OUT.stb")
    with open(sys.argv[1], "wb") as out:
        out.write(build())


if __name__ == "__main__":
    main()
