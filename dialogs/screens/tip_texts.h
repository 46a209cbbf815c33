// The tips of the tip-of-the-day screen: 75 numbered tips, each a heading and
// a body in mark-up, and the rule that keeps a tip number inside 1 to 75.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

enum { kTipCount = 75 };

// A tip number brought into 1..kTipCount: below 1 is the last tip, above the
// last is the first.
int32_t WrapTipNumber(int32_t number);
// The heading and body of tip `number` (wrapped first).
const WCHAR* TipHeading(int32_t number);
const WCHAR* TipBody(int32_t number);
// The whole tip as the screen draws it: "<h2>heading</h2><sbr><sbr>body".
void ComposeTip(int32_t number, AIString& out);
