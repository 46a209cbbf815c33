#include "shell/drop_target.h"
#include "shell/file_commands.h"
#include "editor/clipboard/editor_clipboard.h"
#include "shell/main_panel.h"
#include "foundation/ai_string.h"
#include <ole2.h>
#include <shellapi.h>

// The first dropped file when it is a data file; 1 when there is one.
static int DroppedDatafile(IDataObject* data, AIString& path)
{
    FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    if (!data || FAILED(data->GetData(&format, &medium))) return 0;
    HDROP drop = (HDROP)GlobalLock(medium.hGlobal);
    int found = 0;
    if (drop && DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) >= 1) {
        UINT chars = DragQueryFileW(drop, 0, nullptr, 0);
        WCHAR* buffer = path.GetBuffer((int)chars + 1);
        if (buffer) {
            DragQueryFileW(drop, 0, buffer, chars + 1);
            path.SetLength((int)chars);
            found = path.EndsWithNoCase(L".tavik") ? 1 : 0;
        }
    }
    if (drop) GlobalUnlock(medium.hGlobal);
    ReleaseStgMedium(&medium);
    return found;
}

// The COM plumbing both targets share. Each is one static object for the
// whole run: the counts only keep COM's rules.
class StaticDropTarget : public IDropTarget {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return references_ > 1 ? --references_ : 1; }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override
    {
        *effect = accept_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override
    {
        accept_ = 0;
        return S_OK;
    }

protected:
    int accept_ = 0;

private:
    ULONG references_ = 1;
};

class DatafileDropTarget : public StaticDropTarget {
public:
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        AIString path;
        accept_ = DroppedDatafile(data, path);
        *effect = accept_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        AIString path;
        *effect = DROPEFFECT_NONE;
        if (DroppedDatafile(data, path) && OpenDatafile(path.GetText())) *effect = DROPEFFECT_COPY;
        accept_ = 0;
        return S_OK;
    }
};

// The editor takes files, file names, addresses and text where they are
// dropped; a data file dropped on it still opens.
class EditorDropTarget : public StaticDropTarget {
public:
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        AIString path;
        accept_ = DroppedDatafile(data, path) || CanDropIntoNote(data);
        *effect = accept_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL at, DWORD* effect) override
    {
        accept_ = 0;
        *effect = DROPEFFECT_NONE;
        AIString path;
        if (DroppedDatafile(data, path)) {
            if (OpenDatafile(path.GetText())) *effect = DROPEFFECT_COPY;
            return S_OK;
        }
        POINT point = {at.x, at.y};
        ScreenToClient(g_mainPanel.editor.GetHwnd(), &point);
        if (DropIntoNote(data, point)) *effect = DROPEFFECT_COPY;
        return S_OK;
    }
};

static DatafileDropTarget s_dropTarget;
static int s_registered = 0;
static EditorDropTarget s_editorTarget;
static HWND s_registeredEditor = 0;

int RegisterFrameDropTarget(HWND frame)
{
    if (!s_registered && SUCCEEDED(RegisterDragDrop(frame, &s_dropTarget))) s_registered = 1;
    return s_registered;
}

void RevokeFrameDropTarget(HWND frame)
{
    if (s_registered) RevokeDragDrop(frame);
    s_registered = 0;
}

IDropTarget* FrameDropTarget() { return &s_dropTarget; }

int RegisterEditorDropTarget(HWND editor)
{
    if (s_registeredEditor == editor) return 1;
    RevokeEditorDropTarget();
    if (!editor || FAILED(RegisterDragDrop(editor, &s_editorTarget))) return 0;
    s_registeredEditor = editor;
    return 1;
}

void RevokeEditorDropTarget()
{
    if (s_registeredEditor) RevokeDragDrop(s_registeredEditor);
    s_registeredEditor = 0;
}

IDropTarget* EditorDropTargetObject() { return &s_editorTarget; }
