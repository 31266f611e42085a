#pragma once
// Identifiers of the program's resources and of the controls of its dialogs.

// Dialog templates and the string table
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_CORNERFLOW_DIALOG 102

// Icon
#define IDR_MAINFRAME 128

// Label images of the main dialog's fields
#define IDB_PROBE_NAMES 130
#define IDB_VELOCITY_NAMES 131
#define IDB_CRIT_NAMES 134
#define IDB_UPSTREAM_UNITS 135
#define IDB_PROBE_UNITS 136
#define IDB_VELOCITY_UNITS 137
#define IDB_CRIT_UNITS 138
#define IDB_UPSTREAM_NAMES 1000

// Controls of the main dialog
#define IDC_STATIC (-1)
#define IDC_VIEW 1000
#define IDC_V1 1002
#define IDC_T1 1003
#define IDC_P1 1004
#define IDC_V 1005
#define IDC_T 1006
#define IDC_P 1007
#define IDC_VPHI 1008
#define IDC_RHO1 1009
#define IDC_RHO 1010
#define IDC_C1 1011
#define IDC_M1 1012
#define IDC_C 1013
#define IDC_M 1014
#define IDC_VOL1 1015
#define IDC_VOL 1016
#define IDC_CRIT_SPEED 1017
#define IDC_CRIT_TEMP 1018
#define IDC_CRIT_PRESSURE 1019
#define IDC_CRIT_DENSITY 1020
#define IDC_CRIT_VOLUME 1021
#define IDC_VR 1022

// Controls of the About box
#define IDOK 1
#define IDC_ABOUT_ICON 1100
#define IDC_ABOUT_TITLE 1101
#define IDC_ABOUT_VERSION 1102
#define IDC_ABOUT_MODEL 1103
#define IDC_ABOUT_TOOLKIT 1104
#define IDC_ABOUT_COPYRIGHT 1105

// System commands of the dialog's own menu
#define IDM_ABOUTBOX 0x0010
#define IDM_PAUSE 0x0030
#define IDM_STEP 0x0040
#define IDM_RESET 0x0050
#define IDM_SAVE_PICTURE 0x0060
#define IDM_COPY_PICTURE 0x0070
#define IDM_LANGUAGE_RU 0x0080
#define IDM_LANGUAGE_EN 0x0090
#define SC_CLOSE_COMMAND 0xF060
#define SC_MOVE_COMMAND 0xF010
