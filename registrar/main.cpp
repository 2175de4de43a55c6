/*
 * main.cpp: the registrar's entry: the command line is checked, the file
 * types registered, and the outcome reported when a mode digit was given.
 */
#include "typebind.h"

#include "../helperlib/basekit.h"

#include <locale.h>
#include <shlobj.h>
#include <string.h>

static const char gszEntryTitle[] = "File associations for Quillant";
static const char gszResultTitle[] = "Assciated files for Quillant";
static const char gszFromQuillant[] = "This application can be executed from Quillant.";
static const char gszInvalidArgument[] = "The argument passed to Quillant is invlid.";
static const char gszAlreadyRegistered[] = "File types for Quillant are already registered.";
static const char gszDescriptionAdded[] = "File decription of Quillant.is added as a registry item.";
static const char gszUpdateFailed[] = "Failed to update File types for Quillant.";
static const char gszUpdated[] = "File types for Quillant are updated.";

static HWND ghwndOwner;

static void ShowRegistrarMessage(const char *pszText, const char *pszTitle)
{
    /* The owner is looked up only when a message is shown: asking for the
     * desktop window ties the program to the display, which costs more
     * than the whole registration and is not needed before. */
    if (ghwndOwner == NULL)
        ghwndOwner = GetDesktopWindow();
    MessageBoxA(ghwndOwner, pszText, pszTitle, MB_ICONWARNING);
}

static void ShowResult(int nResult)
{
    switch (nResult) {
    case TB_ALL_PRESENT:
        ShowRegistrarMessage(gszAlreadyRegistered, gszResultTitle);
        break;
    case TB_DESCRIPTIONS_ADDED:
        ShowRegistrarMessage(gszDescriptionAdded, gszResultTitle);
        break;
    case TB_WRITE_FAILED: {
        HGLOBAL hMessage = NULL;
        char *pszMessage = GetStringPointerBySize(&hMessage, 0, TB_PATH_SIZE, 0);
        if (pszMessage != NULL) {
            wsprintfA(pszMessage, "%s", gszUpdateFailed);
            ShowRegistrarMessage(pszMessage, gszResultTitle);
        }
        FreeStringPointer(hMessage, pszMessage);
        return;
    }
    default:
        ShowRegistrarMessage(gszUpdated, gszResultTitle);
        break;
    }
    FreeStringPointer(NULL, NULL);
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR pszCmdLine, int nCmdShow)
{
    (void)hInstance;
    (void)hPrevInstance;
    (void)nCmdShow;
    MEMORYTAG record;

    setlocale(LC_CTYPE, "");
    if (pszCmdLine == NULL || *pszCmdLine == '\0') {
        ShowRegistrarMessage(gszFromQuillant, gszEntryTitle);
        FreeAllAllocateMemoryInDll();
        return 1;
    }
    if (!GetMemoryTag(1, &record, pszCmdLine)) {
        FreeAllAllocateMemoryInDll();
        return 1;
    }
    int nMode = 0;
    int bDigit = 0;
    char *pszText = NULL;
    int nArgument = ReadRegistrarArgument(record.pszText, &nMode, &bDigit, &pszText);
    if (nArgument == TB_ARGUMENT_INVALID) {
        ShowRegistrarMessage(gszInvalidArgument, gszEntryTitle);
        FreeMemoryTag(&record);
        FreeAllAllocateMemoryInDll();
        return 1;
    }
    if (nArgument != TB_ARGUMENT_PATH) {
        FreeMemoryTag(&record);
        ShowRegistrarMessage(gszFromQuillant, gszEntryTitle);
        FreeAllAllocateMemoryInDll();
        return 1;
    }

    HGLOBAL hPath = NULL;
    char *pszPath = GetStringPointerBySize(&hPath, 0, TB_PATH_SIZE, 0);
    if (pszPath == NULL) {
        FreeMemoryTag(&record);
        FreeAllAllocateMemoryInDll();
        return 1;
    }
    lstrcpynA(pszPath, pszText, TB_PATH_SIZE);
    int nResult = RegisterFileTypes(pszPath, nMode);
    FreeStringPointer(hPath, pszPath);

    /* Explorer shows new types and icons only when it is told. */
    if (gnEntriesWritten > 0)
        SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, NULL, NULL);

    if (nResult != TB_NO_EXECUTABLE && bDigit)
        ShowResult(nResult);
    FreeMemoryTag(&record);
    FreeAllAllocateMemoryInDll();
    return 1;
}
