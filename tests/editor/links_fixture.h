// The fixture of the link tests: the whole program (frame, content window,
// dialogs and message box connected as at start-up), a data file per test,
// and a keyboard that presses whole keys through the program's own loop with
// its accelerators. The note dialogs run for real: a script answers them
// from inside their own modal loop, pressing keys as a user does.
#pragma once
#include "tests/support/gtest.h"
#include "tests/support/keyboard.h"
#include "tests/support/test_files.h"
#include "dialogs/dialog_center.h"
#include "dialogs/message_box.h"
#include "editor/dialogs/note_dialog.h"
#include "editor/keys/editor_links.h"
#include "foundation/ai_string_table.h"
#include "foundation/app.h"
#include "notestore/note_store.h"
#include "shell/command_table.h"
#include "shell/dialogs_connection.h"
#include "shell/file_commands.h"
#include "shell/frame_window.h"
#include "shell/main_panel.h"
#include "shell/note_commands.h"
#include "ui/ai_text_document.h"
#include <ole2.h>
#include <richedit.h>
#include <functional>
#include <string>

namespace links_test {

// Steps run inside a note dialog's own loop once it is up.
inline std::function<void()> s_dialogSteps;
inline int s_dialogSeen = 0;

inline void CALLBACK RunDialogSteps(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (!GetNoteDialogWindow()) return;
    KillTimer(nullptr, timer);
    s_dialogSeen = 1;
    std::function<void()> steps;
    steps.swap(s_dialogSteps);
    if (steps) steps();
    // A script that left the dialog open closes it as Escape does.
    if (HWND dialog = GetNoteDialogWindow()) SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

// A field's text, and the message a note dialog shows ("" none).
inline std::string FieldText(HWND field)
{
    AIString t;
    if (field) t.AssignControlText(field);
    return Utf8(t);
}
inline std::string DialogMessage() { return Utf8(AIString(GetNoteDialogMessageText())); }

class LinksTest : public testing::Test {
protected:
    HWND frame = nullptr;
    HWND editor = nullptr;
    AITextDocument* doc = nullptr;
    AIString path;

    static HWND Program()
    {
        static HWND made = nullptr;
        if (made) return made;
        g_app.Prepare(L"C:\\Tools\\TavikLinksTest.exe", L"TavikLinksTest.exe nohotkey");
        g_app.settings.WriteDefaults(1);
        LoadLibraryW(L"RICHED20.DLL");
        OleInitialize(nullptr);
        made = CreateFrameWindow(GetModuleHandleW(nullptr));
        if (made && !CreateContentWindow(made)) made = nullptr;
        if (!made) return nullptr;
        g_app.SetMainWindow(made);
        ConnectDialogs();
        ShowWindow(made, SW_SHOW);
        return made;
    }
    static HACCEL Accelerators()
    {
        static HACCEL table = CreateCommandAccelerators();
        return table;
    }

    // The keyboard of the main loop, and the one of a modal dialog's loop.
    TestKeyboard Keys() { return TestKeyboard(Accelerators(), frame); }
    static TestKeyboard DialogKeys() { return TestKeyboard(); }

    // A data file of the given notes (in title order), showing one of them
    // with the focus in the editor.
    void OpenNotes(const WCHAR* notes, const WCHAR* shown)
    {
        frame = Program();
        ASSERT_NE(frame, nullptr);
        WCHAR temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path.AssignText(temp).AppendText(L"tavik_links_");
        path.AppendAscii(testing::UnitTest::GetInstance()->current_test_info()->name());
        path.AppendText(L".tavik");
        DeleteFileW(path.GetText());
        AIString file(L"Tavik 10\r\n");
        file.AppendText(notes);
        std::string bytes("\xff\xfe", 2);
        bytes.append((const char*)file.GetText(), (size_t)file.GetLength() * 2);
        WriteBytes(path.GetText(), bytes);
        ASSERT_EQ(OpenDatafile(path.GetText()), 1);
        ASSERT_EQ(ReadAndShowNote(FindNoteByTitle(shown, 0, 0), kShowAndRecord), 1);
        editor = g_mainPanel.editor.GetHwnd();
        doc = g_mainPanel.editor.GetDocument();
        ASSERT_NE(doc, nullptr);
        SetForegroundWindow(frame);
        SetFocus(editor);
        TestKeyboard keys = Keys();
        ASSERT_TRUE(keys.PumpUntil([&] { return GetFocus() == editor; }));
    }
    void TearDown() override
    {
        s_dialogSteps = nullptr;
        s_dialogSeen = 0;
        g_dialogCenter.UpdateMessageBox(-1);
        if (editor) SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
    }

    // The next note dialog is answered by `steps` from inside its loop.
    void WhenDialogOpens(std::function<void()> steps)
    {
        s_dialogSteps = std::move(steps);
        s_dialogSeen = 0;
        SetTimer(nullptr, 0, 20, RunDialogSteps);
    }

    std::string Text()
    {
        AIString t;
        doc->GetRangeText(0, -1, &t);
        return Utf8(t);
    }
    int Find(const char* part) { return (int)Text().find(part); }
    int End() { return doc->GetTextLength(); }
    void Select(int from, int to)
    {
        CHARRANGE r = {from, to};
        SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&r);
    }
    std::string TargetOf(const WCHAR* label)
    {
        AIString target;
        if (g_noteStore.hyperlinks) g_noteStore.hyperlinks->GetValueOfKeyString(label, target);
        return Utf8(target);
    }
    // The numbered message the box shows now ("" none).
    static std::string MessageNumberShown()
    {
        if (!g_messageBox.box || !IsWindowVisible(g_messageBox.box)) return "";
        return Utf8(g_messageBox.texts.number);
    }
};

}  // namespace links_test

using namespace links_test;
