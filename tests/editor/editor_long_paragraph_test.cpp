// Typing into a long paragraph through real keys in the program's editor: the
// display around each edit is formatted on its own, and must be exactly what
// formatting and marking the whole text again gives.
#include "tests/editor/editor_fixture.h"
#include "editor/links/link_context.h"
#include "editor/keys/editor_state.h"
#include "editor/links/completion_popup.h"

namespace {

// What a character shows: the format fields the display sets.
struct Shown {
    DWORD effects;
    LONG height;
    COLORREF colour;
    BYTE underline;
    bool operator==(const Shown& o) const
    {
        return effects == o.effects && height == o.height && colour == o.colour && underline == o.underline;
    }
};

const DWORD kShownMask = CFM_BOLD | CFM_SIZE | CFM_UNDERLINETYPE | CFM_COLOR | CFM_UNDERLINE | CFM_PROTECTED |
                         CFM_ITALIC | CFM_STRIKEOUT | CFM_LINK;
const DWORD kShownEffects =
    CFE_BOLD | CFE_UNDERLINE | CFE_PROTECTED | CFE_ITALIC | CFE_STRIKEOUT | CFE_LINK | CFE_AUTOCOLOR;

const char* const kPieces[] = {"garden ",  "Books to read ", "Plans ",   "www.example.org ", "@home ",
                               "**big** ", "//soft// ",      "--old-- ", "river ",           "a ",
                               "stone, ",  "Books. "};

class LongParagraph : public EditorKeys {
protected:
    void OpenLong(int chars)
    {
        AIString note(L"\x00A4"
                      L"Books_to_read\r\nA list.\r\n{{\r\n}}\r\n\x00A4"
                      L"Plans\r\n# Plans\r\n");
        unsigned seed = 17;
        while (note.GetLength() < chars) {
            seed = seed * 1103515245u + 12345u;
            note.AppendAscii(kPieces[(seed >> 16) % (sizeof kPieces / sizeof kPieces[0])]);
        }
        note.AppendText(L"\r\nlast line\r\n{{\r\n}}\r\n");
        ASSERT_NO_FATAL_FAILURE(OpenNotes(0, note.GetText(), L"Plans"));
    }
    // The format of every character, read in halves until a piece is uniform.
    void ReadShown(int start, int end, std::vector<Shown>& out)
    {
        if (end <= start) return;
        CHARFORMAT2W f = {};
        f.cbSize = sizeof f;
        Select(start, end);
        SendMessageW(editor, EM_GETCHARFORMAT, SCF_SELECTION, (LPARAM)&f);
        if ((f.dwMask & kShownMask) == kShownMask || end - start == 1) {
            // Text without an underline reads back with either plain type.
            BYTE underline =
                !(f.dwEffects & CFE_UNDERLINE) && f.bUnderlineType <= CFU_UNDERLINE ? 0 : f.bUnderlineType;
            Shown shown = {f.dwEffects & kShownEffects, f.yHeight, f.crTextColor, underline};
            for (int i = start; i < end; i++) out[i] = shown;
            return;
        }
        int middle = start + (end - start) / 2;
        ReadShown(start, middle, out);
        ReadShown(middle, end, out);
    }
    std::vector<Shown> AllShown()
    {
        std::vector<Shown> out(End());
        CHARRANGE kept;
        SendMessageW(editor, EM_EXGETSEL, 0, (LPARAM)&kept);
        ReadShown(0, End(), out);
        SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&kept);
        return out;
    }
    // The display now against the whole text formatted and marked afresh,
    // the word still being typed left open as typing leaves it.
    void ExpectAsWholeMarking(int edit)
    {
        std::vector<Shown> now = AllShown();
        FollowTextEdit(0, End(), g_noteEditor.openWordEnd);
        std::vector<Shown> fresh = AllShown();
        ASSERT_EQ(fresh.size(), now.size());
        AIString text;
        doc->GetRangeText(0, -1, &text);
        // A paragraph end is never drawn: its format is not shown.
        for (size_t i = 0; i < now.size(); i++) {
            if (text.CharAt((int)i) == L'\r') continue;
            ASSERT_TRUE(now[i] == fresh[i])
                << "after edit " << edit << ", character " << i << " of \"" << Text() << "\": effects "
                << std::hex << now[i].effects << " / " << fresh[i].effects << ", colour " << now[i].colour
                << " / " << fresh[i].colour << ", underline " << (int)now[i].underline << " / "
                << (int)fresh[i].underline << std::dec << ", size " << now[i].height << " / "
                << fresh[i].height;
        }
    }
};

}  // namespace

TEST_F(LongParagraph, RandomEditsShowWhatMarkingTheWholeTextShows)
{
    ASSERT_NO_FATAL_FAILURE(OpenLong(3000));
    const int kFirst = 20;  // edits away from the heading and the paragraph's start
    unsigned seed = 4711;
    auto next = [&seed](int below) {
        seed = seed * 1103515245u + 12345u;
        return (int)((seed >> 16) % (unsigned)below);
    };
    static const WCHAR* const kTyped[] = {L"k",     L" ",         L"s",     L"*",    L"/", L"-", L".",
                                          L"Books", L" to read ", L"Plans", L"www.", L"x", L"o"};
    const int kEdits = 150;
    for (int edit = 1; edit <= kEdits; edit++) {
        int end = End() - 12;  // the paragraph, not the last line
        int at = kFirst + next(end - kFirst);
        switch (next(9)) {
        case 0:
        case 1:
            Caret(at);
            Press(VK_BACK);
            break;
        case 2:
        case 3:
            Caret(at);
            Press(VK_DELETE);
            break;
        case 4:
        case 5:
            Select(at, at + 1 + next(6));
            Type(kTyped[next(sizeof kTyped / sizeof kTyped[0])]);
            break;
        case 6:
        case 7:
            Caret(at);
            Type(kTyped[next(sizeof kTyped / sizeof kTyped[0])]);
            break;
        default: {
            // A line end splits the paragraph; a Backspace or Delete next to
            // one later joins two again. Enter inside a link follows it, so
            // the line end goes next to the link, at its nearer side.
            int32_t linkStart, linkEnd, mark;
            if (LinkRunAt(&g_mainPanel.editor, at, &linkStart, &linkEnd, &mark) && at > linkStart)
                at = at - linkStart <= linkEnd - at ? linkStart : linkEnd;
            Caret(at);
            Press(VK_RETURN);
            ASSERT_EQ("Plans", Utf8(g_noteStore.currentTitle)) << "after edit " << edit;
            break;
        }
        }
        HideCompletionLists();
        if (edit % 6 == 0) {
            ASSERT_NO_FATAL_FAILURE(ExpectAsWholeMarking(edit));
        }
    }
}

TEST_F(LongParagraph, TypingAfterALinkAndSplittingOneLeaveNoStaleMark)
{
    ASSERT_NO_FATAL_FAILURE(OpenLong(2000));
    std::string text = Text();
    size_t address = text.find("www.example.org", 100);
    ASSERT_NE(std::string::npos, address);
    int after = (int)(address + 15);
    // Right after the address: the new letters join it.
    Caret(after);
    Type(L"xy");
    ASSERT_NO_FATAL_FAILURE(ExpectAsWholeMarking(1));
    // A blank inside it: the part after the blank is plain text.
    Caret((int)address + 7);
    Type(L" ");
    ASSERT_NO_FATAL_FAILURE(ExpectAsWholeMarking(2));
    // A title broken and mended again.
    size_t title = Text().find("Books to read", 100);
    ASSERT_NE(std::string::npos, title);
    Caret((int)title + 7);
    Press(VK_DELETE);
    ASSERT_NO_FATAL_FAILURE(ExpectAsWholeMarking(3));
    Type(L"t");
    ASSERT_NO_FATAL_FAILURE(ExpectAsWholeMarking(4));
    // A word left open is closed by the next edit elsewhere in the paragraph.
    Caret((int)title + 200);
    Type(L" ");
    ASSERT_NO_FATAL_FAILURE(ExpectAsWholeMarking(5));
    // So is a word left open in a short paragraph: a tag typed at the end of
    // the last line shows once the long paragraph is edited.
    size_t lastLine = Text().find("last line");
    ASSERT_NE(std::string::npos, lastLine);
    Caret((int)lastLine + 9);
    Type(L" @garden");
    ASSERT_NO_FATAL_FAILURE(ExpectAsWholeMarking(6));
    Caret((int)title + 300);
    Type(L" ");
    ASSERT_NO_FATAL_FAILURE(ExpectAsWholeMarking(7));
}
