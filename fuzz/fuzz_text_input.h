// The fuzzers' input as text: byte pairs read as UTF-16 code units (a last
// odd byte is dropped), up to the first zero, like a text handed to the
// program from a window, a file or the clipboard.
#pragma once
#include <stdint.h>
#include <stdlib.h>
#include <vector>

#include "foundation/ai_string.h"

inline void TextFromBytes(const uint8_t* data, size_t size, AIString& out)
{
    std::vector<WCHAR> units;
    units.reserve(size / 2 + 1);
    for (size_t i = 0; i + 1 < size; i += 2) {
        WCHAR unit = (WCHAR)(data[i] | (data[i + 1] << 8));
        if (!unit) break;
        units.push_back(unit);
    }
    units.push_back(0);
    out.AssignText(units.data());
}

// 1 when two texts hold the same units (zero units too).
inline bool SameUnits(const WCHAR* a, int32_t aLength, const WCHAR* b, int32_t bLength)
{
    if (aLength != bLength) return false;
    for (int32_t i = 0; i < aLength; i++)
        if (a[i] != b[i]) return false;
    return true;
}

inline bool SameText(const AIString& a, const AIString& b)
{
    return SameUnits(a.GetText(), a.GetLength(), b.GetText(), b.GetLength());
}

// A broken promise of the code under test: stop so that libFuzzer keeps the input.
#define FUZZ_CHECK(condition) \
    do {                      \
        if (!(condition)) abort(); \
    } while (0)
