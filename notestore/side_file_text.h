// The text of a note's side files without the files: the bytes of a mirror
// or log read as text, and the record a mirror's text gives its note.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

// Reads a side file's bytes as text into out: UTF-16 after FF FE (a last odd
// byte dropped), otherwise UTF-8 with or without its mark (malformed bytes
// become U+FFFD). Zero characters are kept; callers clean them. 0 when the
// text could not be held (it must not read as an empty note).
int32_t DecodeNoteTextBytes(const uint8_t* bytes, int64_t size, AIString& out);

// The record a mirror's text gives the note `title`: its mark and title line,
// then the text after the mirror's own title line (one written by this store
// starts with the note's mark and title; one written elsewhere may hold the
// text alone) as the store keeps it: the body cleaned, the link block
// rebuilt from its lines.
void MirrorRecordFromText(const WCHAR* title, const WCHAR* text, int32_t length, AIString& record);
