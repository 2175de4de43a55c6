/*
 * test_pages.cpp: the installer's title page and agreement page, in the
 * real Pelmor.exe, driven from this process as a user would drive them.
 */
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "guidrive.h"
#include "testutil.h"

namespace {

const DWORD WAIT_MS = 15000;
const char gszReady[] = "Now, Borland C++ 5.51 compiler is ready for installing.";
const char gszReadLicence[] =
    "Please read the licence by scrolling the text down to the end of the text. Then, click "
    "[Install].";

LRESULT Send(HWND hwnd, UINT uMessage, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR dwResult = 0;
    SendMessageTimeoutA(hwnd, uMessage, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &dwResult);
    return (LRESULT)dwResult;
}

std::string ShotPath(const char *pszName)
{
    std::string strFolder = JoinPath(ProgramFolder(), "..\\screenshots");
    CreateDirectoryA(strFolder.c_str(), NULL);
    return JoinPath(strFolder, pszName);
}

class PagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteRegTree(HKEY_CURRENT_USER, gszRecordKey);
        ASSERT_TRUE(MakeStartFolder("pages start", &m_strStart));
        m_strTarget = JoinPath(FreshFolder("pages target"), "Bcc55");
        m_strLog = JoinPath(FreshFolder("pages logs"), "kitpack.log");
        SetEnvironmentVariableA("KITPACK_LOG", m_strLog.c_str());
        RemoveTree("C:\\Borland");
    }
    void TearDown() override
    {
        SetEnvironmentVariableA("KITPACK_EXIT", NULL);
        EndProgram(&m_program);
        DeleteRegTree(HKEY_CURRENT_USER, gszRecordKey);
        RemoveTree("C:\\qktest");
        RemoveTree("C:\\Borland");
    }

    HWND StartToTitlePage()
    {
        if (!StartProgram(JoinPath(m_strStart, "Pelmor.exe").c_str(), NULL, m_strStart.c_str(),
                          &m_program))
            return NULL;
        return WaitForDialog(m_program.dwProcessId, gszTitleCaption, WAIT_MS);
    }

    /* Title page accepted with m_strTarget (made when missing). */
    HWND StartToLicencePage()
    {
        HWND hwndTitle = StartToTitlePage();
        if (hwndTitle == NULL)
            return NULL;
        CreateDirectoryA(m_strTarget.c_str(), NULL);
        SetControlText(hwndTitle, 1001, m_strTarget.c_str());
        PressButton(hwndTitle, IDOK);
        BoxSeen seen = AnswerMessageBox(m_program.dwProcessId, gszBoxCaption, IDOK, WAIT_MS);
        EXPECT_EQ(gszReady, seen.strText);
        return WaitForLicencePage(m_program.dwProcessId, WAIT_MS);
    }

    long ExitCode() { return WaitProgramExit(&m_program, WAIT_MS); }

    bool Recorded() { return RegKeyExists(HKEY_CURRENT_USER, gszRecordKey); }

    std::string m_strStart;
    std::string m_strTarget;
    std::string m_strLog;
    DrivenProgram m_program;
};

/* ---- title page ---- */

TEST_F(PagesTest, TitlePageOpensWithTheDefaultFolder)
{
    HWND hwndPage = StartToTitlePage();
    ASSERT_NE(nullptr, hwndPage);
    EXPECT_EQ("C:\\Borland\\Bcc55", ControlText(hwndPage, 1001));
    EXPECT_EQ("C:\\Borland\\Bcc55\\Bin", ControlText(hwndPage, 1006));
    EXPECT_EQ("C:\\Borland\\Bcc55\\Include", ControlText(hwndPage, 1007));
    EXPECT_EQ("C:\\Borland\\Bcc55\\Lib;C:\\Borland\\Bcc55\\Lib\\PSDK", ControlText(hwndPage, 1008));
    LRESULT lSel = Send(GetDlgItem(hwndPage, 1001), EM_GETSEL, 0, 0);
    EXPECT_EQ(0, LOWORD(lSel));
    EXPECT_EQ(16, HIWORD(lSel)) << "the proposal is not shown selected";
    EXPECT_FALSE(IsControlEnabled(hwndPage, 1005));
    EXPECT_EQ("&Skip", ControlText(hwndPage, 1000));
    EXPECT_EQ("&Skip", ControlText(hwndPage, 1005));
    EXPECT_TRUE(IsControlEnabled(hwndPage, IDOK));
    EXPECT_TRUE(SaveWindowShot(hwndPage, ShotPath("title-page.bmp").c_str()));
    PressButton(hwndPage, 1000);
    EXPECT_EQ(1, ExitCode());
    EXPECT_FALSE(FolderExists("C:\\Borland"));
}

TEST_F(PagesTest, TypingUpdatesAllThreeFieldsWithoutTouchingTheDisk)
{
    HWND hwndPage = StartToTitlePage();
    ASSERT_NE(nullptr, hwndPage);
    std::string strTyped = JoinPath(m_strTarget, "typed here");
    SetControlText(hwndPage, 1001, strTyped.c_str());
    EXPECT_EQ(strTyped + "\\Bin", ControlText(hwndPage, 1006));
    EXPECT_EQ(strTyped + "\\Include", ControlText(hwndPage, 1007));
    EXPECT_EQ(strTyped + "\\Lib;" + strTyped + "\\Lib\\PSDK", ControlText(hwndPage, 1008));
    /* One character more, as a key press makes it. */
    Send(GetDlgItem(hwndPage, 1001), EM_SETSEL, strTyped.size(), strTyped.size());
    Send(GetDlgItem(hwndPage, 1001), EM_REPLACESEL, TRUE, (LPARAM) "2");
    EXPECT_EQ(strTyped + "2\\Bin", ControlText(hwndPage, 1006));
    EXPECT_EQ(strTyped + "2\\Lib;" + strTyped + "2\\Lib\\PSDK", ControlText(hwndPage, 1008));
    EXPECT_FALSE(FolderExists(m_strTarget));
    /* A folder too long for its library value is not previewed cut. */
    std::string strLong = "C:\\" + std::string(300, 'L');
    SetControlText(hwndPage, 1001, strLong.c_str());
    EXPECT_EQ("", ControlText(hwndPage, 1008));
    EXPECT_EQ(strLong + "\\Bin", ControlText(hwndPage, 1006));
}

TEST_F(PagesTest, SkipEscAndCloseEndTheRunWithNothingMade)
{
    static const struct {
        const char *pszWay;
        UINT uMessage;
        WPARAM wParam;
    } aWays[] = {{"Skip", WM_COMMAND, 1000}, {"Esc", WM_COMMAND, IDCANCEL}, {"close box", WM_CLOSE, 0}};
    for (const auto &way : aWays) {
        HWND hwndPage = StartToTitlePage();
        ASSERT_NE(nullptr, hwndPage) << way.pszWay;
        PostMessageA(hwndPage, way.uMessage, way.wParam, 0);
        EXPECT_TRUE(NoDialogWithin(m_program.dwProcessId, gszBoxCaption, 500)) << way.pszWay;
        EXPECT_EQ(1, ExitCode()) << way.pszWay;
        EXPECT_FALSE(FolderExists("C:\\Borland")) << way.pszWay;
        EXPECT_FALSE(Recorded());
    }
}

TEST_F(PagesTest, CancelInTheConfirmationKeepsThePageOpen)
{
    HWND hwndPage = StartToTitlePage();
    ASSERT_NE(nullptr, hwndPage);
    SetControlText(hwndPage, 1001, m_strTarget.c_str());
    PressButton(hwndPage, IDOK);
    BoxSeen seen = AnswerMessageBox(m_program.dwProcessId, gszBoxCaption, IDCANCEL, WAIT_MS);
    EXPECT_EQ(gszReady, seen.strText);
    EXPECT_EQ((unsigned)(BOX_HAS_OK | BOX_HAS_CANCEL), seen.uButtons);
    Sleep(200);
    EXPECT_TRUE(IsWindowVisible(hwndPage));
    EXPECT_TRUE(IsControlEnabled(hwndPage, IDOK));
    EXPECT_TRUE(IsControlEnabled(hwndPage, 1001));
    EXPECT_TRUE(IsControlEnabled(hwndPage, 1002));
    EXPECT_FALSE(FolderExists(m_strTarget));
}

TEST_F(PagesTest, QueuedClicksAreCheckedOnce)
{
    HWND hwndPage = StartToTitlePage();
    ASSERT_NE(nullptr, hwndPage);
    SetControlText(hwndPage, 1001, m_strTarget.c_str());
    PressButton(hwndPage, IDOK);
    PressButton(hwndPage, IDOK);
    EXPECT_EQ(gszReady, AnswerMessageBox(m_program.dwProcessId, gszBoxCaption, IDCANCEL, WAIT_MS).strText);
    EXPECT_TRUE(NoDialogWithin(m_program.dwProcessId, gszBoxCaption, 1500)) << "OK was checked twice";

    CreateDirectoryA(m_strTarget.c_str(), NULL);
    PressButton(hwndPage, IDOK);
    EXPECT_EQ(gszReady, AnswerMessageBox(m_program.dwProcessId, gszBoxCaption, IDOK, WAIT_MS).strText);
    HWND hwndLicence = WaitForLicencePage(m_program.dwProcessId, WAIT_MS);
    ASSERT_NE(nullptr, hwndLicence);
    PressButton(hwndLicence, 6);
    PressButton(hwndLicence, 6);
    EXPECT_EQ(gszReadLicence,
              AnswerMessageBox(m_program.dwProcessId, gszBoxCaption, IDOK, WAIT_MS).strText);
    EXPECT_TRUE(NoDialogWithin(m_program.dwProcessId, gszBoxCaption, 1500)) << "Install was checked twice";
    PressButton(hwndLicence, 7);
    EXPECT_EQ(1, ExitCode());
}

TEST_F(PagesTest, MissingFolderIsMadeBeforeTheNextPage)
{
    HWND hwndPage = StartToTitlePage();
    ASSERT_NE(nullptr, hwndPage);
    std::string strDeep = JoinPath(m_strTarget, "two\\levels");
    SetControlText(hwndPage, 1001, strDeep.c_str());
    /* Enter in the folder field acts as OK. */
    HWND hwndField = GetDlgItem(hwndPage, 1001);
    PostMessageA(hwndField, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(hwndField, WM_KEYUP, VK_RETURN, 0);
    EXPECT_EQ(gszReady, AnswerMessageBox(m_program.dwProcessId, gszBoxCaption, IDOK, WAIT_MS).strText);
    BoxSeen ask = AnswerMessageBox(m_program.dwProcessId, gszBoxCaption, IDYES, WAIT_MS);
    EXPECT_NE(std::string::npos, ask.strText.find(strDeep)) << ask.strText;
    EXPECT_EQ((unsigned)(BOX_HAS_YES | BOX_HAS_NO), ask.uButtons);
    HWND hwndLicence = WaitForLicencePage(m_program.dwProcessId, WAIT_MS);
    ASSERT_NE(nullptr, hwndLicence);
    EXPECT_TRUE(FolderExists(strDeep));
    PressButton(hwndLicence, 7);
    EXPECT_EQ(1, ExitCode());
    EXPECT_FALSE(Recorded());
    EXPECT_TRUE(ListTree(strDeep).empty()) << "something was copied after Skip";
}

TEST_F(PagesTest, RefusedNameKeepsThePageOpen)
{
    /* ';' separates the folders of a record: such a root would be read
     * back as two. */
    static const char *const apszNames[] = {"",           "relative\\folder", "C:\\bad|name",
                                            "Q:\\no drive", "C:\\Tools;Old\\BCC", NULL};
    HWND hwndPage = StartToTitlePage();
    ASSERT_NE(nullptr, hwndPage);
    for (int i = 0; apszNames[i] != NULL; i++) {
        SetControlText(hwndPage, 1001, apszNames[i]);
        PressButton(hwndPage, IDOK);
        BoxSeen seen = AnswerMessageBox(m_program.dwProcessId, gszBoxCaption, IDOK, WAIT_MS);
        ASSERT_TRUE(seen.bFound) << apszNames[i];
        EXPECT_NE(gszReady, seen.strText) << apszNames[i];
        EXPECT_TRUE(NoDialogWithin(m_program.dwProcessId, gszBoxCaption, 300)) << apszNames[i];
        EXPECT_TRUE(IsControlEnabled(hwndPage, IDOK)) << apszNames[i];
        EXPECT_TRUE(IsControlEnabled(hwndPage, 1001)) << apszNames[i];
    }
}

TEST_F(PagesTest, EarlierInstallationIsProposed)
{
    std::string strRoot = m_strTarget;
    CreateDirectoryA(strRoot.c_str(), NULL);
    CreateDirectoryA(JoinPath(strRoot, "Bin").c_str(), NULL);
    WriteTextFile(JoinPath(strRoot, "Bin\\bcc32.exe"), "x");
    WriteRegString(HKEY_CURRENT_USER, gszRecordKey, "ExeFile", (strRoot + "\\Bin").c_str());
    ASSERT_TRUE(StartProgram(JoinPath(m_strStart, "Pelmor.exe").c_str(), NULL, m_strStart.c_str(),
                             &m_program));
    BoxSeen seen = AnswerMessageBox(m_program.dwProcessId, gszBoxCaption, IDYES, WAIT_MS);
    EXPECT_EQ("Do you want to install Borland C++ 5.51 in\n\n  Executable: " + strRoot +
                  "\\Bin\n  Include: N/A\n  Library: N/A\n  Windows Library: N/A\n\nfolders, again?",
              seen.strText);
    HWND hwndPage = WaitForDialog(m_program.dwProcessId, gszTitleCaption, WAIT_MS);
    ASSERT_NE(nullptr, hwndPage);
    EXPECT_EQ(strRoot, ControlText(hwndPage, 1001));
}

/* ---- earlier installation ---- */

TEST_F(PagesTest, EarlierRecordsDecideTheMessageAndTheProposal)
{
    const std::string r = m_strTarget;
    struct Case {
        const char *pszName;
        std::vector<const char *> remove;  /* below r, after the full layout */
        std::string strExe, strInclude, strLib;
        std::string strShown;    /* the %s of message 5, or empty for message 7 */
        std::string strSlots[4]; /* message 7's folders */
        std::string strProposed;
    };
    const std::string rl = r + "\\Lib", rp = r + "\\Lib\\PSDK";
    const Case aCases[] = {
        {"every marker", {}, r + "\\Bin", r + "\\Include", rl + ";" + rp, "",
         {r + "\\Bin", r + "\\Include", rl, rp}, r},
        {"bcc32.exe gone", {"Bin\\bcc32.exe"}, r + "\\Bin", r + "\\Include", rl + ";" + rp,
         r + "\\Bin", {}, r},
        {"Windows Library gone", {"Lib\\PSDK\\shell32.lib"}, r + "\\Bin", r + "\\Include",
         rl + ";" + rp, "", {r + "\\Bin", r + "\\Include", rl, "N/A"}, r},
        {"ExeFile absent", {}, "", r + "\\Include", rl + ";" + rp, "",
         {"N/A", r + "\\Include", rl, rp}, r},
        {"Lib gone", {"Lib\\PSDK\\shell32.lib", "Lib\\PSDK", "Lib\\cw32.lib", "Lib"}, r + "\\Bin",
         r + "\\Include", rl + ";" + rp, rl, {}, rl},
        {"value ending with ;", {}, r + "\\Nothing;", "", "", r + "\\Nothing", {}, "C:\\Borland\\Bcc55"},
    };
    for (const Case &c : aCases) {
        SCOPED_TRACE(c.pszName);
        RemoveTree(r);
        DeleteRegTree(HKEY_CURRENT_USER, gszRecordKey);
        MakeCompilerLayout(r);
        for (const char *pszGone : c.remove)
            RemoveTree(JoinPath(r, pszGone));
        if (!c.strExe.empty())
            WriteRegString(HKEY_CURRENT_USER, gszRecordKey, "ExeFile", c.strExe.c_str());
        if (!c.strInclude.empty())
            WriteRegString(HKEY_CURRENT_USER, gszRecordKey, "IncludeFile", c.strInclude.c_str());
        if (!c.strLib.empty())
            WriteRegString(HKEY_CURRENT_USER, gszRecordKey, "LibFile", c.strLib.c_str());

        ASSERT_TRUE(StartProgram(JoinPath(m_strStart, "Pelmor.exe").c_str(), NULL,
                                 m_strStart.c_str(), &m_program));
        BoxSeen seen = AnswerMessageBox(m_program.dwProcessId, gszBoxCaption, IDYES, WAIT_MS);
        if (!c.strShown.empty()) {
            EXPECT_EQ("Previous [" + c.strShown + "] folder is not found.\nBorland C++ 5.51 is re-installed, now.",
                      seen.strText);
            EXPECT_EQ((unsigned)BOX_HAS_OK, seen.uButtons);
        } else {
            EXPECT_EQ("Do you want to install Borland C++ 5.51 in\n\n  Executable: " + c.strSlots[0] +
                          "\n  Include: " + c.strSlots[1] + "\n  Library: " + c.strSlots[2] +
                          "\n  Windows Library: " + c.strSlots[3] + "\n\nfolders, again?",
                      seen.strText);
        }
        HWND hwndPage = WaitForDialog(m_program.dwProcessId, gszTitleCaption, WAIT_MS);
        ASSERT_NE(nullptr, hwndPage);
        EXPECT_EQ(c.strProposed, ControlText(hwndPage, 1001));
        PressButton(hwndPage, 1000);
        EXPECT_EQ(1, ExitCode());
    }
}

TEST_F(PagesTest, UnusualRootsAreRecognisedAndShownWhole)
{
    /* Message 7 keeps its question whatever the folders' length, and a
     * root that holds \PSDK is still the installer's own record. */
    const std::string strPsdkRoot = JoinPath(FreshFolder("PSDK"), "bcc");
    std::string strLongRoot = JoinPath(FreshFolder("pages long"), std::string(100, 'd'));
    strLongRoot = JoinPath(strLongRoot, std::string(232 - strLongRoot.size() - 1, 'e'));
    ASSERT_EQ(232u, strLongRoot.size());
    for (const std::string &r : {strPsdkRoot, strLongRoot}) {
        SCOPED_TRACE(r);
        DeleteRegTree(HKEY_CURRENT_USER, gszRecordKey);
        CreateDirectoryA(r.substr(0, r.find_last_of('\\')).c_str(), NULL);
        MakeCompilerLayout(r);
        ASSERT_TRUE(FileExists(JoinPath(r, "Lib\\PSDK\\shell32.lib")));
        WriteRegString(HKEY_CURRENT_USER, gszRecordKey, "ExeFile", (r + "\\Bin").c_str());
        WriteRegString(HKEY_CURRENT_USER, gszRecordKey, "IncludeFile", (r + "\\Include").c_str());
        WriteRegString(HKEY_CURRENT_USER, gszRecordKey, "LibFile",
                       (r + "\\Lib;" + r + "\\Lib\\PSDK").c_str());
        ASSERT_TRUE(StartProgram(JoinPath(m_strStart, "Pelmor.exe").c_str(), NULL,
                                 m_strStart.c_str(), &m_program));
        BoxSeen seen = AnswerMessageBox(m_program.dwProcessId, gszBoxCaption, IDYES, WAIT_MS);
        const std::string &t = seen.strText;
        EXPECT_EQ(0u, t.find("Do you want to install Borland C++ 5.51 in\n\n  Executable: ")) << t;
        EXPECT_EQ(t.size() - 17, t.rfind("\n\nfolders, again?")) << t;
        EXPECT_EQ(std::string::npos, t.find("N/A")) << t;
        /* Each folder's start and its end are shown. */
        EXPECT_NE(std::string::npos, t.find("Executable: " + r.substr(0, 40))) << t;
        for (const char *pszEnd : {"\\Bin\n", "\\Include\n", "\\Lib\n", "\\Lib\\PSDK\n"})
            EXPECT_NE(std::string::npos, t.find(r.substr(r.size() - std::min<size_t>(r.size(), 30)) + pszEnd))
                << pszEnd;
        HWND hwndPage = WaitForDialog(m_program.dwProcessId, gszTitleCaption, WAIT_MS);
        ASSERT_NE(nullptr, hwndPage);
        EXPECT_EQ(r, ControlText(hwndPage, 1001));
        PressButton(hwndPage, 1000);
        EXPECT_EQ(1, ExitCode());
    }

    /* Message 5 keeps its words for the longest value. */
    DeleteRegTree(HKEY_CURRENT_USER, gszRecordKey);
    std::string strGone = JoinPath(strLongRoot, std::string(510 - strLongRoot.size() - 1, 'g'));
    WriteRegString(HKEY_CURRENT_USER, gszRecordKey, "ExeFile", strGone.c_str());
    ASSERT_TRUE(StartProgram(JoinPath(m_strStart, "Pelmor.exe").c_str(), NULL, m_strStart.c_str(),
                             &m_program));
    BoxSeen seen = AnswerMessageBox(m_program.dwProcessId, gszBoxCaption, IDOK, WAIT_MS);
    EXPECT_EQ(0u, seen.strText.find("Previous [" + strGone.substr(0, 40))) << seen.strText;
    EXPECT_NE(std::string::npos,
              seen.strText.find(strGone.substr(strGone.size() - 40) +
                                "] folder is not found.\nBorland C++ 5.51 is re-installed, now."))
        << seen.strText;
    HWND hwndPage = WaitForDialog(m_program.dwProcessId, gszTitleCaption, WAIT_MS);
    ASSERT_NE(nullptr, hwndPage);
    PressButton(hwndPage, 1000);
    EXPECT_EQ(1, ExitCode());
}

/* ---- browsing ---- */

TEST_F(PagesTest, BrowsingReplacesTheFolderOrChangesNothing)
{
    std::string strChosen = JoinPath(FreshFolder("pages browse"), "Chosen");
    CreateDirectoryA(strChosen.c_str(), NULL);
    CreateDirectoryA(JoinPath(strChosen, "Bin").c_str(), NULL);
    WriteTextFile(JoinPath(strChosen, "Bin\\bcc32.exe"), "x");
    WriteRegString(HKEY_CURRENT_USER, gszRecordKey, "ExeFile", (strChosen + "\\Bin").c_str());
    /* The earlier root is proposed, so the dialog opens on it. */
    ASSERT_TRUE(StartProgram(JoinPath(m_strStart, "Pelmor.exe").c_str(), NULL, m_strStart.c_str(),
                             &m_program));
    AnswerMessageBox(m_program.dwProcessId, gszBoxCaption, IDYES, WAIT_MS);
    HWND hwndPage = WaitForDialog(m_program.dwProcessId, gszTitleCaption, WAIT_MS);
    ASSERT_NE(nullptr, hwndPage);
    SetControlText(hwndPage, 1001, "C:\\typed");

    for (int nButton : {IDCANCEL, IDOK}) {
        PressButton(hwndPage, 1002);
        HWND hwndBrowse = NULL;
        DWORD dwStart = GetTickCount();
        while (hwndBrowse == NULL && GetTickCount() - dwStart < WAIT_MS) {
            HWND hwnd = WaitForDialog(m_program.dwProcessId, NULL, 200);
            if (hwnd != NULL && hwnd != hwndPage)
                hwndBrowse = hwnd;
        }
        ASSERT_NE(nullptr, hwndBrowse) << "no folder dialog";
        Sleep(300);
        if (nButton == IDOK) {
            EXPECT_TRUE(SaveWindowShot(hwndBrowse, ShotPath("browse.bmp").c_str()));
        }
        PressButton(hwndBrowse, nButton);
        ASSERT_TRUE(WaitWindowGone(hwndBrowse, WAIT_MS));
        Sleep(200);
        if (nButton == IDCANCEL) {
            EXPECT_EQ("C:\\typed", ControlText(hwndPage, 1001));
        } else {
            EXPECT_EQ(strChosen, ControlText(hwndPage, 1001));
            EXPECT_EQ(strChosen + "\\Bin", ControlText(hwndPage, 1006));
        }
    }
}

/* ---- agreement page ---- */

int TopLine(HWND hwndPage)
{
    return (int)Send(GetDlgItem(hwndPage, 1001), EM_GETFIRSTVISIBLELINE, 0, 0);
}

void ScrollTo(HWND hwndPage, int nTop)
{
    Send(GetDlgItem(hwndPage, 1001), EM_LINESCROLL, 0, nTop - TopLine(hwndPage));
}

TEST_F(PagesTest, LicencePageShowsTheStatementFromItsTop)
{
    HWND hwndPage = StartToLicencePage();
    ASSERT_NE(nullptr, hwndPage);
    Sleep(300);
    EXPECT_EQ(0, TopLine(hwndPage)) << "the page did not open at the top";
    /* Nothing of the statement is selected for the user. */
    LRESULT lSel = Send(GetDlgItem(hwndPage, 1001), EM_GETSEL, 0, 0);
    EXPECT_EQ(LOWORD(lSel), HIWORD(lSel)) << "selected from " << LOWORD(lSel) << " to " << HIWORD(lSel);
    HWND hwndBox = GetDlgItem(hwndPage, 1001);
    EXPECT_EQ(189, (int)Send(hwndBox, EM_GETLINECOUNT, 0, 0)) << "lines are wrapped";
    LONG lStyle = GetWindowLongA(hwndBox, GWL_STYLE);
    EXPECT_TRUE(lStyle & ES_READONLY);
    EXPECT_TRUE(lStyle & WS_HSCROLL);
    EXPECT_EQ(14699u, WindowTextOf(hwndBox).size());
    EXPECT_FALSE(IsControlVisible(hwndPage, 1000));
    EXPECT_TRUE(IsControlVisible(hwndPage, 6));
    EXPECT_TRUE(IsControlVisible(hwndPage, 7));
    EXPECT_EQ(MAKELONG(6, DC_HASDEFID), (LONG)Send(hwndPage, DM_GETDEFID, 0, 0));
    EXPECT_TRUE(SaveWindowShot(hwndPage, ShotPath("licence-page.bmp").c_str()));

    /* Tab and Shift+Tab, typed as a user types them, move the focus
     * out of the box and back without scrolling it: neither reading it
     * for the user nor undoing what the user has read. */
    for (int nTop : {0, 40, 120, 0}) {
        ScrollTo(hwndPage, nTop);
        TypeKey(hwndPage, VK_TAB, false);
        Sleep(300);
        EXPECT_NE(hwndBox, FocusOf(hwndPage)) << "Tab did not leave the box";
        TypeKey(hwndPage, VK_TAB, true);
        Sleep(300);
        EXPECT_EQ(hwndBox, FocusOf(hwndPage)) << "Shift+Tab did not come back to the box";
        EXPECT_EQ(nTop, TopLine(hwndPage)) << "after tabbing at top line " << nTop;
    }

    ScrollTo(hwndPage, 100000);
    int nEnd = TopLine(hwndPage);
    printf("licence box: top line %d at the end\n", nEnd);
    EXPECT_GE(nEnd, 160) << "Install could never be accepted";
    EXPECT_LE(nEnd, 170);
}

TEST_F(PagesTest, InstallIsAcceptedOnlyFromTopLine160)
{
    HWND hwndPage = StartToLicencePage();
    ASSERT_NE(nullptr, hwndPage);
    Sleep(200);
    /* At once, at 159, and at the end then back at the top: refused. */
    for (int nTop : {0, 159, -1}) {
        if (nTop == -1) {
            ScrollTo(hwndPage, 100000);
            ScrollTo(hwndPage, 0);
        } else {
            ScrollTo(hwndPage, nTop);
        }
        PressButton(hwndPage, 6);
        BoxSeen seen = AnswerMessageBox(m_program.dwProcessId, gszBoxCaption, IDOK, WAIT_MS);
        EXPECT_EQ(gszReadLicence, seen.strText) << "top line " << nTop;
        EXPECT_EQ((unsigned)BOX_HAS_OK, seen.uButtons);
        if (nTop == 0) {
            EXPECT_TRUE(SaveWindowShot(WaitForDialog(m_program.dwProcessId, gszLicenceCaption, 100),
                                       ShotPath("licence-page-refused.bmp").c_str()));
        }
    }
    ScrollTo(hwndPage, 160);
    PressButton(hwndPage, 6);
    EXPECT_TRUE(NoDialogWithin(m_program.dwProcessId, gszBoxCaption, 300));
    EXPECT_EQ(1, ExitCode());
    std::string strValue;
    ASSERT_TRUE(ReadRegString(HKEY_CURRENT_USER, gszRecordKey, "ExeFile", &strValue));
    EXPECT_EQ(m_strTarget + "\\Bin", strValue);
    EXPECT_EQ("module=" + m_strTarget + "\\kitpack.exe|cwd=" + m_strTarget + "\r\n",
              ReadTextFile(m_strLog));
    EXPECT_FALSE(FileExists(JoinPath(m_strTarget, "kitpack.exe")));
}

TEST_F(PagesTest, LaterClickCountsTheFurthestLine)
{
    HWND hwndPage = StartToLicencePage();
    ASSERT_NE(nullptr, hwndPage);
    ScrollTo(hwndPage, 150);
    PressButton(hwndPage, 6);
    EXPECT_EQ(gszReadLicence, AnswerMessageBox(m_program.dwProcessId, gszBoxCaption, IDOK, WAIT_MS).strText);
    ScrollTo(hwndPage, 100000);
    PressButton(hwndPage, 6);
    EXPECT_EQ(1, ExitCode());
    EXPECT_TRUE(Recorded());
}

TEST_F(PagesTest, LeavingTheLicencePageInstallsNothing)
{
    static const struct {
        const char *pszWay;
        UINT uMessage;
        WPARAM wParam;
    } aWays[] = {{"Skip", WM_COMMAND, 7}, {"Esc", WM_COMMAND, IDCANCEL}, {"close box", WM_CLOSE, 0}};
    for (const auto &way : aWays) {
        HWND hwndPage = StartToLicencePage();
        ASSERT_NE(nullptr, hwndPage) << way.pszWay;
        ScrollTo(hwndPage, 100000);
        PostMessageA(hwndPage, way.uMessage, way.wParam, 0);
        EXPECT_EQ(1, ExitCode()) << way.pszWay;
        EXPECT_FALSE(Recorded()) << way.pszWay;
        EXPECT_TRUE(ListTree(m_strTarget).empty()) << way.pszWay;
        EXPECT_FALSE(FileExists(m_strLog)) << way.pszWay;
    }
}

TEST_F(PagesTest, WholeRoadThenSecondRunAsksAgain)
{
    HWND hwndTitle = StartToTitlePage();
    ASSERT_NE(nullptr, hwndTitle);
    /* The default folder, as proposed. */
    PressButton(hwndTitle, IDOK);
    EXPECT_EQ(gszReady, AnswerMessageBox(m_program.dwProcessId, gszBoxCaption, IDOK, WAIT_MS).strText);
    AnswerMessageBox(m_program.dwProcessId, gszBoxCaption, IDYES, WAIT_MS); /* make the folder */
    HWND hwndLicence = WaitForLicencePage(m_program.dwProcessId, WAIT_MS);
    ASSERT_NE(nullptr, hwndLicence);
    ScrollTo(hwndLicence, 100000);
    PressButton(hwndLicence, 6);
    EXPECT_EQ(1, ExitCode());
    const std::string strRoot = "C:\\Borland\\Bcc55";
    std::string strValue;
    ASSERT_TRUE(ReadRegString(HKEY_CURRENT_USER, gszRecordKey, "LibFile", &strValue));
    EXPECT_EQ(strRoot + "\\Lib;" + strRoot + "\\Lib\\PSDK", strValue);
    EXPECT_TRUE(FileExists(strRoot + "\\Bin\\bcc32.exe"));
    EXPECT_FALSE(FileExists(strRoot + "\\kitpack.exe"));

    std::vector<std::string> before = ListTree(strRoot);
    ASSERT_TRUE(StartProgram(JoinPath(m_strStart, "Pelmor.exe").c_str(), NULL, m_strStart.c_str(),
                             &m_program));
    HWND hwndBox = WaitForDialog(m_program.dwProcessId, gszBoxCaption, WAIT_MS);
    ASSERT_NE(nullptr, hwndBox);
    EXPECT_TRUE(SaveWindowShot(hwndBox, ShotPath("install-again.bmp").c_str()));
    BoxSeen seen = AnswerMessageBox(m_program.dwProcessId, gszBoxCaption, IDNO, WAIT_MS);
    EXPECT_EQ("Do you want to install Borland C++ 5.51 in\n\n  Executable: " + strRoot +
                  "\\Bin\n  Include: " + strRoot + "\\Include\n  Library: " + strRoot +
                  "\\Lib\n  Windows Library: " + strRoot + "\\Lib\\PSDK\n\nfolders, again?",
              seen.strText);
    EXPECT_EQ(1, ExitCode());
    EXPECT_EQ(before, ListTree(strRoot));
}

TEST_F(PagesTest, ArchiveThatFailsOrIsMissingIsToldOnTheWholeRoad)
{
    static const struct {
        const char *pszWay;
        const char *pszExit; /* KITPACK_EXIT, or null to take the archive away */
        const char *pszText;
    } aCases[] = {
        {"archive fails", "3", "Faled to expand Borland C++ 5.51 files."},
        {"archive missing", NULL,
         "Failed to transfer the compressed [kitpack.exe] into the folder, where BC++ 5.51 "
         "compiler is to be installed."},
    };
    for (const auto &c : aCases) {
        SCOPED_TRACE(c.pszWay);
        if (c.pszExit != NULL)
            SetEnvironmentVariableA("KITPACK_EXIT", c.pszExit);
        else
            DeleteFileA(JoinPath(m_strStart, "kitpack.exe").c_str());
        HWND hwndLicence = StartToLicencePage();
        ASSERT_NE(nullptr, hwndLicence);
        ScrollTo(hwndLicence, 100000);
        PressButton(hwndLicence, 6);
        BoxSeen seen = AnswerMessageBox(m_program.dwProcessId, gszBoxCaption, IDOK, WAIT_MS);
        EXPECT_EQ(c.pszText, seen.strText);
        EXPECT_EQ(1, ExitCode());
        EXPECT_FALSE(Recorded());
        EXPECT_FALSE(FileExists(JoinPath(m_strTarget, "kitpack.exe")));
        SetEnvironmentVariableA("KITPACK_EXIT", NULL);
    }
}

} // namespace
