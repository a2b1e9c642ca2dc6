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

// Small dialogs.
#define IDD_FORMAT_NAME 107
#define IDD_SAVE_CHANGES 122
#define IDD_SAVE_TEMPLATE 124
#define IDD_CLOSE_PROJECT 126

#define IDI_DOTWELL 108
#define IDB_WELCOME 109

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// The header band across the top of every page.
#define IDC_PAGE_HEADER 1002

// Project page.
#define IDC_PROJECT_OPEN_EXISTING 1036
#define IDC_PROJECT_CREATE_NEW 1038
#define IDC_PROJECT_PATH 1014
#define IDC_PROJECT_BROWSE 1023

// Save-as template and the two end questions.
#define IDC_SAVE_READONLY 1086
#define IDC_SAVE_AS 1022
#define IDC_SAVE_YES 1080
#define IDC_SAVE_NO 1081
#define IDC_SAVE_CANCEL 1079
#define IDC_MAKE_READONLY 1087

// Sheet Format page; each edit box has its up-down beside it.
#define IDC_FORMAT_LIST 1034
#define IDC_NEW_FORMAT 1042
#define IDC_SAVE_FORMAT 1041
#define IDC_DELETE_FORMAT 1040
#define IDC_UNITS 1001
#define IDC_PAPER_WIDTH 1056
#define IDC_PAPER_WIDTH_SPIN 1028
#define IDC_PAPER_HEIGHT 1057
#define IDC_PAPER_HEIGHT_SPIN 1031
#define IDC_FIRST_LEFT 1058
#define IDC_FIRST_LEFT_SPIN 1069
#define IDC_FIRST_TOP 1059
#define IDC_FIRST_TOP_SPIN 1070
#define IDC_LABEL_WIDTH 1054
#define IDC_LABEL_WIDTH_SPIN 1037
#define IDC_LABEL_HEIGHT 1055
#define IDC_LABEL_HEIGHT_SPIN 1039
#define IDC_NUM_VERTICAL 1071
#define IDC_NUM_VERTICAL_SPIN 1072
#define IDC_NUM_HORIZONTAL 1073
#define IDC_NUM_HORIZONTAL_SPIN 1074
#define IDC_SEP_VERTICAL 1063
#define IDC_SEP_VERTICAL_SPIN 1068
#define IDC_SEP_HORIZONTAL 1066
#define IDC_SEP_HORIZONTAL_SPIN 1067
#define IDC_SHEET_PREVIEW 1062

// New format name dialog.
#define IDC_FORMAT_NAME 1008

// Label Layout page; the label area and its rich edit are reused by the
// Emboss page, the rich edit and the record counter also by the Database
// connection page.
#define IDC_LABEL_AREA 1044
#define IDC_LABEL_TEXT 1043
#define IDC_TEXT_TOP 1011
#define IDC_TEXT_TOP_SPIN 1021
#define IDC_TEXT_LEFT 1015
#define IDC_TEXT_LEFT_SPIN 1025
#define IDC_TEXT_WIDTH 1018
#define IDC_TEXT_WIDTH_SPIN 1029
#define IDC_TEXT_HEIGHT 1032
#define IDC_TEXT_HEIGHT_SPIN 1035

// Translation page.
#define IDC_TRANSLATION_GROUP 1045
#define IDC_RULE_FILE 1046
#define IDC_RULE_PROPERTIES 1052
#define IDC_RULE_DETAILS 1048
#define IDC_EXCEPTION_FILE 1047
#define IDC_EXCEPTION_OPTIONS 1053

// Database connection page.
#define IDC_DATABASE_PATH 1030
#define IDC_DATABASE_BROWSE 1023
#define IDC_DATABASE_EDIT 1102
#define IDC_RECORD_COUNTER 1026
#define IDC_RECORD_SPIN 1016

// Emboss page.
#define IDC_START_PREVIEW 1078
#define IDC_START_POSITION 1014
#define IDC_START_POSITION_SPIN 1018
#define IDC_FROM_LABEL 1013
#define IDC_FROM_LABEL_SPIN 1017
#define IDC_TO_LABEL 1020
#define IDC_TO_LABEL_SPIN 1024
#define IDC_EMBOSSER 1010
#define IDC_IMPACTS 1015
#define IDC_IMPACTS_SPIN 1019
#define IDC_PRINT_TO_FILE 1076
#define IDC_PROGRESS 1075
#define IDC_STATUS 1077
#define IDC_EMBOSS 1033

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

// Project files.
#define IDS_SAVE_PROJECT_TITLE 14
#define IDS_NOT_A_PROJECT 15
#define IDS_OPEN_PROJECT_TITLE 18
#define IDS_UNTITLED_PROJECT 19
#define IDS_ASK_SAVE_SESSION 20

// Database connection page.
#define IDS_SELECT_WORKBOOK 11
#define IDS_LABEL_COUNTER 41
#define IDS_CREATE 42
#define IDS_FILTER_WORKBOOK_CSV 51
#define IDS_FILTER_CSV 52
#define IDS_FILTER_CSV_ONLY 53
#define IDS_EDIT 54

// Emboss page and its job. A job's result code c is shown as string
// IDS_JOB_RESULT_BASE + c.
#define IDS_SAVE_PRINT_JOB_TITLE 22
#define IDS_ABORT 23
#define IDS_EMBOSS 24
#define IDS_PROCESSING_LABEL 25
#define IDS_SPOOLING 26
#define IDS_JOB_RESULT_BASE 30
#define IDS_ERR_WRITE_PRINTER 30
#define IDS_ERR_READ_SPOOL 31
#define IDS_ERR_OPEN_PRINTER 32
#define IDS_ERR_PRINT_TO_FILE 33
#define IDS_ERR_NO_MEMORY 34
#define IDS_ERR_CREATE_SPOOL 35
#define IDS_ERR_USER_ABORT 36
#define IDS_JOB_DONE 37
#define IDS_NO_EMBOSSERS 49

// Messages of our own, beyond the string table above.
#define IDS_PROJECT_NOT_SAVED 200
#define IDS_DATA_FILE_NOT_OPENED 201
#define IDS_TABLE_NOT_LOADED 202

// Names screen readers announce for controls that no label names.
#define IDS_NAME_PROJECT_PATH 210
#define IDS_NAME_LABEL_TEXT 211
