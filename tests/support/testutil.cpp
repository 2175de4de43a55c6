/*
 * testutil.cpp: folders, files and registry keys that a test owns.
 */
#include "testutil.h"

#include <algorithm>
#include <stdio.h>

const char gszRecordKey[] = "Software\\Vostrel\\QuillixUs\\Directory";

std::string ProgramFolder()
{
    char szPath[MAX_PATH];
    GetModuleFileNameA(NULL, szPath, sizeof szPath);
    std::string strPath(szPath);
    return strPath.substr(0, strPath.find_last_of('\\'));
}

std::string ProgramPath(const char *pszName)
{
    return JoinPath(ProgramFolder(), pszName);
}

std::string JoinPath(const std::string &strFolder, const std::string &strName)
{
    /* The last character, not the last byte: in a double-byte code page
     * the second byte of a character may be 0x5C. */
    bool bSeparator = false;
    for (size_t i = 0; i < strFolder.size(); i++) {
        bSeparator = strFolder[i] == '\\';
        if (IsDBCSLeadByte((BYTE)strFolder[i]) && i + 1 < strFolder.size())
            i++;
    }
    if (bSeparator)
        return strFolder + strName;
    return strFolder + "\\" + strName;
}

std::string FreshFolder(const std::string &strName)
{
    CreateDirectoryA("C:\\qktest", NULL);
    std::string strFolder = JoinPath("C:\\qktest", strName);
    RemoveTree(strFolder);
    CreateDirectoryA(strFolder.c_str(), NULL);
    return strFolder;
}

bool MakeStartFolder(const std::string &strName, std::string *pstrFolder)
{
    *pstrFolder = FreshFolder(strName);
    return CopyFileTo(ProgramPath("Pelmor.exe"), JoinPath(*pstrFolder, "Pelmor.exe")) &&
           CopyFileTo(ProgramPath("kitpack.exe"), JoinPath(*pstrFolder, "kitpack.exe"));
}

void MakeCompilerLayout(const std::string &strRoot)
{
    static const char *const apszFolders[] = {"", "Bin", "Include", "Lib", "Lib\\PSDK", NULL};
    static const char *const apszFiles[] = {"Bin\\bcc32.exe", "Include\\stdio.h", "Lib\\cw32.lib",
                                            "Lib\\PSDK\\shell32.lib", NULL};
    for (int i = 0; apszFolders[i] != NULL; i++)
        CreateDirectoryA(JoinPath(strRoot, apszFolders[i]).c_str(), NULL);
    for (int i = 0; apszFiles[i] != NULL; i++)
        WriteTextFile(JoinPath(strRoot, apszFiles[i]), "x");
}

bool FileExists(const std::string &strPath)
{
    DWORD dw = GetFileAttributesA(strPath.c_str());
    return dw != INVALID_FILE_ATTRIBUTES && !(dw & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string &strPath)
{
    DWORD dw = GetFileAttributesA(strPath.c_str());
    return dw != INVALID_FILE_ATTRIBUTES && (dw & FILE_ATTRIBUTE_DIRECTORY);
}

bool WriteTextFile(const std::string &strPath, const std::string &strText)
{
    FILE *pFile = fopen(strPath.c_str(), "wb");
    if (pFile == NULL)
        return false;
    bool bDone = fwrite(strText.data(), 1, strText.size(), pFile) == strText.size();
    return fclose(pFile) == 0 && bDone;
}

std::string ReadTextFile(const std::string &strPath)
{
    std::string strText;
    FILE *pFile = fopen(strPath.c_str(), "rb");
    if (pFile == NULL)
        return strText;
    char ach[4096];
    size_t cb;
    while ((cb = fread(ach, 1, sizeof ach, pFile)) > 0)
        strText.append(ach, cb);
    fclose(pFile);
    return strText;
}

bool CopyFileTo(const std::string &strFrom, const std::string &strTo)
{
    return CopyFileA(strFrom.c_str(), strTo.c_str(), FALSE) != FALSE;
}

void RemoveTree(const std::string &strPath)
{
    DWORD dw = GetFileAttributesA(strPath.c_str());
    if (dw == INVALID_FILE_ATTRIBUTES)
        return;
    if (!(dw & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesA(strPath.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(strPath.c_str());
        return;
    }
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA(JoinPath(strPath, "*").c_str(), &fd);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            std::string strName = fd.cFileName;
            if (strName != "." && strName != "..")
                RemoveTree(JoinPath(strPath, strName));
        } while (FindNextFileA(hFind, &fd));
        FindClose(hFind);
    }
    RemoveDirectoryA(strPath.c_str());
}

static void ListInto(const std::string &strFolder, const std::string &strPrefix,
                     std::vector<std::string> *pList)
{
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA(JoinPath(strFolder, "*").c_str(), &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string strName = fd.cFileName;
        if (strName == "." || strName == "..")
            continue;
        std::string strRelative = strPrefix.empty() ? strName : strPrefix + "\\" + strName;
        pList->push_back(strRelative);
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ListInto(JoinPath(strFolder, strName), strRelative, pList);
    } while (FindNextFileA(hFind, &fd));
    FindClose(hFind);
}

std::vector<std::string> ListTree(const std::string &strFolder)
{
    std::vector<std::string> list;
    ListInto(strFolder, "", &list);
    std::sort(list.begin(), list.end());
    return list;
}

bool ReadRegString(HKEY hkRoot, const char *pszKey, const char *pszName, std::string *pstrValue)
{
    HKEY hKey;
    if (RegOpenKeyExA(hkRoot, pszKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return false;
    char szValue[4096];
    DWORD cb = sizeof szValue - 1;
    DWORD dwType = 0;
    LONG l = RegQueryValueExA(hKey, pszName, NULL, &dwType, (BYTE *)szValue, &cb);
    RegCloseKey(hKey);
    if (l != ERROR_SUCCESS || dwType != REG_SZ)
        return false;
    szValue[cb] = '\0';
    *pstrValue = szValue;
    return true;
}

bool WriteRegString(HKEY hkRoot, const char *pszKey, const char *pszName, const char *pszValue)
{
    HKEY hKey;
    if (RegCreateKeyExA(hkRoot, pszKey, 0, NULL, 0, KEY_SET_VALUE, NULL, &hKey, NULL) !=
        ERROR_SUCCESS)
        return false;
    LONG l = RegSetValueExA(hKey, pszName, 0, REG_SZ, (const BYTE *)pszValue,
                            (DWORD)lstrlenA(pszValue) + 1);
    RegCloseKey(hKey);
    return l == ERROR_SUCCESS;
}

bool RegKeyExists(HKEY hkRoot, const char *pszKey)
{
    HKEY hKey;
    if (RegOpenKeyExA(hkRoot, pszKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

void DeleteRegTree(HKEY hkRoot, const char *pszKey)
{
    HKEY hKey;
    if (RegOpenKeyExA(hkRoot, pszKey, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        return;
    char szSub[256];
    for (;;) {
        DWORD cch = sizeof szSub;
        if (RegEnumKeyExA(hKey, 0, szSub, &cch, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        std::string strSub = std::string(pszKey) + "\\" + szSub;
        DeleteRegTree(hkRoot, strSub.c_str());
    }
    RegCloseKey(hKey);
    RegDeleteKeyA(hkRoot, pszKey);
}

unsigned long long RegKeyWriteTime(HKEY hkRoot, const char *pszKey)
{
    HKEY hKey;
    if (RegOpenKeyExA(hkRoot, pszKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return 0;
    FILETIME ft = {0, 0};
    RegQueryInfoKeyA(hKey, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, &ft);
    RegCloseKey(hKey);
    return ((unsigned long long)ft.dwHighDateTime << 32) | ft.dwLowDateTime;
}

const char *const gapszFileTypeKeys[] = {".qxp", ".qxl", ".qxi", ".qxf",
                                         "qxpfile", "qxlfile", "qxifile", "qxffile", NULL};

void ClearFileTypes(void)
{
    for (int i = 0; gapszFileTypeKeys[i] != NULL; i++)
        DeleteRegTree(HKEY_CLASSES_ROOT, gapszFileTypeKeys[i]);
}

std::vector<std::pair<std::string, std::string>> FullRegistrationEntries(const std::string &strP)
{
    return {{".qxp", "qxpfile"},
            {"qxpfile\\shell\\open\\command", strP + " \"%1\""},
            {"qxpfile", "Quillix Project File"},
            {".qxl", "qxlfile"},
            {"qxlfile\\shell\\open\\command", strP + " \"%1\""},
            {"qxlfile", "Quillix Project List File"},
            {"qxlfile\\DefaultIcon", strP + ",1"},
            {".qxi", "qxifile"},
            {"qxifile", "Quillix Ini File"},
            {"qxifile\\DefaultIcon", strP + ",3"},
            {".qxf", "qxffile"},
            {"qxffile", "Quillix function/Macro Database"}};
}
