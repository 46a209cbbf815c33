"""The example notes of a first data file, in the order the first-start
wizard's sizes take them: the first note alone, the first 10, 30 or 80.
Each note: (stored title, lines in the note mark-up, links)."""

START_NOTES = [
    # ---- 1: the simple file ----
    ("Welcome", [
        "# Welcome to Tavik",
        "Tavik keeps all your notes in this one data file. Every note has a **unique title** and a body of text.",
        "",
        "## Three keys",
        "- Escape: go between QuickSearch and the note",
        "- Enter in QuickSearch: open the note with that title, or search all notes for the words",
        "- Ctrl+N: a new note",
        "",
        "Tavik saves your notes by itself. Alt+T shows a tip of the day, Ctrl+Q the keys.",
    ], []),
    # ---- up to 10: the small file ----
    ("Finding_notes", [
        "# Finding notes",
        "- Type the first letters of a title into QuickSearch: Tavik completes the title as you type.",
        "- Press Enter to open the note, and Enter again to go into its text.",
        "- Words that are no title start a full-text search over all notes.",
        "- Alt+Left and Alt+Right go back and forward through the notes you read.",
        "See also Writing and Links between notes.",
    ], []),
    ("Writing", [
        "# Writing",
        "Just type: Tavik stores the note every few seconds and when you switch notes or close it.",
        "## Formatting",
        "- Ctrl+B **bold**, Ctrl+I //italic//, Ctrl+D --done--",
        "- Ctrl+H makes the line a heading, or plain text again",
        "- Ctrl+Shift+L puts a bullet at the start of the line",
        "- Ctrl+T writes today's date",
    ], []),
    ("Links_between_notes", [
        "# Links between notes",
        "Write the title of another note and it becomes a link: Finding notes, Writing, Tags.",
        "Type the first letters of a title and press Ctrl+Space to choose from the titles that begin with them.",
        "Links to web pages and files are short labels in brackets, like [Debian]; press Ctrl+K to make one.",
    ], [("Debian", "https://www.debian.org/")]),
    ("Tags", [
        "# Tags",
        "Type @ after a blank to choose a tag, or write a new one: @example",
        "Notes with the same tag belong together even when they do not link to each other.",
    ], []),
    ("Keys", [
        "# Keys",
        "- Ctrl+L: QuickSearch, Escape: back to the note",
        "- Ctrl+N: new note, F2: rename, Ctrl+S: save now",
        "- Ctrl+F: search in the note, F3: next match",
        "- Ctrl+Shift+F: search all notes",
        "- Ctrl+O: open another data file, Alt+F: the file panel",
        "- F10: hide or show the ribbon, F11: maximized or normal window",
        "- Ctrl+Q: all the keys, Alt+T: tip of the day",
    ], []),
    ("Anna_Berg", [
        "# Anna Berg",
        "Phone: 555 0142",
        "Mail: mailto:anna.berg@example.com",
        "Birthday: 14 March",
        "Works with me on the Kitchen renovation. @contact",
    ], []),
    ("Meeting_notes", [
        "# Meeting notes",
        "**Monday** - with Anna Berg about the Kitchen renovation.",
        "- Ask for two quotes for the worktop",
        "- --Measure the window-- done",
        "Next meeting: Thursday. @work",
    ], []),
    ("Shopping_list", [
        "# Shopping list",
        "- Bread",
        "- Lentils (for Lentil soup)",
        "- Tomatoes",
        "- Batteries for the kitchen clock",
    ], []),
    ("Ideas", [
        "# Ideas",
        "- Keep one note per person, project or topic.",
        "- Start a note with a heading; it is easier to read in the preview.",
        "- Put a date into meeting notes with Ctrl+T, then full-text search finds them by date.",
    ], []),
    # ---- up to 30: the medium file ----
    ("Kitchen_renovation", [
        "# Kitchen renovation",
        "## Plan",
        "1. Measure the room",
        "2. Choose the worktop",
        "3. Book the electrician",
        "## Contacts",
        "Anna Berg (design), Tom Lind (electrician). @project",
    ], []),
    ("Tom_Lind", [
        "# Tom Lind",
        "Electrician. Phone: 555 0178",
        "Did the wiring in the garage in 2024. @contact",
    ], []),
    ("Lentil_soup", [
        "# Lentil soup",
        "- 250 g red lentils",
        "- 1 onion, 2 carrots, 1 litre stock",
        "Fry the onion, add the rest, cook 20 minutes, blend. @recipe",
    ], []),
    ("Pancakes", [
        "# Pancakes",
        "- 2 eggs, 250 ml milk, 125 g flour, a pinch of salt",
        "Rest the batter for half an hour. @recipe",
    ], []),
    ("Books_to_read", [
        "# Books to read",
        "1. A history of the alphabet",
        "2. The craft of bread baking",
        "3. Walking the coast path",
        "@reading",
    ], []),
    ("Summer_trip", [
        "# Summer trip",
        "## Before",
        "- Book the ferry",
        "- Packing list",
        "## Places",
        "- The harbour town, the lighthouse, the island walk @travel",
    ], []),
    ("Packing_list", [
        "# Packing list",
        "- Passport and tickets",
        "- Chargers",
        "- Rain jacket",
        "- Book (see Books to read)",
    ], []),
    ("Birthdays", [
        "# Birthdays",
        "- 14 March: Anna Berg",
        "- 2 June: Mum",
        "- 21 October: Tom Lind",
    ], []),
    ("Emergency_numbers", [
        "# Emergency numbers",
        "- Doctor: 555 0100",
        "- Water company: 555 0111",
        "- Neighbour with the spare key: 555 0133",
    ], []),
    ("Headings", [
        "# Headings",
        "A line that begins with # is a large heading, ## medium and ### small.",
        "Ctrl+H makes the line plain text, and a heading of its last size again; Ctrl+G goes to the next heading.",
    ], []),
    ("Lists", [
        "# Lists",
        "- Press Enter at the end of a bullet and the next line gets one too.",
        "- Enter on an empty bullet ends the list.",
        "- Tab and Shift+Tab move the selected lines in and out.",
        "1. Numbered lines count on by themselves.",
    ], []),
    ("Search_in_a_note", [
        "# Search in a note",
        "Ctrl+F searches the note as you type and colours the matches.",
        "Enter keeps the match, Escape goes back to where you were.",
        "F3 and Shift+F3 go to the next and the previous match later; Ctrl+R replaces.",
    ], []),
    ("Full-text_search", [
        "# Full-text search",
        "Type words into QuickSearch that are no title and press Enter: Tavik searches the text of every note.",
        "+word must be there, -word must not, and \"two words\" are found together.",
        "Enter opens the result, Escape goes back.",
    ], []),
    ("Favorites", [
        "# Favorites",
        "Ctrl+0 chooses your favorite notes; Ctrl+1 to Ctrl+9 open them.",
    ], []),
    ("Timestamps", [
        "# Timestamps",
        "Ctrl+T writes the date; F4 writes the date and the time.",
    ], []),
    ("Web_links", [
        "# Web links",
        "Addresses that begin with http://, https:// or www. become links by themselves: www.debian.org",
        "Click a link to open it in your web browser.",
    ], []),
    ("Pictures", [
        "# Pictures",
        "Copy a picture and press Ctrl+V in a note: Tavik stores it in the images folder beside the data file and links it.",
    ], []),
    ("Data_files", [
        "# Data files",
        "All notes are in one .tavik file. Ctrl+O opens another; Alt+F shows the file panel with the recent files.",
        "Tavik keeps backups of the data file beside it.",
    ], []),
    ("Films_to_see", [
        "# Films to see",
        "- The one about the lighthouse keeper",
        "- The documentary on bread",
        "@list",
    ], []),
    ("Weekly_review", [
        "# Weekly review",
        "- Read the Meeting notes of the week",
        "- Move done items to --done--",
        "- Plan next week @work",
    ], []),
    # ---- up to 80: the large file ----
    ("QuickSearch", [
        "# QuickSearch",
        "Ctrl+L or Escape puts the keys into QuickSearch. Type, and the note list follows the best title.",
        "Hold Shift for a quick look at the note under the search.",
    ], []),
    ("Rename", [
        "# Rename",
        "F2 gives the note a new title. No two notes can have the same title.",
    ], []),
    ("New_note", [
        "# New note",
        "Ctrl+N makes a new note; you give it a title first.",
    ], []),
    ("Delete_a_note", [
        "# Delete a note",
        "The Delete command on the Home tab removes the note after a question.",
    ], []),
    ("Zoom", [
        "# Zoom",
        "Ctrl+NumPad + and Ctrl+NumPad - zoom the note; Ctrl+NumPad * goes back to 100%.",
    ], []),
    ("Ribbon", [
        "# Ribbon",
        "The ribbon has the tabs Home, File, Options and Help. F10 hides and shows it.",
        "Hover over a command: the status line says what it does and its key.",
    ], []),
    ("Status_line", [
        "# Status line",
        "The status line shows the note's number, the line and the column of the caret.",
        "Select text and it counts the words and characters.",
    ], []),
    ("Caret_line", [
        "# Caret line",
        "Lost the caret? A short press on Ctrl highlights its line.",
    ], []),
    ("Jump_to_line", [
        "# Jump to line",
        "Ctrl+J goes to the next line with the same text as the line of the caret.",
        "Write a list of headings at the top of a long note and jump to each with Ctrl+J.",
    ], []),
    ("Paragraphs", [
        "# Paragraphs",
        "Ctrl+Up and Ctrl+Down go to the previous and next paragraph.",
    ], []),
    ("Links_in_a_note", [
        "# Links in a note",
        "Alt+Up and Alt+Down go to the previous and next link of the note.",
    ], []),
    ("Copy_plain_text", [
        "# Copy plain text",
        "Ctrl+Shift+C copies the selection without formatting.",
    ], []),
    ("Print", [
        "# Print",
        "Ctrl+P prints the note. Page... on the File tab chooses the page first.",
    ], []),
    ("Refresh", [
        "# Refresh",
        "F5 saves and reads the data file again.",
        "Changes that another program made to the file are taken in, and your own edits are kept.",
    ], []),
    ("Backups", [
        "# Backups",
        "Tavik keeps a backup of the data file for every weekday, and writes each save through a temporary copy.",
    ], []),
    ("Relative_links", [
        "# Relative links",
        "Links to files inside the data folder begin with rel: and keep working when the folder moves.",
    ], []),
    ("Sync_and_share", [
        "# Sync and share",
        "ShareSync on the Options tab chooses a sync folder and a share folder.",
        "A folder that a cloud service keeps in step takes your notes to your other computers.",
    ], []),
    ("Portable_use", [
        "# Portable use",
        "Start Tavik with the word usb, or name the program Tavik_usb.exe:",
        "its settings then stay in a registry folder beside the program.",
    ], []),
    ("Window_key", [
        "# Window key",
        "F12 brings Tavik to the front from any program.",
    ], []),
    ("Tip_of_the_day", [
        "# Tip of the day",
        "Alt+T shows a tip; every start shows the next one. The arrow keys step through all 75.",
    ], []),
    ("Getting_started", [
        "# Getting started",
        "Get Started on the Help tab is a short guide to Tavik in 31 pages. Space steps on.",
    ], []),
    ("Shortcuts", [
        "# Shortcuts",
        "Ctrl+Q shows all the keys, on six tabs. Ctrl+Q again hides them.",
    ], []),
    ("Search_the_selected_word", [
        "# Search the selected word",
        "Select a word and press Ctrl+F: Tavik searches the note for it and colours every match.",
        "Up and Down step through the matches, Escape goes back.",
    ], []),
    ("Replace", [
        "# Replace",
        "Ctrl+R replaces the text found; Tab goes between the search and the replace box.",
    ], []),
    ("Two_programs", [
        "# Two programs",
        "A copy of the program under another name keeps its own settings, so two can run side by side.",
    ], []),
    ("Drag_and_drop", [
        "# Drag and drop",
        "Drop a .tavik file onto the window to open it.",
    ], []),
    ("Bread", [
        "# Bread",
        "- 500 g flour, 7 g yeast, 10 g salt, 320 ml water",
        "Knead 10 minutes, rise 1 hour, bake 35 minutes at 220 degrees. @recipe",
    ], []),
    ("Tomato_salad", [
        "# Tomato salad",
        "Tomatoes, red onion, olive oil, salt. Let it stand for ten minutes. @recipe",
    ], []),
    ("Restaurants", [
        "# Restaurants",
        "- The harbour cafe: fish soup",
        "- The corner bistro: closed on Mondays",
    ], []),
    ("Gift_ideas", [
        "# Gift ideas",
        "- Anna Berg: a book on gardens",
        "- Tom Lind: a good torch",
    ], []),
    ("Car_service", [
        "# Car service",
        "- Last service: April",
        "- Tyres changed: October",
        "Next: check the brakes. @home",
    ], []),
    ("Home_wifi", [
        "# Home wifi",
        "The router is in the hall cupboard. Restart it by unplugging it for ten seconds. @home",
    ], []),
    ("Plant_watering", [
        "# Plant watering",
        "- Ferns: twice a week",
        "- Cactus: once a month",
    ], []),
    ("Running_log", [
        "# Running log",
        "- Monday: 5 km",
        "- Thursday: 7 km",
        "Goal: 10 km before the Summer trip.",
    ], []),
    ("Quotes", [
        "# Quotes",
        "//Write it down; then you can forget it.//",
    ], []),
    ("Phrases_for_the_trip", [
        "# Phrases for the trip",
        "- Good morning",
        "- Where is the harbour?",
        "- Two coffees, please",
        "See Summer trip. @travel",
    ], []),
    ("Bike_repair", [
        "# Bike repair",
        "1. Take the wheel off",
        "2. Find the hole with water",
        "3. Patch, wait five minutes, pump",
    ], []),
    ("Home_insurance", [
        "# Home insurance",
        "Policy renewed in January. The papers are in the blue folder. @home",
    ], []),
    ("Family_tree", [
        "# Family tree",
        "## Grandparents",
        "- Mother's side: the farm by the river",
        "## Cousins",
        "- Three in the city, one abroad",
    ], []),
    ("Expense_report", [
        "# Expense report",
        "- Train tickets",
        "- Hotel, two nights",
        "Hand in by the end of the month. @work",
    ], []),
    ("Time_log", [
        "# Time log",
        "- Monday: 2 h Kitchen renovation planning",
        "- Tuesday: 1 h Weekly review",
    ], []),
    ("Computer_setup", [
        "# Computer setup",
        "- Back up the documents folder every Friday",
        "- Keep the Tavik data file in a folder the backup takes along",
    ], []),
    ("Garden_plan", [
        "# Garden plan",
        "## Spring",
        "- Sow peas early",
        "## Autumn",
        "- Plant garlic and tulip bulbs @home",
    ], []),
    ("Project_ideas", [
        "# Project ideas",
        "- A bench for the garden",
        "- Shelves for the hall",
        "See Ideas.",
    ], []),
    ("Reading_notes", [
        "# Reading notes",
        "From A history of the alphabet: the letters came from pictures. @reading",
    ], []),
    ("Wine_notes", [
        "# Wine notes",
        "- The red from the harbour shop: good with Lentil soup",
    ], []),
    ("Dentist", [
        "# Dentist",
        "Phone: 555 0155. Next check-up in September. @contact",
    ], []),
    ("Doctor", [
        "# Doctor",
        "Phone: 555 0100. Open 8 to 17. @contact",
    ], []),
    ("Holiday_ideas", [
        "# Holiday ideas",
        "- The island walk",
        "- The mountain train",
        "@travel",
    ], []),
    ("Brainstorm", [
        "# Brainstorm",
        "Write everything first, sort later. Each good idea can become its own note with Ctrl+N.",
    ], []),
]

SIZES = (1, 10, 30, 80)
