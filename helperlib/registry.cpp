/*
 * registry.cpp: named string values of a key, read and written like the
 * entries of a settings file.
 */
#include "basekit.h"

int myFindPrivateProfileString(HKEY hkRoot, const char *pszKey, const char *pszName,
                               const char *pszDefault, char *pszBuffer, int cbBuffer)
{
    HKEY hKey;
    if (pszBuffer == NULL || cbBuffer <= 0)
        return -1;
    lstrcpynA(pszBuffer, pszDefault != NULL ? pszDefault : "", cbBuffer);
    if (RegOpenKeyExA(hkRoot, pszKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return 0;

    DWORD dwType = 0;
    /* One byte is kept back so the text is ended even when the stored
     * value was written without its NUL. */
    DWORD cbData = (DWORD)cbBuffer - 1;
    LONG lResult = RegQueryValueExA(hKey, pszName, NULL, &dwType, (BYTE *)pszBuffer, &cbData);
    RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS || (dwType != REG_SZ && dwType != REG_EXPAND_SZ)) {
        lstrcpynA(pszBuffer, pszDefault != NULL ? pszDefault : "", cbBuffer);
        return 0;
    }
    pszBuffer[cbData] = '\0';
    return lstrlenA(pszBuffer);
}

int mySetPrivateProfileString(HKEY hkRoot, const char *pszKey, const char *pszName,
                              const char *pszData, int cbData)
{
    HKEY hKey;
    if (pszData == NULL || cbData <= 0)
        return -1;
    DWORD cch = 0;
    while ((int)cch < cbData && pszData[cch] != '\0')
        cch++;
    /* A text that does not end inside its buffer is not stored cut. */
    if ((int)cch == cbData)
        return -1;
    if (RegCreateKeyExA(hkRoot, pszKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, NULL,
                        &hKey, NULL) != ERROR_SUCCESS)
        return -1;
    /* The stored value carries its NUL. */
    LONG lResult = RegSetValueExA(hKey, pszName, 0, REG_SZ, (const BYTE *)pszData, cch + 1);
    RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS ? 0 : -1;
}
