#!/usr/bin/env python3
# Scores the web cleaner's notes against w3m -dump, page by page and by
# generator (the part of the name before "_"):
#   recall    share of the reference's words (its first 49,000 characters, the
#             capture's limit) found in the note's body, counted with repeats
#   heads     the page's <h1>-<h5> found as note headings / those within the limit
#             (less than 49,000 characters of the page's text before them)
#   links     link block entries / the page's distinct links with text (at most 100)
#   reserved  reserved characters and link block fences in the note's body
#   cut       notes shortened at the capture's limit (their link block holds
#             only the page's own address, so their links count as lost)
#   time      cleaning inside the program and w3m (its start-up taken off):
#             median of interleaved runs, with min and max
#   web_clean_score.py <pages> <notes> <references> <tavik times> <w3m times>
import collections, html.parser, os, re, statistics, sys

CAPTURE_LIMIT = 49000
MAX_LINKS = 100
WORD = re.compile(r"\w+", re.UNICODE)


class PageFacts(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.headings, self.labels = [], set()  # headings: (text, characters of text before it)
        self._heading, self._link, self._skip, self._chars = None, None, 0, 0

    def handle_starttag(self, tag, attrs):
        if tag in ("script", "style"):
            self._skip += 1
        elif re.fullmatch(r"h[1-5]", tag):
            self._heading = ""
        elif tag == "a":
            href = (dict(attrs).get("href") or "").strip()
            usable = href and not href.startswith("#") and not re.match(r"(?i)(javascript|file|data):", href)
            self._link = "" if usable else None

    def handle_endtag(self, tag):
        if tag in ("script", "style"):
            self._skip = max(0, self._skip - 1)
        elif re.fullmatch(r"h[1-5]", tag) and self._heading is not None:
            if key(self._heading):
                self.headings.append((self._heading, self._chars))
            self._heading = None
        elif tag == "a" and self._link is not None:
            label = re.sub(r"[^A-Za-z0-9 @.-]", "", self._link.replace(",", ".")).strip()
            if label:
                self.labels.add(label[:29])
            self._link = None

    def handle_data(self, data):
        if self._skip:
            return
        self._chars += len(" ".join(data.split()))
        if self._heading is not None:
            self._heading += data
        if self._link is not None:
            self._link += data


def key(text):
    return "".join(WORD.findall(text.lower()))


def words(text):
    return collections.Counter(w.lower() for w in WORD.findall(text))


def read(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        return f.read()


def times(path):
    out = collections.defaultdict(list)
    for line in open(path):
        name, ms = line.split()
        out[name].append(float(ms))
    return out


def spread(values):
    if not values:
        return "-"
    return "%.2f (%.2f-%.2f)" % (statistics.median(values), min(values), max(values))


def main():
    pages, notes, refs, tavik_file, w3m_file = sys.argv[1:6]
    tavik, w3m = times(tavik_file), times(w3m_file)
    rows, groups = [], collections.defaultdict(lambda: collections.Counter())
    head = "%-34s %7s %7s %9s %9s %4s %4s %8s %21s %21s" % (
        "page", "KB", "recall", "heads", "links", "res", "cut", "failed", "tavik ms", "w3m ms")
    print(head)
    for name in sorted(os.listdir(pages)):
        stem, ext = os.path.splitext(name)
        note_path, ref_path = os.path.join(notes, stem + ".txt"), os.path.join(refs, name + ".w3m")
        if not ext.startswith(".htm") or not os.path.exists(note_path) or not os.path.exists(ref_path):
            continue
        source = read(os.path.join(pages, name))
        note = read(note_path)
        ref = read(ref_path)[:CAPTURE_LIMIT]
        fence = note.rfind("\n{{\n")
        body, block = (note[:fence], note[fence:]) if fence >= 0 else (note, "")
        ref_words, body_words = words(ref), words(body)
        total = sum(ref_words.values())
        found = sum(min(n, body_words[w]) for w, n in ref_words.items())
        facts = PageFacts()
        facts.feed(source)
        heads = [h for h, before in facts.headings if before < CAPTURE_LIMIT]
        note_heads = [key(line) for line in body.splitlines() if line.startswith("#")]
        kept_heads = sum(1 for h in heads if any(key(h)[:40] in n for n in note_heads))
        expected_links = min(MAX_LINKS, len(facts.labels))
        kept_links = sum(1 for line in block.splitlines() if line.startswith("[") and not line.startswith("[web"))
        reserved = sum(body.count(c) for c in "\u00a4\u00b1\u00bd\x01\x02\x03") + body.count("{{") + body.count("}}")
        failed = "Capture failed" in body
        cut = "(THE CAPTURE HAS BEEN AUTOMATICALLY SHORTENED" in body
        g = stem.split("_")[0]
        for k, v in (("ref", total), ("found", found), ("heads", len(heads)), ("kept_heads", kept_heads),
                     ("links", expected_links), ("kept_links", min(kept_links, expected_links)),
                     ("reserved", reserved), ("cut", int(cut)), ("failed", int(failed)), ("pages", 1)):
            groups[g][k] += v
            groups["all"][k] += v
        groups[g]["tavik"] += statistics.median(tavik[name]) if tavik[name] else 0
        groups[g]["w3m"] += statistics.median(w3m[name]) if w3m[name] else 0
        groups["all"]["tavik"] += statistics.median(tavik[name]) if tavik[name] else 0
        groups["all"]["w3m"] += statistics.median(w3m[name]) if w3m[name] else 0
        print("%-34s %7.1f %7.3f %9s %9s %4d %4s %8s %21s %21s" % (
            name[:34], len(source.encode("utf-8", "replace")) / 1024, found / total if total else 1.0,
            "%d/%d" % (kept_heads, len(heads)), "%d/%d" % (kept_links, expected_links), reserved, "cut" if cut else "",
            "FAILED" if failed else "", spread(tavik[name]), spread(w3m[name])))
    print()
    print("%-12s %5s %7s %9s %9s %4s %4s %6s %10s %10s" % (
        "generator", "pages", "recall", "heads", "links", "res", "cut", "failed", "tavik ms", "w3m ms"))
    for g in sorted(groups, key=lambda k: (k == "all", k)):
        c = groups[g]
        print("%-12s %5d %7.3f %9.3f %9.3f %4d %4d %6d %10.2f %10.2f" % (
            g, c["pages"], c["found"] / c["ref"] if c["ref"] else 1.0,
            c["kept_heads"] / c["heads"] if c["heads"] else 1.0,
            c["kept_links"] / c["links"] if c["links"] else 1.0, c["reserved"], c["cut"], c["failed"], c["tavik"],
            c["w3m"]))


if __name__ == "__main__":
    main()
