// Link descriptions for the status line.
#include "editor/links/link_describe.h"
#include "notestore/datafile_format.h"
#include "foundation/text_markup.h"

namespace {

const WCHAR kFilePrefix[] = L"file:";

int ContainsNoCase(const AIString& text, const WCHAR* part) { return text.FindText(part) >= 0; }

// The folder without its trailing backslash.
void FolderWithoutSlash(const WCHAR* folder, AIString& out)
{
    out.AssignText(folder ? folder : L"");
    if (out.GetLength() > 0 && out.CharAt(out.GetLength() - 1) == L'\\') out.SetLength(out.GetLength() - 1);
}

void DescribeFile(const AIString& target, int isRel, const WCHAR* dataFolder, AIString& out)
{
    out.AssignText(ContainsNoCase(target, L".exe") ? L"Execute " : L"Open ");
    if (!isRel) {
        out.AppendString(target);
        return;
    }
    AIString folder;
    FolderWithoutSlash(dataFolder, folder);
    out.AppendText(kFilePrefix).AppendString(folder);
    out.AppendText(target.GetText() + 4);
}

}  // namespace

int MakeRelativeFileTarget(AIString& target, const WCHAR* dataFolder)
{
    if (!dataFolder || !dataFolder[0] || !target.StartsWithNoCase(kFilePrefix) || ContainsNoCase(target, kRelativePathPrefix))
        return 0;
    AIString relative;
    if (!MakeRelativeToFolder(target.GetText() + 5, dataFolder, relative)) return 0;
    target.Copy(relative);
    return 1;
}

const WCHAR kOpenFileText[] = L"Open file:";
const WCHAR kExecuteFileText[] = L"Execute file:";

int IsFileLinkDescription(const WCHAR* text)
{
    AIString t(text ? text : L"");
    return t.StartsWithNoCase(kOpenFileText) || t.StartsWithNoCase(kExecuteFileText);
}

void HoverStatusText(const WCHAR* description, AIString& out)
{
    struct Head {
        const WCHAR* text;
        const WCHAR* colour;
    };
    static const Head kHeads[] = {
        {L"Hyperlink:", L"vlblue"},
        {L"Automatic hyperlink:", L"vlblue"},
        {kOpenFileText, L"lgreen"},
        {kExecuteFileText, L"lgreen"},
    };
    AIString text(description ? description : L"");
    out.Clear();
    for (const Head& head : kHeads) {
        if (!text.StartsWithNoCase(head.text)) continue;
        AIString rest(text.GetText() + TextLength(head.text));
        rest.Trim();
        out.AssignText(head.text).AppendText(L" <").AppendText(head.colour).AppendChar(L'>');
        TextMarkup::Escape(rest.GetText(), out);
        out.AppendText(L"</").AppendText(head.colour).AppendChar(L'>');
        return;
    }
    TextMarkup::Escape(text.GetText(), out);
}

LinkKind DescribeLink(const WCHAR* linkText, const WCHAR* target, int isNoteTitle, const WCHAR* dataFolder,
                      AIString& out)
{
    out.Clear();
    if (target) {
        AIString t(target);
        MakeRelativeFileTarget(t, dataFolder);
        t.ReplaceAll(L"\x2026", L",");
        if (IsRelativePathText(t.GetText())) {
            DescribeFile(t, 1, dataFolder, out);
            return kLinkFile;
        }
        if (t.StartsWithNoCase(kFilePrefix) && !ContainsNoCase(t, L"http")) {
            DescribeFile(t, 0, dataFolder, out);
            return kLinkFile;
        }
        if (ContainsNoCase(t, L"@") && !t.StartsWithNoCase(L"http")) {
            t.ReplaceAll(L"mailto:", L" ");
            out.AssignText(L"Send mail to:").AppendString(t);
            return kLinkMail;
        }
        if (ContainsNoCase(t, L".")) {
            t.ReplaceAll(L"http://", L"");
            t.ReplaceAll(L"https://", L"");
            out.AssignText(L"Hyperlink: ").AppendString(t);
            return kLinkWeb;
        }
        out.Copy(t);
        return kLinkNote;
    }
    AIString text(linkText ? linkText : L"");
    if (isNoteTitle) {
        out.Copy(text);
        return kLinkNote;
    }
    TableTextToShown(text);
    text.ReplaceAll(L"http://", L"");
    text.ReplaceAll(L"https://", L"");
    if (ContainsNoCase(text, L"mailto:")) {
        text.ReplaceAll(L"mailto:", L"");
        out.AssignText(L"Send mail to ").AppendString(text);
        return kLinkMail;
    }
    out.AssignText(L"Automatic hyperlink: ").AppendString(text);
    return kLinkAutomatic;
}

void LabelToTableKey(AIString& text) { text.ReplaceAll(L":", L"\x00B1"); }

void TableTextToShown(AIString& text)
{
    text.ReplaceAll(L"\x00B1", L":");
    text.ReplaceAll(L"\x2026", L",");
}
