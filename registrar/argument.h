/*
 * argument.h: the registrar's command line, as text.  No windows.h here:
 * the grammar also builds natively for fuzzing.
 */
#ifndef ARGUMENT_H
#define ARGUMENT_H

/* Size of the path buffer, the NUL included. */
#define TB_PATH_SIZE 260
/* Longest executable path that still fits the buffer once quoted and
 * followed by the open command's suffix. */
#define TB_MAX_PATH_CHARS 252

/* Answers of ReadRegistrarArgument. */
#define TB_ARGUMENT_PATH 0
#define TB_ARGUMENT_NOT_A_PATH 1
#define TB_ARGUMENT_INVALID 2

/* Reads the command line text in place: an optional mode number (1 or 2),
 * then Quillant's path, quoted or not, which must start with a drive
 * letter, a colon and a backslash and fit TB_MAX_PATH_CHARS.  On
 * TB_ARGUMENT_PATH, *ppszPath points at the unquoted path inside pszText,
 * *pnMode is the mode (0 without a number) and *pbDigit tells whether a
 * number was there.  TB_ARGUMENT_INVALID: a number other than 1 or 2. */
int ReadRegistrarArgument(char *pszText, int *pnMode, int *pbDigit, char **ppszPath);

#endif /* ARGUMENT_H */
