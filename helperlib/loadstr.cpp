/*
 * loadstr.cpp: the program's message strings, loaded by id.
 */
#include "msgkit.h"
#include "basekit.h"

static char gszLoadStrMessage[1024];
static char gszLoadStrTitle[256];

int MyLoadString(int nFlags, HINSTANCE hInstance, UINT idText, UINT idCaption)
{
    (void)nFlags;
    int cchText = LoadStringA(hInstance, idText, gszLoadStrMessage, sizeof gszLoadStrMessage);
    int cchTitle = LoadStringA(hInstance, idCaption, gszLoadStrTitle, sizeof gszLoadStrTitle);
    if (cchText <= 0)
        gszLoadStrMessage[0] = '\0';
    if (cchTitle <= 0)
        gszLoadStrTitle[0] = '\0';
    return cchText > 0 && cchTitle > 0;
}

const char *GetLoadStrMessage(void)
{
    return gszLoadStrMessage;
}

const char *GetLoadStrTitle(void)
{
    return gszLoadStrTitle;
}

int myMessageBoxForLoadString(HINSTANCE hInstance, HWND hwndOwner, UINT idText, UINT idCaption,
                              UINT uStyle)
{
    MyLoadString(0, hInstance, idText, idCaption);
    return MessageBoxA(hwndOwner, gszLoadStrMessage, gszLoadStrTitle, uStyle);
}
