// Split view in the program's own windows: Alt+V switches it from the editor
// and from QuickSearch; in split view the note the typed title names shows at
// once over the editor (the picture the note shown names for it beside the
// list), link targets cover the editor, and a picture stands in the editor's
// place while no key may change the note unseen.
#include "tests/shell/program_keys_fixture.h"
#include "search/preview/preview_pane.h"
#include "shell/image_preview_connection.h"
#include "shell/split_view.h"
#include "foundation/ai_file.h"
#include "imaging/ai_image.h"

namespace {

class SplitView : public ProgramKeys {
protected:
    void OpenGarden()
    {
        AIString notes;
        Note(notes, L"Apples", L"red fruit");
        Note(notes, L"Garden", L"tomatoes and beans");
        Note(notes, L"Garden_tools", L"a spade");
        ASSERT_NO_FATAL_FAILURE(Open(notes, L"TavikSplitTest.exe"));
    }
    // The garden open, split view switched on from the editor and a grey
    // picture of that name shown in the editor's place; the note's text before.
    void PictureInTheEditorsPlace(const WCHAR* name, AIString& picture, std::string& before)
    {
        ASSERT_NO_FATAL_FAILURE(OpenGarden());
        picture = TempPicture(name);
        SetFocus(editor);
        Keyboard().Press('V', kAltKey);
        ASSERT_TRUE(IsSplitViewOn());
        before = Text(editor);
        ASSERT_EQ(1, PreviewImageUnderCursor(picture.GetText(), 1, 0));
    }
    // A small picture (a 24-bit BMP of grey 0x60) of that name in the temporary folder.
    static AIString TempPicture(const WCHAR* name)
    {
        WCHAR temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        AIString picture(temp);
        picture.AppendText(name);
        WritePicture(picture.GetText());
        return picture;
    }
    static void WritePicture(const WCHAR* file)
    {
        const int side = 40, row = side * 3;
        std::string bytes(54 + row * side, '\x60');
        unsigned char* b = (unsigned char*)&bytes[0];
        auto put32 = [&](int at, unsigned value) {
            for (int i = 0; i < 4; i++) b[at + i] = (unsigned char)(value >> (8 * i));
        };
        b[0] = 'B';
        b[1] = 'M';
        put32(2, (unsigned)bytes.size());
        put32(6, 0);
        put32(10, 54);
        put32(14, 40);
        put32(18, side);
        put32(22, side);
        b[26] = 1;
        b[27] = 0;
        b[28] = 24;
        b[29] = 0;
        for (int at = 30; at < 54; at += 4) put32(at, 0);
        HANDLE h = CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(h, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
        CloseHandle(h);
    }
};

}  // namespace

TEST_F(SplitView, AltVSwitchesItAndTheTypedNoteShowsAtOnceOverTheEditor)
{
    ASSERT_NO_FATAL_FAILURE(OpenGarden());
    TestKeyboard kb = Keyboard();
    const RECT home = PlaceOf(quickPane);
    ASSERT_NO_FATAL_FAILURE(FocusBox());
    kb.Press('V', kAltKey);
    ASSERT_TRUE(IsSplitViewOn());
    EXPECT_NE(std::string::npos, Status().find("Split view")) << Status();
    EXPECT_EQ(box, GetFocus());

    // Typed, the note shows at once (no timer waited for), captioned, over the editor.
    kb.Type(L"gar");
    EXPECT_EQ(0u, Text(quickPane).find("Preview: Garden")) << Text(quickPane);
    EXPECT_NE(std::string::npos, Text(quickPane).find("tomatoes and beans"));
    EXPECT_TRUE(IsWindowVisible(quickPane));
    EXPECT_TRUE(Covers(PlaceOf(quickPane), PlaceOf(editor)));
    // Down previews the next title there at once too.
    kb.Press(VK_DOWN);
    EXPECT_NE(std::string::npos, Text(quickPane).find("a spade")) << Text(quickPane);
    // Leaving the box gives the editor back: the pane returns to its place.
    kb.Press(VK_ESCAPE);
    EXPECT_EQ(editor, GetFocus());
    RECT back = PlaceOf(quickPane);
    EXPECT_TRUE(EqualRect(&home, &back));

    // From the editor Alt+V switches it off; typing then waits for the preview timer.
    kb.Press('V', kAltKey);
    EXPECT_FALSE(IsSplitViewOn());
    EXPECT_EQ(editor, GetFocus());
    ASSERT_NO_FATAL_FAILURE(FocusBox());
    kb.Type(L"garden");
    EXPECT_EQ(std::string::npos, Text(quickPane).find("tomatoes")) << Text(quickPane);
    RECT still = PlaceOf(quickPane);
    EXPECT_TRUE(EqualRect(&home, &still));
    EXPECT_TRUE(kb.PumpUntil([&] { return Text(quickPane).find("tomatoes") != std::string::npos; }));
}

TEST_F(SplitView, EnterOnTheTypedTitleShowsTheNoteAndGivesTheEditorBack)
{
    ASSERT_NO_FATAL_FAILURE(OpenGarden());
    TestKeyboard kb = Keyboard();
    ASSERT_NO_FATAL_FAILURE(FocusBox());
    kb.Press('V', kAltKey);
    kb.Type(L"garden\n");
    AIString title;
    GetNoteTitle(g_mainPanel.currentNote, title);
    EXPECT_EQ("Garden", Utf8(title));
    // The note is in the editor now: nothing covers it.
    EXPECT_FALSE(Covers(PlaceOf(quickPane), PlaceOf(editor)));
}

TEST_F(SplitView, ALinkTargetCoversTheEditorInsteadOfTheNoteList)
{
    ASSERT_NO_FATAL_FAILURE(OpenGarden());
    TestKeyboard kb = Keyboard();
    SetFocus(editor);
    RECT r;
    EXPECT_EQ(0, GetPreviewRect(&r));
    kb.Press('V', kAltKey);
    ASSERT_TRUE(IsSplitViewOn());
    EXPECT_EQ(1, GetPreviewRect(&r));
    SetPreviewTarget(L"Garden", kPreviewNote, kOriginCommand);
    ASSERT_EQ(1, PaintLinkPreview());
    HWND pane = GetLinkPreviewPane();
    EXPECT_TRUE(IsWindowVisible(pane));
    RECT editorPlace = PlaceOf(editor), panePlace = PlaceOf(pane);
    RECT overlap;
    EXPECT_TRUE(IntersectRect(&overlap, &editorPlace, &panePlace));
    EXPECT_GE(panePlace.left, editorPlace.left);
}

TEST_F(SplitView, APictureStandsInTheEditorsPlaceAndNoKeyChangesTheNoteUnseen)
{
    AIString picture;
    std::string before;
    ASSERT_NO_FATAL_FAILURE(PictureInTheEditorsPlace(L"tavik_split_picture.bmp", picture, before));
    TestKeyboard kb = Keyboard();
    ASSERT_TRUE(IsImagePreviewShown());
    EXPECT_FALSE(IsWindowVisible(editor));
    EXPECT_EQ(editor, GetFocus());
    // Keys in the editor: kept from the note, and the status says why.
    kb.Type(L"xy");
    kb.Press(VK_DELETE);
    EXPECT_EQ(before, Text(editor));
    EXPECT_EQ("Editing not active while previewing images", Status());
    // Alt keys too: split view stays as it is while the picture shows.
    kb.Press('V', kAltKey);
    EXPECT_TRUE(IsSplitViewOn());

    // In QuickSearch: typed keys go to the editor (which keeps them); Alt keys say why.
    ASSERT_NO_FATAL_FAILURE(FocusBox());
    SetWindowTextW(box, L"");
    kb.Type(L"ga");
    EXPECT_EQ("", Text(box));
    EXPECT_EQ(before, Text(editor));
    kb.Press('W', kAltKey);
    EXPECT_EQ("QuickSearch not active while previewing images", Status());

    // The mouse moving on takes the picture away; the editor comes back.
    HWND panel = g_mainPanel.GetHwndField();
    RECT e = g_mainPanel.layout.editor;
    kb.MoveMouse(panel, e.left + 50, e.top + 50);
    kb.MoveMouse(panel, e.left + 52, e.top + 51);
    EXPECT_TRUE(IsImagePreviewShown());
    kb.MoveMouse(panel, e.left + 80, e.top + 90);
    EXPECT_FALSE(IsImagePreviewShown());
    EXPECT_TRUE(IsWindowVisible(editor));
    DeleteFileW(picture.GetText());
}

TEST_F(SplitView, ThePictureTheNoteNamesShowsBesideTheListWhileTheTypedNoteCoversTheEditor)
{
    // The note shown names a default picture (a black one) for QuickSearch.
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    AIString picture(temp);
    picture.AppendText(L"tavik_split_default.png");
    AIImage image;
    ASSERT_TRUE(image.Create(600, 400, 24));
    ASSERT_TRUE(image.Save(picture.GetText(), kImagePng));
    AIString notes;
    notes.AppendText(L"\x00A4" L"Apples\r\nred fruit\r\n{{\r\n[default:file:").AppendString(picture);
    notes.AppendText(L"]\r\n}}\r\n");
    Note(notes, L"Garden", L"tomatoes and beans");
    ASSERT_NO_FATAL_FAILURE(Open(notes, L"TavikSplitPictureTest.exe"));
    // As in a program just started: no preview was asked for by a command (earlier tests did).
    SetPreviewTarget(L"", kPreviewNothing, kOriginHover);
    TestKeyboard kb = Keyboard();
    ASSERT_NO_FATAL_FAILURE(FocusBox());
    kb.Press('V', kAltKey);
    ASSERT_TRUE(IsSplitViewOn());
    HWND panel = g_mainPanel.GetHwndField();
    const PanelLayout& layout = g_mainPanel.layout;
    RECT e = layout.editor;
    kb.MoveMouse(panel, e.right - 20, e.bottom - 20);
    kb.Type(L"gar");
    // The typed note over the editor, and beside the list the picture, for a while.
    EXPECT_NE(std::string::npos, Text(quickPane).find("tomatoes and beans"));
    EXPECT_TRUE(Covers(PlaceOf(quickPane), PlaceOf(editor)));
    HDC dc = GetDC(panel);
    COLORREF middle = GetPixel(dc, (layout.noteList.left + layout.noteList.right) / 2,
                               (layout.noteList.top + layout.preview.bottom) / 2);
    ReleaseDC(panel, dc);
    EXPECT_EQ(RGB(0, 0, 0), middle);
    DeleteFileW(picture.GetText());
}

TEST_F(SplitView, UpAndDownLetTheBackgroundShowThroughThePictureInTheEditorsPlace)
{
    // Grey, drawn 1:1 in the middle of the editor's place.
    AIString picture;
    std::string before;
    ASSERT_NO_FATAL_FAILURE(PictureInTheEditorsPlace(L"tavik_split_seen_through.bmp", picture, before));
    TestKeyboard kb = Keyboard();
    ASSERT_FALSE(IsWindowVisible(editor));
    HWND panel = g_mainPanel.GetHwndField();
    const RECT e = g_mainPanel.layout.editor;
    const POINT middle = {(e.left + e.right) / 2, (e.top + e.bottom) / 2 - 2};
    auto red = [&] {
        HDC dc = GetDC(panel);
        COLORREF c = GetPixel(dc, middle.x, middle.y);
        ReleaseDC(panel, dc);
        return (int)GetRValue(c);
    };
    const int grey = 0x60;
    ASSERT_EQ(grey, red());
    // The window's own painting after the editor left (its focus, its status) leaves the picture there.
    kb.PumpUntil([] { return false; }, 50);
    ASSERT_EQ(grey, red());
    const int start = GetImagePreviewTransparency();

    // Up: a tenth more of the background shows through, drawn again at once.
    kb.Press(VK_UP);
    EXPECT_EQ(start + kPictureTransparencyStep, GetImagePreviewTransparency());
    EXPECT_TRUE(kb.PumpUntil([&] { return red() > grey; })) << red();
    const int tenth = red();
    // Up is not refused as typing is.
    EXPECT_EQ(std::string::npos, Status().find("Editing not active")) << Status();
    // All the way up only the background is left; further presses change nothing.
    for (int i = 0; i < 12; i++) kb.Press(VK_UP);
    EXPECT_EQ(kPictureFullyTransparent, GetImagePreviewTransparency());
    EXPECT_TRUE(kb.PumpUntil([&] { return red() > tenth + 50; })) << red();
    const int background = red();
    // Down brings the picture back step by step, never below opaque.
    kb.Press(VK_DOWN);
    EXPECT_EQ(kPictureFullyTransparent - kPictureTransparencyStep, GetImagePreviewTransparency());
    EXPECT_TRUE(kb.PumpUntil([&] { return red() < background; })) << red();
    for (int i = 0; i < 12; i++) kb.Press(VK_DOWN);
    EXPECT_EQ(kPictureOpaque, GetImagePreviewTransparency());
    EXPECT_TRUE(kb.PumpUntil([&] { return red() == grey; })) << red();

    // Ctrl says nothing; any other key says why and changes nothing.
    SetStatusText(L"", kStatusDone);
    kb.Press(VK_CONTROL);
    EXPECT_EQ("", Status());
    kb.Press('Q');
    EXPECT_EQ("Editing not active while previewing images", Status());
    EXPECT_EQ(kPictureOpaque, GetImagePreviewTransparency());
    EXPECT_EQ(before, Text(editor));
    HideQuickPreview(1);
    DeleteFileW(picture.GetText());
}
