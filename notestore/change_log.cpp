// The daily change log: writing its lines, reading them back, and replaying
// a day onto a backup.
#include "notestore/change_log.h"
#include "notestore/note_store_internal.h"
#include "notestore/note_io.h"
#include "foundation/file_write.h"

namespace {

const int32_t kMaxLogChars = 64 * 1024 * 1024;

}  // namespace

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
    AIString line, composed;
    LARGE_INTEGER size;
    bool newDay = GetFileSizeEx(file, &size) && size.QuadPart == 0;
    if (newDay) line.AppendChar(0xFEFF);
    wsprintfW(stamp, L"%02u:%02u:%02u", now.wHour, now.wMinute, now.wSecond);
    ComposeChangeLogLine(stamp, action, title, record, len, composed);
    line.AppendString(composed).AppendText(L"\r\n");
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
    int32_t pos = 0, start = 0, lineLen = 0;
    while (NextChangeLogLine(t, len, &pos, &start, &lineLen)) {
        ChangeLogEntry entry;
        if (ParseChangeLogLine(t + start, lineLen, entry)) {
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
    }
    ScanNotesFolderForNewAndDeleted();
    return applied;
}
