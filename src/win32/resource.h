// Resource ids of THLD.exe, shared by thld.rc and the code.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_MAIN 102
#define IDR_MAINFRAME 128
#define IDD_CONFIRM 129
#define IDD_WAIT 145
#define IDB_BANNER 147

#define IDC_PERMANENT 3
#define IDC_DELETE 4
#define IDC_MESSAGE 1001
#define IDC_CACHE_TREE 1002
#define IDC_CACHE_PATH 1003
#define IDC_CHANGE 1004
#define IDC_STATUS 1006
#define IDC_WEB_PAGE 1007
#define IDC_TOTAL 1008
#define IDC_ABOUT 1009

#define IDM_ABOUTBOX 0x0010

#include "commands/program_info.h"
