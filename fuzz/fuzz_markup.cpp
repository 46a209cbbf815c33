// libFuzzer target for TextMarkup: any text parses into runs that lie inside
// the plain text and the link targets, and an escaped text always reads back
// as itself, never as a tag.
#include "fuzz/fuzz_text_input.h"
#include "foundation/text_markup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    AIString text;
    TextFromBytes(data, size, text);
    TextMarkup markup;
    int runs = markup.Parse(text.GetText());
    if (runs < 0) return 0;
    FUZZ_CHECK(runs == markup.GetRunCount());
    int plainLength = markup.GetPlainText().GetLength();
    int linksLength = markup.GetLinkTargets().GetLength();
    int end = 0;
    for (int i = 0; i < runs; i++) {
        const TextRun& run = markup.GetRun(i);
        FUZZ_CHECK(run.kind >= kRunText && run.kind <= kRunParagraph);
        FUZZ_CHECK(run.start >= end && run.length >= 0 && run.start + run.length <= plainLength);
        end = run.start + run.length;
        FUZZ_CHECK(run.linkStart == -1 ||
                   (run.linkStart >= 0 && run.linkLength >= 0 && run.linkStart + run.linkLength <= linksLength));
        FUZZ_CHECK(run.style.heading >= 0 && run.style.heading <= 3);
        FUZZ_CHECK(run.style.sizePoints == 0 || (run.style.sizePoints >= 8 && run.style.sizePoints <= 24));
    }
    AIString stripped;
    TextMarkup::StripTags(text.GetText(), stripped);

    AIString escaped;
    TextMarkup::Escape(text.GetText(), escaped);
    TextMarkup literal;
    if (literal.Parse(escaped.GetText()) < 0) return 0;
    AIString back;
    for (int i = 0; i < literal.GetRunCount(); i++) {
        const TextRun& run = literal.GetRun(i);
        FUZZ_CHECK(run.linkStart == -1);
        FUZZ_CHECK(!run.style.bold && !run.style.italic && !run.style.underline && !run.style.heading);
        if (run.kind == kRunText) back.AppendTextN(literal.GetPlainText().GetText() + run.start, run.length);
    }
    FUZZ_CHECK(literal.GetLinkTargets().GetLength() == 0);
    // Line ends become breaks; every other character comes back as it was.
    AIString expected;
    for (int i = 0; i < text.GetLength(); i++) {
        WCHAR c = text.GetText()[i];
        if (c != L'\r' && c != L'\n') expected.AppendChar(c);
    }
    FUZZ_CHECK(back.EqualsString(expected));
    return 0;
}
