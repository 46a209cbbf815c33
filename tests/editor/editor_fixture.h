// The fixture of the editor's key tests: one program with its frame and
// content window, a data file per test, and whole key presses into the
// program's editor: key-down, the character the loop's own translation
// makes, key-up, with the key state a keyboard gives (so the editor reads
// Shift, Ctrl and Alt as it does for typed keys), through the program's
// accelerators and its own handling of the loop's messages.
#pragma once
#include "tests/support/gtest.h"
#include "tests/support/test_program.h"
#include "foundation/message_pump.h"
#include "editor/editor_status.h"
#include "editor/keys/editor_links.h"
#include "editor/keys/note_editor.h"
#include "editor/keys/editor_state.h"
#include "shell/file_commands.h"
#include "shell/frame_window.h"
#include "shell/main_panel.h"
#include "shell/note_commands.h"
#include "shell/shell_messages.h"
#include "notestore/note_store.h"
#include "foundation/app.h"
#include "foundation/clipboard.h"
#include "foundation/ai_string_table.h"
#include "ui/link_marks.h"
#include "tests/support/test_files.h"
#include "tests/support/keyboard.h"
#include "shell/command_table.h"
#include <ole2.h>
#include <richedit.h>
#include <string>
#include <vector>

namespace editor_keys {

inline int32_t s_hyperlinkAnswer = -1;
inline int32_t EditHyperlink(AIString&, AIString& target, int)
{
    if (s_hyperlinkAnswer == 1) target.AssignText(L"http://example.org/page");
    return s_hyperlinkAnswer;
}

class EditorKeys : public testing::Test {
protected:
    HWND frame = nullptr;
    HWND editor = nullptr;
    AITextDocument* doc = nullptr;
    AIString path;
    const char* fileSuffix = "";  // a test that opens a second data file names it apart
    TestKeyboard keys;

    // One program for all the tests; each opens a data file of its own.
    static HWND Program()
    {
        return StartTestProgram(L"C:\\Tools\\TavikKeysTest.exe", L"TavikKeysTest.exe nohotkey", 0);
    }

    void Open(int readOnly)
    {
        OpenNotes(readOnly,
                  L"\x00A4"
                  L"Books_to_read\r\nA list.\r\n{{\r\n}}\r\n"
                  L"\x00A4"
                  L"Plans\r\n# Plans\r\nfirst line\r\n{{\r\n}}\r\n",
                  L"Plans");
    }
    // A data file of the given notes (in title order), showing one of them.
    void OpenNotes(int readOnly, const WCHAR* notes, const WCHAR* shown)
    {
        frame = Program();
        ASSERT_NE(frame, nullptr);
        g_editorShell.editHyperlink = EditHyperlink;
        WCHAR temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path.AssignText(temp);
        // A file of its own per test: the store keeps the last one open.
        path.AppendText(L"tavik_keys_");
        path.AppendAscii(testing::UnitTest::GetInstance()->current_test_info()->name());
        path.AppendAscii(fileSuffix);
        // An edited note left in a side file by an earlier run would be
        // taken up as this run's newer text.
        AIString sideFiles(path);
        sideFiles.AppendText(L"_notes\\");
        DeleteSideFiles(sideFiles);
        path.AppendText(L".tavik");
        SetFileAttributesW(path.GetText(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.GetText());
        AIString file(L"Tavik 10\r\n");
        file.AppendText(notes);
        std::string bytes("\xff\xfe", 2);
        bytes.append((const char*)file.GetText(), (size_t)file.GetLength() * 2);
        WriteBytes(path.GetText(), bytes);
        if (readOnly) SetFileAttributesW(path.GetText(), FILE_ATTRIBUTE_READONLY);
        ASSERT_EQ(OpenDatafile(path.GetText()), 1);
        // The editor has the focus before the note shows: the note starts
        // without the highlight of the editor's entry.
        SetForegroundWindow(frame);
        SetFocus(g_mainPanel.editor.GetHwnd());
        ASSERT_EQ(ReadAndShowNote(FindNoteByTitle(shown, 0, 0), kShowAndRecord), 1);
        editor = g_mainPanel.editor.GetHwnd();
        doc = g_mainPanel.editor.GetDocument();
        ASSERT_NE(doc, nullptr);
        // The program's own loop: its accelerators against its frame, the
        // keys into the window with the focus.
        static HACCEL accelerators = CreateCommandAccelerators();
        keys = TestKeyboard(accelerators, frame);
        ReleaseAllKeys();
        keys.Pump();
        ClearLastShellMessage();
        // The read-only notice is told once per run of the program: each test
        // is a run of its own.
        g_noteEditor.readOnlyTold = 0;
    }
    // No key or button is held from an earlier test.
    static void ReleaseAllKeys()
    {
        BYTE state[256] = {};
        SetKeyboardState(state);
    }
    void TearDown() override
    {
        ReleaseAllKeys();
        s_hyperlinkAnswer = -1;
        SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
        SetFileAttributesW(path.GetText(), FILE_ATTRIBUTE_NORMAL);
    }

    // Whole keys into the window with the focus (the editor unless a key
    // moved it): text typed as a keyboard types it ('\n' is Enter, '\b'
    // Backspace), one key with modifiers held around it, Ctrl with a key.
    void Type(const WCHAR* text) { keys.Type(text); }
    void Press(UINT vk, int modifiers = kNoModifier) { keys.Press(vk, modifiers); }
    void CtrlChord(UINT vk, int shift = 0) { keys.Press(vk, kCtrlKey | (shift ? kShiftKey : 0)); }
    // A key held down (and its auto-repeat) and let go.
    void Hold(UINT vk) { keys.Hold(vk); }
    void Release(UINT vk) { keys.Release(vk); }
    std::string Text()
    {
        AIString t;
        doc->GetRangeText(0, -1, &t);
        return Utf8(t);
    }
    void Caret(int at)
    {
        CHARRANGE r = {at, at};
        SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&r);
    }
    void Select(int from, int to)
    {
        CHARRANGE r = {from, to};
        SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&r);
    }
    int End() { return doc->GetTextLength(); }
    int32_t MarkOf(int from, int to) { return doc->GetRangeUnderline(from, to); }
};

}  // namespace editor_keys

using namespace editor_keys;
