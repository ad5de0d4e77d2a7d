// Every resource, control, command and timer id of the program.
#pragma once

// --- Resources -------------------------------------------------------------------
#define IDD_MAIN_FORM 100
#define IDM_MAIN_MENU 102
#define IDI_MAIN_ICON 105
#define IDA_MAIN_ACCELERATORS 107
#define IDC_HAND_CURSOR 192
#define IDB_BACKGROUND_BLUE 217
#define IDB_BACKGROUND_GREEN 218
#define IDB_BACKGROUND_ORANGE 219
#define IDB_BACKGROUND_WHITE 220
#define IDB_COLOUR_SAMPLES 226
#define IDB_COLOUR_SAMPLES_2X 227
#define IDB_BUTTON_FACE 236
#define IDB_TOOLBAR 1232
#define IDB_TOOLBAR_2X 1233

// --- Timers of the main window ------------------------------------------------------
#define IDT_START_UP 1250
#define IDT_DROP_GUARD 1251
#define IDT_PUMP 1252
#define IDT_STATUS_RESTORE 1253

// --- Commands -----------------------------------------------------------------------
#define IDM_OPEN_TEXT 40001
#define IDM_SAVE_BMP 40002
#define IDM_EXIT 40003
#define IDM_TOOLBAR 40004
#define IDM_HELP 40006
#define IDM_DELETE_SETTINGS 40007
#define IDM_VERSION 40008
#define IDM_OPTIONS 40010
#define IDM_SAVE_ALL_BMP 40011
#define IDM_SAVE_DATA 40012
#define IDM_NEXT_MODE 40080
#define IDM_PREVIOUS_MODE 40081
#define IDM_SELECT_ALL 40083
#define IDM_IMPORT 40084
#define IDM_PRINT 40085
#define IDM_SPLIT_MARK 40086
#define IDM_HISTORY_ADD 40087
#define IDM_HISTORY_REMOVE 40088
#define IDM_BACKGROUND_NONE 40100
#define IDM_BACKGROUND_BLUE 40101
#define IDM_BACKGROUND_GREEN 40102
#define IDM_BACKGROUND_ORANGE 40103
#define IDM_BACKGROUND_WHITE 40104
#define IDM_COPY_IMAGE 40205
#define IDM_DOMAIN_FIRST 40206
#define IDM_DOMAIN_LAST 40216
#define IDM_TEXT_SAVE 40223
#define IDM_WORD_WRAP 40224
#define IDM_RESUME 40225
#define IDM_STORED_MAIL_FIRST 40250
#define IDM_STORED_MAIL_LAST 40254
#define IDM_EMOJI_DELETE 40260
#define IDM_EMOJI_LEFT 40261
#define IDM_EMOJI_RIGHT 40262
#define IDM_EMOJI_CHANGE 40263
#define IDM_EMOJI_FIX 40264
#define IDM_FOCUS_NEXT 1200
#define IDM_FOCUS_PREVIOUS 1201

// --- Controls of the main form --------------------------------------------------------
#define IDC_CREATE 106
#define IDC_CLEAR 1028
#define IDC_TEXT 1029
#define IDC_PREVIEW 1064
#define IDC_SIZE_SLIDER 1260
#define IDC_PREVIEW_FRAME 1265
#define IDC_SMALL_LABEL 1267
#define IDC_LARGE_LABEL 1268
#define IDC_AUTO 1271
#define IDC_TO_LABEL 1281
#define IDC_SUBJECT 1320
#define IDC_BODY 1321
#define IDC_SUBJECT_LABEL 1322
#define IDC_BODY_LABEL 1325
#define IDC_NAME_LABEL 1334
#define IDC_FURIGANA_LABEL 1335
#define IDC_PHONE1_LABEL 1341
#define IDC_PHONE2_LABEL 1342
#define IDC_PHONE3_LABEL 1343
#define IDC_MAIL1_LABEL 1351
#define IDC_MAIL2_LABEL 1352
#define IDC_MAIL3_LABEL 1353
#define IDC_NOTE_LABEL 1390
#define IDC_NAME 1391
#define IDC_FURIGANA 1392
#define IDC_PHONE1 1401
#define IDC_PHONE2 1402
#define IDC_PHONE3 1403
#define IDC_MAIL1 1411
#define IDC_MAIL2 1412
#define IDC_MAIL3 1413
#define IDC_NOTE 1427
#define IDC_UP 1444
#define IDC_DOWN 1455
#define IDC_POSITION 1456
#define IDC_IMPORT_GROUP 1480
#define IDC_IMPORT_CLEAR 1481
#define IDC_IMPORT_SPIN 1482
#define IDC_SPLIT 1486
#define IDC_CREATE_AUTO 1530
#define IDC_SPLIT_KEY_LABEL 1580
#define IDC_TEXT_LABEL 1581
#define IDC_EMOJI 1747
#define IDC_MARGIN 1768
#define IDC_COLOUR 1769
#define IDC_SWATCH 1771
#define IDC_CHOOSE_COLOUR 1772
#define IDC_TO 1773
#define IDC_POSTAL_LABEL 1780
#define IDC_WEB_LABEL 1783
#define IDC_BIRTHDAY_LABEL 1786
#define IDC_HISTORY_LABEL_FIRST 1801
#define IDC_HISTORY_LABEL_LAST 1805
#define IDC_HISTORY_PICTURE_FIRST 1811
#define IDC_HISTORY_PICTURE_LAST 1815
#define IDC_HISTORY_CAPTION 1830
#define IDC_HISTORY_FRAME 1831
#define IDC_WHEEL_ARROW 1835
#define IDC_WHEEL_NOTE 1836
#define IDC_BIRTHDAY 1845
#define IDC_TEXT_VIEW 1848
#define IDC_CODE_VIEW_BUTTON 1850
#define IDC_TEXT_VIEW_BUTTON 1851
#define IDC_ENCODING 1853
#define IDC_LEVEL 1855
#define IDC_MODE_GROUP 3000
#define IDC_MODE_TEXT 3001
#define IDC_MODE_MAIL 3002
#define IDC_MODE_ADDRESS 3003
#define IDC_POSTAL 1733
#define IDC_HISTORY_MENU 1732
#define IDC_WEB 1735
#define IDC_STATIC -1
#define IDC_STATUS_BAR 1900
#define IDC_TOOLBAR 1901

// --- File dialogs' panels and the save-kind dialog ------------------------------------
#define IDD_NUMBERING_PANEL 195
#define IDD_TEXT_KIND_PANEL 196
#define IDD_SAVE_KIND 238
#define IDC_NUMBERING_LIST 1577
#define IDC_TEXT_KIND_LIST 1832
#define IDC_SAVE_KIND_BMP 1833
#define IDC_SAVE_KIND_TEXT 1834

// --- Secondary dialogs -------------------------------------------------------------------
#define IDD_FIRST_MESSAGE 229
#define IDD_VERSION 1062
#define IDC_VERSION_TEXT 1061
#define IDC_VERSION_URL 1552
#define IDC_VERSION_MAIL 1560
#define IDC_FIRST_MESSAGE_TEXT 1775

// --- Emoji palette -------------------------------------------------------------------------
#define IDD_EMOJI_PALETTE 205
#define IDB_EMOJI_SOFTBANK_FIRST 301
#define IDB_EMOJI_DOCOMO_FIRST 311
#define IDB_EMOJI_AU_FIRST 321
#define IDB_EMOJI_UNICODE_FIRST 331
#define IDC_PALETTE_FIRST 2001
#define IDC_PALETTE_LAST 2090
#define IDC_PALETTE_PREVIOUS 1749
#define IDC_PALETTE_NEXT 1750
#define IDC_PALETTE_GRID 1754
#define IDC_PALETTE_PAGE 1755
#define IDC_PALETTE_PIN 1782
#define IDC_PALETTE_NOTE 1857

// --- Print settings dialog --------------------------------------------------------------
#define IDD_PRINT 191
#define IDC_PRINT_SHOWN 1491
#define IDC_PRINT_ALL 1492
#define IDC_PRINT_REGISTERED 1493
#define IDC_REGISTERED_LIST 1501
#define IDC_REGISTERED_DELETE 1502
#define IDC_REGISTER 1503
#define IDC_PRINT_NOW 1504
#define IDC_PRINT_SIZE 1515
#define IDC_PRINT_TEXT 1443

// --- Options property sheet ---------------------------------------------------------------
#define IDPAGE1 243
#define IDPAGE2 244
#define IDC_OPTION_EXT_FILTER 1270
#define IDC_OPTION_LEVEL 1517
#define IDC_OPTION_VERSION_LOW 1531
#define IDC_OPTION_VERSION_HIGH 1532
#define IDC_OPTION_LINE_WIDTH 1759
#define IDC_OPTION_TIMER 1765
#define IDC_OPTION_ONE_CODE 1858
#define IDC_OPTION_UTF8_FORMS 1859

// --- Add-address dialog ---------------------------------------------------------------------
#define IDD_ADD_ADDRESS 235
#define IDC_ADD_DISPLAY_NAME 1784
#define IDC_ADD_ADDRESS 1785
