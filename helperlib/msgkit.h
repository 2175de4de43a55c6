/*
 * msgkit.h: message strings of the calling program, loaded by id and
 * shown in message boxes.
 */
#ifndef MSGKIT_H
#define MSGKIT_H

#include <windows.h>

/* Shows string idText of hInstance with string idCaption as its caption;
 * returns the button pressed (0 when the box could not be shown). */
int myMessageBoxForLoadString(HINSTANCE hInstance, HWND hwndOwner, UINT idText, UINT idCaption,
                              UINT uStyle);
/* Loads the text and caption for GetLoadStrMessage and GetLoadStrTitle;
 * 1 when both were found. */
int MyLoadString(int nFlags, HINSTANCE hInstance, UINT idText, UINT idCaption);
const char *GetLoadStrMessage(void);
const char *GetLoadStrTitle(void);

#endif /* MSGKIT_H */
