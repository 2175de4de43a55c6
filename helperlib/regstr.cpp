/*
 * regstr.cpp: default and named string values tested and written one by
 * one, for registrations that write only what is absent or different.
 */
#include "basekit.h"

#include <string.h>

static int gnRegistryAdmin;

int SetRegistrySettingForAdmin(int nAdmin)
{
    int nPrevious = gnRegistryAdmin;
    gnRegistryAdmin = nAdmin;
    return nPrevious;
}

int ReleaseTempForRegistry(void)
{
    gnRegistryAdmin = 0;
    return 0;
}

static int BuildKeyName(char *pszFull, int cbFull, const char *pszKey, const char *pszSubkey)
{
    if (pszSubkey == NULL || *pszSubkey == '\0') {
        if (lstrlenA(pszKey) >= cbFull)
            return -1;
        lstrcpynA(pszFull, pszKey, cbFull);
        return 0;
    }
    return JoinPathInBuffer(pszFull, cbFull, pszKey, pszSubkey) < 0 ? -1 : 0;
}

/* Reads a string value; 1 when read, 0 when the key or value is absent
 * or is no string. */
static int ReadStringValue(HKEY hkRoot, const char *pszKey, const char *pszName, char *pszValue,
                           DWORD cbValue)
{
    HKEY hKey;
    if (RegOpenKeyExA(hkRoot, pszKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return 0;
    DWORD dwType = 0;
    DWORD cbData = cbValue - 1;
    LONG lResult = RegQueryValueExA(hKey, pszName, NULL, &dwType, (BYTE *)pszValue, &cbData);
    RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS || (dwType != REG_SZ && dwType != REG_EXPAND_SZ))
        return 0;
    pszValue[cbData] = '\0';
    return 1;
}

static int IsSameText(const char *pszA, int cchA, const char *pszB, int cchB)
{
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, pszA, cchA, pszB, cchB) ==
           CSTR_EQUAL;
}

/* What may follow the program in a value that this system writes:
 * nothing, an open command's " "%1"", or an icon index ",N". */
static int IsKnownSuffix(const char *pszRest)
{
    if (*pszRest == '\0' || strcmp(pszRest, " \"%1\"") == 0)
        return 1;
    if (*pszRest != ',')
        return 0;
    const char *p = pszRest + 1;
    if (*p == '-')
        p++;
    if (*p < '0' || *p > '9')
        return 0;
    while (*p >= '0' && *p <= '9')
        p++;
    return *p == '\0';
}

static int IsProgramInValue(const char *pszValue, const char *pszProgram)
{
    int cchProgram = lstrlenA(pszProgram);
    int bQuoted = pszValue[0] == '"';
    const char *pPath = pszValue + bQuoted;
    if (cchProgram == 0 || (int)strnlen(pPath, (size_t)cchProgram) < cchProgram ||
        !IsSameText(pPath, cchProgram, pszProgram, cchProgram))
        return -2;
    const char *pRest = pPath + cchProgram;
    if (bQuoted) {
        if (*pRest != '"')
            return -2;
        pRest++;
    }
    return IsKnownSuffix(pRest) ? 1 : -2;
}

int myIsStrHereInRegistry(HKEY hkRoot, const char *pszKey, const char *pszSubkey,
                          const char *pszName, int nValues, const char *pszExpected, int nMatch)
{
    (void)nValues;
    char szKey[1024];
    char szValue[2048];
    if (pszKey == NULL || pszExpected == NULL ||
        BuildKeyName(szKey, sizeof szKey, pszKey, pszSubkey) != 0)
        return 0;
    if (!ReadStringValue(hkRoot, szKey, pszName, szValue, sizeof szValue))
        return 0;
    if (nMatch == 1)
        return IsProgramInValue(szValue, pszExpected);
    return strcmp(szValue, pszExpected) == 0 ? 1 : 0;
}

int mySetStrInRegistry(HKEY hkRoot, const char *pszKey, const char *pszSubkey,
                       const char *pszName, const char *pszData)
{
    char szKey[1024];
    HKEY hKey;
    if (pszKey == NULL || pszData == NULL || BuildKeyName(szKey, sizeof szKey, pszKey, pszSubkey) != 0)
        return -1;
    if (RegCreateKeyExA(hkRoot, szKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, NULL,
                        &hKey, NULL) != ERROR_SUCCESS)
        return -1;
    LONG lResult = RegSetValueExA(hKey, pszName, 0, REG_SZ, (const BYTE *)pszData,
                                  (DWORD)lstrlenA(pszData) + 1);
    RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS ? 0 : -1;
}
