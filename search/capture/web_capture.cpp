// Downloads and captures of web pages.
#include "search/capture/web_capture.h"
#include "search/capture/capture_note.h"
#include "search/capture/page_charset.h"
#include "search/capture/page_decode.h"
#include "foundation/ai_file.h"
#include "foundation/web_download.h"
#include "notestore/note_store.h"

namespace {

WebCaptureHooks g_hooks = {};
AIString g_lastCaptureName;
int g_busy = 0;  // a capture is running: a second request is cleaned loosely
int g_connectMs = 0;
int g_totalMs = 0;

enum { kStatusReady = 0, kStatusBusy = 1, kStatusFailed = 3 };

void ShowStatus(const WCHAR* text, const WCHAR* url, int level)
{
    if (!g_hooks.showStatus) return;
    AIString line(text);
    if (url) line.AppendText(url);
    g_hooks.showStatus(line.GetText(), level);
}

WebText ToWebText(const WCHAR* text)
{
    return WebText(reinterpret_cast<const char16_t*>(text), static_cast<size_t>(TextLength(text)));
}

void ToAIString(const WebText& text, AIString& out)
{
    out.AssignTextN(reinterpret_cast<const WCHAR*>(text.c_str()), (int)text.size());
}

int Download(const WCHAR* url, AIWebDownload& download, AIString* failure)
{
    if (download.FetchWebPage(url) == kDownloadOk) return 1;
    AIString address(url);
    if (address.StartsWithNoCase(L"https:")) {
        address.DeleteRange(0, 6).InsertText(0, L"http:");
        if (download.FetchWebPage(address.GetText()) == kDownloadOk) return 1;
    }
    if (failure) failure->AssignText(download.GetResultText());
    return 0;
}

// The capture number: counting down from kCaptureFirstNumber less the notes,
// the first that no note's title uses (a deleted capture's number is not reused
// while its note stands, and no note is ever overwritten).
int32_t NextCaptureNumber()
{
    int32_t number = kCaptureFirstNumber - GetNoteCount();
    for (int32_t tries = 0; tries <= GetNoteCount() + 1; tries++, number--) {
        AIString prefix(L"www_");
        prefix.AppendInt(number).AppendText(L"_");
        AIString bare(L"www_");
        bare.AppendInt(number);
        if (FindNoteByTitle(prefix.GetText(), 0, 1) < 0 && FindNoteByTitle(bare.GetText(), 0, 0) < 0)
            return number;
    }
    return number;
}

WebText CaptureDateText()
{
    WCHAR longDate[128] = {0}, time[64] = {0}, shortDate[64] = {0};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, nullptr, nullptr, longDate, 128);
    GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, nullptr, nullptr, time, 64);
    GetDateFormatW(LOCALE_USER_DEFAULT, 0, nullptr, L"ddd'.'dd'.'MMM'.'yy", shortDate, 64);
    return ToWebText(longDate) + u" " + ToWebText(time) + u" (" + ToWebText(shortDate) + u")";
}

}  // namespace

void SetWebCaptureHooks(const WebCaptureHooks& hooks) { g_hooks = hooks; }

void SetWebDownloadTimeouts(int connectMs, int totalMs)
{
    g_connectMs = connectMs;
    g_totalMs = totalMs;
}

const WCHAR* GetLastCaptureName() { return g_lastCaptureName.GetText(); }

void WebLinkAddress(const WCHAR* linkText, AIString& url)
{
    url.AssignText(linkText);
    url.Trim();
    for (const WCHAR* prefix : {L"automatic hyperlink:", L"hyperlink:"}) {
        if (url.StartsWithNoCase(prefix)) {
            url.DeleteRange(0, TextLength(prefix));
            url.Trim();
        }
    }
    if (url.FindText(L"://") < 0 && !url.IsEmpty()) url.InsertText(0, L"http://");
}

int FetchAndCleanWebPage(const WCHAR* url, bool capture, const WCHAR* fallbackTitle, WebCleanResult* result,
                         AIString* failure)
{
    ShowStatus(L"Downloading web page ", url, kStatusBusy);
    AIWebDownload download;
    download.SetLimits(0, g_connectMs, g_totalMs);
    if (!Download(url, download, failure)) {
        ShowStatus(L"No preview of web page available", nullptr, kStatusFailed);
        return 0;
    }
    ShowStatus(L"Cleaning web page ", url, kStatusBusy);
    WebCleanRequest request;
    unsigned codePage = FindPageCodePage(download.GetContentType(), download.GetData(), download.GetDataSize());
    request.html = DecodePageBytes(download.GetData(), download.GetDataSize(), codePage);
    request.pageUrl = ToWebText(url);
    request.fallbackTitle = ToWebText(fallbackTitle ? fallbackTitle : L"");
    request.capture = capture;
    request.loose = g_busy != 0;
    CleanWebPage(request, result);
    return 1;
}

int PreviewWebPage(const WCHAR* url, const WCHAR* outputPath)
{
    WebCleanResult result;
    if (!FetchAndCleanWebPage(url, false, nullptr, &result, nullptr)) return 0;
    AIString text;
    ToAIString(result.text, text);
    AIFile::WriteUtf16File(outputPath, text.GetText(), text.GetLength());
    ShowStatus(L"Ready", nullptr, kStatusReady);
    return result.ok ? 1 : 0;
}

int CaptureWebPageAsNote(const WCHAR* url, const WCHAR* fallbackTitle, AIString* noteTitle)
{
    if (noteTitle) noteTitle->Clear();
    g_busy++;
    WebCleanResult page;
    AIString failure;
    int fetched = FetchAndCleanWebPage(url, true, fallbackTitle, &page, &failure);
    g_busy--;
    if (!fetched) {
        if (g_hooks.showBalloon) g_hooks.showBalloon(L"1. Capture Screenshot OK\r\n2. Capture Web FAILED");
        ShowStatus(L"Web page capture failed", nullptr, kStatusFailed);
        return kCaptureDownloadFailed;
    }
    CapturedNote note;
    ComposeCapturedNote(page, ToWebText(url), NextCaptureNumber(), CaptureDateText(), &note);
    AIString title, text;
    ToAIString(note.name, title);
    ToAIString(note.text, text);
    if (CreateNote(title.GetText(), text.GetText()) < 0) {
        ShowStatus(L"Web page capture failed", nullptr, kStatusFailed);
        return kCaptureStoreFailed;
    }
    g_lastCaptureName.Copy(title);
    if (noteTitle) noteTitle->Copy(title);
    AIString balloon(
        page.ok
            ? L"1. Capture Screenshot OK\r\n2. Capture Web OK\r\n3. Web cleaning OK\r\n\r\nSaved note as:\r\n"
            : L"1. Capture Screenshot OK\r\n2. Capture Web OK\r\n3. Web cleaning FAILED\r\n\r\nSaved note "
              L"as:\r\n");
    balloon.AppendString(title);
    if (g_hooks.showBalloon) g_hooks.showBalloon(balloon.GetText());
    if (page.ok) {
        AIString shown(url);  // the address goes into status mark-up: no tag may come with it
        shown.ReplaceAll(L"<", L"%3C");
        shown.ReplaceAll(L">", L"%3E");
        shown.InsertText(0, L"Web page captured successfully - <lblue>").AppendText(L"</lblue>");
        ShowStatus(shown.GetText(), nullptr, kStatusReady);
    } else {
        ShowStatus(L"Web page captured without its text - the address is kept", nullptr, kStatusFailed);
    }
    return page.ok ? kCaptureStored : kCaptureStoredNoText;
}
