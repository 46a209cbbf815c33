// The 75 tips of the tip-of-the-day screen, in their fixed order.
#include "dialogs/screens/tip_texts.h"

namespace {

struct Tip {
    const WCHAR* heading;
    const WCHAR* body;
};

const Tip kTips[kTipCount] = {
    {L"Next / Previous tip", L"Use the <b>arrow keys</b> to go to the previous/next tip."},
    {L"Show/Hide Tavik",
     L"Press <b>F12</b> in any program to bring Tavik to the front.<br><br>"
     L"Tavik keeps running while you work elsewhere, so your notes are always one key away."},
    {L"Toggle QuickSearch/Editor",
     L"Press <b>Escape</b> to toggle between QuickSearch and the Editor.<br><br>"
     L"You may also activate QuickSearch by pressing <b>Ctrl+L</b> in the editor."},
    {L"Tip of the day Tutorial",
     L"The shortcut for this 'Tip of the day' is <b>Alt+T</b>.<br><br>The tip will change each time you restart "
     L"Tavik.<br><br>Use <b>Alt+T</b> to view the same tip several times until you learn it / remember it - this is a "
     L"great way to learn about Orvanta Tavik."},
    {L"Locate caret position",
     L"If you can't find where the caret is in the editor, a quick press on the <b>Ctrl</b> button will highlight the "
     L"current line (orange) and the current position (green)."},
    {L"Incremental Search",
     L"Press <b>Ctrl+F</b> to search inside the note you are reading.<br><br>Each key you type moves to the next "
     L"match and highlights the matches.<br><br>Press <b>Enter</b> to stay at the match, or <b>Escape</b> to go back "
     L"to where you were."},
    {L"Count words",
     L"Select some text and the status line shows how many <b>words</b> and <b>characters</b> the selection holds."
     L"<br><br>Without a selection the status line shows the note's number, the line and the column of the caret."},
    {L"Find text",
     L"To quickly find the same word in a note, select the word and press <b>Ctrl+F</b>. All matches will be "
     L"highlighted, and you can jump between them using the <b>Up</b> and <b>Down</b> arrow."},
    {L"Zoom",
     L"Press <b>Ctrl+NumPad +</b> and <b>Ctrl+NumPad -</b> to make the text of the editor larger or smaller.<br><br>"
     L"<b>Ctrl+NumPad *</b> goes back to 100%. The zoom is shown on the status line."},
    {L"Headings",
     L"Press <b>Ctrl+H</b> to make a line a heading, and again to make it Normal text. On a Normal line that was a "
     L"heading, it brings back the size the heading had.<br><br>Write <b>#</b>, <b>##</b> or <b>###</b> and a blank "
     L"at the start of a line for a Large, Medium or Small heading."},
    {L"Bullets",
     L"Press <b>Ctrl+Shift+L</b> to insert a bullet.<br><br>A line that begins with a star (*) or a dash (-) and a "
     L"blank is a bullet line too: press <b>Enter</b> at its end and the next line begins the same way."},
    {L"AutoLists",
     L"Lists continue by themselves: press <b>Enter</b> at the end of a bullet or a numbered line ('1. ') and the next "
     L"line gets the next bullet or number.<br><br>Press <b>Enter</b> on an empty item to end the list."},
    {L"AutoLists",
     L"You can select multiple lines of a list and press <b>Tab</b> to indent all the lines at the same time. "
     L"<br><br>If you press <b>Shift+Tab</b> it will move all the selected lines to the left.<br><br>You may also "
     L"indent a list item by pressing <b>Tab</b> before you enter any text."},
    {L"Copy/Paste",
     L"All text you paste will automatically have all formatting removed <br>(except from other Tavik notes)."
     L"<br><br>If you want to copy text without any formatting, press <b>Shift+Ctrl+C</b> to copy pure text."},
    {L"Copy/Paste Image",
     L"Copy a picture in any program and press <b>Ctrl+V</b> in a note.<br><br>Tavik stores the picture in the "
     L"<b>images</b> folder beside your data file, named after the note, and puts a link to it in the text."},
    {L"Screenshots",
     L"Press <b>Alt+S</b> in QuickSearch to take a screenshot of the screen you were working on.<br><br>Tavik hides "
     L"itself while the picture is taken, then shows it in the image dialog, where you crop it and paste it into the "
     L"note."},
    {L"Image Dialog",
     L"A screenshot opens the <b>image dialog</b>: drag a rectangle over the part you want, rotate it if needed, give "
     L"it a name and press <b>Enter</b> to store it and link it into the note."},
    {L"Zoom",
     L"Hold <b>Ctrl</b> and turn the <b>scroll wheel</b> to zoom the editor in and out."},
    {L"Ribbon",
     L"Press <b>F10</b> to hide the Ribbon for a quiet view with more room for your note, and <b>F10</b> again to "
     L"bring it back.<br><br>Move the mouse over a command to see what it does and its key on the status line."},
    {L"Full-screen",
     L"Press <b>F11</b> to switch between a maximized and a normal window.<br><br>Tavik remembers the size and place "
     L"of its window for the next start."},
    {L"Split-screen",
     L"Rest the mouse on a link and the preview pane beside the editor shows the note, picture, text file or "
     L"captured page it points to, while your own note stays in the editor."},
    {L"Hyperlinks",
     L"Press <b>Ctrl+K</b> to insert a hyperlink.<br><br>The link shows in the text as a short label in square "
     L"brackets, like [Report], and can point to a web page, a file, a folder, a mail address or another note."},
    {L"Auto Hyperlinks",
     L"Write a web address that begins with <b>http://</b>, <b>https://</b> or <b>www.</b> and it becomes a link by "
     L"itself.<br><br>A full stop or comma right after the address is not part of the link."},
    {L"Auto Mail Hyperlinks",
     L"Write a mail address as <b>mailto:</b>name@example.com and it becomes a link by itself.<br><br>Click it to "
     L"write a mail to that address with your mail program."},
    {L"Jump to next header",
     L"If you have a long note, use <b>Ctrl+G</b> to quickly <b>go</b> to the next heading. <br><br>Use "
     L"<b>Shift+Ctrl+G</b> to go to the next heading <i>of the same type </i>."},
    {L"Navigate",
     L"Use <b>Ctrl+Arrow Up/Down</b> to quickly jump to the previous/next paragraph.<br><br>When you jump to the next "
     L"paragraph, Tavik will automatically scroll and show the <i>whole </i>paragraph"},
    {L"Search",
     L"Type the first letters of a title in <b>QuickSearch</b>: Tavik completes the title and shows the note list at "
     L"the best match.<br><br>Press <b>Enter</b> to open the note. Press <b>Alt+Left</b> and <b>Alt+Right</b> to go "
     L"back and forward through the notes you have read."},
    {L"Zoom Images",
     L"Press <b>Alt+Z</b> to switch the image zoom: previews of pictures are shown larger or smaller.<br><br>"
     L"<b>Alt+</b>plus and <b>Alt+</b>minus choose the large or the small size."},
    {L"Preview Images",
     L"Move the mouse over a link to a picture and Tavik shows the picture at once, without opening it.<br><br>Move "
     L"the mouse away and the preview goes."},
    {L"AutoLinks auto-complete",
     L"Type the first letters of a note's title and press <b>Ctrl+Space</b>: a list shows the titles that begin with "
     L"them.<br><br>Choose one with the arrows and <b>Enter</b>, and the whole title is written and becomes a link to "
     L"that note."},
    {L"Rename",
     L"Press <b>F2</b> to give the note a new title.<br><br>The new title must not be used by another note; Tavik "
     L"tells you when it is."},
    {L"Timestamp",
     L"Quickly enter a timestamp using <b>Ctrl+T</b> or <b>F4</b>. <br><br><b>Ctrl+T</b> is the short version (in a "
     L"more searchable format).<br><br>Very useful when you update notes or want to be able to find meeting notes etc "
     L"for a certain date."},
    {L"Drag-and-Drop",
     L"Drag a Tavik data file (<b>.tavik</b>) from the Explorer onto the Tavik window to open it.<br><br>The note you "
     L"are writing is saved first."},
    {L"Capture Web page",
     L"Use <b>Alt+C</b> to capture a web page.<br><br>Capture web page will also capture parts of the window that is "
     L"not visible (up to 9 pages will be captured).<br><br>Capture will capture a multi-page screenshot <i>and </i>"
     L"the main text from the web page (with timestamp and hyperlink).<br><br>Each captured web page will be stored "
     L"as a separate note named like 'www_number_title' for quick access (latest capture first).<br><br>You will get "
     L"a hyperlink to the web page, and you will <i>also </i>get a preview of the web page using the captured image."},
    {L"Capture Web page II",
     L"You can capture a web page even while Tavik is hidden: press <b>Shift+PrintScr</b> in your web browser."
     L"<br><br>Tavik captures the page shown and stores it as a new note."},
    {L"AutoPreview text files",
     L"Move the mouse over a link to a text file and Tavik shows the beginning of the file in the preview pane."
     L"<br><br>You can read it without opening another program."},
    {L"Full-text Search",
     L"Type words that are not a title in QuickSearch and press <b>Enter</b> to search the text of all notes."
     L"<br><br>Write <b>+word</b> for a word that must be there, <b>-word</b> for a word that must not, and "
     L"\"quotes\" around a phrase."},
    {L"Multiple Tavik's",
     L"Each copy of the program keeps its own settings under its own name.<br><br>Copy Tavik.exe to, say, "
     L"TavikWork.exe and start it: it runs beside Tavik with its own settings, window and last data file."},
    {L"Capture Web page Full-screen",
     L"When you capture a web page, Tavik scrolls the whole page from top to bottom and joins the screenfuls into "
     L"one tall picture.<br><br>Let the page load completely before you capture it."},
    {L"Synonyms",
     L"Put the caret on an English word and press <b>Alt+W</b> to look it up.<br><br>Tavik shows the meanings of the "
     L"word and its synonyms from the WordNet dictionary."},
    {L"Relative Hyperlinks",
     L"Links to files inside your data folder are stored <b>relative</b> to it (they begin with 'rel:').<br><br>Move "
     L"the folder to another drive or computer and the links still work."},
    {L"Favorites",
     L"Press <b>Ctrl+1</b> to <b>Ctrl+9</b> to open your favorite notes 1 to 9.<br><br>Press <b>Ctrl+0</b> to choose "
     L"which notes are your favorites."},
    {L"Quick Preview",
     L"While searching for notes in QuickSearch, you may quickly preview the current note by holding down "
     L"<b>Shift</b>.<br><br>This will give you a quick glance to decide if it is the right note or not (without "
     L"having to open it)."},
    {L"Color Frame",
     L"The editor will 'glow' with a yellow frame when the editor is active. <br><br>If you make any changes, the "
     L"'glow' will change to a blue frame <br>(useful in case you accidentally edit a note - if the frame is blue it "
     L"has been changed).<br><br>A new note will have a red frame to make it easy to recognize."},
    {L"Quick Zoom",
     L"Zoomed too far? Press <b>Ctrl+NumPad *</b> to bring the editor back to 100% in one step."},
    {L"Scroll AutoPreview",
     L"While a preview is shown, the <b>scroll wheel</b> scrolls the preview, not the editor.<br><br>So you can read "
     L"a long note or file in the preview without leaving the note you are in."},
    {L"Incremental Search II",
     L"Orvanta Tavik will remember your last incremental search.<br><br>You can later use <b>F3</b> to quickly jump "
     L"to the next match (or <b>Shift+F3</b> for the previous match).<br><br><b>Tip:</b> Hold the <b>F3</b> key to "
     L"see all matches highlighted."},
    {L"Tags",
     L"To connect notes 'indirectly', you can use tags.<br><br>A tag is marked with @ and must be surrounded by "
     L"spaces, like <br>' @important '.<br><br>You create a new tag by entering '@' and writing the new tag. You "
     L"select an existing tag by entering '@' and selecting a tag from the dropdown list. <br><br>You click on a tag "
     L"to get a popup list of all the notes that contain the tag for quick access to these 'indirectly connected' "
     L"notes. Tags should be used sparingly."},
    {L"Mouse buttons",
     L"If you have a mouse with more than 2 buttons, you can use button 3 and 4 to quickly navigate to the previous "
     L"note (and back again). <br><br>If you click a link to open a note, pressing button 3 will quickly return to the "
     L"previous note."},
    {L"USB / Portable version",
     L"Tavik can run from a USB stick.<br><br>Name the program file with <b>_usb</b> at the end (Tavik_usb.exe): its "
     L"settings are then kept in a 'registry' folder and its temporary files in a 'temp' folder beside the program, "
     L"so they travel with it."},
    {L"Simulate USB / Portable version",
     L"To try the portable version on your own computer, start Tavik with the word <b>usb</b> on its command line."
     L"<br><br>It then keeps its settings beside the program, exactly as it would on a USB stick."},
    {L"Paste Files",
     L"Copy files in the Explorer and press <b>Ctrl+V</b> in a note: Tavik puts a link to each file in the text."
     L"<br><br>Click a link to open the file."},
    {L"Browse Images (Alt+B)",
     L"Press <b>Alt+B</b> to browse the pictures your notes link to.<br><br>Click a picture to see it large, and "
     L"click its caption to open the note that links it."},
    {L"Browse (Web) Images",
     L"The image browser also shows the pictures of the web pages you have captured.<br><br>Use it to find a captured "
     L"page again by its picture."},
    {L"Hyperlinks and Images",
     L"A hyperlink can point to a picture. Move the mouse over the link and the picture is previewed; click it to open "
     L"the picture."},
    {L"Jump to line",
     L"<b>Ctrl+J</b> will jump to the next identical line (or word).<br><br>You can create an 'index' at the top of a "
     L"note with all the headings (in plain text if you want), and then press <b>Ctrl+J</b> on the identical line you "
     L"want to jump to. <br><br>This can be very useful for long notes if you want to create 'mini-chapters' inside a "
     L"note.<br><br>Press again to return to the top (or next identical line).<br><br>You may also use "
     L"<b>Ctrl+MouseClick</b> to do the same."},
    {L"Image Dialog",
     L"In the image dialog you can cut away the parts of a picture you don't need, turn it by 90 degrees, or start "
     L"again from the whole picture before it is stored."},
    {L"Image Dialog",
     L"A picture is stored as PNG, or as JPEG when that file is much smaller, in the <b>images</b> folder beside your "
     L"data file."},
    {L"Hyperlink images/notes",
     L"Every picture in the images folder belongs to a note: the image browser shows which note links it, and opens "
     L"that note for you."},
    {L"Splitview images",
     L"Rest the mouse on a link to a picture and the picture is shown beside your note, fitted to the space."},
    {L"Web capture images",
     L"Each captured web page keeps its picture in the images folder, linked from the page's note, so you see the "
     L"page as it looked when you captured it."},
    {L"Splitview note preview",
     L"Type in QuickSearch and the best matching note is previewed at once, before you press <b>Enter</b> to open "
     L"it."},
    {L"Splitview images",
     L"A tall captured page is previewed page by page, and the status line names the picture, its size and its "
     L"note."},
    {L"Splitview images",
     L"Move the mouse away from the link and the picture preview goes again: a preview never changes your note."},
    {L"Performance",
     L"Tavik is made for many notes: QuickSearch completes a title as you type even among tens of thousands of "
     L"notes, and a note of 50,000 characters opens in a moment.<br><br>All your notes are in one data file, so "
     L"there is nothing to organize."},
    {L"Splitview images",
     L"In the image browser, press <b>A</b> to see only the pictures of the current note, with the words around "
     L"each link."},
    {L"Browse images",
     L"In the image browser, use the arrow keys to go from picture to picture, or let the slideshow show them one by "
     L"one."},
    {L"Sharing / Syncing",
     L"Click <b>ShareSync</b> on the Options tab to choose a <b>sync</b> folder and a <b>share</b> folder.<br><br>Use a "
     L"folder that a cloud service keeps in step between your computers: Tavik keeps a copy of your notes there."},
    {L"Splitview images",
     L"A picture larger than 500,000 bytes is previewed from a screen-size copy that Tavik makes once, so it shows "
     L"at once the next time."},
    {L"Web previews",
     L"Move the mouse over a link to a web page you have captured and Tavik previews the captured page."},
    {L"Web/image previews",
     L"Previews follow the mouse: notes, pictures, text files and captured web pages are shown while you point at "
     L"their links, and hidden again when you move away."},
    {L"Web capture",
     L"After a web capture, the status line says whether the page was captured, and the new note is shown at once."},
    {L"Full-text search",
     L"You can activate full-text search from both the QuickSearch and Editor using shortcut <b>Ctrl+Shift+F</b>."
     L"<br><br>If you don't select a word in the editor, it will automatically search the current word (under the "
     L"cursor)."},
    {L"Hotkey QuickSearch",
     L"Press <b>F12</b> in any program to bring Tavik forward, then <b>Ctrl+L</b> (or <b>Escape</b>) to type a "
     L"title in QuickSearch.<br><br>Find a note in a few keys, read it, and go back to your work."},
    {L"Sharing / Syncing",
     L"With a <b>share</b> folder, several people can use the same notes.<br><br>A note that someone else is editing "
     L"is locked, so two people never write over each other's changes."},
};

}  // namespace

int32_t WrapTipNumber(int32_t number)
{
    if (number < 1) return kTipCount;
    if (number > kTipCount) return 1;
    return number;
}

const WCHAR* TipHeading(int32_t number) { return kTips[WrapTipNumber(number) - 1].heading; }
const WCHAR* TipBody(int32_t number) { return kTips[WrapTipNumber(number) - 1].body; }

void ComposeTip(int32_t number, AIString& out)
{
    out.AssignText(L"<h2>");
    out.AppendText(TipHeading(number));
    out.AppendText(L"</h2><sbr><sbr>");
    out.AppendText(TipBody(number));
}
