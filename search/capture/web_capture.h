// Web pages downloaded and cleaned: into a preview file, or into a captured
// note stored through the note store. Showing the results (status line, tray
// balloon, preview pane) belongs to the windows: they connect WebCaptureHooks.
#pragma once
#include "foundation/ai_string.h"
#include "search/capture/web_clean.h"

struct WebCaptureHooks {
    void (*showStatus)(const WCHAR* text, int level);
    // The capture's progress and result for the tray balloon.
    void (*showBalloon)(const WCHAR* text);
};
void SetWebCaptureHooks(const WebCaptureHooks& hooks);

enum WebCaptureResult {
    kCaptureStored = 1,          // the note holds the page's text and links
    kCaptureStoredNoText = 2,    // the page gave no text: the note holds the address and a notice
    kCaptureDownloadFailed = 0,  // no note
    kCaptureStoreFailed = -1,    // no note: the store refused it (read-only, no data file)
};

// The download's time-outs for previews and captures (0 keeps the default).
void SetWebDownloadTimeouts(int connectMs, int totalMs);

// The address a link's text stands for: "automatic hyperlink:" and
// "hyperlink:" prefixes removed, the scheme kept, "www.x" given "http://".
void WebLinkAddress(const WCHAR* linkText, AIString& url);

// Downloads url (an https address that fails is tried once more as http)
// and cleans it. 0 when the download failed (the reason in *failure).
int FetchAndCleanWebPage(const WCHAR* url, bool capture, const WCHAR* fallbackTitle, WebCleanResult* result,
                         AIString* failure);

// Downloads url and writes its cleaned preview text to outputPath (UTF-16).
// 1 when the page gave text.
int PreviewWebPage(const WCHAR* url, const WCHAR* outputPath);

// Downloads url and stores it as a new captured note; *noteTitle gets its title.
int CaptureWebPageAsNote(const WCHAR* url, const WCHAR* fallbackTitle, AIString* noteTitle);

// The title of the last capture, for the capture status.
const WCHAR* GetLastCaptureName();
