// The screens of the dialog host: each registers its handlers with the host.
#pragma once
#include "foundation/win.h"

// Registers every screen below with the host and connects the host.
void RegisterAllScreens();

void RegisterAboutScreen();
void RegisterFilePanelScreen();
void RegisterFavouritesScreen();
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
