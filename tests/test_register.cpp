/*
 * test_register.cpp: RegisterFileTypes against a double of the two
 * registry operations, the one place where the real registry cannot show
 * the case (a write that fails), and where the exact sequence of tests
 * and writes is seen.  The executable is a real file.
 */
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "testutil.h"
#include "typebind.h"

/* ---- the double ---- */

static std::map<std::string, std::string> gFakeValues;
static std::vector<std::string> gFakeCalls;
static std::string gstrFailingKey;
static std::set<std::string> gMinusTwoKeys;

int myIsStrHereInRegistry(HKEY hkRoot, const char *pszKey, const char *pszSubkey,
                          const char *pszName, int nValues, const char *pszExpected, int nMatch)
{
    EXPECT_EQ(HKEY_CLASSES_ROOT, hkRoot);
    EXPECT_STREQ("", pszSubkey);
    EXPECT_STREQ("", pszName);
    EXPECT_EQ(1, nValues);
    gFakeCalls.push_back(std::string("test ") + pszKey + " " + pszExpected + " " +
                         std::to_string(nMatch));
    if (gMinusTwoKeys.count(pszKey))
        return -2;
    auto it = gFakeValues.find(pszKey);
    if (it == gFakeValues.end())
        return 0;
    if (nMatch == 0)
        return it->second == pszExpected ? 1 : 0;
    const std::string &strValue = it->second;
    std::string strPath = pszExpected;
    return strValue.compare(0, strPath.size(), strPath) == 0 ||
                   strValue.compare(0, strPath.size() + 2, "\"" + strPath + "\"") == 0
               ? 1
               : -2;
}

int mySetStrInRegistry(HKEY hkRoot, const char *pszKey, const char *pszSubkey, const char *pszName,
                       const char *pszData)
{
    EXPECT_EQ(HKEY_CLASSES_ROOT, hkRoot);
    EXPECT_STREQ("", pszSubkey);
    EXPECT_STREQ("", pszName);
    gFakeCalls.push_back(std::string("write ") + pszKey + " " + pszData);
    if (gstrFailingKey == pszKey)
        return -1;
    gFakeValues[pszKey] = pszData;
    return 0;
}

int SetRegistrySettingForAdmin(int nAdmin)
{
    gFakeCalls.push_back("admin " + std::to_string(nAdmin));
    return 0;
}

namespace {

/* The recorded calls of one kind ("write " or "test "), in order. */
std::vector<std::string> CallsOf(const std::string &strKind)
{
    std::vector<std::string> calls;
    for (const std::string &strCall : gFakeCalls)
        if (strCall.compare(0, strKind.size(), strKind) == 0)
            calls.push_back(strCall.substr(strKind.size()));
    return calls;
}

std::vector<std::string> Writes()
{
    return CallsOf("write ");
}

std::vector<std::string> Tests()
{
    return CallsOf("test ");
}

class RegisterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        gFakeValues.clear();
        gFakeCalls.clear();
        gstrFailingKey.clear();
        gMinusTwoKeys.clear();
        m_strFolder = FreshFolder("quillant");
        m_strExe = JoinPath(m_strFolder, "quillant.exe");
        ASSERT_TRUE(WriteTextFile(m_strExe, "stand-in"));
    }
    void TearDown() override { RemoveTree("C:\\qktest"); }

    int Register(const std::string &strPath, int nMode)
    {
        char szPath[TB_PATH_SIZE];
        lstrcpynA(szPath, strPath.c_str(), sizeof szPath);
        return RegisterFileTypes(szPath, nMode);
    }

    /* The twelve writes of a registration on an empty registry. */
    std::vector<std::string> AllWrites(const std::string &strP)
    {
        return {".qxp qxpfile",
                "qxpfile\\shell\\open\\command " + strP + " \"%1\"",
                "qxpfile Quillix Project File",
                ".qxl qxlfile",
                "qxlfile\\shell\\open\\command " + strP + " \"%1\"",
                "qxlfile Quillix Project List File",
                "qxlfile\\DefaultIcon " + strP + ",1",
                ".qxi qxifile",
                "qxifile Quillix Ini File",
                "qxifile\\DefaultIcon " + strP + ",3",
                ".qxf qxffile",
                "qxffile Quillix function/Macro Database"};
    }

    std::string m_strFolder;
    std::string m_strExe;
};

TEST_F(RegisterTest, EmptyRegistryGetsTwelveEntriesInOrder)
{
    EXPECT_EQ(TB_ENTRIES_ADDED, Register(m_strExe, 1));
    EXPECT_EQ(AllWrites(m_strExe), Writes());
    /* Only the extension keys are tested on an empty registry. */
    EXPECT_EQ((std::vector<std::string>{".qxp qxpfile 0", ".qxl qxlfile 0", ".qxi qxifile 0",
                                        ".qxf qxffile 0"}),
              Tests());
    EXPECT_EQ(12, gnEntriesWritten);
}

TEST_F(RegisterTest, SecondRunTestsEverythingAndWritesNothing)
{
    Register(m_strExe, 1);
    gFakeCalls.clear();
    EXPECT_EQ(TB_ALL_PRESENT, Register(m_strExe, 1));
    EXPECT_TRUE(Writes().empty());
    EXPECT_EQ(0, gnEntriesWritten);
    const std::string &p = m_strExe;
    EXPECT_EQ((std::vector<std::string>{
                  ".qxp qxpfile 0", "qxpfile Quillix Project File 0",
                  "qxpfile\\shell\\open\\command " + p + " 1", ".qxl qxlfile 0",
                  "qxlfile\\shell\\open\\command " + p + " 1", "qxlfile Quillix Project List File 0",
                  "qxlfile\\DefaultIcon " + p + " 1", ".qxi qxifile 0", "qxifile Quillix Ini File 0",
                  "qxifile\\DefaultIcon " + p + " 1", ".qxf qxffile 0",
                  "qxffile Quillix function/Macro Database 0"}),
              Tests());
}

TEST_F(RegisterTest, ChangedDescriptionAloneIsRewritten)
{
    Register(m_strExe, 1);
    gFakeValues["qxifile"] = "Some Other Text";
    gFakeCalls.clear();
    EXPECT_EQ(TB_DESCRIPTIONS_ADDED, Register(m_strExe, 1));
    EXPECT_EQ((std::vector<std::string>{"qxifile Quillix Ini File"}), Writes());
}

TEST_F(RegisterTest, ExtensionNamingAnotherProgIdRewritesTheWholeType)
{
    Register(m_strExe, 1);
    gFakeValues[".qxl"] = "otherfile";
    gFakeCalls.clear();
    EXPECT_EQ(TB_ENTRIES_ADDED, Register(m_strExe, 1));
    const std::string &p = m_strExe;
    EXPECT_EQ((std::vector<std::string>{".qxl qxlfile", "qxlfile\\shell\\open\\command " + p + " \"%1\"",
                                        "qxlfile Quillix Project List File",
                                        "qxlfile\\DefaultIcon " + p + ",1"}),
              Writes());
    for (const std::string &strTest : Tests())
        EXPECT_NE(0u, strTest.compare(0, 8, "qxlfile")) << "tested behind a foreign ProgID: " << strTest;
}

TEST_F(RegisterTest, PathWithBlankIsQuotedInValuesNotInTests)
{
    std::string strFolder = FreshFolder("Program Files");
    std::string strExe = JoinPath(strFolder, "Quillant\\quillant.exe");
    CreateDirectoryA(JoinPath(strFolder, "Quillant").c_str(), NULL);
    ASSERT_TRUE(WriteTextFile(strExe, "x"));
    EXPECT_EQ(TB_ENTRIES_ADDED, Register("\"" + strExe + "\"", 1));
    EXPECT_EQ(AllWrites("\"" + strExe + "\""), Writes());
    gFakeCalls.clear();
    EXPECT_EQ(TB_ALL_PRESENT, Register(strExe, 1));
    for (const std::string &strTest : Tests())
        EXPECT_EQ(std::string::npos, strTest.find('"')) << strTest;
}

TEST_F(RegisterTest, DescriptionRepairOnAnEmptyRegistry)
{
    for (int nMode : {0, 2}) {
        gFakeValues.clear();
        gFakeCalls.clear();
        EXPECT_EQ(TB_DESCRIPTIONS_ADDED, Register(m_strExe, nMode)) << "mode " << nMode;
        EXPECT_EQ((std::vector<std::string>{"qxpfile Quillix Project File",
                                            "qxffile Quillix function/Macro Database",
                                            "qxlfile Quillix Project List File",
                                            "qxifile Quillix Ini File"}),
                  Writes())
            << "mode " << nMode;
        gFakeCalls.clear();
        /* The extension keys are still absent, so the descriptions do not
         * count as present: the repair writes them again. */
        EXPECT_EQ(TB_DESCRIPTIONS_ADDED, Register(m_strExe, nMode));
    }
}

TEST_F(RegisterTest, DescriptionRepairAfterFullRegistrationFindsAll)
{
    Register(m_strExe, 1);
    gFakeValues["qxffile"] = "changed";
    gFakeCalls.clear();
    EXPECT_EQ(TB_DESCRIPTIONS_ADDED, Register(m_strExe, 2));
    EXPECT_EQ((std::vector<std::string>{"qxffile Quillix function/Macro Database"}), Writes());
    EXPECT_EQ((std::vector<std::string>{".qxp qxpfile 0", "qxpfile Quillix Project File 0",
                                        ".qxf qxffile 0", "qxffile Quillix function/Macro Database 0",
                                        ".qxl qxlfile 0", "qxlfile Quillix Project List File 0",
                                        ".qxi qxifile 0", "qxifile Quillix Ini File 0"}),
              Tests());
    gFakeCalls.clear();
    EXPECT_EQ(TB_ALL_PRESENT, Register(m_strExe, 2));
}

TEST_F(RegisterTest, FailingStructuralWriteStopsWithMinusThree)
{
    gstrFailingKey = "qxlfile\\DefaultIcon";
    EXPECT_EQ(TB_WRITE_FAILED, Register(m_strExe, 1));
    std::vector<std::string> expected = AllWrites(m_strExe);
    expected.resize(7); /* up to the failing icon, nothing behind it */
    EXPECT_EQ(expected, Writes());
    EXPECT_EQ(0u, gFakeValues.count(".qxi"));
    EXPECT_EQ(0u, gFakeValues.count(".qxf"));
    EXPECT_EQ(1u, gFakeValues.count(".qxp"));
}

TEST_F(RegisterTest, FailingDescriptionWriteGoesUnnoticed)
{
    gstrFailingKey = "qxpfile";
    EXPECT_EQ(TB_ENTRIES_ADDED, Register(m_strExe, 1));
    EXPECT_EQ(12u, Writes().size());
}

TEST_F(RegisterTest, MatchAnsweringMinusTwoRewritesTheEntry)
{
    Register(m_strExe, 1);
    gMinusTwoKeys.insert("qxpfile\\shell\\open\\command");
    gFakeCalls.clear();
    EXPECT_EQ(TB_ENTRIES_ADDED, Register(m_strExe, 1));
    EXPECT_EQ((std::vector<std::string>{"qxpfile\\shell\\open\\command " + m_strExe + " \"%1\""}),
              Writes());
}

TEST_F(RegisterTest, MissingExecutableTouchesNoRegistryAtAll)
{
    for (int nMode : {0, 1, 2}) {
        gFakeCalls.clear();
        /* The box that tells the user is answered by the helper thread. */
        struct Answer {
            static DWORD WINAPI Run(LPVOID)
            {
                for (int i = 0; i < 200; i++) {
                    HWND hwnd = FindWindowA("#32770", NULL);
                    if (hwnd != NULL) {
                        PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
                        return 0;
                    }
                    Sleep(25);
                }
                return 1;
            }
        };
        HANDLE hThread = CreateThread(NULL, 0, Answer::Run, NULL, 0, NULL);
        EXPECT_EQ(TB_NO_EXECUTABLE, Register(JoinPath(m_strFolder, "missing.exe"), nMode));
        WaitForSingleObject(hThread, 10000);
        DWORD dwCode = 9;
        GetExitCodeThread(hThread, &dwCode);
        CloseHandle(hThread);
        EXPECT_EQ(0u, dwCode) << "the user was not told that the executable is missing";
        EXPECT_TRUE(gFakeCalls.empty()) << gFakeCalls.front();
    }
}

TEST_F(RegisterTest, NoDatabaseIconEver)
{
    Register(m_strExe, 1);
    for (const std::string &strWrite : Writes())
        EXPECT_EQ(std::string::npos, strWrite.find("qxffile\\DefaultIcon"));
    EXPECT_STREQ(".qxl", GetFileTypeExtension(0));
    EXPECT_STREQ(".qxp", GetFileTypeExtension(1));
    EXPECT_STREQ(".qxf", GetFileTypeExtension(2));
    EXPECT_STREQ(".qxi", GetFileTypeExtension(3));
    EXPECT_EQ(nullptr, GetFileTypeExtension(-1));
}

} // namespace
