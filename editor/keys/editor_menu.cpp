// The right-click menu's items.
#include "editor/keys/editor_menu.h"
#include "editor/links/link_describe.h"
#include "foundation/ai_string.h"

namespace {

class MenuBuilder {
public:
    MenuBuilder(EditorMenuItem* items, int capacity) : items_(items), capacity_(capacity) {}
    void Add(UINT id, const WCHAR* text, int grayed)
    {
        if (count_ >= capacity_) return;
        items_[count_++] = {id, text, grayed ? 1 : 0};
    }
    void Separator()
    {
        if (count_ > 0 && items_[count_ - 1].id != kMenuSeparator) Add(kMenuSeparator, L"", 0);
    }
    int Count() const { return count_; }

private:
    EditorMenuItem* items_;
    int capacity_;
    int count_ = 0;
};

int HoldsNoCase(const WCHAR* text, const WCHAR* part)
{
    AIString t(text ? text : L"");
    return t.FindText(part) >= 0;
}

void AddPictureItems(MenuBuilder& menu, int readOnly)
{
    menu.Add(kMenuOpenImage, L"&Open image (external)", 0);
    menu.Add(kMenuEditImage, L"&Edit image (Tavik)", readOnly);
}

// The items for the file or picture a hyperlink names.
void AddLinkTargetItems(MenuBuilder& menu, const EditorMenuState& s)
{
    if (s.previewedTextFile) {
        menu.Add(kMenuOpenPreviewInNotepad, L"&Open preview in Notepad", 0);
        menu.Separator();
    } else if (IsFileLinkDescription(s.description)) {
        AIString path;
        FileOfDescription(s.description, path);
        if (path.EndsWithNoCase(L".jpg") || path.EndsWithNoCase(L".png")) AddPictureItems(menu, s.readOnly);
        else if (!path.EndsWithNoCase(L".pdf")) menu.Add(kMenuOpenInNotepad, L"&Open file in Notepad", 0);
        menu.Separator();
    }
    if (HoldsNoCase(s.description, L"hyperlink:") && s.targetIsPicture) {
        AddPictureItems(menu, s.readOnly);
        menu.Separator();
    }
}

}  // namespace

void FileOfDescription(const WCHAR* description, AIString& path)
{
    path.Clear();
    if (!IsFileLinkDescription(description)) return;
    AIString text(description);
    int colon = text.FindText(L"file:");
    path.AssignText(text.GetText() + colon + 5);
    path.Trim();
}

int BuildEditorMenu(const EditorMenuState& s, EditorMenuItem* items, int capacity)
{
    MenuBuilder menu(items, capacity);
    int ro = s.readOnly;
    int selected = s.hasSelection;
    menu.Add(kMenuCut, L"&Cut\tCtrl+X", ro || !selected || !s.enabled[kRibbonCut]);
    int copyGrayed = !selected || !s.enabled[kRibbonCopyPlain];
    menu.Add(kMenuCopy, L"&Copy\tCtrl+C", copyGrayed);
    menu.Add(kMenuCopyPlain, L"&Copy Plain text\tCtrl+Shift+C", copyGrayed);
    if (!s.linkMenu) menu.Add(kMenuPaste, L"&Paste\tCtrl+V", ro || selected || !s.enabled[kRibbonPaste]);
    else if (HoldsNoCase(s.description, L"hyperlink")) menu.Add(kMenuCopyUrl, L"&Copy URL (hyperlink target)", 0);
    menu.Separator();
    if (s.linkMenu) AddLinkTargetItems(menu, s);
    if (!s.linkMenu) {
        menu.Add(kMenuBold, L"&Bold\tCtrl+B", ro || !s.enabled[kRibbonBold]);
        menu.Add(kMenuItalic, L"&Italic\tCtrl+I", ro || !s.enabled[kRibbonItalic]);
        menu.Add(kMenuStrike, L"&Strike-through\tCtrl+D", ro || !s.enabled[kRibbonStrike]);
        menu.Separator();
        menu.Add(kMenuNormal, L"&Normal", ro || !s.enabled[kRibbonNormal]);
        menu.Add(kMenuHeadingSmall, L"&Heading Small", ro || !s.enabled[kRibbonHeadingSmall]);
        menu.Add(kMenuHeadingAverage, L"&Heading Avg", ro || !s.enabled[kRibbonHeadingAverage]);
        menu.Add(kMenuHeadingLarge, L"&Heading Large", ro || !s.enabled[kRibbonHeadingLarge]);
        menu.Separator();
    }
    menu.Add(kMenuHyperlink, s.linkMenu ? L"Edit &Hyperlink\tCtrl+K" : L"Create &Hyperlink\tCtrl+K",
             ro || !s.enabled[kRibbonHyperlink]);
    if (!s.linkMenu) {
        menu.Separator();
        menu.Add(kMenuPrint, L"&Print\tCtrl+P", 0);
    }
    return menu.Count();
}
