#include "shell/sync_connection.h"
#include "shell/startup.h"
#include "shell/command_line.h"
#include "shell/frame_window.h"
#include "shell/main_panel.h"
#include "shell/file_commands.h"
#include "shell/note_commands.h"
#include "shell/shell_settings.h"
#include "shell/shutdown.h"
#include "shell/shell_ids.h"
#include "shell/dialogs_connection.h"
#include "shell/drop_target.h"
#include "shell/second_instance.h"
#include "shell/command_table.h"
#include "shell/first_start_files.h"
#include "shell/shell_messages.h"
#include "dialogs/dialog_center.h"
#include "notestore/note_store.h"
#include "notestore/datafile_read_ahead.h"
#include "foundation/app.h"
#include "foundation/message_pump.h"
#include "foundation/misc_services.h"
#include "foundation/errors.h"
#include "foundation/file_refresh.h"
#include "foundation/trace.h"
#include "foundation/process_end.h"
#include "foundation/crash_report.h"
#include <commctrl.h>
#include <ole2.h>

// The data folder on a first start (the wizard runs once the frame shows), else empty.
static AIString s_firstStartFolder;

// The fonts a note may show in. The screens' display font is not among them:
// the screens load it when they first draw a title (AIString::LoadResourceFont).
static void LoadResourceFonts()
{
    static const int kFonts[] = {IDR_FONT_SANS, IDR_FONT_SANS_BOLD, IDR_FONT_SANS_ITALIC, IDR_FONT_MONO,
                                 IDR_FONT_SERIF};
    HMODULE module = GetModuleHandleW(nullptr);
    for (int id : kFonts) {
        HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(8));
        HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
        void* bytes = loaded ? LockResource(loaded) : nullptr;
        DWORD installed = 0;
        if (bytes) AddFontMemResourceEx(bytes, SizeofResource(module, found), nullptr, &installed);
    }
}

// Writes a resource into the data folder when the file there is missing or
// different (a new version, a file cut short), not on every start.
static void WriteResourceFile(const AIString& folder, int id, const WCHAR* type, const WCHAR* name)
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return;
    AIString path;
    path.Copy(folder);
    path.AppendText(L"\\");
    path.AppendText(name);
    RefreshFileContent(path.GetText(), bytes, SizeofResource(module, found));
}

void PrepareDataFolder(AIString& folder)
{
    GetProgramDataFolder(folder);
    CreateDirectoryW(folder.GetText(), nullptr);
    static const WCHAR* const kSubfolders[] = {L"images", L"backup", L"thumb", L"icon", L"txt"};
    for (const WCHAR* sub : kSubfolders) {
        AIString path;
        path.Copy(folder);
        path.AppendText(L"\\");
        path.AppendText(sub);
        CreateDirectoryW(path.GetText(), nullptr);
    }
    WriteResourceFile(folder, IDR_HELP_PAGE, MAKEINTRESOURCEW(23), L"help.html");
    WriteResourceFile(folder, IDR_LOGO, L"PNG", L"logo.png");
}

static int PathIsFolder(const WCHAR* path)
{
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A message raised while the hidden frame is made ready (a damaged or
// read-only data file) shows the frame first: the message box lies over it.
static void ShowMessageOverFrame(int32_t messageId, const WCHAR* insert1, const WCHAR* insert2,
                                 const WCHAR* insert3)
{
    ShowPlacedFrame();
    UpdateWindow(g_frame.GetHwndField());
    ShowCatalogueMessage(messageId, insert1, insert2, insert3);
}

static void ShowStartMessagesOverFrame(bool on)
{
    SetShellMessageHook(on ? ShowMessageOverFrame : ShowCatalogueMessage);
    SetNoteStoreMessageHook(on ? ShowMessageOverFrame : ShowCatalogueMessage);
}

// RegisterApplicationRestart exists from Vista on; look it up so older
// systems (and Wine without it) just go on.
static void RegisterForRestart()
{
    typedef HRESULT(WINAPI * RestartFn)(const WCHAR*, DWORD);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    RestartFn restart = kernel ? (RestartFn)(void*)GetProcAddress(kernel, "RegisterApplicationRestart") : nullptr;
    if (restart) restart(L" /boot", 0);
}

// The init routine. 1 when the program can run; 0 ends it.
static int InitRoutine(HINSTANCE instance, const WCHAR* arguments)
{
    TRACE_SCOPE(kTraceStartup, 2);
    if (g_app.system.GetWindowsVersion() < 5.1) {
        MessageBoxW(nullptr, L"Tavik needs Windows XP Service Pack 2 or newer.", kProductName, MB_OK | MB_ICONERROR);
        return 0;
    }
    if (!LoadLibraryW(L"RICHED20.DLL")) {
        MessageBoxW(nullptr, L"RICHED20.DLL could not be loaded - Tavik cannot run without it.", kProductName,
                    MB_OK | MB_ICONERROR);
        return 0;
    }
    // Wine's own RichEdit reports an older number but has what the editor needs:
    // its version is not read there.
    int32_t version[4] = {};
    int oldRichEdit = !g_app.system.IsWine() && GetModuleVersion(L"RICHED20.DLL", version) &&
                      (version[0] < 5 || (version[0] == 5 && (version[1] < 30 || (version[1] == 30 &&
                       (version[2] < 23 || (version[2] == 23 && version[3] < 1221))))));
    if (FAILED(OleInitialize(nullptr))) {
        MessageBoxW(nullptr, L"OLE could not be initialised - Tavik cannot run.", kProductName, MB_OK | MB_ICONERROR);
        return 0;
    }
    if (GetKeyState(VK_CAPITAL) & 1) PressKey(VK_CAPITAL);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    LoadResourceFonts();

    HWND frame = CreateFrameWindow(instance);
    if (!frame) return 0;
    FramePlacementRecord placement = {};
    int havePlacement = ReadFramePlacement(&placement);
    // Hidden until it is complete: its panes are made, the file opened and
    // the first note put in without a paint each (a maximized frame shows now).
    PlaceFrameWithinWorkArea(havePlacement ? &placement.placement : nullptr, kFrameHiddenUntilShown);
    if (havePlacement && placement.splitX > 0) g_mainPanel.splitX = placement.splitX;
    SetRibbonMode(havePlacement ? placement.ribbonMode : 1);

    AIString folder;
    PrepareDataFolder(folder);
    if (!CreateContentWindow(frame)) return 0;
    g_app.SetMainWindow(frame);
    ConnectDialogs();
    ShowStartMessagesOverFrame(true);
    KeepFocusInFrame(true);

    AIString defaultFile, examplesFile;
    defaultFile.Copy(folder);
    defaultFile.AppendText(L"\\Tavik.tavik");
    examplesFile.Copy(folder);
    examplesFile.AppendText(L"\\Examples.tavik");
    int defaultFileExisted = GetFileAttributesW(defaultFile.GetText()) != INVALID_FILE_ATTRIBUTES;
    WriteDefaultDatafile(IDR_DATAFILE_WELCOME, defaultFile.GetText());
    WriteDefaultDatafile(IDR_DATAFILE_EXAMPLES, examplesFile.GetText());

    g_app.settings.Store();
    StoreFramePlacementOnly();
    RegisterForRestart();

    AIString path, last;
    SettingsGetDataFilePath(g_app.settings.Record(), last);
    int fileArgument = FindDatafileArgument(arguments, path);
    // Any other path is tried as a data file too (the store says when it is
    // none); a folder is reported once the start has shown a file.
    AIString otherPath;
    int otherArgument = !fileArgument && FindOtherPathArgument(arguments, otherPath);
    int folderNamed = otherArgument && PathIsFolder(otherPath.GetText());
    if (IsFirstStart(fileArgument, !last.IsEmpty(), defaultFileExisted)) s_firstStartFolder.Copy(folder);
    const WCHAR* named = fileArgument ? path.GetText() : (otherArgument && !folderNamed ? otherPath.GetText() : nullptr);
    OpenDatafileAtStart(named, last.GetText(), havePlacement ? placement.lastTitle : nullptr, defaultFile.GetText());
    if (folderNamed) CheckNamedDatafile(otherPath.GetText());
    ShowStartMessagesOverFrame(false);
    ShowPlacedFrame();
    KeepFocusInFrame(false);
    if (oldRichEdit) SetStatusText(L"<lred>Your RICHED20.DLL is old</lred> - some editing may not work", kStatusWarning);
    return 1;
}

// The file the start opens first (the one named on the command line, else
// the last one) is read and parsed on a worker while the windows are made.
static void StartReadingFirstDatafile(const WCHAR* arguments)
{
    AIString path;
    if (!FindDatafileArgument(arguments, path)) SettingsGetDataFilePath(g_app.settings.Record(), path);
    if (!path.IsEmpty()) StartDatafileReadAhead(path.GetText());
}

int RunApplication(HINSTANCE instance, const WCHAR* commandLine, int showCommand)
{
    TRACE_SCOPE(kTraceStartup, 3);
    WatchProcessEnd();
    g_app.Prepare(nullptr, nullptr);
    // The dump needs the program's name and the documents folder; from here on
    // an unexpected fault ends in a report.
    InstallCrashReporter();
    const WCHAR* arguments = SkipProgramPath(GetCommandLineW());
    (void)commandLine;
    if (!ClaimOrHandOver(arguments)) return 0;

    int isWine = g_app.system.IsWine();
    g_app.settings.WriteDefaults(isWine);
    g_app.settings.Load(isWine);
    g_app.settings.Store();
    LoadSettings();
    StartReadingFirstDatafile(arguments);

    int ready = InitRoutine(instance, arguments);
    // The start has opened its file: a read-ahead not taken is of no more use.
    DropDatafileReadAhead();
    if (!ready) {
        EndSingleInstance();
        return 1;
    }
    HWND frame = g_frame.GetHwndField();
    g_app.SetMainWindow(frame);
    ShowWindow(frame, showCommand == SW_SHOWMINIMIZED ? SW_SHOWMINIMIZED : SW_SHOW);
    UpdateWindow(frame);
    // Not needed to show the first note, and slow under X (a key grab each,
    // OLE's drop registration): the window comes first.
    RegisterHotKeysAsSet(frame);
    RegisterFrameDropTarget(frame);
    RegisterEditorDropTarget(g_mainPanel.editor.GetHwnd());
    g_app.SetRunState(kRunRunning);
    SetTimer(frame, kTimerFramePeriodic, 200, nullptr);
    SetTimer(frame, kTimerStatusAnimation, 250, nullptr);
    ConnectSyncNotices();
    StartMainTimer(kTimerStartupDone, 500);
    if (!s_firstStartFolder.IsEmpty()) {
        RunFirstStartWizard(s_firstStartFolder);
        s_firstStartFolder.Clear();
    }

    HACCEL keys = CreateCommandAccelerators();
    RunMessageLoop(keys, frame);
    if (keys) DestroyAcceleratorTable(keys);
    // A quit that did not come through the shutdown (session end, a crash
    // report's quit) still saves everything.
    ShutdownApplication();
    g_frame.Destroy();
    OleUninitialize();
    EndSingleInstance();
    return 0;
}
