/*
 * test_install.cpp: the installation step, run in process on a worker
 * thread with gszInstallFolder set, while the test answers its message
 * boxes.  The archive is the stand-in kitpack.exe, really run.
 */
#include <gtest/gtest.h>

#include <string>

#include "guidrive.h"
#include "pelmor.h"
#include "testutil.h"

namespace {

const char *const gapszLayout[] = {"Bin",     "Bin\\bcc32.exe", "Include",
                                   "Include\\stdio.h", "Lib", "Lib\\PSDK",
                                   "Lib\\PSDK\\shell32.lib", "Lib\\cw32.lib", NULL};

struct StepRun {
    std::string strStart;
    int nResult = -1;
};

DWORD WINAPI RunStep(LPVOID pParam)
{
    StepRun *pRun = static_cast<StepRun *>(pParam);
    pRun->nResult = InstallCompiler(pRun->strStart.c_str());
    return 0;
}

class InstallStepTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ghInstance = GetModuleHandleA(NULL);
        DeleteRegTree(HKEY_CURRENT_USER, gszRecordKey);
        m_strStart = FreshFolder("start folder");
        m_strTarget = FreshFolder("target");
        m_strLog = JoinPath(FreshFolder("logs"), "kitpack.log");
        ASSERT_TRUE(CopyFileTo(ProgramPath("kitpack.exe"), JoinPath(m_strStart, "kitpack.exe")));
        m_strArchive = ReadTextFile(JoinPath(m_strStart, "kitpack.exe"));
        SetEnvironmentVariableA("KITPACK_LOG", m_strLog.c_str());
        SetEnvironmentVariableA("KITPACK_EXIT", NULL);
        SetEnvironmentVariableA("KITPACK_EMPTY", NULL);
        /* The step must not depend on the folder that is current. */
        SetCurrentDirectoryA(ProgramFolder().c_str());
    }
    void TearDown() override
    {
        SetCurrentDirectoryA(ProgramFolder().c_str());
        DeleteRegTree(HKEY_CURRENT_USER, gszRecordKey);
        SetEnvironmentVariableA("KITPACK_EXIT", NULL);
        SetEnvironmentVariableA("KITPACK_EMPTY", NULL);
        RemoveTree("C:\\qktest");
    }

    /* Runs the step into strFolder; answers the one message box that it
     * may show and returns what the box showed. */
    BoxSeen Install(const std::string &strFolder, int *pnResult)
    {
        lstrcpynA(gszInstallFolder, strFolder.c_str(), sizeof gszInstallFolder);
        /* Owned by the step's thread until it ends: a step that hangs
         * keeps it. */
        StepRun *pRun = new StepRun;
        pRun->strStart = m_strStart;
        HANDLE hThread = CreateThread(NULL, 0, RunStep, pRun, 0, NULL);
        BoxSeen seen;
        DWORD dwStart = GetTickCount();
        bool bEnded = true;
        while (WaitForSingleObject(hThread, 50) != WAIT_OBJECT_0) {
            if (GetTickCount() - dwStart > 60000) {
                ADD_FAILURE() << "the installation step did not end within 60 s";
                bEnded = false;
                break;
            }
            BoxSeen box = AnswerMessageBox(GetCurrentProcessId(), NULL, IDOK, 50);
            if (box.bFound)
                seen = box;
        }
        CloseHandle(hThread);
        *pnResult = bEnded ? pRun->nResult : -1;
        if (bEnded)
            delete pRun;
        return seen;
    }

    std::string Recorded(const char *pszName)
    {
        std::string strValue;
        if (!ReadRegString(HKEY_CURRENT_USER, gszRecordKey, pszName, &strValue))
            return "<absent>";
        return strValue;
    }

    void ExpectLayout(const std::string &strRoot)
    {
        for (int i = 0; gapszLayout[i] != NULL; i++)
            EXPECT_TRUE(GetFileAttributesA(JoinPath(strRoot, gapszLayout[i]).c_str()) !=
                        INVALID_FILE_ATTRIBUTES)
                << gapszLayout[i] << " missing in " << strRoot;
    }

    void ExpectNothingRecorded()
    {
        EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, gszRecordKey));
    }

    void ExpectArchiveUntouched()
    {
        EXPECT_EQ(m_strArchive, ReadTextFile(JoinPath(m_strStart, "kitpack.exe")))
            << "the start folder's archive changed";
    }

    std::string m_strStart;
    std::string m_strTarget;
    std::string m_strLog;
    std::string m_strArchive;
};

TEST_F(InstallStepTest, InstallsIntoFreshFolders)
{
    static const char *const apszFolders[] = {"plain", "with blank", "two\\levels deep", NULL};
    for (int i = 0; apszFolders[i] != NULL; i++) {
        std::string strRoot = JoinPath(m_strTarget, apszFolders[i]);
        DeleteFileA(m_strLog.c_str());
        DeleteRegTree(HKEY_CURRENT_USER, gszRecordKey);
        int nResult = 0;
        BoxSeen seen = Install(strRoot, &nResult);
        EXPECT_FALSE(seen.bFound) << "unexpected box: " << seen.strText;
        EXPECT_EQ(1, nResult) << strRoot;

        /* The copy ran, in the install folder: not the original, nor the
         * same-named program beside the installer. */
        EXPECT_EQ("module=" + strRoot + "\\kitpack.exe|cwd=" + strRoot + "\r\n",
                  ReadTextFile(m_strLog));
        EXPECT_EQ(strRoot + "\\Bin", Recorded("ExeFile"));
        EXPECT_EQ(strRoot + "\\Include", Recorded("IncludeFile"));
        EXPECT_EQ(strRoot + "\\Lib;" + strRoot + "\\Lib\\PSDK", Recorded("LibFile"));
        EXPECT_FALSE(FileExists(JoinPath(strRoot, "kitpack.exe"))) << "the copy was left";
        ExpectLayout(strRoot);
        ExpectArchiveUntouched();
    }
}

TEST_F(InstallStepTest, FailedArchiveRecordsNothingAndLeavesWhatItMade)
{
    /* An archive that fails, and one that ends well but leaves no
     * compiler: either way the run has failed. */
    static const struct {
        const char *pszVariable;
        const char *pszValue;
        bool bLeavesLayout;
    } aCases[] = {{"KITPACK_EXIT", "3", true}, {"KITPACK_EMPTY", "1", false}};
    for (const auto &c : aCases) {
        SCOPED_TRACE(c.pszVariable);
        RemoveTree(m_strTarget);
        CreateDirectoryA(m_strTarget.c_str(), NULL);
        SetEnvironmentVariableA(c.pszVariable, c.pszValue);
        int nResult = 1;
        BoxSeen seen = Install(m_strTarget, &nResult);
        SetEnvironmentVariableA(c.pszVariable, NULL);
        ASSERT_TRUE(seen.bFound) << "no message for the failed run";
        EXPECT_EQ("Borland C++ 5.51 free version", seen.strCaption);
        EXPECT_EQ("Faled to expand Borland C++ 5.51 files.", seen.strText);
        EXPECT_EQ(0, nResult);
        ExpectNothingRecorded();
        EXPECT_FALSE(FileExists(JoinPath(m_strTarget, "kitpack.exe")));
        if (c.bLeavesLayout)
            ExpectLayout(m_strTarget);
        ExpectArchiveUntouched();
    }
}

TEST_F(InstallStepTest, MissingArchiveIsReported)
{
    DeleteFileA(JoinPath(m_strStart, "kitpack.exe").c_str());
    int nResult = 1;
    BoxSeen seen = Install(m_strTarget, &nResult);
    ASSERT_TRUE(seen.bFound);
    EXPECT_EQ("Borland C++ 5.51 free version", seen.strCaption);
    EXPECT_EQ("Failed to transfer the compressed [kitpack.exe] into the folder, where BC++ 5.51 "
              "compiler is to be installed.",
              seen.strText);
    EXPECT_EQ(BOX_HAS_OK, seen.uButtons);
    ExpectNothingRecorded();
    EXPECT_TRUE(ListTree(m_strTarget).empty());
    EXPECT_FALSE(FileExists(m_strLog)) << "something ran";
}

TEST_F(InstallStepTest, InstallFolderThatIsAFile)
{
    std::string strFile = JoinPath(m_strTarget, "a file");
    ASSERT_TRUE(WriteTextFile(strFile, "not a folder"));
    int nResult = 1;
    BoxSeen seen = Install(strFile, &nResult);
    ASSERT_TRUE(seen.bFound);
    EXPECT_EQ("Failed to create the folder, where Borland C++ 5.51 compiler is to be installed.",
              seen.strText);
    ExpectNothingRecorded();
    EXPECT_EQ("not a folder", ReadTextFile(strFile));
    EXPECT_EQ(1u, ListTree(m_strTarget).size());
}

TEST_F(InstallStepTest, FolderOnAMissingDriveIsReportedOnce)
{
    int nResult = 1;
    BoxSeen seen = Install("Q:\\Borland\\Bcc55", &nResult);
    ASSERT_TRUE(seen.bFound) << "the user was not told";
    EXPECT_EQ("Borland C++ 5.51 free version", seen.strCaption);
    EXPECT_NE(std::string::npos, seen.strText.find("Q:\\Borland\\Bcc55")) << seen.strText;
    EXPECT_EQ(0, nResult);
    ExpectNothingRecorded();
}

TEST_F(InstallStepTest, StaleCopyIsReplacedAndRemoved)
{
    std::string strStale = JoinPath(m_strTarget, "kitpack.exe");
    ASSERT_TRUE(WriteTextFile(strStale, "left over from an earlier attempt"));
    int nResult = 0;
    BoxSeen seen = Install(m_strTarget, &nResult);
    EXPECT_FALSE(seen.bFound) << seen.strText;
    EXPECT_EQ(1, nResult);
    /* The stale file could not have run: the log proves a fresh copy did. */
    EXPECT_EQ("module=" + strStale + "|cwd=" + m_strTarget + "\r\n", ReadTextFile(m_strLog));
    EXPECT_FALSE(FileExists(strStale));
}

TEST_F(InstallStepTest, ReadOnlyCopiesAreReplacedAndRemoved)
{
    /* A read-only copy left by an earlier attempt, and a read-only
     * archive, whose copy is read-only too. */
    for (bool bReadOnlyArchive : {false, true}) {
        SCOPED_TRACE(bReadOnlyArchive ? "read-only archive" : "read-only stale copy");
        std::string strCopy = JoinPath(m_strTarget, "kitpack.exe");
        std::string strArchive = JoinPath(m_strStart, "kitpack.exe");
        DeleteFileA(m_strLog.c_str());
        if (bReadOnlyArchive) {
            ASSERT_TRUE(SetFileAttributesA(strArchive.c_str(), FILE_ATTRIBUTE_READONLY));
        } else {
            ASSERT_TRUE(WriteTextFile(strCopy, "left over from an earlier attempt"));
            ASSERT_TRUE(SetFileAttributesA(strCopy.c_str(), FILE_ATTRIBUTE_READONLY));
        }
        int nResult = 0;
        BoxSeen seen = Install(m_strTarget, &nResult);
        EXPECT_FALSE(seen.bFound) << seen.strText;
        EXPECT_EQ(1, nResult);
        EXPECT_EQ("module=" + strCopy + "|cwd=" + m_strTarget + "\r\n", ReadTextFile(m_strLog));
        EXPECT_FALSE(FileExists(strCopy)) << "the copy stayed behind";
        ExpectArchiveUntouched();
        SetFileAttributesA(strArchive.c_str(), FILE_ATTRIBUTE_NORMAL);
        SetFileAttributesA(strCopy.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(InstallStepTest, InstallingIntoTheStartFolderKeepsTheArchive)
{
    int nResult = 0;
    BoxSeen seen = Install(m_strStart, &nResult);
    EXPECT_FALSE(seen.bFound) << seen.strText;
    EXPECT_EQ(1, nResult);
    EXPECT_EQ("module=" + m_strStart + "\\kitpack.exe|cwd=" + m_strStart + "\r\n",
              ReadTextFile(m_strLog));
    ExpectArchiveUntouched();
    EXPECT_EQ(m_strStart + "\\Bin", Recorded("ExeFile"));
    /* Also when the folder is spelt another way. */
    seen = Install(m_strStart + "\\", &nResult);
    EXPECT_EQ(1, nResult);
    ExpectArchiveUntouched();
}

} // namespace
