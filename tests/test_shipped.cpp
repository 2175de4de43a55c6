/*
 * test_shipped.cpp: the shipped i686 programs as files: their headers,
 * imports and resources, read back without running them (they are
 * 32-bit, and only 64-bit programs run here).
 */
#include <gtest/gtest.h>

#include <algorithm>

#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>

#include "testutil.h"

namespace {

std::string ShippedPath(const char *pszName)
{
    return std::string(QK_SHIPPED_DIR) + "/" + pszName;
}

struct PeFile {
    std::string strBytes;
    const IMAGE_NT_HEADERS32 *pNt = nullptr;

    bool Load(const std::string &strPath)
    {
        strBytes = ReadTextFile(strPath);
        if (strBytes.size() < sizeof(IMAGE_DOS_HEADER))
            return false;
        const IMAGE_DOS_HEADER *pDos = reinterpret_cast<const IMAGE_DOS_HEADER *>(strBytes.data());
        if (pDos->e_magic != IMAGE_DOS_SIGNATURE ||
            (size_t)pDos->e_lfanew + sizeof(IMAGE_NT_HEADERS32) > strBytes.size())
            return false;
        pNt = reinterpret_cast<const IMAGE_NT_HEADERS32 *>(strBytes.data() + pDos->e_lfanew);
        return pNt->Signature == IMAGE_NT_SIGNATURE;
    }

    /* File offset of a relative virtual address, or 0. */
    size_t Offset(DWORD dwRva) const
    {
        const IMAGE_SECTION_HEADER *pSection = IMAGE_FIRST_SECTION(pNt);
        for (int i = 0; i < pNt->FileHeader.NumberOfSections; i++, pSection++) {
            DWORD dwSize = pSection->Misc.VirtualSize ? pSection->Misc.VirtualSize
                                                      : pSection->SizeOfRawData;
            if (dwRva >= pSection->VirtualAddress && dwRva < pSection->VirtualAddress + dwSize)
                return dwRva - pSection->VirtualAddress + pSection->PointerToRawData;
        }
        return 0;
    }

    std::vector<std::string> ImportedDlls() const
    {
        std::vector<std::string> dlls;
        const IMAGE_DATA_DIRECTORY &dir = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        size_t off = Offset(dir.VirtualAddress);
        if (off == 0)
            return dlls;
        for (;; off += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
            const IMAGE_IMPORT_DESCRIPTOR *pImport =
                reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(strBytes.data() + off);
            if (pImport->Name == 0)
                break;
            std::string strName = strBytes.data() + Offset(pImport->Name);
            for (char &ch : strName)
                ch = (char)tolower((unsigned char)ch);
            dlls.push_back(strName);
        }
        return dlls;
    }
};

void CheckShippedHeaders(const char *pszName)
{
    PeFile pe;
    ASSERT_TRUE(pe.Load(ShippedPath(pszName))) << ShippedPath(pszName);
    const IMAGE_OPTIONAL_HEADER32 &opt = pe.pNt->OptionalHeader;
    printf("%s: %zu bytes, machine 0x%x, magic 0x%x, subsystem %u, version %u.%02u\n", pszName,
           pe.strBytes.size(), pe.pNt->FileHeader.Machine, opt.Magic, opt.Subsystem,
           opt.MajorSubsystemVersion, opt.MinorSubsystemVersion);
    EXPECT_EQ(IMAGE_FILE_MACHINE_I386, pe.pNt->FileHeader.Machine);
    EXPECT_EQ(IMAGE_NT_OPTIONAL_HDR32_MAGIC, opt.Magic);
    EXPECT_EQ(IMAGE_SUBSYSTEM_WINDOWS_GUI, opt.Subsystem);
    EXPECT_LE(opt.MajorSubsystemVersion * 100 + opt.MinorSubsystemVersion, 501)
        << "Windows XP would refuse to load it";
    EXPECT_LE(opt.MajorOperatingSystemVersion * 100 + opt.MinorOperatingSystemVersion, 501);

    static const char *const apszXpDlls[] = {"kernel32.dll", "user32.dll", "gdi32.dll",
                                             "advapi32.dll", "comdlg32.dll", "shell32.dll",
                                             "comctl32.dll", "msvcrt.dll", NULL};
    for (const std::string &strDll : pe.ImportedDlls()) {
        printf("  imports %s\n", strDll.c_str());
        bool bKnown = false;
        for (int i = 0; apszXpDlls[i] != NULL; i++)
            bKnown = bKnown || strDll == apszXpDlls[i];
        EXPECT_TRUE(bKnown) << pszName << " imports " << strDll;
    }
}

HMODULE LoadAsData(const char *pszName)
{
    return LoadLibraryExA(ShippedPath(pszName).c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
}

std::string ResourceText(HMODULE hModule, LPCSTR pszType, LPCSTR pszName)
{
    HRSRC hResource = FindResourceA(hModule, pszName, pszType);
    if (hResource == NULL)
        return "<missing>";
    HGLOBAL hData = LoadResource(hModule, hResource);
    return std::string(static_cast<const char *>(LockResource(hData)),
                       SizeofResource(hModule, hResource));
}

/* A string of the version block, found by walking the block itself. */
std::string VersionString(HMODULE hModule, const char *pszKey)
{
    std::string strBlock = ResourceText(hModule, MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1));
    std::wstring wstrKey;
    for (const char *p = pszKey; *p; p++)
        wstrKey += (wchar_t)*p;
    const wchar_t *pwsz = reinterpret_cast<const wchar_t *>(strBlock.data());
    size_t cwch = strBlock.size() / 2;
    std::wstring wstrAll(pwsz, cwch);
    size_t pos = wstrAll.find(wstrKey + L'\0');
    if (pos == std::wstring::npos)
        return "<missing>";
    pos += wstrKey.size() + 1;
    while (pos < cwch && wstrAll[pos] == L'\0')
        pos++; /* padding to the next 32-bit boundary */
    /* An empty value: the next entry's header follows, not text. */
    std::string strValue;
    for (; pos < cwch && wstrAll[pos] != L'\0'; pos++)
        strValue += (char)wstrAll[pos];
    return strValue;
}

/* The version block: its strings, and the fixed file and product
 * versions as four numbers each. */
void ExpectVersionBlock(HMODULE hModule, const char *pszDescription, const char *pszName,
                        const char *pszVersion, const WORD awFile[4], const WORD awProduct[4])
{
    EXPECT_EQ(pszDescription, VersionString(hModule, "FileDescription"));
    EXPECT_EQ(pszName, VersionString(hModule, "InternalName"));
    EXPECT_EQ(std::string(pszName) + ".exe", VersionString(hModule, "OriginalFilename"));
    EXPECT_EQ(pszVersion, VersionString(hModule, "FileVersion"));
    EXPECT_EQ(pszVersion, VersionString(hModule, "ProductVersion"));

    std::string strBlock = ResourceText(hModule, MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1));
    const DWORD dwSignature = 0xFEEF04BD;
    size_t pos = strBlock.find(std::string(reinterpret_cast<const char *>(&dwSignature), 4));
    ASSERT_NE(std::string::npos, pos) << "no fixed version part";
    ASSERT_LE(pos + sizeof(VS_FIXEDFILEINFO), strBlock.size());
    VS_FIXEDFILEINFO info;
    memcpy(&info, strBlock.data() + pos, sizeof info);
    WORD awGotFile[4] = {HIWORD(info.dwFileVersionMS), LOWORD(info.dwFileVersionMS),
                         HIWORD(info.dwFileVersionLS), LOWORD(info.dwFileVersionLS)};
    WORD awGotProduct[4] = {HIWORD(info.dwProductVersionMS), LOWORD(info.dwProductVersionMS),
                            HIWORD(info.dwProductVersionLS), LOWORD(info.dwProductVersionLS)};
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(awFile[i], awGotFile[i]) << "file version part " << i;
        EXPECT_EQ(awProduct[i], awGotProduct[i]) << "product version part " << i;
    }
    EXPECT_EQ((DWORD)VOS_NT_WINDOWS32, info.dwFileOS);
    EXPECT_EQ((DWORD)VFT_APP, info.dwFileType);
}

/* Every import slot of a delay-loaded DLL must hold the address of its
 * loading thunk: a slot left 0 jumps to address 0 at the function's first
 * call.  The linker leaves the delay-import directory entry empty, so the
 * descriptor (attributes, name, module handle, slots, names, ...; all
 * relative addresses) is found by the DLL's name. */
void CheckDelayImportSlots(const PeFile &pe, const char *pszName, const std::string &strDll)
{
    const IMAGE_OPTIONAL_HEADER32 &opt = pe.pNt->OptionalHeader;
    const IMAGE_SECTION_HEADER *pText = IMAGE_FIRST_SECTION(pe.pNt);
    DWORD dwTextStart = opt.ImageBase + pText->VirtualAddress;
    DWORD dwTextEnd = dwTextStart + pText->Misc.VirtualSize;
    int nDescriptors = 0;
    int nSlots = 0;
    for (size_t pos = 0; (pos = pe.strBytes.find(strDll + '\0', pos)) != std::string::npos; pos++) {
        /* The name's relative address, from its file offset. */
        const IMAGE_SECTION_HEADER *pSection = IMAGE_FIRST_SECTION(pe.pNt);
        DWORD dwNameRva = 0;
        for (int i = 0; i < pe.pNt->FileHeader.NumberOfSections; i++, pSection++)
            if (pos >= pSection->PointerToRawData &&
                pos < pSection->PointerToRawData + pSection->SizeOfRawData)
                dwNameRva = (DWORD)(pos - pSection->PointerToRawData + pSection->VirtualAddress);
        if (dwNameRva == 0)
            continue;
        for (size_t off = 0; off + 32 <= pe.strBytes.size(); off += 4) {
            DWORD adw[8];
            memcpy(adw, pe.strBytes.data() + off, sizeof adw);
            if (adw[0] != 1 || adw[1] != dwNameRva)
                continue;
            nDescriptors++;
            size_t offSlots = pe.Offset(adw[3]);
            size_t offNames = pe.Offset(adw[4]);
            ASSERT_NE(0u, offSlots) << pszName << " " << strDll;
            ASSERT_NE(0u, offNames) << pszName << " " << strDll;
            for (int k = 0;; k++) {
                DWORD dwName;
                DWORD dwSlot;
                ASSERT_LE(offNames + 4 * k + 4, pe.strBytes.size());
                memcpy(&dwName, pe.strBytes.data() + offNames + 4 * k, 4);
                if (dwName == 0)
                    break;
                memcpy(&dwSlot, pe.strBytes.data() + offSlots + 4 * k, 4);
                nSlots++;
                EXPECT_TRUE(dwSlot >= dwTextStart && dwSlot < dwTextEnd)
                    << pszName << ": " << strDll << " slot " << k << " holds 0x" << std::hex << dwSlot
                    << ", not a thunk in the code";
            }
        }
    }
    printf("  delay-loads %s: %d descriptor, %d slots\n", strDll.c_str(), nDescriptors, nSlots);
    EXPECT_EQ(1, nDescriptors) << pszName << " " << strDll;
    EXPECT_GT(nSlots, 0) << pszName << " " << strDll;
}

/* The DLLs loaded at start, and those loaded only when first called: a
 * delay-loaded DLL is named in the file but has no import entry. */
void CheckStartImports(const char *pszName, const std::vector<std::string> &astrAtStart,
                       const std::vector<std::string> &astrDelayed)
{
    PeFile pe;
    ASSERT_TRUE(pe.Load(ShippedPath(pszName)));
    std::vector<std::string> astrImports = pe.ImportedDlls();
    std::sort(astrImports.begin(), astrImports.end());
    EXPECT_EQ(astrAtStart, astrImports) << pszName;
    std::string strLower = pe.strBytes;
    for (char &ch : strLower)
        ch = (char)tolower((unsigned char)ch);
    for (const std::string &strDll : astrDelayed) {
        EXPECT_NE(std::string::npos, strLower.find(strDll + '\0')) << pszName << " lacks " << strDll;
        /* The descriptor names the DLL as the import library spells it. */
        std::string strUpper = strDll.substr(0, strDll.size() - 4);
        for (char &ch : strUpper)
            ch = (char)toupper((unsigned char)ch);
        CheckDelayImportSlots(pe, pszName, strUpper + ".dll");
    }
}

TEST(ShippedPelmor, HeadersAndImports)
{
    CheckShippedHeaders("Pelmor.exe");
    CheckStartImports("Pelmor.exe", {"advapi32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll", "user32.dll"},
                      {"shell32.dll", "ole32.dll"});
}

TEST(ShippedPelmor, Resources)
{
    HMODULE hModule = LoadAsData("Pelmor.exe");
    ASSERT_NE(nullptr, hModule);
    static const struct {
        UINT id;
        const char *pszText;
    } aStrings[] = {
        {1, "Faled to expand Borland C++ 5.51 files."},
        {2, "Borland C++ 5.51 free version"},
        {4, "Now, Borland C++ 5.51 compiler is ready for installing."},
        {5, "Previous [%s] folder is not found.\nBorland C++ 5.51 is re-installed, now."},
        {7, "Do you want to install Borland C++ 5.51 in\n\n  Executable: %s\n  Include: %s\n  "
            "Library: %s\n  Windows Library: %s\n\nfolders, again?"},
        {8, "Failed to transfer the compressed [kitpack.exe] into the folder, where BC++ 5.51 "
            "compiler is to be installed."},
        {9, "Failed to create the folder, where Quillant is to be installed."},
        {10, "Failed to create the folder, where Borland C++ 5.51 compiler is to be installed."},
        {11, "Please read the licence by scrolling the text down to the end of the text. Then, "
             "click [Install]."},
    };
    for (const auto &s : aStrings) {
        char szText[1024];
        int cch = LoadStringA(hModule, s.id, szText, sizeof szText);
        EXPECT_GT(cch, 0) << "string " << s.id;
        EXPECT_STREQ(s.pszText, cch > 0 ? szText : "") << "string " << s.id;
    }
    EXPECT_NE("<missing>", ResourceText(hModule, RT_GROUP_ICON, MAKEINTRESOURCEA(103)));
    static const WORD awVersion[4] = {6, 3, 1, 0};
    ExpectVersionBlock(hModule, "Installer for BC++5.5 (en:XP/Viata/7/8/10)", "Pelmor", "6.3.1.0",
                       awVersion, awVersion);

    std::string strManifest = ResourceText(hModule, MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));
    EXPECT_NE(std::string::npos, strManifest.find("level=\"asInvoker\" uiAccess=\"false\""));
    EXPECT_NE(std::string::npos, strManifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
    EXPECT_NE(std::string::npos, strManifest.find("name=\"vostrel\""));
    FreeLibrary(hModule);
}

TEST(ShippedTypebind, HeadersAndImports)
{
    CheckShippedHeaders("Typebind.exe");
    /* The registry is written before the user interface is loaded. */
    CheckStartImports("Typebind.exe", {"advapi32.dll", "kernel32.dll", "msvcrt.dll"},
                      {"user32.dll", "shell32.dll"});
}

TEST(ShippedTypebind, Resources)
{
    HMODULE hModule = LoadAsData("Typebind.exe");
    ASSERT_NE(nullptr, hModule);
    EXPECT_NE("<missing>", ResourceText(hModule, RT_GROUP_ICON, "IDI_ICON1"));
    static const WORD awFile[4] = {6, 1, 1, 0};
    static const WORD awProduct[4] = {0, 0, 0, 0};
    ExpectVersionBlock(hModule, "File Association for Quillant (English)", "Typebind", "6.1.1.0",
                       awFile, awProduct);
    std::string strManifest = ResourceText(hModule, MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));
    EXPECT_NE(std::string::npos,
              strManifest.find("level=\"requireAdministrator\" uiAccess=\"false\""));
    EXPECT_NE(std::string::npos, strManifest.find("publicKeyToken=\"6595b64144ccf1df\""));
    FreeLibrary(hModule);
}

} // namespace
