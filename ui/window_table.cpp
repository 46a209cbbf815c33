#include "ui/window_table.h"
#include "ui/app_state.h"

LRESULT DispatchMessageTable(const MessageEntry* table, int count, HWND window, UINT message,
                             WPARAM wParam, LPARAM lParam)
{
    // While the application closes no handler runs: the objects they use are going away.
    if (!IsApplicationClosing()) {
        for (int i = 0; i < count; i++) {
            if (table[i].message == message && table[i].handler)
                return table[i].handler(window, message, wParam, lParam);
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT DispatchCommandTable(const CommandEntry* table, int count, HWND window, WPARAM wParam,
                             LPARAM lParam, int* handled)
{
    UINT id = LOWORD(wParam);
    for (int i = 0; i < count; i++) {
        if (table[i].commandId == id && table[i].handler) {
            if (handled) *handled = 1;
            return table[i].handler(window, wParam, lParam);
        }
    }
    if (handled) *handled = 0;
    return 0;
}
