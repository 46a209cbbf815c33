// The daily change log: notes folder + "log\" + yyyy-mm-dd + ".log", UTF-16
// with FF FE, one line per note stored, created, renamed or deleted:
//   hh:mm:ss TAB action TAB title TAB length TAB text
// The text is the note's text after its title line (none for a deletion),
// with "\" written "\\", CR "\r", LF "\n" and TAB "\t", so that one line is
// one change. With the day's first backup, the day's log gives every note as
// it was stored that day (ReplayChangeLog). Logs older than kChangeLogDays
// days are removed when a new day's log begins.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"
#include "notestore/change_log_format.h"

enum { kChangeLogDays = 31 };

// One line in today's log. record: the note's stored record ("¤" title line
// and text) or null for a deletion.
void AppendChangeLog(const WCHAR* action, const WCHAR* title, const WCHAR* record, int32_t len);

// Applies a day's log to the open data file, line by line: each note gets
// the text it was stored with, deleted notes go. Returns the number of lines
// applied, -1 when the log cannot be read.
int32_t ReplayChangeLog(const WCHAR* path);
