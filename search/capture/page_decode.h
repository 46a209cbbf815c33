// A downloaded page's bytes decoded into UTF-16 through its code page.
#pragma once
#include "search/capture/web_text.h"

// UTF-8 and UTF-16 (either order) decoded here, any other code page through
// the system (MultiByteToWideChar); a byte-order mark is dropped. A code page
// the system lacks is read as windows-1252, so no byte is lost.
WebText DecodePageBytes(const char* bytes, size_t size, unsigned codePage);
