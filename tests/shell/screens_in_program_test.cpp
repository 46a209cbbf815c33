// The dialog host's screens opened from the running program by their keys,
// as a user opens them: what a cancelled screen leaves on the status line,
// where the image browser lies, and a picture pasted from the clipboard
// when only its PNG form is there.
#include "tests/support/gtest.h"
#include "tests/support/keyboard.h"
#include "tests/support/test_program.h"
#include "tests/support/test_files.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_host.h"
#include "dialogs/modal_backdrop.h"
#include "dialogs/screens/image_large_view.h"
#include "dialogs/screens/image_paste_screen.h"
#include "dialogs/screens/screens.h"
#include "shell/command_table.h"
#include "shell/frame_ribbon.h"
#include "resources/resource_ids.h"
#include "drawing/ai_resource_image.h"
#include "shell/dialogs_connection.h"
#include "shell/file_commands.h"
#include "shell/note_commands.h"
#include "shell/status_texts.h"
#include "notestore/note_store.h"
#include "foundation/clipboard.h"
#include "imaging/ai_image.h"
#include <functional>
#include <string>

namespace {

const DWORD kScreenBoundMs = 8000;

// Runs `action` once a screen is open and active: polled on a thread timer,
// so inside the screen's own loop. A watchdog closes a screen that stays.
struct InsideScreen {
    static std::function<void(HWND)> action;
    static int ran;
    static int watchdogFired;
    static void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND host = g_dialogHost.window;
        if (!action || DialogState != kDialogOpen || !host || GetActiveWindow() != host) return;
        std::function<void(HWND)> run = action;
        action = nullptr;
        ran = 1;
        run(host);
    }
    static void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD)
    {
        watchdogFired = 1;
        if (g_dialogHost.window) SendMessageW(g_dialogHost.window, WM_CLOSE, 0, 0);
    }
    // `open` opens the screen (a key of the program); `inside` acts in it.
    static void Run(const std::function<void()>& open, const std::function<void(HWND)>& inside)
    {
        action = inside;
        ran = 0;
        watchdogFired = 0;
        UINT_PTR poll = SetTimer(0, 0, 20, Poll);
        UINT_PTR watchdog = SetTimer(0, 0, kScreenBoundMs, Watchdog);
        open();
        KillTimer(0, poll);
        KillTimer(0, watchdog);
        action = nullptr;
    }
};
std::function<void(HWND)> InsideScreen::action;
int InsideScreen::ran = 0;
int InsideScreen::watchdogFired = 0;

// The user lets go of the keys that opened a screen before answering it.
void LetGoOfModifiers(TestKeyboard& keys)
{
    const UINT modifiers[] = {VK_CONTROL, VK_MENU, VK_SHIFT};
    for (UINT vk : modifiers)
        if (GetKeyState(vk) < 0) keys.Release(vk);
}

class ScreensInProgram : public testing::Test {
protected:
    AIString folder;
    AIString path;
    HACCEL accelerators = nullptr;

    void SetUp() override
    {
        ASSERT_NE(StartTestProgram(L"C:\\Tools\\TavikScreensTest.exe", L"TavikScreensTest.exe nohotkey", 1), nullptr);
        accelerators = CreateCommandAccelerators();
        WCHAR temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder.AssignText(temp).AppendText(L"tavik_screens_").AppendUnsigned(GetCurrentProcessId());
        CreateDirectoryW(folder.GetText(), nullptr);
        path.Copy(folder).AppendText(L"\\screens_");
        path.AppendAscii(testing::UnitTest::GetInstance()->current_test_info()->name()).AppendText(L".tavik");
        DeleteFileW(path.GetText());
        WriteNotesDatafile(path.GetText(), AIString(L"\x00A4" L"Garden\r\nroses and tulips\r\n{{\r\n}}\r\n"
                                                    L"\x00A4" L"Kitchen\r\nbread\r\n{{\r\n}}\r\n"));
        ASSERT_EQ(OpenDatafile(path.GetText()), 1);
        static int made = 0;
        if (!made) {
            made = 1;
            g_frame.RunGuarded(CreateMainWindow);
            g_app.SetMainWindow(Frame());
            ConnectDialogs();
        }
        ASSERT_EQ(ReadAndShowNote(0, kShowAndRecord), 1);
        SetForegroundWindow(Frame());
        SetFocus(Editor());
        Keys().PumpUntil([] { return GetFocus() == Editor(); });
    }
    void TearDown() override
    {
        if (accelerators) DestroyAcceleratorTable(accelerators);
    }

    TestKeyboard Keys() { return TestKeyboard(accelerators, Frame()); }
    static HWND Frame() { return g_frame.GetHwndField(); }
    static HWND Editor() { return g_mainPanel.editor.GetHwnd(); }
    static std::string Status() { return Utf8(AIString(GetStatusText())); }
};

}  // namespace

TEST_F(ScreensInProgram, CancelledScreensAndEmptyFavouritesNeverSayAFeatureIsMissing)
{
    struct Case {
        const char* name;
        UINT key;
        int modifiers;
        UINT answer;
    } cases[] = {
        {"Shortcuts, Esc", 'Q', kCtrlKey, VK_ESCAPE},
        {"File panel, Esc", 'F', kAltKey, VK_ESCAPE},
        {"File panel, F", 'F', kAltKey, 'F'},
        {"Favourites, Esc", '0', kCtrlKey, VK_ESCAPE},
    };
    for (const Case& c : cases) {
        SetStatusText(L"", kStatusDone);
        TestKeyboard keys = Keys();
        InsideScreen::Run([&] { keys.Press(c.key, c.modifiers); },
                          [&](HWND) {
                              TestKeyboard inside;
                              LetGoOfModifiers(inside);
                              inside.Press(c.answer);
                          });
        keys.PumpUntil([] { return !g_dialogHost.window; });
        EXPECT_EQ(1, InsideScreen::ran) << c.name;
        EXPECT_EQ(0, InsideScreen::watchdogFired) << c.name;
        EXPECT_EQ(std::string::npos, Status().find("not available")) << c.name << ": " << Status();
        SetFocus(Editor());
        keys.PumpUntil([] { return GetFocus() == Editor(); });
    }
    // An empty favourite slot says how to fill it, and nothing else.
    TestKeyboard keys = Keys();
    keys.Press('3', kCtrlKey);
    EXPECT_EQ(0u, Status().find("Favorite not defined. Press Ctrl+0 to edit favorites")) << Status();
}

TEST_F(ScreensInProgram, TheImageBrowserLiesRightOfTheNoteListAndBelowTheRibbon)
{
    RECT host = {0, 0, 0, 0}, content = {0, 0, 0, 0}, list = {0, 0, 0, 0};
    TestKeyboard keys = Keys();
    InsideScreen::Run([&] { keys.Press('B', kAltKey); },
                      [&](HWND window) {
                          GetWindowRect(window, &host);
                          GetWindowRect(g_mainPanel.GetHwndField(), &content);
                          GetWindowRect(g_mainPanel.noteList.GetHwnd(), &list);
                          TestKeyboard inside;
                          LetGoOfModifiers(inside);
                          inside.Press(VK_ESCAPE);
                      });
    ASSERT_EQ(1, InsideScreen::ran);
    EXPECT_EQ(0, InsideScreen::watchdogFired);
    EXPECT_GE(host.left, list.right) << "the note list stays in view";
    EXPECT_GE(host.top, content.top) << "the ribbon stays in view";
    EXPECT_LE(host.right, content.right);
    EXPECT_LE(host.bottom, content.bottom);
    EXPECT_GT(host.right - host.left, 200);
    EXPECT_GT(host.bottom - host.top, 200);
}

namespace {

// 1 when `upper` lies above `lower` in the z order of top-level windows.
int Above(HWND upper, HWND lower)
{
    if (!upper || !lower) return 0;
    for (HWND w = GetTopWindow(0); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == upper) return 1;
        if (w == lower) return 0;
    }
    return 0;
}

// A 40 x 30 picture put on the clipboard only as PNG bytes, as a browser or an
// image program puts it there.
void PngOnlyOnClipboard(HWND owner)
{
    AIImage image;
    ASSERT_TRUE(image.Create(40, 30, 24));
    uint8_t* bits = image.GetBits();
    for (uint32_t i = 0; i < image.GetStride() * 30; i++) bits[i] = (uint8_t)(i * 7);
    uint8_t* png = nullptr;
    uint32_t bytes = 0;
    ASSERT_TRUE(image.EncodeToMemory(&png, &bytes, kImagePng));
    AIClipboard clipboard(owner);
    ASSERT_TRUE(clipboard.Open());
    ASSERT_TRUE(clipboard.SetData(AIClipboard::PngFormat(), png, bytes));
    AIImage::FreeMemory(png);
}

}  // namespace

TEST_F(ScreensInProgram, APictureOnTheClipboardOnlyAsPngIsPastedAndViewedLarge)
{
    PngOnlyOnClipboard(Frame());
    ASSERT_FALSE(IsClipboardFormatAvailable(CF_DIB));
    int width = 0, height = 0, largeShown = 0, largeOverMain = 0;
    TestKeyboard keys = Keys();
    InsideScreen::Run([&] { keys.Press('V', kCtrlKey); },
                      [&](HWND host) {
                          width = ImagePasteWorkingImage().GetWidth();
                          height = ImagePasteWorkingImage().GetHeight();
                          // "Preview" shows the picture in a window of its own
                          // over the main window, above the darkened backdrop.
                          TestKeyboard inside;
                          LetGoOfModifiers(inside);
                          inside.Click(host, 550 - 525 + 55, 140 + 15);
                          HWND view = LargeViewWindow();
                          largeShown = view && IsWindowVisible(view);
                          RECT main, shown;
                          GetClientRect(Frame(), &main);
                          MapWindowPoints(Frame(), 0, (POINT*)&main, 2);
                          if (view) GetWindowRect(view, &shown);
                          largeOverMain = view && EqualRect(&main, &shown);
                          largeOverMain = largeOverMain && Above(view, GetBackdropWindow());
                          inside.Press(VK_ESCAPE);  // ends the large view
                          inside.Press(VK_ESCAPE);  // cancels the screen
                      });
    EXPECT_EQ(1, InsideScreen::ran) << Status();
    EXPECT_EQ(0, InsideScreen::watchdogFired);
    EXPECT_EQ(40, width);
    EXPECT_EQ(30, height);
    EXPECT_EQ(1, largeShown);
    EXPECT_EQ(1, largeOverMain);
    EXPECT_FALSE(LargeViewWindow()) << "the view goes with the large preview";
}

// A tab's pictures are decoded when it first shows: each tab is shown and
// every button on it has its picture.
TEST_F(ScreensInProgram, EveryRibbonButtonCarriesItsPicture)
{
    int controls = g_ribbon.GetControlCount();
    ASSERT_GT(controls, 30);
    int checked = 0;
    for (int tab = 0; tab < g_ribbon.GetTabCount(); tab++) {
        g_ribbon.SelectTab(tab);
        for (int i = 0; i < controls; i++) {
            AIControl* control = g_ribbon.GetControl(i);
            ASSERT_NE(control, nullptr);
            if (!control->IsVisible()) continue;
            checked++;
            AIResourceImage* picture = control->GetPicture();
            EXPECT_TRUE(picture && picture->IsLoaded()) << Utf8(control->GetCaption());
            // Small buttons take the small pictures, tall ones the larger.
            if (picture && picture->IsLoaded()) {
                RECT r = control->GetRect();
                EXPECT_LT(picture->GetHeight(), r.bottom - r.top) << Utf8(control->GetCaption());
            }
        }
    }
    g_ribbon.SelectTab(0);
    EXPECT_EQ(controls, checked) << "every button shows on its tab";
}

TEST_F(ScreensInProgram, TheRibbonExplainsItsButtonsAndItsHighlightFadesWhenThePointerLeaves)
{
    TestKeyboard keys = Keys();
    // Home tab: New is on; Cut is off without a selection and says why.
    SendMessageW(Editor(), EM_SETSEL, 0, 0);
    keys.Pump();
    AIControl* newNote = g_ribbon.FindControl(IDM_NEW_NOTE);
    AIControl* cut = g_ribbon.FindControl(IDM_EDIT_CUT);
    ASSERT_TRUE(newNote && cut);
    ASSERT_FALSE(cut->IsEnabled());
    RECT r = cut->GetRect();
    keys.MoveMouse(Frame(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    EXPECT_NE(std::string::npos, Status().find("select text first")) << Status();
    r = newNote->GetRect();
    keys.MoveMouse(Frame(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    EXPECT_EQ(0u, Status().find("Create a new note")) << Status();
    EXPECT_TRUE(newNote->IsHot());
    // The pointer goes down into the editor: the frame hears that it left.
    keys.MoveMouse(Editor(), 40, 40);
    PostMessageW(Frame(), WM_MOUSELEAVE, 0, 0);
    keys.Pump();
    EXPECT_FALSE(newNote->IsHot()) << "the highlight stayed after the pointer left";
    EXPECT_EQ(nullptr, g_ribbon.GetHotControl());
    EXPECT_GT(g_ribbon.GetHoverFadeLevel(), 0);
    EXPECT_TRUE(keys.PumpUntil([] { return g_ribbon.GetHoverFadeLevel() == 0; }, 3000));
}
