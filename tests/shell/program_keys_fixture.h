// The program's own frame and content window with a data file of a few
// notes, driven by whole key presses and mouse moves through the main loop's
// handling (its accelerators and frame), as a person drives it.
#pragma once
#include "tests/support/gtest.h"
#include "tests/support/keyboard.h"
#include "tests/support/test_files.h"
#include "tests/support/test_program.h"
#include "search/quick/full_text_mode.h"
#include "search/preview/preview_pane.h"
#include "shell/command_table.h"
#include "shell/file_commands.h"
#include "shell/main_panel.h"
#include "shell/note_commands.h"
#include "notestore/note_store.h"
#include "ui/split_view.h"
#include <richedit.h>
#include <string>

class ProgramKeys : public testing::Test {
protected:
    HWND frame = nullptr;
    HWND box = nullptr;
    HWND editor = nullptr;
    HWND quickPane = nullptr;
    HACCEL keys = nullptr;
    AIString path;

    static void Note(AIString& notes, const WCHAR* title, const WCHAR* body)
    {
        notes.AppendText(L"\x00A4").AppendText(title).AppendText(L"\r\n").AppendText(body);
        notes.AppendText(L"\r\n{{\r\n}}\r\n");
    }
    // Opens the notes ("title", "body" pairs made with Note) and shows the first.
    void Open(const AIString& notes, const WCHAR* exeName)
    {
        AIString exe(L"C:\\Tools\\");
        exe.AppendText(exeName);
        AIString commandLine(exeName);
        commandLine.AppendText(L" nohotkey");
        frame = StartTestProgram(exe.GetText(), commandLine.GetText(), 1);
        ASSERT_NE(frame, nullptr);
        // On the screen, where the pointer can reach every pane.
        SetWindowPos(frame, nullptr, 0, 0, 900, 650, SWP_NOZORDER | SWP_NOACTIVATE);
        keys = CreateCommandAccelerators();
        WCHAR temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path.AssignText(temp).AppendText(L"tavik_keys_");
        path.AppendAscii(testing::UnitTest::GetInstance()->current_test_info()->name());
        // A note an earlier run changed, left in a side file, would be taken up as newer.
        AIString sideFiles(path);
        sideFiles.AppendText(L"_notes\\");
        DeleteSideFiles(sideFiles);
        path.AppendText(L".tavik");
        DeleteFileW(path.GetText());
        WriteNotesDatafile(path.GetText(), notes);
        ASSERT_EQ(OpenDatafile(path.GetText()), 1);
        g_frame.RunGuarded(CreateMainWindow);
        ASSERT_EQ(ReadAndShowNote(0, kShowAndRecord), 1);
        box = g_mainPanel.quickSearch.GetHwnd();
        editor = g_mainPanel.editor.GetHwnd();
        quickPane = g_mainPanel.previewPane.GetHwnd();
        // The pointer rests over the editor's empty lower part: where an earlier
        // test left it (over the list or a pane) it would start a preview.
        RECT area;
        GetClientRect(editor, &area);
        POINT rest = {area.right - 20, area.bottom - 20};
        ClientToScreen(editor, &rest);
        SetCursorPos(rest.x, rest.y);
        SetForegroundWindow(frame);
    }
    void TearDown() override
    {
        if (IsSplitViewOn()) SetSplitViewOn(0);
        if (editor && !IsWindowVisible(editor)) ShowWindow(editor, SW_SHOW);
        if (IsFullTextSearchMode()) ToggleFullTextSearch(0);
        if (editor) SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
        if (keys) DestroyAcceleratorTable(keys);
        HideQuickPreview(0);
        // A test that turned instant preview off and stopped early leaves it on again.
        g_app.settings.Record().instantPreview = 1;
    }
    TestKeyboard Keyboard() { return TestKeyboard(keys, frame); }
    void FocusBox()
    {
        ASSERT_EQ(ShowQuickSearch(kFocusQuickSearch), 1);
        ASSERT_EQ(GetFocus(), box);
    }
    static std::string Text(HWND window) { return Utf8(AIString().AssignControlText(window)); }
    static std::string Status() { return Utf8(AIString(GetStatusText())); }
    // The window's rectangle in the content window's client coordinates.
    static RECT PlaceOf(HWND window)
    {
        RECT r;
        GetWindowRect(window, &r);
        MapWindowPoints(HWND_DESKTOP, g_mainPanel.GetHwndField(), (POINT*)&r, 2);
        return r;
    }
    static bool Covers(const RECT& outer, const RECT& inner)
    {
        return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
               outer.bottom >= inner.bottom;
    }
};
