/*
 * textkit.h: the operations on the text of paths and command lines.  They
 * touch no file, window or registry.  All strings are narrow (ANSI) and
 * NUL-ended; every scan steps over double-byte characters.
 */
#ifndef TEXTKIT_H
#define TEXTKIT_H

#include "winseam.h"

/* Size of every path buffer of the installer, the NUL included. */
#define BK_PATH_SIZE 520

/* ---- path text (pathtext.cpp) ---- */

/* Joins pszFolder and pszName into pszDst, or back into pszFolder when
 * pszDst is null.  The destination holds BK_PATH_SIZE bytes.  Returns the
 * joined length, or -1 when it would not fit: then pszFolder is left as it
 * was and a non-null pszDst is emptied, so no cut path is ever left. */
int myGetFullPathName(char *pszDst, char *pszFolder, const char *pszName);
/* Same join into a buffer of cbDst bytes. */
int JoinPathInBuffer(char *pszDst, int cbDst, const char *pszFolder, const char *pszName);
/* Cuts the last component; "C:\Bin" becomes "C:\".  1 when cut, else 0. */
int GetUpperDirectory(char *pszPath);
/* Shortens a path for a message to at most BK_SHOWN_PATH - 1 bytes: its
 * start, "..." and its end, each cut between characters, written in
 * place; the BK_SHOWN_PATH bytes at pSaved receive what was overwritten.
 * Returns the position changed, or -1 when the path is short enough. */
#define BK_SHOWN_PATH 200
int ShortenForMessage(char *pszPath, char *pSaved);
/* The same, keeping what it overwrites itself; *pchSaved gets the first
 * byte that was replaced. */
int ExtractPath(char *pszPath, char *pchSaved);
/* Undoes ExtractPath on the same text. */
void RecoverPath(int nPos, char chSaved);
/* Helpers for double-byte code pages: the address of the next character,
 * and the last character of a text (its lead byte for a double-byte one). */
const char *NextCharOf(const char *psz);
const char *LastCharOf(const char *psz);
/* Non-zero when p points at a backslash or a slash. */
int IsPathSeparator(const char *p);

/* ---- quotation marks and characters (quoting.cpp) ---- */

int Is95QuotationMarkThere(const char *pszText, int nFlags);
int Remove95Quotation(char *pszText);
/* Encloses the text in quotation marks when it holds a blank and is not
 * quoted yet; the buffer must have room for two more bytes. */
int Add95QuotationForAnySpaceIfNotThere(char *pszText);
/* nWhere > 0: non-zero when the character at position nWhere of pszFrom
 * (counted in characters, double-byte ones as one) is ch, so 1 asks for a
 * drive colon and 2 for the backslash behind it.  nWhere <= 0: the number
 * of times ch occurs in pszFrom.  pszText bounds the scan: pszFrom must lie
 * inside it. */
int IsCharacterFound(const char *pszText, const char *pszFrom, int ch, int nWhere);

/* ---- file-system operations that the path text feeds (paths.cpp) ---- */

/* 4 for an existing folder, 1 for an existing file, 0 when nothing is there. */
int IsDirectoryAttribute(const char *pszPath);
/* Rewrites the path in place into its full, long form as the file system
 * has it, but only when that form is no longer than the path it replaces,
 * so the caller's buffer and any text behind the path stay intact.
 * Returns 1 when the path was rewritten, 0 when it was left. */
int GetReformed95PathNameFromOS(char *pszPath, int nFlags, int nReserved);
/* Creates the folder; the folder above it must exist.  0 when the folder
 * is there afterwards, else -1. */
int makedir(const char *pszPath);

#endif /* TEXTKIT_H */
