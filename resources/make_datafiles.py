#!/usr/bin/env python3
"""Writes the default data files that the program carries as TEXT resources.

Format (docs/datafile-format.md): UTF-16 LE with FF FE, the header line
"Tavik 10", then the notes in title order (ignoring case), each opened by
U+00A4 and its title (blanks as "_"), its body in the note mark-up, and a
link block. Run it again after changing a note; the files are kept in the
repository.
"""
import os

from start_notes import SIZES, START_NOTES

HERE = os.path.dirname(os.path.abspath(__file__))
CRLF = "\r\n"

WELCOME = [
    ("Welcome", [
        "# Welcome to Tavik",
        "",
        "Tavik keeps all your notes in this one data file. Every note has a **unique title** and a body of text.",
        "",
        "## Finding notes",
        "- Type a title into QuickSearch at the top left and press Enter.",
        "- Click a title in the note list.",
        "- Alt+Left and Alt+Right walk back and forward through the notes you looked at.",
        "",
        "## Writing",
        "Just type. Tavik saves the note by itself, when you switch notes and when you close it.",
        "Read Keys for the short cuts and Ideas for a few ways to use Tavik. @start",
    ], []),
    ("Ideas", [
        "# Ideas",
        "- Keep one note per project, person or topic.",
        "- Write the title of another note, such as Keys, to link to it.",
        "- Put @tags into notes to group them.",
        "- Links to web pages look like [Debian] and keep their address out of the text.",
    ], [("Debian", "https://www.debian.org/")]),
    ("Keys", [
        "# Keys",
        "- Ctrl+N: a new note (the QuickSearch text is offered as its title)",
        "- F2: give the note a new title",
        "- Ctrl+S: save now",
        "- Ctrl+L: QuickSearch, Escape: back to the note",
        "- Ctrl+Q: all the keys",
        "- F5: save and reload the data file",
        "- Ctrl+O: open another data file",
        "- F10: hide or show the ribbon",
        "Back to the Welcome note.",
    ], []),
]

EXAMPLES = [
    ("Books_to_read", [
        "# Books to read",
        "1. A history of the alphabet",
        "2. The craft of bread baking",
        "3. Walking the coast path",
        "Ask at the library on Saturday. @reading",
    ], []),
    ("Garden", [
        "# Garden",
        "## Spring",
        "- Sow peas and broad beans early.",
        "- Cut back the lavender when new shoots show.",
        "## Autumn",
        "- Plant garlic and tulip bulbs.",
        "See the [seed catalogue] for varieties. @home",
    ], [("seed catalogue", "rel:\\files\\seeds.pdf")]),
    ("Meeting_notes", [
        "# Meeting notes",
        "**Monday** - plan the summer trip; see Travel.",
        "//Next step//: book the ferry before the end of the month.",
        "--Call the hotel-- done. @todo",
    ], []),
    ("Recipes", [
        "# Recipes",
        "## Lentil soup",
        "- 200 g red lentils",
        "- 1 onion, 2 carrots, 1 l stock",
        "Simmer for 25 minutes, then blend half of it. @cooking",
    ], []),
    ("Travel", [
        "# Travel",
        "Ferry times are on the [harbour page].",
        "Pack: passport, charger, rain jacket.",
        "Notes from the trip go into Meeting notes afterwards. @todo",
    ], [("harbour page", "https://www.example.org/ferries")]),
]

EMPTY = [
    ("First_note", [
        "# First note",
        "Your new data file. Write here, or make a new note with Ctrl+N.",
    ], []),
]


def note_text(title, lines, links):
    out = "\u00a4" + title + CRLF + CRLF.join(lines)
    out += CRLF + "{{" + CRLF
    for label, target in links:
        out += "[" + label.replace(":", "\u00b1") + ":" + target.replace(",", "\u2026") + "]" + CRLF
    out += "}}" + CRLF
    return out


def write(name, notes):
    notes = sorted(notes, key=lambda n: n[0].lower())
    text = "Tavik 10" + CRLF + "".join(note_text(*n) for n in notes)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(b"\xff\xfe" + text.encode("utf-16-le"))


def main():
    write("welcome.tavik", WELCOME)
    write("examples.tavik", EXAMPLES)
    write("empty.tavik", EMPTY)
    # The first-start wizard's files: the first 1, 10, 30 or 80 example notes.
    for size in SIZES:
        write("start_%d.tavik" % size, START_NOTES[:size])


if __name__ == "__main__":
    main()
