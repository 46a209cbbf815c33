// The rules of the note dialogs' fields, as plain functions: which characters
// a title may hold, what a field starts with, how a typed link becomes a
// target, and the message of each refusal.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

// Message codes of the note dialogs (0 none).
enum NoteDialogCode {
    kCodeNone = 0,
    kCodeEmpty = 1,          // rename, new note: empty title; hyperlink: empty or unknown link
    kCodeInUse = 2,          // rename, new note: the title is in use; hyperlink: empty title
    kCodeShortWord = 3,      // new note: a word of one character; hyperlink: "http:://"
    kCodeLabelExists = 4,    // hyperlink: the label is already a link of the note
    kCodeBlank = 98,         // a blank where none is allowed
    kCodeSpecial = 99,       // a character no title may hold
    kCodeExistingLink = -1,
    kCodePortableLocal = -2,
};

// The first character a title may not hold, or -1. The code is 98 for a
// blank (when blanks are not allowed) and 99 for any other.
int FindForbiddenTitleChar(const WCHAR* title, int blanksAllowed, int parenthesesAndDashAllowed, int* code);

// What a title field starts with: the title without the characters a field
// drops (`set`: the hyperlink's, rename's or new note's), "_" shown as a
// blank, trimmed.
enum TitleFieldSet { kFieldHyperlink = 0, kFieldRename = 1, kFieldNewNote = 2 };
void CleanTitleForField(const WCHAR* title, TitleFieldSet set, AIString& out);

// New note: the index of the first blank-separated word shorter than two
// characters (its start in *position), or -1.
int FindShortWord(const WCHAR* title, int* position);

// A typed link made into a target (hyperlink dialog, steps of the accept).
// title: the typed label (empty allowed); dataFolder ends in a backslash.
// Returns kCodeNone and fills target, or the refusal's code. noteExists says
// whether a text is the title of a note.
struct LinkRules {
    const WCHAR* dataFolder;
    int (*noteExists)(const WCHAR* title);
};
int NormaliseLinkTarget(const WCHAR* title, const WCHAR* link, const LinkRules& rules, AIString& target);

// The message of a code for a dialog kind (1 hyperlink, 9 rename, 10 new note); "" for none.
const WCHAR* NoteDialogMessage(int kind, int code, int linkFieldEmpty);
