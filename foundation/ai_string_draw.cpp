#include "foundation/ai_string.h"
#include "foundation/ai_string_draw.h"

void FreeDrawState(AIStringDrawState* state)
{
    if (!state) return;
    if (state->cachedFont) DeleteObject(state->cachedFont);
    LocalFree(state);
}

AIStringDrawState* AIString::EnsureDrawState()
{
    if (draw_) return draw_;
    draw_ = (AIStringDrawState*)LocalAlloc(LPTR, sizeof(AIStringDrawState));
    if (!draw_) return 0;
    draw_->font.lfHeight = -13;
    draw_->font.lfWeight = FW_NORMAL;
    draw_->font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(draw_->font.lfFaceName, L"Tahoma", LF_FACESIZE);
    draw_->colour = RGB(0, 0, 0);
    draw_->drawFlags = DT_LEFT | DT_NOPREFIX;
    return draw_;
}
