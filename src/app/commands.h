// Menu and accelerator command identifiers of the main window. Shared by
// the C++ code and res/ledgerpad.rc, so plain #defines the resource
// compiler understands.
#pragma once

#define IDM_FIRST_COMMAND 1000
#define IDM_ABOUT 1000
#define IDM_QUIT_START 1001  // sent by the start screens; no menu item
#define IDM_CREATE_ACCOUNT 1002
#define IDM_OPEN_ACCOUNT 1003
#define IDM_DELETE_ACCOUNT 1004
#define IDM_PRINT 1007
#define IDM_NEW_TRANSACTION 1008
#define IDM_DELETE_TRANSACTION 1009
#define IDM_BALANCE 1010
#define IDM_VIEW_ALL 1011      // view flag = command - IDM_VIEW_ALL
#define IDM_VIEW_CURRENT 1012
#define IDM_HELP 1016
#define IDM_INSERT_DATE 1017
#define IDM_CALCULATOR 1022
#define IDM_EXIT 1023
#define IDM_DATE_MMDDYY 1026   // date format = command - IDM_DATE_MMDDYY
#define IDM_DATE_DDMMYY 1027
#define IDM_DATE_YYMMDD 1028
#define IDM_DATE_YYDDMM 1029
#define IDM_RENAME_ACCOUNT 1030
#define IDM_EXPORT 1031
#define IDM_CREATE_PASSWORD 1035
#define IDM_CHANGE_PASSWORD 1036
#define IDM_REMOVE_PASSWORD 1037
#define IDM_ACCOUNT_INFO 1038
#define IDM_FIND 1040
#define IDM_IMPORT 1041
#define IDM_UNDO 1042
#define IDM_REDO 1043
#define IDM_RESTORE_BACKUP 1044
#define IDM_REPORTS 1045
#define IDM_LAST_COMMAND 1045

// Accelerator table resource.
#define IDR_ACCELERATORS 1020
