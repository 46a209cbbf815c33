// The daily change log: writing its lines, reading them back, and replaying
// a day onto a backup.
#include "notestore/change_log.h"
#include "foundation/newer_windows.h"
#include "notestore/note_store_internal.h"
#include "notestore/note_io.h"
#include "foundation/file_write.h"

const WCHAR kLogStored[] = L"stored";
const WCHAR kLogCreated[] = L"created";
const WCHAR kLogDeleted[] = L"deleted";
const WCHAR kLogRenamedFrom[] = L"renamed from";
const WCHAR kLogRenamed[] = L"renamed";
const WCHAR kLogOtherCopy[] = L"other copy";
const WCHAR kLogSyncReceived[] = L"sync received";

namespace {

const int32_t kMaxLogChars = 64 * 1024 * 1024;

bool Is(const WCHAR* text, int32_t len, const WCHAR* word)
{
    return len == TextLength(word) && CompareOrdinal(text, len, word, len, FALSE) == CSTR_EQUAL;
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

void AppendChangeLog(const WCHAR* action, const WCHAR* title, const WCHAR* record, int32_t len)
{
    NoteStore& s = g_noteStore;
    SYSTEMTIME now;
    GetLocalTime(&now);
    WCHAR name[32], stamp[32];
    wsprintfW(name, L"%04u-%02u-%02u.log", now.wYear, now.wMonth, now.wDay);
    AIString folder(s.notesFolder);
    folder.AppendText(L"log\\");
    AIString path(folder);
    path.AppendText(name);
    if (!EnsureFolder(folder.GetText())) return;
    HANDLE file = CreateFileW(path.GetText(), FILE_APPEND_DATA, FILE_SHARE_READ, 0, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
    if (file == INVALID_HANDLE_VALUE) return;
    AIString line, escaped;
    LARGE_INTEGER size;
    bool newDay = GetFileSizeEx(file, &size) && size.QuadPart == 0;
    if (newDay) line.AppendChar(0xFEFF);
    wsprintfW(stamp, L"%02u:%02u:%02u\t", now.wHour, now.wMinute, now.wSecond);
    line.AppendText(stamp).AppendText(action).AppendChar(L'\t').AppendText(title).AppendChar(L'\t');
    line.AppendInt(record ? len : 0).AppendChar(L'\t');
    if (record) {
        int32_t body = len > 0 && record[0] == kNoteMark ? FindBodyStart(record, len) : 0;
        EscapeLogText(record + body, len - body, escaped);
        line.AppendString(escaped);
    }
    line.AppendText(L"\r\n");
    WriteAllToFile(file, line.GetText(), (int64_t)line.GetLength() * sizeof(WCHAR));
    CloseHandle(file);
    if (newDay) KeepNewestFiles(folder, L"20*.log", kChangeLogDays);   // names sort by date
}

int32_t ReplayChangeLog(const WCHAR* path)
{
    NoteStore& s = g_noteStore;
    if (!s.loaded || s.readOnly) return -1;
    AIString text, title, body, record, mirror;
    if (!ReadNoteTextFile(path, kMaxLogChars, text)) return -1;
    const WCHAR* t = text.GetText();
    int32_t len = text.GetLength(), applied = 0;
    int32_t pos = len > 0 && t[0] == 0xFEFF ? 1 : 0;
    while (pos < len) {
        int32_t end = pos;
        while (end < len && t[end] != L'\r' && t[end] != L'\n') end++;
        ChangeLogEntry entry;
        if (end > pos && ParseChangeLogLine(t + pos, end - pos, entry)) {
            title.AssignTextN(entry.title, entry.titleLen);
            MirrorPathOf(title.GetText(), mirror);
            if (IsRemovingEntry(entry)) {
                ScanNotesFolderForNewAndDeleted();
                int32_t at = IndexPositionOf(title.GetText());
                if (at >= 0 && DeleteNote(at)) applied++;
            } else if (UnescapeLogText(entry.text, entry.textLen, body)) {
                record.Clear();
                record.AppendChar(kNoteMark).AppendString(title).AppendText(L"\r\n").AppendString(body);
                if (WriteUtf16FileSafely(mirror.GetText(), record.GetText(), record.GetLength()) == kIoOk) applied++;
            }
        }
        pos = end;
        while (pos < len && (t[pos] == L'\r' || t[pos] == L'\n')) pos++;
    }
    ScanNotesFolderForNewAndDeleted();
    return applied;
}
