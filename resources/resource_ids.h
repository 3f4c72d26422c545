/* Command and control identifiers shared by the resource script, the window
   code and the tests: the one list of them. Plain #defines so that windres
   and C++ both read them. Ordered by where each command lives.

   A command is known by its identifier alone: the same identifier from a
   menu item, a button, the accelerator table or the message loop's key
   translation has the same effect. */
#ifndef VEX_RESOURCE_IDS_H
#define VEX_RESOURCE_IDS_H

/* String table */
#define IDS_TITLE            1

/* Edit popup (also the context menu) */
#define IDM_UNDO             200
#define IDM_CUT              501
#define IDM_COPY             502
#define IDM_PASTE            203
#define IDM_DELETE           204
#define IDM_COPY_ANSWER      509   /* also Ctrl+B */

/* View popup */
#define IDM_KEYPAD           505
#define IDM_TOPMOST          1003
#define IDM_TIME             512
#define IDM_LANGUAGE         519   /* English <-> Japanese interface */
/* Its Color Mode popup: follow Windows, light, dark, in this order (the
   order of ThemeChoice) */
#define IDM_THEME_SYSTEM     520
#define IDM_THEME_LIGHT      521
#define IDM_THEME_DARK       522
#define IDM_FIRST_THEME      IDM_THEME_SYSTEM
#define IDM_LAST_THEME       IDM_THEME_DARK
#define IDM_CLOSE            1002  /* also in the tray popup */

/* Radix popup: radix 2, 8, 10 and 16, in this order */
#define IDM_RADIX2           513
#define IDM_RADIX8           514
#define IDM_RADIX10          515
#define IDM_RADIX16          516
#define IDM_FIRST_RADIX      IDM_RADIX2
#define IDM_LAST_RADIX       IDM_RADIX16

/* Angle popup: radians, degrees */
#define IDM_RADIANS          517
#define IDM_DEGREES          518

/* Help popup */
#define IDM_HELP_CONTENTS    1030  /* also F1 and the tray popup */
#define IDM_ABOUT            1001
#define IDM_BEEP             1004

/* Tray popup (besides IDM_CLOSE and IDM_HELP_CONTENTS) */
#define IDM_TRAY_REMOVE      121
#define IDM_RESTORE          205

/* Keys only: the message loop's key translation and the accelerators */
#define IDM_EVALUATE_KEY     1005  /* Enter */
#define IDM_NEXT_VIEW        1007  /* Ctrl+A */
#define IDM_NEXT_RADIX       1008  /* Ctrl+S */
#define IDM_TOGGLE_DEGREES   1009  /* Ctrl+D */

/* Controls of the main window */
#define IDC_ENTRY            1000
#define IDC_RESULT           1011
#define IDM_EVALUATE         1006  /* the "=" button, and "=" typed */

/* Function buttons: insert their caption and "(" (PI without it) */
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

/* The identifiers a keypad button may have: a character button uses its
   character's code; the function and editing buttons lie in the command
   range, where every identifier other than PI and DEL that no command
   above takes is a function button. */
#define IDC_FIRST_CHARACTER_BUTTON  32
#define IDC_LAST_CHARACTER_BUTTON   126
#define IDC_FIRST_KEYPAD_COMMAND    1001
#define IDC_LAST_KEYPAD_COMMAND     1038

/* Timer and tray icon */
#define IDT_CLOCK            1
#define IDT_ACCESSIBILITY    2   // starts the screen readers' service after the first paint
#define IDI_TRAY             1
#define WM_TRAY_CALLBACK     1100

#endif
