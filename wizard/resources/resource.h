#pragma once

// Page dialogs, in page order: Welcome, Project, Sheet Format, Label Layout,
// Translation, Database connection, Emboss.
#define IDD_WELCOME 101
#define IDD_PROJECT 108
#define IDD_SHEET_FORMAT 102
#define IDD_LABEL_LAYOUT 104
#define IDD_TRANSLATION 103
#define IDD_DATABASE 105
#define IDD_EMBOSS 106

#define IDI_DOTWELL 108
#define IDB_WELCOME 109

// The header band across the top of every page.
#define IDC_PAGE_HEADER 1002

// Page titles.
#define IDS_TITLE_WELCOME 1
#define IDS_TITLE_SHEET_FORMAT 2
#define IDS_TITLE_LABEL_LAYOUT 3
#define IDS_TITLE_TRANSLATION 4
#define IDS_TITLE_DATABASE 5
#define IDS_TITLE_EMBOSS 6
#define IDS_TITLE_PROJECT 17

// Page headers.
#define IDS_HEADER_WELCOME 7
#define IDS_HEADER_SHEET_FORMAT 8
#define IDS_HEADER_LABEL_LAYOUT 9
#define IDS_HEADER_DATABASE 10
#define IDS_HEADER_PROJECT 16
#define IDS_HEADER_TRANSLATION 21
#define IDS_HEADER_EMBOSS 38

#define IDS_PRODUCT_NAME 12
#define IDS_FINISH 50
