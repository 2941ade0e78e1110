/* Resource and command numbers of the attachment viewer's list window and
   its settings sheet (plain #defines: the resource compiler reads this too). */
#ifndef VIEWER_RESOURCE_IDS_H
#define VIEWER_RESOURCE_IDS_H

/* The list window. */
#define IDD_IMAGE_LIST 3022
#define IDC_IMAGE_LIST_ROWS 3401
#define IDC_IMAGE_LIST_THUMBS 3402

/* The list window's context menu. */
#define IDR_IMAGE_LIST_CONTEXT 3023

/* The settings sheet's pages. */
#define IDD_VIEWER_GENERAL 3024
#define IDD_VIEWER_BROWSER 3025
#define IDD_VIEWER_VIEWER 3026

/* Commands of the list window (context menu and system menu). The system
   menu's own commands keep their low four bits clear. */
#define ID_VIEWER_THUMBNAILS 3410
#define ID_VIEWER_LIST 3411
#define ID_VIEWER_VIEW_IMAGE 3412
#define ID_VIEWER_COPY 3413
#define ID_VIEWER_PRINT 3414
#define ID_VIEWER_TOPMOST 3415
#define ID_VIEWER_SETTINGS 0x0D60
#define ID_VIEWER_HELP_CONTENTS 0x0D70
#define ID_VIEWER_HELP_SUPPORT 0x0D80
#define ID_VIEWER_HELP_ABOUT 0x0D90

/* General page. */
#define IDC_GEN_LAUNCH 3430
#define IDC_GEN_THUMBNAIL 3431
#define IDC_GEN_TOPMOST 3432
#define IDC_GEN_DEFAULT_VIEWER 3433
#define IDC_GEN_RESTORE 3434

/* Browser page. */
#define IDC_BR_THUMB_VIEW 3440
#define IDC_BR_LIST_VIEW 3441
#define IDC_BR_FAST 3442
#define IDC_BR_PRECISE 3443
#define IDC_BR_OPTIMIZED 3444
#define IDC_BR_ANNOTATIONS 3445
#define IDC_BR_ASPECT 3446
#define IDC_BR_WIDTH 3447
#define IDC_BR_HEIGHT 3448
#define IDC_BR_SAMPLE 3449
#define IDC_BR_TYPE_COLUMN 3450
#define IDC_BR_SIZE_COLUMN 3451
#define IDC_BR_RESTORE 3452

/* Viewer page. */
#define IDC_VW_FAST 3460
#define IDC_VW_PRECISE 3461
#define IDC_VW_OPTIMIZED 3462
#define IDC_VW_ANNOTATIONS 3463
#define IDC_VW_FIT_WIDTH 3464
#define IDC_VW_FIT_PAGE 3465
#define IDC_VW_BACKGROUND 3466
#define IDC_VW_RESTORE 3467

#endif
