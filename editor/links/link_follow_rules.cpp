// Following a link, decided as text.
#include "editor/links/link_follow_rules.h"
#include "editor/links/link_describe.h"
#include "notestore/note_store.h"
#include "foundation/text_markup.h"

namespace {

const WCHAR kFilePrefix[] = L"file:";

// The extensions the shell runs rather than opens (besides those of PATHEXT).
const WCHAR* const kProgramExtensions[] = {
    L".exe", L".com", L".bat", L".cmd", L".scr", L".pif", L".msi", L".vbs", L".vbe", L".js", L".jse",
    L".wsf", L".wsh", L".ps1", L".hta", L".cpl", L".lnk", L".url", L".reg", L".jar",
};
// A short (8.3) name keeps at most this many letters of its extension.
const int kShortExtensionChars = 3;
const int kLongPathMaxChars = 32767;
const int kPathExtMaxChars = 2048;

int IsPathSeparator(WCHAR c) { return c == L'\\' || c == L'/'; }

// What the file system drops from the end of a name: dots and blanks.
int IsDroppedAtNameEnd(WCHAR c) { return c == L'.' || c == L' '; }

// The extension of a name with its dot ("" when none), lower case.
void ExtensionOf(const WCHAR* name, int length, AIString& extension)
{
    extension.Clear();
    for (int i = length - 1; i >= 0; i--)
        if (name[i] == L'.') {
            extension.AssignTextN(name + i, length - i);
            extension.ToLowerCase();
            return;
        }
}

// Calls visit with each extension of PATHEXT (";"-separated, each with its dot).
template <typename Visit>
int AnyPathExtension(const WCHAR* pathExt, Visit visit)
{
    if (!pathExt) return 0;
    for (const WCHAR* at = pathExt; *at;) {
        const WCHAR* end = at;
        while (*end && *end != L';') end++;
        AIString one;
        one.AssignTextN(at, (int)(end - at));
        one.Trim();
        one.ToLowerCase();
        if (one.GetLength() > 1 && one.CharAt(0) == L'.' && visit(one)) return 1;
        at = *end ? end + 1 : end;
    }
    return 0;
}

int IsProgramExtension(const AIString& extension, const WCHAR* pathExt)
{
    if (extension.GetLength() < 2) return 0;
    for (const WCHAR* known : kProgramExtensions)
        if (extension.EqualsTextNoCase(known)) return 1;
    return AnyPathExtension(pathExt, [&](const AIString& one) { return extension.EqualsString(one); });
}

// 1 when a short name's extension could stand for a program's: it is the
// start of one (".PS1" of ".ps1", ".APP" of ".appref").
int CouldBeProgramExtension(const AIString& extension, const WCHAR* pathExt)
{
    if (extension.GetLength() < 2) return 0;
    auto starts = [&](const AIString& known) {
        int letters = known.GetLength() - 1 < kShortExtensionChars ? known.GetLength() - 1 : kShortExtensionChars;
        return extension.GetLength() - 1 == letters && known.StartsWithNoCase(extension.GetText());
    };
    for (const WCHAR* known : kProgramExtensions)
        if (starts(AIString(known))) return 1;
    return AnyPathExtension(pathExt, starts);
}

// The last part of a path (after its last separator or its drive).
void LastPartOf(const AIString& path, AIString& lastPart)
{
    int start = path.GetLength();
    while (start > 0 && !IsPathSeparator(path.CharAt(start - 1))) start--;
    // A drive's colon ("C:mark.bat") is no stream.
    if (start == 0 && path.GetLength() >= 2 && path.CharAt(1) == L':') start = 2;
    lastPart.AssignText(path.GetText() + start);
}

// The last part of a name as the file system opens it, each piece of a
// stream suffix ("name:stream:$DATA") in turn: 1 when visit says so for one.
template <typename Visit>
int AnyNamePiece(const AIString& lastPart, Visit visit)
{
    const WCHAR* text = lastPart.GetText();
    int length = lastPart.GetLength();
    for (int start = 0; start <= length;) {
        int end = start;
        while (end < length && text[end] != L':') end++;
        int pieceEnd = end;
        while (pieceEnd > start && IsDroppedAtNameEnd(text[pieceEnd - 1])) pieceEnd--;
        AIString piece;
        piece.AssignTextN(text + start, pieceEnd - start);
        if (visit(piece)) return 1;
        start = end + 1;
    }
    return 0;
}

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
        // The file system drops dots and blanks at a name's end: ".exe." is ".exe".
        int afterAt = at + TextLength(extension);
        while (lower.CharAt(afterAt) == L'.') afterAt++;
        WCHAR after = lower.CharAt(afterAt);
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

void ShellOpenedPath(const WCHAR* path, AIString& opened)
{
    opened.AssignText(path ? path : L"");
    opened.Trim();
    if (opened.GetLength() >= 2 && opened.CharAt(0) == L'"' && opened.CharAt(opened.GetLength() - 1) == L'"') {
        opened.DeleteRange(opened.GetLength() - 1, 1);
        opened.DeleteRange(0, 1);
    }
    // "mark.bat. ", "mark.bat\." and "mark.bat/" all open "mark.bat".
    int length = opened.GetLength();
    while (length > 0 && (IsDroppedAtNameEnd(opened.CharAt(length - 1)) || IsPathSeparator(opened.CharAt(length - 1))))
        length--;
    opened.SetLength(length);
}

int IsProgramPathWith(const WCHAR* path, const WCHAR* pathExt, LongPathFn longPath)
{
    AIString opened, lastPart;
    ShellOpenedPath(path, opened);
    LastPartOf(opened, lastPart);
    auto named = [&](const AIString& piece) {
        AIString extension;
        ExtensionOf(piece.GetText(), piece.GetLength(), extension);
        return IsProgramExtension(extension, pathExt);
    };
    if (AnyNamePiece(lastPart, named)) return 1;
    if (lastPart.FindChar(L'~') < 0) return 0;
    // A short name: the long one decides; one that cannot be looked up is a
    // program when its extension could be cut from a program's.
    AIString longName;
    if (longPath && longPath(opened.GetText(), longName)) {
        AIString resolved, resolvedLast;
        ShellOpenedPath(longName.GetText(), resolved);
        LastPartOf(resolved, resolvedLast);
        return AnyNamePiece(resolvedLast, named);
    }
    return AnyNamePiece(lastPart, [&](const AIString& piece) {
        AIString extension;
        ExtensionOf(piece.GetText(), piece.GetLength(), extension);
        return CouldBeProgramExtension(extension, pathExt);
    });
}

namespace {

int LongPathOf(const WCHAR* path, AIString& longPath)
{
    WCHAR* buffer = longPath.GetBuffer(kLongPathMaxChars);
    if (!buffer) return 0;
    DWORD length = GetLongPathNameW(path, buffer, kLongPathMaxChars);
    if (length == 0 || length >= (DWORD)kLongPathMaxChars) {
        longPath.Clear();
        return 0;
    }
    longPath.SetLength((int)length);
    return 1;
}

}  // namespace

int IsProgramPath(const WCHAR* path)
{
    WCHAR pathExt[kPathExtMaxChars] = {0};
    DWORD length = GetEnvironmentVariableW(L"PATHEXT", pathExt, kPathExtMaxChars);
    if (length >= (DWORD)kPathExtMaxChars) pathExt[0] = 0;
    return IsProgramPathWith(path, pathExt, LongPathOf);
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
