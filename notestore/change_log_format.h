// The change log's line format: the actions, the escaping of a note's text,
// composing one line and reading it back. No files here.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

// The actions. A rename is two lines: the old title "renamed from", then the
// new title "renamed" with the text.
extern const WCHAR kLogStored[];
extern const WCHAR kLogCreated[];
extern const WCHAR kLogDeleted[];
extern const WCHAR kLogRenamedFrom[];
extern const WCHAR kLogRenamed[];
extern const WCHAR kLogOtherCopy[];
extern const WCHAR kLogSyncReceived[];

// One parsed line; text and action point into the line, the text still escaped.
struct ChangeLogEntry {
    const WCHAR* action;
    int32_t actionLen;
    const WCHAR* title;
    int32_t titleLen;
    const WCHAR* text;
    int32_t textLen;
};

void EscapeLogText(const WCHAR* text, int32_t len, AIString& out);
// 0 when an escape is not one of the four.
int32_t UnescapeLogText(const WCHAR* text, int32_t len, AIString& out);
// 1 when the line has its five fields and a valid title.
int32_t ParseChangeLogLine(const WCHAR* line, int32_t len, ChangeLogEntry& out);
// 1 when the entry removes its note (a deletion, or the old title of a rename).
int32_t IsRemovingEntry(const ChangeLogEntry& entry);

// The line (without its line end) for a change: stamp ("hh:mm:ss"), action,
// title, the record's length and its text after the title line, escaped.
// record: the note's stored record ("¤" title line and text) or null for a
// deletion.
void ComposeChangeLogLine(const WCHAR* stamp, const WCHAR* action, const WCHAR* title, const WCHAR* record,
                          int32_t len, AIString& line);

// The log's lines one after another: *pos starts at 0 (a byte-order mark
// there is skipped) and moves on with each call. 1 with the next non-empty
// line's start and length (without its line end); 0 when none is left.
int32_t NextChangeLogLine(const WCHAR* text, int32_t len, int32_t* pos, int32_t* start, int32_t* lineLen);
