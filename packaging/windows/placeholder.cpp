// Stands in for the program until the window is built: starts and ends.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*command_line*/, int /*show*/)
{
    return 0;
}
