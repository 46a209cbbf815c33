// AIWebDownload against a small HTTP server of the test's own on 127.0.0.1.
// Winsock must come before the C library headers.
#include <winsock2.h>
#include "tests/support/gtest.h"
#include "foundation/web_download.h"
#include <string.h>
#include <stdio.h>

namespace {

const int kBigBytes = 3 * 1024 * 1024;

void SendAll(SOCKET s, const char* data, int bytes)
{
    while (bytes > 0) {
        int sent = send(s, data, bytes, 0);
        if (sent <= 0) return;
        data += sent;
        bytes -= sent;
    }
}

void SendBig(SOCKET s, bool withLength)
{
    char head[200];
    if (withLength)
        snprintf(head, sizeof(head), "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nContent-Length: %d\r\n\r\n", kBigBytes);
    else
        snprintf(head, sizeof(head), "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n");
    SendAll(s, head, (int)strlen(head));
    static char chunk[65536];
    memset(chunk, 'x', sizeof(chunk));
    for (int sent = 0; sent < kBigBytes; sent += (int)sizeof(chunk)) SendAll(s, chunk, (int)sizeof(chunk));
}

// One connection: reads the request line and answers by its path.
DWORD WINAPI ServeOne(void* param)
{
    SOCKET s = (SOCKET)(uintptr_t)param;
    char request[2048];
    int got = 0;
    while (got < (int)sizeof(request) - 1) {
        int n = recv(s, request + got, (int)sizeof(request) - 1 - got, 0);
        if (n <= 0) break;
        got += n;
        request[got] = 0;
        if (strstr(request, "\r\n\r\n")) break;
    }
    request[got] = 0;
    if (strncmp(request, "GET /ok ", 8) == 0) {
        const char* answer = "HTTP/1.0 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: 20\r\n\r\n"
                             "<p>Gr\xC3\xBC\xC3\x9F" "e world</p>";
        SendAll(s, answer, (int)strlen(answer));
    } else if (strncmp(request, "GET /slow ", 10) == 0) {
        Sleep(3000);  // longer than the client waits
    } else if (strncmp(request, "GET /big ", 9) == 0) {
        SendBig(s, true);
    } else if (strncmp(request, "GET /stream ", 12) == 0) {
        SendBig(s, false);
    } else {
        const char* answer = "HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nNot found";
        SendAll(s, answer, (int)strlen(answer));
    }
    shutdown(s, SD_SEND);
    closesocket(s);
    return 0;
}

DWORD WINAPI AcceptLoop(void* param)
{
    SOCKET listener = (SOCKET)(uintptr_t)param;
    for (;;) {
        SOCKET s = accept(listener, 0, 0);
        if (s == INVALID_SOCKET) return 0;
        HANDLE thread = CreateThread(0, 0, ServeOne, (void*)(uintptr_t)s, 0, 0);
        if (thread) CloseHandle(thread);
        else closesocket(s);
    }
}

class WebDownloadTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        bind(listener_, (sockaddr*)&address, sizeof(address));
        listen(listener_, 8);
        int length = sizeof(address);
        getsockname(listener_, (sockaddr*)&address, &length);
        port_ = ntohs(address.sin_port);
        HANDLE thread = CreateThread(0, 0, AcceptLoop, (void*)(uintptr_t)listener_, 0, 0);
        if (thread) CloseHandle(thread);
    }
    static void TearDownTestSuite() { closesocket(listener_); }

    static AIString Url(const WCHAR* path)
    {
        AIString url(L"http://127.0.0.1:");
        url.AppendInt(port_).AppendText(path);
        return url;
    }

    static SOCKET listener_;
    static int port_;
};

SOCKET WebDownloadTest::listener_ = INVALID_SOCKET;
int WebDownloadTest::port_ = 0;

}  // namespace

TEST_F(WebDownloadTest, Success)
{
    AIWebDownload download;
    ASSERT_EQ(download.FetchWebPage(Url(L"/ok").GetText()), kDownloadOk) << Utf8(download.GetResultText());
    EXPECT_EQ(download.GetHttpStatus(), 200);
    AIString page;
    EXPECT_EQ(download.GetResult(page), 0);
    EXPECT_EQ(Utf8(page), "<p>Gr\xC3\xBC\xC3\x9F" "e world</p>");
    EXPECT_EQ(download.GetDataSize(), 20u);
}

TEST_F(WebDownloadTest, NotFound)
{
    AIWebDownload download;
    EXPECT_EQ(download.FetchWebPage(Url(L"/nothing-here").GetText()), kDownloadHttpError);
    EXPECT_EQ(download.GetHttpStatus(), 404);
    AIString page(L"old");
    EXPECT_NE(download.GetResult(page), 0);
    EXPECT_TRUE(page.IsEmpty());
    EXPECT_GE(AIString(download.GetResultText()).FindText(L"404"), 0);
}

TEST_F(WebDownloadTest, TimeOut)
{
    AIWebDownload download;
    download.SetLimits(0, 1000, 400);
    DWORD start = GetTickCount();
    EXPECT_EQ(download.FetchWebPage(Url(L"/slow").GetText()), kDownloadTimedOut);
    EXPECT_LT(GetTickCount() - start, 2500u);
    EXPECT_STREQ(Utf8(download.GetResultText()).c_str(), "The web server did not answer in time");
}

TEST_F(WebDownloadTest, OversizePageIsRefused)
{
    AIWebDownload download;
    download.SetLimits(1024 * 1024, 0, 0);
    EXPECT_EQ(download.FetchWebPage(Url(L"/big").GetText()), kDownloadTooLarge);
    EXPECT_EQ(download.GetDataSize(), 0u);
    // Without a Content-Length the cap is met while reading.
    EXPECT_EQ(download.FetchWebPage(Url(L"/stream").GetText()), kDownloadTooLarge);
    EXPECT_EQ(download.GetDataSize(), 0u);
    AIString page;
    EXPECT_EQ(download.GetResult(page), kDownloadTooLarge);
    EXPECT_TRUE(page.IsEmpty());
}

TEST_F(WebDownloadTest, RefusedConnectionAndBadUrl)
{
    // A port that was free a moment ago: nobody listens there.
    SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(probe, (sockaddr*)&address, sizeof(address));
    int length = sizeof(address);
    getsockname(probe, (sockaddr*)&address, &length);
    closesocket(probe);
    AIString url(L"http://127.0.0.1:");
    url.AppendInt(ntohs(address.sin_port)).AppendText(L"/");
    AIWebDownload download;
    EXPECT_EQ(download.FetchWebPage(url.GetText()), kDownloadConnectFailed);
    EXPECT_STREQ(Utf8(download.GetResultText()).c_str(), "Could not connect to the web server");

    EXPECT_EQ(download.FetchWebPage(L"file:///etc/passwd"), kDownloadFailed);
    EXPECT_EQ(download.FetchWebPage(L""), kDownloadFailed);
}

TEST(WebDownloadEscape, EscapesUtf8)
{
    AIString out;
    EXPECT_EQ(AIWebDownload::EscapeUrl("a b&c=d/\xC3\xA9", out), 1);
    EXPECT_EQ(Utf8(out), "a%20b%26c%3Dd%2F%C3%A9");
    EXPECT_EQ(AIWebDownload::EscapeUrl(AIString(L"caf\x00E9 au lait"), out), 1);
    EXPECT_EQ(Utf8(out), "caf%C3%A9%20au%20lait");
    EXPECT_EQ(AIWebDownload::EscapeUrl("", out), 1);
    EXPECT_TRUE(out.IsEmpty());
}
