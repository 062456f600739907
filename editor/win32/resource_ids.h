// Identifiers of the editor's resources and commands, shared by editor.rc and the code.
#pragma once

#define IDI_PROGRAM 1
#define IDI_DOCUMENT 2
#define IDR_MENU 100
#define IDR_ACCELERATORS 101
#define IDD_FIND 102
#define IDD_GOTO_LINE 103
#define IDD_TAB_WIDTH 104

// File
#define IDM_NEW 1001
#define IDM_OPEN 1002
#define IDM_SAVE 1003
#define IDM_SAVE_AS 1004
#define IDM_SAVE_ALL 1005
#define IDM_REVERT 1006
#define IDM_CLOSE 1007
#define IDM_EXIT 1008
// Edit
#define IDM_UNDO 1101
#define IDM_REDO 1102
#define IDM_CUT 1103
#define IDM_COPY 1104
#define IDM_PASTE 1105
#define IDM_DELETE 1106
#define IDM_SELECT_ALL 1107
#define IDM_FIND 1108
#define IDM_FIND_NEXT 1109
#define IDM_FIND_PREVIOUS 1110
#define IDM_REPLACE 1111
#define IDM_GOTO_LINE 1112
#define IDM_BALANCE 1113
#define IDM_COMMENT 1114
#define IDM_UNCOMMENT 1115
// View
#define IDM_FUNCTION_LIST 1201
#define IDM_SHOW_INCLUDES 1202
#define IDM_SHOW_PROTOTYPES 1203
#define IDM_SHOW_TYPES 1204
#define IDM_REFRESH_FUNCTIONS 1205
#define IDM_NEXT_TAB 1206
#define IDM_PREVIOUS_TAB 1207
// Settings
#define IDM_EDIT_KEYWORDS 1301
#define IDM_TAB_WIDTH 1302
// Help
#define IDM_README 1401
#define IDM_ABOUT 1402

// Menus filled while the editor runs: each item's command is its range's first id plus
// the item's index.
#define IDM_TEMPLATE_FIRST 2000
#define IDM_RECENT_FIRST 2100
#define IDM_LANGUAGE_FIRST 2200
#define IDM_TOOL_FIRST 2300
#define IDM_DYNAMIC_COUNT 100

// Find and Replace dialog
#define IDC_FIND_WHAT 3001
#define IDC_REPLACE_WITH 3002
#define IDC_MATCH_CASE 3003
#define IDC_WHOLE_WORD 3004
#define IDC_REGEX 3005
#define IDC_UP 3006
#define IDC_DOWN 3007
#define IDC_WRAP 3008
#define IDC_FIND_NEXT 3009
#define IDC_REPLACE 3010
#define IDC_REPLACE_ALL 3011
#define IDC_FIND_STATUS 3012
// Go to Line and Tab Width dialogs
#define IDC_NUMBER 3101
