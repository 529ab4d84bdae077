// A small program that only waits: the window tests copy it under the game's and the editor's
// names, so that the running-game guard finds a process of that name.
#include <windows.h>

int main()
{
    ::Sleep(120000);
    return 0;
}
