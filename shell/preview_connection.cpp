#include "shell/preview_connection.h"
#include "shell/image_preview_connection.h"
#include "shell/main_panel.h"
#include "search/preview/preview_pane.h"
#include "search/preview/word_lookup_preview.h"
#include "search/quick/full_text_mode.h"
#include "search/quick/quick_search_box.h"
#include "editor/keys/editor_links.h"
#include "editor/links/file_link_preview.h"

namespace {

int FullTextMode() { return IsFullTextSearchMode() ? 1 : 0; }
void RestoreQuickPreview() { ShowQuickSearchPreview(kQuickPreviewTypedNote, 0); }

// The editor's file-link preview request: text (or a PDF's text) or rich text.
void PreviewFile(int32_t kind, const WCHAR* path)
{
    StartLinkPreview(path, kind == kFilePreviewRichText ? kPreviewRtfFile : kPreviewFileLink);
}

int HoverImage(const WCHAR* link) { return PreviewImageUnderCursor(link, 0, kImageHoverPreview); }
void HidePreviews() { HideQuickPreview(0); }
void PreviewLink(const WCHAR* target, int noteTitle)
{
    if (noteTitle) StartLinkPreview(target, kPreviewNote);
    else PreviewLinkUnderCursor(target);
}

}  // namespace

void ConnectPreview(HWND content)
{
    MainPanelWindow& p = g_mainPanel;
    PreviewShellLinks& l = g_previewShell;
    l.content = content;
    l.noteList = p.noteList.GetHwnd();
    l.quickPreview = p.previewPane.GetHwnd();
    l.quickSearch = p.quickSearch.GetHwnd();
    l.editor = &p.editor;
    l.startTimer = StartMainTimer;
    l.stopTimer = StopMainTimer;
    l.setStatusText = SetStatusText;
    l.statusText = GetStatusText;
    l.isFullTextMode = FullTextMode;
    l.restoreQuickPreview = RestoreQuickPreview;
    l.isImageShown = IsImagePreviewShown;
    l.hideImage = HideImagePreview;
    l.previewImage = HoverImage;
    PrepareLinkPreviewPane(content);
    InstallQuickPreviewPane(l.quickPreview);
    ConnectPreviewPipelines();
    g_editorShell.lookUpWord = LookUpSelectedWord;
    g_editorShell.mouseOverText = PreviewLinkAtPoint;
    g_editorShell.previewFile = PreviewFile;
    g_editorShell.previewImage = PreviewImageUnderCursor;
    g_editorShell.previewLink = PreviewLink;
    g_editorShell.isImageShown = IsImagePreviewShown;
    g_editorShell.hidePreview = HidePreviews;
    g_editorShell.clickPicture = OpenNoteOfClickedImage;
}
