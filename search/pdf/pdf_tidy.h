// Tidies extracted PDF text: no blanks at line ends or starts, one blank
// between words, at most one empty line in a row, and lines of more than 100
// characters broken after a sentence (". " or "! ") so the preview reads well;
// a word divided by a hyphen at the end of a line ("exam-" + "ple") is joined.
#pragma once
#include "search/pdf/pdf_bytes.h"

enum { kTidyLongLine = 100 };

// Writes the tidied copy of [text, text + size) to out (whose cap must allow
// size + size / 2 + 16 bytes); returns false when memory ran out.
bool TidyPdfText(const char* text, size_t size, TextOutput* out);
