// Makes every screen of this folder known to the dialog host.
#include "dialogs/screens/screens.h"
#include "dialogs/dialog_host.h"

void RegisterAllScreens()
{
    RegisterAboutScreen();
    RegisterFilePanelScreen();
    RegisterFavouritesScreen();
    RegisterShortcutsScreen();
    RegisterSyncSettingsScreen();
    RegisterFirstStartScreen();
    RegisterWelcomeShowcaseScreen();
    RegisterWelcomeAnimationScreen();
    RegisterImageBrowserScreen();
    RegisterPasteImageScreen();
    RegisterTipOfDayScreen();
    RegisterGettingStartedScreen();
    ConnectDialogHost();
}
