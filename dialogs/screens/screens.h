// The screens of the dialog host: each registers its handlers with the host.
#pragma once
#include "foundation/win.h"

// Registers every screen below with the host and connects the host.
void RegisterAllScreens();

void RegisterAboutScreen();
void RegisterFilePanelScreen();
void RegisterFavouritesScreen();
// The favourites screen's slot 1..9: shown lit by the pointer, and where it stands.
int FavouritesSlotShownHot(int slot);
RECT FavouritesSlotRect(int slot);
void RegisterShortcutsScreen();
void RegisterSyncSettingsScreen();
void RegisterFirstStartScreen();
void RegisterWelcomeShowcaseScreen();
void RegisterWelcomeAnimationScreen();
void RegisterImageBrowserScreen();
void RegisterPasteImageScreen();
void RegisterTipOfDayScreen();
void RegisterGettingStartedScreen();

// The Shortcuts screen's tab (1 to 6), kept from one showing to the next.
extern int g_shortcutsTab;
