// Identifiers shared by the resource script and the code. Ids only.
#pragma once

// Dialog templates
#define IDD_GAMESETTINGS 2
#define IDD_EVALUATION 3
#define IDD_DETAILSETTINGS 4
#define IDD_ABOUT 21

// Bitmaps
#define IDB_BACKGROUND 2
#define IDB_RANK1 3
#define IDB_RANK2 4
#define IDB_RANK3 5
#define IDB_RANK4 6
#define IDB_RANK5 7
#define IDB_RANK6 8
#define IDB_RANKMASK 9
#define IDB_TOOLBAR 102

// The same bitmaps drawn again for display scales of 125, 150, 175 and 200 %: a bitmap's id at a
// scale is its id above plus the scale's offset.
#define IDB_AT125 1000
#define IDB_AT150 2000
#define IDB_AT175 3000
#define IDB_AT200 4000

// Icon
#define IDI_MAIN 101

// The help page, an HTML file kept as raw data
#define IDR_HELP 201

// Main window controls
#define IDC_TOOLBAR 329

// Toolbar commands; image i of the toolbar strip belongs to command CMD_START + i
#define CMD_START 330
#define CMD_START2 331
#define CMD_SETTINGS 332
#define CMD_VERSION 333
#define CMD_WEBHELP 334
#define CMD_HOMEPAGE 335
#define CMD_EXIT 336

// Evaluation dialog
#define IDC_EVALUATION_OK 101

// Game settings dialog
#define IDC_GAMESETTINGS_DETAIL 101
#define IDC_GAMESETTINGS_OK 109
#define IDC_GAMESETTINGS_GRADE 114

// Detailed settings dialog; the radio ids are not contiguous (103..108 sit between 10級 and 9級)
#define IDC_DETAILSETTINGS_SYMBOLS 101
#define IDC_DETAILSETTINGS_GRADE10 102
#define IDC_DETAILSETTINGS_SYMBOLS_LABEL 103
#define IDC_DETAILSETTINGS_SECONDS_LABEL 104
#define IDC_DETAILSETTINGS_TRIES_LABEL 105
#define IDC_DETAILSETTINGS_SECONDS 106
#define IDC_DETAILSETTINGS_GROUP 107
#define IDC_DETAILSETTINGS_TRIES 108
#define IDC_DETAILSETTINGS_GRADE9 109
#define IDC_DETAILSETTINGS_GRADE8 110
#define IDC_DETAILSETTINGS_GRADE7 111
#define IDC_DETAILSETTINGS_GRADE6 112
#define IDC_DETAILSETTINGS_GRADE5 113
#define IDC_DETAILSETTINGS_GRADE4 114
#define IDC_DETAILSETTINGS_GRADE3 115
#define IDC_DETAILSETTINGS_GRADE2 116
#define IDC_DETAILSETTINGS_GRADE1 117
#define IDC_DETAILSETTINGS_OK 118

// About dialog
#define IDC_ABOUT_CLOSE 41
#define IDC_ABOUT_VERSION 102
#define IDC_ABOUT_TITLE 103
#define IDC_ABOUT_DESCRIPTION 104
