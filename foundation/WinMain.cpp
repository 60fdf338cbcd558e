// The entry point. The installer's application object and its menu window take over here as they are built;
// until then the program starts, finds nothing to do and ends with the exit code of an early end.
#include "foundation/SystemApi.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return -1;
}
