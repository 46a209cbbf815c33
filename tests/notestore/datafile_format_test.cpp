// The data file's format on raw text: what is accepted, what is refused and
// why, and that composing a note and reading it back gives the same parts.
#include "tests/support/gtest.h"
#include "notestore/datafile_format.h"
#include "notestore/note_store.h"
#include "notestore/side_file_text.h"
#include <vector>

namespace {

struct Parsed {
    int32_t ok;
    NoteSpanArray spans;
    DatafileProblem problem;
    AIString text;
    Parsed(const WCHAR* t) : text(t)
    {
        spans.items = 0;
        spans.count = spans.capacity = 0;
        ok = ParseDatafileText(text.GetText(), text.GetLength(), spans, problem);
    }
    ~Parsed() { FreeNoteSpans(spans); }
    AIString Title(int i) const
    {
        AIString t;
        t.AssignTextN(text.GetText() + spans.items[i].mark + 1, spans.items[i].titleLen);
        return t;
    }
};

}  // namespace

TEST(DatafileFormat, AcceptsNotesInTitleOrderIgnoringCase)
{
    Parsed p(L"Tavik 10\r\n\u00a4alpha\r\nx\r\n{{\r\n}}\r\n\u00a4Beta\r\n\r\n{{\r\n[a:b]\r\n}}\r\n\u00a4gamma\r\n{{\r\n}}\r\n");
    ASSERT_EQ(1, p.ok);
    ASSERT_EQ(3, p.spans.count);
    EXPECT_EQ("alpha", Utf8(p.Title(0)));
    EXPECT_EQ("Beta", Utf8(p.Title(1)));
    EXPECT_EQ(10, p.spans.items[0].mark);
}

TEST(DatafileFormat, RefusesWithTheRightMessage)
{
    struct Case {
        const WCHAR* text;
        int32_t id;
    } cases[] = {
        {L"Tavik 9\r\n\u00a4a\r\n{{\r\n}}\r\n", 38},
        {L"\u00a4a\r\n{{\r\n}}\r\n", 38},
        {L"Tavik 10\r\n", 39},
        {L"Tavik 10\r\n\r\n", 39},
        {L"Tavik 10\r\nstray text\r\n}}\r\n", 38},
        {L"Tavik 10\r\n\u00a4b\r\n{{\r\n}}\r\n\u00a4a\r\n{{\r\n}}\r\n", 3},
        {L"Tavik 10\r\n\u00a4Apple\r\n{{\r\n}}\r\n\u00a4apple\r\n{{\r\n}}\r\n", 3},
        {L"Tavik 10\r\n\u00a4a\r\nbody", 38},                       // cut short
        {L"Tavik 10\r\n\u00a4\r\n{{\r\n}}\r\n", 38},                 // empty title
        {L"Tavik 10\r\n\u00a4a\tb\r\n{{\r\n}}\r\n", 38},             // TAB on the title line
        {L"Tavik 10\r\n\u00a4..\\x\r\n{{\r\n}}\r\n", 38},            // leaves the notes folder
        {L"Tavik 10\r\n\u00a4a:b\r\n{{\r\n}}\r\n", 38},              // would split the index item
        {L"Tavik 10\r\n\u00a4a[b\r\n{{\r\n}}\r\n", 38},              // would join list items
        {L"Tavik 10\r\n\u00a4abcdefghijklmnopqrstuvwxyz12345\r\n{{\r\n}}\r\n", 38},  // 31 characters
        {L"Tavik 10\r\n\u00a4a\u00a4b\r\n{{\r\n}}\r\n", 38},
    };
    for (const Case& c : cases) {
        Parsed p(c.text);
        EXPECT_EQ(0, p.ok) << Utf8(c.text);
        EXPECT_EQ(c.id, p.problem.messageId) << Utf8(c.text);
    }
}

TEST(DatafileFormat, UnsortedNamesBothTitles)
{
    Parsed p(L"Tavik 10\r\n\u00a4a\r\n{{\r\n}}\r\n\u00a4c\r\n{{\r\n}}\r\n\u00a4b\r\n{{\r\n}}\r\n");
    ASSERT_EQ(3, p.problem.messageId);
    AIString title, previous;
    title.AssignTextN(p.text.GetText() + p.problem.titleStart, p.problem.titleLen);
    previous.AssignTextN(p.text.GetText() + p.problem.previousStart, p.problem.previousLen);
    EXPECT_EQ("b", Utf8(title));
    EXPECT_EQ("c", Utf8(previous));
}

TEST(DatafileFormat, ZeroCharacterIsRefused)
{
    AIString text(L"Tavik 10\r\n\u00a4a\r\nxy\r\n{{\r\n}}\r\n");
    WCHAR* p = text.GetBuffer(text.GetLength());
    p[15] = 0;  // inside the body
    NoteSpanArray spans = {0, 0, 0};
    DatafileProblem problem;
    EXPECT_EQ(0, ParseDatafileText(text.GetText(), text.GetLength(), spans, problem));
    EXPECT_EQ(38, problem.messageId);
    FreeNoteSpans(spans);
}

TEST(DatafileFormat, ByteLevelChecks)
{
    const uint8_t good[] = {0xFF, 0xFE, 'T', 0};
    const uint8_t noBom[] = {'T', 0, 'a', 0};
    EXPECT_EQ(0, CheckDatafileBytes(good, 4));
    EXPECT_EQ(38, CheckDatafileBytes(good, 3));
    EXPECT_EQ(38, CheckDatafileBytes(noBom, 4));
    EXPECT_EQ(38, CheckDatafileBytes(good, 0));
    EXPECT_EQ(44, CheckDatafileBytes(good, (int64_t)kMaxDatafileBytes + 2));
}

TEST(DatafileFormat, LinkBlockIsTheLastOneAndOnlyWhenWellFormed)
{
    // A body that itself holds a block-like text keeps it as text.
    const WCHAR* text = L"see\r\n{{\r\n[x:y]\r\n}}\r\n{{\r\n[a:b]\r\n}}\r\n";
    int32_t len = TextLength(text);
    int32_t block = FindLinkBlock(text, len);
    EXPECT_EQ(18, block);
    LinkLineCursor cursor;
    StartLinkLines(cursor, text + block, len - block);
    const WCHAR *label, *target;
    int32_t labelLen, targetLen;
    ASSERT_EQ(1, NextLinkLine(cursor, &label, &labelLen, &target, &targetLen));
    EXPECT_EQ(L'a', label[0]);
    EXPECT_EQ(1, labelLen);
    EXPECT_EQ(L'b', target[0]);
    EXPECT_EQ(0, NextLinkLine(cursor, &label, &labelLen, &target, &targetLen));

    const WCHAR* noBlock[] = {L"plain text", L"x\r\n{{\r\nnot a link\r\n}}\r\n", L"x\r\n{{\r\n[a:b]\r\n}} tail",
                              L"x\r\n{{\r\n[ab]\r\n}}\r\n", L"x\r\n{{\r\n[a:b\r\n}}\r\n",
                              L"x\r\n{{\r\n[a:b]\r\n[c:d\r\n}}\r\n", L"x\r\n{{\r\n[a:b] \r\n}}\r\n"};
    for (const WCHAR* t : noBlock) EXPECT_EQ(TextLength(t), FindLinkBlock(t, TextLength(t))) << Utf8(t);
    // The block is found from the end wherever it starts, with braces in the
    // text before it and after 0 to 40 characters of body.
    for (int32_t body = 0; body <= 40; body++) {
        AIString note;
        for (int32_t i = 0; i < body; i++) note.AppendChar(i % 7 == 3 ? L'{' : L'a');
        const int32_t start = note.GetLength();
        note.AppendText(L"\r\n{{\r\n[l{:t]\r\n}}\r\n");
        EXPECT_EQ(start, FindLinkBlock(note.GetText(), note.GetLength())) << body;
        for (int32_t from = -1; from < note.GetLength(); from++) {
            int32_t expected = from;
            while (expected >= 0 && note.CharAt(expected) != L'{') expected--;
            ASSERT_EQ(expected, FindCharBackward(note.GetText(), from, L'{')) << body << " from " << from;
        }
    }
    // A line without its closing bracket is no link line for the reader either.
    const WCHAR* open = L"\r\n{{\r\n[a:b\r\n}}";
    StartLinkLines(cursor, open, TextLength(open));
    EXPECT_EQ(0, NextLinkLine(cursor, &label, &labelLen, &target, &targetLen));
}

TEST(DatafileFormat, StoredTextNeverHoldsReservedCharacters)
{
    AIString out;
    const WCHAR* raw = L"a\u00a4b\u00b1c\rd\ne\r\nf";
    CleanBodyText(raw, TextLength(raw), out);
    EXPECT_EQ(-1, out.FindChar(0x00A4));
    EXPECT_EQ(-1, out.FindChar(0x00B1));
    EXPECT_EQ("a\xEF\xBF\xBD" "b+/-c\r\nd\r\ne\r\nf", Utf8(out));

    CleanLinkPart(L"Label: one\r\n\u00a4", 13, 1, out);
    EXPECT_EQ("Label\xC2\xB1 one", Utf8(out));
    CleanLinkPart(L"http://x/?a=1,2\t\u00b1", 17, 0, out);
    EXPECT_EQ("http://x/?a=1\xE2\x80\xA6" "2+/-", Utf8(out));
}

TEST(DatafileFormat, ComposedLinkBlockReadsBack)
{
    AIString body, record;
    const WCHAR* raw = L"text with {{ and }}\r\n{{\r\n[fake:link]\r\n}}";
    CleanBodyText(raw, TextLength(raw), body);
    record.AppendString(body);
    AppendLinkBlockStart(record);
    AppendLinkLine(record, L"web: page", 9, L"http://a.b/c,d", 14);
    AppendLinkBlockEnd(record);
    int32_t block = FindLinkBlock(record.GetText(), record.GetLength());
    EXPECT_EQ(body.GetLength(), block);
    LinkLineCursor cursor;
    StartLinkLines(cursor, record.GetText() + block, record.GetLength() - block);
    const WCHAR *label, *target;
    int32_t labelLen, targetLen;
    ASSERT_EQ(1, NextLinkLine(cursor, &label, &labelLen, &target, &targetLen));
    AIString l, t;
    l.AssignTextN(label, labelLen);
    t.AssignTextN(target, targetLen);
    EXPECT_EQ("web\xC2\xB1 page", Utf8(l));
    EXPECT_EQ("http://a.b/c\xE2\x80\xA6" "d", Utf8(t));
}

TEST(DatafileFormat, SideFileNamesAvoidDevicesAndReadBack)
{
    const WCHAR* titles[] = {L"con", L"Nul", L"com1", L"LPT9", L"console", L"com10", L"Plain"};
    const char* names[] = {"#con", "#Nul", "#com1", "#LPT9", "console", "com10", "Plain"};
    for (int i = 0; i < 7; i++) {
        AIString base, back;
        MakeSideFileBase(titles[i], base);
        EXPECT_EQ(names[i], Utf8(base));
        TitleFromSideFileBase(base.GetText(), base.GetLength(), back);
        EXPECT_EQ(Utf8(titles[i]), Utf8(back));
    }
}

TEST(DatafileFormat, SideFileNamesHoldNoLoneSurrogateAndNeverMeet)
{
    // A lone high or low surrogate anywhere; a whole pair stays as it is.
    const WCHAR lone[][5] = {{0xD800, 0}, {L'a', 0xDC00, L'b', 0}, {L'c', L'o', L'n', 0xDBFF, 0},
                             {0xDC01, 0xD801, 0}, {L'x', 0xD83D, 0xDE00, 0}, {L'a', L'b', 0}};
    const char* names[] = {"#uD800", "a#uDC00b", "con#uDBFF", "#uDC01#uD801", "x\xF0\x9F\x98\x80", "ab"};
    AIString bases[6];
    for (int i = 0; i < 6; i++) {
        AIString back;
        MakeSideFileBase(lone[i], bases[i]);
        EXPECT_EQ(names[i], Utf8(bases[i])) << i;
        TitleFromSideFileBase(bases[i].GetText(), bases[i].GetLength(), back);
        EXPECT_TRUE(back.EqualsText(lone[i])) << i;
        for (int j = 0; j < i; j++) EXPECT_FALSE(bases[i].EqualsTextNoCase(bases[j].GetText())) << i << " " << j;
    }
    // A name not made by the program is read as it stands.
    AIString back;
    TitleFromSideFileBase(L"x#uZZZZ#u12", 11, back);
    EXPECT_EQ("x#uZZZZ#u12", Utf8(back));
}

TEST(DatafileFormat, TagsFollowABlankOrLineStart)
{
    const WCHAR* text = L"@first mail@example.com (@no) \t@second,\r\n@third";
    int32_t pos = 0, start = 0, len = 0;
    const char* expected[] = {"first", "second", "third"};
    for (const char* e : expected) {
        ASSERT_EQ(1, NextTagInText(text, TextLength(text), &pos, &start, &len));
        AIString name;
        name.AssignTextN(text + start, len);
        EXPECT_EQ(e, Utf8(name));
    }
    EXPECT_EQ(0, NextTagInText(text, TextLength(text), &pos, &start, &len));
}

TEST(DatafileFormat, TitleOrderAndNormalising)
{
    EXPECT_LT(CompareTitles(L"apple", 5, L"Banana", 6), 0);
    EXPECT_EQ(0, CompareTitles(L"ABC", 3, L"abc", 3));
    EXPECT_LT(CompareTitles(L"ab", 2, L"abc", 3), 0);
    AIString t;
    NormaliseTitle(L"  my new note ", t);
    EXPECT_EQ("my_new_note", Utf8(t));
    // The stored and shown forms only swap blanks and "_"; a prefix keeps its
    // trailing blank, so "Books " still means a title that goes on.
    StoredTitleForm(L"Books ", t);
    EXPECT_EQ("Books_", Utf8(t));
    ShownTitleForm(L"Books_to_read", t);
    EXPECT_EQ("Books to read", Utf8(t));
    StoredTitleForm(L"", t);
    EXPECT_TRUE(t.IsEmpty());
}

TEST(DatafileFormat, RelativePathsOnlyForPathsInsideTheFolder)
{
    AIString out;
    EXPECT_EQ(1, MakeRelativeToFolder(L"C:\\Notes\\images\\a.png", L"C:\\notes\\", out));
    EXPECT_EQ("rel:\\images\\a.png", Utf8(out));
    // The folder given without its backslash still takes in none of its namesakes.
    EXPECT_EQ(1, MakeRelativeToFolder(L"C:\\Notes\\a.txt", L"C:\\Notes", out));
    EXPECT_EQ("rel:\\a.txt", Utf8(out));
    EXPECT_EQ(0, MakeRelativeToFolder(L"C:\\Notes2\\a.txt", L"C:\\Notes", out));
    EXPECT_EQ("C:\\Notes2\\a.txt", Utf8(out));
    EXPECT_EQ(0, MakeRelativeToFolder(L"C:\\Notes2\\a.txt", L"C:\\Notes\\", out));
    EXPECT_EQ(0, MakeRelativeToFolder(L"C:\\a.txt", L"", out));
    EXPECT_EQ(1, IsRelativePathText(L"REL:\\x"));
    EXPECT_EQ(0, IsRelativePathText(L"file:rel:"));
    EXPECT_EQ(0, IsRelativePathText(nullptr));
}

TEST(DatafileFormat, FastScanFindsEveryPositionAndStopsAtZero)
{
    WCHAR text[16];
    for (int at = 0; at < 13; at++) {
        for (int i = 0; i < 16; i++) text[i] = (WCHAR)(L'a' + i);
        text[at] = 0x00A4;
        EXPECT_EQ(at, FindCharOrZero(text, 0, 13, 0x00A4)) << at;
        EXPECT_EQ(at < 5 ? 13 : at, FindCharOrZero(text, 5, 13, 0x00A4)) << at;
        text[at] = 0;
        EXPECT_EQ(at, FindCharOrZero(text, 0, 13, 0x00A4)) << at;
    }
    // 0x01A4 and 0xA400 share a byte with the mark but are other characters.
    const WCHAR lookalikes[] = {0x01A4, 0xA400, 0x00A5, 0x00A3, 0x00A4};
    EXPECT_EQ(4, FindCharOrZero(lookalikes, 0, 5, 0x00A4));
    EXPECT_EQ(4, FindCharOrZero(lookalikes, 0, 4, 0x00A4));
}

namespace {

// A text joined from a parsed text's records (by their place in it) and new
// records, as a save puts one together; and the records' description.
struct Joined {
    std::vector<WCHAR> text;
    std::vector<JoinedRecord> records;  // their texts set where the text stands when checked
    std::vector<int32_t> offsets;       // each record's place in text
    int32_t preamble = 0;
    void Append(const WCHAR* from, int32_t len) { text.insert(text.end(), from, from + len); }
    void Start(const Parsed& source)
    {
        preamble = source.spans.items[0].mark;
        Append(source.text.GetText(), preamble);
    }
    void AddLoaded(const Parsed& source, int32_t i)
    {
        int32_t mark = source.spans.items[i].mark;
        int32_t end = i + 1 < source.spans.count ? source.spans.items[i + 1].mark : source.text.GetLength();
        Add({nullptr, end - mark, source.spans.items[i].titleLen, i});
        Append(source.text.GetText() + mark, end - mark);
    }
    void AddNew(const WCHAR* record, int32_t len)
    {
        Add({nullptr, len, -1, -1});
        Append(record, len);
    }
    void AddLeftOut() { Add({nullptr, 0, 0, 0}); }
    void Add(const JoinedRecord& record)
    {
        records.push_back(record);
        offsets.push_back((int32_t)text.size());
    }
};

// A record given with its length (it may hold a zero).
struct NewRecord {
    const WCHAR* text;
    int32_t len;
};
template <int N>
NewRecord Record(const WCHAR (&text)[N])
{
    return {text, N - 1};
}

// The joined check never accepts what the full parse refuses, and when it
// accepts, it gives the parse's spans.
void ExpectJoinedAgreesWithParse(const Joined& joined, bool mustAccept, const char* what)
{
    const int32_t chars = (int32_t)joined.text.size();
    std::vector<WCHAR> text(joined.text);
    text.push_back(0);
    NoteSpanArray full = {}, spans = {};
    DatafileProblem problem;
    int32_t parsed = ParseDatafileText(text.data(), chars, full, problem);
    // The records checked where they lie; what follows the last one closes the text.
    std::vector<JoinedRecord> records(joined.records);
    int32_t closing = joined.preamble;
    for (size_t i = 0; i < records.size(); i++) {
        records[i].text = text.data() + joined.offsets[i];
        if (records[i].len) closing = joined.offsets[i] + records[i].len;
    }
    int32_t ok = ParseJoinedRecords(text.data(), joined.preamble, records.data(), (int32_t)records.size(),
                                    text.data() + closing, chars - closing, spans);
    if (ok) {
        EXPECT_EQ(1, parsed) << what;
        EXPECT_EQ(full.count, spans.count) << what;
        for (int32_t i = 0; parsed && i < full.count && i < spans.count; i++) {
            EXPECT_EQ(full.items[i].mark, spans.items[i].mark) << what << " note " << i;
            EXPECT_EQ(full.items[i].titleLen, spans.items[i].titleLen) << what << " note " << i;
        }
    }
    if (mustAccept) {
        EXPECT_EQ(1, ok) << what;
    }
    FreeNoteSpans(full);
    FreeNoteSpans(spans);
}

}  // namespace

// A save checks only what did not come from the text it loaded: the joined
// check accepts what the full parse accepts in the usual cases, gives the same
// spans, and never accepts a text the parse would refuse.
TEST(DatafileFormat, JoinedRecordsCheckAgreesWithTheFullParse)
{
    Parsed loaded(L"Tavik 10\r\nabout\r\n\u00a4b\r\none\r\n{{\r\n}}\r\n\u00a4D\r\nbody\r\n\u00a4f\r\n"
                  L"\r\n{{\r\n}}\r\n\u00a4h\r\n{{\r\n[x:y]\r\n}}\r\n");
    ASSERT_EQ(1, loaded.ok);
    ASSERT_EQ(4, loaded.spans.count);
    struct Step {
        const char* what;
        NewRecord added;  // put in after the first loaded note; empty for none
        int32_t keep;     // loaded notes kept, as a bit set
        bool mustAccept;
    };
    const Step steps[] = {
        {"every loaded note", {L"", 0}, 0xF, true},
        {"one left out", {L"", 0}, 0xB, true},
        {"only the first and last", {L"", 0}, 0x9, true},
        {"a new note between", Record(L"\u00a4c\r\nnew\r\n{{\r\n}}\r\n"), 0xF, true},
        {"a new note in upper case between", Record(L"\u00a4Ca\r\n"), 0xF, true},
        {"a new note with the title of the next", Record(L"\u00a4d\r\nsame\r\n"), 0xF, false},
        {"a new note after its follower", Record(L"\u00a4z\r\n"), 0xF, false},
        {"a new note before its predecessor", Record(L"\u00a4a\r\n"), 0xF, false},
        {"a new note with the title of its predecessor", Record(L"\u00a4B\r\n"), 0xF, false},
        {"a new title with a blank", Record(L"\u00a4c c\r\n"), 0xF, false},
        {"a new title with a tab", Record(L"\u00a4c\tx\r\n"), 0xF, false},
        {"a new record with a second mark", Record(L"\u00a4c\r\nx\u00a4y\r\n"), 0xF, false},
        {"a new record with a zero", Record(L"\u00a4c\r\nx\0y\r\n"), 0xF, false},
        {"a new record cut after its title", Record(L"\u00a4c"), 0xF, false},
        {"a new record without its mark", Record(L"c\r\n"), 0xF, false},
        {"a new record empty of title", Record(L"\u00a4\r\nx\r\n"), 0xF, false},
    };
    for (const Step& step : steps) {
        Joined joined;
        joined.Start(loaded);
        for (int32_t i = 0; i < loaded.spans.count; i++) {
            if (step.keep & (1 << i)) joined.AddLoaded(loaded, i);
            else joined.AddLeftOut();
            if (i == 0 && step.added.len) joined.AddNew(step.added.text, step.added.len);
        }
        ExpectJoinedAgreesWithParse(joined, step.mustAccept, step.what);
    }
    // Loaded notes out of their loaded order are checked like new ones.
    struct Order {
        const char* what;
        int32_t notes[3];
    };
    for (const Order& order : {Order{"two loaded notes swapped", {1, 0, 3}}, Order{"a loaded note twice", {0, 0, 3}}}) {
        Joined joined;
        joined.Start(loaded);
        for (int32_t note : order.notes) joined.AddLoaded(loaded, note);
        ExpectJoinedAgreesWithParse(joined, false, order.what);
    }
    // A new note last must carry the closing link block.
    Joined last;
    last.Start(loaded);
    last.AddLoaded(loaded, 0);
    NewRecord open = Record(L"\u00a4k\r\nlast");
    last.AddNew(open.text, open.len);
    ExpectJoinedAgreesWithParse(last, false, "a last note without its block end");
    NewRecord closing = Record(L"\r\n{{\r\n}}\r\n");
    last.Append(closing.text, closing.len);
    ExpectJoinedAgreesWithParse(last, true, "a last note with the closing block");
}

TEST(SideFileText, BytesOfEveryFormReadAsText)
{
    AIString text;
    const uint8_t utf16[] = {0xFF, 0xFE, 'h', 0, 'i', 0, 'x'};  // a last odd byte is dropped
    ASSERT_EQ(1, DecodeNoteTextBytes(utf16, sizeof(utf16), text));
    EXPECT_TRUE(text.EqualsString(AIString(L"hi")));
    const uint8_t markOnly[] = {0xFF, 0xFE};
    ASSERT_EQ(1, DecodeNoteTextBytes(markOnly, sizeof(markOnly), text));
    EXPECT_EQ(0, text.GetLength());
    const uint8_t utf8[] = {0xEF, 0xBB, 0xBF, 'C', 'a', 'f', 0xC3, 0xA9, ' ', 0xE2, 0x82};  // cut sequence at the end
    ASSERT_EQ(1, DecodeNoteTextBytes(utf8, sizeof(utf8), text));
    EXPECT_TRUE(text.StartsWith(L"Caf\x00E9 "));
    EXPECT_EQ(0xFFFD, text.CharAt(text.GetLength() - 1));
}

TEST(SideFileText, AMirrorsTextBecomesTheRecordTheStoreWrites)
{
    // Written by the store: its own title line is replaced by the note's.
    AIString own(L"\x00A4Old_title\r\nbody\r\n{{\r\n[label:target]\r\n}}\r\n"), record;
    MirrorRecordFromText(L"Note", own.GetText(), own.GetLength(), record);
    EXPECT_TRUE(record.EqualsString(AIString(L"\x00A4Note\r\nbody\r\n{{\r\n[label:target]\r\n}}\r\n")));
    AIString again;
    MirrorRecordFromText(L"Note", record.GetText(), record.GetLength(), again);
    EXPECT_TRUE(again.EqualsString(record));
    // Written elsewhere: the whole text is the body, cleaned, with an empty link block.
    AIString capture(L"line\nnext \x00A4 mark");
    MirrorRecordFromText(L"Note", capture.GetText(), capture.GetLength(), record);
    EXPECT_TRUE(record.StartsWith(L"\x00A4Note\r\nline\r\nnext "));
    EXPECT_EQ(0, record.FindChar(kNoteMark, true)) << "the only mark is the record's own";
}
