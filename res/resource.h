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
// The window's size: fullscreen and the zoom (system menu, keys).
#define IDS_FULLSCREEN 110
#define IDS_ZOOMIN 111
#define IDS_ZOOMOUT 112
#define IDS_ZOOMRESET 113
#define IDM_FULLSCREEN 0x0100
#define IDM_ZOOMIN 0x0110
#define IDM_ZOOMOUT 0x0120
#define IDM_ZOOMRESET 0x0130

#define IDC_START 1000
#define IDC_STOP 1001
#define IDC_AREA 1002
#define IDC_TITLE 1003

#ifndef IDOK
#define IDOK 1
#define IDCANCEL 2
#endif
