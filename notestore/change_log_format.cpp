// The change log's lines: escaping, composing and reading back.
#include "notestore/change_log_format.h"
#include "notestore/datafile_format.h"

const WCHAR kLogStored[] = L"stored";
const WCHAR kLogCreated[] = L"created";
const WCHAR kLogDeleted[] = L"deleted";
const WCHAR kLogRenamedFrom[] = L"renamed from";
const WCHAR kLogRenamed[] = L"renamed";
const WCHAR kLogOtherCopy[] = L"other copy";
const WCHAR kLogSyncReceived[] = L"sync received";

namespace {

// 1 when the field is exactly the word (letter case counts).
bool Is(const WCHAR* text, int32_t len, const WCHAR* word)
{
    if (len != TextLength(word)) return false;
    for (int32_t i = 0; i < len; i++)
        if (text[i] != word[i]) return false;
    return true;
}

}  // namespace

void EscapeLogText(const WCHAR* text, int32_t len, AIString& out)
{
    out.Clear();
    for (int32_t i = 0; i < len; i++) {
        switch (text[i]) {
        case L'\\': out.AppendText(L"\\\\"); break;
        case L'\r': out.AppendText(L"\\r"); break;
        case L'\n': out.AppendText(L"\\n"); break;
        case L'\t': out.AppendText(L"\\t"); break;
        default: out.AppendChar(text[i]);
        }
    }
}

int32_t UnescapeLogText(const WCHAR* text, int32_t len, AIString& out)
{
    out.Clear();
    for (int32_t i = 0; i < len; i++) {
        if (text[i] != L'\\') {
            out.AppendChar(text[i]);
            continue;
        }
        if (++i >= len) return 0;
        switch (text[i]) {
        case L'\\': out.AppendChar(L'\\'); break;
        case L'r': out.AppendChar(L'\r'); break;
        case L'n': out.AppendChar(L'\n'); break;
        case L't': out.AppendChar(L'\t'); break;
        default: return 0;
        }
    }
    return 1;
}

int32_t ParseChangeLogLine(const WCHAR* line, int32_t len, ChangeLogEntry& out)
{
    const WCHAR* field[5];
    int32_t fieldLen[5];
    int32_t count = 0, start = 0;
    for (int32_t i = 0; i <= len && count < 5; i++) {
        if (i == len || (line[i] == L'\t' && count < 4)) {
            field[count] = line + start;
            fieldLen[count] = i - start;
            count++;
            start = i + 1;
        }
    }
    if (count != 5 || !IsValidStoredTitle(field[2], fieldLen[2])) return 0;
    out.action = field[1];
    out.actionLen = fieldLen[1];
    out.title = field[2];
    out.titleLen = fieldLen[2];
    out.text = field[4];
    out.textLen = fieldLen[4];
    return 1;
}

int32_t IsRemovingEntry(const ChangeLogEntry& entry)
{
    return Is(entry.action, entry.actionLen, kLogDeleted) || Is(entry.action, entry.actionLen, kLogRenamedFrom);
}

void ComposeChangeLogLine(const WCHAR* stamp, const WCHAR* action, const WCHAR* title, const WCHAR* record,
                          int32_t len, AIString& line)
{
    line.Clear();
    line.AppendText(stamp).AppendChar(L'\t').AppendText(action).AppendChar(L'\t').AppendText(title).AppendChar(L'\t');
    line.AppendInt(record ? len : 0).AppendChar(L'\t');
    if (record) {
        int32_t body = len > 0 && record[0] == kNoteMark ? FindBodyStart(record, len) : 0;
        AIString escaped;
        EscapeLogText(record + body, len - body, escaped);
        line.AppendString(escaped);
    }
}

int32_t NextChangeLogLine(const WCHAR* text, int32_t len, int32_t* pos, int32_t* start, int32_t* lineLen)
{
    int32_t at = *pos;
    if (at == 0 && len > 0 && text[0] == 0xFEFF) at = 1;
    while (at < len && (text[at] == L'\r' || text[at] == L'\n')) at++;
    if (at >= len) {
        *pos = at;
        return 0;
    }
    *start = at;
    while (at < len && text[at] != L'\r' && text[at] != L'\n') at++;
    *lineLen = at - *start;
    *pos = at;
    return 1;
}
