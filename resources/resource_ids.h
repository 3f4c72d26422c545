/* Command and control identifiers shared by the resource script and the
   window code. Plain #defines so that windres and C++ both read them.
   Character buttons use the code of their character as identifier. */
#ifndef VEX_RESOURCE_IDS_H
#define VEX_RESOURCE_IDS_H

/* String table */
#define IDS_TITLE            1

/* Controls of the main window */
#define IDC_ENTRY            1000
#define IDC_RESULT           1011

/* Function buttons */
#define IDC_ABS              1015
#define IDC_ACS              1016
#define IDC_PI               1017
#define IDC_ASN              1018
#define IDC_ATN              1019
#define IDC_COS              1020
#define IDC_EXP              1021
#define IDC_FIX              1022
#define IDC_SIN              1023
#define IDC_INT              1024
#define IDC_SQR              1025
#define IDC_LGT              1026
#define IDC_TAN              1027
#define IDC_LOG              1028

/* Editing buttons */
#define IDC_CL               1032
#define IDC_BS               1033
#define IDC_DEL              1034

/* Commands */
#define IDM_TRAY_REMOVE      121
#define IDM_UNDO             200
#define IDM_PASTE            203
#define IDM_DELETE           204
#define IDM_RESTORE          205
#define IDM_CUT              501
#define IDM_COPY             502
#define IDM_KEYPAD           505
#define IDM_COPY_ANSWER      509
#define IDM_TIME             512
#define IDM_RADIX2           513
#define IDM_RADIX8           514
#define IDM_RADIX10          515
#define IDM_RADIX16          516
#define IDM_RADIANS          517
#define IDM_DEGREES          518
#define IDM_ABOUT            1001
#define IDM_CLOSE            1002
#define IDM_TOPMOST          1003
#define IDM_BEEP             1004
#define IDM_EVALUATE_KEY     1005
#define IDM_EVALUATE         1006
#define IDM_NEXT_VIEW        1007
#define IDM_NEXT_RADIX       1008
#define IDM_TOGGLE_DEGREES   1009
#define IDM_HELP_CONTENTS    1030

/* Timer and tray */
#define IDT_CLOCK            1
#define IDI_TRAY             1
#define WM_TRAY_CALLBACK     1100

#endif
