// What following a link does, decided from its text: notes, addresses, files,
// programs and pictures, and what is refused; the right-click menu's items;
// the hover text; the hyperlink table following the note's text.
#include "tests/support/gtest.h"
#include "editor/keys/editor_menu.h"
#include "editor/keys/editor_links.h"
#include "editor/links/file_link_preview.h"
#include "editor/links/link_describe.h"
#include "editor/links/link_follow.h"
#include "editor/links/link_follow_rules.h"
#include "editor/links/link_table_upkeep.h"
#include "foundation/ai_string_list.h"
#include "foundation/ai_string_table.h"
#include <string>
#include <vector>

namespace {

struct Plan {
    LinkFollowAction action;
    std::string target, parameters, folder;
    int localFile, program, minimise;
};

Plan Hyperlink(const WCHAR* target)
{
    LinkFollowPlan p;
    PlanHyperlinkFollow(target, p);
    return {p.action, Utf8(p.target), Utf8(p.parameters), Utf8(p.folder), p.localFile, p.program, p.minimise};
}

Plan Automatic(const WCHAR* text)
{
    LinkFollowPlan p;
    PlanAutomaticLinkFollow(text, p);
    return {p.action, Utf8(p.target), Utf8(p.parameters), Utf8(p.folder), p.localFile, p.program, p.minimise};
}

}  // namespace

TEST(LinkFollow, TargetsWithoutADotOrSchemeAreNoteTitles)
{
    EXPECT_EQ(kFollowNote, Hyperlink(L"Books to read").action);
    EXPECT_EQ("Books to read", Hyperlink(L"Books to read").target);
    // A title may hold ": "; "a\x2026b" is how the table keeps "a,b".
    EXPECT_EQ(kFollowNote, Hyperlink(L"Meeting: Monday").action);
    EXPECT_EQ("Plans, old", Hyperlink(L"Plans\x2026 old").target);
    EXPECT_EQ(kFollowNothing, Hyperlink(L"  ").action);
}

TEST(LinkFollow, AddressesAndMailGoToTheShellAfterTheWindowIsMinimised)
{
    Plan web = Hyperlink(L"https://example.org/a.html");
    EXPECT_EQ(kFollowShell, web.action);
    EXPECT_EQ("https://example.org/a.html", web.target);
    EXPECT_EQ(1, web.minimise);
    EXPECT_EQ(0, web.localFile);
    EXPECT_EQ("http://www.example.org", Hyperlink(L"www.example.org").target);
    EXPECT_EQ("mailto:ann@example.org", Hyperlink(L"ann@example.org").target);
    // A page's address that names a program is the browser's to fetch, not ours to start.
    EXPECT_EQ(0, Hyperlink(L"http://example.org/setup.exe").program);
}

TEST(LinkFollow, ScriptAndUnknownSchemesAreRefused)
{
    for (const WCHAR* target : {L"javascript:alert(1)", L"JavaScript:alert(document.cookie)", L"vbscript:msgbox(1)",
                                L"ms-settings:privacy", L"data:text/html,x", L"javascript:void(0).x"}) {
        Plan p = Hyperlink(target);
        EXPECT_EQ(kFollowRefused, p.action) << Utf8(target);
        EXPECT_EQ(0, p.minimise);
    }
    // The reason is status mark-up with the address escaped.
    EXPECT_NE(std::string::npos, Hyperlink(L"javascript:a<b>").target.find("a&lt;b&gt;"));
    EXPECT_EQ(kFollowRefused, Automatic(L"httpx:alert(1)").action);
    EXPECT_EQ(kFollowNothing, Automatic(L"javascript:alert(1)").action);
}

TEST(LinkFollow, FilesAndProgramsAreLocalAndProgramsAreAskedFor)
{
    Plan pdf = Hyperlink(L"file:C:\\Docs\\report.PDF");
    EXPECT_EQ(kFollowShell, pdf.action);
    EXPECT_EQ("C:\\Docs\\report.PDF", pdf.target);
    EXPECT_EQ(1, pdf.localFile);
    EXPECT_EQ(0, pdf.program);
    EXPECT_EQ("C:/Docs/x.txt", Hyperlink(L"file:///C:/Docs/x.txt").target);

    // A program and its switches, started in its own folder; the extension in any case.
    Plan exe = Hyperlink(L"C:\\Tools\\Backup.EXE /quiet /all");
    EXPECT_EQ("C:\\Tools\\Backup.EXE", exe.target);
    EXPECT_EQ("/quiet /all", exe.parameters);
    EXPECT_EQ("C:\\Tools", exe.folder);
    EXPECT_EQ(1, exe.program);
    EXPECT_EQ(1, exe.localFile);
    for (const WCHAR* script : {L"file:C:\\x\\run.Bat", L"C:\\x\\a.cmd", L"C:\\x\\a.VBS", L"C:\\x\\a.ps1", L"C:\\x\\a.lnk"})
        EXPECT_EQ(1, Hyperlink(script).program) << Utf8(script);
    EXPECT_EQ(0, Hyperlink(L"C:\\x\\exe.txt").program);
}

// The name the shell opens decides, not the link's text: the file system
// drops dots and blanks at a name's end, a stream suffix still opens the
// file, and a short name stands for its long one.
int FakeLongPath(const WCHAR* path, AIString& longPath)
{
    AIString p(path);
    if (p.EqualsTextNoCase(L"C:\\x\\SETUP~1.TXT")) longPath.AssignText(L"C:\\x\\setup.txt.exe");
    else if (p.EqualsTextNoCase(L"C:\\x\\REPORT~1.DOC")) longPath.AssignText(L"C:\\x\\report.docx");
    else return 0;
    return 1;
}

TEST(LinkFollow, ProgramsAreKnownByTheNameTheShellOpens)
{
    const WCHAR* pathExt = L".COM;.EXE;.BAT;.CMD; .MSC ;;.Tool;x";
    struct Form {
        const WCHAR* path;
        int program;
    } forms[] = {
        {L"C:\\x\\mark.bat.", 1},
        {L"C:\\x\\mark.bat. . .", 1},
        {L"C:/x/mark.bat.", 1},
        {L"C:\\x\\mark.bat\\.", 1},
        {L"C:\\x\\mark.bat/", 1},
        {L"\"C:\\x\\mark.bat\"", 1},
        {L"C:\\x\\mark.bat::$DATA", 1},
        {L"C:\\x\\mark.bat. ::$DATA", 1},
        {L"C:\\x\\notes.txt:hidden.vbs", 1},
        {L"C:mark.cmd", 1},
        {L"\\\\server\\share\\run.HTA", 1},
        {L"C:\\x\\start.url", 1},
        {L"C:\\x\\panel.cpl", 1},
        {L"C:\\x\\old.pif", 1},
        {L"C:\\x\\a.msi", 1},
        {L"C:\\x\\a.jse", 1},
        {L"C:\\x\\a.wsf", 1},
        {L"C:\\x\\a.reg", 1},
        {L"C:\\x\\a.scr", 1},
        {L"C:\\x\\a.com", 1},
        {L"C:\\x\\console.msc", 1},   // from PATHEXT, blanks around it
        {L"C:\\x\\run.tool", 1},      // from PATHEXT, in any case
        {L"C:\\x\\SETUP~1.TXT", 1},   // its long name ends in ".exe"
        {L"C:\\x\\REPORT~1.DOC", 0},  // its long name is a document too
        {L"C:\\x\\NOTES~1.PS1", 1},   // the name as written is a program's
        {L"C:\\x\\GONE~1.PS1", 1},    // not found: ".PS1" is a program's
        {L"C:\\x\\GONE~1.APP", 0},
        {L"C:\\x\\GONE~1.TOO", 1},    // could be ".tool" of PATHEXT
        {L"C:\\x\\GONE~1.TXT", 0},
        {L"C:\\x\\mark.bat.txt", 0},
        {L"C:\\x\\mark.txt.", 0},
        {L"C:\\x\\exe", 0},
        {L"C:\\x\\.", 0},
        {L"C:\\x\\notes~old.txt", 0},
        {L"C:\\x\\a.x", 0},           // "x" in PATHEXT has no dot: not an extension
        {L"", 0},
    };
    for (const Form& form : forms)
        EXPECT_EQ(form.program, IsProgramPathWith(form.path, pathExt, FakeLongPath)) << Utf8(form.path);
    EXPECT_EQ(1, IsProgramPathWith(L"C:\\x\\GONE~1.TXT.", nullptr, nullptr) == 0);
    AIString opened;
    ShellOpenedPath(L" C:\\x\\mark.bat. \\ ", opened);
    EXPECT_EQ("C:\\x\\mark.bat", Utf8(opened));
}

TEST(LinkFollow, ATrailingDotStillAsksBeforeAProgram)
{
    Plan dotted = Hyperlink(L"C:\\x\\mark.bat.");
    EXPECT_EQ(1, dotted.program);
    EXPECT_EQ("C:\\x", dotted.folder);
    EXPECT_EQ(1, Hyperlink(L"file:///C:/x/mark.bat.").program);
    // The switches after a dotted program's name are its switches, not its name.
    Plan switched = Hyperlink(L"C:\\x\\mark.exe. /c calc");
    EXPECT_EQ(1, switched.program);
    EXPECT_EQ("C:\\x\\mark.exe.", switched.target);
    EXPECT_EQ("/c calc", switched.parameters);
    EXPECT_EQ(1, Hyperlink(L"C:\\x\\mark.bat::$DATA").program);
    EXPECT_EQ(0, Hyperlink(L"C:\\x\\mark.exe.txt /c").program);
}

TEST(LinkFollow, PicturesAndRelativePaths)
{
    Plan picture = Hyperlink(L"C:\\Pictures\\Trip.JPG");
    EXPECT_EQ(kFollowImage, picture.action);
    EXPECT_EQ(0, picture.minimise);
    EXPECT_EQ(1, picture.localFile);
    // Only a target that begins with "rel:" is in the data folder; nothing is cut from others.
    EXPECT_EQ(kFollowImage, Hyperlink(L"rel:\\images\\Trip_2011_05231020.png").action);
    EXPECT_NE(std::string::npos, Hyperlink(L"rel:\\images\\a.png").target.find("\\images\\a.png"));
    Plan notRelative = Hyperlink(L"C:\\Music\\rel:\\x.txt");
    EXPECT_EQ("C:\\Music\\rel:\\x.txt", notRelative.target);
}

TEST(LinkFollow, AutomaticLinksOpenOnlyAddressesAndMail)
{
    EXPECT_EQ("http://www.example.org", Automatic(L"www.example.org").target);
    EXPECT_EQ("http://example.org/a", Automatic(L"http\x00B1//example.org/a").target);
    EXPECT_EQ("mailto:ann@example.org", Automatic(L"mailto\x00B1" L"ann@example.org").target);
    EXPECT_EQ(1, Automatic(L"www.example.org").minimise);
    EXPECT_EQ(kFollowNothing, Automatic(L"example.org").action);
    EXPECT_EQ(kFollowNothing, Automatic(L"ftp.example.org").action);
}

TEST(LinkFollow, TagMenuListsAtMostFiftyTitlesInTheirShownForm)
{
    AIStringList notes;
    for (int i = 0; i < 60; i++) {
        AIString title(L"Note_");
        title.AppendInt(i);
        notes.AddString(title.GetText());
    }
    notes.SetItemText(1, L"Salt_&_Pepper");
    AIStringList shown;
    TagMenuTitles(notes, shown);
    ASSERT_EQ(50, shown.GetCount());
    AIString item;
    shown.GetItemTextMode(0, item);
    EXPECT_EQ("Note 0", Utf8(item));
    shown.GetItemTextMode(1, item);
    EXPECT_EQ("Salt && Pepper", Utf8(item));
}

// ---- The right-click menu ----

namespace {

struct MenuLine {
    UINT id;
    int grayed;
    bool operator==(const MenuLine& o) const { return id == o.id && grayed == o.grayed; }
};

std::vector<MenuLine> Menu(const EditorMenuState& state)
{
    EditorMenuItem items[kEditorMenuMaxItems];
    int count = BuildEditorMenu(state, items, kEditorMenuMaxItems);
    std::vector<MenuLine> lines;
    for (int i = 0; i < count; i++) lines.push_back({items[i].id, items[i].grayed});
    return lines;
}

EditorMenuState Editable()
{
    EditorMenuState s;
    for (int i = 0; i < kRibbonControlCount; i++) s.enabled[i] = 1;
    return s;
}

std::vector<UINT> Ids(const std::vector<MenuLine>& lines)
{
    std::vector<UINT> ids;
    for (const MenuLine& l : lines) ids.push_back(l.id);
    return ids;
}

}  // namespace

TEST(EditorMenu, PlainTextWithAndWithoutASelection)
{
    EditorMenuState s = Editable();
    s.enabled[kRibbonCut] = s.enabled[kRibbonCopy] = s.enabled[kRibbonCopyPlain] = 0;
    std::vector<MenuLine> plain = Menu(s);
    EXPECT_EQ(std::vector<MenuLine>({{kMenuCut, 1}, {kMenuCopy, 1}, {kMenuCopyPlain, 1}, {kMenuPaste, 0}, {0, 0},
                                     {kMenuBold, 0}, {kMenuItalic, 0}, {kMenuStrike, 0}, {0, 0}, {kMenuNormal, 0},
                                     {kMenuHeadingSmall, 0}, {kMenuHeadingAverage, 0}, {kMenuHeadingLarge, 0}, {0, 0},
                                     {kMenuHyperlink, 0}, {0, 0}, {kMenuPrint, 0}}),
              plain);
    s = Editable();
    s.hasSelection = 1;
    std::vector<MenuLine> selected = Menu(s);
    EXPECT_EQ((MenuLine{kMenuCut, 0}), selected[0]);
    EXPECT_EQ((MenuLine{kMenuCopyPlain, 0}), selected[2]);
    EXPECT_EQ((MenuLine{kMenuPaste, 1}), selected[3]);  // pasting replaces no selection
}

TEST(EditorMenu, AReadOnlyFileGreysEveryChangeButKeepsCopyAndPrint)
{
    EditorMenuState s = Editable();
    s.hasSelection = 1;
    s.readOnly = 1;
    for (const MenuLine& line : Menu(s)) {
        int changes = line.id == kMenuCut || line.id == kMenuPaste || (line.id >= kMenuBold && line.id <= kMenuHeadingLarge) ||
                      line.id == kMenuHyperlink;
        if (line.id == kMenuSeparator) continue;
        EXPECT_EQ(changes, line.grayed) << line.id;
    }
}

TEST(EditorMenu, EachLinkKindOffersItsOwnItems)
{
    EditorMenuState s = Editable();
    s.linkMenu = 1;
    s.hasSelection = 1;
    s.description = L"Hyperlink: example.org/a";
    EXPECT_EQ(std::vector<UINT>({kMenuCut, kMenuCopy, kMenuCopyPlain, kMenuCopyUrl, 0, kMenuHyperlink}), Ids(Menu(s)));
    s.targetIsPicture = 1;
    EXPECT_EQ(std::vector<UINT>({kMenuCut, kMenuCopy, kMenuCopyPlain, kMenuCopyUrl, 0, kMenuOpenImage, kMenuEditImage, 0,
                                 kMenuHyperlink}),
              Ids(Menu(s)));
    s.targetIsPicture = 0;
    // "Open file:" with or without the blank is one text.
    for (const WCHAR* d : {L"Open file: C:\\p\\Trip.PNG", L"Open file:C:\\p\\trip.jpg"}) {
        s.description = d;
        EXPECT_EQ(std::vector<UINT>({kMenuCut, kMenuCopy, kMenuCopyPlain, 0, kMenuOpenImage, kMenuEditImage, 0, kMenuHyperlink}),
                  Ids(Menu(s)))
            << Utf8(d);
    }
    s.description = L"Open file: C:\\p\\paper.pdf";
    EXPECT_EQ(std::vector<UINT>({kMenuCut, kMenuCopy, kMenuCopyPlain, 0, kMenuHyperlink}), Ids(Menu(s)));
    s.description = L"Open file: C:\\p\\notes.txt";
    EXPECT_EQ(std::vector<UINT>({kMenuCut, kMenuCopy, kMenuCopyPlain, 0, kMenuOpenInNotepad, 0, kMenuHyperlink}), Ids(Menu(s)));
    s.previewedTextFile = 1;
    EXPECT_EQ(std::vector<UINT>({kMenuCut, kMenuCopy, kMenuCopyPlain, 0, kMenuOpenPreviewInNotepad, 0, kMenuHyperlink}),
              Ids(Menu(s)));
    EditorMenuItem items[kEditorMenuMaxItems];
    int count = BuildEditorMenu(s, items, kEditorMenuMaxItems);
    EXPECT_EQ("Edit &Hyperlink\tCtrl+K", Utf8(items[count - 1].text));
}

TEST(EditorMenu, FileOfADescription)
{
    AIString path;
    FileOfDescription(L"Open file:  C:\\a b\\c.txt", path);
    EXPECT_EQ("C:\\a b\\c.txt", Utf8(path));
    FileOfDescription(L"Execute file:C:\\t.exe", path);
    EXPECT_EQ("C:\\t.exe", Utf8(path));
    FileOfDescription(L"Hyperlink: example.org", path);
    EXPECT_EQ("", Utf8(path));
}

TEST(LinkHover, StatusTextColoursTheTargetAndEscapesIt)
{
    AIString out;
    HoverStatusText(L"Open file: C:\\a<b>.txt", out);
    EXPECT_EQ("Open file: <lgreen>C:\\a&lt;b&gt;.txt</lgreen>", Utf8(out));
    HoverStatusText(L"Open file:C:\\x.txt", out);
    EXPECT_EQ("Open file: <lgreen>C:\\x.txt</lgreen>", Utf8(out));
    HoverStatusText(L"Execute file:C:\\x.exe", out);
    EXPECT_EQ("Execute file: <lgreen>C:\\x.exe</lgreen>", Utf8(out));
    HoverStatusText(L"Hyperlink: example.org", out);
    EXPECT_EQ("Hyperlink: <vlblue>example.org</vlblue>", Utf8(out));
    HoverStatusText(L"Automatic hyperlink: www.x.org", out);
    EXPECT_EQ("Automatic hyperlink: <vlblue>www.x.org</vlblue>", Utf8(out));
    HoverStatusText(L"Send mail to <x>", out);
    EXPECT_EQ("Send mail to &lt;x&gt;", Utf8(out));
}

TEST(LinkTable, EntriesFollowTheirLabelsOutOfTheTextAndBack)
{
    AIStringTable links(0), kept(1);
    links.SetKeyValueString(L"trip", L"rel:\\images\\trip.png");
    links.SetKeyValueString(L"a\x00B1" L"b", L"http://example.org");
    links.SetKeyValueString(L"plans", L"Plans");
    EXPECT_EQ(2, DropLinksNotInText(L"see [Plans] and Trip", links, kept));
    EXPECT_EQ(1, links.GetCount());
    EXPECT_EQ(2, kept.GetCount());
    // An undo brings "[a:b]" back: its target comes back with it.
    EXPECT_EQ(1, RestoreLinksInText(L"see [Plans] and [a:b]", links, kept));
    AIString target;
    links.GetValueOfKeyString(L"a\x00B1" L"b", target);
    EXPECT_EQ("http://example.org", Utf8(target));
    EXPECT_EQ(1, kept.GetCount());
    EXPECT_EQ(0, DropLinksNotInText(L"[Plans] [a:b]", links, kept));
}

TEST(FileLinkPreview, ExtensionsDecideFirstThenTheFirstBytes)
{
    EXPECT_EQ(kFilePreviewText, FilePreviewKindOfName(L"C:\\a\\notes.TXT", 0));
    EXPECT_EQ(kFilePreviewRichText, FilePreviewKindOfName(L"C:\\a\\letter.Rtf", 0));
    EXPECT_EQ(kFilePreviewNone, FilePreviewKindOfName(L"C:\\a\\paper.pdf", 0));
    EXPECT_EQ(kFilePreviewText, FilePreviewKindOfName(L"C:\\a\\paper.PDF", 1));
    EXPECT_EQ(kFilePreviewNone, FilePreviewKindOfName(L"C:\\a\\trip.JPG", 1));
    EXPECT_EQ(kFilePreviewNone, FilePreviewKindOfName(L"C:\\a\\trip.jpeg", 0));
    // Pictures by every name they go by; other files are none.
    EXPECT_EQ(1, IsPicturePath(L" C:\\a\\trip.JPEG "));
    EXPECT_EQ(1, IsPicturePath(L"rel:\\images\\a.jpg"));
    EXPECT_EQ(1, IsPicturePath(L"C:\\a\\b.Png"));
    EXPECT_EQ(0, IsPicturePath(L"C:\\a\\jpeg.txt"));
    EXPECT_EQ(0, IsPicturePath(nullptr));
    EXPECT_EQ(-1, FilePreviewKindOfName(L"C:\\a\\readme.md", 0));

    const unsigned char text[] = "line one\r\n\tline two";
    EXPECT_EQ(1, LooksLikeText(text, sizeof text - 1));
    const unsigned char pdf[] = "%PDF-1.4 plain after";
    EXPECT_EQ(0, LooksLikeText(pdf, sizeof pdf - 1));
    const unsigned char control[] = {'a', 'b', 0x07, 'c'};
    EXPECT_EQ(0, LooksLikeText(control, 4));
    const unsigned char nul[] = {'a', 0, 'c'};
    EXPECT_EQ(0, LooksLikeText(nul, 3));
    const unsigned char del[] = {'a', 127};
    EXPECT_EQ(0, LooksLikeText(del, 2));
    const unsigned char high[] = {'a', 0xC3, 0xA9};  // UTF-8 text
    EXPECT_EQ(1, LooksLikeText(high, 3));
}

namespace {
std::string s_slotText;
void RecordSlot(const WCHAR* text, StatusLevel, int) { s_slotText = Utf8(text); }
}  // namespace

TEST(FileLinkPreview, UnreadableFilesSayWhyAndMissingOnesSayNothing)
{
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    AIString plain(temp), binary(temp), held(temp);
    plain.AppendText(L"tavik_preview_plain.log");
    binary.AppendText(L"tavik_preview_binary.dat");
    held.AppendText(L"tavik_preview_held.log");
    auto write = [](const AIString& path, const char* bytes, DWORD count) {
        HANDLE f = CreateFileW(path.GetText(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(f, bytes, count, &written, nullptr);
        CloseHandle(f);
    };
    write(plain, "just words\r\n", 12);
    write(binary, "ab\x01\x02", 4);
    write(held, "words", 5);
    g_editorShell.setStatusSlot = RecordSlot;
    s_slotText.clear();
    AIString link(L"Open file: ");
    EXPECT_EQ(kFilePreviewText, RequestFileLinkPreview(link.AppendString(plain).GetText(), 0));
    EXPECT_EQ(kFilePreviewNone, RequestFileLinkPreview(binary.GetText(), 0));
    EXPECT_EQ(kFilePreviewNone, RequestFileLinkPreview(L"Open file: C:\\no\\such\\file.log", 0));
    EXPECT_EQ("", s_slotText);
    HANDLE lock = CreateFileW(held.GetText(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    EXPECT_EQ(kFilePreviewNone, RequestFileLinkPreview(held.GetText(), 0));
    EXPECT_EQ("Error: File is locked by a different user/program (" + Utf8(held) + ")", s_slotText);
    CloseHandle(lock);
    EXPECT_EQ(kFilePreviewNone, RequestFileLinkPreview(L"hyperlink:x.txt", 0));
    g_editorShell.setStatusSlot = nullptr;
    DeleteFileW(plain.GetText());
    DeleteFileW(binary.GetText());
    DeleteFileW(held.GetText());
}
