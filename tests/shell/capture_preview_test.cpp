// The browser capture and the captured page's picture in the program's own
// windows: the hot key with no browser in front, the click mode's
// instruction and its end, and a link to a captured page rested on.
#include "tests/support/gtest.h"
#include "tests/support/keyboard.h"
#include "tests/support/test_program.h"
#include "tests/support/test_files.h"
#include "dialogs/dialog_center.h"
#include "dialogs/message_box.h"
#include "editor/images/image_paste.h"
#include "shell/command_table.h"
#include "shell/file_commands.h"
#include "shell/image_preview_connection.h"
#include "shell/note_commands.h"
#include "search/preview/preview_pane.h"
#include "notestore/note_store.h"
#include "foundation/clipboard.h"
#include "foundation/message_ids.h"
#include "resources/resource_ids.h"
#include <richedit.h>
#include <string>
#include <vector>

namespace {

// The frame's id of the Shift+PrintScreen hot key.
const WPARAM kCaptureHotKeyId = 1;
const DWORD kClickModeBoundMs = 8000;

class CapturePreview : public testing::Test {
protected:
    AIString folder;
    AIString path;
    HACCEL accelerators = nullptr;

    void SetUp() override
    {
        ASSERT_NE(StartTestProgram(L"C:\\Tools\\TavikCaptureTest.exe", L"TavikCaptureTest.exe nohotkey", 1), nullptr);
        accelerators = CreateCommandAccelerators();
        g_app.settings.Record().previewWebPages = 0;
        WCHAR temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder.AssignText(temp).AppendText(L"tavik_capture_preview_").AppendUnsigned(GetCurrentProcessId());
        CreateDirectoryW(folder.GetText(), nullptr);
        path.Copy(folder).AppendText(L"\\capture_");
        path.AppendAscii(testing::UnitTest::GetInstance()->current_test_info()->name()).AppendText(L".tavik");
        DeleteFileW(path.GetText());
        WriteNotesDatafile(path.GetText(), AIString(L"\x00A4" L"Sites\r\nRead www.example.org/page today\r\n{{\r\n}}\r\n"));
        ASSERT_EQ(OpenDatafile(path.GetText()), 1);
        g_frame.RunGuarded(CreateMainWindow);
        ASSERT_EQ(ReadAndShowNote(0, kShowAndRecord), 1);
        HideQuickPreview(0);
    }
    void TearDown() override
    {
        HideQuickPreview(0);
        if (accelerators) DestroyAcceleratorTable(accelerators);
    }

    TestKeyboard Keys() { return TestKeyboard(accelerators, g_frame.GetHwndField()); }
    static HWND Frame() { return g_frame.GetHwndField(); }
    static HWND Editor() { return g_mainPanel.editor.GetHwnd(); }
    static std::string Status() { return Utf8(AIString(GetStatusText())); }

    // A picture of w x h on the clipboard, as a capture leaves the page's.
    static void PictureOnClipboard(int w, int h)
    {
        int stride = (w * 3 + 3) & ~3;
        std::vector<uint8_t> dib(sizeof(BITMAPINFOHEADER) + (size_t)stride * h, 0x80);
        BITMAPINFOHEADER* header = (BITMAPINFOHEADER*)dib.data();
        *header = BITMAPINFOHEADER{};
        header->biSize = sizeof(BITMAPINFOHEADER);
        header->biWidth = w;
        header->biHeight = h;
        header->biPlanes = 1;
        header->biBitCount = 24;
        AIClipboard clipboard(Frame());
        ASSERT_TRUE(clipboard.Open());
        ASSERT_TRUE(clipboard.SetDib(dib.data(), (uint32_t)dib.size()));
    }
};

}  // namespace

TEST_F(CapturePreview, NoBrowserInFrontIsSaidOnTheStatusLineAndInAMessage)
{
    // Shift+PrintScreen with this program in front: no browser to capture.
    SetForegroundWindow(Frame());
    g_dialogCenter.messageId = 0;
    PostMessageW(Frame(), WM_HOTKEY, kCaptureHotKeyId, MAKELPARAM(MOD_SHIFT, VK_SNAPSHOT));
    Keys().PumpUntil([] { return g_dialogCenter.messageId != 0; }, 3000);
    EXPECT_EQ(0u, Status().find("Web capture failed: no web browser was in front")) << Status();
    // Balloons do not show here: the message says what to do.
    EXPECT_EQ((uint32_t)kMsgCaptureNoBrowser, g_dialogCenter.messageId);
    CloseMessageBoxByCode();
    Keys().Pump();
}

TEST_F(CapturePreview, TheClickModesInstructionGoesWithTheMode)
{
    // The ribbon's Capture Web: the next click names the browser window.
    PostMessageW(Frame(), WM_COMMAND, IDM_CAPTURE_WEB, 0);
    TestKeyboard keys = Keys();
    keys.Pump();
    EXPECT_EQ("Click the web browser's window to capture its page", Status());
    // Nobody clicks: the mode ends with its time limit, and its instruction with it.
    ASSERT_TRUE(keys.PumpUntil([] { return Status() != "Click the web browser's window to capture its page"; },
                               kClickModeBoundMs));
    EXPECT_EQ("Capture Web ended - no window was clicked", Status());
    EXPECT_NE(GetCapture(), Editor());
}

TEST_F(CapturePreview, ALinkToACapturedPageShowsThePagesPicture)
{
    // The capture saved the page's picture as it does after a capture.
    ASSERT_NO_FATAL_FAILURE(PictureOnClipboard(120, 400));
    ASSERT_EQ(1, SaveWebCaptureImage(L"https://www.example.org/page", L"Example page", 0));
    // The pointer rests on the link.
    FINDTEXTEXW find = {{0, -1}, L"example", {0, 0}};
    LONG at = (LONG)SendMessageW(Editor(), EM_FINDTEXTEXW, 1, (LPARAM)&find);
    ASSERT_GE(at, 0);
    POINTL point = {0, 0};
    SendMessageW(Editor(), EM_POSFROMCHAR, (WPARAM)&point, at + 1);
    TestKeyboard keys = Keys();
    keys.MoveMouse(Editor(), point.x + 2, point.y + 4);
    ASSERT_TRUE(keys.PumpUntil([] { return IsImagePreviewShown() != 0; }, 3000));
    std::string target = Utf8(AIString(GetImagePreviewTarget()));
    EXPECT_NE(std::string::npos, target.find("\\images\\")) << target;
    EXPECT_FALSE(IsWindowVisible(GetLinkPreviewPane()));
    HideQuickPreview(0);
    EXPECT_FALSE(IsImagePreviewShown());

    // A page never captured keeps to its text (nothing here: no cache, no downloads).
    AIString other(L"Also www.other.org/none here");
    SendMessageW(Editor(), EM_SETSEL, -1, -1);
    SendMessageW(Editor(), EM_REPLACESEL, TRUE, (LPARAM)other.GetText());
    FINDTEXTEXW none = {{0, -1}, L"other", {0, 0}};
    at = (LONG)SendMessageW(Editor(), EM_FINDTEXTEXW, 1, (LPARAM)&none);
    ASSERT_GE(at, 0);
    SendMessageW(Editor(), EM_POSFROMCHAR, (WPARAM)&point, at + 1);
    keys.MoveMouse(Editor(), point.x + 2, point.y + 4);
    EXPECT_FALSE(keys.PumpUntil([] { return IsImagePreviewShown() != 0; }, 600));
}
