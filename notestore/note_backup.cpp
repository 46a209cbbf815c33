// The per-minute backup: while notes are being stored, at most once a
// minute, the data file as it now stands (the edited notes included) is
// written to the notes folder's "backup\minutes" as
// <name>_minute_<yyyymmdd-hhmm>.tavik; the newest kMinuteBackupsKept stay.
// (The weekday backup is taken by the save, note_save.cpp.)
#include "notestore/note_store_internal.h"
#include "notestore/note_io.h"

namespace {

const WCHAR kMinuteMark[] = L"_minute_";

// The data file's name without ".tavik".
void DatafileName(AIString& out)
{
    NoteStore& s = g_noteStore;
    out.AssignText(s.datafilePath.GetText() + s.dataFolder.GetLength());
    int dot = out.FindChar(L'.', true);
    if (dot > 0) out.SetLength(dot);
}

}  // namespace

void KeepMinuteBackup()
{
    NoteStore& s = g_noteStore;
    if (!s.loaded || s.walkCount > 0) return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    WCHAR minute[32];
    wsprintfW(minute, L"%04u%02u%02u-%02u%02u", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute);
    AIString folder(s.notesFolder), name, path;
    folder.AppendText(L"backup\\minutes\\");
    DatafileName(name);
    path.Copy(folder).AppendString(name).AppendText(kMinuteMark).AppendText(minute).AppendText(L".tavik");
    // This minute's copy is taken: the next store in it adds nothing.
    if (GetFileAttributesW(path.GetText()) != INVALID_FILE_ATTRIBUTES) return;
    if (!EnsureFolder(folder.GetText())) return;
    if (SaveDatafileCopy(path.GetText()) != kSaveDone) return;
    AIString pattern(name);
    pattern.AppendText(kMinuteMark).AppendText(L"*.tavik");
    KeepNewestFiles(folder, pattern.GetText(), kMinuteBackupsKept);
}
