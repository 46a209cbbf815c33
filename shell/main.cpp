// Entry point of the program: everything happens in RunApplication.
#include "foundation/win.h"
#include "shell/startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int showCommand)
{
    return RunApplication(instance, commandLine, showCommand);
}
