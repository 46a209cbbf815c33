// The File panel's keys, rows and texts.
#include "dialogs/screens/file_panel_rules.h"

namespace {
const int kNameChars = 40;
const int kPathLineChars = 55;
const int kPathChars = 110;
}

namespace {

// The buttons' captions, the marked letter ("&") choosing each.
struct PanelButton {
    const WCHAR* caption;
    int result;
};
const PanelButton kPanelButtons[kFilePanelButtons] = {
    {L"&New File", kFileNew},          {L"&Open File", kFileOpen},     {L"Refre&sh File", kFileRefresh},
    {L"Sn&apshot Copy", kFileSnapshot}, {L"Pa&ge Setup", kFilePageSetup}, {L"&Print Note", kFilePrint},
    {L"E&xit Tavik", kFileExit},
};

WPARAM MarkedLetter(const WCHAR* caption)
{
    for (const WCHAR* p = caption; *p; p++)
        if (*p == L'&' && p[1]) return (WPARAM)(UINT_PTR)CharUpperW((LPWSTR)(UINT_PTR)p[1]);
    return 0;
}

}  // namespace

const WCHAR* FilePanelButtonCaption(int button)
{
    return button >= 0 && button < kFilePanelButtons ? kPanelButtons[button].caption : L"";
}

int FilePanelButtonResult(int button)
{
    return button >= 0 && button < kFilePanelButtons ? kPanelButtons[button].result : 0;
}

int FilePanelResultForKey(WPARAM key, int hoveredRow)
{
    if (key == VK_ESCAPE || key == VK_RETURN || key == 'F') return kFileNothing;
    for (const PanelButton& button : kPanelButtons)
        if (MarkedLetter(button.caption) == key) return button.result;
    if (key >= '1' && key <= '9' && hoveredRow >= 1) return kFileRecentBase + (int)(key - '0');
    return 0;
}

int FilePanelRowAt(int y, int listTop)
{
    if (y < listTop + 5) return 0;
    int row = (y - listTop - 5) / kFilePanelRowHeight;
    return row >= 1 && row <= kFilePanelRowsTested ? row : 0;
}

void FilePanelRowText(const WCHAR* path, AIString& out)
{
    out.Clear();
    if (!path || !path[0]) {
        out.AssignText(L"...");
        return;
    }
    AIString name(path);
    int slash = name.FindChar(L'\\', true);
    if (slash >= 0) name.KeepRange(slash + 1, name.GetLength() - slash - 1);
    if (name.GetLength() > kNameChars) {
        name.KeepRange(0, kNameChars);
        name.AppendText(L"...");
    }
    out.Copy(name);
}

void FilePanelPathLines(const WCHAR* path, AIString& out)
{
    out.AssignText(path);
    if (out.GetLength() > kPathChars) {
        out.KeepRange(0, kPathChars);
        out.AppendText(L"...");
    }
    if (out.GetLength() <= kPathLineChars) return;
    int split = -1;
    for (int i = 0; i < kPathLineChars; i++)
        if (out.GetText()[i] == L'\\') split = i;
    if (split < 0) split = kPathLineChars - 1;
    AIString rest(out.GetText() + split + 1);
    out.KeepRange(0, split + 1);
    out.AppendText(L"\r\n").AppendString(rest);
}
