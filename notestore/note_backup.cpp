// The backups in the notes folder's "backup": the per-minute backup (while
// notes are being stored, at most once a minute, the data file as it now
// stands, the edited notes included, as
// "minutes\<name>_minute_<yyyymmdd-hhmm>.tavik"; the newest
// kMinuteBackupsKept stay) and the weekday backup (the day's first save
// keeps the version before it as "<name>_<day>.tavik"). The save comes
// first: a backup that would leave the next save no room on the disk is
// not written. A backup skipped or failed is told once per data file.
#include "notestore/note_store_internal.h"
#include "notestore/note_io.h"
#include "foundation/file_write.h"

namespace {

// The data files for which low disk space, and a backup that could not be
// written, were told.
AIString s_lowSpaceToldFor;
AIString s_backupFailureToldFor;

// The data file as the store now holds it.
int64_t DatafileBytes() { return 2 + (int64_t)g_noteStore.bufferChars * 2; }

// Room the next save of the data file needs on its disk: the file written
// anew beside it, with room to grow.
int64_t RoomForNextSave() { return DatafileBytes() + GrowthRoomBytes(DatafileBytes()); }

// 1 when a backup of that many bytes fits in the folder and leaves the
// save its room where the data file shares the disk. An unknown free space
// counts as room: the backup is tried and a failure is told.
int32_t BackupFits(const WCHAR* folder, int64_t backupBytes)
{
    int64_t free = FreeBytesIn(folder);
    if (free < 0) return 1;
    int64_t need = backupBytes + kSaveRoomMargin;
    if (IsOnSameVolume(folder, g_noteStore.dataFolder.GetText())) need += RoomForNextSave();
    return free >= need;
}

// A backup not written: for want of room, or for another reason.
void TellBackupFailed(const WCHAR* folder, int32_t diskFull)
{
    if (diskFull) {
        SayLowDiskSpaceOnce(folder);
        return;
    }
    if (s_backupFailureToldFor.EqualsTextNoCase(g_noteStore.datafilePath.GetText())) return;
    s_backupFailureToldFor.Copy(g_noteStore.datafilePath);
    RaiseStoreMessage(kMsgSavingCopyFailed);
}

const WCHAR kMinuteMark[] = L"_minute_";

// The data file's name without ".tavik".
void DatafileName(AIString& out)
{
    NoteStore& s = g_noteStore;
    out.AssignText(s.datafilePath.GetText() + s.dataFolder.GetLength());
    int dot = out.FindChar(L'.', true);
    if (dot > 0) out.SetLength(dot);
}

// Gives a copy the time it was taken (a copy keeps its source's time) and
// puts it on the disk. 1 on success.
int32_t StampAndFlush(const WCHAR* path)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, 0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, 0);
    if (file == INVALID_HANDLE_VALUE) return 0;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    int32_t ok = SetFileTime(file, 0, 0, &now) && FlushFileBuffers(file);
    return CloseHandle(file) && ok;
}

}  // namespace

// The day's first save keeps the previous version as the weekday's backup.
// It is copied beside its place, stamped and only then replaces last week's:
// a kill never leaves a backup cut short that counts as taken today.
void KeepWeekdayBackup(const WCHAR* backupPath)
{
    static const WCHAR* const kDays[] = {L"Sun", L"Mon", L"Tue", L"Wed", L"Thu", L"Fri", L"Sat"};
    NoteStore& s = g_noteStore;
    SYSTEMTIME now;
    GetLocalTime(&now);
    AIString folder(s.notesFolder), path, name;
    folder.AppendText(L"backup\\");
    DatafileName(name);
    path.Copy(folder).AppendString(name).AppendChar(L'_').AppendText(kDays[now.wDayOfWeek % 7]).AppendText(L".tavik");
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExW(path.GetText(), GetFileExInfoStandard, &data) &&
        !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        FILETIME local;
        SYSTEMTIME written;
        if (FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) && FileTimeToSystemTime(&local, &written) &&
            written.wYear == now.wYear && written.wMonth == now.wMonth && written.wDay == now.wDay)
            return;
    }
    if (!EnsureFolder(folder.GetText())) {
        TellBackupFailed(folder.GetText(), 0);
        return;
    }
    WIN32_FILE_ATTRIBUTE_DATA previous;
    if (!GetFileAttributesExW(backupPath, GetFileExInfoStandard, &previous)) return;
    if (!BackupFits(folder.GetText(), ((int64_t)previous.nFileSizeHigh << 32) | previous.nFileSizeLow)) {
        SayLowDiskSpaceOnce(folder.GetText());
        return;
    }
    AIString temporary(path);
    temporary.AppendText(L".tmp");
    if (!CopyFileW(backupPath, temporary.GetText(), FALSE) || !StampAndFlush(temporary.GetText()) ||
        ReplaceFileWith(temporary.GetText(), path.GetText()) != kIoOk) {
        int32_t diskFull = IsDiskFullError(GetLastError());
        DeleteFileW(temporary.GetText());
        TellBackupFailed(folder.GetText(), diskFull);
    }
}

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
    if (!EnsureFolder(folder.GetText())) {
        TellBackupFailed(folder.GetText(), 0);
        return;
    }
    if (!BackupFits(folder.GetText(), DatafileBytes())) {
        SayLowDiskSpaceOnce(folder.GetText());
        return;
    }
    NoteIoError failure;
    if (SaveBackupCopy(path.GetText(), failure) != kSaveDone) {
        TellBackupFailed(folder.GetText(), failure == kIoDiskFull);
        return;
    }
    AIString pattern(name);
    pattern.AppendText(kMinuteMark).AppendText(L"*.tavik");
    KeepNewestFiles(folder, pattern.GetText(), kMinuteBackupsKept);
}

void SayLowDiskSpaceOnce(const WCHAR* folder)
{
    if (s_lowSpaceToldFor.EqualsTextNoCase(g_noteStore.datafilePath.GetText())) return;
    s_lowSpaceToldFor.Copy(g_noteStore.datafilePath);
    RaiseStoreMessage(kMsgLowDiskSpaceWarning, folder);
}
