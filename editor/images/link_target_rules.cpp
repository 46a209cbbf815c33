// Labels and targets of hyperlinks made from the selection.
#include "editor/images/link_target_rules.h"

namespace {

const WCHAR kHeldColon = 0x00B1;  // the link table holds ":" in labels as this
const WCHAR* const kAddressStarts[] = {L"www.", L"http://", L"https://", L"mailto:"};
const WCHAR* const kWebTargetStarts[] = {L"www.", L"http://", L"https://", L"mailto:", L"ftp://"};

int StartsWithAny(const WCHAR* text, const WCHAR* const* starts, int count)
{
    AIString whole(text ? text : L"");
    whole.Trim();
    for (int i = 0; i < count; i++)
        if (whole.StartsWithNoCase(starts[i])) return 1;
    return 0;
}

}  // namespace

int IsAddressText(const WCHAR* text)
{
    return StartsWithAny(text, kAddressStarts, ARRAYSIZE(kAddressStarts));
}

int IsWebTarget(const WCHAR* target)
{
    return StartsWithAny(target, kWebTargetStarts, ARRAYSIZE(kWebTargetStarts));
}

TargetCheck CleanLinkTarget(const WCHAR* target, AIString& clean)
{
    AIString text(target ? target : L"");
    text.Trim();
    clean.Clear();
    int hasBracket = text.FindChar(L'[') >= 0 || text.FindChar(L']') >= 0;
    if (!hasBracket) {
        clean.Copy(text);
        return kTargetAccepted;
    }
    if (!IsWebTarget(text.GetText())) return kTargetHasBrackets;
    for (int i = 0; i < text.GetLength(); i++) {
        WCHAR ch = text.CharAt(i);
        if (ch == L'[') clean.AppendText(L"%5B");
        else if (ch == L']') clean.AppendText(L"%5D");
        else clean.AppendChar(ch);
    }
    return kTargetAccepted;
}

void MakeStoredLabel(const WCHAR* text, AIString& label)
{
    label.AssignText(text ? text : L"");
    const WCHAR cr[] = {L'\r', 0};
    label.RemoveChars(cr);
    if (label.GetLength() > kLinkLabelMaxChars) label.KeepRange(0, kLinkLabelMaxChars);
    for (int i = 0; i < label.GetLength(); i++)
        if (label.CharAt(i) == L':') label.GetBuffer(label.GetLength())[i] = kHeldColon;
}

namespace {

int NeedsBlankBeside(WCHAR ch)
{
    return (ch >= L'A' && ch <= L'Z') || (ch >= L'a' && ch <= L'z') || (ch >= L'0' && ch <= L'9') || ch == L'\r';
}

}  // namespace

void MakeLinkInsertion(WCHAR before, WCHAR after, const WCHAR* label, AIString& text)
{
    text.Clear();
    // Two links never touch: a blank parts them as it does from words.
    if (!before || NeedsBlankBeside(before) || before == L']') text.AppendChar(L' ');
    text.AppendChar(L'[').AppendText(label ? label : L"").AppendChar(L']');
    if (after && (NeedsBlankBeside(after) || after == L'[')) text.AppendChar(L' ');
}
