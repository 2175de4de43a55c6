/*
 * demo_drive.cpp: drives Pelmor.exe through every page as a user would,
 * saving a picture of each page and box, and prints what it recorded.
 *     demo_drive START_FOLDER SHOT_FOLDER
 */
#include <stdio.h>
#include <string>

#include "guidrive.h"
#include "testutil.h"

static const DWORD WAIT_MS = 20000;
static std::string gstrShots;
static int gnShot;

static void Shot(HWND hwnd, const char *pszName)
{
    char szName[64];
    wsprintfA(szName, "%02d-%s.bmp", ++gnShot, pszName);
    std::string strPath = JoinPath(gstrShots, szName);
    printf("  picture: %s %s\n", szName, SaveWindowShot(hwnd, strPath.c_str()) ? "" : "(failed)");
}

static int Fail(const char *pszWhat)
{
    printf("demo: %s\n", pszWhat);
    return 1;
}

int main(int argc, char **argv)
{
    if (argc < 3)
        return Fail("usage: demo_drive START_FOLDER SHOT_FOLDER");
    std::string strStart = argv[1];
    gstrShots = argv[2];
    DrivenProgram program;
    if (!StartProgram(JoinPath(strStart, "Pelmor.exe").c_str(), NULL, strStart.c_str(), &program))
        return Fail("Pelmor.exe did not start");
    DWORD pid = program.dwProcessId;

    HWND hwndBox = WaitForDialog(pid, gszBoxCaption, 1500);
    if (hwndBox != NULL) {
        Shot(hwndBox, "install-again");
        printf("earlier installation found: answering Yes\n");
        AnswerMessageBox(pid, gszBoxCaption, IDYES, WAIT_MS);
    }
    HWND hwndTitle = WaitForDialog(pid, gszTitleCaption, WAIT_MS);
    if (hwndTitle == NULL)
        return Fail("no title page");
    Shot(hwndTitle, "title-page");
    printf("title page: folder %s\n", ControlText(hwndTitle, 1001).c_str());
    PressButton(hwndTitle, IDOK);
    hwndBox = WaitForDialog(pid, gszBoxCaption, WAIT_MS);
    if (hwndBox == NULL)
        return Fail("no confirmation");
    Shot(hwndBox, "ready");
    AnswerMessageBox(pid, gszBoxCaption, IDOK, WAIT_MS);
    hwndBox = WaitForDialog(pid, gszBoxCaption, 1500);
    if (hwndBox != NULL) {
        Shot(hwndBox, "make-folder");
        AnswerMessageBox(pid, gszBoxCaption, IDYES, WAIT_MS);
    }
    HWND hwndLicence = WaitForLicencePage(pid, WAIT_MS);
    if (hwndLicence == NULL)
        return Fail("no agreement page");
    Shot(hwndLicence, "licence-top");
    ScrollLicenceToEnd(hwndLicence);
    Shot(hwndLicence, "licence-end");
    PressButton(hwndLicence, 6);
    long lExit = WaitProgramExit(&program, 120000);
    printf("Pelmor.exe ended with exit code %ld\n", lExit);

    static const char *const apszValues[] = {"ExeFile", "IncludeFile", "LibFile", NULL};
    printf("recorded under HKEY_CURRENT_USER\\%s:\n", gszRecordKey);
    for (int i = 0; apszValues[i] != NULL; i++) {
        std::string strValue;
        if (!ReadRegString(HKEY_CURRENT_USER, gszRecordKey, apszValues[i], &strValue))
            strValue = "<absent>";
        printf("  %-12s %s\n", apszValues[i], strValue.c_str());
    }
    return lExit == 1 ? 0 : 1;
}
