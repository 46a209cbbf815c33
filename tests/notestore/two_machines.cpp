#include "tests/notestore/two_machines.h"
#include "notestore/note_io.h"

void TwoMachines::SetUp()
{
    CloseDatafile();
    ResetNoteIoFaults();
    static const WCHAR* const kFolders[] = {L"a", L"b", L"syncf", L"share"};
    for (const WCHAR* name : kFolders) CreateDirectoryW(root.File(name).GetText(), 0);
    datafile[kMachineA] = root.File(L"a\\notes.tavik");
    datafile[kMachineB] = root.File(L"b\\notes.tavik");
    syncFolder = root.File(L"syncf\\");
    shareFolder = root.File(L"share\\");
    std::string file = DataFile(StartingNotes());
    WriteBytes(datafile[kMachineA].GetText(), file);
    WriteBytes(datafile[kMachineB].GetText(), file);
    UseFolders(true, false);
    loaded = kMachineA;
}

void TwoMachines::TearDown()
{
    CloseDatafile();
    SetSyncPassProbe(nullptr, nullptr);
    SetSyncNoticeHook(nullptr);
    g_noteStore.sync.SyncFolderSetting.Clear();
    g_noteStore.sync.ShareFolderSetting.Clear();
    CheckSyncFolders();
}

AIString TwoMachines::StartingNotes()
{
    AIString records;
    records.AppendString(NoteRecord(L"Alpha", L"first"));
    records.AppendString(NoteRecord(L"Beta", L"second"));
    records.AppendString(NoteRecord(L"Plan", L"the plan @shared"));
    return records;
}

void TwoMachines::UseFolders(bool sync, bool share)
{
    g_noteStore.sync.SyncFolderSetting.AssignText(sync ? syncFolder.GetText() : L"");
    g_noteStore.sync.ShareFolderSetting.AssignText(share ? shareFolder.GetText() : L"");
}

void TwoMachines::BothInStep()
{
    On(kMachineA);
    On(kMachineB);
    On(kMachineA);
}

void TwoMachines::Offline()
{
    g_noteStore.sync.SyncFolderPath.Clear();
    g_noteStore.sync.ShareFolderPath.Clear();
}

void TwoMachines::On(Machine machine)
{
    if (IsDatafileLoaded()) {
        ASSERT_NE(kSaveFailed, SaveDatafileIfOpen());
    }
    ASSERT_EQ(1, LoadDatafile(datafile[machine].GetText()));
    loaded = machine;
}

std::string TwoMachines::Body(const WCHAR* title)
{
    int32_t at = FindNoteByTitle(title, 0, 0);
    if (at < 0 || !OpenCurrentNote(at)) return "<missing>";
    return Utf8(g_noteStore.currentText);
}

void TwoMachines::Edit(const WCHAR* title, const WCHAR* body)
{
    int32_t at = FindNoteByTitle(title, 0, 0);
    ASSERT_GE(at, 0) << Utf8(title);
    ASSERT_EQ(1, OpenCurrentNote(at));
    ASSERT_EQ(1, StoreCurrentNote(body, 0));
}

std::string TwoMachines::Revisions(const AIString& folder)
{
    std::string all;
    AIString pattern(folder);
    pattern.AppendText(L"revisions\\*.txt");
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.GetText(), &found);
    if (search == INVALID_HANDLE_VALUE) return all;
    do {
        AIString path(folder);
        path.AppendText(L"revisions\\").AppendText(found.cFileName);
        all += ReadBytes(path.GetText());
        all += "\n";
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return all;
}
