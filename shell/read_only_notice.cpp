// Read-only data files are announced, never silently ignored.
#include "shell/read_only_notice.h"
#include "shell/main_panel.h"
#include "shell/shell_messages.h"
#include "notestore/note_store.h"
#include <richedit.h>

namespace {

const WCHAR kReadOnlyStatus[] = L"<lred>The data file is read-only</lred> - changes cannot be saved";
const WCHAR kCtrlV = 0x16, kCtrlX = 0x18, kCtrlY = 0x19, kCtrlZ = 0x1A;

int s_keyMessageShown = 0;   // the first editing key after the open was answered with the message

}  // namespace

void AnnounceReadOnlyDatafile()
{
    s_keyMessageShown = 0;
    if (IsDatafileReadOnly()) RaiseShellMessage(kMsgReadOnlyNoChanges, kReadOnlyStatus, kStatusError);
}

int RefuseWhenReadOnly(int32_t messageId)
{
    if (!IsDatafileLoaded() || !IsDatafileReadOnly()) return 0;
    RaiseShellMessage(messageId, kReadOnlyStatus, kStatusError);
    return 1;
}

int IsEditingKey(UINT message, WPARAM key)
{
    if (message == WM_KEYDOWN) return key == VK_DELETE;
    if (message != WM_CHAR) return 0;
    return key >= L' ' || key == L'\b' || key == L'\r' || key == L'\t' || key == kCtrlV || key == kCtrlX ||
           key == kCtrlY || key == kCtrlZ;
}

void OnEditorKeyFilter(const MSGFILTER* filter)
{
    if (!IsDatafileLoaded() || !IsDatafileReadOnly() || !IsEditingKey(filter->msg, filter->wParam)) return;
    if (s_keyMessageShown) {
        SetStatusText(kReadOnlyStatus, kStatusError);
        return;
    }
    s_keyMessageShown = 1;
    RaiseShellMessage(kMsgReadOnlyNoChanges, kReadOnlyStatus, kStatusError);
}
