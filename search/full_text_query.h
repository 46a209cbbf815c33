// The text of the full-text field, the one place the search reads its query
// from and writes the tidied query back to. Until the result panel connects
// its field, the text is kept here.
#pragma once
#include "foundation/ai_string.h"

void GetFullTextQuery(AIString& out);
// Replaces the field's text and puts the caret at its end.
void SetFullTextQuery(const AIString& text);

// The field the result panel shows: reading and writing its text.
struct FullTextQueryLink {
    void (*read)(AIString& out);
    void (*write)(const AIString& text);
};
void SetFullTextQueryLink(const FullTextQueryLink& link);
