// Pasting a picture: clipboard, images folder, link block and note text.
#include "editor/images/image_paste.h"
#include "editor/images/image_names.h"
#include "editor/images/image_save.h"
#include "editor/images/link_target_rules.h"
#include "editor/keys/editor_links.h"
#include "editor/keys/editor_state.h"
#include "editor/keys/key_map.h"
#include "editor/keys/note_editor.h"
#include "editor/links/link_describe.h"
#include "foundation/ai_string_table.h"
#include "foundation/ai_file.h"
#include "foundation/clipboard.h"
#include "foundation/message_ids.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "imaging/ai_image.h"
#include "imaging/clipboard_image.h"
#include "notestore/note_store.h"

namespace {

enum { kTraceSaveImage = 1, kTraceSaveWebImage = 2 };

int ReadClipboardPicture(HWND owner, AIImage& image)
{
    AIClipboard clipboard(owner);
    return ReadClipboardImage(clipboard, image);
}

WCHAR CharAtPosition(HWND editor, int32_t position)
{
    if (position < 0) return 0;
    WCHAR buffer[2] = {0, 0};
    TEXTRANGEW range = {{position, position + 1}, buffer};
    if (SendMessageW(editor, EM_GETTEXTRANGE, 0, (LPARAM)&range) != 1) return 0;
    return buffer[0];
}

// A saved picture linked by its file name (without the extension).
int LinkPictureAtSelection(const AIString& path)
{
    AIString target;
    if (!MakeRelativePath(path.GetText(), target)) target.AssignText(L"file:").AppendString(path);
    AIString label(path);
    label.SplitAtChar(L'\\', 1, 1);
    label.SplitAtChar(L'.', 0, 1);
    return WriteHyperlinkAtSelection(label, target);
}

int CanSavePictures()
{
    if (IsDatafileLoaded() && !IsDatafileReadOnly()) return 1;
    TellReadOnly();
    return 0;
}

void ImagesFolder(AIString& folder)
{
    folder.AssignText(GetDataFolder());
    folder.AppendText(L"images");
}

// Web pictures already in the images folder, with the page each came from.
struct WebPictures
{
    AIString folder;
    static int Existing(void* context, const WCHAR* name, AIString& address)
    {
        auto* pictures = static_cast<WebPictures*>(context);
        AIString path(pictures->folder);
        path.AppendChar(L'\\').AppendText(name);
        int length = path.GetLength();
        path.AppendText(L".png");
        int found = AIFile::Exists(path.GetText());
        path.SetLength(length);
        path.AppendText(L".jpg");
        found = found || AIFile::Exists(path.GetText());
        address.Clear();
        if (g_noteStore.webCaptureImages) g_noteStore.webCaptureImages->GetValueOfKeyString(name, address);
        return found;
    }
};

}  // namespace

int WriteHyperlinkAtSelection(const AIString& label, const AIString& target)
{
    HWND editor = g_noteEditor.hwnd;
    if (!editor || !g_noteStore.hyperlinks) return 0;
    AIString key(label);
    LabelToTableKey(key);
    CHARRANGE s;
    ReadEditorSelection(&s);
    AIString text;
    MakeLinkInsertion(CharAtPosition(editor, s.cpMin - 1), CharAtPosition(editor, s.cpMax), label.GetText(), text);
    g_noteStore.hyperlinks->SetKeyValueString(key.GetText(), target.GetText());
    if (ReplaceNoteText(s.cpMin, s.cpMax, text.GetText(), -1, -1)) return 1;
    g_noteStore.hyperlinks->RemoveKeyString(key.GetText());
    return 0;
}

int ClipboardHoldsOnlyPicture(HWND owner)
{
    AIClipboard clipboard(owner);
    if (!clipboard.Open()) return 0;
    return clipboard.HasPicture() && !clipboard.HasText();
}

int SaveImageIntoNote(const WCHAR* name, int insert)
{
    TRACE_SCOPE(kTraceImageLinks, kTraceSaveImage);
    if (!CanSavePictures()) return 0;
    AIImage image;
    if (!ReadClipboardPicture(g_noteEditor.hwnd, image)) {
        EditorMessage(kMsgPasteBitmapFailed);
        return 0;
    }
    AIString folder, fileName, stamp;
    ImagesFolder(folder);
    MakeImageNameFromTitle(name ? name : g_noteStore.currentTitle.GetText(), fileName);
    SYSTEMTIME now;
    GetLocalTime(&now);
    MakeImageStamp(now, stamp);
    ImageSaveRequest request;
    request.imagesFolder = folder.GetText();
    request.name = fileName.GetText();
    request.stamp = stamp.GetText();
    AIString path;
    if (SaveImageFile(image, request, path) != kImageSaved) {
        EditorMessage(kMsgOutOfDiskSpace);
        return 0;
    }
    if (g_editorShell.imageSaved) g_editorShell.imageSaved(path.GetText());
    if (insert) LinkPictureAtSelection(path);
    return 1;
}

int SaveWebCaptureImage(const WCHAR* address, const WCHAR* label, int insert)
{
    TRACE_SCOPE(kTraceImageLinks, kTraceSaveWebImage);
    if (!CanSavePictures()) return 0;
    AIString page;
    if (CleanLinkTarget(address, page) != kTargetAccepted || page.IsEmpty() ||
        HoldsReservedNoteChar(page.GetText(), page.GetLength())) {
        EditorMessage(kMsgReservedCharacters);
        return 0;
    }
    AIImage image;
    if (!ReadClipboardPicture(g_noteEditor.hwnd, image)) {
        EditorMessage(kMsgPasteBitmapFailed);
        return 0;
    }
    WebPictures pictures;
    ImagesFolder(pictures.folder);
    AIString base, name;
    MakeNameFromUrl(page.GetText(), base, kUrlNameForFile);
    if (base.IsEmpty()) base.AssignText(L"web");
    WebImageNames names;
    names.context = &pictures;
    names.existing = WebPictures::Existing;
    if (!PickWebImageName(base.GetText(), page.GetText(), names, name)) {
        EditorMessage(kMsgOutOfDiskSpace);
        return 0;
    }
    ImageSaveRequest request;
    request.imagesFolder = pictures.folder.GetText();
    request.name = name.GetText();
    request.replaceSameName = 1;  // the name is free, or this page's own picture
    AIString path;
    if (SaveImageFile(image, request, path) != kImageSaved) {
        EditorMessage(kMsgOutOfDiskSpace);
        return 0;
    }
    if (g_noteStore.webCaptureImages) {
        g_noteStore.webCaptureImages->SetKeyValueString(name.GetText(), page.GetText());
        g_noteStore.webCaptureImages->SaveIfNamed();
    }
    if (g_editorShell.imageSaved) g_editorShell.imageSaved(path.GetText());
    if (insert) {
        AIString shown(label && *label ? label : name.GetText());
        WriteHyperlinkAtSelection(shown, page);
    }
    return 1;
}
