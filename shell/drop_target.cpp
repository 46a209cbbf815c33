#include "shell/drop_target.h"
#include "shell/drop_caret.h"
#include "shell/file_commands.h"
#include "editor/clipboard/editor_clipboard.h"
#include "shell/main_panel.h"
#include "foundation/ai_string.h"
#include "ui/app_state.h"
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
// whole run: the counts only keep COM's rules. While a paste, a drop or a
// file command runs (its dialog may be up), nothing more is taken.
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
        *effect = Accepts() ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override
    {
        accept_ = 0;
        return S_OK;
    }

protected:
    int Accepts() const { return accept_ && !IsBusy(); }
    // The answer to a drag's entry, by what it brings.
    HRESULT Enter(int takes, DWORD* effect)
    {
        accept_ = takes;
        *effect = Accepts() ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        return S_OK;
    }

    int accept_ = 0;

private:
    ULONG references_ = 1;
};

class DatafileDropTarget : public StaticDropTarget {
public:
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        AIString path;
        return Enter(DroppedDatafile(data, path), effect);
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        accept_ = 0;
        *effect = DROPEFFECT_NONE;
        if (IsBusy()) return S_OK;
        BusyScope busy;
        AIString path;
        if (DroppedDatafile(data, path) && OpenDatafile(path.GetText())) *effect = DROPEFFECT_COPY;
        return S_OK;
    }
};

// The editor takes files, file names, addresses and text where they are
// dropped, with a caret following the pointer to show where; a data file
// dropped on it still opens.
class EditorDropTarget : public StaticDropTarget {
public:
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override
    {
        AIString path;
        int datafile = DroppedDatafile(data, path);
        intoNote_ = !datafile && CanDropIntoNote(data);
        Enter(datafile || intoNote_, effect);
        return DragOver(keys, at, effect);
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override
    {
        StaticDropTarget::DragOver(keys, at, effect);
        if (Accepts() && intoNote_) ShowDropCaret(Editor(), ClientPoint(at));
        else HideDropCaret();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override
    {
        HideDropCaret();
        return StaticDropTarget::DragLeave();
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL at, DWORD* effect) override
    {
        HideDropCaret();
        accept_ = 0;
        *effect = DROPEFFECT_NONE;
        if (IsBusy()) return S_OK;
        BusyScope busy;
        AIString path;
        if (DroppedDatafile(data, path)) {
            if (OpenDatafile(path.GetText())) *effect = DROPEFFECT_COPY;
            return S_OK;
        }
        if (DropIntoNote(data, DropInsertionPoint(Editor(), ClientPoint(at)))) *effect = DROPEFFECT_COPY;
        return S_OK;
    }

private:
    int intoNote_ = 0;
    static HWND Editor() { return g_mainPanel.editor.GetHwnd(); }
    static POINT ClientPoint(POINTL at)
    {
        POINT point = {at.x, at.y};
        ScreenToClient(Editor(), &point);
        return point;
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
    if (!editor) return 0;
    // A rich edit may have taken drops itself (it would put them in past the
    // note's own rules); ours replaces it.
    RevokeDragDrop(editor);
    if (FAILED(RegisterDragDrop(editor, &s_editorTarget))) return 0;
    s_registeredEditor = editor;
    return 1;
}

void RevokeEditorDropTarget()
{
    if (s_registeredEditor) RevokeDragDrop(s_registeredEditor);
    s_registeredEditor = 0;
}

IDropTarget* EditorDropTargetObject() { return &s_editorTarget; }
