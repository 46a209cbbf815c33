// AIString: the UTF-16 string of the whole program. Up to 507 characters live
// inside the object, longer texts in a LocalAlloc block whose capacity doubles.
// Compare is case-sensitive, find is case-insensitive (the platform's case
// rules). A null text reads as empty. Every string can also measure and draw
// itself; that state is allocated only when a drawing call needs it.
#pragma once
#include "foundation/win.h"

struct AIStringDrawState;

class AIString {
public:
    enum { kInlineChars = 507 };

    AIString();
    explicit AIString(const WCHAR* text);
    AIString(const AIString& other);
    AIString& operator=(const AIString& other);
    ~AIString();

    // Assigning.
    AIString& AssignText(const WCHAR* text);
    AIString& AssignTextN(const WCHAR* text, int count);  // at most count characters
    AIString& Copy(const AIString& other);
    AIString& AssignInt(int32_t value);
    AIString& AssignControlText(HWND window);
    AIString& AssignAscii(const char* text);               // 7-bit text, byte for character
    void Clear();

    // Appending; each returns the string for chaining.
    AIString& AppendText(const WCHAR* text);
    AIString& AppendTextN(const WCHAR* text, int count);
    AIString& AppendString(const AIString& other);
    AIString& AppendChar(WCHAR ch);
    AIString& AppendInt(int32_t value);
    AIString& AppendLong(int64_t value);
    AIString& AppendUnsigned(uint32_t value);
    AIString& AppendAscii(const char* text);

    // Reading.
    int GetLength() const { return length_; }
    bool IsEmpty() const { return length_ == 0; }
    const WCHAR* GetText() const { return text_; }
    WCHAR CharAt(int index) const { return (index >= 0 && index < length_) ? text_[index] : 0; }
    int GetCapacity() const { return capacity_; }

    // Direct writing: make room for at least `chars` characters, write, then
    // SetLength (which terminates). Returns 0 when growth fails.
    WCHAR* GetBuffer(int chars);
    // The same, but when memory is short it gives null without asking the
    // user whether to try again (for work off the UI thread).
    WCHAR* GetBufferQuietly(int chars);
    // Takes over the other string's text without copying it; the other is left empty.
    void TakeText(AIString& other);
    void SetLength(int length);
    int Reserve(int chars);

    // Finding: case-insensitive; -1 and ResultFlag 0 when absent.
    int FindText(const WCHAR* text) const;
    int FindTextNoCase(const WCHAR* text) const { return FindText(text); }
    int FindTextFrom(const WCHAR* text, int from, bool backward) const;
    int FindTextCase(const WCHAR* text, int from = 0) const;  // case-sensitive, forward
    int FindChar(WCHAR ch, bool reverse = false) const;
    bool StartsWith(const WCHAR* text) const;                   // case-sensitive
    bool StartsWithNoCase(const WCHAR* text) const;
    bool EndsWithNoCase(const WCHAR* text) const;

    // Comparing: case-sensitive.
    bool EqualsString(const AIString& other) const;
    bool EqualsText(const WCHAR* text) const;
    bool EqualsTextNoCase(const WCHAR* text) const;
    bool DiffersString(const AIString& other) const { return !EqualsString(other); }
    int CompareText(const WCHAR* text) const;  // ordinal, <0, 0, >0

    // Cutting. keepAfter 1 keeps the part after the separator, 0 the part
    // before; fromEnd searches for the last occurrence. Without the separator
    // the string stays as it is and ResultFlag is 0.
    AIString& SplitAtChar(WCHAR separator, int keepAfter, int fromEnd);
    AIString& SplitAtText(const WCHAR* separator, int keepAfter, int fromEnd);
    AIString& KeepRange(int start, int count);
    AIString& DeleteRange(int start, int count);
    AIString& InsertText(int at, const WCHAR* text);
    int ReplaceAll(const WCHAR* find, const WCHAR* replacement, int onePass = 1);
    int ReplaceBetween(const WCHAR* startMarker, const WCHAR* endMarker, const WCHAR* replacement);
    int RemoveChars(const WCHAR* set);
    AIString& Trim(int left = 1, int right = 1);
    AIString& ToLowerCase();
    AIString& ToUpperCase();
    int ToInt() const;

    // Conversions. ToUtf8 writes into out (NUL-terminated, at most outSize
    // bytes) and returns the byte count without the NUL, or the size needed
    // when out is null. FromUtf8 decodes, replacing malformed bytes by U+FFFD.
    int ToUtf8(char* out, int outSize) const;
    AIString& FromUtf8(const char* utf8, int bytes = -1);
    // The 8-bit copy (ANSI code page), kept by the string until it changes.
    const char* MakeNarrowCopy();

    // Drawing state and drawing (see ai_string_draw.cpp).
    AIString& SetFontSize(int points);
    AIString& SetBold(int bold);
    AIString& SetItalic(int italic);
    AIString& SetTextColor(COLORREF colour);
    AIString& SetFontFace(const WCHAR* face);
    AIString& SetFontByIndex(int index);
    AIString& SetHorizontalAlign(int align);  // 0 left, 1 centre, 2 right
    AIString& SetWordBreak(int on);
    AIString& SetExpandTabs(int on);
    int LoadResourceFont(int resourceId, const WCHAR* face);
    SIZE Measure(HDC dc);
    int DrawInRect(HDC dc, const RECT& rect);
    int DrawOffscreen(HDC dc, int x, int y, UINT flags);
    int DrawStyled(HDC dc, const RECT& rect, UINT flags);
    int DrawMarkupText(HDC dc, const RECT& rect);  // the text as TextMarkup; returns the height used
    // The size DrawMarkupText would use in rect: the widest line and the height.
    SIZE MeasureMarkupText(HDC dc, const RECT& rect);

    const AIStringDrawState* DrawState() const { return draw_; }

private:
    int Grow(int chars, int askWhenShort = 1);
    void Changed();
    AIStringDrawState* EnsureDrawState();

    WCHAR* text_;
    int length_;
    int capacity_;
    char* narrow_;
    AIStringDrawState* draw_;
    WCHAR inline_[kInlineChars + 1];
};

// Length of a NUL-terminated UTF-16 text (null reads as 0).
int TextLength(const WCHAR* text);
// Case-insensitive ordinal comparison with the platform's case rules.
int CompareTextNoCase(const WCHAR* a, const WCHAR* b);
// Lower-case of one character by the platform's rules (table built once).
WCHAR FoldChar(WCHAR ch);
// Bounded copy into a fixed field of `capacity` characters (always terminated).
int CopyTextBounded(WCHAR* dest, int capacity, const WCHAR* source);
