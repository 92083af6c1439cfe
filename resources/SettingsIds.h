// Dialog and control ids of the settings pages, shared by the dialog
// resources and the code that drives them. Plain #defines: windres reads
// this file too.
#pragma once

// Dialogs
#define IDD_GENERAL 109
#define IDD_STATIC 9
#define IDD_STANDARD 105
#define IDD_BOUNCE 106
#define IDD_MANY 107
#define IDD_DRIP 2004
#define IDD_FALLING 2005
#define IDD_SLIDER 2006
#define IDD_ABOUT 112
#define IDD_CONFIGURE 2003

// Icon of the program, the sheet and the About page
#define IDI_SAVER 5

// Controls
#define IDC_SPEED 1012
#define IDC_ENABLED 1014
#define IDC_GRAVITY 1015
#define IDC_BOUNCE_SIDES 1016
#define IDC_DELAY 1017
#define IDC_HIDE 1018
#define IDC_CHANGE 1021
#define IDC_MINUTES 1022
#define IDC_MINUTES_SPIN 1023
#define IDC_MINUTES_LABEL 1024
#define IDC_IGNORE_KEYS 1025
#define IDC_IGNORE_CLICKS 1026
#define IDC_IGNORE_MOVES 1027
#define IDC_ABOUT_OK 1029
#define IDC_PREVIEW 1030
#define IDC_ABOUT_NAME 1035
#define IDC_ABOUT_TEXT 1036
#define IDC_LINK 1037
#define IDC_FADE 1039
#define IDC_TILE 1040
#define IDC_COUNT 1042
#define IDC_COUNT_SPIN 1043
#define IDC_DIRECTION 1044
#define IDC_TRAIL 1045
#define IDC_TILE_SMALL 1050
#define IDC_TILE_MEDIUM 1051
#define IDC_TILE_LARGE 1052
#define IDC_DISPLAY 1053
#define IDC_TILE_LOGO 1054

// Page id of the About page (the others are PageGeneral and the effect bits)
#define PAGE_ABOUT 112
