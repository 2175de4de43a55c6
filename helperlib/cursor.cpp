/*
 * cursor.cpp: the busy and the arrow cursor, and what the programs ask
 * of the running system.
 */
#include "basekit.h"

static HCURSOR ghArrowCursor;
static HCURSOR ghHourGlassCursor;

int SetArrowCursor(int nFlags)
{
    (void)nFlags;
    ghArrowCursor = LoadCursor(NULL, IDC_ARROW);
    return ghArrowCursor != NULL;
}

int SetHourGlassCursor(int nFlags)
{
    (void)nFlags;
    ghHourGlassCursor = LoadCursor(NULL, IDC_WAIT);
    return ghHourGlassCursor != NULL;
}

HCURSOR PutHourGlassCursor(void)
{
    return SetCursor(ghHourGlassCursor != NULL ? ghHourGlassCursor : LoadCursor(NULL, IDC_WAIT));
}

HCURSOR PutArrowCursor(void)
{
    return SetCursor(ghArrowCursor != NULL ? ghArrowCursor : LoadCursor(NULL, IDC_ARROW));
}

int GetWindowsVersion(void)
{
    /* Major version times 100 plus minor: 501 for XP, 602 for 8 as
     * reported to a program without a compatibility manifest entry. */
    DWORD dwVersion = GetVersion();
    return (int)(LOBYTE(LOWORD(dwVersion)) * 100 + HIBYTE(LOWORD(dwVersion)));
}

int GetLanguage(void)
{
    return (int)GetUserDefaultLangID();
}
