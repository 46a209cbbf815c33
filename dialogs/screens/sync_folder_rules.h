// The rules of the sync and share folder settings: how a typed folder is
// stored, which folders are refused, and the page texts of the sync settings
// screen.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

enum SyncSettingsPage {
    kSyncPageAbout = 1,
    kSyncPageInformation = 2,
    kSyncPageSync = 3,
    kSyncPageShare = 4,
    kSyncPageCount = 4,
};

// Why a chosen folder is refused (kFolderUsable: it is not).
enum FolderRefusal {
    kFolderUsable = 0,
    kFolderCannotBeCreated = 1,
    kFolderNotWritable = 2,
};

// The stored form of a typed folder: blanks trimmed, and a folder that is
// not empty ends in "\".
void FinishFolderSetting(AIString& folder);
// 1 when the folder names the cloud service's folder ("dropbox", any case).
int MentionsCloudFolder(const WCHAR* folder);
// Creates the folder when it is missing and checks that files can be made
// in it. An empty folder (no sync) is always usable.
FolderRefusal CheckChosenFolder(const WCHAR* folder);
// Why a folder was refused, as the message tells it.
const WCHAR* FolderRefusalReason(FolderRefusal refusal);

// The page's button caption and its text in mark-up; the Sync and Share
// pages also have a prompt above their folder field.
const WCHAR* SyncPageName(int page);
void SyncPageText(int page, AIString& text);
const WCHAR* SyncPagePrompt(int page);
