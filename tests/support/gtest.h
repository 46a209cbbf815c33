// GoogleTest inside a Winelib program: hide the Windows macros while gtest's
// headers look at them, or it picks its Windows port. A native Windows build
// (MinGW-w64) uses that port, and its C library headers need the macros.
#pragma once
#include "foundation/win.h"
#ifdef __MINGW32__
#include <gtest/gtest.h>
#else
#pragma push_macro("_WIN32")
#pragma push_macro("_WIN64")
#pragma push_macro("WIN32")
#pragma push_macro("WIN64")
#pragma push_macro("__WIN32")
#pragma push_macro("__WIN32__")
#pragma push_macro("__WIN64")
#pragma push_macro("__WIN64__")
#pragma push_macro("__WINNT")
#pragma push_macro("__WINNT__")
#undef _WIN32
#undef _WIN64
#undef WIN32
#undef WIN64
#undef __WIN32
#undef __WIN32__
#undef __WIN64
#undef __WIN64__
#undef __WINNT
#undef __WINNT__
#include <gtest/gtest.h>
#pragma pop_macro("_WIN32")
#pragma pop_macro("_WIN64")
#pragma pop_macro("WIN32")
#pragma pop_macro("WIN64")
#pragma pop_macro("__WIN32")
#pragma pop_macro("__WIN32__")
#pragma pop_macro("__WIN64")
#pragma pop_macro("__WIN64__")
#pragma pop_macro("__WINNT")
#pragma pop_macro("__WINNT__")
#endif
#include "foundation/ai_string.h"

// Prints UTF-16 text in failure messages as UTF-8.
std::string Utf8(const WCHAR* text);
std::string Utf8(const AIString& text);
