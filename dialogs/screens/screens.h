// The screens of the dialog host: each registers its handlers with the host.
#pragma once
#include "foundation/win.h"

// Registers every screen below with the host and connects the host.
void RegisterAllScreens();

void RegisterAboutScreen();
void RegisterFilePanelScreen();
void RegisterFavouritesScreen();
void RegisterShortcutsScreen();
