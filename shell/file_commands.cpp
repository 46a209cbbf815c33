#include "shell/file_commands.h"
#include "shell/note_commands.h"
#include "shell/main_panel.h"
#include "shell/note_history.h"
#include "shell/frame_window.h"
#include "shell/shell_ids.h"
#include "shell/read_only_notice.h"
#include "shell/status_texts.h"
#include "shell/shell_messages.h"
#include "notestore/note_store.h"
#include "foundation/app.h"
#include "foundation/ai_file.h"
#include "foundation/file_write.h"
#include "foundation/trace.h"
#include "foundation/common_dialogs.h"
#include "ui/app_state.h"

void GetProgramDataFolder(AIString& out)
{
    if (g_app.system.IsPortable()) {
        out.AssignText(g_app.system.GetExeFolder());
        out.AppendText(L"\\data");
    } else {
        out.AssignText(g_app.system.GetDocumentsFolder());
        out.AppendText(L"\\");
        out.AppendText(g_app.GetName()[0] ? g_app.GetName() : L"Tavik");
    }
}

int WriteDefaultDatafile(int resourceId, const WCHAR* path)
{
    TRACE_SCOPE(kTraceFileCommands, 1);
    if (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) return 1;
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), L"TEXT");
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    DWORD size = found ? SizeofResource(module, found) : 0;
    if (!bytes || !size) return 0;
    // CREATE_NEW: a file that appeared meanwhile is never overwritten.
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
    int ok = WriteAllToFile(file, bytes, size);
    CloseHandle(file);
    if (!ok) DeleteFileW(path);
    return ok ? 1 : 0;
}

// The note whose title the placement kept, when it belongs to this file; else the first.
static int32_t FirstNoteToShow(const WCHAR* wantedTitle)
{
    if (wantedTitle && wantedTitle[0]) {
        int32_t index = FindNoteByTitle(wantedTitle, 0, 0);
        if (index >= 0) return index;
    }
    return GetNoteCount() > 0 ? 0 : -1;
}

int OpenDatafileShowing(const WCHAR* path, const WCHAR* wantedTitle)
{
    TRACE_SCOPE(kTraceFileCommands, 2);
    if (!path || !path[0]) return 0;
    if (IsDatafileLoaded()) {
        if (!SaveCurrentNote(kSaveAskOnFailure)) return 0;
        SaveEditorScroll();
        int32_t saved = SaveDatafileIfOpen();
        // Changed by another program: loaded first with the notes edited here
        // kept (the editor follows), then saved.
        if (saved == kSaveChangedOnDisk && RefreshNotes()) saved = SaveDatafileIfOpen();
        if (saved == kSaveFailed || saved == kSaveChangedOnDisk) return 0;
    }
    if (!LoadDatafile(path)) {
        AIString status;
        ComposeOpenFailedStatus(path, status);
        SetStatusText(status.GetText(), kStatusError);
        return 0;
    }
    g_noteStore.settings = &g_app.settings.Record();
    SettingsSetDataFilePath(g_app.settings.Record(), g_noteStore.datafilePath.GetText());
    AddRecentDatafile(g_app.settings.Record(), g_noteStore.datafilePath.GetText());
    // Stored at once: after a crash or a kill the next start opens this file.
    g_app.settings.Store();
    MainPanelWindow& p = g_mainPanel;
    p.currentNote = -1;
    p.lastShownTitle.Clear();
    g_noteHistory.Clear();
    g_noteViews.Clear();
    g_frame.RunGuarded(CreateMainWindow);
    int32_t first = FirstNoteToShow(wantedTitle);
    if (first >= 0) ReadAndShowNote(first, kShowAndRecord);
    AnnounceReadOnlyDatafile();
    return 1;
}

int OpenDatafile(const WCHAR* path) { return OpenDatafileShowing(path, nullptr); }

int CheckNamedDatafile(const WCHAR* path)
{
    if (!path || !path[0]) return 0;
    DWORD attributes = GetFileAttributesW(path);
    AIString status;
    ComposeOpenFailedStatus(path, status);
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return 1;
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        status.AppendText(L" - <lred>it is a folder</lred>, not a data file (.tavik)");
        RaiseShellMessage(kMsgNone, status.GetText(), kStatusError);
        return 0;
    }
    WCHAR full[MAX_PATH];
    DWORD length = GetFullPathNameW(path, MAX_PATH, full, nullptr);
    AIString name, folder;
    folder.AssignText(length && length < MAX_PATH ? full : path);
    int cut = folder.FindChar(L'\\', 1);
    if (cut >= 0) {
        name.AssignText(folder.GetText() + cut + 1);
        folder.KeepRange(0, cut);
    } else {
        name.Copy(folder);
        folder.Clear();
    }
    DWORD folderAttributes = folder.IsEmpty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(folder.GetText());
    int folderThere = folderAttributes != INVALID_FILE_ATTRIBUTES && (folderAttributes & FILE_ATTRIBUTE_DIRECTORY);
    status.AppendText(folderThere ? L" - the file is missing" : L" - its folder is missing");
    RaiseShellMessageWith(folderThere ? kMsgFileNotFound : kMsgPathNotFound, status.GetText(), kStatusError,
                          name.GetText(), folder.GetText());
    return 0;
}

int OpenDatafileAtStart(const WCHAR* named, const WCHAR* last, const WCHAR* lastTitle, const WCHAR* defaultFile)
{
    int opened = 0;
    if (named && named[0]) opened = CheckNamedDatafile(named) && OpenDatafile(named);
    else if (last && last[0]) opened = OpenDatafileShowing(last, lastTitle);
    else opened = OpenDatafile(defaultFile);
    if (!opened) HideControlsNoFile(1);
    return opened;
}

// The system's file dialogs: open (forSave 0) or save (forSave 1). 1 with a path.
static int AskForDatafile(int forSave, const WCHAR* title, AIString& path)
{
    WCHAR name[MAX_PATH] = {};
    OPENFILENAMEW request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = g_frame.GetHwndField();
    request.lpstrFilter = L"Tavik data files (*.tavik)\0*.tavik\0All files (*.*)\0*.*\0";
    request.lpstrFile = name;
    request.nMaxFile = MAX_PATH;
    request.lpstrTitle = title;
    request.lpstrDefExt = L"tavik";
    request.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | (forSave ? 0 : OFN_FILEMUSTEXIST);
    BOOL chosen = forSave ? ShowSaveFileDialog(&request) : ShowOpenFileDialog(&request);
    if (!chosen) return 0;
    path.AssignText(name);
    return 1;
}

int OpenDatafileDialog()
{
    TRACE_SCOPE(kTraceFileCommands, 3);
    BusyScope busy;
    AIString path;
    if (!AskForDatafile(0, L"Open a data file", path)) return 0;
    return OpenDatafile(path.GetText());
}

static int RefuseExisting(const AIString& path)
{
    if (GetFileAttributesW(path.GetText()) == INVALID_FILE_ATTRIBUTES) return 0;
    // Never write over a file the user already has: it may hold notes.
    SetStatusText(L"<lred>This file exists already</lred> - choose a new name", kStatusError);
    return 1;
}

int CreateNewDatafile()
{
    TRACE_SCOPE(kTraceFileCommands, 4);
    BusyScope busy;
    AIString path;
    if (!AskForDatafile(1, L"Create a data file", path)) return 0;
    if (RefuseExisting(path)) return 0;
    if (!WriteDefaultDatafile(IDR_DATAFILE_EMPTY, path.GetText())) {
        SetStatusText(L"<lred>The data file could not be written</lred>", kStatusError);
        return 0;
    }
    return OpenDatafile(path.GetText());
}

int SaveCopyOfDatafile()
{
    TRACE_SCOPE(kTraceFileCommands, 5);
    if (!IsDatafileLoaded()) return 0;
    BusyScope busy;
    AIString path;
    if (!AskForDatafile(1, L"Save a copy of the data file", path)) return 0;
    if (RefuseExisting(path)) return 0;
    if (!SaveCurrentNote(kSaveAskOnFailure)) return 0;
    if (!SaveDatafileCopy(path.GetText())) {
        SetStatusText(L"<lred>The copy could not be saved</lred>", kStatusError);
        return 0;
    }
    SetStatusText(L"Copy saved", kStatusDone);
    return 1;
}
