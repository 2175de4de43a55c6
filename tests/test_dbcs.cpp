/*
 * test_dbcs.cpp: paths with double-byte characters of code page 932,
 * whose second byte may be 0x5C (the backslash) or 0x7C (the bar).  This
 * program runs under the Japanese locale, so it and the programs it starts
 * use code page 932.
 */
#include <gtest/gtest.h>

#include <stdio.h>

#include <string>
#include <vector>

#include "derive.h"
#include "guidrive.h"
#include "pelmor.h"
#include "resource.h"
#include "testutil.h"

namespace {

const DWORD WAIT_MS = 15000;

/* Katakana in code page 932: "so" and "po" end in 0x5C and 0x7C. */
#define SO "\x83\x5c"
#define FU "\x83\x74"
#define TO "\x83\x67"
#define PO "\x83\x7c"
/* The kanji "hyo", also ending in 0x5C. */
#define HYO "\x95\x5c"
/* A folder name whose last byte is 0x5C, and the same in UTF-16. */
const char gszFutoso[] = FU TO SO;
const wchar_t gwszFutoso[] = L"\u30d5\u30c8\u30bd";

const char gszReady[] = "Now, Borland C++ 5.51 compiler is ready for installing.";

std::wstring Wide(const std::string &str)
{
    int cch = MultiByteToWideChar(CP_ACP, 0, str.c_str(), -1, NULL, 0);
    std::vector<wchar_t> wide((size_t)(cch > 0 ? cch : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, str.c_str(), -1, wide.data(), cch);
    return wide.data();
}

/* A value as the registry holds it, in UTF-16: what every other program
 * reads, whatever its code page. */
bool ReadRegStringW(HKEY hkRoot, const wchar_t *pwszKey, const wchar_t *pwszName,
                    std::wstring *pwstrValue)
{
    wchar_t wszData[1024];
    DWORD cbData = sizeof wszData - sizeof(wchar_t);
    DWORD dwType = 0;
    HKEY hKey;
    if (RegOpenKeyExW(hkRoot, pwszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    LONG lResult = RegQueryValueExW(hKey, pwszName, NULL, &dwType, (BYTE *)wszData, &cbData);
    RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS || dwType != REG_SZ)
        return false;
    wszData[cbData / sizeof(wchar_t)] = L'\0';
    *pwstrValue = wszData;
    return true;
}

class CodePage932Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(932u, GetACP()) << "run this program with LANG=ja_JP.UTF-8";
        DeleteRegTree(HKEY_CURRENT_USER, gszRecordKey);
    }
    void TearDown() override
    {
        EndProgram(&m_program);
        DeleteRegTree(HKEY_CURRENT_USER, gszRecordKey);
        RemoveTree("C:\\qktest");
    }
    DrivenProgram m_program;
};

/* ---- the text of paths, in this process ---- */

TEST_F(CodePage932Test, PathTextStepsOverSecondBytes)
{
    static const struct {
        const char *pszFolder;
        const char *pszName;
        const char *pszJoined;
    } aJoins[] = {
        {"C:\\" SO, "Bin", "C:\\" SO "\\Bin"},
        {"C:\\" HYO, "Lib\\PSDK", "C:\\" HYO "\\Lib\\PSDK"},
        {"C:\\" SO "\\", "Bin", "C:\\" SO "\\Bin"},
        {"C:\\", SO, "C:\\" SO},
    };
    for (const auto &join : aJoins) {
        char szPath[BK_PATH_SIZE];
        lstrcpynA(szPath, join.pszFolder, sizeof szPath);
        EXPECT_EQ((int)strlen(join.pszJoined), myGetFullPathName(NULL, szPath, join.pszName));
        EXPECT_STREQ(join.pszJoined, szPath);
    }

    static const struct {
        const char *pszPath;
        const char *pszUpper;
    } aUppers[] = {
        {"C:\\" SO "\\Bin", "C:\\" SO},
        {"C:\\Tools\\" SO, "C:\\Tools"},
        {"C:\\Tools\\" SO HYO, "C:\\Tools"},
        {"C:\\" SO "\\", "C:\\"},
        {"C:\\" FU TO SO, "C:\\"},
    };
    for (const auto &upper : aUppers) {
        char szPath[BK_PATH_SIZE];
        lstrcpynA(szPath, upper.pszPath, sizeof szPath);
        EXPECT_EQ(1, GetUpperDirectory(szPath)) << upper.pszPath;
        EXPECT_STREQ(upper.pszUpper, szPath);
    }

    /* Three characters are backslashes, not the four bytes 0x5C. */
    const char szCommand[] = "C:\\" SO "\\" HYO "\\q.exe";
    EXPECT_EQ(3, IsCharacterFound(szCommand, szCommand, '\\', 0));
    EXPECT_TRUE(IsCharacterFound(szCommand, szCommand, '\\', 4));
    EXPECT_FALSE(IsCharacterFound(szCommand, szCommand, '\\', 3));

    char szValue[] = "C:\\" SO "\\Lib;C:\\" SO "\\Lib\\PSDK";
    char *pCut = CutAtSemicolon(szValue);
    ASSERT_NE(nullptr, pCut);
    EXPECT_STREQ("C:\\" SO "\\Lib", szValue);
    EXPECT_STREQ("C:\\" SO "\\Lib\\PSDK", pCut + 1);

    /* A message shows the start and the end of a long path, never half
     * of a character. */
    std::string strLong = "C:\\";
    for (int i = 0; i < 300; i++)
        strLong += SO;
    strLong += "\\end";
    std::vector<char> text(strLong.begin(), strLong.end());
    text.push_back('\0');
    char chSaved = 0;
    int nPos = ExtractPath(text.data(), &chSaved);
    EXPECT_EQ(3 + 47 * 2, nPos);
    std::string strShown(text.data());
    EXPECT_LT(strShown.size(), (size_t)BK_SHOWN_PATH);
    EXPECT_EQ(strLong.substr(0, 3 + 47 * 2) + "...", strShown.substr(0, 3 + 47 * 2 + 3));
    EXPECT_EQ(strLong.substr(strLong.size() - (strShown.size() - 3 - 47 * 2 - 3)),
              strShown.substr(3 + 47 * 2 + 3));
    EXPECT_EQ(0u, (strShown.size() - 3 - 47 * 2 - 3 - 4) % 2) << "half a character at the end";
    RecoverPath(nPos, chSaved);
    EXPECT_EQ(strLong, std::string(text.data()));
}

TEST_F(CodePage932Test, PreviewAndMarkerSearchSeeWholeCharacters)
{
    const std::string strRoot = std::string("C:\\") + gszFutoso;
    const std::string astrExpected[] = {strRoot + "\\Bin", strRoot + "\\Include",
                                        strRoot + "\\Lib;" + strRoot + "\\Lib\\PSDK"};
    for (int k = 0; k <= KIND_LIBRARY; k++) {
        char szValue[BK_PATH_SIZE];
        BuildFolderValue(strRoot.c_str(), k, 0, szValue);
        EXPECT_EQ(astrExpected[k], szValue) << "value " << k;
    }

    /* "\Lib" must start at a character: here its 0x5C is a second byte. */
    static const struct {
        const char *pszFolder;
        const char *pszMarker; /* null: not a library folder */
    } aMarkers[] = {
        {"C:\\x" SO "Lib", NULL},
        {"C:\\x" SO "Lib\\" SO "PSDK", NULL},
        {"C:\\" SO "\\Lib", "cw32.lib"},
        {"C:\\" SO "\\Lib\\" HYO "PSDK", "cw32.lib"},
        {"C:\\" SO "\\Lib\\PSDK", "shell32.lib"},
    };
    for (const auto &marker : aMarkers) {
        int nSlot = -1;
        const char *pszFound = GetMarkerFile(KIND_LIBRARY, marker.pszFolder, &nSlot);
        EXPECT_STREQ(marker.pszMarker, pszFound) << marker.pszFolder;
    }
}

TEST_F(CodePage932Test, FolderTreeIsMadeLevelByLevel)
{
    std::string strBase = FreshFolder("tree");
    std::string strDeep = strBase + "\\" SO "\\" HYO "\\Lib";
    EXPECT_EQ(0, MakeDirTree(strDeep.c_str()));
    EXPECT_TRUE(FolderExists(strBase + "\\" SO));
    EXPECT_TRUE(FolderExists(strBase + "\\" SO "\\" HYO));
    EXPECT_TRUE(FolderExists(strDeep));
}

/* ---- the real programs ---- */

TEST_F(CodePage932Test, EarlierInstallationIsFoundShownAndInstalledAgain)
{
    std::string strStart;
    ASSERT_TRUE(MakeStartFolder("start", &strStart));
    const std::string strRoot = FreshFolder(gszFutoso);
    MakeCompilerLayout(strRoot);
    WriteRegString(HKEY_CURRENT_USER, gszRecordKey, "ExeFile", (strRoot + "\\Bin").c_str());
    WriteRegString(HKEY_CURRENT_USER, gszRecordKey, "IncludeFile", (strRoot + "\\Include").c_str());
    WriteRegString(HKEY_CURRENT_USER, gszRecordKey, "LibFile",
                   (strRoot + "\\Lib;" + strRoot + "\\Lib\\PSDK").c_str());

    ASSERT_TRUE(StartProgram(JoinPath(strStart, "Pelmor.exe").c_str(), NULL, strStart.c_str(),
                             &m_program));
    BoxSeen seen = AnswerMessageBox(m_program.dwProcessId, gszBoxCaption, IDYES, WAIT_MS);
    EXPECT_EQ("Do you want to install Borland C++ 5.51 in\n\n  Executable: " + strRoot +
                  "\\Bin\n  Include: " + strRoot + "\\Include\n  Library: " + strRoot +
                  "\\Lib\n  Windows Library: " + strRoot + "\\Lib\\PSDK\n\nfolders, again?",
              seen.strText);

    /* The title page proposes the root above the Bin folder found. */
    HWND hwndTitle = WaitForDialog(m_program.dwProcessId, gszTitleCaption, WAIT_MS);
    ASSERT_NE(nullptr, hwndTitle);
    EXPECT_EQ(strRoot, ControlText(hwndTitle, IDC_FOLDER));
    EXPECT_EQ(strRoot + "\\Bin", ControlText(hwndTitle, IDC_EXE_FOLDER));
    EXPECT_EQ(strRoot + "\\Include", ControlText(hwndTitle, IDC_INCLUDE_FOLDER));
    EXPECT_EQ(strRoot + "\\Lib;" + strRoot + "\\Lib\\PSDK", ControlText(hwndTitle, IDC_LIBRARY_FOLDER));

    PressButton(hwndTitle, IDOK);
    EXPECT_EQ(gszReady, AnswerMessageBox(m_program.dwProcessId, gszBoxCaption, IDOK, WAIT_MS).strText);
    HWND hwndLicence = WaitForLicencePage(m_program.dwProcessId, WAIT_MS);
    ASSERT_NE(nullptr, hwndLicence);
    ScrollLicenceToEnd(hwndLicence);
    PressButton(hwndLicence, IDC_INSTALL);
    EXPECT_EQ(1, WaitProgramExit(&m_program, WAIT_MS));

    /* Recorded as the same characters, for programs of any code page. */
    const std::wstring wstrRoot = std::wstring(L"C:\\qktest\\") + gwszFutoso;
    const wchar_t *pwszKey = L"Software\\Vostrel\\QuillixUs\\Directory";
    std::wstring wstrValue;
    ASSERT_TRUE(ReadRegStringW(HKEY_CURRENT_USER, pwszKey, L"ExeFile", &wstrValue));
    EXPECT_EQ(wstrRoot + L"\\Bin", wstrValue);
    ASSERT_TRUE(ReadRegStringW(HKEY_CURRENT_USER, pwszKey, L"IncludeFile", &wstrValue));
    EXPECT_EQ(wstrRoot + L"\\Include", wstrValue);
    ASSERT_TRUE(ReadRegStringW(HKEY_CURRENT_USER, pwszKey, L"LibFile", &wstrValue));
    EXPECT_EQ(wstrRoot + L"\\Lib;" + wstrRoot + L"\\Lib\\PSDK", wstrValue);
    EXPECT_FALSE(FileExists(JoinPath(strRoot, "kitpack.exe")));
}

TEST_F(CodePage932Test, TitlePageTakesANameWhoseSecondByteIsABar)
{
    std::string strStart;
    ASSERT_TRUE(MakeStartFolder("start", &strStart));
    ASSERT_TRUE(StartProgram(JoinPath(strStart, "Pelmor.exe").c_str(), NULL, strStart.c_str(),
                             &m_program));
    HWND hwndTitle = WaitForDialog(m_program.dwProcessId, gszTitleCaption, WAIT_MS);
    ASSERT_NE(nullptr, hwndTitle);
    std::string strRoot = FreshFolder("bar") + "\\" PO;
    SetControlText(hwndTitle, IDC_FOLDER, strRoot.c_str());
    EXPECT_EQ(strRoot + "\\Lib;" + strRoot + "\\Lib\\PSDK", ControlText(hwndTitle, IDC_LIBRARY_FOLDER));
    PressButton(hwndTitle, IDOK);
    BoxSeen seen = AnswerMessageBox(m_program.dwProcessId, gszBoxCaption, IDCANCEL, WAIT_MS);
    EXPECT_EQ(gszReady, seen.strText) << "the name was refused";
}

TEST_F(CodePage932Test, RegistrarTakesAPathWhoseLastFolderEndsIn5C)
{
    ClearFileTypes();
    std::string strFolder = FreshFolder(gszFutoso);
    std::string strExe = strFolder + "\\quillant.exe";
    ASSERT_TRUE(WriteTextFile(strExe, "stand-in"));

    static const struct {
        const char *pszArgs; /* %s: the path */
        const char *pszTitle;
        const char *pszText;
    } aRuns[] = {
        {"1\"%s\"", "Assciated files for Quillant", "File types for Quillant are updated."},
        {"1%s", "Assciated files for Quillant", "File types for Quillant are already registered."},
        {"1" SO ":\\x.exe", "File associations for Quillant",
         "This application can be executed from Quillant."},
    };
    for (const auto &run : aRuns) {
        char szArgs[600];
        snprintf(szArgs, sizeof szArgs, run.pszArgs, strExe.c_str());
        ASSERT_TRUE(StartProgram(ProgramPath("Typebind.exe").c_str(), szArgs, NULL, &m_program));
        BoxSeen seen = AnswerMessageBox(m_program.dwProcessId, run.pszTitle, IDOK, WAIT_MS);
        EXPECT_EQ(run.pszText, seen.strText) << szArgs;
        EXPECT_EQ(1, WaitProgramExit(&m_program, WAIT_MS));
    }

    const std::wstring wstrExe = std::wstring(L"C:\\qktest\\") + gwszFutoso + L"\\quillant.exe";
    std::wstring wstrValue;
    ASSERT_TRUE(ReadRegStringW(HKEY_CLASSES_ROOT, L"qxpfile\\shell\\open\\command", L"", &wstrValue));
    EXPECT_EQ(wstrExe + L" \"%1\"", wstrValue);
    ASSERT_TRUE(ReadRegStringW(HKEY_CLASSES_ROOT, L"qxifile\\DefaultIcon", L"", &wstrValue));
    EXPECT_EQ(wstrExe + L",3", wstrValue);
    EXPECT_EQ(Wide(strExe), wstrExe);
    ClearFileTypes();
}

} // namespace
