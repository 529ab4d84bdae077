// THLD.exe: the program reads no command line.
#include <windows.h>

#include "win32/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    thld::RunApplication();
    return 0;
}
