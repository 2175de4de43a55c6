/*
 * seam.h: what the harness sets in the native stand-ins of the Win32
 * names: the ANSI code page (0 for a single-byte one, or 932).
 */
#ifndef SEAM_H
#define SEAM_H

#include "../../helperlib/textkit.h"

extern int gnSeamCodePage;

#endif /* SEAM_H */
