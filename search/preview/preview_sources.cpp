// What the link preview pane shows by kind: a web page from its cache file
// (downloaded first only when allowed), an RTF file, a text file or the
// text of a PDF or a dictionary entry, another note.
#include "search/preview/preview_state.h"
#include "search/preview/note_preview.h"
#include "search/preview/preview_text.h"
#include "search/capture/web_capture.h"
#include "search/pdf/pdf_text_cache.h"
#include "notestore/note_store.h"
#include "foundation/ai_file.h"
#include "foundation/text_markup.h"
#include <richedit.h>

namespace {

// A hover download must never hold the program up for long.
const int kHoverConnectMs = 2000;
const int kHoverTotalMs = 5000;

const WCHAR kNoteMissing[] = L"\r\nThe note does not exist anymore ...";
const WCHAR kFileNotFound[] = L"Error: File not found";

// A file on another machine is never asked about here: the window would wait
// for the network. 1 when the path is one (the status line says so).
int RefuseNetworkFile(const AIString& path)
{
    if (!AIFile::IsNetworkPath(path.GetText())) return 0;
    AIString text(L"No preview of files on the network (");
    TextMarkup::Escape(path.GetText(), text).AppendChar(L')');
    PreviewStatus(text.GetText(), kStatusInfo);
    return 1;
}

struct RtfSource {
    HANDLE file;
};

DWORD CALLBACK ReadRtfChunk(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* got)
{
    DWORD read = 0;
    BOOL ok = ReadFile(((RtfSource*)cookie)->file, buffer, (DWORD)wanted, &read, nullptr);
    *got = (LONG)read;
    return ok ? 0 : 1;
}

// A PDF's text through its cache file (extracted when missing, or again on Shift).
int PdfTextFile(const AIString& pdf, AIString& textFile)
{
    GetPdfTextCachePath(pdf.GetText(), textFile);
    const int64_t kReusableBytes = 4;
    int shift = PreviewKeyDown(VK_SHIFT);
    int64_t cached = AIFile::GetSizeByName(textFile.GetText());
    if (!shift && cached >= kReusableBytes) return 1;
    // A cache too short to hold text is made again, as is one the user asks for again.
    if ((cached >= 0 && cached < kReusableBytes) ||
        (shift && !PreviewState().lastForcedPdf.EqualsTextNoCase(pdf.GetText())))
        AIFile::DeleteQuiet(textFile.GetText());
    AIString reason;
    int made = ExtractPdfText(pdf.GetText(), &reason);
    if (shift)
        PreviewState().lastForcedPdf.Copy(pdf);
    else if (!PreviewState().lastForcedPdf.EqualsTextNoCase(pdf.GetText()))
        PreviewState().lastForcedPdf.Clear();
    if (made && AIFile::Exists(textFile.GetText())) return 1;
    textFile.Copy(reason.IsEmpty() ? AIString(L"No text could be taken from the PDF file") : reason);
    return 0;
}

}  // namespace

// Kind 9: the web page from its cache file, downloaded first when allowed.
int FillWebPage()
{
    AIString name, cache;
    WebShownName(PreviewState().target.GetText(), name);
    WebCachePath(GetNotesFolder(), PreviewState().target.GetText(), cache);
    if (cache.IsEmpty()) return 0;
    if (!AIFile::Exists(cache.GetText()) && (PreviewSettings().previewWebPages || PreviewKeyDown(VK_SHIFT))) {
        // Quietly: a hover never asks about folders.
        AIString folder(GetNotesFolder());
        CreateDirectoryW(folder.GetText(), nullptr);
        CreateDirectoryW(folder.AppendText(L"txt").GetText(), nullptr);
        AIString url;
        WebLinkAddress(PreviewState().target.GetText(), url);
        SetWebDownloadTimeouts(kHoverConnectMs, kHoverTotalMs);
        PreviewWebPage(url.GetText(), cache.GetText());
        SetWebDownloadTimeouts(0, 0);
    }
    if (!AIFile::Exists(cache.GetText())) {
        InvalidateNoteList();
        return 1;
    }
    PreviewState().webCachePath.Copy(cache);
    AIString page, text(L"Preview Web: ");
    text.AppendString(name);
    if (AIFile::GetSizeByName(cache.GetText()) > 2 &&
        ReadPreviewTextFile(cache.GetText(), kWebCacheMaxBytes, page) == kPreviewTextOk) {
        text.AppendText(L"\r\n").AppendString(page);
        ShowPaneText(text);
        return 1;
    }
    text.AppendText(L" \r\n\r\nNo preview available");
    ShowPaneText(text);
    return 0;
}

// Kind 4: an RTF file keeps its own formatting.
int FillRtfFile(const AIString& path)
{
    if (RefuseNetworkFile(path)) return 1;
    if (!AIFile::Exists(path.GetText())) {
        PreviewStatus(kFileNotFound, kStatusWarning);
        InvalidateNoteList();
        return 1;
    }
    if (AIFile::GetSizeByName(path.GetText()) >= kRtfFileTooBigBytes) {
        ShowPaneText(AIString(L"Cannot preview RTF file\r\n - file is too big (for quick previews)"));
        return 1;
    }
    RtfSource source = {CreateFileW(path.GetText(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (source.file == INVALID_HANDLE_VALUE) {
        ShowPaneText(AIString(L"Preview RTF file: \r\nThe file cannot be read"));
        return 1;
    }
    SendMessageW(PreviewPaneWindow(), WM_SETREDRAW, FALSE, 0);
    EDITSTREAM stream = {(DWORD_PTR)&source, 0, ReadRtfChunk};
    SendMessageW(PreviewPaneWindow(), EM_STREAMIN, SF_RTF, (LPARAM)&stream);
    CloseHandle(source.file);
    CHARRANGE start = {0, 0};
    SendMessageW(PreviewPaneWindow(), EM_EXSETSEL, 0, (LPARAM)&start);
    SendMessageW(PreviewPaneWindow(), EM_REPLACESEL, FALSE, (LPARAM)L"Preview RTF file: \r\n");
    SendMessageW(PreviewPaneWindow(), EM_SETZOOM, PaneZoom(), 100);
    SendMessageW(PreviewPaneWindow(), EM_EXSETSEL, 0, (LPARAM)&start);
    SendMessageW(PreviewPaneWindow(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(PreviewPaneWindow(), nullptr, TRUE);
    PreviewState().fills++;
    return 1;
}

// Kinds 3 and 5: a text file, the text of a PDF, a dictionary entry.
int FillTextFile(const AIString& path)
{
    if (RefuseNetworkFile(path)) return 1;
    if (!AIFile::Exists(path.GetText())) {
        PreviewStatus(kFileNotFound, kStatusWarning);
        InvalidateNoteList();
        return 1;
    }
    AIString file(path), caption;
    int isPdf = PreviewSettings().previewPdfText && HasExtensionNoCase(path.GetText(), L"pdf");
    if (isPdf) {
        AIString textFile;
        if (!PdfTextFile(path, textFile)) {
            TextFileCaption(path.GetText(), 0, caption);
            caption.AppendString(textFile);
            ShowPaneText(caption);
            return 1;
        }
        file.Copy(textFile);
        PreviewState().webCachePath.Copy(textFile);
    }
    TextFileCaption(file.GetText(), isPdf, caption);
    AIString text;
    PreviewTextResult result = ReadPreviewTextFile(file.GetText(), kTextFileMaxBytes, text);
    if (result != kPreviewTextOk) {
        caption.AppendText(PreviewTextFailureText(result));
        ShowPaneText(caption);
        return 1;
    }
    BreakDoubleCarriageReturns(text, kPreviewMaxChars - caption.GetLength());
    caption.AppendString(text);
    ShowPaneText(caption);
    return 1;
}

int FillNote()
{
    int32_t index = FindNoteByTitle(PreviewState().target.GetText(), 0, 0);
    if (index >= 0 && FillNotePreview(PreviewPaneWindow(), index, L"Preview: ", PaneZoom())) {
        PreviewState().fills++;
        return 1;
    }
    AIString text(L"Preview: ");
    text.AppendString(PreviewState().target).AppendText(kNoteMissing);
    ShowPaneText(text);
    return 1;
}

void FilePathOfTarget(AIString& path)
{
    AIString link;
    StripOpenFilePrefix(PreviewState().target.GetText(), link);
    link.Trim();
    if (link.StartsWithNoCase(L"file:")) link.DeleteRange(0, 5);
    ResolveRelativePath(link.GetText(), path);
}

// Copies the pane's selection (at most a pane's worth) and says so.
