#!/usr/bin/env python3
# Writes the damaged and hostile data files the store must refuse.
# The number in front of each name is the message id the refusal raises.
import random

BOM = b"\xff\xfe"
def u16(text): return text.encode("utf-16-le")
def note(title, body="text"): return "\u00a4" + title + "\r\n" + body + "\r\n{{\r\n}}\r\n"
GOOD = "Tavik 10\r\n" + note("Alpha") + note("beta") + note("Gamma")

files = {
    "38_empty.tavik": b"",
    "38_bom_only.tavik": BOM,
    "38_no_bom.tavik": u16(GOOD),
    "38_utf8.tavik": GOOD.encode("utf-8"),
    "38_odd_size.tavik": BOM + u16(GOOD) + b"\x00",
    "38_no_header.tavik": BOM + u16(note("Alpha") + note("beta")),
    "38_wrong_header.tavik": BOM + u16("Tavik 9\r\n" + note("Alpha")),
    "38_header_no_line_end.tavik": BOM + u16("Tavik 10" + note("Alpha")),
    "38_truncated_mid_note.tavik": BOM + u16(GOOD[:-9]),
    "38_truncated_mid_char.tavik": BOM + u16(GOOD)[:-1],
    "38_nul_inside.tavik": BOM + u16(GOOD.replace("beta\r\ntext", "beta\r\nte\0xt")),
    "38_mark_at_end.tavik": BOM + u16("Tavik 10\r\n" + note("Alpha") + "\u00a4"),
    "38_title_traversal.tavik": BOM + u16("Tavik 10\r\n" + note("..\\..\\evil")),
    "38_title_slash.tavik": BOM + u16("Tavik 10\r\n" + note("a/b")),
    "38_title_colon.tavik": BOM + u16("Tavik 10\r\n" + note("a:b")),
    "38_title_blank.tavik": BOM + u16("Tavik 10\r\n" + note("a b")),
    "38_title_bracket.tavik": BOM + u16("Tavik 10\r\n" + note("a[b")),
    "38_title_too_long.tavik": BOM + u16("Tavik 10\r\n" + note("x" * 31)),
    "38_title_tab.tavik": BOM + u16("Tavik 10\r\n\u00a4Alpha\tmore\r\nbody\r\n{{\r\n}}\r\n"),
    "38_title_empty.tavik": BOM + u16("Tavik 10\r\n" + note("")),
    "39_no_notes.tavik": BOM + u16("Tavik 10\r\n"),
    "38_header_and_text.tavik": BOM + u16("Tavik 10\r\nsome text but no note\r\n}}\r\n"),
    "3_unsorted.tavik": BOM + u16("Tavik 10\r\n" + note("Beta") + note("alpha")),
    "3_duplicate_case.tavik": BOM + u16("Tavik 10\r\n" + note("Apple") + note("apple")),
}
rng = random.Random(1234)
files["38_garbage.tavik"] = BOM + bytes(rng.randrange(256) for _ in range(4000))
files["38_garbage_after_header.tavik"] = BOM + u16("Tavik 10\r\n") + bytes(rng.randrange(256) for _ in range(4000))
for name, data in files.items():
    with open(name, "wb") as f:
        f.write(data)
