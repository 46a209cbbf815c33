// The shell through its real windows: routing by name and by command id,
// timers, note commands on a real data file, printing without a printer,
// and the shutdown. Layout and start-up text rules without a window.
#include "tests/support/gtest.h"
#include "tests/support/test_files.h"
#include "tests/notestore/store_test_files.h"
#include "tests/support/keyboard.h"
#include "tests/dialogs/image_test_files.h"
#include "tests/dialogs/note_dialog_answer.h"
#include "dialogs/modal_backdrop.h"
#include "editor/keys/editor_links.h"
#include "editor/keys/note_editor.h"
#include "editor/clipboard/editor_clipboard.h"
#include "editor/find/inc_search.h"
#include "editor/dialogs/note_dialog.h"
#include "ui/app_state.h"
#include "foundation/ai_string_table.h"
#include "foundation/registry_key.h"
#include "shell/command_line.h"
#include "shell/commands.h"
#include "shell/command_table.h"
#include "shell/file_commands.h"
#include "shell/frame_ribbon.h"
#include "shell/frame_window.h"
#include "shell/global_windows.h"
#include "shell/image_preview_connection.h"
#include "search/quick/search_shell_links.h"
#include "shell/later_entry_points.h"
#include "shell/link_helpers.h"
#include "shell/dialogs_connection.h"
#include "shell/drop_caret.h"
#include "shell/drop_target.h"
#include "shell/main_panel.h"
#include "search/quick/full_text_mode.h"
#include "shell/note_commands.h"
#include "shell/note_list_rows.h"
#include "shell/note_markup_view.h"
#include "shell/note_rescue.h"
#include "shell/read_only_notice.h"
#include "shell/panel_layout.h"
#include "shell/shell_messages.h"
#include "shell/shell_settings.h"
#include "shell/shell_ids.h"
#include "shell/shutdown.h"
#include "shell/status_texts.h"
#include "shell/second_instance.h"
#include "shell/startup.h"
#include "shell/sync_connection.h"
#include "tests/support/keyboard.h"
#include "shell/typing_store.h"
#include "notestore/note_store.h"
#include "notestore/datafile_format.h"
#include "notestore/note_io.h"
#include "notestore/sync/edit_markers.h"
#include "foundation/errors.h"
#include "dialogs/dialog_center.h"
#include "dialogs/message_box.h"
#include "dialogs/modal_backdrop.h"
#include "dialogs/screen_launchers.h"
#include "editor/editor_status.h"
#include "editor/format/zoom_status.h"
#include "ui/ai_control.h"
#include "foundation/app.h"
#include "foundation/ai_string_list.h"
#include "foundation/hash_name.h"
#include "foundation/registry_key.h"
#include "foundation/text_markup.h"
#include "foundation/trace.h"
#include "imaging/ai_image.h"
#include <ole2.h>
#include <commctrl.h>
#include <richedit.h>
#include <shlobj.h>
#include <vector>
#include <psapi.h>

#ifndef GR_GDIOBJECTS
#define GR_GDIOBJECTS 0
#define GR_USEROBJECTS 1
#endif

namespace {

int TraceIdOf(int module, int procedure) { return module * 100000 + procedure * 10; }

// 1 when the procedure left its entry id in the trace ring since the last Clear.
struct TraceWatch {
    void Clear()
    {
        for (int i = 0; i < kTraceRingSize; i++) g_traceRing.ids[i] = 0;
        g_traceRing.next = 0;
    }
    int Saw(int module, int procedure) const
    {
        int32_t ids[kTraceRingSize];
        int n = TraceSnapshot(ids, kTraceRingSize);
        for (int i = 0; i < n; i++)
            if (ids[i] == TraceIdOf(module, procedure)) return 1;
        return 0;
    }
};

std::string ReadFileUtf8(const WCHAR* path)
{
    std::string bytes = ReadBytes(path);
    if (bytes.size() < 2 || bytes == "<missing>") return "";
    AIString text;
    text.AssignTextN((const WCHAR*)(bytes.data() + 2), (int)(bytes.size() - 2) / 2);
    return Utf8(text);
}

void EditorText(AIString& out)
{
    out.AssignControlText(g_mainPanel.editor.GetHwnd());
}

void TypeIntoEditor(const WCHAR* text)
{
    HWND editor = g_mainPanel.editor.GetHwnd();
    SendMessageW(editor, EM_REPLACESEL, TRUE, (LPARAM)text);
}

class ShellTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        g_app.Prepare(L"C:\\Tools\\TavikShellTest.exe", L"TavikShellTest.exe nohotkey");
        g_app.settings.WriteDefaults(1);
        LoadLibraryW(L"RICHED20.DLL");
        OleInitialize(nullptr);
        HWND frame = CreateFrameWindow(GetModuleHandleW(nullptr));
        ASSERT_NE(frame, nullptr);
        PlaceFrameWithinWorkArea(nullptr);
        ASSERT_NE(CreateContentWindow(frame), nullptr);
        g_app.SetMainWindow(frame);
        ConnectDialogs();
        SetRibbonMode(1);
    }

    void SetUp() override
    {
        WCHAR temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_.AssignText(temp);
        folder_.AppendText(L"tavik_shell_test");
        CreateDirectoryW(folder_.GetText(), nullptr);
        path_.Copy(folder_);
        path_.AppendText(L"\\");
        AIString name;
        name.AssignAscii(testing::UnitTest::GetInstance()->current_test_info()->name());
        path_.AppendString(name);
        path_.AppendText(L".tavik");
        DeleteFileW(path_.GetText());
        DeleteLeftSideFiles(name);
        ResetShutdownForTests();
        ResetNoteIoFaults();
        // No typing carried over from an earlier test (nor its test clock).
        g_frame.typingStore = TypingStoreState{0, 0, 0};
        // No message an earlier test left up: keys and timers reach the windows.
        g_dialogCenter.UpdateMessageBox(-1);
        ClearLastShellMessage();
        g_app.SetRunState(kRunRunning);
    }

    // A data file of the program's own examples, opened and showing its first note.
    void OpenExamples()
    {
        ASSERT_EQ(WriteDefaultDatafile(IDR_DATAFILE_EXAMPLES, path_.GetText()), 1);
        ASSERT_EQ(OpenDatafile(path_.GetText()), 1);
        ASSERT_EQ(g_mainPanel.currentNote, 0);
    }

    int32_t Find(const WCHAR* title) { return FindNoteByTitle(title, 0, 0); }

    // Each test starts from its data file alone.
    void DeleteLeftSideFiles(const AIString& name)
    {
        AIString notes(folder_);
        notes.AppendText(L"\\").AppendString(name).AppendText(L"_notes\\");
        DeleteSideFiles(notes);
    }

    AIString folder_;
    AIString path_;
    TraceWatch trace_;
};

// ---- Layout, without a window ----

int Overlap(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

int Valid(const RECT& r) { return r.right >= r.left && r.bottom >= r.top; }

TEST(PanelLayout, PanesNeverOverlapAndNeverTurnNegative)
{
    const int sizes[][2] = {{1200, 800}, {520, 300}, {300, 120}, {10, 10}, {0, 0}};
    const int splits[] = {-50, 0, 100, 260, 5000};
    for (auto& size : sizes)
        for (int split : splits)
            for (int inc = 0; inc <= 2; inc++) {
                PanelLayout l;
                ComputePanelLayout(size[0], size[1], split, inc, &l);
                const RECT* panes[] = {&l.quickSearch, &l.noteList, &l.preview, &l.splitter, &l.editor, &l.status};
                for (const RECT* a : panes) {
                    EXPECT_TRUE(Valid(*a));
                    EXPECT_LE(a->right, size[0] > 0 ? size[0] : 0);
                    for (const RECT* b : panes) {
                        if (a == b) continue;
                        EXPECT_FALSE(Overlap(*a, *b)) << size[0] << "x" << size[1] << " split " << split;
                    }
                }
            }
}

TEST(PanelLayout, SplitKeepsTheEditorWideAndTheListUsable)
{
    PanelLayout l;
    ComputePanelLayout(1000, 700, 5000, 0, &l);
    EXPECT_EQ(l.editor.right - l.editor.left, kMinEditorWidth - kMargin);
    ComputePanelLayout(1000, 700, 10, 0, &l);
    EXPECT_EQ(l.splitX, kMinListWidth);
    ComputePanelLayout(1000, 700, 300, 2, &l);
    EXPECT_GT(l.incSearch.right, l.incSearch.left);
    EXPECT_GT(l.replace.right, l.replace.left);
    EXPECT_EQ(l.editor.top, l.incSearch.bottom + kMargin);
    EXPECT_EQ(l.status.bottom, 700);
}

// ---- Start-up rules, without a window ----

TEST(CommandLine, FindsTheDataFileQuotedOrNot)
{
    AIString path;
    EXPECT_EQ(FindDatafileArgument(L"nohotkey \"C:\\My notes\\home.tavik\" lang:de", path), 1);
    EXPECT_TRUE(path.EqualsText(L"C:\\My notes\\home.tavik"));
    EXPECT_EQ(FindDatafileArgument(L"Z:\\tmp\\a.TAVIK", path), 1);
    EXPECT_TRUE(path.EqualsText(L"Z:\\tmp\\a.TAVIK"));
    EXPECT_EQ(FindDatafileArgument(L"nohotkey .tavik \"unclosed", path), 0);
    EXPECT_EQ(FindDatafileArgument(nullptr, path), 0);
    EXPECT_TRUE(path.IsEmpty());
}

TEST(CommandLine, OtherPathsAreNeitherDataFilesNorStartupWords)
{
    AIString path;
    EXPECT_EQ(FindOtherPathArgument(L"nohotkey /boot lang:de -restart \"C:\\My notes\" usb", path), 1);
    EXPECT_TRUE(path.EqualsText(L"C:\\My notes"));
    EXPECT_EQ(FindOtherPathArgument(L"Z:\\tmp\\a.tavik Z:\\tmp\\b.txt", path), 1);
    EXPECT_TRUE(path.EqualsText(L"Z:\\tmp\\b.txt"));
    // A quoted word is a path even when it reads as a start-up word.
    EXPECT_EQ(FindOtherPathArgument(L"\"usb\"", path), 1);
    EXPECT_TRUE(path.EqualsText(L"usb"));
    EXPECT_EQ(FindOtherPathArgument(L"nonetwork \"\" slow", path), 0);
    EXPECT_EQ(FindOtherPathArgument(nullptr, path), 0);
}

TEST(CommandLine, WarningTextAndHotKeys)
{
    AIString text;
    MakeAlreadyRunningText(L"Tavik", text);
    EXPECT_TRUE(text.EqualsText(L"Warning - Tavik is already running, but could not be found."));
    EXPECT_EQ(WindowHotKeyForName(L"Tavik"), VK_F12);
    EXPECT_EQ(WindowHotKeyForName(L"Notes"), VK_F12 | (HOTKEYF_CONTROL << 8));
    EXPECT_EQ(WindowHotKeyForName(L"MyLongNotesName"), VK_F12 | (HOTKEYF_ALT << 8));
}

TEST(NoteMarkup, HeadingLevels)
{
    EXPECT_EQ(HeadingLevelOfLine(L"# A", 3), 1);
    EXPECT_EQ(HeadingLevelOfLine(L"### A", 5), 3);
    EXPECT_EQ(HeadingLevelOfLine(L"#### A", 6), 0);
    EXPECT_EQ(HeadingLevelOfLine(L"#A", 2), 0);
    EXPECT_EQ(HeadingLevelOfLine(L"#", 1), 0);
}

// ---- Routing ----

TEST_F(ShellTest, ByNameCommandsReachTheirHandlers)
{
    OpenExamples();
    HWND panel = g_mainPanel.GetHwndField();
    struct Case {
        const char* name;
        int module;
        int procedure;
    } cases[] = {
        {"PaintImagePreview", kTraceImagePreview, 7},
        {"CaptureWindow", kTraceScreenCapture, 4}, {"RibbonMouseMove", kTraceRibbonHover, 3},
        {"ChangeRTFfont", kTraceEditorFonts, 1}, {"ChangeRTFfontSize", kTraceEditorFonts, 2},
        {"ChangeRTFfontZoom", kTraceEditorFonts, 3}, {"HideQuickPreview", kTracePreview, 3},
        {"UpdateSplitter", kTraceMainPanel, 1},
    };
    for (const Case& c : cases) {
        trace_.Clear();
        EXPECT_EQ(SendMessageW(panel, MsgCommandByName, HashName(c.name), 0), 1) << c.name;
        EXPECT_TRUE(trace_.Saw(c.module, c.procedure)) << c.name;
    }
    // Names are case-sensitive and unknown names do nothing.
    trace_.Clear();
    EXPECT_EQ(SendMessageW(panel, MsgCommandByName, HashName("updatesplitter"), 0), 0);
    EXPECT_FALSE(trace_.Saw(kTraceMainPanel, 1));

    // The commands with effects of their own.
    // "ShowDialog" runs the screen of that id modally; no screen answers id 0,
    // so it ends at once with -1 and gives the windows back.
    g_dialogCenter.result = 5;
    EXPECT_EQ(SendMessageW(panel, MsgCommandByName, HashName("ShowDialog"), 0), 1);
    EXPECT_EQ(g_dialogCenter.result, -1);
    EXPECT_EQ(g_dialogCenter.IsDialogBusy(), 0u);
    EXPECT_EQ(DialogState, 0);
    EXPECT_EQ(GetBackdropWindow(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(g_frame.GetHwndField()));
    EXPECT_TRUE(IsWindowEnabled(panel));

    int32_t garden = Find(L"Garden");
    EXPECT_EQ(SendMessageW(panel, MsgCommandByName, HashName("ReadAndShowNote"), garden), 1);
    EXPECT_EQ(g_mainPanel.currentNote, garden);
    EXPECT_EQ(SendMessageW(panel, MsgCommandByName, HashName("ToggleIncSearch"), 1), 1);
    EXPECT_TRUE(IsWindowVisible(g_mainPanel.incSearchBox.GetHwnd()));
    SendMessageW(panel, MsgCommandByName, HashName("ToggleIncSearch"), -2);
    EXPECT_FALSE(IsWindowVisible(g_mainPanel.incSearchBox.GetHwnd()));
    EXPECT_EQ(SendMessageW(panel, MsgCommandByName, HashName("HideControlsNoFile"), 0), 1);
    EXPECT_FALSE(IsWindowVisible(g_mainPanel.editor.GetHwnd()));
    EXPECT_FALSE(IsWindowVisible(g_mainPanel.noteList.GetHwnd()));
    HideControlsNoFile(0);
}

TEST_F(ShellTest, RibbonAcceleratorsAndNamesComeFromTheOneCommandTable)
{
    // Every ribbon control posts the id of a row, and carries its help text with its key.
    ASSERT_GT(g_ribbon.GetControlCount(), 10);
    for (int i = 0; i < g_ribbon.GetControlCount(); i++) {
        const CommandRow* row = FindCommandById(g_ribbon.GetControl(i)->GetId());
        ASSERT_NE(row, nullptr) << "ribbon control " << i;
        AIString help;
        CommandHelpText(*row, help);
        EXPECT_TRUE(help.EqualsText(g_ribbon.GetControl(i)->GetHelpText().GetText())) << Utf8(help);
    }
    const CommandRow* save = FindCommandById(IDM_SAVE_NOTE);
    ASSERT_NE(save, nullptr);
    AIString help;
    CommandHelpText(*save, help);
    EXPECT_EQ(Utf8(help), "Save the note now (Ctrl+S)");
    AIString key;
    FormatCommandKey(FindCommandById(IDM_NAVIGATE_BACK)->key, key);
    EXPECT_EQ(Utf8(key), "Alt+Left");
    FormatCommandKey(FindCommandById(IDM_REFRESH_NOTES)->key, key);
    EXPECT_EQ(Utf8(key), "F5");

    // Every accelerator runs a row, and every row with a key has its accelerator.
    HACCEL table = CreateCommandAccelerators();
    ASSERT_NE(table, nullptr);
    ACCEL keys[64];
    int count = CopyAcceleratorTableW(table, keys, 64);
    DestroyAcceleratorTable(table);
    int withKeys = 0;
    for (int i = 0; i < FrameCommandCount; i++) withKeys += FrameCommandTable[i].key.virtualKey != 0;
    EXPECT_EQ(count, withKeys);
    for (int i = 0; i < count; i++) {
        const CommandRow* row = FindCommandById(keys[i].cmd);
        ASSERT_NE(row, nullptr) << "accelerator " << keys[i].cmd;
        EXPECT_EQ(keys[i].key, row->key.virtualKey);
        EXPECT_EQ(keys[i].fVirt, (BYTE)(FVIRTKEY | row->key.modifiers));
    }

    // Names and ids are unique, and each row is reachable one way at least.
    for (int i = 0; i < FrameCommandCount; i++) {
        const CommandRow& row = FrameCommandTable[i];
        EXPECT_TRUE(row.id || row.name) << i;
        EXPECT_NE(row.handler, nullptr) << i;
        if (row.id) {
            EXPECT_EQ(FindCommandById(row.id), &row) << i;
        }
        if (row.name) {
            EXPECT_EQ(FindCommandByHash(HashName(row.name)), &row) << row.name;
        }
    }
}

TEST_F(ShellTest, SaveCommandThroughTheFrameStoresTheEditedNote)
{
    OpenExamples();
    TypeIntoEditor(L"Typed through the ribbon path ");
    trace_.Clear();
    SendMessageW(g_frame.GetHwndField(), WM_COMMAND, IDM_SAVE_NOTE, 0);
    EXPECT_TRUE(trace_.Saw(kTraceNoteCommands, 2));
    EXPECT_EQ(SendMessageW(g_mainPanel.editor.GetHwnd(), EM_GETMODIFY, 0, 0), 0);
    ASSERT_NE(SaveDatafileIfOpen(), kSaveFailed);
    EXPECT_NE(ReadFileUtf8(path_.GetText()).find("Typed through the ribbon path"), std::string::npos);
}

TEST_F(ShellTest, ANoteCutAtTheStoreShowsWhatWasStoredAndSaysWhereTheWholeTextIs)
{
    OpenExamples();
    HWND editor = g_mainPanel.editor.GetHwnd();
    // 60,000 characters in lines of 100: over the limit by some 10,000.
    AIString line, typed;
    for (int i = 0; i < 99; i++) line.AppendChar((WCHAR)(L'a' + i % 26));
    line.AppendChar(L'\r');
    for (int i = 0; i < 600; i++) typed.AppendString(line);
    SetWindowTextW(editor, L"");
    TypeIntoEditor(typed.GetText());
    CHARRANGE at = {1000, 1005};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&at);
    g_noteStore.lastMessageId = 0;
    ASSERT_EQ(SaveCurrentNote(kSaveAskOnFailure), 1);
    if (g_messageBox.box) CloseMessageBox(0);

    EXPECT_EQ(kMsgNoteTooLarge, g_noteStore.lastMessageId);
    AIString shown;
    EditorText(shown);
    EXPECT_LT(shown.GetLength(), 50000);
    EXPECT_TRUE(shown.EqualsString(g_noteStore.currentText)) << shown.GetLength() << " shown, "
                                                             << g_noteStore.currentText.GetLength() << " stored";
    EXPECT_EQ(SendMessageW(editor, EM_GETMODIFY, 0, 0), 0);
    CHARRANGE kept;
    SendMessageW(editor, EM_EXGETSEL, 0, (LPARAM)&kept);
    EXPECT_EQ(kept.cpMin, 1000);
    EXPECT_EQ(kept.cpMax, 1005);
    // The whole text is where the message says.
    std::string copy = ReadFileUtf8(g_noteStore.lastMessageInserts[1].GetText());
    EXPECT_GE(copy.size(), 60000u);
    // A store that keeps the text as given leaves the editor alone: its undo stays.
    TypeIntoEditor(L"more");
    ASSERT_EQ(SaveCurrentNote(kSaveAskOnFailure), 1);
    EXPECT_NE(SendMessageW(editor, EM_CANUNDO, 0, 0), 0);
}

// ---- Timers ----

TEST_F(ShellTest, TimersDispatchById)
{
    OpenExamples();
    HWND panel = g_mainPanel.GetHwndField();
    struct Case {
        UINT_PTR id;
        int module;
        int procedure;
    } cases[] = {
        {kTimerLinkHover, kTraceImagePreview, 7}, {kTimerImageHover, kTraceImagePreview, 7},
        {kTimerQuickPreview, kTracePreview, 3}, {kTimerThumbnail, kTraceImagePreview, 3},
        {kTimerPreviewRepaint, kTracePreview, 5}, {kTimerRibbonHover, kTraceRibbonHover, 2},
        {kTimerCaptureBalloon, kTraceTrayHotKeys, 4}, {kTimerCaptureClickMode, kTraceScreenCapture, 5},
    };
    for (const Case& c : cases) {
        trace_.Clear();
        SendMessageW(panel, WM_TIMER, c.id, 0);
        EXPECT_TRUE(trace_.Saw(c.module, c.procedure)) << c.id;
    }
    // The held-Ctrl hint's timers, the shared first one and each field's own.
    for (UINT_PTR id : {(UINT_PTR)kTimerCtrlHintEditor, (UINT_PTR)kTimerCtrlHintFirst, (UINT_PTR)kTimerCtrlHintLast}) {
        trace_.Clear();
        SendMessageW(panel, WM_TIMER, id, 0);
        EXPECT_TRUE(trace_.Saw(kTraceCtrlHint, 2)) << id;
    }
    // The QuickSearch preview of the selected note.
    trace_.Clear();
    SendMessageW(panel, WM_TIMER, kTimerQuickSearchPreview, 0);
    EXPECT_TRUE(trace_.Saw(kTraceQuickSearch, 1));
    // The editor's status timer ends the caret-line highlight through the editor:
    // the editor is entered from QuickSearch, its caret line highlighted.
    SetFocus(g_mainPanel.quickSearch.GetHwnd());
    SetEditorStatusMode(kStatusModeNormal);
    SetFocus(g_mainPanel.editor.GetHwnd());
    ASSERT_EQ(GetEditorStatusMode(), kStatusModeHighlighted);
    trace_.Clear();
    SendMessageW(panel, WM_TIMER, kTimerEditorStatus, 0);
    EXPECT_TRUE(trace_.Saw(kTraceEditorStatus, 1));
    // 10120 stops the preview timer 10121 before it paints.
    StartMainTimer(kTimerQuickPreview, 10000);
    SendMessageW(panel, WM_TIMER, kTimerLinkHover, 0);
    EXPECT_FALSE(KillTimer(panel, kTimerQuickPreview));
    // One-shot timers stop themselves; KillAllTimers stops everything started.
    StartMainTimer(kTimerEditorStatus, 10000);
    SendMessageW(panel, WM_TIMER, kTimerEditorStatus, 0);
    EXPECT_FALSE(KillTimer(panel, kTimerEditorStatus));
    StartMainTimer(kTimerThumbnail, 10000);
    StartMainTimer(kTimerRibbonHover, 10000);
    KillAllTimers();
    EXPECT_FALSE(KillTimer(panel, kTimerThumbnail));
    EXPECT_FALSE(KillTimer(panel, kTimerRibbonHover));
    // An unknown id is not a timer of the content window.
    trace_.Clear();
    SendMessageW(panel, WM_TIMER, 4242, 0);
    EXPECT_FALSE(trace_.Saw(kTraceLaterEntryPoints, 7));
}

TEST_F(ShellTest, KillAllTimersStopsEveryApplicationTimer)
{
    OpenExamples();
    HWND panel = g_mainPanel.GetHwndField();
    const UINT_PTR ids[] = {
        kTimerCtrlHintFirst, kTimerCtrlHintFirst + 1, kTimerCtrlHintFirst + 2, kTimerCtrlHintFirst + 3,
        kTimerCtrlHintLast, kTimerCtrlHintEditor, kTimerEditorStatus, kTimerLinkHover, kTimerQuickPreview,
        kTimerImageHover, kTimerEditorRepaint, kTimerEditorRepaint2, kTimerRibbonHover, kTimerCaptureClickMode,
        kTimerThumbnail, kTimerPreviewRepaint, kTimerQuickSearchPreview, kTimerCaptureBalloon, kTimerStartupDone,
    };
    const int count = sizeof ids / sizeof ids[0];
    KillAllTimers();
    for (UINT_PTR id : ids) StartMainTimer(id, 100000);
    ASSERT_EQ(CountRunningMainTimers(), count);
    KillAllTimers();
    EXPECT_EQ(CountRunningMainTimers(), 0);
    // KillTimer answers FALSE for a timer that no longer exists.
    for (UINT_PTR id : ids) EXPECT_FALSE(KillTimer(panel, id)) << id;
}

// The frame lands inside the work area whatever placement was saved.
TEST_F(ShellTest, SavedPlacementOutsideTheWorkAreaIsMovedIntoIt)
{
    HWND frame = g_frame.GetHwndField();
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int workWidth = work.right - work.left, workHeight = work.bottom - work.top;
    ASSERT_GE(workWidth, 640);
    ASSERT_GE(workHeight, 480);
    struct Case {
        const char* what;
        RECT saved;
        RECT expected;
    } cases[] = {
        {"left of the work area", {work.left - 300, work.top + 10, work.left + 300, work.top + 410},
         {work.left, work.top + 10, work.left + 600, work.top + 410}},
        {"right of it", {work.right - 100, work.top + 10, work.right + 500, work.top + 410},
         {work.right - 600, work.top + 10, work.right, work.top + 410}},
        {"above it", {work.left + 10, work.top - 200, work.left + 610, work.top + 200},
         {work.left + 10, work.top, work.left + 610, work.top + 400}},
        {"below it", {work.left + 10, work.bottom - 50, work.left + 610, work.bottom + 350},
         {work.left + 10, work.bottom - 400, work.left + 610, work.bottom}},
        {"larger than it", {work.left - 50, work.top - 50, work.right + 50, work.bottom + 50},
         {work.left, work.top, work.right, work.bottom}},
        {"too small", {work.left + 20, work.top + 20, work.left + 30, work.top + 30},
         {work.left + 20, work.top + 20, work.left + 540, work.top + 380}},
    };
    for (const Case& c : cases) {
        WINDOWPLACEMENT saved = {};
        saved.length = sizeof saved;
        saved.showCmd = SW_SHOWNORMAL;
        saved.rcNormalPosition = c.saved;
        PlaceFrameWithinWorkArea(&saved);
        RECT placed;
        GetWindowRect(frame, &placed);
        EXPECT_EQ(placed.left, c.expected.left) << c.what;
        EXPECT_EQ(placed.top, c.expected.top) << c.what;
        EXPECT_EQ(placed.right, c.expected.right) << c.what;
        EXPECT_EQ(placed.bottom, c.expected.bottom) << c.what;
    }
    PlaceFrameWithinWorkArea(nullptr);
}

TEST_F(ShellTest, FrameTimerSavesAChangedNoteOnlyAfterTheUserPauses)
{
    OpenExamples();
    HWND frame = g_frame.GetHwndField();
    HWND editor = g_mainPanel.editor.GetHwnd();
    TypeIntoEditor(L"periodic ");
    g_mainPanel.lastEditTick = (int32_t)GetTickCount();
    for (int i = 0; i < 30; i++) SendMessageW(frame, WM_TIMER, kTimerFramePeriodic, 0);
    EXPECT_NE(SendMessageW(editor, EM_GETMODIFY, 0, 0), 0) << "saved while typing";
    g_mainPanel.lastEditTick = (int32_t)GetTickCount() - 5000;
    for (int i = 0; i < 30; i++) SendMessageW(frame, WM_TIMER, kTimerFramePeriodic, 0);
    EXPECT_EQ(SendMessageW(editor, EM_GETMODIFY, 0, 0), 0);
}

TEST(TypingStore, APauseOrFiveSecondsOfTypingStoreTheNoteButNeverEveryTick)
{
    // The clock starts just below the wrap of the 32-bit tick count.
    const DWORD t0 = 0xFFFFF000u;
    TypingStoreState state = {0, 0, 0};
    EXPECT_EQ(0, ShouldStoreTypedNote(state, 0, t0, t0));
    // Typing without a pause: a key every 200 ms, the timer after each key.
    // Stored at 5 s; the next key is a new change, stored 5 s after it.
    std::vector<DWORD> stores;
    for (DWORD t = t0; t != t0 + 11000; t += 200)
        if (ShouldStoreTypedNote(state, 1, t, t)) stores.push_back(t - t0);
    ASSERT_EQ(2u, stores.size());
    EXPECT_EQ(5000u, stores[0]);
    EXPECT_EQ(10000u, stores[1]);
    // A pause: stored once 1.5 s have passed without a key.
    state = TypingStoreState{0, 0, 0};
    DWORD lastKey = t0 + 300;
    EXPECT_EQ(0, ShouldStoreTypedNote(state, 1, t0 + 400, lastKey));
    EXPECT_EQ(0, ShouldStoreTypedNote(state, 1, lastKey + 1400, lastKey));
    EXPECT_EQ(1, ShouldStoreTypedNote(state, 1, lastKey + 1600, lastKey));
    // The store did not take (the note is still modified): no new try at
    // every tick, only after more typing and a pause, or after 5 s.
    for (DWORD t = lastKey + 1800; t < lastKey + 1600 + 5000; t += 200)
        EXPECT_EQ(0, ShouldStoreTypedNote(state, 1, t, lastKey)) << t - lastKey;
    EXPECT_EQ(1, ShouldStoreTypedNote(state, 1, lastKey + 1600 + 5000, lastKey));
    DWORD key = lastKey + 6700;
    EXPECT_EQ(0, ShouldStoreTypedNote(state, 1, key + 1400, key));
    EXPECT_EQ(1, ShouldStoreTypedNote(state, 1, key + 1600, key));
    // Stored: nothing to do until the next change.
    EXPECT_EQ(0, ShouldStoreTypedNote(state, 0, key + 1800, key));
    EXPECT_EQ(0, state.tracking);
}

DWORD s_testClock = 0;
DWORD TestClock() { return s_testClock; }

TEST_F(ShellTest, ContinuousTypingIsStoredEveryFewSecondsThroughTheFrameTimer)
{
    OpenExamples();
    HWND frame = g_frame.GetHwndField();
    HWND editor = g_mainPanel.editor.GetHwnd();
    s_testClock = 0x7FFFF000u;
    SetTypingClock(TestClock);
    // A key every 200 ms (the editor reports each change), the frame's timer at every key.
    int storedAt = -1;
    for (int ms = 0; ms <= 8000 && storedAt < 0; ms += 200) {
        s_testClock = 0x7FFFF000u + (DWORD)ms;
        TypeIntoEditor(L"k");
        EXPECT_EQ(g_mainPanel.lastEditTick, (int32_t)s_testClock) << "the change is taken on the same clock";
        SendMessageW(frame, WM_TIMER, kTimerFramePeriodic, 0);
        if (!SendMessageW(editor, EM_GETMODIFY, 0, 0)) storedAt = ms;
    }
    SetTypingClock(nullptr);
    EXPECT_GE(storedAt, 4800);
    EXPECT_LE(storedAt, 5200) << "typed for " << storedAt << " ms without being stored";
    ASSERT_EQ(LoadNoteText(g_mainPanel.currentNote, 0), 1);
    EXPECT_GE(g_noteStore.currentText.FindText(L"kkkkkkkkkkkkkkkkkkkkkkkk"), 0);
}

// ---- Notes ----

TEST_F(ShellTest, ShowingANoteSavesTheOneLeftAndRestoresItsView)
{
    OpenExamples();
    int32_t garden = Find(L"Garden");
    int32_t travel = Find(L"Travel");
    ASSERT_EQ(ReadAndShowNote(garden, kShowAndRecord), 1);
    AIString text;
    EditorText(text);
    EXPECT_EQ(text.FindText(L"# Garden"), 0);
    EXPECT_LT(text.FindText(L"{{"), 0) << "the link block stays out of the editor";
    CHARRANGE at = {12, 12};
    SendMessageW(g_mainPanel.editor.GetHwnd(), EM_EXSETSEL, 0, (LPARAM)&at);
    TypeIntoEditor(L"XYZ");
    SendMessageW(g_mainPanel.editor.GetHwnd(), EM_SETZOOM, 3, 2);
    ASSERT_EQ(ReadAndShowNote(travel, kShowAndRecord), 1);
    WPARAM numerator = 0;
    LPARAM denominator = 0;
    SendMessageW(g_mainPanel.editor.GetHwnd(), EM_GETZOOM, (WPARAM)&numerator, (LPARAM)&denominator);
    EXPECT_EQ(numerator, 0u) << "each note keeps its own zoom";
    ASSERT_EQ(ReadAndShowNote(Find(L"Garden"), kShowAndRecord), 1);
    EditorText(text);
    EXPECT_GE(text.FindText(L"XYZ"), 0);
    CHARRANGE back;
    SendMessageW(g_mainPanel.editor.GetHwnd(), EM_EXGETSEL, 0, (LPARAM)&back);
    EXPECT_EQ(back.cpMin, 15);
    SendMessageW(g_mainPanel.editor.GetHwnd(), EM_GETZOOM, (WPARAM)&numerator, (LPARAM)&denominator);
    EXPECT_EQ(numerator, 3u);
    EXPECT_EQ(denominator, 2);
    // Back and forward walk the notes shown.
    EXPECT_EQ(NavigateBack(), 1);
    EXPECT_EQ(g_mainPanel.currentNote, Find(L"Travel"));
    EXPECT_EQ(NavigateForward(), 1);
    EXPECT_EQ(g_mainPanel.currentNote, Find(L"Garden"));
    EXPECT_EQ(NavigateForward(), 0);
    // Out-of-range indexes change nothing.
    EXPECT_EQ(ReadAndShowNote(-1, kShowAndRecord), 0);
    EXPECT_EQ(ReadAndShowNote(GetNoteCount(), kShowAndRecord), 0);
    EXPECT_EQ(g_mainPanel.currentNote, Find(L"Garden"));
}

TEST_F(ShellTest, ShowingANoteEndsTheForwardHistoryAndARenameKeepsItsPlace)
{
    OpenExamples();
    int32_t books = Find(L"Books_to_read");
    ASSERT_EQ(g_mainPanel.currentNote, books);
    ASSERT_EQ(ReadAndShowNote(Find(L"Garden"), kShowAndRecord), 1);
    ASSERT_EQ(ReadAndShowNote(Find(L"Travel"), kShowAndRecord), 1);
    ASSERT_EQ(NavigateBack(), 1);
    ASSERT_EQ(NavigateBack(), 1);
    ASSERT_EQ(g_mainPanel.currentNote, books);
    // Like a browser: a note shown from the middle drops Garden and Travel ahead.
    ASSERT_EQ(ReadAndShowNote(Find(L"Recipes"), kShowAndRecord), 1);
    EXPECT_EQ(NavigateForward(), 0);
    EXPECT_EQ(g_mainPanel.currentNote, Find(L"Recipes"));
    ASSERT_EQ(NavigateBack(), 1);
    EXPECT_EQ(g_mainPanel.currentNote, books);
    EXPECT_EQ(NavigateBack(), 0);
    ASSERT_EQ(NavigateForward(), 1);
    EXPECT_EQ(g_mainPanel.currentNote, Find(L"Recipes"));
    EXPECT_EQ(NavigateForward(), 0);

    // A renamed note stays where it was in the history, under its new title.
    ASSERT_EQ(RenameCurrentNoteTo(L"Cooking"), 1);
    ASSERT_EQ(NavigateBack(), 1);
    EXPECT_EQ(g_mainPanel.currentNote, Find(L"Books_to_read"));
    ASSERT_EQ(NavigateForward(), 1);
    EXPECT_EQ(g_mainPanel.currentNote, Find(L"Cooking"));
    ASSERT_EQ(NavigateBack(), 1);
    ASSERT_EQ(RenameCurrentNoteTo(L"Reading"), 1);
    ASSERT_EQ(NavigateForward(), 1);
    ASSERT_EQ(NavigateBack(), 1);
    EXPECT_EQ(g_mainPanel.currentNote, Find(L"Reading"));
}

TEST_F(ShellTest, NewRenameAndHeadingCommands)
{
    OpenExamples();
    int before = GetNoteCount();
    ASSERT_EQ(CreateNoteTitled(L"Shopping list", kNewNoteEmpty), 1);
    EXPECT_EQ(GetNoteCount(), before + 1);
    EXPECT_EQ(g_mainPanel.currentNote, Find(L"Shopping_list"));
    EXPECT_EQ(SendMessageW(g_mainPanel.noteList.GetHwnd(), LB_GETCOUNT, 0, 0), before + 1);
    TypeIntoEditor(L"milk");
    // An invalid title is refused and nothing is lost.
    EXPECT_EQ(RenameCurrentNoteTo(L"a/b"), 0);
    ASSERT_EQ(RenameCurrentNoteTo(L"Groceries"), 1);
    EXPECT_LT(Find(L"Shopping_list"), 0);
    ASSERT_GE(Find(L"Groceries"), 0);
    EXPECT_EQ(g_mainPanel.currentNote, Find(L"Groceries"));
    AIString text;
    EditorText(text);
    EXPECT_TRUE(text.EqualsText(L"milk"));
    EXPECT_EQ(ToggleHeading(nullptr, kHeadingLevel2), 1);
    EditorText(text);
    EXPECT_TRUE(text.EqualsText(L"## milk"));
    EXPECT_EQ(ToggleHeading(nullptr, kHeadingToggle), 1);
    EditorText(text);
    EXPECT_TRUE(text.EqualsText(L"milk"));
    // Toggled back, the heading has the level it had; one undo step takes the
    // toggle back, text and format together.
    EXPECT_EQ(ToggleHeading(nullptr, kHeadingToggle), 1);
    EditorText(text);
    EXPECT_TRUE(text.EqualsText(L"## milk")) << Utf8(text);
    HWND editor = g_mainPanel.editor.GetHwnd();
    CHARFORMAT2W format = {};
    format.cbSize = sizeof format;
    CHARRANGE word = {3, 7};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&word);
    SendMessageW(editor, EM_GETCHARFORMAT, SCF_SELECTION, (LPARAM)&format);
    int headingHeight = format.yHeight;
    EXPECT_GT(headingHeight, 11 * 20);
    EXPECT_EQ(ToggleHeading(nullptr, kHeadingToggle), 1);
    SendMessageW(editor, EM_UNDO, 0, 0);
    EditorText(text);
    EXPECT_TRUE(text.EqualsText(L"## milk")) << Utf8(text);
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&word);
    SendMessageW(editor, EM_GETCHARFORMAT, SCF_SELECTION, (LPARAM)&format);
    EXPECT_EQ(headingHeight, format.yHeight);
    SendMessageW(editor, EM_UNDO, 0, 0);
    EditorText(text);
    EXPECT_TRUE(text.EqualsText(L"milk")) << Utf8(text);
    EXPECT_EQ(ToggleHeading(nullptr, kHeadingPlain), 1);
    // A second note with a used title gets a free name instead.
    ASSERT_EQ(CreateNoteTitled(L"Groceries", kNewNoteFromActive), 1);
    EXPECT_GE(Find(L"New_note_1"), 0);
    EditorText(text);
    EXPECT_TRUE(text.EqualsText(L"milk"));
}

// What the status line shows of a mark-up text.
std::string Shown(const WCHAR* markup)
{
    AIString plain;
    TextMarkup::StripTags(markup, plain);
    return Utf8(plain);
}

TEST(StatusTexts, OutsideTextsShowAsWrittenAndOneNoteIsSingular)
{
    AIString out;
    ComposeShownNoteStatus(L"R&D_<draft>", 1, out);
    EXPECT_EQ("R&D <draft> - 1 note", Shown(out.GetText()));
    ComposeShownNoteStatus(L"&lt;b&gt;", 10000, out);
    EXPECT_EQ("&lt;b&gt; - 10000 notes", Shown(out.GetText()));
    ComposeShownNoteStatus(L"Plain", 0, out);
    EXPECT_EQ("Plain - 0 notes", Shown(out.GetText()));
    ComposeOpenFailedStatus(L"C:\\R&D\\<old>.tavik", out);
    EXPECT_EQ("Could not open C:\\R&D\\<old>.tavik", Shown(out.GetText()));
}

TEST_F(ShellTest, StatusLineSaysWhichCharactersATitleMayNotHoldAndCountsOneNote)
{
    OpenExamples();
    EXPECT_EQ(RenameCurrentNoteTo(L"a<b"), 0);
    EXPECT_NE(Shown(GetStatusText()).find("no \\ / : * ? \" < > | . and"), std::string::npos)
        << Shown(GetStatusText());
    // A data file of one note.
    std::string one = "\xFF\xFE";
    for (const char* c = "Tavik 10\r\n\xA4Only\r\ntext\r\n{{\r\n}}\r\n"; *c; c++) {
        one += *c;
        one += '\0';
    }
    AIString onePath(folder_);
    onePath.AppendText(L"\\one_note.tavik");
    HANDLE file = CreateFileW(onePath.GetText(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, one.data(), (DWORD)one.size(), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(OpenDatafile(onePath.GetText()), 1);
    EXPECT_EQ("Only - 1 note", Shown(GetStatusText()));
}

namespace {

int NewEmptyNote() { return CreateNewNote(kNewNoteEmpty); }

}  // namespace

// The note commands take their titles from the note dialogs; a refused title
// keeps the dialog open with its message, and a confirmed delete removes the
// note from the list and the data file and keeps its text as a deleted copy.
TEST_F(ShellTest, NoteDialogsTitleRenameAndConfirmDelete)
{
    OpenExamples();
    int before = GetNoteCount();
    // QuickSearch's text is offered; a title in use in another case is refused.
    SetWindowTextW(g_mainPanel.quickSearch.GetHwnd(), L"Shopping list");
    const NoteDialogStep create[] = {{L"books TO read", IDOK, nullptr}, {L"Shopping list", IDOK, nullptr}};
    ASSERT_EQ(RunAnswered(NewEmptyNote, create), 1);
    EXPECT_STREQ(Utf8(g_noteScript.offered).c_str(), "Shopping list");
    EXPECT_EQ(g_noteScript.codes[0], 2);  // "The title is already in use"
    EXPECT_EQ(g_noteScript.codes[1], kDialogEnded);
    EXPECT_EQ(GetNoteCount(), before + 1);
    EXPECT_EQ(g_mainPanel.currentNote, Find(L"Shopping_list"));
    TypeIntoEditor(L"milk");
    // Cancelled: nothing changes.
    const NoteDialogStep cancel[] = {{L"Other", IDCANCEL, nullptr}};
    EXPECT_EQ(RunAnswered(RenameCurrentNote, cancel), 0);
    EXPECT_GE(Find(L"Shopping_list"), 0);
    const NoteDialogStep rename[] = {{L"Gro#ceries", IDOK, nullptr}, {L"Groceries", IDOK, nullptr}};
    ASSERT_EQ(RunAnswered(RenameCurrentNote, rename), 1);
    EXPECT_STREQ(Utf8(g_noteScript.offered).c_str(), "Shopping list");
    EXPECT_EQ(g_noteScript.codes[0], 99);  // "Special characters not allowed"
    EXPECT_EQ(g_mainPanel.currentNote, Find(L"Groceries"));
    EXPECT_LT(Find(L"Shopping_list"), 0);

    const NoteDialogStep keep[] = {{nullptr, IDCANCEL, nullptr}};
    EXPECT_EQ(RunAnswered(DeleteCurrentNote, keep), 0);
    EXPECT_GE(Find(L"Groceries"), 0);
    const NoteDialogStep confirm[] = {{nullptr, IDOK, nullptr}};
    ASSERT_EQ(RunAnswered(DeleteCurrentNote, confirm), 1);
    EXPECT_LT(Find(L"Groceries"), 0);
    EXPECT_EQ(GetNoteCount(), before);
    for (int i = 0; i < (int)SendMessageW(g_mainPanel.noteList.GetHwnd(), LB_GETCOUNT, 0, 0); i++) {
        AIString item;
        NoteListRowTitle(i, item);
        EXPECT_NE(lstrcmpiW(item.GetText(), L"Groceries"), 0);
    }
    EXPECT_EQ(ReadFileUtf8(path_.GetText()).find("Groceries"), std::string::npos);
    // The deleted copy carries a time stamp in its name: found by the title.
    AIString pattern(GetNotesFolder()), copy;
    pattern.AppendText(L"deleted\\*Groceries*");
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.GetText(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    FindClose(search);
    copy.AssignText(GetNotesFolder()).AppendText(L"deleted\\").AppendText(found.cFileName);
    EXPECT_NE(ReadFileUtf8(copy.GetText()).find("milk"), std::string::npos);
}

namespace {

// Ctrl+K pressed in the program's editor as a person presses it: the chord
// acts on the letter's release, through the program's own loop.
int PressCtrlK()
{
    SetFocus(g_mainPanel.editor.GetHwnd());
    HACCEL accelerators = CreateCommandAccelerators();
    TestKeyboard keys(accelerators, g_frame.GetHwndField());
    keys.Press('K', kCtrlKey);
    DestroyAcceleratorTable(accelerators);
    return 1;
}

std::string EditorText()
{
    AIString text;
    text.AssignControlText(g_mainPanel.editor.GetHwnd());
    return Utf8(text);
}

}  // namespace

// Ctrl+K opens the hyperlink dialog over the selection: an accepted target
// makes the selection a labelled link that the saved note keeps; a cancelled
// or refused dialog leaves the text as it was.
TEST_F(ShellTest, CtrlKOpensTheHyperlinkDialogAndTheLinkIsSaved)
{
    OpenExamples();
    const NoteDialogStep create[] = {{L"Link target", IDOK, nullptr}};
    ASSERT_EQ(RunAnswered(NewEmptyNote, create), 1);
    HWND editor = g_mainPanel.editor.GetHwnd();
    TypeIntoEditor(L"read the manual today");
    CHARRANGE manual = {9, 15};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&manual);
    const NoteDialogStep cancel[] = {{nullptr, IDCANCEL, L"http://example.org/manual"}};
    RunAnswered(PressCtrlK, cancel);
    EXPECT_STREQ(Utf8(g_noteScript.offered).c_str(), "manual");
    EXPECT_EQ(EditorText(), "read the manual today");
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&manual);
    const NoteDialogStep accept[] = {{nullptr, IDOK, L"http://example.org/manual"}};
    RunAnswered(PressCtrlK, accept);
    EXPECT_EQ(g_noteScript.codes[0], kDialogEnded);
    EXPECT_EQ(EditorText(), "read the [manual] today");
    AIString target;
    g_noteStore.hyperlinks->GetValueOfKeyString(L"manual", target);
    EXPECT_EQ(Utf8(target), "http://example.org/manual");
    ASSERT_EQ(SaveCurrentNote(kSaveAskOnFailure), 1);
    ASSERT_NE(SaveDatafileIfOpen(), kSaveFailed);
    std::string saved = ReadFileUtf8(path_.GetText());
    EXPECT_NE(saved.find("read the [manual] today"), std::string::npos);
    EXPECT_NE(saved.find("http://example.org/manual"), std::string::npos);
}

// The ribbon's editing controls do what the editor's keys do, as one undo step.
TEST_F(ShellTest, RibbonEditingControlsActOnTheNoteAndUndoTakesItBack)
{
    OpenExamples();
    const NoteDialogStep create[] = {{L"Ribbon formats", IDOK, nullptr}};
    ASSERT_EQ(RunAnswered(NewEmptyNote, create), 1);
    HWND frame = g_frame.GetHwndField();
    HWND editor = g_mainPanel.editor.GetHwnd();
    SetFocus(editor);
    TypeIntoEditor(L"read the manual today");
    CHARRANGE manual = {9, 15};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&manual);
    SendMessageW(frame, WM_COMMAND, IDM_EDIT_BOLD, 0);
    EXPECT_EQ(EditorText(), "read the **manual** today");
    SendMessageW(frame, WM_COMMAND, IDM_EDIT_UNDO, 0);
    EXPECT_EQ(EditorText(), "read the manual today");
    SendMessageW(frame, WM_COMMAND, IDM_EDIT_REDO, 0);
    EXPECT_EQ(EditorText(), "read the **manual** today");
    // Copy, then paste at the start.
    CHARRANGE today = {19, 25};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&today);
    ASSERT_EQ(EditorText().substr(19, 6), " today");
    SendMessageW(frame, WM_COMMAND, IDM_EDIT_COPY, 0);
    CHARRANGE start = {0, 0};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&start);
    SendMessageW(frame, WM_COMMAND, IDM_EDIT_PASTE, 0);
    EXPECT_EQ(EditorText(), " todayread the **manual** today");
    CHARRANGE read = {0, 4};
    // The states follow the caret: Cut and Copy need a selection, Undo an edit to undo.
    CHARRANGE caret = {2, 2};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&caret);
    UpdateEditorStatus(kEditorStatusRefresh);
    EXPECT_FALSE(g_ribbon.FindControl(IDM_EDIT_CUT)->IsEnabled());
    EXPECT_TRUE(g_ribbon.FindControl(IDM_EDIT_UNDO)->IsEnabled());
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&read);
    UpdateEditorStatus(kEditorStatusRefresh);
    EXPECT_TRUE(g_ribbon.FindControl(IDM_EDIT_CUT)->IsEnabled());
    SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
}

// While QuickSearch has the focus the editing controls are off; Rename and
// Delete are off while the typed title names another note than the one shown.
TEST_F(ShellTest, RibbonStatesFollowTheFocusAndTheTypedTitle)
{
    OpenExamples();
    HWND editor = g_mainPanel.editor.GetHwnd();
    HWND quick = g_mainPanel.quickSearch.GetHwnd();
    auto enabled = [](UINT id) { return g_ribbon.FindControl(id)->IsEnabled(); };
    SetFocus(editor);
    CHARRANGE end = {-1, -1};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&end);
    UpdateEditorStatus(kEditorStatusRefresh);
    EXPECT_TRUE(enabled(IDM_EDIT_PASTE));
    SetFocus(quick);
    for (UINT id : {IDM_EDIT_BOLD, IDM_EDIT_ITALIC, IDM_EDIT_PASTE, IDM_EDIT_UNDO, IDM_TOGGLE_HEADING})
        EXPECT_FALSE(enabled(id)) << id;
    EXPECT_TRUE(enabled(IDM_RENAME_NOTE));
    AIString shown, other;
    GetNoteTitle(g_mainPanel.currentNote, shown);
    GetNoteTitle(g_mainPanel.currentNote == 0 ? 1 : 0, other);
    SetWindowTextW(quick, other.GetText());
    SendMessageW(quick, WM_KEYUP, VK_END, 0xC0000001);
    EXPECT_FALSE(enabled(IDM_RENAME_NOTE));
    EXPECT_FALSE(enabled(IDM_DELETE_NOTE));
    SetWindowTextW(quick, shown.GetText());
    SendMessageW(quick, WM_KEYUP, VK_END, 0xC0000001);
    EXPECT_TRUE(enabled(IDM_RENAME_NOTE));
    EXPECT_TRUE(enabled(IDM_DELETE_NOTE));
    // Back in the editor the editing controls follow the text at the caret again.
    SetWindowTextW(quick, other.GetText());
    SendMessageW(quick, WM_KEYUP, VK_END, 0xC0000001);
    SetFocus(editor);
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&end);
    UpdateEditorStatus(kEditorStatusRefresh);
    EXPECT_TRUE(enabled(IDM_EDIT_PASTE));
    EXPECT_TRUE(enabled(IDM_RENAME_NOTE));
}

// Every tab's controls stand inside a frame 960 pixels wide; the zoom control
// shows the editor's zoom and takes it back to 100 %.
TEST_F(ShellTest, RibbonTabsFitTheFrameAndTheZoomControlShowsTheZoom)
{
    OpenExamples();
    HWND frame = g_frame.GetHwndField();
    MoveWindow(frame, 0, 0, 960, 680, TRUE);
    RECT client;
    GetClientRect(frame, &client);
    for (int tab = 0; tab < kRibbonTabCount; tab++) {
        g_ribbon.SelectTab(tab);
        int shown = 0;
        for (int i = 0; i < g_ribbon.GetControlCount(); i++) {
            AIControl* control = g_ribbon.GetControl(i);
            if (!control->IsVisible()) continue;
            shown++;
            EXPECT_LE(control->GetRect().right, client.right) << "tab " << tab << " control " << control->GetId();
        }
        EXPECT_GT(shown, 0) << "tab " << tab;
    }
    g_ribbon.SelectTab(kTabHome);
    for (UINT id : {IDM_EDIT_BOLD, IDM_EDIT_ITALIC, IDM_EDIT_STRIKE, IDM_EDIT_HYPERLINK, IDM_EDIT_CUT, IDM_EDIT_COPY,
                    IDM_EDIT_PASTE, IDM_EDIT_UNDO, IDM_EDIT_REDO, IDM_EDIT_ZOOM})
        EXPECT_TRUE(g_ribbon.FindControl(id) && g_ribbon.FindControl(id)->IsVisible()) << id;
    HWND editor = g_mainPanel.editor.GetHwnd();
    SendMessageW(editor, EM_SETZOOM, 150, 100);
    ShowEditorZoomStatus(150);
    EXPECT_EQ("150 %", Utf8(g_ribbon.FindControl(IDM_EDIT_ZOOM)->GetCaption()));
    SendMessageW(frame, WM_COMMAND, IDM_EDIT_ZOOM, 0);
    WPARAM n = 0;
    LPARAM d = 0;
    SendMessageW(editor, EM_GETZOOM, (WPARAM)&n, (LPARAM)&d);
    EXPECT_EQ(100u, n);
    EXPECT_EQ(100, d);
    EXPECT_EQ("100 %", Utf8(g_ribbon.FindControl(IDM_EDIT_ZOOM)->GetCaption()));
}

TEST_F(ShellTest, RenameKeepsTheNotesTagsAndAllowsAChangeOfCase)
{
    OpenExamples();
    ASSERT_EQ(CreateNoteTitled(L"Errands", kNewNoteEmpty), 1);
    TypeIntoEditor(L"post office");
    int32_t tag = AddTag(L"todo");
    ASSERT_GE(tag, 0);
    ASSERT_EQ(AddTitleToTag(tag, L"Errands"), 1);
    // A change of letter case only is a rename, not a used title.
    ASSERT_EQ(RenameCurrentNoteTo(L"errands"), 1);
    AIString title;
    GetNoteTitle(g_mainPanel.currentNote, title);
    EXPECT_STREQ(Utf8(title).c_str(), "errands");
    ASSERT_EQ(RenameCurrentNoteTo(L"Chores"), 1);
    EXPECT_LT(Find(L"errands"), 0);
    EXPECT_EQ(g_mainPanel.currentNote, Find(L"Chores"));
    // The tag follows the note to its new title.
    EXPECT_GE(g_noteStore.tagNotes[tag]->FindItemString(L"Chores", 1), 0);
    EXPECT_LT(g_noteStore.tagNotes[tag]->FindItemString(L"errands", 1), 0);
    AIString text;
    EditorText(text);
    EXPECT_TRUE(text.EqualsText(L"post office"));
    ASSERT_EQ(SaveDatafileIfOpen(), kSaveDone);
    EXPECT_NE(ReadFileUtf8(path_.GetText()).find("post office"), std::string::npos);
}

// Windows of this thread, top-level and children (Wine answers GetGuiResources with 0).
BOOL CALLBACK CountWindow(HWND window, LPARAM counter)
{
    ++*(int*)counter;
    EnumChildWindows(window, [](HWND, LPARAM c) CALLBACK -> BOOL { ++*(int*)c; return TRUE; }, counter);
    return TRUE;
}

int CountThreadWindows()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, (LPARAM)&count);
    return count;
}

TEST_F(ShellTest, ShowingAndPaintingNotesLeavesNoWindowBehind)
{
    OpenExamples();
    HWND frame = g_frame.GetHwndField();
    auto pump = [] {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    };
    int32_t count = GetNoteCount();
    ASSERT_GE(count, 2);
    for (int32_t i = 0; i < count; i++) ReadAndShowNote(i, kShowAndRecord);
    pump();
    int windowsBefore = CountThreadWindows();
    for (int n = 0; n < 200; n++) {
        ASSERT_EQ(ReadAndShowNote(n % count, kShowAndRecord), 1);
        RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pump();
    }
    EXPECT_EQ(CountThreadWindows(), windowsBefore);
}

TEST_F(ShellTest, RefreshKeepsTheNoteAndAFailedOpenKeepsTheFile)
{
    OpenExamples();
    int32_t recipes = Find(L"Recipes");
    ASSERT_EQ(ReadAndShowNote(recipes, kShowAndRecord), 1);
    TypeIntoEditor(L"kept over reload ");
    ASSERT_EQ(RefreshNotes(), 1);
    EXPECT_EQ(g_mainPanel.currentNote, Find(L"Recipes"));
    AIString text;
    EditorText(text);
    EXPECT_GE(text.FindText(L"kept over reload"), 0);
    // A damaged file is refused; the open file and its note stay.
    AIString bad;
    bad.Copy(folder_);
    bad.AppendText(L"\\damaged.tavik");
    HANDLE file = CreateFileW(bad.GetText(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    WriteFile(file, "\xff\xfeX\0", 4, &written, nullptr);
    CloseHandle(file);
    EXPECT_EQ(OpenDatafile(bad.GetText()), 0);
    EXPECT_TRUE(g_noteStore.datafilePath.EqualsText(path_.GetText()));
    EXPECT_EQ(g_mainPanel.currentNote, Find(L"Recipes"));
}

// A start whose file is refused shows no other file: after the message the
// window says that no file is open, and nothing typed can go anywhere. A
// file is taken in the order named, used last, default.
TEST_F(ShellTest, AStartWithARefusedFileOpensNoFileTheUserDidNotAskFor)
{
    AIString last(folder_), fallback(folder_), bad(folder_);
    last.AppendText(L"\\used_last.tavik");
    fallback.AppendText(L"\\default.tavik");
    bad.AppendText(L"\\refused.tavik");
    DeleteFileW(last.GetText());
    DeleteFileW(fallback.GetText());
    ASSERT_EQ(WriteDefaultDatafile(IDR_DATAFILE_EXAMPLES, last.GetText()), 1);
    ASSERT_EQ(WriteDefaultDatafile(IDR_DATAFILE_WELCOME, fallback.GetText()), 1);
    HANDLE file = CreateFileW(bad.GetText(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    WriteFile(file, "\xff\xfeX\0", 4, &written, nullptr);
    CloseHandle(file);

    struct Start {
        const char* name;
        const WCHAR* named;
        const WCHAR* last;
        const WCHAR* opens;  // the file open afterwards, or null
    } const starts[] = {
        {"named file refused", bad.GetText(), last.GetText(), nullptr},
        {"last file refused", nullptr, bad.GetText(), nullptr},
        {"last file gone", nullptr, path_.GetText(), nullptr},
        {"named file", last.GetText(), bad.GetText(), last.GetText()},
        {"last file", nullptr, last.GetText(), last.GetText()},
        {"neither known", nullptr, L"", fallback.GetText()},
    };
    for (const Start& start : starts) {
        // As a start finds things: no file open, the frame's panes made.
        ASSERT_EQ(CloseDatafile(), 1);
        HideControlsNoFile(0);
        g_noteStore.lastMessageId = 0;
        int opened = OpenDatafileAtStart(start.named, start.last, nullptr, fallback.GetText());
        EXPECT_EQ(opened, start.opens ? 1 : 0) << start.name;
        EXPECT_EQ(IsDatafileLoaded(), start.opens ? 1 : 0) << start.name;
        if (start.opens) {
            EXPECT_TRUE(g_noteStore.datafilePath.EqualsText(start.opens)) << start.name;
            EXPECT_EQ(g_mainPanel.noFileMode, 0) << start.name;
            continue;
        }
        EXPECT_NE(g_noteStore.lastMessageId, 0) << start.name << ": the refusal is told";
        EXPECT_EQ(g_mainPanel.noFileMode, 1) << start.name;
        EXPECT_FALSE(IsWindowVisible(g_mainPanel.editor.GetHwnd())) << start.name;
        EXPECT_FALSE(IsWindowVisible(g_mainPanel.noteList.GetHwnd())) << start.name;
    }
    HideControlsNoFile(0);
}

namespace {

// The first row after `from` (wrapping) whose shown title begins with `letter`, ignoring case.
int NextRowWithLetter(WCHAR letter, int from)
{
    int count = GetNoteCount();
    for (int step = 1; step <= count; step++) {
        int row = (from + step) % count;
        AIString title, shown;
        GetNoteTitle(row, title);
        ShownTitleForm(title.GetText(), shown);
        if (CharUpperW((LPWSTR)(UINT_PTR)shown.GetText()[0]) == CharUpperW((LPWSTR)(UINT_PTR)letter)) return row;
    }
    return -1;
}

// The right-most column of a row's text (not its background), or -1.
int RightmostInk(HDC dc, int top, int height, int width, COLORREF back)
{
    for (int x = width - 1; x >= 0; x--)
        for (int y = top; y < top + height; y++)
            if (GetPixel(dc, x, y) != back) return x;
    return -1;
}

}  // namespace

// The list keeps only the number of notes; its rows are drawn from the index
// with the look of a plain list box, and a letter goes to the next title with it.
TEST_F(ShellTest, NoteListRowsAreDrawnFromTheIndexAndLettersJumpToTitles)
{
    OpenExamples();
    HWND list = g_mainPanel.noteList.GetHwnd();
    ASSERT_GE(GetNoteCount(), 3);
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), GetNoteCount());
    ASSERT_EQ(CreateNoteTitled(L"Zebra crossing", kNewNoteEmpty), 1);
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), GetNoteCount());
    AIString shown;
    NoteListRowTitle(Find(L"Zebra_crossing"), shown);
    EXPECT_STREQ(Utf8(shown.GetText()).c_str(), "Zebra crossing");
    NoteListRowTitle(GetNoteCount(), shown);
    EXPECT_EQ(shown.GetLength(), 0);

    // Rows as high as a plain list box with the same font makes them.
    HFONT font = (HFONT)SendMessageW(list, WM_GETFONT, 0, 0);
    HWND plain = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD, 0, 0, 100, 100, g_mainPanel.GetHwndField(), nullptr,
                                 nullptr, nullptr);
    SendMessageW(plain, WM_SETFONT, (WPARAM)font, 0);
    int row = (int)SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
    EXPECT_EQ(row, (int)SendMessageW(plain, LB_GETITEMHEIGHT, 0, 0));
    DestroyWindow(plain);
    ASSERT_GT(row, 4);

    // The selected row is highlighted; the next one shows its title in the list's font.
    ASSERT_EQ(ReadAndShowNote(0, kShowAndRecord), 1);
    SendMessageW(list, LB_SETTOPINDEX, 0, 0);
    RECT client;
    GetClientRect(list, &client);
    HDC screen = GetDC(list);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    SendMessageW(list, WM_PRINT, (WPARAM)dc, PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), GetPixel(dc, client.right - 2, row / 2));
    COLORREF back = GetPixel(dc, client.right - 2, row + row / 2);
    EXPECT_EQ(RGB(255, 255, 255), back);
    NoteListRowTitle(1, shown);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SIZE extent = {};
    GetTextExtentPoint32W(dc, shown.GetText(), shown.GetLength(), &extent);
    SelectObject(dc, oldFont);
    int ink = RightmostInk(dc, row, row, client.right, back);
    // The text starts one pixel in; its last glyph may end short of its advance.
    EXPECT_GE(ink, extent.cx - 5);
    EXPECT_LE(ink, extent.cx + 1);
    // Past the last row: only the background.
    int rows = GetNoteCount();
    if ((rows + 1) * row < client.bottom) {
        EXPECT_EQ(RightmostInk(dc, rows * row, row, client.right, back), -1);
    }
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(list, screen);

    // A letter (either case) selects the next title beginning with it and shows that note.
    NoteListRowTitle(2, shown);
    WCHAR letter = (WCHAR)(UINT_PTR)CharLowerW((LPWSTR)(UINT_PTR)shown.GetText()[0]);
    int first = NextRowWithLetter(letter, 0);
    ASSERT_GT(first, 0);
    SendMessageW(list, WM_CHAR, letter, 1);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), first);
    EXPECT_EQ(g_mainPanel.currentNote, first);
    int second = NextRowWithLetter(letter, first);
    SendMessageW(list, WM_CHAR, (WCHAR)(UINT_PTR)CharUpperW((LPWSTR)(UINT_PTR)letter), 1);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), second);
    EXPECT_EQ(g_mainPanel.currentNote, second);
    // A character no title begins with leaves the selection.
    SendMessageW(list, WM_CHAR, L'~', 1);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), second);
    // The arrows and Home stay the list's own.
    SendMessageW(list, WM_KEYDOWN, VK_HOME, 1);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0);
    SendMessageW(list, WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(g_mainPanel.currentNote, 1);
    SendMessageW(list, WM_KEYDOWN, VK_END, 1);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), GetNoteCount() - 1);
}

TEST_F(ShellTest, AClickOnAnotherNoteThatCannotLeaveKeepsTheListOnTheNoteShown)
{
    OpenExamples();
    int32_t recipes = Find(L"Recipes");
    ASSERT_EQ(ReadAndShowNote(recipes, kShowAndRecord), 1);
    TypeIntoEditor(L"unsaved ");
    g_noteStore.readOnly = 1;  // the change cannot be saved, so the note is not left
    HWND list = g_mainPanel.noteList.GetHwnd();
    int32_t other = recipes == 0 ? 1 : 0;
    SendMessageW(list, LB_SETCURSEL, other, 0);
    SendMessageW(g_mainPanel.GetHwndField(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE), (LPARAM)list);
    g_noteStore.readOnly = 0;
    EXPECT_EQ(g_mainPanel.currentNote, recipes);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), recipes);
    AIString text;
    EditorText(text);
    EXPECT_GE(text.FindText(L"unsaved"), 0);
}

TEST_F(ShellTest, RefreshThatCannotReloadKeepsSavingTheNoteShown)
{
    OpenExamples();
    int32_t recipes = Find(L"Recipes");
    ASSERT_EQ(ReadAndShowNote(recipes, kShowAndRecord), 1);
    // A reload refused (here: a search still walks the file) keeps the note shown.
    BeginDatafileWalk();
    EXPECT_EQ(RefreshNotes(), 0);
    EndDatafileWalk();
    EXPECT_EQ(g_mainPanel.currentNote, recipes);
    EXPECT_EQ(SendMessageW(g_mainPanel.noteList.GetHwnd(), LB_GETCURSEL, 0, 0), recipes);
    // What is typed now still reaches the store.
    TypeIntoEditor(L"typed after a failed refresh ");
    ASSERT_EQ(SaveCurrentNote(kSaveAskOnFailure), 1);
    EXPECT_FALSE(SendMessageW(g_mainPanel.editor.GetHwnd(), EM_GETMODIFY, 0, 0));
    ASSERT_EQ(LoadNoteText(recipes, 0), 1);
    EXPECT_GE(g_noteStore.currentText.FindText(L"typed after a failed refresh"), 0);
}

TEST_F(ShellTest, FilePanelRefreshAndRecentFileKeepTheEditorOnTheStoredNote)
{
    OpenExamples();
    int32_t recipes = Find(L"Recipes");
    ASSERT_EQ(ReadAndShowNote(recipes, kShowAndRecord), 1);
    TypeIntoEditor(L"before the panel refresh ");
    EXPECT_EQ(CarryOutFileCommand(3), 3);
    EXPECT_NE(Utf8(GetStatusText()).find("Refreshed data - Save completed"), std::string::npos);
    EXPECT_EQ(g_mainPanel.currentNote, Find(L"Recipes"));
    EXPECT_EQ(g_noteStore.currentIndex, g_mainPanel.currentNote);
    TypeIntoEditor(L"after the panel refresh ");
    ASSERT_EQ(SaveCurrentNote(kSaveAskOnFailure), 1);
    ASSERT_EQ(SaveDatafileIfOpen(), kSaveDone);
    std::string first = ReadFileUtf8(path_.GetText());
    EXPECT_NE(first.find("before the panel refresh"), std::string::npos);
    EXPECT_NE(first.find("after the panel refresh"), std::string::npos);

    // A recent data file chosen in the panel shows its note; typing goes into that file.
    AIString other;
    other.Copy(folder_);
    other.AppendText(L"\\recent_other.tavik");
    DeleteFileW(other.GetText());
    ASSERT_EQ(WriteDefaultDatafile(IDR_DATAFILE_EXAMPLES, other.GetText()), 1);
    SettingsSetRecentFile(g_app.settings.Record(), 0, other.GetText());
    EXPECT_EQ(CarryOutFileCommand(101), 101);
    EXPECT_TRUE(g_noteStore.datafilePath.EqualsTextNoCase(other.GetText()));
    ASSERT_GE(g_mainPanel.currentNote, 0);
    EXPECT_EQ(g_noteStore.currentIndex, g_mainPanel.currentNote);
    AIString shown, stored;
    EditorText(shown);
    ASSERT_EQ(LoadNoteText(g_mainPanel.currentNote, 0), 1);
    stored.AssignTextN(g_noteStore.currentText.GetText(),
                       FindLinkBlock(g_noteStore.currentText.GetText(), g_noteStore.currentText.GetLength()));
    shown.ReplaceAll(L"\r\n", L"\r");
    stored.ReplaceAll(L"\r\n", L"\r");
    EXPECT_TRUE(shown.EqualsString(stored)) << "the editor shows the new file's note";
    TypeIntoEditor(L"typed in the recent file ");
    ASSERT_EQ(SaveCurrentNote(kSaveAskOnFailure), 1);
    ASSERT_EQ(SaveDatafileIfOpen(), kSaveDone);
    EXPECT_NE(ReadFileUtf8(other.GetText()).find("typed in the recent file"), std::string::npos);
    EXPECT_EQ(ReadFileUtf8(path_.GetText()).find("typed in the recent file"), std::string::npos);
}

namespace {

// Another program changes the data file: one text replaced by another (it is
// not bound by the handle this program holds).
void ChangeOutside(const AIString& path, const WCHAR* find, const WCHAR* replacement)
{
    std::string bytes = ReadBytes(path.GetText());
    ASSERT_GT(bytes.size(), 2u);
    AIString text;
    text.AssignTextN((const WCHAR*)(bytes.data() + 2), (int)(bytes.size() - 2) / 2);
    ASSERT_GE(text.FindText(find), 0) << Utf8(find);
    text.ReplaceAll(find, replacement);
    CloseDatafileHandle();
    WriteBytes(path.GetText(), std::string("\xFF\xFE", 2) + std::string((const char*)text.GetText(), text.GetLength() * 2));
}

std::string NoteText(int32_t index)
{
    if (index < 0 || !LoadNoteText(index, 0)) return "<none>";
    return Utf8(g_noteStore.currentText);
}

// The user closes the frame; the test goes on with the program still there.
void CloseAsTheUserDoes()
{
    SendMessageW(g_frame.GetHwndField(), WM_CLOSE, 0, 0);
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    g_app.SetRunState(kRunRunning);
}

}  // namespace

TEST_F(ShellTest, RefreshAfterAnotherProgramChangedTheFileLoadsItAndKeepsTheNoteEditedHere)
{
    OpenExamples();
    ASSERT_EQ(ReadAndShowNote(Find(L"Recipes"), kShowAndRecord), 1);
    TypeIntoEditor(L"typed here ");
    // Outside: Travel edited, and Recipes edited as well.
    ChangeOutside(path_, L"Pack: passport", L"Pack: tickets, passport");
    ChangeOutside(path_, L"Simmer for 25 minutes", L"Simmer for 30 minutes");
    std::string outside = ReadBytes(path_.GetText());
    ASSERT_EQ(RefreshNotes(), 1);
    std::string status = Utf8(GetStatusText());
    EXPECT_EQ(status.find("Save completed"), std::string::npos) << status;
    EXPECT_NE(status.find("Another program changed the data file"), std::string::npos) << status;
    EXPECT_NE(status.find("1 note changed on both sides"), std::string::npos) << status;
    EXPECT_EQ(ReadBytes(path_.GetText()), outside) << "the other program's file is not written over";
    // The editor still shows the note edited here, with what was typed.
    EXPECT_EQ(g_mainPanel.currentNote, Find(L"Recipes"));
    AIString text;
    EditorText(text);
    EXPECT_GE(text.FindText(L"typed here"), 0);
    EXPECT_GE(text.FindText(L"25 minutes"), 0);
    // The other program's notes are there, its text of Recipes beside it.
    EXPECT_NE(NoteText(Find(L"Travel")).find("tickets, passport"), std::string::npos);
    std::string copy = NoteText(Find(L"Recipes (other copy)"));
    EXPECT_NE(copy.find("30 minutes"), std::string::npos) << copy;
    EXPECT_EQ(copy.find("typed here"), std::string::npos);
    EXPECT_EQ(g_mainPanel.currentNote, Find(L"Recipes")) << "the copy does not move the note shown";

    // Closing now writes both sides into the file.
    CloseAsTheUserDoes();
    std::string saved = ReadFileUtf8(path_.GetText());
    EXPECT_NE(saved.find("typed here"), std::string::npos);
    EXPECT_NE(saved.find("tickets, passport"), std::string::npos);
    EXPECT_NE(saved.find("Recipes_(other_copy)"), std::string::npos);
}

TEST_F(ShellTest, ClosingAfterAnotherProgramChangedTheFileKeepsBothSides)
{
    OpenExamples();
    ASSERT_EQ(ReadAndShowNote(Find(L"Travel"), kShowAndRecord), 1);
    TypeIntoEditor(L"written here before closing ");
    ChangeOutside(path_, L"Plant garlic", L"Plant onions");
    CloseAsTheUserDoes();
    std::string saved = ReadFileUtf8(path_.GetText());
    EXPECT_NE(saved.find("written here before closing"), std::string::npos);
    EXPECT_NE(saved.find("Plant onions"), std::string::npos) << "the other program's change survives the close";
    EXPECT_EQ(saved.find("Plant garlic"), std::string::npos);
}

TEST_F(ShellTest, ClosingWithoutAnEditWritesNothingAndKeepsTheBackup)
{
    AIString backup(path_);
    backup.AppendText(L".bak");
    DeleteFileW(backup.GetText());
    OpenExamples();
    ASSERT_EQ(ReadAndShowNote(Find(L"Travel"), kShowAndRecord), 1);
    std::string before = ReadBytes(path_.GetText());
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExW(path_.GetText(), GetFileExInfoStandard, &data));
    FILETIME written = data.ftLastWriteTime;
    CloseAsTheUserDoes();
    EXPECT_EQ(ReadBytes(path_.GetText()), before);
    ASSERT_TRUE(GetFileAttributesExW(path_.GetText(), GetFileExInfoStandard, &data));
    EXPECT_EQ(CompareFileTime(&written, &data.ftLastWriteTime), 0) << "the file was written again";
    EXPECT_FALSE(GetFileAttributesW(backup.GetText()) != INVALID_FILE_ATTRIBUTES) << "the backup was rotated";
    // A refresh without an edit says so, without a save.
    OpenExamples();
    ASSERT_EQ(RefreshNotes(), 1);
    EXPECT_STREQ(Utf8(GetStatusText()).c_str(), "Refreshed data");
}

TEST_F(ShellTest, TheFileAndTheNoteShownAreKeptAtOnceForTheNextStart)
{
    // What a clean close stored long ago.
    FramePlacementRecord old = {};
    old.placement.length = sizeof(WINDOWPLACEMENT);
    old.ribbonMode = 1;
    CopyTextBounded(old.lastTitle, 32, L"Garden");
    ASSERT_EQ(WriteFramePlacement(&old), 1);
    SettingsSetDataFilePath(g_app.settings.Record(), L"C:\\elsewhere\\old.tavik");
    g_app.settings.Store();

    OpenExamples();
    ASSERT_EQ(ReadAndShowNote(Find(L"Travel"), kShowAndRecord), 1);
    // No close: what a crash or a kill would leave is what the next start reads.
    FramePlacementRecord placement;
    ASSERT_EQ(ReadFramePlacement(&placement), 1);
    EXPECT_STREQ(Utf8(placement.lastTitle).c_str(), "Travel");
    EXPECT_EQ(placement.placement.length, sizeof(WINDOWPLACEMENT));
    EXPECT_EQ(placement.ribbonMode, g_frame.ribbonMode);
    EXPECT_EQ(placement.splitX, g_mainPanel.splitX);
    AISettingsStore stored;
    stored.WriteDefaults(1);
    ASSERT_EQ(stored.Load(1), 1);
    AIString storedPath;
    SettingsGetDataFilePath(stored.Record(), storedPath);
    EXPECT_TRUE(storedPath.EqualsText(path_.GetText())) << Utf8(storedPath);
}

// The start stores where the frame stands before any note shows, and leaves
// the note the last session showed (and its view) for the file to open.
TEST_F(ShellTest, TheStartStoresThePlacementButKeepsTheNoteToOpen)
{
    FramePlacementRecord old = {};
    old.placement.length = sizeof(WINDOWPLACEMENT);
    old.placement.rcNormalPosition = {5, 5, 600, 400};
    old.scrollY = 120;
    old.selectionStart = 5;
    old.selectionEnd = 9;
    CopyTextBounded(old.lastTitle, 32, L"Garden");
    ASSERT_EQ(WriteFramePlacement(&old), 1);
    HWND frame = g_frame.GetHwndField();
    WINDOWPLACEMENT was = {};
    was.length = sizeof was;
    ASSERT_TRUE(GetWindowPlacement(frame, &was));
    SetWindowPos(frame, nullptr, 70, 60, 720, 520, SWP_NOZORDER | SWP_NOACTIVATE);
    WINDOWPLACEMENT now = {};
    now.length = sizeof now;
    ASSERT_TRUE(GetWindowPlacement(frame, &now));

    ASSERT_EQ(StoreFramePlacementOnly(), 1);
    FramePlacementRecord stored;
    ASSERT_EQ(ReadFramePlacement(&stored), 1);
    EXPECT_TRUE(EqualRect(&stored.placement.rcNormalPosition, &now.rcNormalPosition));
    EXPECT_EQ(stored.ribbonMode, g_frame.ribbonMode);
    EXPECT_EQ(stored.splitX, g_mainPanel.splitX);
    EXPECT_STREQ(Utf8(stored.lastTitle).c_str(), "Garden");
    EXPECT_EQ(stored.scrollY, 120);
    EXPECT_EQ(stored.selectionStart, 5);
    EXPECT_EQ(stored.selectionEnd, 9);

    // The first start has no note to keep.
    AIRegistryKey key;
    ASSERT_EQ(key.OpenKey(HKEY_CURRENT_USER, nullptr), 1);
    key.DeleteValue(g_app.GetName());
    ASSERT_EQ(ReadFramePlacement(&stored), 0);
    ASSERT_EQ(StoreFramePlacementOnly(), 1);
    ASSERT_EQ(ReadFramePlacement(&stored), 1);
    EXPECT_TRUE(EqualRect(&stored.placement.rcNormalPosition, &now.rcNormalPosition));
    EXPECT_STREQ(Utf8(stored.lastTitle).c_str(), "");
    SetWindowPlacement(frame, &was);
}

// ---- Printing ----

TEST_F(ShellTest, NoPrinterGivesTheMessageInsteadOfACrash)
{
    OpenExamples();
    EXPECT_EQ(PrintNote(kPrintDefaultPage), 0);
    EXPECT_EQ(GetLastShellMessageId(), kMsgPrintFailed);
    EXPECT_NE(Utf8(GetStatusText()).find("No printer is installed"), std::string::npos);
    // Without a note there is nothing to print and nothing to report.
    ClearLastShellMessage();
    g_mainPanel.currentNote = -1;
    EXPECT_EQ(PrintNote(kPrintDefaultPage), 0);
    EXPECT_EQ(GetLastShellMessageId(), 0);
}

// ---- Shutdown ----

TEST_F(ShellTest, ShutdownRunsOnceAndStoresEverything)
{
    OpenExamples();
    int32_t travel = Find(L"Travel");
    ASSERT_EQ(ReadAndShowNote(travel, kShowAndRecord), 1);
    TypeIntoEditor(L"written before closing ");
    SettingsSetDataFilePath(g_app.settings.Record(), L"");
    // WM_CLOSE and the end of the session both ask; only the first runs.
    trace_.Clear();
    SendMessageW(g_frame.GetHwndField(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(HasShutdownRun());
    EXPECT_EQ(g_app.GetRunState(), kRunClosing);
    EXPECT_EQ(ShutdownApplication(), 0);
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "one quit message";
    EXPECT_TRUE(IsWindow(g_frame.GetHwndField()));

    // The note is in the data file, the settings and the placement are stored.
    EXPECT_NE(ReadFileUtf8(path_.GetText()).find("written before closing"), std::string::npos);
    AISettingsStore stored;
    stored.WriteDefaults(1);
    ASSERT_EQ(stored.Load(1), 1);
    AIString storedPath;
    SettingsGetDataFilePath(stored.Record(), storedPath);
    EXPECT_TRUE(storedPath.EqualsText(path_.GetText()));
    FramePlacementRecord placement;
    ASSERT_EQ(ReadFramePlacement(&placement), 1);
    EXPECT_STREQ(Utf8(placement.lastTitle).c_str(), "Travel");
    EXPECT_EQ(placement.placement.length, sizeof(WINDOWPLACEMENT));
    g_app.SetRunState(kRunRunning);
}

// ---- A note that cannot be stored ----

// Stands in for the user in front of real "Note not stored" boxes: answers
// each No, counts the most shown at once, and the first time one is shown
// sends the frame what the box's own message loop brings it: the periodic
// timer after a pause in typing, and a deactivation. Should boxes keep
// coming back, it frees the disk after a few, so that they end.
struct NotStoredBoxes {
    static int mostShown;
    static int frameTold;
    static int answered;
    enum { kGiveUpAfter = 6 };

    static BOOL CALLBACK Collect(HWND window, LPARAM list)
    {
        WCHAR caption[64] = {};
        GetWindowTextW(window, caption, 64);
        std::vector<HWND>* boxes = (std::vector<HWND>*)list;
        if (IsWindowVisible(window) && lstrcmpW(caption, L"Note not stored") == 0) boxes->push_back(window);
        return TRUE;
    }
    static void TellFrame()
    {
        HWND frame = g_frame.GetHwndField();
        g_mainPanel.lastEditTick = (int32_t)GetTickCount() - 5000;
        for (int i = 0; i < 30; i++) SendMessageW(frame, WM_TIMER, kTimerFramePeriodic, 0);
        SendMessageW(frame, WM_ACTIVATEAPP, FALSE, 0);
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        std::vector<HWND> boxes;
        EnumThreadWindows(GetCurrentThreadId(), Collect, (LPARAM)&boxes);
        if ((int)boxes.size() > mostShown) mostShown = (int)boxes.size();
        if (boxes.empty()) return;
        if (!frameTold) {
            frameTold = 1;
            TellFrame();
            return;
        }
        if (++answered > kGiveUpAfter) g_noteIoFaults.failReplace = 0;
        for (HWND box : boxes) PostMessageW(box, WM_COMMAND, IDNO, 0);
    }
};
int NotStoredBoxes::mostShown = 0;
int NotStoredBoxes::frameTold = 0;
int NotStoredBoxes::answered = 0;

TEST_F(ShellTest, ANoteThatCannotBeStoredAsksOnceAndStaysInTheEditor)
{
    OpenExamples();
    HWND editor = g_mainPanel.editor.GetHwnd();
    TypeIntoEditor(L"typed on a full disk ");
    g_noteIoFaults.failReplace = 1;   // no side file can be written
    int reports = GetErrorReportCount();
    SetErrorAutoAnswer(0);
    UINT_PTR driver = SetTimer(nullptr, 0, 30, NotStoredBoxes::Tick);
    EXPECT_EQ(SaveCurrentNote(kSaveAskOnFailure), 0);
    EXPECT_EQ(NotStoredBoxes::mostShown, 1) << "one question at a time";
    EXPECT_EQ(NotStoredBoxes::frameTold, 1);
    EXPECT_LE(NotStoredBoxes::answered, 1) << "the question came back after No";
    EXPECT_EQ(GetErrorReportCount(), reports + 1);
    // After "No" the timer and leaving the program store quietly: no new box.
    NotStoredBoxes::TellFrame();
    NotStoredBoxes::TellFrame();
    KillTimer(nullptr, driver);
    SetErrorAutoAnswer(IDNO);
    EXPECT_EQ(GetErrorReportCount(), reports + 1) << "the question came back";
    EXPECT_NE(SendMessageW(editor, EM_GETMODIFY, 0, 0), 0);
    AIString text;
    EditorText(text);
    EXPECT_GE(text.FindText(L"typed on a full disk"), 0);
    EXPECT_NE(Utf8(GetStatusText()).find("Note not stored"), std::string::npos);
    // Once the disk takes it again, the next quiet save stores it.
    g_noteIoFaults.failReplace = 0;
    NotStoredBoxes::TellFrame();
    EXPECT_EQ(SendMessageW(editor, EM_GETMODIFY, 0, 0), 0);
    EXPECT_NE(Utf8(GetStatusText()).find("Note stored"), std::string::npos);
    ASSERT_EQ(LoadNoteText(g_mainPanel.currentNote, 0), 1);
    EXPECT_GE(g_noteStore.currentText.FindText(L"typed on a full disk"), 0);
}

TEST_F(ShellTest, ClosingWithANoteThatCannotBeStoredKeepsARescueCopy)
{
    OpenExamples();
    TypeIntoEditor(L"rescued at the close ");
    g_noteIoFaults.failReplace = 1;
    int reports = GetErrorReportCount();
    SendMessageW(g_frame.GetHwndField(), WM_CLOSE, 0, 0);
    g_noteIoFaults.failReplace = 0;
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    g_app.SetRunState(kRunRunning);
    // It asked once more, then wrote the text to the temporary folder and
    // told where.
    EXPECT_GE(GetErrorReportCount(), reports + 2);
    AIString expected, rescue;
    MakeRescueCopyPath(g_mainPanel.lastShownTitle.GetText(), expected);
    expected.SetLength(expected.FindText(L" - 20") + 3);   // without the time stamp
    AIString notice(GetLastErrorReportText());
    int shown = notice.FindText(expected.GetText());
    ASSERT_GE(shown, 0) << Utf8(notice);
    rescue.AssignText(notice.GetText() + shown);
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    EXPECT_TRUE(rescue.StartsWithNoCase(temp)) << Utf8(rescue);
    EXPECT_TRUE(rescue.EndsWithNoCase(L".txt")) << Utf8(rescue);
    EXPECT_NE(ReadFileUtf8(rescue.GetText()).find("rescued at the close"), std::string::npos);
    DeleteFileW(rescue.GetText());
}

}  // namespace

namespace {

TEST_F(ShellTest, FileLinksAndImageLinks)
{
    OpenExamples();
    AIString path;
    EXPECT_EQ(ResolveFileLink(L"rel:\\files\\seeds.pdf", path), 1);
    AIString expected;
    expected.AssignText(GetDataFolder());
    expected.AppendText(L"files\\seeds.pdf");
    EXPECT_TRUE(path.EqualsString(expected)) << Utf8(path);
    EXPECT_EQ(ResolveFileLink(L"file:C:\\docs\\a.txt", path), 1);
    EXPECT_TRUE(path.EqualsText(L"C:\\docs\\a.txt"));
    EXPECT_EQ(ResolveFileLink(L"Garden", path), 0);
    EXPECT_TRUE(path.EqualsText(L"Garden"));

    EXPECT_NE(ClassifyHyperlink(L"https://example.org/"), 0);
    EXPECT_NE(ClassifyHyperlink(L"rel:\\images\\cat.gif"), 0);
    EXPECT_NE(ClassifyHyperlink(L"C:\\photos\\CAT.JPG"), 0);
    EXPECT_EQ(ClassifyHyperlink(L"C:\\docs\\report.pdf"), 0);
    EXPECT_EQ(ClassifyHyperlink(L""), 0);
}

}  // namespace

namespace {

// A data object holding one dropped file, made through the clipboard as
// Explorer would hand it over.
IDataObject* DataObjectForFile(const WCHAR* path)
{
    int chars = TextLength(path);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + (chars + 2) * sizeof(WCHAR));
    DROPFILES* files = (DROPFILES*)GlobalLock(memory);
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    CopyMemory(files + 1, path, chars * sizeof(WCHAR));
    GlobalUnlock(memory);
    if (!OpenClipboard(g_frame.GetHwndField())) return nullptr;
    EmptyClipboard();
    SetClipboardData(CF_HDROP, memory);
    CloseClipboard();
    IDataObject* data = nullptr;
    if (FAILED(OleGetClipboard(&data))) return nullptr;
    return data;
}

TEST_F(ShellTest, DroppingADataFileOpensItAndOtherFilesAreRefused)
{
    OpenExamples();
    AIString other;
    other.Copy(folder_);
    other.AppendText(L"\\dropped.tavik");
    DeleteFileW(other.GetText());
    ASSERT_EQ(WriteDefaultDatafile(IDR_DATAFILE_WELCOME, other.GetText()), 1);
    IDropTarget* target = FrameDropTarget();
    POINTL at = {10, 10};
    DWORD effect = DROPEFFECT_COPY;

    IDataObject* text = DataObjectForFile(L"C:\\notes\\picture.png");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(target->DragEnter(text, 0, at, &effect), S_OK);
    EXPECT_EQ(effect, (DWORD)DROPEFFECT_NONE);
    effect = DROPEFFECT_COPY;
    target->Drop(text, 0, at, &effect);
    EXPECT_EQ(effect, (DWORD)DROPEFFECT_NONE);
    EXPECT_TRUE(g_noteStore.datafilePath.EqualsText(path_.GetText()));
    text->Release();

    IDataObject* file = DataObjectForFile(other.GetText());
    ASSERT_NE(file, nullptr);
    target->DragEnter(file, 0, at, &effect);
    EXPECT_EQ(effect, (DWORD)DROPEFFECT_COPY);
    target->Drop(file, 0, at, &effect);
    EXPECT_EQ(effect, (DWORD)DROPEFFECT_COPY);
    EXPECT_TRUE(g_noteStore.datafilePath.EqualsText(other.GetText()));
    EXPECT_GE(Find(L"Welcome"), 0);
    file->Release();
}

// A data object as a browser or Explorer hands one over: a few formats,
// each a memory block that GetData copies.
class FormatsDataObject : public IDataObject {
public:
    void Add(CLIPFORMAT format, const void* bytes, SIZE_T size)
    {
        blocks_.push_back({format, std::string((const char*)bytes, size)});
    }
    void AddWide(const WCHAR* name, const WCHAR* text)
    {
        Add((CLIPFORMAT)RegisterClipboardFormatW(name), text, (TextLength(text) + 1) * sizeof(WCHAR));
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override
    {
        const Block* block = Find(format);
        if (!block) return DV_E_FORMATETC;
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, block->bytes.size());
        CopyMemory(GlobalLock(memory), block->bytes.data(), block->bytes.size());
        GlobalUnlock(memory);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = memory;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override { return Find(format) ? S_OK : S_FALSE; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override
    {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override
    {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    struct Block {
        CLIPFORMAT format;
        std::string bytes;
    };
    const Block* Find(const FORMATETC* format) const
    {
        if (!(format->tymed & TYMED_HGLOBAL)) return nullptr;
        for (const Block& block : blocks_)
            if (block.format == format->cfFormat) return &block;
        return nullptr;
    }
    std::vector<Block> blocks_;
    ULONG references_ = 1;
};

// What the drop command of the answered dialogs drops, and where (screen).
IDataObject* s_dropped = nullptr;
POINTL s_dropPoint = {0, 0};
DWORD s_dropEffect = 0;
int DropOnTheEditor()
{
    IDropTarget* target = EditorDropTargetObject();
    s_dropEffect = DROPEFFECT_COPY;
    target->DragEnter(s_dropped, 0, s_dropPoint, &s_dropEffect);
    if (s_dropEffect == DROPEFFECT_NONE) return 0;
    target->Drop(s_dropped, 0, s_dropPoint, &s_dropEffect);
    return s_dropEffect == DROPEFFECT_COPY;
}

// The screen point of a character of the editor.
POINTL EditorPointOf(int32_t character)
{
    HWND editor = g_mainPanel.editor.GetHwnd();
    POINTL at = {0, 0};
    SendMessageW(editor, EM_POSFROMCHAR, (WPARAM)&at, character);
    POINT screen = {at.x + 1, at.y + 2};
    ClientToScreen(editor, &screen);
    return {screen.x, screen.y};
}

// Drops on the editor go in where they land as pasting them would: an
// address through the hyperlink dialog, a file (Explorer's list or a file
// name) copied into the data folder and linked, text as text; a drag that
// brings nothing the editor takes is refused.
TEST_F(ShellTest, DropsOnTheEditorGoInWhereTheyLandAsAPasteWould)
{
    OpenExamples();
    const NoteDialogStep create[] = {{L"Dropped things", IDOK, nullptr}};
    ASSERT_EQ(RunAnswered(NewEmptyNote, create), 1);
    TypeIntoEditor(L"alpha omega");

    FormatsDataObject address;
    address.AddWide(L"UniformResourceLocatorW", L"https://example.org/garden");
    const char ansi[] = "https://example.org/ansi";
    address.Add((CLIPFORMAT)RegisterClipboardFormatW(L"UniformResourceLocator"), ansi, sizeof(ansi));
    address.Add(CF_UNICODETEXT, L"ignored text", sizeof(L"ignored text"));
    s_dropped = &address;
    s_dropPoint = EditorPointOf(6);  // before "omega"
    const NoteDialogStep named[] = {{L"Garden", IDOK, nullptr}};
    EXPECT_EQ(RunAnswered(DropOnTheEditor, named), 1);
    EXPECT_EQ(Utf8(g_noteScript.offeredLink), "https://example.org/garden");
    EXPECT_EQ(EditorText(), "alpha [Garden] omega");
    AIString target;
    g_noteStore.hyperlinks->GetValueOfKeyString(L"Garden", target);
    EXPECT_EQ(Utf8(target), "https://example.org/garden");

    // The 8-bit address alone; a cancelled dialog leaves it as text.
    FormatsDataObject ansiOnly;
    ansiOnly.Add((CLIPFORMAT)RegisterClipboardFormatW(L"UniformResourceLocator"), ansi, sizeof(ansi));
    s_dropped = &ansiOnly;
    s_dropPoint = EditorPointOf(0);
    const NoteDialogStep cancel[] = {{nullptr, IDCANCEL, nullptr}};
    EXPECT_EQ(RunAnswered(DropOnTheEditor, cancel), 1);
    EXPECT_EQ(Utf8(g_noteScript.offeredLink), "https://example.org/ansi");
    EXPECT_EQ(EditorText().find("https://example.org/ansialpha"), 0u) << EditorText();

    // A file name: copied into the data folder's files and linked by its name.
    AIString file;
    file.Copy(folder_);
    file.AppendText(L"\\seed list.txt");
    WriteBytes(file.GetText(), "radish\r\n");
    FormatsDataObject fileName;
    fileName.AddWide(L"FileNameW", file.GetText());
    s_dropped = &fileName;
    int32_t end = (int32_t)GetWindowTextLengthW(g_mainPanel.editor.GetHwnd());
    s_dropPoint = EditorPointOf(end);
    const NoteDialogStep linkFile[] = {{nullptr, IDOK, nullptr}};
    EXPECT_EQ(RunAnswered(DropOnTheEditor, linkFile), 1);
    EXPECT_EQ(Utf8(g_noteScript.offered), "seed list");
    EXPECT_NE(EditorText().find("[seed list]"), std::string::npos) << EditorText();
    AIString copy(GetDataFolder());
    copy.AppendText(L"files\\seed list.txt");
    EXPECT_EQ(ReadBytes(copy.GetText()), "radish\r\n");
    DeleteFileW(copy.GetText());

    // Text alone goes in as text, at the drop point.
    FormatsDataObject text;
    text.Add(CF_UNICODETEXT, L"middle ", sizeof(L"middle "));
    s_dropped = &text;
    s_dropPoint = EditorPointOf(0);
    EXPECT_EQ(DropOnTheEditor(), 1);
    EXPECT_EQ(EditorText().find("middle https://"), 0u) << EditorText();

    // Nothing the editor takes: refused, the note unchanged.
    FormatsDataObject picture;
    BITMAPINFOHEADER header = {};
    picture.Add(CF_DIB, &header, sizeof(header));
    s_dropped = &picture;
    std::string before = EditorText();
    EXPECT_EQ(DropOnTheEditor(), 0);
    EXPECT_EQ(s_dropEffect, (DWORD)DROPEFFECT_NONE);
    EXPECT_EQ(EditorText(), before);
    DeleteFileW(file.GetText());
    // Stored, so that no note of this run is left only as a side file.
    ASSERT_EQ(SaveCurrentNote(kSaveAskOnFailure), 1);
    ASSERT_NE(SaveDatafileIfOpen(), kSaveFailed);
}

// A rich edit that already takes drops itself (as the system's does) gets
// the editor's own drop target instead.
TEST_F(ShellTest, TheEditorsDropTargetReplacesTheRichEditsOwn)
{
    HWND edit = CreateWindowExW(0, L"RichEdit20W", L"", WS_CHILD | ES_MULTILINE, 0, 0, 100, 40,
                                g_frame.GetHwndField(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    RevokeDragDrop(edit);
    ASSERT_EQ(RegisterDragDrop(edit, FrameDropTarget()), S_OK);
    EXPECT_EQ(RegisterEditorDropTarget(edit), 1);
    RevokeEditorDropTarget();
    DestroyWindow(edit);
}

// The colour of the editor's pixel in the middle of a rectangle, as shown.
COLORREF EditorPixel(const RECT& rect)
{
    HWND editor = g_mainPanel.editor.GetHwnd();
    HDC dc = GetDC(editor);
    COLORREF colour = GetPixel(dc, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    ReleaseDC(editor, dc);
    return colour;
}

CHARRANGE EditorSelection()
{
    CHARRANGE range = {0, 0};
    SendMessageW(g_mainPanel.editor.GetHwnd(), EM_EXGETSEL, 0, (LPARAM)&range);
    return range;
}

// While something is dragged over the editor a caret follows the pointer to
// the insertion point nearest to it (after a character when the pointer is
// on its right half), survives the editor's repaints, and goes when the drag
// leaves; the selection stays as it was, and the drop lands at the caret.
TEST_F(ShellTest, DraggingOverTheEditorShowsACaretWhereTheDropWillGoIn)
{
    OpenExamples();
    const NoteDialogStep create[] = {{L"Drop caret", IDOK, nullptr}};
    ASSERT_EQ(RunAnswered(NewEmptyNote, create), 1);
    TypeIntoEditor(L"alpha omega");
    HWND editor = g_mainPanel.editor.GetHwnd();
    UpdateWindow(editor);
    CHARRANGE selected = {0, 5};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&selected);
    FormatsDataObject text;
    text.Add(CF_UNICODETEXT, L"X", sizeof(L"X"));
    IDropTarget* target = EditorDropTargetObject();
    DWORD effect = DROPEFFECT_COPY;

    ASSERT_EQ(target->DragEnter(&text, 0, EditorPointOf(6), &effect), S_OK);
    EXPECT_EQ(effect, (DWORD)DROPEFFECT_COPY);
    EXPECT_EQ(DropCaretPosition(), 6);
    // The right half of the "o" is after it.
    POINTL o = EditorPointOf(6), m = EditorPointOf(7);
    POINTL rightHalf = {m.x - 2, o.y};
    target->DragOver(0, rightHalf, &effect);
    EXPECT_EQ(DropCaretPosition(), 7);

    // After the text, over the editor's white: the bar is drawn there.
    int32_t end = (int32_t)GetWindowTextLengthW(editor);
    target->DragOver(0, EditorPointOf(end), &effect);
    ASSERT_EQ(DropCaretPosition(), end);
    RECT bar = DropCaretRect();
    ASSERT_FALSE(IsRectEmpty(&bar));
    POINTL endAt = {0, 0};
    SendMessageW(editor, EM_POSFROMCHAR, (WPARAM)&endAt, end);
    EXPECT_EQ(bar.left, endAt.x);
    COLORREF drawn = EditorPixel(bar);
    // A repaint of the editor takes the bar away; the next move draws it again.
    InvalidateRect(editor, nullptr, FALSE);
    UpdateWindow(editor);
    COLORREF plain = EditorPixel(bar);
    EXPECT_NE(drawn, plain);
    target->DragOver(0, EditorPointOf(end), &effect);
    EXPECT_EQ(EditorPixel(bar), drawn);

    // Leaving: no caret, nothing left drawn, the selection and text as they were.
    target->DragLeave();
    EXPECT_EQ(DropCaretPosition(), -1);
    EXPECT_EQ(EditorPixel(bar), plain);
    EXPECT_EQ(EditorSelection().cpMin, 0);
    EXPECT_EQ(EditorSelection().cpMax, 5);
    EXPECT_EQ(EditorText(), "alpha omega");

    // A drop on the right half of the first "a" goes in after it.
    POINTL a = EditorPointOf(0), l = EditorPointOf(1);
    POINTL afterA = {l.x - 2, a.y};
    effect = DROPEFFECT_COPY;
    target->DragEnter(&text, 0, afterA, &effect);
    EXPECT_EQ(DropCaretPosition(), 1);
    target->Drop(&text, 0, afterA, &effect);
    EXPECT_EQ(effect, (DWORD)DROPEFFECT_COPY);
    EXPECT_EQ(DropCaretPosition(), -1);
    EXPECT_EQ(EditorText(), "aXlpha omega");
    ASSERT_EQ(SaveCurrentNote(kSaveAskOnFailure), 1);
    ASSERT_NE(SaveDatafileIfOpen(), kSaveFailed);
}

// What a second drag meets while a drop's hyperlink dialog is up.
struct DropWhileBusy {
    int tried = 0;
    int busy = -1;
    DWORD editorEnter = 99, editorDrop = 99, frameEnter = 99, frameDrop = 99;
    std::string textAfter;
    std::string statusAfterF3;
};
DropWhileBusy s_whileBusy;
IDataObject* s_secondDrop = nullptr;
IDataObject* s_secondDatafile = nullptr;

void CALLBACK DropAgainWhileTheDialogIsUp(HWND, UINT, UINT_PTR, DWORD)
{
    DropWhileBusy& w = s_whileBusy;
    if (w.tried || !GetNoteDialogWindow()) return;
    w.tried = 1;
    w.busy = IsBusy();
    POINTL at = EditorPointOf(0);
    IDropTarget* editor = EditorDropTargetObject();
    w.editorEnter = DROPEFFECT_COPY;
    editor->DragEnter(s_secondDrop, 0, at, &w.editorEnter);
    w.editorDrop = DROPEFFECT_COPY;
    editor->Drop(s_secondDrop, 0, at, &w.editorDrop);
    IDropTarget* frame = FrameDropTarget();
    w.frameEnter = DROPEFFECT_COPY;
    frame->DragEnter(s_secondDatafile, 0, at, &w.frameEnter);
    w.frameDrop = DROPEFFECT_COPY;
    frame->Drop(s_secondDatafile, 0, at, &w.frameDrop);
    w.textAfter = EditorText();
    // A key the editor's own map answers (search again) reaches the control as it is.
    HWND window = g_mainPanel.editor.GetHwnd();
    SendMessageW(window, WM_KEYDOWN, VK_F3, 1);
    SendMessageW(window, WM_KEYUP, VK_F3, 0xC0000001);
    w.statusAfterF3 = Utf8(AIString(GetStatusText()));
}

// While a drop is handled (here its hyperlink dialog is up) the program is
// busy: a second drop on the editor or the frame is refused and changes
// nothing, and keys reach the editor's control without its own key map.
// After it, drops and keys work as before.
TEST_F(ShellTest, WhileADropIsHandledNoSecondDropIsTakenAndKeysPassOn)
{
    OpenExamples();
    const NoteDialogStep create[] = {{L"Busy drops", IDOK, nullptr}};
    ASSERT_EQ(RunAnswered(NewEmptyNote, create), 1);
    TypeIntoEditor(L"alpha omega");
    g_incSearch.lastText.Clear();
    AIString other;
    other.Copy(folder_);
    other.AppendText(L"\\busy_other.tavik");
    DeleteFileW(other.GetText());
    ASSERT_EQ(WriteDefaultDatafile(IDR_DATAFILE_WELCOME, other.GetText()), 1);
    FormatsDataObject second;
    second.Add(CF_UNICODETEXT, L"second ", sizeof(L"second "));
    s_secondDrop = &second;
    s_secondDatafile = DataObjectForFile(other.GetText());
    ASSERT_NE(s_secondDatafile, nullptr);

    FormatsDataObject address;
    address.AddWide(L"UniformResourceLocatorW", L"https://example.org/busy");
    s_dropped = &address;
    s_dropPoint = EditorPointOf(6);
    s_whileBusy = DropWhileBusy();
    EXPECT_EQ(IsBusy(), 0);
    UINT_PTR timer = SetTimer(nullptr, 0, 1, DropAgainWhileTheDialogIsUp);
    // The first step leaves the dialog up a little longer.
    const NoteDialogStep named[] = {{nullptr, 0, nullptr}, {L"Busy", IDOK, nullptr}};
    EXPECT_EQ(RunAnswered(DropOnTheEditor, named), 1);
    KillTimer(nullptr, timer);
    ASSERT_EQ(s_whileBusy.tried, 1);
    EXPECT_EQ(s_whileBusy.busy, 1);
    EXPECT_EQ(s_whileBusy.editorEnter, (DWORD)DROPEFFECT_NONE);
    EXPECT_EQ(s_whileBusy.editorDrop, (DWORD)DROPEFFECT_NONE);
    EXPECT_EQ(s_whileBusy.frameEnter, (DWORD)DROPEFFECT_NONE);
    EXPECT_EQ(s_whileBusy.frameDrop, (DWORD)DROPEFFECT_NONE);
    EXPECT_EQ(s_whileBusy.textAfter, "alpha omega");
    EXPECT_EQ(s_whileBusy.statusAfterF3.find("No search text available"), std::string::npos)
        << s_whileBusy.statusAfterF3;
    EXPECT_TRUE(g_noteStore.datafilePath.EqualsText(path_.GetText()));
    // The first drop went in.
    EXPECT_EQ(EditorText(), "alpha [Busy] omega");

    // Not busy any more: the same key is the editor's again, and drops are taken.
    EXPECT_EQ(IsBusy(), 0);
    SetFocus(g_mainPanel.editor.GetHwnd());
    SendMessageW(g_mainPanel.editor.GetHwnd(), WM_KEYDOWN, VK_F3, 1);
    SendMessageW(g_mainPanel.editor.GetHwnd(), WM_KEYUP, VK_F3, 0xC0000001);
    EXPECT_NE(Utf8(AIString(GetStatusText())).find("No search text available"), std::string::npos)
        << Utf8(AIString(GetStatusText()));
    s_dropped = &second;
    s_dropPoint = EditorPointOf(0);
    EXPECT_EQ(DropOnTheEditor(), 1);
    EXPECT_EQ(EditorText(), "second alpha [Busy] omega");
    s_secondDatafile->Release();
    ASSERT_EQ(SaveCurrentNote(kSaveAskOnFailure), 1);
    ASSERT_NE(SaveDatafileIfOpen(), kSaveFailed);
}

TEST_F(ShellTest, QuickSearchEnterOpensTheNoteThenMovesToTheEditor)
{
    OpenExamples();
    HWND box = g_mainPanel.quickSearch.GetHwnd();
    // Enter acts on its release, like every key of the search fields.
    SetWindowTextW(box, L"recipes");
    SendMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(box, WM_KEYUP, VK_RETURN, 0xC0000001);
    EXPECT_EQ(g_mainPanel.currentNote, Find(L"Recipes"));
    SetFocus(box);
    SendMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(box, WM_KEYUP, VK_RETURN, 0xC0000001);
    EXPECT_EQ(GetFocus(), g_mainPanel.editor.GetHwnd());
    // An unknown title keeps the note shown and starts full-text search with the text.
    SetWindowTextW(box, L"No such note");
    SendMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(box, WM_KEYUP, VK_RETURN, 0xC0000001);
    EXPECT_EQ(g_mainPanel.currentNote, Find(L"Recipes"));
    EXPECT_TRUE(IsFullTextSearchMode());
    EXPECT_EQ(Utf8(AIString().AssignControlText(GetFullTextField())), "No such note ");
    ToggleFullTextSearch(0);
    EXPECT_FALSE(IsFullTextSearchMode());
    // Picking a title in the list shows that note.
    HWND list = g_mainPanel.noteList.GetHwnd();
    int32_t travel = Find(L"Travel");
    SendMessageW(list, LB_SETCURSEL, travel, 0);
    SendMessageW(g_mainPanel.GetHwndField(), WM_COMMAND, MAKEWPARAM(g_mainPanel.noteList.GetId(), LBN_SELCHANGE),
                 (LPARAM)list);
    EXPECT_EQ(g_mainPanel.currentNote, travel);
}

TEST_F(ShellTest, AltDownOnAWebLinkSaysWhatThePreviewFoundNeverTheBareAddressOverItsHint)
{
    // Nothing listens on the discard port: the preview's download fails at once.
    AIString text(L"\xFEFFTavik 10\r\n\x00A4Trip\r\nFerry times are on the [harbour page].\r\n"
                  L"{{\r\n[harbour page:http://127.0.0.1:9/ferries]\r\n}}\r\n");
    WriteBytes(path_.GetText(), std::string((const char*)text.GetText(), text.GetLength() * 2));
    ASSERT_EQ(OpenDatafile(path_.GetText()), 1);
    g_app.settings.Record().previewWebPages = 1;
    HWND editor = g_mainPanel.editor.GetHwnd();
    SetFocus(editor);
    CHARRANGE start = {0, 0};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&start);
    HACCEL accelerators = CreateCommandAccelerators();
    TestKeyboard keys(accelerators, g_frame.GetHwndField());
    keys.Press(VK_DOWN, kAltKey);
    WCHAR selected[64] = {0};
    SendMessageW(editor, EM_GETSELTEXT, 0, (LPARAM)selected);
    EXPECT_EQ(Utf8(selected), "[harbour page]");
    std::string status = Utf8(GetStatusText());
    EXPECT_NE(status.find("to activate, <lred>Backspace</lred> to delete"), std::string::npos) << status;
    // The preview looks after its delay; its failed download is what the
    // status says then, not the link's address alone.
    keys.PumpUntil([] { return Utf8(GetStatusText()).find("No preview") != std::string::npos; }, 8000);
    keys.PumpUntil([] { return false; }, 400);
    status = Utf8(GetStatusText());
    EXPECT_NE(status.find("No preview of web page available"), std::string::npos) << status;
    DestroyAcceleratorTable(accelerators);
}

TEST_F(ShellTest, WindowObjectsByIdAreTheOnesTheLayersUse)
{
    OpenExamples();
    EXPECT_EQ(FindWindowObject(100), &g_frame);
    EXPECT_EQ(FindWindowObject(200), &g_mainPanel);
    EXPECT_EQ(FindWindowObject(123), nullptr);
    // The message box (500) is the object the dialog layer gives its window.
    g_dialogCenter.ShowMessage(kMsgPrintFailed);
    ASSERT_NE(g_messageBox.box, nullptr);
    ASSERT_NE(FindWindowObject(500), nullptr);
    EXPECT_EQ(FindWindowObject(500)->GetHwndField(), g_messageBox.box);
    CloseMessageBoxForExit();
    EXPECT_EQ(FindWindowObject(500)->GetHwndField(), nullptr);
    ASSERT_NE(FindWindowObject(800), nullptr);
    EXPECT_EQ(FindWindowObject(800)->GetWindowId(), 800);
}

TEST_F(ShellTest, SplitterDragsWithinItsLimitsAndTheStatusLineClickShowsTheMessage)
{
    OpenExamples();
    HWND panel = g_mainPanel.GetHwndField();
    RECT client;
    GetClientRect(panel, &client);
    const RECT& splitter = g_mainPanel.layout.splitter;
    int y = (splitter.top + splitter.bottom) / 2;
    SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(splitter.left + 2, y));
    SendMessageW(panel, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(400, y));
    SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(400, y));
    EXPECT_EQ(g_mainPanel.splitX, 400 - kSplitterWidth / 2);
    RECT list;
    GetWindowRect(g_mainPanel.noteList.GetHwnd(), &list);
    MapWindowPoints(nullptr, panel, (POINT*)&list, 2);
    EXPECT_EQ(list.right, g_mainPanel.splitX);
    // Dragged past the right edge, the editor keeps its minimum width.
    SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(g_mainPanel.layout.splitter.left + 2, y));
    SendMessageW(panel, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.right + 300, y));
    SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(client.right + 300, y));
    EXPECT_GE(g_mainPanel.layout.editor.right - g_mainPanel.layout.editor.left, kMinEditorWidth - kMargin);
    // A click on the status line shows the last message again, in active mode.
    g_dialogCenter.ShowMessage(kMsgPrintFailed);
    ASSERT_NE(g_messageBox.box, nullptr);
    CloseMessageBoxForExit();
    EXPECT_EQ(g_messageBox.box, nullptr);
    EXPECT_EQ(g_dialogCenter.IsDialogBusy(), 0u);
    const RECT& status = g_mainPanel.layout.status;
    SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(status.left + 5, status.top + 5));
    ASSERT_NE(g_messageBox.box, nullptr);
    EXPECT_EQ(g_messageBox.composedId, (int32_t)kMsgPrintFailed);
    EXPECT_EQ(g_dialogCenter.messageModeFlag, 0u);
    CloseMessageBoxForExit();
    g_mainPanel.splitX = kDefaultSplitX;
    UpdateSplitter();
}

}  // namespace

TEST_F(ShellTest, ReadOnlyDataFileShowsNotesThatCannotBeChanged)
{
    ASSERT_EQ(WriteDefaultDatafile(IDR_DATAFILE_EXAMPLES, path_.GetText()), 1);
    SetFileAttributesW(path_.GetText(), FILE_ATTRIBUTE_READONLY);
    ASSERT_EQ(OpenDatafile(path_.GetText()), 1);
    ASSERT_EQ(IsDatafileReadOnly(), 1);
    // The user is told at open, and once more at the first key that would
    // change the note; moving around says nothing.
    EXPECT_EQ(GetLastShellMessageId(), kMsgReadOnlyNoChanges);
    ClearLastShellMessage();
    HWND editor = g_mainPanel.editor.GetHwnd();
    EXPECT_TRUE(GetWindowLongW(editor, GWL_STYLE) & ES_READONLY);
    SendMessageW(editor, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(GetLastShellMessageId(), 0);
    SendMessageW(editor, WM_CHAR, L'x', 0);
    EXPECT_FALSE(SendMessageW(editor, EM_GETMODIFY, 0, 0));
    EXPECT_EQ(GetLastShellMessageId(), kMsgReadOnlyNoChanges);
    ClearLastShellMessage();
    SendMessageW(editor, WM_CHAR, L'y', 0);
    EXPECT_EQ(GetLastShellMessageId(), 0);
    EXPECT_NE(Utf8(GetStatusText()).find("read-only"), std::string::npos);
    // No command reports a save that did not happen.
    SendMessageW(g_frame.GetHwndField(), WM_COMMAND, IDM_SAVE_NOTE, 0);
    EXPECT_EQ(GetLastShellMessageId(), kMsgReadOnlyNoChanges);
    EXPECT_EQ(Utf8(GetStatusText()).find("Note saved"), std::string::npos);
    ClearLastShellMessage();
    EXPECT_EQ(CreateNewNote(kNewNoteEmpty), 0);
    EXPECT_EQ(GetLastShellMessageId(), kMsgReadOnlyNoNewNotes);
    EXPECT_EQ(Utf8(GetStatusText()).find("Not a usable title"), std::string::npos);
    EXPECT_EQ(RefreshNotes(), 1);
    EXPECT_EQ(Utf8(GetStatusText()).find("Save completed"), std::string::npos);
    // Nothing holds the user on the note: every other note can be shown.
    int32_t other = g_mainPanel.currentNote == 0 ? 1 : 0;
    EXPECT_EQ(ReadAndShowNote(other, kShowAndRecord), 1);
    EXPECT_EQ(g_mainPanel.currentNote, other);

    SetFileAttributesW(path_.GetText(), FILE_ATTRIBUTE_NORMAL);
    CloseDatafileHandle();
    ASSERT_EQ(OpenDatafile(path_.GetText()), 1);
    EXPECT_FALSE(GetWindowLongW(editor, GWL_STYLE) & ES_READONLY);
    // The writable file takes changes at once, before any key: the ribbon's
    // Undo takes an edit back and a drop goes in.
    std::string shown = EditorText();
    TypeIntoEditor(L"z");
    SendMessageW(g_frame.GetHwndField(), WM_COMMAND, IDM_EDIT_UNDO, 0);
    EXPECT_EQ(EditorText(), shown);
    FormatsDataObject text;
    text.Add(CF_UNICODETEXT, L"dropped", sizeof(L"dropped"));
    EXPECT_EQ(CanDropIntoNote(&text), 1);
}

TEST_F(ShellTest, AStartAgainRestoresTheFrameAndOpensTheHandedOverFileOnceNoDialogIsUp)
{
    OpenExamples();
    HWND frame = g_frame.GetHwndField();
    ShowWindow(frame, SW_SHOWMINIMIZED);
    ASSERT_TRUE(IsIconic(frame));
    SendMessageW(frame, MsgStartedAgain, 0, 0);
    EXPECT_FALSE(IsIconic(frame));
    EXPECT_TRUE(IsWindowVisible(frame));

    AIString other;
    other.Copy(folder_);
    other.AppendText(L"\\handed_over.tavik");
    DeleteFileW(other.GetText());
    ASSERT_EQ(WriteDefaultDatafile(IDR_DATAFILE_WELCOME, other.GetText()), 1);
    // A path without its terminating zero, or of another kind, is refused.
    COPYDATASTRUCT data = {kCopyDataOpenDatafile, (DWORD)(other.GetLength() * sizeof(WCHAR)),
                           (void*)other.GetText()};
    EXPECT_EQ(SendMessageW(frame, WM_COPYDATA, 0, (LPARAM)&data), 0);
    data.dwData = 1;
    data.cbData += sizeof(WCHAR);
    EXPECT_EQ(SendMessageW(frame, WM_COPYDATA, 0, (LPARAM)&data), 0);
    data.dwData = kCopyDataOpenDatafile;
    EXPECT_EQ(SendMessageW(frame, WM_COPYDATA, 0, (LPARAM)&data), 1);
    // Not while a dialog is up; at the next frame tick after it.
    g_dialogCenter.busy = 1;
    OnFrameTimer(frame, kTimerFramePeriodic);
    EXPECT_TRUE(g_noteStore.datafilePath.EqualsText(path_.GetText()));
    g_dialogCenter.busy = 0;
    OnFrameTimer(frame, kTimerFramePeriodic);
    EXPECT_TRUE(g_noteStore.datafilePath.EqualsText(other.GetText()));
    EXPECT_GE(Find(L"Welcome"), 0);
}

TEST_F(ShellTest, TheFrameGivesTheFocusBackToThePaneThatHadItLast)
{
    OpenExamples();
    HWND frame = g_frame.GetHwndField();
    ShowQuickSearch(kFocusQuickSearch);
    ASSERT_EQ(GetFocus(), g_mainPanel.quickSearch.GetHwnd());
    SetFocus(frame);
    EXPECT_EQ(GetFocus(), g_mainPanel.quickSearch.GetHwnd()) << "typing must stay in QuickSearch";
    ShowQuickSearch(kFocusEditor);
    ASSERT_EQ(GetFocus(), g_mainPanel.editor.GetHwnd());
    SetFocus(frame);
    EXPECT_EQ(GetFocus(), g_mainPanel.editor.GetHwnd());
    // A pane that has gone hidden is not given the focus.
    ShowQuickSearch(kFocusQuickSearch);
    ShowWindow(g_mainPanel.quickSearch.GetHwnd(), SW_HIDE);
    SetFocus(frame);
    EXPECT_EQ(GetFocus(), g_mainPanel.editor.GetHwnd());
    ShowWindow(g_mainPanel.quickSearch.GetHwnd(), SW_SHOW);
}

TEST_F(ShellTest, TheStartUpTimerLeavesTheFocusWhereTheUserPutIt)
{
    OpenExamples();
    HWND frame = g_frame.GetHwndField();
    HWND panel = g_mainPanel.GetHwndField();
    SetForegroundWindow(frame);
    // A slow start: the user is in QuickSearch before the timer comes.
    ShowQuickSearch(kFocusQuickSearch);
    OnMainTimer(panel, kTimerStartupDone);
    EXPECT_EQ(GetFocus(), g_mainPanel.quickSearch.GetHwnd());
    // Nothing focused yet: the editor gets the focus.
    SetFocus(nullptr);
    OnMainTimer(panel, kTimerStartupDone);
    EXPECT_EQ(GetFocus(), g_mainPanel.editor.GetHwnd());
}

TEST_F(ShellTest, ASharedNoteHeldByAnotherOpensReadOnlyAndTypingClaimsItUndoingReleases)
{
    AIString share(folder_);
    share.AppendText(L"\\share_lock\\");
    CreateDirectoryW(share.GetText(), nullptr);
    AIString markers(share);
    markers.AppendText(L"tavik.edit");
    DeleteFileW(markers.GetText());
    AIString text(L"\xFEFFTavik 10\r\n\x00A4Other\r\nnot shared\r\n{{\r\n}}\r\n"
                  L"\x00A4Plan\r\nthe plan @shared\r\n{{\r\n}}\r\n");
    WriteBytes(path_.GetText(), std::string((const char*)text.GetText(), text.GetLength() * 2));
    g_noteStore.sync.ShareFolderSetting.Copy(share);
    ASSERT_EQ(OpenDatafile(path_.GetText()), 1);   // the load's pass puts "Plan" in the share folder
    int32_t plan = FindNoteByTitle(L"Plan", 0, 0), other = FindNoteByTitle(L"Other", 0, 0);
    HWND editor = g_mainPanel.editor.GetHwnd();

    // Another user edits "Plan": it opens read-only, and says who has it.
    SyncTable held;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    SetMarker(held, L"Plan", 0x5EED, (uint64_t)now.dwHighDateTime << 32 | now.dwLowDateTime, L"ann on PC2");
    AIString heldText;
    held.Compose(kMarkerHeader, heldText);
    WriteBytes(markers.GetText(), Utf8(heldText));
    ASSERT_EQ(ReadAndShowNote(plan, kShowAndRecord), 1);
    EXPECT_TRUE(GetWindowLongW(editor, GWL_STYLE) & ES_READONLY);
    EXPECT_NE(Utf8(GetStatusText()).find("is being edited by ann on PC2"), std::string::npos);
    ASSERT_EQ(ReadAndShowNote(other, kShowAndRecord), 1);
    EXPECT_FALSE(GetWindowLongW(editor, GWL_STYLE) & ES_READONLY) << "a note not held opens as ever";

    // Released there: the first key here claims it, undoing every change releases it.
    DeleteFileW(markers.GetText());
    ASSERT_EQ(ReadAndShowNote(plan, kShowAndRecord), 1);
    EXPECT_FALSE(GetWindowLongW(editor, GWL_STYLE) & ES_READONLY);
    SendMessageW(editor, WM_CHAR, L'x', 0);
    EXPECT_NE(ReadBytes(markers.GetText()).find("Plan\t"), std::string::npos);
    SendMessageW(editor, EM_UNDO, 0, 0);
    EXPECT_FALSE(SendMessageW(editor, EM_CANUNDO, 0, 0));
    EXPECT_EQ(ReadBytes(markers.GetText()).find("Plan\t"), std::string::npos);

    g_noteStore.sync.ShareFolderSetting.Clear();
    CheckSyncFolders();
}

TEST_F(ShellTest, ASyncNoticeRaisedDuringARefreshStaysInViewWithItsOutcome)
{
    ConnectSyncNotices();
    AIString sync(folder_), gone(folder_);
    sync.AppendText(L"\\sync_notice\\");
    gone.AppendText(L"\\sync_notice_gone");
    CreateDirectoryW(sync.GetText(), nullptr);
    g_noteStore.sync.SyncFolderSetting.Copy(sync);
    OpenExamples();   // the load's pass sends every note
    ASSERT_EQ(ReadAndShowNote(Find(L"Recipes"), kShowAndRecord), 1);
    HWND editor = g_mainPanel.editor.GetHwnd();
    SetFocus(editor);
    HACCEL accelerators = CreateCommandAccelerators();
    TestKeyboard keys(accelerators, g_app.GetMainWindow());
    keys.Type(L"x");
    // The folder goes away (a removed drive): the refresh's save tells so.
    ASSERT_TRUE(MoveFileW(sync.GetText(), gone.GetText()));
    SetStatusText(L"", kStatusDone);
    keys.Press(VK_F5);
    EXPECT_TRUE(keys.PumpUntil([] { return Utf8(GetStatusText()).find("Refreshed data") != std::string::npos; }));
    std::string status = Utf8(GetStatusText());
    EXPECT_NE(status.find("sync folder cannot be reached"), std::string::npos) << status;
    EXPECT_NE(status.find("Refreshed data - Save completed"), std::string::npos) << status;
    // A refresh that raises nothing says only what it did.
    ASSERT_TRUE(MoveFileW(gone.GetText(), sync.GetText()));
    ASSERT_EQ(RefreshNotes(), 1);
    EXPECT_EQ(Utf8(GetStatusText()).find("cannot be reached"), std::string::npos) << Utf8(GetStatusText());
    DestroyAcceleratorTable(accelerators);
    SetSyncNoticeHook(nullptr);
    g_noteStore.sync.SyncFolderSetting.Clear();
    CheckSyncFolders();
}

TEST_F(ShellTest, ANoteChangedInTheSyncFolderIsShownAgainUnlessItIsBeingEdited)
{
    AIString sync(folder_);
    sync.AppendText(L"\\sync_update\\");
    CreateDirectoryW(sync.GetText(), nullptr);
    g_noteStore.sync.SyncFolderSetting.Copy(sync);
    OpenExamples();   // the load's pass sends every note
    ASSERT_EQ(ReadAndShowNote(Find(L"Recipes"), kShowAndRecord), 1);
    // Edited elsewhere: the copy is newer than the one the pass sent.
    auto editCopy = [&](const char* text) {
        AIString copy(sync);
        copy.AppendText(L"sync\\Recipes.txt");
        ASSERT_TRUE(RewriteFileNewer(copy.GetText(), text));
    };
    editCopy("fresh from the phone\n");
    SyncFolders(1);
    EXPECT_EQ(WaitForSyncUpdate(), 1);
    AIString text;
    EditorText(text);
    EXPECT_GE(text.FindText(L"fresh from the phone"), 0) << Utf8(text);
    // Typing in the note keeps what is typed: the note is not shown again.
    TypeIntoEditor(L"typed here ");
    editCopy("again from the phone\n");
    SyncFolders(1);
    EXPECT_EQ(WaitForSyncUpdate(), 0);
    EditorText(text);
    EXPECT_GE(text.FindText(L"typed here"), 0);
    g_noteStore.sync.SyncFolderSetting.Clear();
    CheckSyncFolders();
}

TEST_F(ShellTest, TheEditorsFontSizeAndZoomChangeByNameAndHeadingsKeepTheirSize)
{
    OpenExamples();
    HWND panel = g_mainPanel.GetHwndField();
    HWND editor = g_mainPanel.editor.GetHwnd();
    AIString text;
    EditorText(text);
    int plainAt = text.FindText(L"history");
    ASSERT_GE(plainAt, 0);
    auto formatAt = [&](int at) {
        CHARFORMAT2W format = {};
        format.cbSize = sizeof(format);
        SendMessageW(editor, EM_SETSEL, at, at + 1);
        SendMessageW(editor, EM_GETCHARFORMAT, SCF_SELECTION, (LPARAM)&format);
        return format;
    };
    LONG headingHeight = formatAt(2).yHeight;
    ASSERT_GT(headingHeight, formatAt(plainAt).yHeight);

    EXPECT_EQ(SendMessageW(panel, MsgCommandByName, HashName("ChangeRTFfont"), (LPARAM)L"Courier New"), 1);
    EXPECT_STREQ(Utf8(AIString(formatAt(plainAt).szFaceName)).c_str(), "Courier New");
    EXPECT_STREQ(Utf8(AIString(formatAt(2).szFaceName)).c_str(), "Courier New");
    EXPECT_EQ(formatAt(2).yHeight, headingHeight);

    SendMessageW(panel, MsgCommandByName, HashName("ChangeRTFfontSize"), 9);
    EditorText(text);
    plainAt = text.FindText(L"history");
    EXPECT_EQ(formatAt(plainAt).yHeight, 9 * 20);
    EXPECT_EQ(formatAt(2).yHeight, headingHeight) << "the heading kept its size";
    // Never as large as a heading: plain text would read as one.
    SendMessageW(panel, MsgCommandByName, HashName("ChangeRTFfontSize"), 200);
    EditorText(text);
    plainAt = text.FindText(L"history");
    EXPECT_LT(formatAt(plainAt).yHeight, NoteSmallestHeadingPoints() * 20);
    EXPECT_GT(formatAt(plainAt).yHeight, 9 * 20);
    EXPECT_STREQ(Utf8(AIString(formatAt(plainAt).szFaceName)).c_str(), "Courier New") << "the face stays for the note shown again";

    struct Zoom {
        LPARAM asked;
        int shown;
    } zooms[] = {{150, 150}, {9999, 500}, {10, 50}, {0, 100}};
    for (const Zoom& z : zooms) {
        SendMessageW(panel, MsgCommandByName, HashName("ChangeRTFfontZoom"), z.asked);
        EXPECT_EQ(EditorZoomPercent(editor), z.shown) << z.asked;
    }
    SendMessageW(panel, MsgCommandByName, HashName("ChangeRTFfontSize"), 11);
    SendMessageW(panel, MsgCommandByName, HashName("ChangeRTFfont"), (LPARAM)L"Liberation Sans");
}

// ---- Image preview ----

TEST_F(ShellTest, AHiddenPictureLeavesNothingBehindAndTheNoteOffersItsOwnPicture)
{
    AIString text(L"\xFEFFTavik 10\r\n\x00A4Other\r\nhello\r\n{{\r\n}}\r\n\x00A4Trip\r\nphotos [default] and more\r\n"
                  L"{{\r\n[default:rel:\\images\\Wide_2011_05231020.png]\r\n}}\r\n");
    WriteBytes(path_.GetText(), std::string((const char*)text.GetText(), text.GetLength() * 2));
    ASSERT_EQ(OpenDatafile(path_.GetText()), 1);
    AIString images(folder_);
    images.AppendText(L"\\images");
    CreateDirectoryW(images.GetText(), nullptr);
    AIString picture(images);
    picture.AppendText(L"\\Wide_2011_05231020.png");
    AIImage image;
    ASSERT_TRUE(image.Create(3000, 300, 24));
    ASSERT_TRUE(image.Save(picture.GetText(), kImagePng));
    ASSERT_EQ(ReadAndShowNote(Find(L"Trip"), kShowAndRecord), 1);
    HWND panel = g_mainPanel.GetHwndField();
    UpdateWindow(GetAncestor(panel, GA_ROOT));
    RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);

    // A wide picture fills the area's width: its frame stands just beside it.
    const RECT& list = g_mainPanel.layout.noteList;
    RECT around = {list.left - 15, list.top - 5, list.right + 25, g_mainPanel.layout.preview.bottom + 5};
    auto pixels = [&]() {
        int width = around.right - around.left, height = around.bottom - around.top;
        HDC screen = GetDC(panel);
        HDC memory = CreateCompatibleDC(screen);
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, around.left, around.top, SRCCOPY);
        std::vector<uint32_t> copy((uint32_t*)bits, (uint32_t*)bits + width * height);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(panel, screen);
        return copy;
    };
    std::vector<uint32_t> before = pixels();
    SetImagePreviewTarget(L"rel:\\images\\Wide_2011_05231020.png", kImagePreviewFitted, 0);
    SendMessageW(panel, WM_TIMER, kTimerImageHover, 0);
    ASSERT_TRUE(IsImagePreviewShown());
    EXPECT_NE(before, pixels());
    // Hidden: every pixel is what it was, the frame's too.
    HideImagePreview();
    std::vector<uint32_t> after = pixels();
    int width = around.right - around.left, left = 0;
    for (size_t i = 0; i < after.size(); i++)
        if (after[i] != before[i]) {
            left++;
            if (left < 4) ADD_FAILURE() << "pixel left at " << around.left + (int)(i % width) << "," << around.top + (int)(i / width);
        }
    EXPECT_EQ(0, left);

    // The image zoom asked for from QuickSearch draws a shown picture again at its size.
    SetImagePreviewTarget(L"rel:\\images\\Wide_2011_05231020.png", kImagePreviewFitted, 0);
    SendMessageW(panel, WM_TIMER, kTimerImageHover, 0);
    ASSERT_TRUE(IsImagePreviewShown());
    ASSERT_TRUE(g_searchShell.setImageZoom != nullptr);
    g_searchShell.setImageZoom(1);
    EXPECT_EQ(1, IsImageZoomLarge());
    EXPECT_TRUE(IsImagePreviewShown());
    EXPECT_NE(Utf8(GetStatusText()).find("Changed to Large"), std::string::npos);
    g_searchShell.setImageZoom(0);
    EXPECT_EQ(0, IsImageZoomLarge());
    HideImagePreview();

    // The note's "default" picture comes up as a timed thumbnail while QuickSearch
    // is typed into, with the mouse off the list.
    ASSERT_TRUE(g_searchShell.showDefaultImage != nullptr);
    g_app.settings.Record().instantPreview = 1;
    POINT away = {0, 0};
    ClientToScreen(g_mainPanel.editor.GetHwnd(), &away);
    SetCursorPos(away.x + 30, away.y + 30);
    KillTimer(panel, kTimerThumbnail);
    SetWindowTextW(g_mainPanel.quickSearch.GetHwnd(), L"oth");
    EXPECT_EQ(1, g_searchShell.showDefaultImage());
    EXPECT_TRUE(KillTimer(panel, kTimerThumbnail));
    HideThumbnail();
    // A note without links offers nothing.
    ASSERT_EQ(ReadAndShowNote(Find(L"Other"), kShowAndRecord), 1);
    EXPECT_EQ(0, g_searchShell.showDefaultImage());
    SetWindowTextW(g_mainPanel.quickSearch.GetHwnd(), L"");
}

TEST_F(ShellTest, AltPlusAndAltMinusInTheEditorSizeTheShownPictureAndEscapeTakesItAway)
{
    AIString text(L"\xFEFFTavik 10\r\n\x00A4Trip\r\nphotos [pic] and more\r\n"
                  L"{{\r\n[pic:rel:\\images\\Sea_2011_05231020.png]\r\n}}\r\n");
    WriteBytes(path_.GetText(), std::string((const char*)text.GetText(), text.GetLength() * 2));
    ASSERT_EQ(OpenDatafile(path_.GetText()), 1);
    AIString picture(folder_);
    picture.AppendText(L"\\images");
    CreateDirectoryW(picture.GetText(), nullptr);
    picture.AppendText(L"\\Sea_2011_05231020.png");
    AIImage image;
    ASSERT_TRUE(image.Create(300, 200, 24));
    ASSERT_TRUE(image.Save(picture.GetText(), kImagePng));
    SetImageZoom(0);
    HWND editor = g_mainPanel.editor.GetHwnd();
    SetFocus(editor);
    HACCEL accelerators = CreateCommandAccelerators();
    TestKeyboard keys(accelerators, g_frame.GetHwndField());
    SetImagePreviewTarget(L"rel:\\images\\Sea_2011_05231020.png", kImagePreviewFitted, 0);
    SendMessageW(g_mainPanel.GetHwndField(), WM_TIMER, kTimerImageHover, 0);
    ASSERT_TRUE(IsImagePreviewShown());
    keys.Press(VK_OEM_PLUS, kAltKey);
    EXPECT_EQ(1, IsImageZoomLarge()) << "Alt+= only said so";
    EXPECT_NE(Utf8(GetStatusText()).find("Changed to Large"), std::string::npos) << Utf8(GetStatusText());
    keys.Press(VK_OEM_MINUS, kAltKey);
    EXPECT_EQ(0, IsImageZoomLarge());
    EXPECT_NE(Utf8(GetStatusText()).find("Changed to Small"), std::string::npos) << Utf8(GetStatusText());
    // Escape goes to QuickSearch and takes the picture along: nothing of it
    // stays over the note list.
    ASSERT_TRUE(IsImagePreviewShown());
    keys.Press(VK_ESCAPE);
    EXPECT_EQ(GetFocus(), g_mainPanel.quickSearch.GetHwnd());
    EXPECT_FALSE(IsImagePreviewShown());
    HideImagePreview();
    DestroyAcceleratorTable(accelerators);
    DeleteFileW(picture.GetText());
}

TEST_F(ShellTest, ImagePreviewShowsThePictureWithItsNoteAndOnlyStampedNamesOpenANote)
{
    AIString text(L"\xFEFFTavik 10\r\n\x00A4" L"annu\r\nnot a report\r\n{{\r\n}}\r\n"
                  L"\x00A4Other\r\nhello\r\n{{\r\n}}\r\n\x00A4Trip\r\nphotos\r\n{{\r\n}}\r\n");
    WriteBytes(path_.GetText(), std::string((const char*)text.GetText(), text.GetLength() * 2));
    ASSERT_EQ(OpenDatafile(path_.GetText()), 1);
    int32_t other = Find(L"Other"), trip = Find(L"Trip");
    AIString images(folder_);
    images.AppendText(L"\\images");
    CreateDirectoryW(images.GetText(), nullptr);
    AIString picture(images);
    picture.AppendText(L"\\Trip_2011_05231020.png");
    AIImage image;
    ASSERT_TRUE(image.Create(300, 200, 24));
    ASSERT_TRUE(image.Save(picture.GetText(), kImagePng));

    // From a pasted picture's file to the note it was named after; any other
    // long name leads nowhere, even when a note has its first letters.
    ASSERT_EQ(ReadAndShowNote(other, kShowAndRecord), 1);
    EXPECT_EQ(OpenNoteByFileName(picture.GetText()), 1);
    EXPECT_EQ(g_mainPanel.currentNote, trip);
    ASSERT_EQ(ReadAndShowNote(other, kShowAndRecord), 1);
    EXPECT_EQ(OpenNoteByFileName(L"file:C:\\docs\\annual_report_2011.pdf"), 0);
    EXPECT_EQ(g_mainPanel.currentNote, other);

    // The image hover timer draws the picture and names its note.
    HWND panel = g_mainPanel.GetHwndField();
    SetImagePreviewTarget(L"rel:\\images\\Trip_2011_05231020.png", kImagePreviewFitted, 0);
    SendMessageW(panel, WM_TIMER, kTimerImageHover, 0);
    EXPECT_TRUE(IsImagePreviewShown());
    EXPECT_NE(Utf8(GetStatusText()).find("Click to open note '<lred>Trip</lred>'"), std::string::npos)
        << Utf8(GetStatusText());
    // A click on the picture shows its note (the caption offers it); a click
    // beside it does nothing of the picture's.
    ASSERT_EQ(ReadAndShowNote(other, kShowAndRecord), 1);
    SendMessageW(panel, WM_TIMER, kTimerImageHover, 0);
    ASSERT_TRUE(IsImagePreviewShown());
    RECT list;
    GetWindowRect(g_mainPanel.noteList.GetHwnd(), &list);
    POINT beside = {list.right + 200, list.top + 5};
    EXPECT_EQ(OpenNoteOfClickedImage(beside), 0);
    EXPECT_EQ(g_mainPanel.currentNote, other);
    POINT onPicture = {(list.left + list.right) / 2, list.top + 40};
    EXPECT_EQ(OpenNoteOfClickedImage(onPicture), 1);
    EXPECT_EQ(g_mainPanel.currentNote, trip);
    EXPECT_FALSE(IsImagePreviewShown());
    EXPECT_EQ(OpenNoteOfClickedImage(onPicture), 0);
    SetImagePreviewTarget(L"rel:\\images\\Trip_2011_05231020.png", kImagePreviewFitted, 0);
    SendMessageW(panel, WM_TIMER, kTimerImageHover, 0);
    ASSERT_TRUE(IsImagePreviewShown());

    // The image zoom draws it over the whole window; leaving that mode takes it away.
    ToggleImageZoom();
    EXPECT_NE(Utf8(GetStatusText()).find("Changed to Large"), std::string::npos);
    EXPECT_TRUE(IsImagePreviewShown());
    ToggleImagePreviewMode(kImagePreviewModeLeave);
    EXPECT_FALSE(IsImagePreviewShown());

    // A missing picture is told in the status line and nothing is shown.
    SetImagePreviewTarget(L"rel:\\images\\gone.png", kImagePreviewFitted, 0);
    PaintImagePreview(kPreviewFromCommand, kPreviewWithImage, 0);
    EXPECT_FALSE(IsImagePreviewShown());
    EXPECT_NE(Utf8(GetStatusText()).find("Cannot find file ("), std::string::npos);

    // The timed thumbnail goes away with its timer.
    EXPECT_EQ(PaintThumbnailPreview(L"rel:\\images\\Trip_2011_05231020.png", kThumbnailSmall), 1);
    EXPECT_TRUE(KillTimer(panel, kTimerThumbnail));
    StartMainTimer(kTimerThumbnail, 10000);
    trace_.Clear();
    SendMessageW(panel, WM_TIMER, kTimerThumbnail, 0);
    EXPECT_TRUE(trace_.Saw(kTraceImagePreview, 3));
    EXPECT_FALSE(KillTimer(panel, kTimerThumbnail));
    EXPECT_EQ(PaintThumbnailPreview(L"rel:\\images\\notes.txt", kThumbnailSmall), 0);
    HideImagePreview();

    // Hovering a picture link waits for the delay; a picture already shown
    // gives way to the next at once; a thumbnail request paints at once and
    // is taken away by its timer; a link to another file is no picture.
    EXPECT_EQ(PreviewImageUnderCursor(L"rel:\\images\\Trip_2011_05231020.png", 0, 0), 1);
    EXPECT_FALSE(IsImagePreviewShown());
    EXPECT_TRUE(KillTimer(panel, kTimerImageHover));
    SendMessageW(panel, WM_TIMER, kTimerImageHover, 0);
    EXPECT_TRUE(IsImagePreviewShown());
    EXPECT_EQ(PreviewImageUnderCursor(L"Open file:rel:\\images\\gone.png", 0, 0), 1);
    EXPECT_FALSE(KillTimer(panel, kTimerImageHover));
    EXPECT_NE(Utf8(GetStatusText()).find("Cannot find file ("), std::string::npos);
    HideImagePreview();
    EXPECT_EQ(PreviewImageUnderCursor(L"rel:\\images\\Trip_2011_05231020.png", 1, kThumbnailSmall), 1);
    EXPECT_FALSE(IsImagePreviewShown());
    EXPECT_TRUE(KillTimer(panel, kTimerThumbnail));
    EXPECT_EQ(PreviewImageUnderCursor(L"rel:\\images\\notes.txt", 0, 0), 0);
    EXPECT_FALSE(KillTimer(panel, kTimerImageHover));
    HideImagePreview();
}

// A path named on the command line that is no file: the user is told what
// is missing, not that the file is no data file.
TEST_F(ShellTest, ANamedPathThatIsNoFileSaysWhatIsMissing)
{
    AIString missing(folder_);
    missing.AppendText(L"\\gone.tavik");
    DeleteFileW(missing.GetText());
    EXPECT_EQ(CheckNamedDatafile(missing.GetText()), 0);
    EXPECT_EQ(GetLastShellMessageId(), kMsgFileNotFound);
    EXPECT_NE(Shown(GetStatusText()).find("the file is missing"), std::string::npos) << Shown(GetStatusText());

    AIString noFolder(folder_);
    noFolder.AppendText(L"\\no such folder\\notes.tavik");
    EXPECT_EQ(CheckNamedDatafile(noFolder.GetText()), 0);
    EXPECT_EQ(GetLastShellMessageId(), kMsgPathNotFound);

    ClearLastShellMessage();
    EXPECT_EQ(CheckNamedDatafile(folder_.GetText()), 0);
    EXPECT_EQ(GetLastShellMessageId(), kMsgNone);
    EXPECT_NE(Shown(GetStatusText()).find("it is a folder"), std::string::npos) << Shown(GetStatusText());

    ASSERT_EQ(WriteDefaultDatafile(IDR_DATAFILE_EXAMPLES, path_.GetText()), 1);
    ClearLastShellMessage();
    EXPECT_EQ(CheckNamedDatafile(path_.GetText()), 1);
    EXPECT_EQ(GetLastShellMessageId(), kMsgNone);
}

// The settings' switch leaves both hot keys out; "nohotkey" (this test
// program's start-up word) only the window hot key.
TEST_F(ShellTest, HotKeysFollowTheSettingsSwitchAndTheStartupWord)
{
    HWND frame = g_frame.GetHwndField();
    SettingsRecord& record = g_app.settings.Record();
    ASSERT_EQ(g_app.HasWord(kWordNoHotkey), 1);
    record.hotKeysOff = 1;
    EXPECT_EQ(RegisterHotKeysAsSet(frame), 0);
    EXPECT_EQ(SendMessageW(frame, WM_GETHOTKEY, 0, 0), 0);
    // Nothing holds Shift+PrintScreen: this program may take it itself.
    EXPECT_TRUE(RegisterHotKey(frame, 0x7F00, MOD_SHIFT, VK_SNAPSHOT));
    UnregisterHotKey(frame, 0x7F00);

    record.hotKeysOff = 0;
    EXPECT_EQ(RegisterHotKeysAsSet(frame), 1);
    EXPECT_EQ(SendMessageW(frame, WM_GETHOTKEY, 0, 0), 0);
    EXPECT_FALSE(RegisterHotKey(frame, 0x7F00, MOD_SHIFT, VK_SNAPSHOT));
    UnregisterProgramHotKeys(frame);
}

// A data file handed over by a second start: the status line tells the
// figures of the note now shown, not of the one shown before.
TEST_F(ShellTest, AHandedOverFileShowsItsOwnNoteFiguresOnTheStatusLine)
{
    OpenExamples();
    ASSERT_EQ(ReadAndShowNote(Find(L"Recipes"), kShowAndRecord), 1);
    SetFocus(g_mainPanel.editor.GetHwnd());
    UpdateEditorStatus(kEditorStatusEnter);
    std::string before = Shown(GetEditorStatusText());

    AIString other(folder_);
    other.AppendText(L"\\handed_over.tavik");
    DeleteFileW(other.GetText());
    ASSERT_EQ(WriteDefaultDatafile(IDR_DATAFILE_START_10, other.GetText()), 1);
    // The hand-over waits for an open message: none is left from another test.
    if (g_messageBox.box) CloseMessageBox(0);
    ASSERT_EQ(g_dialogCenter.IsDialogBusy(), 0u);
    // The user was typing a title when the second start came.
    SetFocus(g_mainPanel.quickSearch.GetHwnd());
    COPYDATASTRUCT data = {kCopyDataOpenDatafile, (DWORD)((other.GetLength() + 1) * sizeof(WCHAR)),
                           (void*)other.GetText()};
    ASSERT_EQ(FrameOnCopyData(g_frame.GetHwndField(), WM_COPYDATA, 0, (LPARAM)&data), 1);
    OpenHandedOverDatafile();
    ASSERT_TRUE(g_noteStore.datafilePath.EqualsTextNoCase(other.GetText()));
    std::string expected = "Note: 1 of " + std::to_string(GetNoteCount());
    EXPECT_NE(Shown(GetEditorStatusText()).find(expected), std::string::npos)
        << Shown(GetEditorStatusText()) << " (before: " << before << ")";
    EXPECT_NE(Shown(GetEditorStatusText()), before);
}

// The data folder gets the help page and the logo it shows.
TEST_F(ShellTest, TheDataFolderGetsTheHelpPageAndItsLogo)
{
    AIString folder;
    GetProgramDataFolder(folder);
    AIString logo(folder), help(folder);
    logo.AppendText(L"\\logo.png");
    help.AppendText(L"\\help.html");
    DeleteFileW(logo.GetText());
    PrepareDataFolder(folder);
    HANDLE file = CreateFileW(logo.GetText(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    unsigned char head[8] = {};
    DWORD got = 0;
    ReadFile(file, head, 8, &got, nullptr);
    CloseHandle(file);
    EXPECT_EQ(got, 8u);
    EXPECT_EQ(memcmp(head, "\x89PNG\r\n\x1a\n", 8), 0);
    EXPECT_NE(GetFileAttributesW(help.GetText()), INVALID_FILE_ATTRIBUTES);
}

// ---- Following a link to a program ----

// Answers the program's question before a link starts a program: records
// its text and clicks the answer given.
struct ProgramQuestion {
    static int asked;
    static UINT answer;
    static std::string text;

    static BOOL CALLBACK CollectText(HWND child, LPARAM)
    {
        WCHAR buffer[512] = {};
        GetWindowTextW(child, buffer, 512);
        text += Utf8(buffer) + "|";
        return TRUE;
    }
    static BOOL CALLBACK Answer(HWND window, LPARAM)
    {
        WCHAR className[16] = {}, caption[32] = {};
        GetClassNameW(window, className, 16);
        GetWindowTextW(window, caption, 32);
        if (!IsWindowVisible(window) || lstrcmpW(className, L"#32770") != 0 || lstrcmpW(caption, L"Tavik") != 0)
            return TRUE;
        asked++;
        EnumChildWindows(window, CollectText, 0);
        PostMessageW(window, WM_COMMAND, answer, 0);
        return FALSE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), Answer, 0); }
};
int ProgramQuestion::asked = 0;
UINT ProgramQuestion::answer = IDNO;
std::string ProgramQuestion::text;

// A link whose name ends in a dot names the batch file all the same: the
// program asks before it starts it, and after No nothing runs.
TEST_F(ShellTest, ALinkToABatchFileWithADotAtItsEndAsksFirst)
{
    AIString script(folder_), marker(folder_);
    script.AppendText(L"\\mark.bat");
    marker.AppendText(L"\\marker.txt");
    DeleteFileW(marker.GetText());
    WriteBytes(script.GetText(), "@echo ran>>\"" + Utf8(marker) + "\"\r\n");
    AIString records(L"\x00A4Tools\r\nRun [mark] now\r\n{{\r\n[mark:");
    records.AppendString(script).AppendText(L".]\r\n}}\r\n");
    WriteNotesDatafile(path_.GetText(), records);
    ASSERT_EQ(OpenDatafile(path_.GetText()), 1);
    ASSERT_EQ(ReadAndShowNote(Find(L"Tools"), kShowAndRecord), 1);
    HWND editor = g_mainPanel.editor.GetHwnd();
    HACCEL accelerators = CreateCommandAccelerators();
    TestKeyboard keys(accelerators, g_frame.GetHwndField());
    auto follow = [&](UINT answer) {
        SetFocus(editor);
        CHARRANGE inside = {6, 6};   // "Run [m|ark]": the caret inside the link
        SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&inside);
        ProgramQuestion::asked = 0;
        ProgramQuestion::answer = answer;
        ProgramQuestion::text.clear();
        UINT_PTR driver = SetTimer(nullptr, 0, 30, ProgramQuestion::Tick);
        keys.Press(VK_RETURN);
        keys.PumpUntil([] { return ProgramQuestion::asked > 0; }, 5000);
        KillTimer(nullptr, driver);
    };
    follow(IDNO);
    EXPECT_EQ(ProgramQuestion::asked, 1) << "the batch file was handed to the shell unasked";
    EXPECT_NE(ProgramQuestion::text.find("This link starts a program or script"), std::string::npos)
        << ProgramQuestion::text;
    EXPECT_NE(ProgramQuestion::text.find("mark.bat."), std::string::npos) << ProgramQuestion::text;
    EXPECT_NE(Utf8(GetStatusText()).find("Not started"), std::string::npos) << Utf8(GetStatusText());
    // Yes starts it: the dotted name is the batch file to the shell.
    EXPECT_EQ(ReadBytes(marker.GetText()), "<missing>") << "the batch file ran after No";
    follow(IDYES);
    EXPECT_EQ(ProgramQuestion::asked, 1);
    keys.PumpUntil([&] { return ReadBytes(marker.GetText()).find('\n') != std::string::npos; }, 20000);
    EXPECT_EQ(ReadBytes(marker.GetText()), "ran\r\n") << "one run, after Yes";
    // The frame went down before the shell started the program: it comes back.
    ShowWindow(g_frame.GetHwndField(), SW_RESTORE);
    DestroyAcceleratorTable(accelerators);
    DeleteFileW(script.GetText());
    DeleteFileW(marker.GetText());
}

// A link to a decompression bomb (a picture of 8,000 x 8,000 in a small
// file), followed with Enter: the preview shows it from its screen-size copy
// and the program never holds the picture whole.
TEST_F(ShellTest, AFollowedLinkToADecompressionBombIsShownFromItsCopy)
{
    AIString bomb(folder_);
    bomb.AppendText(L"\\bomb.png");
    WriteBytes(bomb.GetText(), ZeroPngBytes(8000, 8000));
    AIString records(L"\x00A4Pictures\r\nSee [bomb] here\r\n{{\r\n[bomb:");
    records.AppendString(bomb).AppendText(L"]\r\n}}\r\n");
    WriteNotesDatafile(path_.GetText(), records);
    ASSERT_EQ(OpenDatafile(path_.GetText()), 1);
    ASSERT_EQ(ReadAndShowNote(Find(L"Pictures"), kShowAndRecord), 1);
    HWND editor = g_mainPanel.editor.GetHwnd();
    HideImagePreview();
    PROCESS_MEMORY_COUNTERS before = {};
    before.cb = sizeof before;
    ASSERT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before));
    HACCEL accelerators = CreateCommandAccelerators();
    TestKeyboard keys(accelerators, g_frame.GetHwndField());
    SetFocus(editor);
    ASSERT_EQ(GetFocus(), editor);
    CHARRANGE inside = {6, 6};   // "See [b|omb]"
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&inside);
    keys.Press(VK_RETURN);
    // The preview names the picture in the status line once it is drawn.
    keys.PumpUntil([] { return Utf8(GetStatusText()).find("bomb.png") != std::string::npos; }, 10000);
    EXPECT_NE(Utf8(GetStatusText()).find("bomb.png"), std::string::npos) << Utf8(GetStatusText());
    PROCESS_MEMORY_COUNTERS after = {};
    after.cb = sizeof after;
    ASSERT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after));
    const SIZE_T kAllowance = 96u << 20;   // the screen-size copy of a large screen, and its bitmap
    SIZE_T bound = before.WorkingSetSize + kAllowance > before.PeakWorkingSetSize
                       ? before.WorkingSetSize + kAllowance
                       : before.PeakWorkingSetSize;
    EXPECT_LE(after.PeakWorkingSetSize, bound) << "peak " << (after.PeakWorkingSetSize >> 20) << " MB, before "
                                               << (before.WorkingSetSize >> 20) << " MB";
    HideImagePreview();
    DestroyAcceleratorTable(accelerators);
    DeleteFileW(bomb.GetText());
}
