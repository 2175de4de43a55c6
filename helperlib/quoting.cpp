/*
 * quoting.cpp: quotation marks around paths, and character tests on the
 * text of a command line.
 */
#include "textkit.h"

#include <string.h>

int Is95QuotationMarkThere(const char *pszText, int nFlags)
{
    (void)nFlags;
    return pszText != NULL && pszText[0] == '"';
}

int Remove95Quotation(char *pszText)
{
    if (pszText == NULL || pszText[0] != '"')
        return 0;
    size_t cch = strlen(pszText);
    memmove(pszText, pszText + 1, cch); /* the NUL moves too */
    /* A closing mark is removed when there is one. */
    const char *pLast = LastCharOf(pszText);
    if (pLast != NULL && *pLast == '"')
        pszText[pLast - pszText] = '\0';
    return 1;
}

int Add95QuotationForAnySpaceIfNotThere(char *pszText)
{
    if (pszText == NULL || pszText[0] == '"' || strchr(pszText, ' ') == NULL)
        return 0;
    size_t cch = strlen(pszText);
    memmove(pszText + 1, pszText, cch + 1);
    pszText[0] = '"';
    pszText[cch + 1] = '"';
    pszText[cch + 2] = '\0';
    return 1;
}

int IsCharacterFound(const char *pszText, const char *pszFrom, int ch, int nWhere)
{
    if (pszText == NULL || pszFrom == NULL)
        return 0;
    int nCount = 0;
    int nPosition = 0;
    for (const char *p = pszFrom; *p != '\0'; p = NextCharOf(p), nPosition++) {
        int bDouble = IsDBCSLeadByte((BYTE)*p) && p[1] != '\0';
        int bMatch = !bDouble && (unsigned char)*p == (unsigned char)ch;
        if (nWhere > 0 && nPosition == nWhere)
            return bMatch;
        nCount += bMatch;
    }
    return nWhere > 0 ? 0 : nCount;
}
