/*
 * argument.cpp: the grammar of the registrar's command line.
 */
#include "argument.h"

#include "../helperlib/textkit.h"

#include <ctype.h>
#include <stdlib.h>
#include <string.h>

/* A drive letter is one of the 26 letters, whatever the locale calls a
 * letter. */
static int IsDriveLetter(char ch)
{
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}

/* The path tests: drive letter, colon and backslash, and a length that
 * leaves room for the quotation marks and a suffix in the buffer. */
static int IsPathArgument(const char *pszText)
{
    return IsCharacterFound(pszText, pszText, '\\', 2) && IsCharacterFound(pszText, pszText, ':', 1) &&
           IsDriveLetter(pszText[0]) && strlen(pszText) <= TB_MAX_PATH_CHARS;
}

int ReadRegistrarArgument(char *pszText, int *pnMode, int *pbDigit, char **ppszPath)
{
    *pnMode = 0;
    *ppszPath = NULL;
    *pbDigit = isdigit((unsigned char)pszText[0]) != 0;
    if (*pbDigit) {
        /* Any number but 1 or 2 is refused; a run too long for a long
         * reads as its largest value, which is refused too. */
        long lNumber = strtol(pszText, NULL, 10);
        if (lNumber != 1 && lNumber != 2)
            return TB_ARGUMENT_INVALID;
        *pnMode = (int)lNumber;
        pszText++;
    }
    if (Is95QuotationMarkThere(pszText, 0))
        Remove95Quotation(pszText);
    if (!IsPathArgument(pszText))
        return TB_ARGUMENT_NOT_A_PATH;
    *ppszPath = pszText;
    return TB_ARGUMENT_PATH;
}
