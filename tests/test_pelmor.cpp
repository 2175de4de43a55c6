/*
 * test_pelmor.cpp: the whole Pelmor.exe started as a process, driven
 * through its message boxes as a user would.
 */
#include <gtest/gtest.h>

#include <string>

#include "guidrive.h"
#include "testutil.h"

namespace {

const DWORD WAIT_MS = 15000;

/* An earlier installation into m_strRoot, recorded and on disk. */
class PelmorProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteRegTree(HKEY_CURRENT_USER, gszRecordKey);
        ASSERT_TRUE(MakeStartFolder("pelmor start", &m_strStart));
        m_strRoot = FreshFolder("earlier");
        MakeCompilerLayout(m_strRoot);
        WriteRegString(HKEY_CURRENT_USER, gszRecordKey, "ExeFile", (m_strRoot + "\\Bin").c_str());
        WriteRegString(HKEY_CURRENT_USER, gszRecordKey, "IncludeFile",
                       (m_strRoot + "\\Include").c_str());
        WriteRegString(HKEY_CURRENT_USER, gszRecordKey, "LibFile",
                       (m_strRoot + "\\Lib;" + m_strRoot + "\\Lib\\PSDK").c_str());
    }
    void TearDown() override
    {
        EndProgram(&m_program);
        EndProgram(&m_second);
        DeleteRegTree(HKEY_CURRENT_USER, gszRecordKey);
        RemoveTree("C:\\qktest");
    }

    bool Start(DrivenProgram *pProgram)
    {
        return StartProgram(JoinPath(m_strStart, "Pelmor.exe").c_str(), NULL, m_strStart.c_str(),
                            pProgram);
    }

    std::string InstallAgainText()
    {
        return "Do you want to install Borland C++ 5.51 in\n\n  Executable: " + m_strRoot +
               "\\Bin\n  Include: " + m_strRoot + "\\Include\n  Library: " + m_strRoot +
               "\\Lib\n  Windows Library: " + m_strRoot + "\\Lib\\PSDK\n\nfolders, again?";
    }

    std::string m_strStart;
    std::string m_strRoot;
    DrivenProgram m_program;
    DrivenProgram m_second;
};

TEST_F(PelmorProcessTest, NoToInstallAgainEndsWithNothingChanged)
{
    std::vector<std::string> before = ListTree(m_strRoot);
    ASSERT_TRUE(Start(&m_program));
    BoxSeen seen = AnswerMessageBox(m_program.dwProcessId, gszBoxCaption, IDNO, WAIT_MS);
    ASSERT_TRUE(seen.bFound);
    EXPECT_EQ(InstallAgainText(), seen.strText);
    EXPECT_EQ((unsigned)(BOX_HAS_YES | BOX_HAS_NO), seen.uButtons);
    EXPECT_EQ(1, WaitProgramExit(&m_program, WAIT_MS));
    EXPECT_EQ(before, ListTree(m_strRoot));
    std::string strValue;
    ASSERT_TRUE(ReadRegString(HKEY_CURRENT_USER, gszRecordKey, "ExeFile", &strValue));
    EXPECT_EQ(m_strRoot + "\\Bin", strValue);
    EXPECT_EQ((std::vector<std::string>{"Pelmor.exe", "kitpack.exe"}), ListTree(m_strStart));
}

TEST_F(PelmorProcessTest, MutexIsHeldWhileRunningAndGoneAfter)
{
    ASSERT_TRUE(Start(&m_program));
    ASSERT_NE(nullptr, WaitForDialog(m_program.dwProcessId, gszBoxCaption, WAIT_MS));
    HANDLE hMutex = OpenMutexA(SYNCHRONIZE, FALSE, "BVostrel Soft for Windows");
    EXPECT_NE(nullptr, hMutex) << "no mutex while the installer runs";
    if (hMutex != NULL) {
        /* Owned by the installer: not free to take. */
        EXPECT_EQ((DWORD)WAIT_TIMEOUT, WaitForSingleObject(hMutex, 0));
        CloseHandle(hMutex);
    }
    AnswerMessageBox(m_program.dwProcessId, gszBoxCaption, IDNO, WAIT_MS);
    EXPECT_EQ(1, WaitProgramExit(&m_program, WAIT_MS));
    EXPECT_EQ(nullptr, OpenMutexA(SYNCHRONIZE, FALSE, "BVostrel Soft for Windows"));
}

TEST_F(PelmorProcessTest, TwoInstancesBothRun)
{
    ASSERT_TRUE(Start(&m_program));
    ASSERT_NE(nullptr, WaitForDialog(m_program.dwProcessId, gszBoxCaption, WAIT_MS));
    ASSERT_TRUE(Start(&m_second));
    BoxSeen second = AnswerMessageBox(m_second.dwProcessId, gszBoxCaption, IDNO, WAIT_MS);
    EXPECT_TRUE(second.bFound) << "the second installer did not run its flow";
    EXPECT_EQ(InstallAgainText(), second.strText);
    EXPECT_EQ(1, WaitProgramExit(&m_second, WAIT_MS));
    BoxSeen first = AnswerMessageBox(m_program.dwProcessId, gszBoxCaption, IDNO, WAIT_MS);
    EXPECT_TRUE(first.bFound);
    EXPECT_EQ(1, WaitProgramExit(&m_program, WAIT_MS));
}

} // namespace
