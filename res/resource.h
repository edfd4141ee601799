// Resource identifiers of the program: dialog templates, strings, the icon,
// the About and Sound commands and the controls of the main dialog.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_MAIN 102
#define IDS_SOUND 103
#define IDR_MAINFRAME 128
#define IDM_ABOUTBOX 0x0010
#define IDM_SOUND 0x0020

#define IDC_START 1000
#define IDC_STOP 1001
#define IDC_AREA 1002
#define IDC_TITLE 1003

#ifndef IDOK
#define IDOK 1
#define IDCANCEL 2
#endif
