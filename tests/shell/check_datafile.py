#!/usr/bin/env python3
"""Checks that a data file is valid and that one note holds a text.

Usage: check_datafile.py <file> <title> <text>
Valid: FF FE, the header line, notes in title order ignoring case with unique
titles, each note ending with its link block.
"""
import sys


def main():
    path, title, text = sys.argv[1], sys.argv[2], sys.argv[3]
    data = open(path, "rb").read()
    if not data.startswith(b"\xff\xfe") or len(data) % 2:
        print("no byte-order mark or odd size")
        return 1
    content = data[2:].decode("utf-16-le")
    if not content.startswith("Tavik 10\r\n"):
        print("no header line")
        return 1
    notes = content.split("\u00a4")[1:]
    titles = []
    found = False
    for note in notes:
        head, _, rest = note.partition("\r\n")
        titles.append(head)
        if not rest.endswith("}}\r\n") or "\r\n{{\r\n" not in "\r\n" + rest:
            print("note without link block:", head)
            return 1
        if head == title and text in rest:
            found = True
    keys = [t.lower() for t in titles]
    if keys != sorted(keys) or len(set(keys)) != len(keys):
        print("titles out of order or repeated:", titles)
        return 1
    if not found:
        print("the text is not in note", title)
        return 1
    print("valid data file with %d notes" % len(notes))
    return 0


if __name__ == "__main__":
    sys.exit(main())
