// Every trace module number of the program in one place. A trace id is
// module * 100000 + procedure * 10 + point; each source module records its
// procedures under its own number here.
#pragma once

enum TraceModule {
    // Application shell
    kTraceStartup = 610,
    kTraceFrame = 620,
    kTraceMainPanel = 630,
    kTraceForwarded = 635,
    kTraceMainTimers = 640,
    kTraceCtrlHint = 641,
    kTraceNoteCommands = 650,
    kTraceFileCommands = 660,
    kTracePrint = 665,
    kTraceTrayHotKeys = 670,
    kTraceShutdown = 680,
    kTraceShellSettings = 690,
    kTraceLaterEntryPoints = 695,
    kTraceRibbonHover = 696,
    kTraceEditorFonts = 697,
    // Note editor
    kTraceEditorKeys = 710,
    kTraceEditorStatus = 715,
    kTraceImageLinks = 720,
    // Following links, the clipboard, the editor's mouse
    kTraceEditorLinks = 721,
    kTraceClipboardEditor = 722,
    kTraceEditorMouse = 723,
    // Dialogs and screens
    kTraceDialogHost = 730,
    kTraceScreens = 731,
    kTraceErrorDetails = 735,
    kTraceImageList = 736,
    // Note dialogs
    kTraceNoteDialogs = 740,
    // Search
    kTraceQuickSearch = 810,
    kTraceFullTextMode = 811,
    kTraceScreenCapture = 812,  // screenshot and browser capture
    kTracePreview = 813,
    // Window toolkit
    kTraceWindow = 512,
    // Note store
    kTraceNoteStore = 850,
    // Foundation
    kTraceRegistry = 905,
    kTraceSettingsStore = 906,
    kTraceSystemInfo = 907,
    kTraceApp = 908,
    kTraceMiscServices = 909,
    kTraceClipboard = 910,
    kTraceWebDownload = 911,
    kTraceStrings = 927,
    // Images and drawing
    kTraceImage = 930,
    kTraceDib = 940,
    kTraceEffects = 941,
    kTraceResourceImage = 942,
    kTraceGdiObjects = 943,
    // Image preview and thumbnails
    kTraceImagePreview = 820,
};
