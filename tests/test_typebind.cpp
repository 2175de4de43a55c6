/*
 * test_typebind.cpp: the real Typebind.exe started as a process with a
 * command line, its message boxes read and answered, and the registry of
 * the test prefix read back.
 */
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "guidrive.h"
#include "testutil.h"

namespace {

const char gszEntryTitle[] = "File associations for Quillant";
const char gszResultTitle[] = "Assciated files for Quillant";
const char gszFromQuillant[] = "This application can be executed from Quillant.";
const char gszInvalid[] = "The argument passed to Quillant is invlid.";
const char gszUpdated[] = "File types for Quillant are updated.";
const char gszAlready[] = "File types for Quillant are already registered.";
const char gszDescription[] = "File decription of Quillant.is added as a registry item.";

class TypebindTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearFileTypes();
        std::string strFolder = FreshFolder("Program Files");
        CreateDirectoryA(JoinPath(strFolder, "Quillant").c_str(), NULL);
        m_strExe = JoinPath(strFolder, "Quillant\\quillant.exe");
        ASSERT_TRUE(WriteTextFile(m_strExe, "stand-in"));
    }
    void TearDown() override
    {
        ClearFileTypes();
        RemoveTree("C:\\qktest");
    }

    /* Runs Typebind with pszArgs, answering every box with OK. */
    std::vector<BoxSeen> Run(const std::string &strArgs, long *plExit)
    {
        std::vector<BoxSeen> boxes;
        DrivenProgram program;
        *plExit = -2;
        if (!StartProgram(ProgramPath("Typebind.exe").c_str(), strArgs.c_str(), NULL, &program))
            return boxes;
        DWORD dwStart = GetTickCount();
        while (WaitForSingleObject(program.hProcess, 0) == WAIT_TIMEOUT &&
               GetTickCount() - dwStart < 20000) {
            BoxSeen seen = AnswerMessageBox(program.dwProcessId, NULL, IDOK, 100);
            if (seen.bFound)
                boxes.push_back(seen);
        }
        *plExit = WaitProgramExit(&program, 1000);
        return boxes;
    }

    static std::string Default(const std::string &strKey)
    {
        std::string strValue;
        if (!ReadRegString(HKEY_CLASSES_ROOT, strKey.c_str(), "", &strValue))
            return "<absent>";
        return strValue;
    }

    void ExpectFullRegistration(const std::string &strP)
    {
        for (const auto &entry : FullRegistrationEntries(strP))
            EXPECT_EQ(entry.second, Default(entry.first)) << entry.first;
        EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, "qxffile\\DefaultIcon"));
        EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, "qxifile\\shell"));
    }

    void ExpectNothingRegistered()
    {
        for (int i = 0; gapszFileTypeKeys[i] != NULL; i++)
            EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, gapszFileTypeKeys[i]))
                << gapszFileTypeKeys[i];
    }

    std::string m_strExe;
};

void ExpectOneBox(const std::vector<BoxSeen> &boxes, const char *pszTitle, const char *pszText)
{
    ASSERT_EQ(1u, boxes.size()) << (boxes.empty() ? "no box" : boxes[1].strText);
    EXPECT_EQ(pszTitle, boxes[0].strCaption);
    EXPECT_EQ(pszText, boxes[0].strText);
    EXPECT_EQ((unsigned)BOX_HAS_OK, boxes[0].uButtons);
}

TEST_F(TypebindTest, EmptyCommandLine)
{
    long lExit;
    ExpectOneBox(Run("", &lExit), gszEntryTitle, gszFromQuillant);
    EXPECT_EQ(1, lExit);
    ExpectNothingRegistered();
}

TEST_F(TypebindTest, FullRegistrationThenAlreadyRegistered)
{
    long lExit;
    ExpectOneBox(Run("1\"" + m_strExe + "\"", &lExit), gszResultTitle, gszUpdated);
    EXPECT_EQ(1, lExit);
    ExpectFullRegistration("\"" + m_strExe + "\"");

    std::vector<unsigned long long> times;
    for (const auto &entry : FullRegistrationEntries(""))
        times.push_back(RegKeyWriteTime(HKEY_CLASSES_ROOT, entry.first.c_str()));
    Sleep(50);
    ExpectOneBox(Run("1\"" + m_strExe + "\"", &lExit), gszResultTitle, gszAlready);
    EXPECT_EQ(1, lExit);
    size_t i = 0;
    for (const auto &entry : FullRegistrationEntries("")) {
        EXPECT_EQ(times[i], RegKeyWriteTime(HKEY_CLASSES_ROOT, entry.first.c_str()))
            << entry.first << " was written again";
        i++;
    }
}

TEST_F(TypebindTest, PathWithoutBlankIsStoredUnquoted)
{
    std::string strFolder = FreshFolder("quillant");
    std::string strExe = JoinPath(strFolder, "quillant.exe");
    ASSERT_TRUE(WriteTextFile(strExe, "x"));
    long lExit;
    ExpectOneBox(Run("1" + strExe, &lExit), gszResultTitle, gszUpdated);
    ExpectFullRegistration(strExe);
    ExpectOneBox(Run("1\"" + strExe + "\"", &lExit), gszResultTitle, gszAlready);
}

TEST_F(TypebindTest, ModeTwoAddsOnlyDescriptions)
{
    long lExit;
    ExpectOneBox(Run("2\"" + m_strExe + "\"", &lExit), gszResultTitle, gszDescription);
    EXPECT_EQ(1, lExit);
    EXPECT_EQ("Quillix Project File", Default("qxpfile"));
    EXPECT_EQ("Quillix Project List File", Default("qxlfile"));
    EXPECT_EQ("Quillix Ini File", Default("qxifile"));
    EXPECT_EQ("Quillix function/Macro Database", Default("qxffile"));
    for (const char *pszKey : {".qxp", ".qxl", ".qxi", ".qxf", "qxpfile\\shell"})
        EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, pszKey)) << pszKey;
}

TEST_F(TypebindTest, NoDigitRunsSilently)
{
    long lExit;
    std::vector<BoxSeen> boxes = Run("\"" + m_strExe + "\"", &lExit);
    EXPECT_TRUE(boxes.empty()) << boxes[0].strText;
    EXPECT_EQ(1, lExit);
    EXPECT_EQ("Quillix Project File", Default("qxpfile"));
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, ".qxp"));
}

TEST_F(TypebindTest, RefusedArguments)
{
    const std::string &p = m_strExe;
    const struct {
        std::string strArgs;
        const char *pszText;
    } aCases[] = {
        {"0\"" + p + "\"", gszInvalid},
        {"3\"" + p + "\"", gszInvalid},
        {"9\"" + p + "\"", gszInvalid},
        {"12\"" + p + "\"", gszInvalid},
        {"99999999999999999999" + p, gszInvalid},
        {"01\"" + p + "\"", gszFromQuillant},
        {"1 " + p, gszFromQuillant},
        {"1quillant.exe", gszFromQuillant},
        {"1\\\\server\\share\\quillant.exe", gszFromQuillant},
        {"1C:/qktest/quillant.exe", gszFromQuillant},
        {"1C:" + std::string(251, 'x'), gszFromQuillant}, /* 253 characters */
        {"1C:\\" + std::string(996, 'x'), gszFromQuillant},
        {"\"", gszFromQuillant},
        {"1\"\"", gszFromQuillant},
        {"2\x01\x02", gszFromQuillant},
    };
    for (const auto &c : aCases) {
        long lExit;
        std::vector<BoxSeen> boxes = Run(c.strArgs, &lExit);
        SCOPED_TRACE(c.strArgs);
        ExpectOneBox(boxes, gszEntryTitle, c.pszText);
        EXPECT_EQ(1, lExit);
    }
    ExpectNothingRegistered();
}

TEST_F(TypebindTest, MissingExecutableIsToldOnce)
{
    static const struct {
        const char *pszDigit;
        size_t cchPath;
    } aCases[] = {{"1", 40}, {"2", 40}, {"1", 252}};
    for (const auto &c : aCases) {
        std::string strPath = "C:\\qktest\\" + std::string(c.cchPath - 14, 'm') + ".exe";
        ASSERT_EQ(c.cchPath, strPath.size());
        long lExit;
        std::vector<BoxSeen> boxes = Run(c.pszDigit + strPath, &lExit);
        ASSERT_EQ(1u, boxes.size()) << "expected only the helper's own box";
        EXPECT_NE(std::string::npos, boxes[0].strText.find(strPath)) << boxes[0].strText;
        EXPECT_EQ(1, lExit);
    }
    ExpectNothingRegistered();
}

TEST_F(TypebindTest, FolderOrDeviceIsNoExecutable)
{
    std::string strFolder = FreshFolder("quillant folder");
    for (const std::string &strPath : {strFolder, std::string("C:\\CON"), strFolder + "\\NUL"}) {
        long lExit;
        std::vector<BoxSeen> boxes = Run("1" + strPath, &lExit);
        ASSERT_EQ(1u, boxes.size()) << strPath << ": expected only the helper's own box";
        EXPECT_NE(std::string::npos, boxes[0].strText.find(strPath)) << boxes[0].strText;
        EXPECT_EQ(std::string::npos, boxes[0].strText.find("updated")) << boxes[0].strText;
        EXPECT_EQ(1, lExit);
        ExpectNothingRegistered();
    }
}

TEST_F(TypebindTest, PathInTheAnsiCodePage)
{
    /* "Caf\xE9" in the ANSI code page: a letter outside ASCII. */
    std::string strFolder = FreshFolder("Caf\xE9 Quillant");
    std::string strExe = JoinPath(strFolder, "quillant.exe");
    ASSERT_TRUE(WriteTextFile(strExe, "x"));
    printf("ANSI code page %u\n", GetACP());
    long lExit;
    ExpectOneBox(Run("1\"" + strExe + "\"", &lExit), gszResultTitle, gszUpdated);
    ExpectFullRegistration("\"" + strExe + "\"");
    ExpectOneBox(Run("1\"" + strExe + "\"", &lExit), gszResultTitle, gszAlready);
}

TEST_F(TypebindTest, UnbalancedQuoteStillNamesThePath)
{
    long lExit;
    ExpectOneBox(Run("1\"" + m_strExe, &lExit), gszResultTitle, gszUpdated);
    ExpectFullRegistration("\"" + m_strExe + "\"");
}

} // namespace
