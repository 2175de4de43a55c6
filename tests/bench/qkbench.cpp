/*
 * qkbench.cpp: how fast the installer and the registrar do their jobs,
 * each next to what a user would use instead, measured in one run on
 * the same Wine prefix.  Prints one table of medians.
 *
 *     qkbench.exe SHIPPED_FOLDER [RUNS]
 *
 * SHIPPED_FOLDER holds the shipped i686 programs, whose sizes are
 * printed; the x86_64 programs beside this one are the ones timed.  Each
 * figure is the median of RUNS runs (7 unless given) after one warm-up
 * run; ours and the peer's runs alternate, so that drift of the machine
 * falls on both.
 */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "guidrive.h"
#include "testutil.h"

namespace {

const DWORD WAIT_MS = 30000;
const char gszBenchFolder[] = "C:\\qkbench";
const char gszResultTitle[] = "Assciated files for Quillant";
/* Every key a full registration leaves, for the last-write times. */
const char *const gapszAllKeys[] = {".qxp", ".qxl", ".qxi", ".qxf", "qxpfile", "qxpfile\\shell",
                                    "qxpfile\\shell\\open", "qxpfile\\shell\\open\\command",
                                    "qxlfile", "qxlfile\\shell", "qxlfile\\shell\\open",
                                    "qxlfile\\shell\\open\\command", "qxlfile\\DefaultIcon",
                                    "qxifile", "qxifile\\DefaultIcon", "qxffile", NULL};

double Now()
{
    static LARGE_INTEGER liFrequency;
    if (liFrequency.QuadPart == 0)
        QueryPerformanceFrequency(&liFrequency);
    LARGE_INTEGER liNow;
    QueryPerformanceCounter(&liNow);
    return (double)liNow.QuadPart / (double)liFrequency.QuadPart;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

/* Set while a peer runs: its failure is thrown to PeerRun, which runs
 * it again; any other failure ends the benchmark. */
static bool gbPeerRun;
static int gnPeerRetries;
struct PeerFailure {
    std::string strWhat;
};

void Fail(const char *pszWhat)
{
    if (gbPeerRun)
        throw PeerFailure{pszWhat};
    fprintf(stderr, "qkbench: %s\n", pszWhat);
    exit(2);
}

/* A peer's run that fails (Wine's cmd once failed to start reg) is run
 * again, twice at most, and counted; our own programs are never run
 * again: one bad run of theirs fails the benchmark. */
template <typename Run> double PeerRun(const char *pszPeer, Run run)
{
    for (int nTry = 0;; nTry++) {
        gbPeerRun = true;
        try {
            double dTime = run();
            gbPeerRun = false;
            return dTime;
        } catch (const PeerFailure &failure) {
            gbPeerRun = false;
            if (nTry == 2)
                Fail((std::string(pszPeer) + " failed three times in a row: " + failure.strWhat).c_str());
            fprintf(stderr, "qkbench: %s failed (%s); running it again\n", pszPeer,
                    failure.strWhat.c_str());
            gnPeerRetries++;
        }
    }
}

/* A visible dialog of the process, polled every millisecond: the driver's
 * own polling must not be what is measured. */
HWND PollDialog(DWORD dwProcessId, const char *pszCaption)
{
    double dStart = Now();
    while (Now() - dStart < WAIT_MS / 1000.0) {
        HWND hwnd = FindDialogNow(dwProcessId, pszCaption);
        if (hwnd != NULL)
            return hwnd;
        Sleep(1);
    }
    return NULL;
}

/* Seconds from the start of the command to its end. */
double TimeToExit(const std::string &strExe, const std::string &strArgs, const char *pszFolder,
                  long *plExit = NULL)
{
    DrivenProgram program;
    double dStart = Now();
    if (!StartProgram(strExe.c_str(), strArgs.c_str(), pszFolder, &program))
        Fail(("cannot start " + strExe).c_str());
    long lExit = WaitProgramExit(&program, WAIT_MS);
    double dTime = Now() - dStart;
    if (plExit != NULL)
        *plExit = lExit;
    return dTime;
}

std::string SystemExe(const char *pszName)
{
    char szSystem[MAX_PATH];
    GetSystemDirectoryA(szSystem, sizeof szSystem);
    return JoinPath(szSystem, pszName);
}

/* ---- table ---- */

struct Row {
    std::string strMeasure;
    std::string strOurs;
    std::string strPeer;
    std::string strRatio;
    std::string strTarget;
    bool bMet;
};
std::vector<Row> gaRows;

std::string Ms(double dSeconds)
{
    char sz[32];
    snprintf(sz, sizeof sz, "%.1f ms", dSeconds * 1000.0);
    return sz;
}

void AddTimeRow(const std::string &strMeasure, double dOurs, const std::string &strPeerName,
                double dPeer, bool bFasterTarget, double dTarget)
{
    char szRatio[32];
    char szTarget[48];
    bool bMet;
    if (bFasterTarget) {
        double dFaster = dPeer / dOurs;
        snprintf(szRatio, sizeof szRatio, "%.1fx faster", dFaster);
        snprintf(szTarget, sizeof szTarget, ">= %.0fx faster", dTarget);
        bMet = dFaster >= dTarget;
    } else {
        double dTimes = dOurs / dPeer;
        snprintf(szRatio, sizeof szRatio, "%.2fx", dTimes);
        snprintf(szTarget, sizeof szTarget, "<= %.2fx", dTarget);
        bMet = dTimes <= dTarget;
    }
    gaRows.push_back({strMeasure, Ms(dOurs), strPeerName + " " + Ms(dPeer), szRatio, szTarget, bMet});
}

void PrintTable(int nRuns)
{
    printf("\nMedians of %d runs after one warm-up, wine64, warm wineserver.\n\n", nRuns);
    printf("%-44s %-12s %-26s %-13s %-16s %s\n", "measure", "ours", "peer", "ratio", "target", "met");
    for (const Row &row : gaRows)
        printf("%-44s %-12s %-26s %-13s %-16s %s\n", row.strMeasure.c_str(), row.strOurs.c_str(),
               row.strPeer.c_str(), row.strRatio.c_str(), row.strTarget.c_str(),
               row.strTarget.empty() ? "" : row.bMet ? "yes" : "NO");
}

/* ---- registrar ---- */

/* Watches the classes key, where all three ways write, so that the
 * moment the last of the twelve values lands is seen at once. */
struct ClassesWatch {
    HKEY hKey;
    HANDLE hEvent;
};

void ArmWatch(ClassesWatch *pWatch)
{
    RegNotifyChangeKeyValue(pWatch->hKey, TRUE, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET,
                            pWatch->hEvent, TRUE);
}

bool IsRegistered(const std::string &strExe)
{
    for (const auto &entry : FullRegistrationEntries(strExe)) {
        std::string strValue;
        if (!ReadRegString(HKEY_CLASSES_ROOT, entry.first.c_str(), "", &strValue) ||
            strValue != entry.second)
            return false;
    }
    return true;
}

/* Starts the command and returns the seconds until all twelve values are
 * in the registry (*pdToBox: until the window pszBox shows, when given);
 * then answers that window and waits for the program's end. */
double TimeToRegistered(const std::string &strExe, const std::string &strProgram,
                        const std::string &strArgs, const char *pszBox = NULL,
                        double *pdToBox = NULL, const char *pszBoxText = NULL)
{
    ClassesWatch watch;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Classes", 0, KEY_NOTIFY, &watch.hKey) !=
        ERROR_SUCCESS)
        Fail("cannot watch the classes key");
    watch.hEvent = CreateEventA(NULL, FALSE, FALSE, NULL);
    ArmWatch(&watch);
    DrivenProgram program;
    double dStart = Now();
    if (!StartProgram(strProgram.c_str(), strArgs.c_str(), NULL, &program))
        Fail(("cannot start " + strProgram).c_str());
    double dTime = 0.0;
    for (;;) {
        /* A time-out as well: a missed notice costs precision, not the run. */
        if (WaitForSingleObject(watch.hEvent, 5) == WAIT_OBJECT_0)
            ArmWatch(&watch);
        if (IsRegistered(strExe)) {
            dTime = Now() - dStart;
            break;
        }
        if (Now() - dStart > WAIT_MS / 1000.0)
            Fail((strProgram + " did not register all twelve values").c_str());
    }
    RegCloseKey(watch.hKey);
    CloseHandle(watch.hEvent);
    if (pszBox != NULL) {
        HWND hwndBox = PollDialog(program.dwProcessId, pszBox);
        if (pdToBox != NULL)
            *pdToBox = Now() - dStart;
        if (hwndBox == NULL)
            Fail("no result box");
        BoxSeen seen = AnswerMessageBox(program.dwProcessId, pszBox, IDOK, WAIT_MS);
        if (pszBoxText != NULL && seen.strText != pszBoxText)
            Fail(("the result box said: " + seen.strText).c_str());
    }
    if (WaitProgramExit(&program, WAIT_MS) < 0)
        Fail((strProgram + " did not end").c_str());
    return dTime;
}

/* Typebind run on registered types: tells so, and writes nothing. */
void RunTypebindAgain(const std::string &strExe)
{
    DrivenProgram program;
    if (!StartProgram(ProgramPath("Typebind.exe").c_str(), ("1" + strExe).c_str(), NULL, &program))
        Fail("cannot start Typebind.exe");
    BoxSeen seen = AnswerMessageBox(program.dwProcessId, gszResultTitle, IDOK, WAIT_MS);
    if (seen.strText != "File types for Quillant are already registered.")
        Fail(("Typebind.exe said: " + seen.strText).c_str());
    WaitProgramExit(&program, WAIT_MS);
}

void BenchRegistrar(int nRuns)
{
    std::string strFolder = JoinPath(gszBenchFolder, "Quillant");
    CreateDirectoryA(strFolder.c_str(), NULL);
    std::string strExe = JoinPath(strFolder, "quillant.exe");
    WriteTextFile(strExe, "stand-in");

    /* What a user would script instead: one reg add per value. */
    std::string strBatch = JoinPath(gszBenchFolder, "types.bat");
    std::string strScript = "@echo off\r\n";
    for (const auto &entry : FullRegistrationEntries(strExe)) {
        std::string strData;
        for (char ch : entry.second) {
            if (ch == '"')
                strData += "\\\"";
            else if (ch == '%')
                strData += "%%";
            else
                strData += ch;
        }
        strScript += "reg add \"HKCR\\" + entry.first + "\" /ve /d \"" + strData + "\" /f >nul\r\n";
    }
    WriteTextFile(strBatch, strScript);

    std::vector<double> adOurs, adToBox, adBatch, adFloor, adBare;
    for (int i = 0; i <= nRuns; i++) {
        ClearFileTypes();
        double dToBox = 0.0;
        double dOurs = TimeToRegistered(strExe, ProgramPath("Typebind.exe"), "1" + strExe,
                                        gszResultTitle, &dToBox,
                                        "File types for Quillant are updated.");
        double dBatch = PeerRun("the reg add batch", [&] {
            ClearFileTypes();
            return TimeToRegistered(strExe, SystemExe("cmd.exe"), "/c " + strBatch);
        });
        double dFloor = PeerRun("regfloor", [&] {
            ClearFileTypes();
            return TimeToRegistered(strExe, ProgramPath("regfloor.exe"), strExe);
        });
        double dBare = PeerRun("regfloor_bare", [&] {
            ClearFileTypes();
            return TimeToRegistered(strExe, ProgramPath("regfloor_bare.exe"), strExe);
        });
        if (i > 0) {
            adBare.push_back(dBare);
            adOurs.push_back(dOurs);
            adToBox.push_back(dToBox);
            adBatch.push_back(dBatch);
            adFloor.push_back(dFloor);
        }
    }
    AddTimeRow("registrar: start to all 12 values, empty", Median(adOurs), "reg add batch",
               Median(adBatch), true, 10.0);
    /* The floor is a GUI program as any is, with user32 loaded at start:
     * on Windows a delay-load of user32 saves nothing. */
    AddTimeRow("registrar: the same, against the floor", Median(adOurs), "regfloor", Median(adFloor),
               false, 1.2);
    gaRows.push_back({"registrar: writer without user32 (info)", Ms(Median(adBare)), "", "", "",
                      true});
    /* What the user waits for: the box needs the display, which Wine
     * connects the program to only now. */
    gaRows.push_back({"registrar: start to its result box (info)", Ms(Median(adToBox)), "", "", "",
                      true});

    /* A second run changes nothing, so no key's last-write time moves. */
    ClearFileTypes();
    TimeToRegistered(strExe, ProgramPath("Typebind.exe"), "1" + strExe, gszResultTitle);
    std::vector<unsigned long long> aullBefore;
    for (int i = 0; gapszAllKeys[i] != NULL; i++)
        aullBefore.push_back(RegKeyWriteTime(HKEY_CLASSES_ROOT, gapszAllKeys[i]));
    Sleep(50);
    RunTypebindAgain(strExe);
    int nChanged = 0;
    int nKeys = 0;
    for (int i = 0; gapszAllKeys[i] != NULL; i++, nKeys++)
        nChanged += RegKeyWriteTime(HKEY_CLASSES_ROOT, gapszAllKeys[i]) != aullBefore[(size_t)i];
    char szChanged[48];
    snprintf(szChanged, sizeof szChanged, "%d of %d keys", nChanged, nKeys);
    gaRows.push_back({"registrar: keys rewritten by a second run", szChanged, "", "", "0",
                      nChanged == 0});
    ClearFileTypes();
}

/* ---- installation step ---- */

/* The stand-in archive, made as big as a real one: the stand-in program
 * followed by cbSize bytes in all of data it never reads. */
void MakeArchive(const std::string &strPath, DWORD cbSize)
{
    std::string strProgram = ReadTextFile(ProgramPath("kitpack.exe"));
    if (strProgram.empty())
        Fail("no kitpack.exe");
    HANDLE hFile = CreateFileA(strPath.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        Fail("cannot write the archive");
    DWORD cbWritten = 0;
    WriteFile(hFile, strProgram.data(), (DWORD)strProgram.size(), &cbWritten, NULL);
    /* Data that no file system or cache can shorten. */
    std::vector<unsigned> block(1 << 16);
    unsigned uState = 2463534242u;
    for (DWORD cbDone = (DWORD)strProgram.size(); cbDone < cbSize;) {
        for (unsigned &u : block) {
            uState ^= uState << 13;
            uState ^= uState >> 17;
            uState ^= uState << 5;
            u = uState;
        }
        DWORD cbPart = std::min<DWORD>(cbSize - cbDone, (DWORD)(block.size() * sizeof(unsigned)));
        WriteFile(hFile, block.data(), cbPart, &cbWritten, NULL);
        cbDone += cbPart;
    }
    CloseHandle(hFile);
}

void FreshTarget(const std::string &strTarget)
{
    RemoveTree(strTarget);
    CreateDirectoryA(strTarget.c_str(), NULL);
}

/* From the Install click to the end of Pelmor.exe, the pages before it
 * driven as a user would. */
double TimeInstallStep(const std::string &strStart, const std::string &strTarget)
{
    DeleteRegTree(HKEY_CURRENT_USER, gszRecordKey);
    FreshTarget(strTarget);
    DrivenProgram program;
    if (!StartProgram(JoinPath(strStart, "Pelmor.exe").c_str(), NULL, strStart.c_str(), &program))
        Fail("cannot start Pelmor.exe");
    HWND hwndTitle = WaitForDialog(program.dwProcessId, gszTitleCaption, WAIT_MS);
    if (hwndTitle == NULL)
        Fail("no title page");
    SetControlText(hwndTitle, 1001, strTarget.c_str());
    PressButton(hwndTitle, IDOK);
    AnswerMessageBox(program.dwProcessId, gszBoxCaption, IDOK, WAIT_MS);
    HWND hwndLicence = WaitForLicencePage(program.dwProcessId, WAIT_MS);
    if (hwndLicence == NULL)
        Fail("no licence page");
    ScrollLicenceToEnd(hwndLicence);
    double dStart = Now();
    PressButton(hwndLicence, 6);
    if (WaitForSingleObject(program.hProcess, WAIT_MS) != WAIT_OBJECT_0)
        Fail("Pelmor.exe did not end after Install");
    double dTime = Now() - dStart;
    WaitProgramExit(&program, 0);
    if (!FileExists(JoinPath(strTarget, "Bin\\bcc32.exe")) ||
        !RegKeyExists(HKEY_CURRENT_USER, gszRecordKey) ||
        FileExists(JoinPath(strTarget, "kitpack.exe")))
        Fail("Pelmor.exe did not install");
    return dTime;
}

/* The floor: the archive copied by cmd's copy, then run in the folder. */
double TimeCopyAndRun(const std::string &strStart, const std::string &strTarget)
{
    FreshTarget(strTarget);
    std::string strCopy = JoinPath(strTarget, "kitpack.exe");
    double dStart = Now();
    TimeToExit(SystemExe("cmd.exe"),
               "/c copy /b /y \"" + JoinPath(strStart, "kitpack.exe") + "\" \"" + strCopy + "\" >nul",
               NULL);
    long lExit = -1;
    TimeToExit(strCopy, "", strTarget.c_str(), &lExit);
    double dTime = Now() - dStart;
    if (lExit != 0 || !FileExists(JoinPath(strTarget, "Bin\\bcc32.exe")))
        Fail("copy and run did not install");
    return dTime;
}

void BenchInstallStep(int nRuns)
{
    static const struct {
        const char *pszName;
        DWORD cbSize;
    } aArchives[] = {{"10 MB", 10u << 20}, {"100 MB", 100u << 20}};
    std::string strTarget = JoinPath(gszBenchFolder, "Bcc55");
    for (const auto &archive : aArchives) {
        std::string strStart = JoinPath(gszBenchFolder, std::string("start ") + archive.pszName);
        RemoveTree(strStart);
        CreateDirectoryA(strStart.c_str(), NULL);
        CopyFileTo(ProgramPath("Pelmor.exe"), JoinPath(strStart, "Pelmor.exe"));
        MakeArchive(JoinPath(strStart, "kitpack.exe"), archive.cbSize);
        std::vector<double> adOurs, adFloor;
        for (int i = 0; i <= nRuns; i++) {
            double dOurs = TimeInstallStep(strStart, strTarget);
            double dFloor = PeerRun("copy + run", [&] { return TimeCopyAndRun(strStart, strTarget); });
            if (i > 0) {
                adOurs.push_back(dOurs);
                adFloor.push_back(dFloor);
            }
        }
        AddTimeRow(std::string("install step, ") + archive.pszName + " archive (click to end)",
                   Median(adOurs), "copy + run", Median(adFloor), false, 1.10);
        RemoveTree(strStart);
    }
    RemoveTree(strTarget);
    DeleteRegTree(HKEY_CURRENT_USER, gszRecordKey);
}

/* ---- start-up ---- */

double TimeToDialog(const std::string &strExe, const char *pszFolder, const char *pszCaption)
{
    DrivenProgram program;
    double dStart = Now();
    if (!StartProgram(strExe.c_str(), NULL, pszFolder, &program))
        Fail(("cannot start " + strExe).c_str());
    HWND hwnd = PollDialog(program.dwProcessId, pszCaption);
    double dTime = Now() - dStart;
    if (hwnd == NULL)
        Fail(("no dialog from " + strExe).c_str());
    EndProgram(&program);
    return dTime;
}

void BenchStartUp(int nRuns)
{
    DeleteRegTree(HKEY_CURRENT_USER, gszRecordKey);
    std::string strStart = JoinPath(gszBenchFolder, "start");
    CreateDirectoryA(strStart.c_str(), NULL);
    CopyFileTo(ProgramPath("Pelmor.exe"), JoinPath(strStart, "Pelmor.exe"));
    CopyFileTo(ProgramPath("kitpack.exe"), JoinPath(strStart, "kitpack.exe"));
    std::vector<double> adOurs, adFloor;
    for (int i = 0; i <= nRuns; i++) {
        double dOurs = TimeToDialog(JoinPath(strStart, "Pelmor.exe"), strStart.c_str(), gszTitleCaption);
        double dFloor = PeerRun("one dialog", [&] {
            return TimeToDialog(ProgramPath("onedialog.exe"), NULL, "One dialog");
        });
        if (i > 0) {
            adOurs.push_back(dOurs);
            adFloor.push_back(dFloor);
        }
    }
    AddTimeRow("start-up to the title page", Median(adOurs), "one dialog", Median(adFloor), false,
               1.3);
}

/* ---- sizes ---- */

void AddSizeRow(const std::string &strFolder, const char *pszName, DWORD cbLimit)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    std::string strPath = JoinPath(strFolder, pszName);
    if (!GetFileAttributesExA(strPath.c_str(), GetFileExInfoStandard, &data))
        Fail(("no shipped " + strPath).c_str());
    DWORD cbSize = data.nFileSizeLow;
    char szSize[32];
    char szTarget[32];
    char szRatio[32];
    snprintf(szSize, sizeof szSize, "%lu B", (unsigned long)cbSize);
    snprintf(szTarget, sizeof szTarget, "<= %lu KB", (unsigned long)(cbLimit / 1024));
    snprintf(szRatio, sizeof szRatio, "%.0f%% of it", 100.0 * cbSize / cbLimit);
    gaRows.push_back({std::string("size of the shipped i686 ") + pszName, szSize, "", szRatio, szTarget,
                      cbSize <= cbLimit});
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        Fail("usage: qkbench SHIPPED_FOLDER [RUNS]");
    int nRuns = argc > 2 ? atoi(argv[2]) : 7;
    if (nRuns < 5)
        nRuns = 5;
    setvbuf(stdout, NULL, _IONBF, 0);
    RemoveTree(gszBenchFolder);
    CreateDirectoryA(gszBenchFolder, NULL);

    printf("registrar...\n");
    BenchRegistrar(nRuns);
    printf("installation step...\n");
    BenchInstallStep(nRuns);
    printf("start-up...\n");
    BenchStartUp(nRuns);
    AddSizeRow(argv[1], "Pelmor.exe", 160 * 1024);
    AddSizeRow(argv[1], "Typebind.exe", 48 * 1024);
    RemoveTree(gszBenchFolder);

    PrintTable(nRuns);
    printf("\npeer runs run again after a failure: %d\n", gnPeerRetries);
    bool bAllMet = true;
    for (const Row &row : gaRows)
        bAllMet = bAllMet && row.bMet;
    return bAllMet ? 0 : 1;
}
