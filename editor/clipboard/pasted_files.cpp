// Pasted files and file paths: copied into the data folder's "files" or
// "images" folder and linked through the hyperlink dialog, filled in.
#include "editor/clipboard/clipboard_shared.h"
#include "editor/clipboard/clipboard_rules.h"
#include "editor/keys/editor_links.h"
#include "foundation/ai_string.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "notestore/note_store.h"
#include "ui/ai_text_document.h"
#include "foundation/ai_file.h"
#include <shellapi.h>

namespace {

enum { kTracePasteFiles = 3 };

// DragQueryFileW's index that asks for the number of files.
const UINT kFileCountQuery = 0xFFFFFFFF;

const WCHAR kFileExistsNote[] = L"File already exists (not copied)";
const WCHAR kFileNotCopiedNote[] = L"File not copied";

// A file made into a link: copied into the data folder unless Shift asks
// for a link to where it is; the dialog opens filled in. A copy made for a
// link that is not written is deleted again.
int LinkPastedFile(const AIString& path, int linkWhereItIs)
{
    DWORD attributes = GetFileAttributesW(path.GetText());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return 0;
    PastedFilePlan plan;
    if (!PlanPastedFile(path.GetText(), GetDataFolder(), plan)) return 0;
    AIString linked(path);
    const WCHAR* note = nullptr;
    int32_t mode = 0;
    int copied = 0;
    if (linkWhereItIs) {
        note = kFileNotCopiedNote;
        mode = kLinkModeUncopiedFile;
    } else if (AIFile::Exists(plan.destination.GetText())) {
        linked.Copy(plan.destination);
        note = kFileExistsNote;
        mode = kLinkModeUncopiedFile;
    } else if (CopyFileW(path.GetText(), plan.destination.GetText(), TRUE)) {
        linked.Copy(plan.destination);
        copied = 1;
    } else {
        note = kFileNotCopiedNote;
        mode = kLinkModeUncopiedFile;
    }
    AIString target;
    if (!MakeRelativePath(linked.GetText(), target)) target.AssignText(L"file:").AppendString(linked);
    AIString label(plan.label);
    int32_t answer = g_editorShell.editNewHyperlink
                         ? g_editorShell.editNewHyperlink(label, target, mode, note)
                         : 1;  // no dialog here: the link as planned
    int written = answer == 1 && WriteAcceptedLink(label, target);
    if (!written && copied) DeleteFileW(plan.destination.GetText());
    return written;
}

}  // namespace

void ReadDroppedFiles(HANDLE memory, std::vector<AIString>& files)
{
    HDROP drop = (HDROP)memory;
    UINT count = DragQueryFileW(drop, kFileCountQuery, nullptr, 0);
    for (UINT i = 0; i < count; i++) {
        UINT chars = DragQueryFileW(drop, i, nullptr, 0);
        AIString path;
        WCHAR* buffer = path.GetBuffer((int)chars + 1);
        if (!buffer) continue;
        DragQueryFileW(drop, i, buffer, chars + 1);
        path.SetLength((int)chars);
        files.push_back(path);
    }
}

int PasteFiles(const std::vector<AIString>& files)
{
    TRACE_SCOPE(kTraceClipboardEditor, kTracePasteFiles);
    AIString folder(GetDataFolder());
    if (folder.IsEmpty()) return 0;
    AIString filesFolder(folder), images(folder);
    filesFolder.AppendText(L"files");
    images.AppendText(L"images");
    CreateDirectoryW(filesFolder.GetText(), nullptr);
    CreateDirectoryW(images.GetText(), nullptr);
    int linkWhereItIs = EditorIsKeyDown(VK_SHIFT);
    CHARRANGE s = EditorSelectionRange();
    int32_t before = EditorDocument()->GetTextLength();
    int linked = 0;
    for (const AIString& path : files) linked += LinkPastedFile(path, linkWhereItIs);
    if (linked) FinishPaste(s.cpMin, s.cpMax + EditorDocument()->GetTextLength() - before);
    return linked > 0;
}

// One line naming an existing file (quotes around it allowed).
int IsFilePathText(const AIString& text, AIString& path)
{
    if (!PastedFilePathForm(text.GetText(), text.GetLength(), path)) return 0;
    DWORD attributes = GetFileAttributesW(path.GetText());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
