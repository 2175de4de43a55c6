/*
 * regfloor.cpp: the least a program can do to register Quillant's
 * document types: the twelve default values written unconditionally, in
 * one process, for the program path given on the command line.  The
 * benchmark's floor for Typebind.exe.  Built twice: as any GUI program
 * is, with user32 loaded at start (the floor: on Windows every GUI
 * process has it), and with QK_FLOOR_BARE without it (for information).
 */
#include <windows.h>

#include <stdio.h>

static void SetDefault(const char *pszKey, const char *pszData)
{
    HKEY hKey;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, pszKey, 0, NULL, 0, KEY_SET_VALUE, NULL, &hKey, NULL) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(hKey, NULL, 0, REG_SZ, (const BYTE *)pszData, (DWORD)lstrlenA(pszData) + 1);
    RegCloseKey(hKey);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR pszCmdLine, int)
{
    char szCommand[MAX_PATH + 16];
    char szIcon1[MAX_PATH + 4];
    char szIcon3[MAX_PATH + 4];
    snprintf(szCommand, sizeof szCommand, "%s \"%%1\"", pszCmdLine);
    snprintf(szIcon1, sizeof szIcon1, "%s,1", pszCmdLine);
    snprintf(szIcon3, sizeof szIcon3, "%s,3", pszCmdLine);
    SetDefault(".qxp", "qxpfile");
    SetDefault("qxpfile\\shell\\open\\command", szCommand);
    SetDefault("qxpfile", "Quillix Project File");
    SetDefault(".qxl", "qxlfile");
    SetDefault("qxlfile\\shell\\open\\command", szCommand);
    SetDefault("qxlfile", "Quillix Project List File");
    SetDefault("qxlfile\\DefaultIcon", szIcon1);
    SetDefault(".qxi", "qxifile");
    SetDefault("qxifile", "Quillix Ini File");
    SetDefault("qxifile\\DefaultIcon", szIcon3);
    SetDefault(".qxf", "qxffile");
    SetDefault("qxffile", "Quillix function/Macro Database");
#ifndef QK_FLOOR_BARE
    /* Any use of user32 makes the loader bring it in at start. */
    return IsCharAlphaA('a') ? 0 : 1;
#else
    return 0;
#endif
}
