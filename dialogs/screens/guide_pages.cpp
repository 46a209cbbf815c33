// The 31 pages of the getting started guide: what Tavik is, why to use it and
// how to use it.
#include "dialogs/screens/guide_pages.h"
#include "resources/resource_ids.h"

namespace {

#define WHAT_IS_IT L"<h1>Tavik - What is it ?</h1><sbr><sbr>"
#define NO_PICTURE 0, nullptr
#define JPG_PICTURE(id) id, L"JPG"
#define PNG_PICTURE(id) id, L"PNG"

const GuidePage kPages[kGuidePageCount] = {
    {L"'Getting started'",
     L"This 'Getting started' guide will answer 3 questions about <b>Tavik</b>:"
     L"<br><br> - <b>What</b> is it ?<br><br> - <b>Why</b> should I use it ?<br><br> - <b>How</b> do I use it ?",
     L"Use the <b>Spacebar</b> to move forward", NO_PICTURE},
    {nullptr,
     L"Tavik keeps all your notes in <b>one data file</b>.<sbr><sbr>"
     L"Every note has a title of its own: type it to find the note, write it in another note to link to it."
     L"<sbr><sbr>Move through this guide with <b>Space</b> and <b>Backspace</b>, or the arrows below; "
     L"<b>Escape</b> closes it.",
     nullptr, JPG_PICTURE(IDR_GUIDE_OVERVIEW)},
    {L"What is it ?", L"Tavik in a few words: what it does with your information.", nullptr, NO_PICTURE},
    {nullptr,
     WHAT_IS_IT L"<b>Personal knowledge manager</b><br> - collect<br> - connect<br> - convert<br> - create",
     L"Manage your <b>personal</b> knowledge with Tavik. <br><br>Tavik will help you deal with <b>information "
     L"overload</b> so that you can regain control of your information, your work, your life.",
     NO_PICTURE},
    {nullptr, WHAT_IS_IT L"Personal knowledge manager<br> - <b>collect</b><br> - connect<br> - convert<br> - create",
     L"<b>Collect</b> information from post-its, notebooks, web pages, whiteboards, pdfs, facebook, twitter, books, "
     L"meetings, phone calls, reference materials, people etc etc",
     NO_PICTURE},
    {nullptr, WHAT_IS_IT L"Personal knowledge manager<br> - collect<br> - <b>connect</b><br> - convert<br> - create",
     L"<b>Connect</b> the different notes simply by writing the title of a note to create a hyperlink to it.<br><br>"
     L"Quickly find related information by connecting notes automatically.",
     NO_PICTURE},
    {nullptr, WHAT_IS_IT L"Personal knowledge manager<br> - collect<br> - connect<br> - <b>convert</b><br> - create",
     L"<b>Convert</b> information to knowledge by 'translating' and digesting information and extracting the "
     L"essence.<br><br>Select and copy only the information <b>you</b> need.",
     NO_PICTURE},
    {nullptr, WHAT_IS_IT L"Personal knowledge manager<br> - collect<br> - connect<br> - convert<br> - <b>create</b>",
     L"<b>Create</b> new notes with a single click, give them a title and you're done ! <br><br>No folders, no "
     L"organizing, no saving. Everything is taken care of by Tavik. ",
     NO_PICTURE},
    {nullptr,
     L"<b>Combine the strengths of your <red>brain</red></b><br> (creativity and associations) <br><br><b>with the "
     L"strengths of your <blue>computer</blue></b><br> (accurate memory and processing speed) <b><br><br>to maximize "
     L"your potential !</b>",
     nullptr, JPG_PICTURE(IDR_GUIDE_BRAIN)},
    {L"Why should I use it ?", L"What you keep in your head today, and how Tavik can keep it for you.", nullptr,
     NO_PICTURE},
    {nullptr,
     L"<h1>Do you need to remember</h1><sbr><sbr> - someone's birthday, address, favorite wine or email ?<sbr><sbr> "
     L"- how to create tables in <red>Word</red> ?<sbr><sbr> - useful web sites, books and articles ?<sbr><sbr> - how "
     L"to use pivot tables in <red>Excel</red> ?<sbr><sbr> - how to schedule a meeting using <red>Outlook</red> ?"
     L"<sbr><sbr> - how to use the <red>ERP</red> or <red>CRM</red> system ?<sbr><sbr> - ideas and brainstorming "
     L"notes ?",
     nullptr, JPG_PICTURE(IDR_GUIDE_REMEMBER)},
    {nullptr,
     L"<h1>What about ...</h1><br><br>account numbers, time log, performance tracking, expense report, trip planning, "
     L"receipes, family medical history, emergency phone numbers and procedures, how to program the VCR/DVD recorder, "
     L"restaurants, names of children's friends, family tree, Sports/music/entertainment trivia etc etc etc",
     nullptr, JPG_PICTURE(IDR_GUIDE_CARDS)},
    {nullptr,
     L"<b>Orvanta Tavik will help you remember !</b><br><br>Collect all your various tidbits of information, <br>and "
     L"quickly <red>find them</red> when you need them<br><br>Manage <red>Information Overload</red> with Tavik<br> - "
     L"Less stress<br> - More control<br> - Improved productivity",
     nullptr, JPG_PICTURE(IDR_GUIDE_FOUND)},
    {L"How do I use it ?", L"The windows and keys you will use every day.", nullptr, NO_PICTURE},
    {nullptr,
     L"<h1>The user interface has 4 main areas </h1><sbr><sbr> - <b>Ribbon</b> with all commands (<b>1</b>)<sbr><sbr> "
     L"- <b>QuickSearch</b> where you enter the title you want to find (<b>2</b>) <sbr><sbr> - The <b>list</b> of all "
     L"your notes (<b>3</b>)<sbr><sbr> - The <b>editor</b> (<b>4</b>)",
     L"Most of the time you'll only use the <b>QuickSearch</b> and the <b>Editor</b>.<sbr><sbr>You may hide the "
     L"Ribbon for a simpler view<br>(press <b>F10</b> to show/hide the Ribbon)",
     JPG_PICTURE(IDR_GUIDE_WINDOW)},
    {nullptr,
     L"<h1>Finding information</h1><sbr><sbr>You'll be storing all kinds of information in Tavik, so it is "
     L"<b>very</b> important that you are able to quickly and easily find the information you need when you need it."
     L"<br><br>There are 3 ways to find information in Tavik<sbr><sbr> - The <b>QuickSearch</b><br> - The <b>Find "
     L"(incremental search)</b><br> - The <b>Full-text search</b><br> ",
     nullptr, PNG_PICTURE(IDR_GUIDE_FINDING)},
    {nullptr,
     L"<h1>QuickSearch</h1><br><br>The <b>Quick Search </b> is used to find notes.<sbr><sbr>The search is "
     L"incremental, meaning it will search for each key you type.<sbr><sbr>In the example to the right you'll only "
     L"have to type '<b>1</b>' and the rest will be automatically suggested. <sbr><sbr>Just press <red>Enter</red> to "
     L"open the note.",
     nullptr, PNG_PICTURE(IDR_GUIDE_QUICKSEARCH)},
    {nullptr,
     L"<h1>Finding text</h1><br><br>The <b>Find text</b> is used to find text <br><b>in a note</b>.<sbr><sbr>The "
     L"search is incremental, meaning it will search and highlight matches for each key you type. <sbr><sbr>Quickly "
     L"search the selected word with <br><red>Ctrl+F</red>.",
     nullptr, PNG_PICTURE(IDR_GUIDE_FIND_TEXT)},
    {nullptr,
     L"<h1>Full-text Search</h1><br><br>The <b>Full-text search</b> is used to find text <b>across all notes</b>."
     L"<sbr><sbr>If you enter a search word that is not a title, the status line says <red>Note not found</red> "
     L"and the list says there is no matching note: you are ready for a full-text search.<sbr><sbr>"
     L"Just press <red>Enter</red> or "
     L"<red>Ctrl+Space</red> to perform a full-text search.",
     nullptr, PNG_PICTURE(IDR_GUIDE_UNKNOWN)},
    {nullptr,
     L"<h1>Full-text Search II</h1><br><br>The results of the full-text search will be shown in a special mode."
     L"<sbr><sbr>You may enter additional search words to improve the search.<sbr><sbr>The 50 best results will be "
     L"shown, and you can view a preview of the results in the window to the right.<sbr><sbr>Double-click or press "
     L"<red>Enter</red> to open a note, or press <red>Escape</red> to return.",
     nullptr, PNG_PICTURE(IDR_GUIDE_RESULTS)},
    {nullptr,
     L"<h1>Auto linking I</h1><sbr><sbr>Tavik links your notes <b>by their titles</b>.<sbr><sbr>Say you keep a note "
     L"about a contact, titled <b>Anna Berg</b>.<sbr><sbr>Whenever you write <b>Anna Berg</b> in another note, the "
     L"name becomes a link to her note: no brackets, no menus, nothing to choose.",
     nullptr, PNG_PICTURE(IDR_GUIDE_CONTACT)},
    {nullptr,
     L"<h1>Auto linking II</h1><sbr><sbr>Just write the title as part of your text:<br><b>Call Anna Berg, Monday</b>"
     L"<sbr><sbr>As soon as a <red>Space</red>, a <red>period</red> or a <red>comma</red> follows the title, it is "
     L"shown as a link.<sbr><sbr>Letter case does not matter: <b>anna berg</b> links to the same note.",
     nullptr, PNG_PICTURE(IDR_GUIDE_AUTOLINK)},
    {nullptr,
     L"<h1>Auto linking III</h1><sbr><sbr>Don't remember the exact title ? Type its first letters and press "
     L"<red>Ctrl+Space</red>.<sbr><sbr>The <b>AutoLinks</b> list shows the titles that begin with them: choose one "
     L"with the arrows and press <red>Enter</red>, and the whole title is written for you.<sbr><sbr>Type <b>@</b> "
     L"after a blank for the list of <b>tags</b>: notes that share a tag are connected too.",
     nullptr, PNG_PICTURE(IDR_GUIDE_AUTOLINKS)},
    {nullptr,
     L"<h1>Auto linking IV</h1><sbr><sbr>Click <b>Anna Berg</b> to open her note, and press <red>Alt+Left</red> to "
     L"come back.<sbr><sbr>Move the mouse over the link and her note is previewed without opening it.<sbr><sbr>Links "
     L"to web pages and files are written as a label in square brackets, like <b>[Report]</b>: press "
     L"<red>Ctrl+K</red> to make one.",
     nullptr, PNG_PICTURE(IDR_GUIDE_PREVIEW_CONTACT)},
    {nullptr,
     L"<h1>Auto Preview</h1><sbr><sbr>Move your mouse over an autolink to automatically preview the note without even "
     L"opening it.<br><br>Quickly browse several notes simply by moving your mouse over the links.<br><br>AutoPreview "
     L"will also show images and text files.",
     nullptr, PNG_PICTURE(IDR_GUIDE_PREVIEW)},
    {nullptr,
     L"<h1>Hyperlinks</h1><sbr><sbr>In addition to autolinks that links to other notes, you may add hyperlinks to web "
     L"pages, files, documents and mail addresses.<sbr><sbr>AutoPreview will show a preview of linked images or text "
     L"files. <sbr><sbr>Hyperlinks to images can be useful for illustrating people, products, places, web pages etc.",
     nullptr, PNG_PICTURE(IDR_GUIDE_HYPERLINK)},
    {nullptr,
     L"<h1>Help I</h1><sbr><sbr>There are 3 ways to get help<sbr><sbr>1. Press <b>F1</b> to open the help page"
     L"<sbr><sbr>2. Click the Help tab in the Ribbon <br>(see next page)<sbr><sbr>3. Statusbar help when "
     L"hovering over controls with the mouse<sbr><sbr>Notice that the statusbar will also show you the shortcut key "
     L"for the command (when available).",
     nullptr, PNG_PICTURE(IDR_GUIDE_HELP)},
    {nullptr,
     L"<h1>Help II</h1><sbr><sbr>The Help tab has a separate section  <b>'Learning Tavik'</b> where you can select: "
     L"<sbr><sbr> - <b>Get Started</b> (this tutorial)<sbr><sbr> - <b>Intro</b> is a short introduction showing why "
     L"you should use Tavik<sbr><sbr> - <b>Keys</b> which will give you an overview of keyboard shortcuts<br>(use "
     L"<b>Ctrl+Q</b> to show the shortcut help ('QuickHelp')) ",
     nullptr, PNG_PICTURE(IDR_GUIDE_HELP_TAB)},
    {nullptr,
     L"<h1>Only 3 keys to remember</h1><br><br> - <b>F12</b> to bring Tavik to the front<br><br> - <b>Escape</b> to toggle "
     L"between the QuickSearch and Editor<br><br> - <b>Enter</b> to activate note or search all notes<br><br><br><br>"
     L"You don't <b>have</b> to use F12 - but you'll probably<br> find that it is <b>very</b> useful.",
     nullptr, JPG_PICTURE(IDR_GUIDE_KEYS)},
    {nullptr,
     L"<b>The rest is pretty much taken care of by Orvanta Tavik</b><br> <br> - automatic saving of your notes<br> - "
     L"automatic saving of which file and note you currently use<br> - automatic saving of window position and "
     L"history<br><br>There are 4 different data files included that are pre-filled with useful examples for help, "
     L"inspiration and ideas for your knowledge base.<sbr><sbr>Use it, expand it, modify it and improve it <br> - with "
     L"your <b>own</b> knowledge",
     nullptr, JPG_PICTURE(IDR_GUIDE_DATAFILES)},
    {nullptr,
     L"<b>Thank you for using Orvanta Tavik</b><br><br>We hope you'll find it useful.<br><br>Best regards,<br>Orvanta",
     nullptr, JPG_PICTURE(IDR_GUIDE_THANKS)},
};

#undef WHAT_IS_IT
#undef NO_PICTURE
#undef JPG_PICTURE
#undef PNG_PICTURE

}  // namespace

const GuidePage& GuidePageAt(int32_t page)
{
    if (page < 1) page = 1;
    if (page > kGuidePageCount) page = kGuidePageCount;
    return kPages[page - 1];
}

const WCHAR* GuideHeader(int32_t page)
{
    if (page <= 1) return L"";
    if (page == 2) return L"Getting Started";
    if (page <= 9) return L"What is it ?";
    if (page <= 13) return L"Why should I use it ?";
    return L"How do I use it ?";
}
