// Table-driven window procedures: a fixed table of {message, handler} pairs
// searched in order, and a second table of {command id, handler} for WM_COMMAND.
// Unknown messages, and every message while the application is closing, go to
// DefWindowProcW.
#pragma once
#include "foundation/win.h"

typedef LRESULT (*MessageHandler)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Handles a command; wParam and lParam are those of the WM_COMMAND.
typedef LRESULT (*CommandHandler)(HWND window, WPARAM wParam, LPARAM lParam);

struct MessageEntry {
    UINT message;
    MessageHandler handler;
};

struct CommandEntry {
    UINT commandId;
    CommandHandler handler;
};

// Runs the first handler for the message, else DefWindowProcW.
LRESULT DispatchMessageTable(const MessageEntry* table, int count, HWND window, UINT message,
                             WPARAM wParam, LPARAM lParam);

// Runs the handler of LOWORD(wParam); sets *handled to 0 when the table has
// no row for it (then the result is 0).
LRESULT DispatchCommandTable(const CommandEntry* table, int count, HWND window, WPARAM wParam,
                             LPARAM lParam, int* handled);

template <int N>
inline LRESULT DispatchMessageTable(const MessageEntry (&table)[N], HWND window, UINT message,
                                    WPARAM wParam, LPARAM lParam)
{
    return DispatchMessageTable(table, N, window, message, wParam, lParam);
}

template <int N>
inline LRESULT DispatchCommandTable(const CommandEntry (&table)[N], HWND window, WPARAM wParam,
                                    LPARAM lParam, int* handled)
{
    return DispatchCommandTable(table, N, window, wParam, lParam, handled);
}
