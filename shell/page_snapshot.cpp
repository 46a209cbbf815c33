// Finding a captured page's picture: named as the capture names it (the
// page's address made a file name, "_2", "_3" ... when another page had the
// name first), and told apart by the address the capture recorded for it.
#include "shell/page_snapshot.h"
#include "editor/images/image_names.h"
#include "editor/images/link_target_rules.h"
#include "notestore/note_store.h"
#include "foundation/ai_file.h"
#include "foundation/ai_string_table.h"

namespace {

const WCHAR* const kLinkPrefixes[] = {L"Open file:", L"automatic hyperlink:", L"hyperlink:"};
const WCHAR* const kSchemes[] = {L"https://", L"http://"};
const WCHAR* const kPictureEndings[] = {L".png", L".jpg"};

void DropScheme(AIString& address)
{
    for (const WCHAR* scheme : kSchemes)
        if (address.StartsWithNoCase(scheme)) address.DeleteRange(0, lstrlenW(scheme));
}

// The same page, whether or not the link names its scheme.
bool SamePage(const AIString& a, const AIString& b)
{
    AIString x(a), y(b);
    DropScheme(x);
    DropScheme(y);
    return x.EqualsTextNoCase(y.GetText()) != 0;
}

int PictureOf(const AIString& base, AIString& path)
{
    int length = path.AssignText(GetDataFolder()).AppendText(L"images\\").AppendString(base).GetLength();
    for (const WCHAR* ending : kPictureEndings) {
        path.SetLength(length);
        if (AIFile::Exists(path.AppendText(ending).GetText())) return 1;
    }
    path.Clear();
    return 0;
}

}  // namespace

int FindPageSnapshot(const WCHAR* link, AIString& path)
{
    path.Clear();
    const WCHAR* folder = GetDataFolder();
    if (!link || !folder || !folder[0]) return 0;
    AIString address(link);
    address.Trim();
    for (const WCHAR* prefix : kLinkPrefixes)
        if (address.StartsWithNoCase(prefix)) {
            address.DeleteRange(0, lstrlenW(prefix));
            address.Trim();
        }
    if (!address.StartsWithNoCase(L"http://") && !address.StartsWithNoCase(L"https://") &&
        !address.StartsWithNoCase(L"www."))
        return 0;
    AIString page, base;
    if (CleanLinkTarget(address.GetText(), page) != kTargetAccepted || page.IsEmpty()) return 0;
    MakeNameFromUrl(page.GetText(), base, kUrlNameForFile);
    if (base.IsEmpty()) return 0;
    AIStringTable* recorded = g_noteStore.webCaptureImages;
    for (int suffix = 1; suffix <= kWebImageMaxSuffix; suffix++) {
        AIString name(base);
        if (suffix > 1) name.AppendChar(L'_').AppendInt(suffix);
        if (!PictureOf(name, path)) return 0;  // the names are taken in order: none further
        AIString from;
        if (recorded) recorded->GetValueOfKeyString(name.GetText(), from);
        // A picture without a record is taken for the page its name gives.
        if (from.IsEmpty() ? suffix == 1 : SamePage(from, page)) return 1;
    }
    path.Clear();
    return 0;
}
