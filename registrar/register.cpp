/*
 * register.cpp: Quillant's four document types under HKEY_CLASSES_ROOT,
 * each entry tested first and written only when absent or different.
 */
#include "typebind.h"

#include "../helperlib/basekit.h"

#include <string.h>

/* The letter a in front of each extension keeps the slots alike. */
static const char gaszTypeFileNames[4][6] = {"a.qxl", "a.qxp", "a.qxf", "a.qxi"};

#define SLOT_QXL 0
#define SLOT_QXP 1
#define SLOT_QXF 2
#define SLOT_QXI 3

static const char gszOpenSuffix[] = " \"%1\"";

/* Successful writes of the last call, so the caller can tell the shell. */
int gnEntriesWritten;

const char *GetFileTypeExtension(int nSlot)
{
    if (nSlot < 0)
        return NULL;
    return gaszTypeFileNames[nSlot] + 1;
}

void ReformPathName(char *pszPath)
{
    if (pszPath != NULL && *pszPath != '\0')
        GetReformed95PathNameFromOS(pszPath, 24, 0);
}

static int IsEntryHere(const char *pszKey, const char *pszExpected, int nMatch)
{
    int nAnswer = myIsStrHereInRegistry(HKEY_CLASSES_ROOT, pszKey, "", "", 1, pszExpected, nMatch);
    if (nMatch == 1)
        return nAnswer != 0 && nAnswer != -2;
    return nAnswer != 0;
}

static int WriteEntry(const char *pszKey, const char *pszData)
{
    int nAnswer = mySetStrInRegistry(HKEY_CLASSES_ROOT, pszKey, "", "", pszData);
    if (nAnswer != -1)
        gnEntriesWritten++;
    return nAnswer;
}

/* Writes P followed by pszSuffix, then gives the buffer P back. */
static int WriteProgramEntry(char *pszPath, const char *pszKey, const char *pszSuffix)
{
    size_t cchPath = strlen(pszPath);
    if (cchPath + strlen(pszSuffix) >= TB_PATH_SIZE)
        return -1;
    memcpy(pszPath + cchPath, pszSuffix, strlen(pszSuffix) + 1);
    int nAnswer = WriteEntry(pszKey, pszPath);
    pszPath[cchPath] = '\0';
    return nAnswer;
}

/* The write order of the full registration. */
enum { ROW_STRUCTURAL, ROW_DESCRIPTION };
enum { DATA_TEXT, DATA_COMMAND, DATA_ICON1, DATA_ICON3 };
enum {
    ENTRY_QXP, ENTRY_QXP_COMMAND, ENTRY_QXP_DESCRIPTION,
    ENTRY_QXL, ENTRY_QXL_COMMAND, ENTRY_QXL_DESCRIPTION, ENTRY_QXL_ICON,
    ENTRY_QXI, ENTRY_QXI_DESCRIPTION, ENTRY_QXI_ICON,
    ENTRY_QXF, ENTRY_QXF_DESCRIPTION,
    ENTRY_COUNT
};

struct WriteRow {
    const char *pszKey;
    const char *pszText; /* for DATA_TEXT */
    int nData;
    int nKind;
};

static const WriteRow gaWriteRows[ENTRY_COUNT] = {
    {".qxp", "qxpfile", DATA_TEXT, ROW_STRUCTURAL},
    {"qxpfile\\shell\\open\\command", NULL, DATA_COMMAND, ROW_STRUCTURAL},
    {"qxpfile", "Quillix Project File", DATA_TEXT, ROW_DESCRIPTION},
    {".qxl", "qxlfile", DATA_TEXT, ROW_STRUCTURAL},
    {"qxlfile\\shell\\open\\command", NULL, DATA_COMMAND, ROW_STRUCTURAL},
    {"qxlfile", "Quillix Project List File", DATA_TEXT, ROW_DESCRIPTION},
    {"qxlfile\\DefaultIcon", NULL, DATA_ICON1, ROW_STRUCTURAL},
    {".qxi", "qxifile", DATA_TEXT, ROW_STRUCTURAL},
    {"qxifile", "Quillix Ini File", DATA_TEXT, ROW_DESCRIPTION},
    {"qxifile\\DefaultIcon", NULL, DATA_ICON3, ROW_STRUCTURAL},
    {".qxf", "qxffile", DATA_TEXT, ROW_STRUCTURAL},
    {"qxffile", "Quillix function/Macro Database", DATA_TEXT, ROW_DESCRIPTION},
};

/* The test order: each type's extension key first, its other entries
 * only when the extension names the type's ProgID. */
static const int gaanTestGroups[4][4] = {
    {ENTRY_QXP, ENTRY_QXP_DESCRIPTION, ENTRY_QXP_COMMAND, -1},
    {ENTRY_QXL, ENTRY_QXL_COMMAND, ENTRY_QXL_DESCRIPTION, ENTRY_QXL_ICON},
    {ENTRY_QXI, ENTRY_QXI_DESCRIPTION, ENTRY_QXI_ICON, -1},
    {ENTRY_QXF, ENTRY_QXF_DESCRIPTION, -1, -1},
};

static int TestRow(const char *pszPath, int nEntry)
{
    const WriteRow &row = gaWriteRows[nEntry];
    if (row.nData == DATA_TEXT)
        return IsEntryHere(row.pszKey, row.pszText, 0);
    return IsEntryHere(row.pszKey, pszPath, 1);
}

static int RegisterInFull(char *pszPath)
{
    int abHere[ENTRY_COUNT] = {0};
    for (int g = 0; g < 4; g++) {
        abHere[gaanTestGroups[g][0]] = TestRow(pszPath, gaanTestGroups[g][0]);
        if (!abHere[gaanTestGroups[g][0]])
            continue;
        for (int i = 1; i < 4 && gaanTestGroups[g][i] >= 0; i++)
            abHere[gaanTestGroups[g][i]] = TestRow(pszPath, gaanTestGroups[g][i]);
    }

    Add95QuotationForAnySpaceIfNotThere(pszPath);

    int bChanged = 0;
    int bDescriptionsHere = 1;
    for (int n = 0; n < ENTRY_COUNT; n++) {
        const WriteRow &row = gaWriteRows[n];
        if (abHere[n])
            continue;
        if (row.nKind == ROW_DESCRIPTION) {
            bDescriptionsHere = 0;
            WriteEntry(row.pszKey, row.pszText);
            continue;
        }
        bChanged = 1;
        int nAnswer;
        switch (row.nData) {
        case DATA_COMMAND:
            nAnswer = WriteProgramEntry(pszPath, row.pszKey, gszOpenSuffix);
            break;
        case DATA_ICON1:
            nAnswer = WriteProgramEntry(pszPath, row.pszKey, ",1");
            break;
        case DATA_ICON3:
            nAnswer = WriteProgramEntry(pszPath, row.pszKey, ",3");
            break;
        default:
            nAnswer = WriteEntry(row.pszKey, row.pszText);
            break;
        }
        if (nAnswer == -1)
            return TB_WRITE_FAILED;
    }
    if (bChanged)
        return TB_ENTRIES_ADDED;
    return bDescriptionsHere ? TB_ALL_PRESENT : TB_DESCRIPTIONS_ADDED;
}

/* The description repair, in the order project, function/macro database,
 * project list, settings: each type's extension entry and description. */
static const int gaanRepairRows[4][2] = {
    {ENTRY_QXP, ENTRY_QXP_DESCRIPTION},
    {ENTRY_QXF, ENTRY_QXF_DESCRIPTION},
    {ENTRY_QXL, ENTRY_QXL_DESCRIPTION},
    {ENTRY_QXI, ENTRY_QXI_DESCRIPTION},
};

static int RepairDescriptions(void)
{
    int abHere[4];
    for (int i = 0; i < 4; i++)
        abHere[i] = TestRow(NULL, gaanRepairRows[i][0]) && TestRow(NULL, gaanRepairRows[i][1]);
    int nResult = TB_ALL_PRESENT;
    for (int i = 0; i < 4; i++) {
        if (abHere[i])
            continue;
        const WriteRow &description = gaWriteRows[gaanRepairRows[i][1]];
        WriteEntry(description.pszKey, description.pszText);
        nResult = TB_DESCRIPTIONS_ADDED;
    }
    return nResult;
}

int RegisterFileTypes(char *pszPath, int nMode)
{
    gnEntriesWritten = 0;
    Remove95Quotation(pszPath);
    /* A folder or a device is no executable for the shell to start. */
    if (IsFileDirExistWithMessage(NULL, pszPath, 2, 0) == 0 ||
        IsProgramFileWithMessage(NULL, pszPath, 2) == 0)
        return TB_NO_EXECUTABLE;
    GetLanguage();
    ReformPathName(pszPath);
    SetRegistrySettingForAdmin(1);
    if (nMode == 1)
        return RegisterInFull(pszPath);
    return RepairDescriptions();
}
