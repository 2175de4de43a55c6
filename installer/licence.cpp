/*
 * licence.cpp: the compiler's licence statement, made from licence.txt
 * by the build.
 */
#include "pelmor.h"

const char gszLicenceStatement[] =
#include "licence.inc"
    ;
