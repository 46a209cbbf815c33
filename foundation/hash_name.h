// 32-bit FNV-1 hash of an ASCII command name (multiply, then XOR each byte
// taken as a signed char; no case folding). Receivers of MsgCommandByName
// compare it with the message's wParam.
#pragma once
#include <stdint.h>

inline uint32_t HashName(const char* name)
{
    uint32_t h = 0x811c9dc5u;
    if (!name) return h;
    for (; *name; name++) {
        h *= 16777619u;
        h ^= (uint32_t)(int32_t)(signed char)*name;
    }
    return h;
}

// A MsgCommandByName whose wParam is below this is a plain code, not a hash.
enum : unsigned { kByNamePlainCodeLimit = 100, kByNameCodeCloseMessageBox = 2 };

// The private window messages through which the windows talk.
enum : unsigned {
    MsgCommandByName = 0xBFCB,
    MsgBeforeShow = 0xBF72,
    MsgBeforeHide = 0xBF7C,
    MsgTrayIcon = 0xBF90,
};
