/*
 * fuzz_text.cpp: libFuzzer harness for the text operations of both
 * programs: the registrar's command line, quoting, joining and cutting
 * paths, recorded values and the title page's folder preview.
 *
 * Input: one control byte, then the text.  Bit 7 of the control byte
 * chooses the code page (932 or a single-byte one), bits 0-2 the
 * operation, bits 3-6 a small number the operation may use.  Every
 * buffer is a heap block of exactly the size the callers give, so that
 * AddressSanitizer sees a write past it.
 */
#include "../../installer/derive.h"
#include "../../registrar/argument.h"
#include "seam.h"

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#define CHECK(condition)                                                                     \
    do {                                                                                     \
        if (!(condition)) {                                                                  \
            fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);    \
            abort();                                                                         \
        }                                                                                    \
    } while (0)

namespace {

/* A heap copy of the text in a block of cbBlock bytes (at least its
 * length plus one). */
char *Block(const std::string &strText, size_t cbBlock)
{
    char *p = static_cast<char *>(malloc(cbBlock));
    memset(p, 0xA5, cbBlock);
    memcpy(p, strText.c_str(), strText.size() + 1);
    return p;
}

bool IsLead(unsigned char ch)
{
    return IsDBCSLeadByte(ch) != 0;
}

/* The characters of a text as the code page splits them: the offset of
 * each.  A lead byte takes the byte after it, unless that is the NUL. */
std::vector<size_t> Characters(const std::string &strText)
{
    std::vector<size_t> offsets;
    for (size_t i = 0; i < strText.size(); i++) {
        offsets.push_back(i);
        if (IsLead((unsigned char)strText[i]) && i + 1 < strText.size())
            i++;
    }
    return offsets;
}

bool IsSeparatorAt(const std::string &strText, size_t i)
{
    return strText[i] == '\\' || strText[i] == '/';
}

bool EndsWith(const std::string &strText, const std::string &strEnd)
{
    return strText.size() >= strEnd.size() &&
           strText.compare(strText.size() - strEnd.size(), strEnd.size(), strEnd) == 0;
}

/* The input up to its first NUL. */
std::string RawText(const uint8_t *data, size_t size)
{
    std::string strText(reinterpret_cast<const char *>(data), size);
    strText.resize(strlen(strText.c_str()));
    return strText;
}

/* Text as an edit box or the registry gives it: never a lead byte
 * without its second byte at the end.  A command line can be any bytes. */
std::string ValidText(const std::string &strRaw)
{
    std::string strText = strRaw;
    std::vector<size_t> chars = Characters(strText);
    if (!chars.empty() && chars.back() == strText.size() - 1 && IsLead((unsigned char)strText.back()))
        strText.pop_back();
    return strText;
}

void FuzzArgument(const std::string &strText)
{
    char *pszText = Block(strText, strText.size() + 1);
    int nMode = -1;
    int bDigit = -1;
    char *pszPath = NULL;
    int nAnswer = ReadRegistrarArgument(pszText, &nMode, &bDigit, &pszPath);
    CHECK(nAnswer == TB_ARGUMENT_PATH || nAnswer == TB_ARGUMENT_NOT_A_PATH ||
          nAnswer == TB_ARGUMENT_INVALID);
    CHECK(bDigit == (strText[0] >= '0' && strText[0] <= '9'));
    if (nAnswer == TB_ARGUMENT_INVALID)
        CHECK(bDigit);
    if (nAnswer == TB_ARGUMENT_PATH) {
        CHECK(pszPath >= pszText && pszPath < pszText + strText.size() + 1);
        CHECK(bDigit ? (nMode == 1 || nMode == 2) : nMode == 0);
        std::string strPath(pszPath);
        CHECK(strPath.size() <= TB_MAX_PATH_CHARS);
        CHECK(((strPath[0] | 0x20) >= 'a' && (strPath[0] | 0x20) <= 'z') && strPath[1] == ':' &&
              strPath[2] == '\\');
        /* The registrar then quotes the path and adds the open command's
         * suffix in a buffer of TB_PATH_SIZE bytes. */
        char *pszBuffer = Block(strPath, TB_PATH_SIZE);
        Add95QuotationForAnySpaceIfNotThere(pszBuffer);
        CHECK(strlen(pszBuffer) + strlen(" \"%1\"") < TB_PATH_SIZE);
        free(pszBuffer);
    }
    free(pszText);
}

void FuzzQuoting(const std::string &strText, int nSmall)
{
    char *pszText = Block(strText, strText.size() + 3);
    int bAdded = Add95QuotationForAnySpaceIfNotThere(pszText);
    bool bShouldAdd = !strText.empty() && strText[0] != '"' && strText.find(' ') != std::string::npos;
    CHECK(bAdded == (int)bShouldAdd);
    if (bAdded) {
        CHECK(std::string(pszText) == "\"" + strText + "\"");
        CHECK(Is95QuotationMarkThere(pszText, 0));
        CHECK(Remove95Quotation(pszText) == 1);
        /* Whole characters come back whole; a last lead byte takes the
         * closing mark as its second byte. */
        if (ValidText(strText) == strText)
            CHECK(std::string(pszText) == strText);
        else
            CHECK(std::string(pszText) == strText + "\"");
    } else {
        CHECK(std::string(pszText) == strText);
        size_t cchBefore = strlen(pszText);
        int bRemoved = Remove95Quotation(pszText);
        CHECK(bRemoved == (strText[0] == '"'));
        CHECK(strlen(pszText) + 2 * bRemoved >= cchBefore && strlen(pszText) <= cchBefore);
    }
    free(pszText);

    /* Character positions and counts, against the code page's split. */
    std::vector<size_t> chars = Characters(strText);
    const char *psz = strText.c_str();
    int ch = nSmall < 4 ? "\\:\" "[nSmall] : (unsigned char)(strText.empty() ? 'x' : strText[0]);
    int nCount = 0;
    for (size_t i = 0; i < chars.size(); i++) {
        bool bSingle = !(IsLead((unsigned char)psz[chars[i]]) && chars[i] + 1 < strText.size());
        bool bMatch = bSingle && (unsigned char)psz[chars[i]] == (unsigned char)ch;
        nCount += bMatch;
        if (i >= 1 && i <= 4)
            CHECK((IsCharacterFound(psz, psz, ch, (int)i) != 0) == bMatch);
    }
    CHECK(IsCharacterFound(psz, psz, ch, 0) == nCount);
    CHECK(IsCharacterFound(psz, psz, ch, (int)chars.size() + 1) == 0);
}

void FuzzJoin(const std::string &strText, int nSmall)
{
    /* Folder and name are split at the first 0x01. */
    size_t nSplit = strText.find('\x01');
    std::string strFolder = strText.substr(0, nSplit).substr(0, BK_PATH_SIZE - 1);
    std::string strName = nSplit == std::string::npos ? "Bin" : strText.substr(nSplit + 1);

    char *pszFolder = Block(strFolder, BK_PATH_SIZE);
    char *pszDst = Block("", BK_PATH_SIZE);
    int nJoined = myGetFullPathName(pszDst, pszFolder, strName.c_str());
    CHECK(std::string(pszFolder) == strFolder);
    if (nJoined < 0) {
        CHECK(pszDst[0] == '\0');
    } else {
        std::string strJoined(pszDst);
        CHECK((size_t)nJoined == strJoined.size() && nJoined < BK_PATH_SIZE);
        CHECK(strJoined.compare(0, strFolder.size(), strFolder) == 0);
        CHECK(EndsWith(strJoined, strName));
        size_t cchBetween = strJoined.size() - strFolder.size() - strName.size();
        CHECK(cchBetween <= 1);
        if (cchBetween == 1)
            CHECK(strJoined[strFolder.size()] == '\\');
        /* A folder that ends in a separator character gets no second
         * one; the byte 0x5C behind a lead byte is not a separator. */
        std::vector<size_t> chars = Characters(strFolder);
        bool bEndsInSeparator = !chars.empty() && IsSeparatorAt(strFolder, chars.back()) &&
                                chars.back() == strFolder.size() - 1;
        if (!strFolder.empty() && !strName.empty())
            CHECK(cchBetween == (bEndsInSeparator ? 0u : 1u));
    }
    /* The same join back into the folder's own buffer. */
    int nInPlace = myGetFullPathName(NULL, pszFolder, strName.c_str());
    CHECK(nInPlace == nJoined);
    if (nInPlace < 0)
        CHECK(std::string(pszFolder) == strFolder);
    else
        CHECK(strcmp(pszFolder, pszDst) == 0);

    /* A small buffer of its own size. */
    int cbSmall = 1 + nSmall * 4;
    char *pszSmall = Block("", (size_t)cbSmall);
    int nSmallJoin = JoinPathInBuffer(pszSmall, cbSmall, strFolder.c_str(), strName.c_str());
    CHECK(nSmallJoin < cbSmall);
    if (nSmallJoin >= 0)
        CHECK((int)strlen(pszSmall) == nSmallJoin);
    free(pszSmall);
    free(pszDst);
    free(pszFolder);
}

void FuzzUpper(const std::string &strText)
{
    char *pszPath = Block(strText, strText.size() + 1);
    int bCut = GetUpperDirectory(pszPath);
    std::string strUpper(pszPath);
    CHECK(strText.compare(0, strUpper.size(), strUpper) == 0);
    if (bCut) {
        CHECK(strUpper.size() < strText.size());
        /* The cut falls on a character's start, never on a second byte. */
        std::vector<size_t> chars = Characters(strText);
        bool bOnCharacter = false;
        for (size_t offset : chars)
            bOnCharacter = bOnCharacter || offset == strUpper.size();
        CHECK(bOnCharacter);
        CHECK(!strUpper.empty());
    }
    free(pszPath);
}

void FuzzValueParts(const std::string &strText)
{
    char *pszValue = Block(strText, strText.size() + 1);
    char *pCut = CutAtSemicolon(pszValue);
    std::vector<size_t> chars = Characters(strText);
    size_t nFirst = std::string::npos;
    for (size_t offset : chars) {
        if (strText[offset] == ';') {
            nFirst = offset;
            break;
        }
    }
    if (nFirst == std::string::npos) {
        CHECK(pCut == NULL);
        CHECK(std::string(pszValue) == strText);
    } else {
        CHECK(pCut == pszValue + nFirst && *pCut == '\0');
        CHECK(std::string(pCut + 1) == strText.substr(nFirst + 1));
    }
    free(pszValue);

    /* Shortened for a message, then given back whole. */
    char *pszPath = Block(strText, strText.size() + 1);
    char chSaved = 0;
    int nPos = ExtractPath(pszPath, &chSaved);
    if (nPos >= 0) {
        /* Its start, "..." and its end, cut between characters, and short
         * enough for any message to keep its own words. */
        std::string strShown(pszPath);
        CHECK(strText.size() >= BK_SHOWN_PATH && strShown.size() < BK_SHOWN_PATH);
        CHECK(nPos > 0 && strShown.compare((size_t)nPos, 3, "...") == 0);
        std::string strTail = strShown.substr((size_t)nPos + 3);
        size_t nTail = strText.size() - strTail.size();
        CHECK(!strTail.empty() && strText.compare(0, (size_t)nPos, strShown, 0, (size_t)nPos) == 0);
        CHECK(strText.compare(nTail, std::string::npos, strTail) == 0);
        CHECK(std::find(chars.begin(), chars.end(), (size_t)nPos) != chars.end());
        CHECK(std::find(chars.begin(), chars.end(), nTail) != chars.end());
    } else {
        CHECK(strText.size() < BK_SHOWN_PATH);
    }
    RecoverPath(nPos, chSaved);
    CHECK(std::string(pszPath) == strText);
    free(pszPath);
}

/* The title page's preview: text only, never the file system (the seam
 * traps it), never a value cut short, and each value the root's folder
 * as a user reads it. */
void FuzzPreview(const std::string &strText)
{
    char *pszRoot = Block(strText, strText.size() + 1);
    /* The preview works on the first BK_PATH_SIZE - 1 bytes. */
    std::string strRoot = strText.substr(0, BK_PATH_SIZE - 1);
    std::vector<size_t> chars = Characters(strRoot);
    bool bEndsInSeparator = !chars.empty() && chars.back() == strRoot.size() - 1 &&
                            IsSeparatorAt(strRoot, chars.back());
    /* A root of whole characters that ends neither in a slash nor in two
     * separators: its library value must be exactly
     * "<root>\Lib;<root>\Lib\PSDK".  (After a slash the second path has
     * a backslash there: the same folder.) */
    bool bPlainRoot = !strRoot.empty() && ValidText(strRoot) == strRoot &&
                      !(bEndsInSeparator && strRoot.back() == '/') &&
                      !(bEndsInSeparator && chars.size() >= 2 &&
                        IsSeparatorAt(strRoot, chars[chars.size() - 2]));
    for (int k = 0; k <= KIND_LIBRARY; k++) {
        char *pszValue = Block("", BK_PATH_SIZE);
        BuildFolderValue(pszRoot, k, 0, pszValue);
        std::string strValue(pszValue);
        free(pszValue);
        CHECK(strValue.size() < BK_PATH_SIZE);
        std::string strFirst = strRoot + (strRoot.empty() || bEndsInSeparator ? "" : "\\") +
                               gapszSubfolders[k];
        std::string strExpected =
            k == KIND_LIBRARY ? strFirst + ";" + strFirst + "\\PSDK" : strFirst;
        /* Empty only when the whole value would not fit. */
        if (strValue.empty()) {
            CHECK(strExpected.size() >= BK_PATH_SIZE - 1);
            continue;
        }
        if (k != KIND_LIBRARY || bPlainRoot) {
            CHECK(strValue == strExpected);
        } else {
            CHECK(strValue.compare(0, strFirst.size() + 1, strFirst + ";") == 0);
            CHECK(EndsWith(strValue, gapszSubfolders[KIND_WINDOWS_LIBRARY]));
        }
    }
    CHECK(std::string(pszRoot) == strText);
    free(pszRoot);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    gnSeamCodePage = (data[0] & 0x80) ? 932 : 0;
    int nSmall = (data[0] >> 3) & 0x0F;
    /* The command line's operations take any bytes; the others take
     * text from edit boxes and the registry. */
    std::string strRaw = RawText(data + 1, size - 1);
    std::string strText = ValidText(strRaw);
    switch (data[0] & 0x07) {
    case 0:
        FuzzArgument(strRaw);
        break;
    case 1:
        FuzzQuoting(strRaw, nSmall);
        break;
    case 2:
        FuzzJoin(strText, nSmall);
        break;
    case 3:
        FuzzUpper(strText);
        break;
    case 4:
        FuzzValueParts(strText);
        break;
    default:
        FuzzPreview(strText);
        break;
    }
    return 0;
}
