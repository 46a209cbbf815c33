// The File panel's keys, rows and texts.
#include "dialogs/screens/file_panel_rules.h"

namespace {
const int kNameChars = 40;
const int kPathLineChars = 55;
const int kPathChars = 110;
}

int FilePanelResultForKey(WPARAM key, int hoveredRow)
{
    switch (key) {
    case VK_ESCAPE: case VK_RETURN: case 'F': return kFileNothing;
    case 'N': return kFileNew;
    case 'O': return kFileOpen;
    case 'S': return kFileRefresh;
    case 'A': return kFileSnapshot;
    case 'P': return kFilePrint;
    case 'G': return kFilePageSetup;
    case 'X': return kFileExit;
    default: break;
    }
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
