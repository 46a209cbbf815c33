// Following a link, decided as text.
#include "editor/links/link_follow_rules.h"
#include "editor/links/link_describe.h"
#include "notestore/note_store.h"
#include "foundation/text_markup.h"

namespace {

const WCHAR kFilePrefix[] = L"file:";

// The extensions the shell runs rather than opens.
const WCHAR* const kProgramExtensions[] = {
    L".exe", L".com", L".bat", L".cmd", L".scr", L".pif", L".msi", L".vbs", L".vbe", L".js", L".jse",
    L".wsf", L".wsh", L".ps1", L".hta", L".cpl", L".lnk", L".reg", L".jar",
};

// The schemes a link may hand to the shell: web pages, mail and files.
const WCHAR* const kAllowedSchemes[] = {L"http", L"https", L"mailto", L"file"};

int IsSchemeChar(WCHAR c)
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'+' ||
           c == L'-' || c == L'.';
}

// The scheme of an address ("http" of "http://x"), empty when there is none.
// One letter before ":" is a drive, not a scheme.
void SchemeOf(const AIString& text, AIString& scheme)
{
    scheme.Clear();
    int colon = text.FindChar(L':');
    if (colon < 2) return;
    WCHAR first = text.CharAt(0);
    if (!((first >= L'a' && first <= L'z') || (first >= L'A' && first <= L'Z'))) return;
    for (int i = 1; i < colon; i++)
        if (!IsSchemeChar(text.CharAt(i))) return;
    scheme.AssignTextN(text.GetText(), colon);
    scheme.ToLowerCase();
}

int IsAllowedScheme(const AIString& scheme)
{
    for (const WCHAR* allowed : kAllowedSchemes)
        if (lstrcmpiW(scheme.GetText(), allowed) == 0) return 1;
    return 0;
}

void Refuse(LinkFollowPlan& plan, const WCHAR* why, const AIString& target)
{
    plan.action = kFollowRefused;
    plan.target.AssignText(why);
    AIString shown;
    TextMarkup::Escape(target.GetText(), shown);
    plan.target.AppendString(shown);
}

// The text from the first "/" after a program's name (".exe", ".bat", ...)
// on is the program's switches.
void SplitProgramSwitches(LinkFollowPlan& plan)
{
    AIString& path = plan.target;
    AIString lower(path);
    lower.ToLowerCase();
    int slash = -1;
    for (const WCHAR* extension : kProgramExtensions) {
        int at = lower.FindTextCase(extension);
        if (at < 0) continue;
        WCHAR after = lower.CharAt(at + TextLength(extension));
        if (after != L' ' && after != L'/') continue;
        int found = lower.FindTextCase(L"/", at);
        if (found >= 0 && (slash < 0 || found < slash)) slash = found;
    }
    if (slash < 0) return;
    plan.parameters.AssignText(path.GetText() + slash);
    plan.parameters.Trim();
    path.SetLength(slash);
    path.Trim();
}

void PlanLocalFile(LinkFollowPlan& plan)
{
    plan.localFile = 1;
    if (IsPicturePath(plan.target.GetText())) {
        plan.action = kFollowImage;
        return;
    }
    plan.action = kFollowShell;
    plan.minimise = 1;
    SplitProgramSwitches(plan);
    plan.program = IsProgramPath(plan.target.GetText());
    if (plan.program) {
        int slash = plan.target.FindChar(L'\\', true);
        if (slash > 0) plan.folder.AssignTextN(plan.target.GetText(), slash);
    }
}

}  // namespace

int IsProgramPath(const WCHAR* path)
{
    AIString text(path ? path : L"");
    text.Trim();
    for (const WCHAR* extension : kProgramExtensions)
        if (text.EndsWithNoCase(extension)) return 1;
    return 0;
}

int IsPicturePath(const WCHAR* path)
{
    AIString text(path ? path : L"");
    text.Trim();
    return text.EndsWithNoCase(L".png") || text.EndsWithNoCase(L".jpg") || text.EndsWithNoCase(L".jpeg");
}

void PlanHyperlinkFollow(const WCHAR* target, LinkFollowPlan& plan)
{
    plan = LinkFollowPlan();
    AIString t(target ? target : L"");
    TableTextToShown(t);
    t.Trim();
    if (t.IsEmpty()) return;
    if (IsRelativePathText(t.GetText())) {
        ResolveRelativePath(t.GetText(), plan.target);
        PlanLocalFile(plan);
        return;
    }
    AIString scheme;
    SchemeOf(t, scheme);
    // A title may hold ": " but an address ("javascript:x") is no title.
    int addressLike = !scheme.IsEmpty() && t.CharAt(scheme.GetLength() + 1) != L' ';
    if (t.FindChar(L'.') < 0 && t.FindText(kFilePrefix) < 0 && !addressLike) {
        plan.action = kFollowNote;
        plan.target.Copy(t);
        return;
    }
    if (t.StartsWithNoCase(L"www.")) {
        t.InsertText(0, L"http://");
        SchemeOf(t, scheme);
    }
    if (scheme.IsEmpty() && t.FindChar(L'@') > 0 && t.FindChar(L'\\') < 0) {
        t.InsertText(0, L"mailto:");
        scheme.AssignText(L"mailto");
    }
    if (!scheme.IsEmpty() && !IsAllowedScheme(scheme)) {
        Refuse(plan, L"This link is not opened: addresses of this kind can run code - ", t);
        return;
    }
    if (scheme.EqualsText(L"file")) {
        plan.target.AssignText(t.GetText() + 5);
        // "file:///C:/x" and "file://C:\x" name the same file as "file:C:\x".
        while (plan.target.CharAt(0) == L'/' && plan.target.GetLength() > 2) plan.target.DeleteRange(0, 1);
        PlanLocalFile(plan);
        return;
    }
    if (!scheme.IsEmpty()) {
        plan.action = kFollowShell;
        plan.target.Copy(t);
        plan.minimise = 1;
        return;
    }
    // A path without a scheme: a drive path, a network path or a file name.
    plan.target.Copy(t);
    PlanLocalFile(plan);
}

void PlanAutomaticLinkFollow(const WCHAR* text, LinkFollowPlan& plan)
{
    plan = LinkFollowPlan();
    AIString t(text ? text : L"");
    t.Trim();
    if (t.StartsWithNoCase(L"www")) t.InsertText(0, L"http://");
    else if (!t.StartsWithNoCase(L"http") && !t.StartsWithNoCase(L"mailto")) return;
    TableTextToShown(t);
    AIString scheme;
    SchemeOf(t, scheme);
    if (!IsAllowedScheme(scheme) || scheme.EqualsText(L"file")) {
        Refuse(plan, L"This link is not opened: ", t);
        return;
    }
    plan.action = kFollowShell;
    plan.target.Copy(t);
    plan.minimise = 1;
}
