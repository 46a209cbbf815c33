// A drop on the editor: files, a file name, an address or text read from the
// data object and put in at the drop point as a paste of the same would.
#include "editor/clipboard/clipboard_shared.h"
#include "editor/clipboard/clipboard_rules.h"
#include "editor/clipboard/editor_clipboard.h"
#include "editor/keys/editor_state.h"
#include "foundation/ai_string.h"
#include <ole2.h>

namespace {

const WCHAR kFileNameFormat[] = L"FileNameW";
const WCHAR kAddressFormat[] = L"UniformResourceLocatorW";
const WCHAR kAnsiAddressFormat[] = L"UniformResourceLocator";

// The memory block the data object holds in a format, or null; the medium
// is released by the caller.
HGLOBAL DataBlock(IDataObject* data, CLIPFORMAT format, STGMEDIUM& medium)
{
    FORMATETC wanted = {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    ZeroMemory(&medium, sizeof(medium));
    if (!data || format == 0 || FAILED(data->GetData(&wanted, &medium))) return nullptr;
    if (medium.tymed != TYMED_HGLOBAL || !medium.hGlobal) {
        ReleaseStgMedium(&medium);
        return nullptr;
    }
    return medium.hGlobal;
}

// A text format's characters, bounded by the block's size and the paste limit.
int ReadTextFormat(IDataObject* data, CLIPFORMAT format, int wide, AIString& text)
{
    STGMEDIUM medium;
    HGLOBAL block = DataBlock(data, format, medium);
    if (!block) return 0;
    SIZE_T bytes = GlobalSize(block);
    const void* memory = GlobalLock(block);
    int read = 0;
    if (memory) {
        if (wide) {
            const WCHAR* chars = (const WCHAR*)memory;
            int count = 0, most = (int)(bytes / sizeof(WCHAR));
            if (most > kPasteMaxChars) most = kPasteMaxChars;
            while (count < most && chars[count]) count++;
            text.AssignTextN(chars, count);
        } else {
            const char* chars = (const char*)memory;
            int count = 0, most = bytes > (SIZE_T)kPasteMaxChars ? kPasteMaxChars : (int)bytes;
            while (count < most && chars[count]) count++;
            int needed = count ? MultiByteToWideChar(CP_ACP, 0, chars, count, nullptr, 0) : 0;
            WCHAR* buffer = text.GetBuffer(needed + 1);
            if (buffer) {
                MultiByteToWideChar(CP_ACP, 0, chars, count, buffer, needed);
                text.SetLength(needed);
            }
        }
        read = !text.IsEmpty();
        GlobalUnlock(block);
    }
    ReleaseStgMedium(&medium);
    return read;
}

int ReadFiles(IDataObject* data, std::vector<AIString>& files)
{
    STGMEDIUM medium;
    HGLOBAL block = DataBlock(data, CF_HDROP, medium);
    if (!block) return 0;
    ReadDroppedFiles(block, files);
    ReleaseStgMedium(&medium);
    return !files.empty();
}

CLIPFORMAT Registered(const WCHAR* name) { return (CLIPFORMAT)RegisterClipboardFormatW(name); }

// What the data object brings, in the order the richest comes first: files,
// a file name, an address, text.
int ReadDropped(IDataObject* data, DroppedKind& kind, AIString& text, std::vector<AIString>& files)
{
    if (ReadFiles(data, files)) {
        kind = kDroppedFiles;
        return 1;
    }
    if (ReadTextFormat(data, Registered(kFileNameFormat), 1, text)) {
        files.push_back(text);
        kind = kDroppedFiles;
        return 1;
    }
    kind = kDroppedAddress;
    if (ReadTextFormat(data, Registered(kAddressFormat), 1, text)) return 1;
    if (ReadTextFormat(data, Registered(kAnsiAddressFormat), 0, text)) return 1;
    kind = kDroppedText;
    return ReadTextFormat(data, CF_UNICODETEXT, 1, text);
}

int Offers(IDataObject* data, CLIPFORMAT format)
{
    FORMATETC wanted = {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return data && format && data->QueryGetData(&wanted) == S_OK;
}

}  // namespace

int CanDropIntoNote(IDataObject* data)
{
    if (!g_noteEditor.hwnd || IsEditorReadOnly()) return 0;
    return Offers(data, CF_HDROP) || Offers(data, Registered(kFileNameFormat)) ||
           Offers(data, Registered(kAddressFormat)) || Offers(data, Registered(kAnsiAddressFormat)) ||
           Offers(data, CF_UNICODETEXT);
}

int DropIntoNote(IDataObject* data, int32_t position)
{
    if (!g_noteEditor.hwnd) return 0;
    DroppedKind kind = kDroppedText;
    AIString text;
    std::vector<AIString> files;
    if (!ReadDropped(data, kind, text, files)) return 0;
    if (position >= 0) {
        CHARRANGE caret = {(LONG)position, (LONG)position};
        SendMessageW(g_noteEditor.hwnd, EM_EXSETSEL, 0, (LPARAM)&caret);
    }
    return PasteDropped(kind, text, files);
}
