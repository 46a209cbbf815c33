// The note a web page capture becomes: its name ("www_" + number + "_" +
// title), the header line with the capture's date, the cleaned text cut to
// the note's limits, and the link block with the page's links and its own
// address as "web" + number.
#pragma once
#include "search/capture/web_clean.h"

enum {
    kCaptureFirstNumber = 100000,  // numbers count down from here, less the notes there are
    kMaxCaptureChars = 49000,
    kMaxCaptureNoteChars = 49500,
};

struct CapturedNote {
    WebText name;  // the note's title
    WebText text;  // header, body and link block
};

// The capture's name for number: at most 29 characters, blanks as "_", not
// ending in "_".
WebText CaptureName(int32_t number, const WebText& shortTitle);
// dateText: the long date, the time without seconds and the short date, as
// the caller formats them.
void ComposeCapturedNote(const WebCleanResult& page, const WebText& pageUrl, int32_t number,
                         const WebText& dateText, CapturedNote* note);
