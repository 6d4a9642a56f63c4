#pragma once

// Resource and control ids, shared by the resource script and the editor.
#define IDD_MAIN_DIALOG 101
#define IDI_TAMSEL 102

#define IDC_STATUS_FIELD 1000
#define IDC_FILE_LIST 1001
#define IDC_NEW 1002
#define IDC_OPEN 1003
#define IDC_SAVE 1004
#define IDC_SAVE_AS 1005
#define IDC_IMPORT 1006
#define IDC_EXPORT 1007
#define IDC_RENAME 1008
#define IDC_REMOVE 1009
#define IDC_EXIT 1010
#define IDC_MOVE_UP 1011
#define IDC_MOVE_DOWN 1012
