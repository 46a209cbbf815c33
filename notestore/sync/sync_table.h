// The line files of the sync and share folders and of the store's own sync
// state: a header line, one line per note (its title, a TAB, then fields
// separated by TABs), and an end line "end" TAB and the number of lines.
// A file cut short (no end line, or another count) is not read at all: it is
// still on its way from another machine. Lines stand in title order
// (ignoring case), each title once. Pure functions: no files and no windows.
// The folder layout is described in docs/sync-folders.md.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

enum { kSyncMaxFields = 6 };

// One line: the title and the fields after it, as offsets in the table's pool.
struct SyncLine {
    int32_t titleAt;
    int32_t titleLen;
    int32_t fieldsAt;   // the text after the title's TAB (empty when none)
    int32_t fieldsLen;
};

class SyncTable {
public:
    SyncTable();
    ~SyncTable();

    void Clear();
    // Reads a file's text. 1 when it has the header, lines in title order
    // with valid titles and fieldCount fields each, and the end line with the
    // right count; otherwise 0 and the table is empty.
    int32_t Parse(const WCHAR* text, int32_t len, const WCHAR* header, int32_t fieldCount);
    // The file's text: the header, the lines, the end line; CR LF line ends.
    void Compose(const WCHAR* header, AIString& out) const;

    int32_t Count() const { return count_; }
    // The line of the title (ignoring case), or -1.
    int32_t Find(const WCHAR* title, int32_t titleLen) const;
    void TitleAt(int32_t line, AIString& out) const;
    const WCHAR* TitleText(int32_t line, int32_t* len) const;
    // Field f (0 is the first after the title): 1 with its text, 0 when absent.
    int32_t Field(int32_t line, int32_t f, const WCHAR** text, int32_t* len) const;
    void FieldText(int32_t line, int32_t f, AIString& out) const;
    uint64_t FieldHex(int32_t line, int32_t f) const;   // 0 when absent or not hex

    // Sets the title's line (replacing the one of the same title in any
    // letter case) with the fields joined by TAB. Fields hold no TAB or line
    // end (such characters become blanks). 0 when memory ran out.
    int32_t Set(const WCHAR* title, const WCHAR* const* fields, int32_t fieldCount);
    int32_t Remove(const WCHAR* title);
    // Builds a table from lines in any order: Append them, then Sort once
    // (a later line of a title already there is dropped). Find works only
    // after the sort.
    int32_t Append(const WCHAR* title, const WCHAR* const* fields, int32_t fieldCount);
    int32_t Sort();

private:
    SyncTable(const SyncTable&);
    SyncTable& operator=(const SyncTable&);
    int32_t Grow();
    int32_t Position(const WCHAR* title, int32_t titleLen, int32_t* found) const;
    int32_t AddLine(const WCHAR* title, const WCHAR* const* fields, int32_t fieldCount, SyncLine& line);
    int32_t Compare(const SyncLine& a, const SyncLine& b) const;

    AIString pool_;
    SyncLine* lines_;
    int32_t count_;
    int32_t capacity_;
};

// 64-bit numbers as 16 upper-case hex digits, and back (0 with *ok 0 on
// anything else).
void AppendHex64(AIString& out, uint64_t value);
uint64_t ParseHex64(const WCHAR* text, int32_t len, int32_t* ok);

// 1 when the bytes are well-formed UTF-8 (no cut sequence, no overlong form,
// no surrogate, nothing above U+10FFFF). A copy that is not is still being
// written and is not read as a note.
int32_t IsWellFormedUtf8(const uint8_t* bytes, int64_t size);

// Text to UTF-8 bytes (no byte-order mark) in a LocalAlloc block; null when
// memory ran out. *size gets the byte count.
uint8_t* TextToUtf8(const WCHAR* text, int32_t len, int64_t* size);
// Well-formed UTF-8 (an optional byte-order mark skipped) to text. 0 when
// the bytes are not well-formed.
int32_t Utf8ToText(const uint8_t* bytes, int64_t size, AIString& out);
