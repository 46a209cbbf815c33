// The quick-preview request for a file link.
#include "editor/links/file_link_preview.h"
#include "foundation/ai_file.h"
#include "editor/links/link_describe.h"
#include "editor/keys/editor_links.h"
#include "foundation/text_markup.h"
#include "notestore/note_store.h"
#include "notestore/datafile_format.h"

namespace {

const unsigned char kPdfSignature[] = {0x25, 0x50, 0x44, 0x46};

// The path a file link's text names: after "Open file:" or "file:".
void PathOfTarget(const WCHAR* target, AIString& path)
{
    path.AssignText(target ? target : L"");
    path.Trim();
    int at = path.FindText(kOpenFileText);
    if (at >= 0) path.DeleteRange(0, at + TextLength(kOpenFileText));
    else if (path.StartsWithNoCase(L"file:")) path.DeleteRange(0, 5);
    path.Trim();
}

// The last path found to be text: asked again, it is text at once.
AIString s_lastTextPath;

void TellFileError(DWORD error, const WCHAR* target)
{
    const WCHAR* head = error == ERROR_SHARING_VIOLATION ? L"Error: File is locked by a different user/program ("
                        : error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? L"Error: File not found ("
                                                                                          : L"Error: Unknown file error (";
    AIString text(head), escaped;
    TextMarkup::Escape(target, escaped);
    text.AppendString(escaped).AppendChar(L')');
    if (g_editorShell.setStatusSlot) g_editorShell.setStatusSlot(text.GetText(), kStatusError, kStatusSlotLength);
}

}  // namespace

int32_t FilePreviewKindOfName(const WCHAR* path, int pdfAsText)
{
    AIString name(path ? path : L"");
    name.Trim();
    if (name.EndsWithNoCase(L".txt")) return kFilePreviewText;
    if (name.EndsWithNoCase(L".pdf")) return pdfAsText ? kFilePreviewText : kFilePreviewNone;
    if (name.EndsWithNoCase(L".rtf")) return kFilePreviewRichText;
    if (name.EndsWithNoCase(L".png") || name.EndsWithNoCase(L".jpg") || name.EndsWithNoCase(L".jpeg")) return kFilePreviewNone;
    return -1;
}

int LooksLikeText(const unsigned char* bytes, int count)
{
    if (count >= 4 && memcmp(bytes, kPdfSignature, sizeof kPdfSignature) == 0) return 0;
    for (int i = 0; i < count; i++) {
        unsigned char b = bytes[i];
        if ((b < 9 || b > 13) && (b < 32 || b == 127)) return 0;
    }
    return 1;
}

int32_t RequestFileLinkPreview(const WCHAR* target, int pdfAsText)
{
    AIString text(target ? target : L"");
    if (text.FindText(L"hyperlink:") >= 0) return kFilePreviewNone;
    AIString path;
    PathOfTarget(target, path);
    if (IsRelativePathText(path.GetText())) {
        AIString resolved;
        ResolveRelativePath(path.GetText(), resolved);
        path.Copy(resolved);
    }
    if (path.IsEmpty()) return kFilePreviewNone;
    int32_t kind = FilePreviewKindOfName(path.GetText(), pdfAsText);
    if (kind < 0) {
        AIString title;
        NormaliseTitle(path.GetText(), title);
        if (FindNoteByTitle(title.GetText(), 0, 0) >= 0) return kFilePreviewNone;  // a note, not a file
        kind = kFilePreviewNone;
        if (path.EqualsTextNoCase(s_lastTextPath.GetText())) {
            kind = kFilePreviewText;
        } else if (AIFile::IsNetworkPath(path.GetText())) {
            // Reading a file on another machine could keep the window waiting.
            return kFilePreviewNone;
        } else {
            if (GetFileAttributesW(path.GetText()) == INVALID_FILE_ATTRIBUTES) return kFilePreviewNone;
            HANDLE file = CreateFileW(path.GetText(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file == INVALID_HANDLE_VALUE) {
                TellFileError(GetLastError(), text.GetText());
                return kFilePreviewNone;
            }
            unsigned char bytes[kFilePreviewSniffBytes];
            DWORD read = 0;
            BOOL ok = ReadFile(file, bytes, sizeof bytes, &read, nullptr);
            CloseHandle(file);
            if (ok && read > 0 && LooksLikeText(bytes, (int)read)) {
                kind = kFilePreviewText;
                s_lastTextPath.Copy(path);
            }
        }
    }
    if (kind != kFilePreviewNone && g_editorShell.previewFile) g_editorShell.previewFile(kind, path.GetText());
    return kind;
}
