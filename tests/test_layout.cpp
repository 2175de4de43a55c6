/*
 * test_layout.cpp: the install layout, the derived folder values and the
 * path operations they rest on, in process, on Wine's real file system
 * and registry.
 */
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>
#include <string>

#include "guidrive.h"
#include "pelmor.h"
#include "testutil.h"

namespace {

struct JoinCase {
    const char *pszFolder;
    const char *pszName;
    const char *pszExpected;
};

TEST(PathJoin, JoinsWithOneSeparator)
{
    static const JoinCase aCases[] = {
        {"D:\\Tools\\BCC", "Bin", "D:\\Tools\\BCC\\Bin"},
        {"D:\\Tools\\BCC\\", "Bin", "D:\\Tools\\BCC\\Bin"},
        {"C:\\", "Lib\\PSDK", "C:\\Lib\\PSDK"},
        {"C:\\Program Files\\x", "kitpack.exe", "C:\\Program Files\\x\\kitpack.exe"},
        {"C:\\a", "", "C:\\a"},
    };
    for (const JoinCase &c : aCases) {
        char szDst[BK_PATH_SIZE];
        char szFolder[BK_PATH_SIZE];
        lstrcpynA(szFolder, c.pszFolder, sizeof szFolder);
        EXPECT_EQ((int)strlen(c.pszExpected), myGetFullPathName(szDst, szFolder, c.pszName));
        EXPECT_STREQ(c.pszExpected, szDst) << c.pszFolder << " + " << c.pszName;
        EXPECT_STREQ(c.pszFolder, szFolder) << "folder changed though a destination was given";
        myGetFullPathName(NULL, szFolder, c.pszName);
        EXPECT_STREQ(c.pszExpected, szFolder) << "join back into the folder";
    }
}

TEST(PathJoin, RefusesWhatDoesNotFit)
{
    std::string strFolder = "C:\\" + std::string(512, 'f'); /* 515 characters */
    char szFolder[BK_PATH_SIZE];
    char szDst[BK_PATH_SIZE + 8];
    memset(szDst, 'X', sizeof szDst);
    lstrcpynA(szFolder, strFolder.c_str(), sizeof szFolder);
    /* 515 + 1 + 3 = 519 characters fit; 515 + 1 + 4 do not. */
    EXPECT_EQ(519, myGetFullPathName(szDst, szFolder, "Bin"));
    EXPECT_EQ(-1, myGetFullPathName(szDst, szFolder, "Bin2"));
    EXPECT_STREQ("", szDst) << "a refused join leaves no cut path";
    EXPECT_EQ('X', szDst[BK_PATH_SIZE]);
    EXPECT_EQ(-1, myGetFullPathName(NULL, szFolder, "Bin2"));
    EXPECT_EQ(strFolder, szFolder) << "a refused join leaves the folder as it was";
}

TEST(PathParent, CutsTheLastComponent)
{
    static const struct {
        const char *pszPath;
        const char *pszExpected;
    } aCases[] = {
        {"C:\\Borland\\Bcc55\\Bin", "C:\\Borland\\Bcc55"},
        {"C:\\Bin", "C:\\"},
        {"C:\\Borland\\Bcc55\\", "C:\\Borland"},
        {"C:\\", "C:\\"},
        {"Bin", "Bin"},
        {"\\\\server\\share\\Bcc55", "\\\\server\\share"},
    };
    for (const auto &c : aCases) {
        char szPath[BK_PATH_SIZE];
        lstrcpynA(szPath, c.pszPath, sizeof szPath);
        GetUpperDirectory(szPath);
        EXPECT_STREQ(c.pszExpected, szPath) << c.pszPath;
    }
}

class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteRegTree(HKEY_CURRENT_USER, gszRecordKey);
        m_strRoot = FreshFolder("layout");
    }
    void TearDown() override
    {
        DeleteRegTree(HKEY_CURRENT_USER, gszRecordKey);
        RemoveTree(m_strRoot);
    }
    std::string m_strRoot;
};

TEST_F(LayoutTest, DisplayDerivesThreeValuesAndTouchesNothing)
{
    static const char *const apszExpected[] = {
        "D:\\Tools\\BCC\\Bin", "D:\\Tools\\BCC\\Include", "D:\\Tools\\BCC\\Lib;D:\\Tools\\BCC\\Lib\\PSDK"};
    for (int k = 0; k < 3; k++) {
        char szValue[BK_PATH_SIZE];
        BuildFolderValue("D:\\Tools\\BCC", k, 0, szValue);
        EXPECT_STREQ(apszExpected[k], szValue) << "value " << k;
    }
    std::string strMissing = JoinPath(m_strRoot, "not made");
    char szValue[BK_PATH_SIZE];
    BuildFolderValue(strMissing.c_str(), 2, 0, szValue);
    EXPECT_EQ(strMissing + "\\Lib;" + strMissing + "\\Lib\\PSDK", std::string(szValue));
    EXPECT_FALSE(FolderExists(strMissing)) << "display created a folder";
    EXPECT_TRUE(ListTree(m_strRoot).empty());
}

TEST_F(LayoutTest, RecordingWritesTheValuesAndMakesOnlyLibPsdk)
{
    CreateDirectoryA(JoinPath(m_strRoot, "Lib").c_str(), NULL);
    lstrcpynA(gszInstallFolder, m_strRoot.c_str(), sizeof gszInstallFolder);
    RecordInstallPaths();

    std::string strValue;
    ASSERT_TRUE(ReadRegString(HKEY_CURRENT_USER, gszRecordKey, "ExeFile", &strValue));
    EXPECT_EQ(m_strRoot + "\\Bin", strValue);
    ASSERT_TRUE(ReadRegString(HKEY_CURRENT_USER, gszRecordKey, "IncludeFile", &strValue));
    EXPECT_EQ(m_strRoot + "\\Include", strValue);
    ASSERT_TRUE(ReadRegString(HKEY_CURRENT_USER, gszRecordKey, "LibFile", &strValue));
    EXPECT_EQ(m_strRoot + "\\Lib;" + m_strRoot + "\\Lib\\PSDK", strValue);

    std::vector<std::string> tree = ListTree(m_strRoot);
    ASSERT_EQ(2u, tree.size());
    EXPECT_EQ("Lib", tree[0]);
    EXPECT_EQ("Lib\\PSDK", tree[1]);
}

TEST_F(LayoutTest, RecordingNeverMakesLibItself)
{
    lstrcpynA(gszInstallFolder, m_strRoot.c_str(), sizeof gszInstallFolder);
    RecordInstallPaths();
    EXPECT_TRUE(ListTree(m_strRoot).empty());
}

TEST_F(LayoutTest, RecordingUsesTheFoldersLongForm)
{
    std::string strRoot = JoinPath(m_strRoot, "Long Folder Name");
    CreateDirectoryA(strRoot.c_str(), NULL);
    CreateDirectoryA(JoinPath(strRoot, "Lib").c_str(), NULL);
    /* Another spelling of the same folder, no longer than its long form. */
    std::string strSpelled = m_strRoot + "\\.\\Long Folder Name";
    lstrcpynA(gszInstallFolder, strSpelled.c_str(), sizeof gszInstallFolder);
    RecordInstallPaths();
    std::string strValue;
    ASSERT_TRUE(ReadRegString(HKEY_CURRENT_USER, gszRecordKey, "LibFile", &strValue));
    EXPECT_EQ(strRoot + "\\Lib;" + strRoot + "\\Lib\\PSDK", strValue);
}

/* Roots whose library value only just fits, or does not: 2 * r + 15
 * bytes with the NUL in a 520-byte buffer. */
TEST(LayoutLongRoot, LibraryValueIsWholeOrRefused)
{
    static const struct {
        int cchRoot;
        bool bFits;
    } aCases[] = {{252, true}, {253, false}, {400, false}, {514, false}, {519, false}};
    for (const auto &c : aCases) {
        std::string strRoot = "C:\\" + std::string((size_t)c.cchRoot - 3, 'r');
        char szValue[BK_PATH_SIZE + 32];
        memset(szValue, 'G', sizeof szValue);
        BuildFolderValue(strRoot.c_str(), 2, 0, szValue);
        for (size_t i = BK_PATH_SIZE; i < sizeof szValue; i++)
            ASSERT_EQ('G', szValue[i]) << "written past the buffer for a root of " << c.cchRoot;
        if (c.bFits)
            EXPECT_EQ(strRoot + "\\Lib;" + strRoot + "\\Lib\\PSDK", std::string(szValue));
        else
            EXPECT_STREQ("", szValue) << "a cut value for a root of " << c.cchRoot;
    }
}

TEST(Detection, CutAtSemicolonSplitsAtTheFirst)
{
    static const struct {
        const char *pszText;
        const char *pszFirst;
        const char *pszRest; /* null: no separator */
    } aCases[] = {
        {"C:\\a\\Lib;C:\\a\\Lib\\PSDK", "C:\\a\\Lib", "C:\\a\\Lib\\PSDK"},
        {"C:\\a;", "C:\\a", ""},
        {";C:\\a", "", "C:\\a"},
        {"C:\\a", "C:\\a", NULL},
        {"a;b;c", "a", "b;c"},
    };
    for (const auto &c : aCases) {
        char szText[64];
        lstrcpynA(szText, c.pszText, sizeof szText);
        char *pSeparator = CutAtSemicolon(szText);
        EXPECT_STREQ(c.pszFirst, szText) << c.pszText;
        if (c.pszRest == NULL) {
            EXPECT_EQ(nullptr, pSeparator) << c.pszText;
        } else {
            ASSERT_NE(nullptr, pSeparator) << c.pszText;
            EXPECT_STREQ(c.pszRest, pSeparator + 1) << c.pszText;
        }
    }
}

TEST(Detection, MarkerFileFollowsKindAndText)
{
    static const struct {
        int nKind;
        const char *pszFolder;
        const char *pszMarker; /* null: cannot be of the kind */
        int nSlot;
    } aCases[] = {
        {0, "C:\\R\\Bin", "bcc32.exe", 0},
        {1, "C:\\R\\Include", "stdio.h", 1},
        {2, "C:\\R\\Lib", "cw32.lib", 2},
        {2, "C:\\R\\Lib\\PSDK", "shell32.lib", 3},
        {3, "C:\\R\\Lib", "cw32.lib", 2},
        /* The folder's own name decides, whatever the root holds. */
        {2, "C:\\PSDK\\Lib", "cw32.lib", 2},
        {2, "C:\\PSDK\\bcc\\Lib", "cw32.lib", 2},
        {2, "C:\\PSDK\\bcc\\Lib\\PSDK", "shell32.lib", 3},
        {2, "C:\\R\\Lib\\psdk\\", "shell32.lib", 3},
        {2, "C:\\R\\Lib\\PSDKs", "cw32.lib", 2},
        {2, "C:\\R\\Libraries", "cw32.lib", 2},
        {2, "C:\\R\\Bin", NULL, -1},
        {3, "C:\\R\\PSDK", NULL, -1},
    };
    for (const auto &c : aCases) {
        int nSlot = -1;
        const char *pszMarker = GetMarkerFile(c.nKind, c.pszFolder, &nSlot);
        if (c.pszMarker == NULL) {
            EXPECT_EQ(nullptr, pszMarker) << c.pszFolder;
        } else {
            ASSERT_NE(nullptr, pszMarker) << c.pszFolder;
            EXPECT_STREQ(c.pszMarker, pszMarker) << c.pszFolder;
        }
        EXPECT_EQ(c.nSlot, nSlot) << c.pszFolder;
    }
}

TEST_F(LayoutTest, RecordsAreReadBackWholeOrNotAtAll)
{
    std::string strLong(600, 'v');
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, gszRecordKey, "ExeFile", strLong.c_str()));
    char szValue[BK_PATH_SIZE + 8];
    memset(szValue, 'G', sizeof szValue);
    myFindPrivateProfileString(HKEY_CURRENT_USER, gszDirectoryKey, "ExeFile", "", szValue,
                               BK_PATH_SIZE);
    EXPECT_STREQ("", szValue) << "a value longer than the buffer is read as absent";
    EXPECT_EQ('G', szValue[BK_PATH_SIZE]);

    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, gszRecordKey, "ExeFile", "C:\\R\\Bin"));
    myFindPrivateProfileString(HKEY_CURRENT_USER, gszDirectoryKey, "ExeFile", "", szValue,
                               BK_PATH_SIZE);
    EXPECT_STREQ("C:\\R\\Bin", szValue);
}

TEST(Release, SequenceGivesBackThePreparedRun)
{
    DWORD dwProgram = 0;
    DWORD dwOptions = 0;
    SetExcuteExeFileAndOptionsWith95Quotation(0, "kitpack.exe", 0, &dwProgram, &dwOptions);
    ASSERT_TRUE(IsExcuteExeFilePrepared());
    ReleaseHelperLibrary();
    EXPECT_FALSE(IsExcuteExeFilePrepared());
    /* Harmless when nothing is held. */
    ReleaseHelperLibrary();
    EXPECT_FALSE(IsExcuteExeFilePrepared());
}

} // namespace

namespace {

/* The statement's form: the page's threshold of 160 is built for it. */
TEST(LicenceStatement, HasTheFormThePageIsBuiltFor)
{
    std::string strText = gszLicenceStatement;
    int nLines = 1;
    int nEmpty = 0;
    size_t cchLongest = 0;
    size_t nStart = 0;
    for (size_t i = 0; i <= strText.size(); i++) {
        if (i < strText.size() && strText[i] != '\r' && strText[i] != '\n') {
            unsigned char ch = (unsigned char)strText[i];
            ASSERT_TRUE(ch >= 0x20 && ch < 0x7F) << "character " << (int)ch << " at " << i;
            continue;
        }
        size_t cchLine = i - nStart;
        cchLongest = cchLine > cchLongest ? cchLine : cchLongest;
        nEmpty += cchLine == 0;
        if (i == strText.size())
            break;
        ASSERT_EQ('\r', strText[i]) << "a line end other than CR LF at " << i;
        ASSERT_EQ('\n', strText[i + 1]) << "a line end other than CR LF at " << i;
        nLines++;
        i++;
        nStart = i + 1;
    }
    printf("licence: %zu characters, %d lines, %d empty, longest %zu\n", strText.size(), nLines,
           nEmpty, cchLongest);
    EXPECT_EQ(14699u, strText.size());
    EXPECT_EQ(189, nLines);
    EXPECT_EQ(10, nEmpty);
    EXPECT_EQ(93u, cchLongest);
    EXPECT_NE('\n', strText.back());
}

/* Cancels the first folder dialog of this process that appears. */
DWORD WINAPI CancelFolderDialog(LPVOID pParam)
{
    HWND hwndDialog = WaitForDialog(GetCurrentProcessId(), NULL, 15000);
    *static_cast<bool *>(pParam) = hwndDialog != NULL;
    if (hwndDialog != NULL)
        PressButton(hwndDialog, IDCANCEL);
    return 0;
}

/* The folder dialog runs with COM and leaves the thread's apartment as
 * it found it: none, single-threaded or multithreaded. */
TEST(FolderDialog, LeavesTheThreadsComAsItFoundIt)
{
    static const struct {
        const char *pszBefore;
        DWORD dwInit; /* -1: none */
    } aCases[] = {{"no apartment", (DWORD)-1},
                  {"single-threaded", COINIT_APARTMENTTHREADED},
                  {"multithreaded", COINIT_MULTITHREADED}};
    for (const auto &c : aCases) {
        SCOPED_TRACE(c.pszBefore);
        if (c.dwInit != (DWORD)-1) {
            ASSERT_EQ(S_OK, CoInitializeEx(NULL, c.dwInit));
        }
        bool bSeen = false;
        HANDLE hThread = CreateThread(NULL, 0, CancelFolderDialog, &bSeen, 0, NULL);
        EXPECT_EQ(0, my_wmFileOpen(NULL, GetTitleForFileOpen(2), 0, "C:\\", 1001, 0));
        ReleaseAllocMemoryForFileOpen();
        WaitForSingleObject(hThread, 20000);
        CloseHandle(hThread);
        EXPECT_TRUE(bSeen) << "no folder dialog";
        /* Asking again for the apartment it had tells what it has now:
         * S_FALSE when it is still there, S_OK when there was none. */
        DWORD dwAsk = c.dwInit == (DWORD)-1 ? (DWORD)COINIT_MULTITHREADED : c.dwInit;
        HRESULT hr = CoInitializeEx(NULL, dwAsk);
        EXPECT_EQ(c.dwInit == (DWORD)-1 ? S_OK : S_FALSE, hr) << "got 0x" << std::hex << hr;
        if (SUCCEEDED(hr))
            CoUninitialize();
        if (c.dwInit != (DWORD)-1)
            CoUninitialize();
    }
}

} // namespace
