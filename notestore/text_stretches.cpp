// Stretches of the saved text and turning the loaded text into it in place.
#include "notestore/text_stretches.h"
#include <string.h>

void AppendStretch(TextStretch* stretches, int32_t& count, const WCHAR* text, int32_t len)
{
    if (len <= 0) return;
    if (count > 0 && stretches[count - 1].text + stretches[count - 1].len == text) {
        stretches[count - 1].len += len;
        return;
    }
    stretches[count].text = text;
    stretches[count].len = len;
    count++;
}

int64_t StretchesLength(const TextStretch* stretches, int32_t count)
{
    int64_t total = 0;
    for (int32_t i = 0; i < count; i++) total += stretches[i].len;
    return total;
}

namespace {

// Where a stretch lies against the buffer: inside the old text, wholly
// outside the buffer's room, or across (which no plan may hold).
enum StretchPlace { kOwnText, kElsewhere, kAcross };

StretchPlace PlaceOf(const TextStretch& stretch, const WCHAR* buffer, int32_t oldChars, int32_t capacity)
{
    uintptr_t from = (uintptr_t)stretch.text, to = from + (uintptr_t)stretch.len * sizeof(WCHAR);
    uintptr_t start = (uintptr_t)buffer;
    if (from >= start && to <= start + (uintptr_t)oldChars * sizeof(WCHAR)) return kOwnText;
    if (to <= start || from >= start + (uintptr_t)capacity * sizeof(WCHAR)) return kElsewhere;
    return kAcross;
}

}  // namespace

int32_t JoinStretchesInPlace(WCHAR* buffer, int32_t oldChars, int32_t capacity, const TextStretch* stretches,
                             int32_t count)
{
    int64_t total = StretchesLength(stretches, count);
    if (total > capacity || oldChars > capacity) return -1;
    // Every rule is checked before anything moves.
    const WCHAR* ownEnd = buffer;
    for (int32_t i = 0; i < count; i++) {
        if (stretches[i].len < 0) return -1;
        StretchPlace place = PlaceOf(stretches[i], buffer, oldChars, capacity);
        if (place == kAcross) return -1;
        if (place != kOwnText) continue;
        if (stretches[i].text < ownEnd) return -1;
        ownEnd = stretches[i].text + stretches[i].len;
    }
    // The loaded text's stretches keep their order, so those that move
    // towards the start can go first to last, and those that move towards
    // the end last to first: none lands on one that has yet to move.
    int32_t at = 0;
    for (int32_t i = 0; i < count; i++) {
        const TextStretch& stretch = stretches[i];
        if (PlaceOf(stretch, buffer, oldChars, capacity) == kOwnText && buffer + at < stretch.text)
            memmove(buffer + at, stretch.text, (size_t)stretch.len * sizeof(WCHAR));
        at += stretch.len;
    }
    for (int32_t i = count - 1; i >= 0; i--) {
        const TextStretch& stretch = stretches[i];
        at -= stretch.len;
        if (PlaceOf(stretch, buffer, oldChars, capacity) == kOwnText && buffer + at > stretch.text)
            memmove(buffer + at, stretch.text, (size_t)stretch.len * sizeof(WCHAR));
    }
    // The rest fills the gaps left between them.
    for (int32_t i = 0; i < count; i++) {
        const TextStretch& stretch = stretches[i];
        if (PlaceOf(stretch, buffer, oldChars, capacity) == kElsewhere)
            memcpy(buffer + at, stretch.text, (size_t)stretch.len * sizeof(WCHAR));
        at += stretch.len;
    }
    return (int32_t)total;
}
