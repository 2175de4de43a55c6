/*
 * testutil.h: folders, files and registry keys that a test owns.
 */
#ifndef TESTUTIL_H
#define TESTUTIL_H

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

/* The folder that holds the test programs, Pelmor.exe and kitpack.exe. */
std::string ProgramFolder();
std::string ProgramPath(const char *pszName);
/* A fresh folder C:\qktest\<name> (blanks allowed), emptied first. */
std::string FreshFolder(const std::string &strName);
std::string JoinPath(const std::string &strFolder, const std::string &strName);
bool FileExists(const std::string &strPath);
bool FolderExists(const std::string &strPath);
bool WriteTextFile(const std::string &strPath, const std::string &strText);
std::string ReadTextFile(const std::string &strPath);
bool CopyFileTo(const std::string &strFrom, const std::string &strTo);
void RemoveTree(const std::string &strPath);
/* Every file and folder below strFolder, relative, sorted. */
std::vector<std::string> ListTree(const std::string &strFolder);

/* A fresh start folder holding Pelmor.exe and the stand-in kitpack.exe,
 * as a user has it before installing; false when a copy failed. */
bool MakeStartFolder(const std::string &strName, std::string *pstrFolder);
/* The compiler's layout below strRoot: Bin, Include, Lib and Lib\PSDK
 * with their marker files, as the archive leaves it. */
void MakeCompilerLayout(const std::string &strRoot);

/* Reads a string value; false when the key or value is absent. */
bool ReadRegString(HKEY hkRoot, const char *pszKey, const char *pszName, std::string *pstrValue);
bool WriteRegString(HKEY hkRoot, const char *pszKey, const char *pszName, const char *pszValue);
bool RegKeyExists(HKEY hkRoot, const char *pszKey);
void DeleteRegTree(HKEY hkRoot, const char *pszKey);
/* Last-write time of a key, 0 when it does not exist. */
unsigned long long RegKeyWriteTime(HKEY hkRoot, const char *pszKey);

/* The registrar's keys under HKEY_CLASSES_ROOT: the four extensions
 * and their types. */
extern const char *const gapszFileTypeKeys[];
/* Deletes every one of them with all below it. */
void ClearFileTypes(void);
/* Every default value that a full registration writes for program P,
 * key and data, in its write order. */
std::vector<std::pair<std::string, std::string>> FullRegistrationEntries(const std::string &strP);

/* The installer's record key under HKEY_CURRENT_USER. */
extern const char gszRecordKey[];

#endif /* TESTUTIL_H */
