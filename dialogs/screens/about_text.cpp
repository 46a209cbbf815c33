// The About screen's texts and the credit pages' cycle.
#include "dialogs/screens/about_text.h"
#include "foundation/text_markup.h"

namespace {

// Only what this program really ships and links.
const CreditPage kCredits[kCreditPageCount] = {
    {L"", L"", L""},
    {L"Credits", L" ", L" "},
    {L"Icons", L"Pictures and icons drawn for Tavik", L""},
    {L"Fonts", L"Liberation Sans, Serif and Mono", L"SIL Open Font License"},
    {L"Fonts", L"Comfortaa by Johan Aakerlund", L"SIL Open Font License"},
    {L"Zlib compression", L"Jean-loup Gailly", L"Mark Adler"},
    {L"Images", L"libpng, libjpeg (Independent JPEG Group)", L"libtiff"},
    {L"Dictionary", L"WordNet 3.0", L"Princeton University"},
    {L"Network", L"libcurl", L"Daniel Stenberg and contributors"},
    {L" ", L" ", L" "},
};

}  // namespace

const CreditPage& GetCreditPage(int page)
{
    if (page < 0 || page >= kCreditPageCount) page = 0;
    return kCredits[page];
}

void CreditCycle::Advance()
{
    if (rising) {
        if (++level >= kCreditTopLevel) {
            level = kCreditTopLevel;
            rising = 0;
        }
        return;
    }
    if (--level <= 0) {
        level = 0;
        page = (page + 1) % kCreditPageCount;
        rising = 1;
    }
}

void ComposeAboutText(const AboutFacts& f, AIString& out)
{
    out.AssignText(L"Orvanta <b>Tavik</b> 2011 (");
    out.AppendText(f.versionText).AppendText(L")");
    out.AppendText(L"<sbr><sbr>Copyright Orvanta. All rights reserved.<br><br>");
    out.AppendText(L"<b>Tavik</b> is a personal knowledge tool where you can quickly <b>create</b> and "
                   L"<b>collect</b> information, <b>connect</b> the pieces and <b>convert</b> information into "
                   L"<b>knowledge</b>. ");
    out.AppendText(L"<sbr><sbr><b>System information:</b><sbr>");
    out.AppendText(L"User: ");
    TextMarkup::Escape(f.userName, out);
    out.AppendText(L"<sbr>Computer: ");
    TextMarkup::Escape(f.computerName, out);
    out.AppendText(L"<sbr><sbr>");
    out.AppendText(f.windowsVersionText);
    if (f.isMac) out.AppendText(L" (OSX Wine)");
    else if (f.isWine) out.AppendText(L" (Linux Wine)");
    out.AppendText(L"<sbr>Riched ").AppendText(f.richEditVersion);
    out.AppendText(L" (").AppendInt(f.speedIndex).AppendText(L"-").AppendInt(f.processorCount);
    out.AppendText(L"-").AppendInt(f.delayValue).AppendText(L")");
}
