/*
 * memtag.cpp: memory that the programs take from this layer for their
 * command line and path buffers, all given back at exit.
 */
#include "basekit.h"

#include <string.h>

/* Every block handed out and not yet given back. */
#define MAX_BLOCKS 16
static HGLOBAL gahBlocks[MAX_BLOCKS];

/* The slot that holds hMemory (NULL: a free slot), or -1. */
static int FindBlock(HGLOBAL hMemory)
{
    for (int i = 0; i < MAX_BLOCKS; i++)
        if (gahBlocks[i] == hMemory)
            return i;
    return -1;
}

static char *TakeBlock(HGLOBAL *phMemory, SIZE_T cbSize)
{
    *phMemory = NULL;
    HGLOBAL hMemory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, cbSize);
    if (hMemory == NULL)
        return NULL;
    char *pBlock = static_cast<char *>(GlobalLock(hMemory));
    int nSlot = FindBlock(NULL);
    if (pBlock == NULL || nSlot < 0) {
        if (pBlock != NULL)
            GlobalUnlock(hMemory);
        GlobalFree(hMemory);
        return NULL;
    }
    gahBlocks[nSlot] = hMemory;
    *phMemory = hMemory;
    return pBlock;
}

static void GiveBlock(HGLOBAL hMemory)
{
    int nSlot = hMemory != NULL ? FindBlock(hMemory) : -1;
    if (nSlot < 0)
        return;
    gahBlocks[nSlot] = NULL;
    GlobalUnlock(hMemory);
    GlobalFree(hMemory);
}

int GetMemoryTag(int nKind, MEMORYTAG *pTag, const char *pszCommandLine)
{
    HGLOBAL hMemory;
    pTag->dwKind = 0;
    pTag->pszText = NULL;
    pTag->cbText = 0;
    const char *pszText = pszCommandLine != NULL ? pszCommandLine : "";
    SIZE_T cbText = (SIZE_T)lstrlenA(pszText) + 1;
    char *pBlock = TakeBlock(&hMemory, cbText + sizeof(HGLOBAL));
    if (pBlock == NULL)
        return 0;
    /* The handle sits in front of the text, so FreeMemoryTag finds it. */
    memcpy(pBlock, &hMemory, sizeof hMemory);
    pTag->dwKind = (DWORD)nKind;
    pTag->pszText = pBlock + sizeof(HGLOBAL);
    pTag->cbText = (DWORD)cbText;
    lstrcpynA(pTag->pszText, pszText, (int)cbText);
    return 1;
}

int FreeMemoryTag(MEMORYTAG *pTag)
{
    if (pTag == NULL || pTag->pszText == NULL)
        return 0;
    HGLOBAL hMemory;
    memcpy(&hMemory, pTag->pszText - sizeof(HGLOBAL), sizeof hMemory);
    GiveBlock(hMemory);
    pTag->pszText = NULL;
    pTag->cbText = 0;
    return 1;
}

char *GetStringPointerBySize(HGLOBAL *phMemory, int nFlags, int cbSize, int nFill)
{
    (void)nFlags;
    (void)nFill;
    if (phMemory == NULL || cbSize <= 0)
        return NULL;
    return TakeBlock(phMemory, (SIZE_T)cbSize);
}

int FreeStringPointer(HGLOBAL hMemory, char *pszPointer)
{
    (void)pszPointer;
    if (hMemory == NULL)
        return 0;
    GiveBlock(hMemory);
    return 1;
}

int FreeAllAllocateMemoryInDll(void)
{
    int nFreed = 0;
    for (int i = 0; i < MAX_BLOCKS; i++) {
        if (gahBlocks[i] != NULL) {
            GiveBlock(gahBlocks[i]);
            nFreed++;
        }
    }
    return nFreed;
}
