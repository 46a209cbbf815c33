// The document route: the HTML view's document found through the
// accessibility bridge, scrolled view by view, each view copied into the
// page's picture, the scroll positions given back.
#include "search/capture/screen/document_route.h"
#include "search/capture/screen/capture_input.h"
#include "drawing/ai_dib.h"
#include <ole2.h>
#include <mshtml.h>

namespace {

typedef HRESULT(WINAPI* ObjectFromLresultProc)(LRESULT, REFIID, WPARAM, void**);

const WCHAR kHtmlViewClass[] = L"Internet Explorer_Server";

BOOL CALLBACK FindHtmlView(HWND child, LPARAM found)
{
    WCHAR name[64];
    if (GetClassNameW(child, name, 64) && lstrcmpW(name, kHtmlViewClass) == 0) {
        *(HWND*)found = child;
        return FALSE;
    }
    return TRUE;
}

// The HTML view's document, or null.
IHTMLDocument2* DocumentOf(HWND view)
{
    HMODULE oleacc = LoadLibraryW(L"OLEACC.DLL");
    if (!oleacc) return nullptr;
    ObjectFromLresultProc fromLresult = (ObjectFromLresultProc)GetProcAddress(oleacc, "ObjectFromLresult");
    IHTMLDocument2* document = nullptr;
    UINT getObject = RegisterWindowMessageW(L"WM_HTML_GETOBJECT");
    LRESULT answer = SendForeignMessage(view, getObject, 0, 0);
    if (!fromLresult || !answer ||
        FAILED(fromLresult(answer, __uuidof(IHTMLDocument2), 0, (void**)&document)))
        document = nullptr;
    FreeLibrary(oleacc);
    return document;
}

// The document's body and its root element, both as scrollable elements.
struct Scrollers {
    IHTMLElement2* body = nullptr;
    IHTMLElement2* root = nullptr;
    LONG bodyTop = 0, rootTop = 0;

    explicit Scrollers(IHTMLDocument2* document)
    {
        IHTMLElement* element = nullptr;
        if (SUCCEEDED(document->get_body(&element)) && element) {
            element->QueryInterface(__uuidof(IHTMLElement2), (void**)&body);
            element->Release();
        }
        IHTMLDocument3* document3 = nullptr;
        if (SUCCEEDED(document->QueryInterface(__uuidof(IHTMLDocument3), (void**)&document3)) && document3) {
            element = nullptr;
            if (SUCCEEDED(document3->get_documentElement(&element)) && element) {
                element->QueryInterface(__uuidof(IHTMLElement2), (void**)&root);
                element->Release();
            }
            document3->Release();
        }
        if (body) body->get_scrollTop(&bodyTop);
        if (root) root->get_scrollTop(&rootTop);
    }
    ~Scrollers()
    {
        // The reader's place is given back.
        if (body) {
            body->put_scrollTop(bodyTop);
            body->Release();
        }
        if (root) {
            root->put_scrollTop(rootTop);
            root->Release();
        }
    }
    void ScrollTo(LONG top)
    {
        if (body) body->put_scrollTop(top);
        if (root) root->put_scrollTop(top);
    }
    LONG Top()
    {
        LONG a = 0, b = 0;
        if (body) body->get_scrollTop(&a);
        if (root) root->get_scrollTop(&b);
        return a > b ? a : b;
    }
};

void ReadUrl(IHTMLDocument2* document, AIString& url)
{
    BSTR address = nullptr;
    if (SUCCEEDED(document->get_URL(&address)) && address) {
        url.AssignText(address);
        SysFreeString(address);
    }
}

// Draws the views of the document into page; 1 when the page was made.
int DrawViews(HWND view, Scrollers& s, int screens, AIDib& page)
{
    LONG pageHeight = 0, viewHeight = 0, viewWidth = 0;
    s.body->get_scrollHeight(&pageHeight);
    s.body->get_clientHeight(&viewHeight);
    s.body->get_clientWidth(&viewWidth);
    RECT client;
    GetClientRect(view, &client);
    if (viewHeight <= 0) viewHeight = client.bottom;
    if (viewWidth <= 0) viewWidth = client.right;
    if (viewHeight < 1 || viewWidth < 1) return 0;
    s.ScrollTo(kDocumentScrollEnd);
    LONG reached = s.Top();
    if (reached > 0 && reached < pageHeight) pageHeight = reached + viewHeight;
    int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    LONG height = (LONG)screenHeight * screens;
    if (height > pageHeight) height = pageHeight;
    int64_t viewArea = (int64_t)viewWidth * viewHeight;
    int64_t views = (int64_t)screenWidth * screenHeight * screens / (viewArea > 0 ? viewArea : 1);
    views = views < 1 ? 1 : (views > kDocumentMaxViews ? kDocumentMaxViews : views);
    if (height > views * viewHeight) height = (LONG)(views * viewHeight);
    int width = (int)viewWidth - 2 * GetSystemMetrics(SM_CXBORDER) - GetSystemMetrics(SM_CXVSCROLL);
    if (width < 1 || height < 1 || !page.Create(width, (int)height, 24)) return 0;
    HDC pageDc = page.SelectIntoMemoryDC();
    HDC viewDc = GetDC(view);
    s.ScrollTo(0);
    for (LONG offset = 0; offset < height;) {
        // The last view, which would pass the page's end, gives only its new part.
        LONG rows = height - offset < viewHeight ? height - offset : viewHeight;
        LONG from = offset - s.Top();
        if (from < 0) from = 0;
        if (from > viewHeight - rows) from = viewHeight - rows;
        BitBlt(pageDc, 0, (int)offset, width, (int)rows, viewDc, 0, (int)from, SRCCOPY);
        offset += viewHeight;
        if (offset >= height) break;
        s.ScrollTo(offset);
        PauseWithMessages(0);
    }
    ReleaseDC(view, viewDc);
    GdiFlush();  // the page's pixels are read from memory next
    return 1;
}

}  // namespace

int CaptureThroughDocument(HWND browser, int screens, AIDib& page, AIString& url)
{
    HWND view = 0;
    EnumChildWindows(browser, FindHtmlView, (LPARAM)&view);
    if (!view) return 0;
    HRESULT com = CoInitialize(nullptr);
    int captured = 0;
    if (IHTMLDocument2* document = DocumentOf(view)) {
        ReadUrl(document, url);
        {
            // A document that cannot be drawn leaves the page to the frames.
            Scrollers s(document);
            if (s.body) captured = DrawViews(view, s, screens, page);
        }
        document->Release();
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return captured;
}
