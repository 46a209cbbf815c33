// The ids of the numbered messages, for every layer that raises one. The
// catalogue (dialogs/message_catalogue.cpp) gives each its printed number,
// caption, kind and text; the printed number is not the id.
#pragma once

enum MessageId : int {
    kMsgNone = 0,
    kMsgCannotDeleteBetweenLinks = 1,
    kMsgLinkTitleUsed = 2,          // inserts: the title, the target it links to
    kMsgDatafileUnsorted = 3,       // inserts: path, the title, the title it is ordered before
    kMsgCannotDeletePartialLink = 4,
    kMsgMissingTitle = 5,
    kMsgTitleExists = 6,            // insert: the title
    kMsgSelectLinkToDelete = 7,
    kMsgReadOnlyNoNewNotes = 8,
    kMsgReservedCharacters = 9,
    kMsgTooManyTags = 10,
    kMsgAutomaticLinkNotValid = 11,
    kMsgPasteNotComplete = 12,      // insert: the number of links left out
    kMsgLowDiskSpaceWarning = 13,   // insert: the folder
    kMsgReadOnlyNoChanges = 14,
    kMsgPasteBitmapFailed = 15,
    kMsgWindowSnapshotFailed = 16,
    kMsgCaptureFailed = 17,
    kMsgCannotPasteIntoLink = 18,
    kMsgCannotPasteIntoHeading = 19,
    kMsgCannotPasteIntoTag = 20,
    kMsgCannotPasteIntoSelection = 21,
    kMsgLinkSelectionTooLong = 22,
    kMsgHeadingNotForSelection = 23,
    kMsgHeadingNotForStrikeThrough = 24,
    kMsgTabSelectionTooLong = 25,
    kMsgHeadingNotWithLinks = 26,
    kMsgCannotStrikeOutLink = 27,
    kMsgMissingCharacters = 28,
    kMsgTooManyAutolinks = 29,
    kMsgShareConflict = 30,
    kMsgFileNotFound = 31,          // inserts: file, folder
    kMsgPathNotFound = 32,          // inserts: file, folder
    kMsgFileLocked = 33,            // insert: file
    kMsgTextTooLong = 34,
    kMsgLowDiskSpace = 35,          // insert: the folder
    kMsgFileAlreadyExists = 36,
    kMsgPortableLocalFilesOnly = 37,
    kMsgDatafileNotValid = 38,      // insert: path
    kMsgMinimumOneNote = 39,
    kMsgPrintFailed = 40,
    kMsgSavingCopyFailed = 41,
    kMsgNoteSizeTooLarge = 42,      // inserts: the title, its size
    kMsgLinkDataCorrupt = 43,
    kMsgDatafileTooLarge = 44,      // insert: path
    kMsgTooManyTagNames = 45,
    kMsgNoteTooLarge = 46,          // inserts: characters cut, path of the full copy
    kMsgOutOfDiskSpace = 47,
    kMsgPrintComplete = 48,
    kMsgSavingCopyDone = 49,
    kMsgRemovableStorage = 50,      // insert: the drive
    kMsgRefreshingDone = 51,
    kMsgLoadingComplete = 52,       // insert: path
    kMsgNewFileComplete = 53,       // insert: path
    kMsgAutomaticSyncComplete = 54,
    kMsgHelpGeneralShortcuts = 55,
    kMsgHelpQuickSearch = 56,
    kMsgHelpEditor = 57,
    kMsgHelpIncrementalSearch = 58,
    kMsgHelpReplace = 59,
    kMsgHelpFullTextSearch = 60,
    kMsgFolderCannotBeUsed = 61,    // inserts: why, the folder
    kMsgCaptureNoBrowser = 62,      // the capture found no browser window in front
};
