/*
 * resource.h: resource ids of the installer.
 */
#ifndef PELMOR_RESOURCE_H
#define PELMOR_RESOURCE_H

/* Icons */
#define IDI_PELMOR 103

/* Bitmaps */
#define IDB_TITLE 12

/* Strings: the message table */
#define IDS_EXPAND_FAILED 1
#define IDS_CAPTION 2
#define IDS_READY 4
#define IDS_PREVIOUS_MISSING 5
#define IDS_INSTALL_AGAIN 7
#define IDS_COPY_FAILED 8
#define IDS_TITLE_FOLDER_FAILED 9
#define IDS_FOLDER_FAILED 10
#define IDS_READ_LICENCE 11

/* Title page "OpenTitle" */
#define IDC_SKIP 1000
#define IDC_FOLDER 1001
#define IDC_BROWSE 1002
#define IDC_SKIP_HERE 1005
#define IDC_EXE_FOLDER 1006
#define IDC_INCLUDE_FOLDER 1007
#define IDC_LIBRARY_FOLDER 1008
#define IDC_PICTURE 1118

/* Agreement page "OpenLicence" */
#define IDC_LICENCE 1001
#define IDC_INSTALL 6
#define IDC_LICENCE_SKIP 7
#define IDC_LICENCE_CANCEL 1000

#endif /* PELMOR_RESOURCE_H */
