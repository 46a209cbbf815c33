// The data file's format on raw UTF-16 text: validation, splitting a note
// into title, body and link block, and composing a note's stored text.
// No files and no windows here; see docs/datafile-format.md.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

// Note index values (signed 32-bit, the value part of a note index item).
enum : int32_t {
    // >= 0: offset in characters of the note's U+00A4 in the buffer;
    // < 0 (above the values below): negated offset, the current text lives
    // in the note's mark-up mirror file.
    kIndexSideFileOnly = -2100999999,  // the note exists only in side files
    kIndexNoValue = -2100111111,       // an entry without value
    kIndexDeletedLimit = -2000000000,  // any other value at or below: deleted
};

enum {
    kMaxDatafileBytes = 50 * 1024 * 1024,
    kMaxNoteChars = 50000,        // editor text plus hidden link text
    kNoteWarnChars = 47000,
    kMaxTitleChars = 30,
};

// The note mark that opens every note, and the reserved link-part separator.
const WCHAR kNoteMark = 0x00A4;
const WCHAR kLinkColonMark = 0x00B1;   // ":" inside a link label
const WCHAR kLinkCommaMark = 0x2026;   // "," inside a link target

// Where a note stands in the text: its mark and its title.
struct NoteSpan {
    int32_t mark;       // offset of the note's U+00A4
    int32_t titleLen;   // the title starts at mark + 1
};

// A growable array of spans in one LocalAlloc block.
struct NoteSpanArray {
    NoteSpan* items;
    int32_t count;
    int32_t capacity;
};
void FreeNoteSpans(NoteSpanArray& spans);

// Why a text was refused: the catalogue message id, and for message 3 the
// two titles (offsets and lengths in the text) that stand in the wrong order.
struct DatafileProblem {
    int32_t messageId;      // 0 none; 38 not valid; 39 no note; 3 unsorted
    int32_t titleStart;     // message 3: the title that is out of place
    int32_t titleLen;
    int32_t previousStart;  // message 3: the title it should come before
    int32_t previousLen;
};

// Checks the byte level: even size, FF FE, at most the size limit.
// Returns 0 when fine, else the message id (38 or 44).
int32_t CheckDatafileBytes(const uint8_t* bytes, int64_t size);

// Validates the text after the byte-order mark (chars characters) and lists
// its notes. 1 when valid; 0 with the problem filled in otherwise.
int32_t ParseDatafileText(const WCHAR* text, int32_t chars, NoteSpanArray& spans, DatafileProblem& problem);

// One record of a text put together from the records of texts already
// parsed (a save joins the loaded text's records with side files' ones).
struct JoinedRecord {
    const WCHAR* text;  // where the record's characters are
    int32_t len;        // characters; 0 for a note left out
    int32_t titleLen;   // from a parsed text; -1: a record to check whole
    int32_t rank;       // its place in the parsed text (which is title order); -1 when new
};

// The spans of the text made of preambleChars characters of a parsed text's
// beginning (preamble), then the records in order, then closing. Checks what
// the parse would and no more than it has to: every new record whole, the
// order only where two neighbours did not stand in that order already. The
// pieces need not lie together: the text is checked without joining it.
// 1 when the joined text would parse with exactly these spans; 0 when it
// may not (ParseDatafileText then gives the answer and the reason).
int32_t ParseJoinedRecords(const WCHAR* preamble, int32_t preambleChars, const JoinedRecord* records, int32_t count,
                           const WCHAR* closing, int32_t closingChars, NoteSpanArray& spans);

// The note index's joined text: "title:offset" and U+00A4 for every note, in
// file order (which is title order), and where each item starts when starts
// is given (room for spans.count). 0 when memory ran out.
// Off the UI thread, kJoinQuietly: memory running out gives 0 at once
// instead of asking the user whether to try again.
enum JoinMemory { kJoinAskWhenShort = 0, kJoinQuietly = 1 };
int32_t JoinNoteIndex(const WCHAR* text, const NoteSpanArray& spans, AIString& joined, int32_t* starts = 0,
                      JoinMemory memory = kJoinAskWhenShort);

// Title rules: 1 when a title can stand in the data file.
int32_t IsValidStoredTitle(const WCHAR* title, int32_t len);
// Title order: <0, 0, >0, ignoring case.
int32_t CompareTitles(const WCHAR* a, int32_t aLen, const WCHAR* b, int32_t bLen);
// The two forms of a title: stored with "_" for every blank, shown with
// blanks. The only place where one becomes the other.
void StoredTitleForm(const WCHAR* title, AIString& out);
void ShownTitleForm(const WCHAR* stored, AIString& out);
// A title as stored: trimmed, blanks as "_".
void NormaliseTitle(const WCHAR* title, AIString& out);

// Links to files inside the data folder are written relative to it:
// "rel:\rest". 1 when a path is written that way (any letter case).
extern const WCHAR kRelativePathPrefix[];   // "rel:"
int32_t IsRelativePathText(const WCHAR* path);
// "rel:\rest" for a path inside the folder (given with its trailing
// backslash, so that "C:\Notes2\x" is not inside "C:\Notes\"); 0 and the
// path unchanged otherwise.
int32_t MakeRelativeToFolder(const WCHAR* path, const WCHAR* folder, AIString& out);

// The parts of one note's text after its title line (body and link block).
// Returns the body length: the offset of the link block, or len when the note
// has none.
int32_t FindLinkBlock(const WCHAR* text, int32_t len);
// Offset of the body in a note record that begins with its mark (after the
// title line's line end).
int32_t FindBodyStart(const WCHAR* record, int32_t len);

// Walks the link lines of a block (text from the block's start): each call
// gives the next line's label and target; 0 when none is left.
struct LinkLineCursor {
    const WCHAR* text;
    int32_t len;
    int32_t pos;
};
void StartLinkLines(LinkLineCursor& cursor, const WCHAR* block, int32_t len);
int32_t NextLinkLine(LinkLineCursor& cursor, const WCHAR** label, int32_t* labelLen,
                     const WCHAR** target, int32_t* targetLen);

// Composing a note's stored text. The body is cleaned (line ends as CR LF,
// reserved characters replaced); links are given as "label:target" pairs.
void CleanBodyText(const WCHAR* body, int32_t len, AIString& out);
void CleanLinkPart(const WCHAR* part, int32_t len, int32_t isLabel, AIString& out);
// Appends CR LF "{{" CR LF, the link lines and "}}" CR LF.
void AppendLinkBlockStart(AIString& out);
void AppendLinkLine(AIString& out, const WCHAR* label, int32_t labelLen, const WCHAR* target, int32_t targetLen);
void AppendLinkBlockEnd(AIString& out);
// A note's text after its title line as the store keeps it: the body
// cleaned, the link block rebuilt from its lines (an empty one when none).
void StoredNoteText(const WCHAR* text, int32_t len, AIString& out);

// The file name of a note's side files (without folder or extension): the
// title, with "#" in front of a device name and each surrogate without its
// partner written as "#u" and four hex digits (no file system takes one).
// "#" never stands in a title, so no two titles share a name, and a title
// without either keeps its own name.
void MakeSideFileBase(const WCHAR* title, AIString& out);
// The title of a side file's base name (the reverse of MakeSideFileBase).
void TitleFromSideFileBase(const WCHAR* base, int32_t len, AIString& out);

// The first position from `from` holding ch or a zero character, or end.
int32_t FindCharOrZero(const WCHAR* text, int32_t from, int32_t end, WCHAR ch);
// The last position at or before `from` holding ch, or -1.
int32_t FindCharBackward(const WCHAR* text, int32_t from, WCHAR ch);

// Tags: "@" and a name after a blank, TAB or line start. Gives the next tag
// name at or after *pos; 0 when none is left.
int32_t NextTagInText(const WCHAR* text, int32_t len, int32_t* pos, int32_t* nameStart, int32_t* nameLen);
