// The numbered messages of the program: each message id (1 to 61) gives a
// kind, a caption, a text with its inserts, a printed number, the picture of
// the message box and whether the message goes to the status line instead
// (its don't-show-again flag is set and nobody asked to see it).
#pragma once
#include "foundation/ai_string.h"

enum {
    kMessageCount = 62,
    kDontShowFlagCount = 56,
    kKindHelp = 1001,
    kKindWarning = 1002,
    kKindError = 1003,
    kKindInfo = 1004,
    kHelpDisplayTicks = 3000,
};

struct MessageCatalogueInput {
    int32_t id;
    const AIString* inserts[3];   // null reads as empty
    int32_t passiveMode;          // 1 raised by ShowMessage, 0 shown again by the user
    const int32_t* dontShowFlags; // kDontShowFlagCount flags, or null
};

// What the message box draws. Compose writes it; fields it does not touch keep
// their values (an unknown id keeps number, kind code and check value).
struct MessageBoxTexts {
    AIString kind;
    AIString caption;
    AIString text;
    AIString number;
    int32_t checkValue;
    int32_t kindCode;
    int32_t displayTime;
    int32_t helpFlag;
    int32_t showFlag;
    // The paragraph of `text` (counted from 0 at its CR LFs) that is a path,
    // shown on one line and shortened in the middle; -1 none.
    int32_t pathParagraph;
    // Set when the message went to the status line instead of the box.
    int32_t routedToStatus;
    AIString statusLine;
};

// The help-page state kept between compositions.
struct MessageCatalogueState {
    int32_t lastId;
    int32_t pageCounter;
};

namespace MessageCatalogue {

// Composes the texts of one message. `out->showFlag` is expected to be 1 on
// entry; it is cleared when the message is routed to the status line.
void Compose(const MessageCatalogueInput& input, MessageCatalogueState* state, MessageBoxTexts* out);

// The flag slot of a message id (0 to 55), or -1 when it has none (help pages, unknown ids).
int FlagSlotOf(int32_t id);

// Printed number, caption and kind code of an id (for lists and tests); 0 when unknown.
const WCHAR* PrintedNumberOf(int32_t id);
const WCHAR* CaptionOf(int32_t id);
int32_t KindCodeOf(int32_t id);

}  // namespace MessageCatalogue
