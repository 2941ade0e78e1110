/* Resource and command numbers of the attachment viewer's list window and
   its settings sheet (plain #defines: the resource compiler reads this too). */
#ifndef VIEWER_RESOURCE_IDS_H
#define VIEWER_RESOURCE_IDS_H

/* The list window. */
#define IDD_IMAGE_LIST 3022
#define IDC_IMAGE_LIST_ROWS 3601
#define IDC_IMAGE_LIST_THUMBS 3602

/* The list window's context menu. */
#define IDR_IMAGE_LIST_CONTEXT 3023

/* The settings sheet's pages. */
#define IDD_VIEWER_GENERAL 3024
#define IDD_VIEWER_BROWSER 3025
#define IDD_VIEWER_VIEWER 3026

/* Commands of the list window (context menu and system menu). The system
   menu's own commands keep their low four bits clear. */
#define ID_VIEWER_THUMBNAILS 3610
#define ID_VIEWER_LIST 3611
#define ID_VIEWER_VIEW_IMAGE 3612
#define ID_VIEWER_COPY 3613
#define ID_VIEWER_PRINT 3614
#define ID_VIEWER_TOPMOST 3615
#define ID_VIEWER_SETTINGS 0x0D60
#define ID_VIEWER_HELP_CONTENTS 0x0D70
#define ID_VIEWER_HELP_SUPPORT 0x0D80
#define ID_VIEWER_HELP_ABOUT 0x0D90

/* General page. */
#define IDC_GEN_LAUNCH 3630
#define IDC_GEN_THUMBNAIL 3631
#define IDC_GEN_TOPMOST 3632
#define IDC_GEN_DEFAULT_VIEWER 3633
#define IDC_GEN_RESTORE 3634

/* Browser page. */
#define IDC_BR_THUMB_VIEW 3640
#define IDC_BR_LIST_VIEW 3641
#define IDC_BR_FAST 3642
#define IDC_BR_PRECISE 3643
#define IDC_BR_OPTIMIZED 3644
#define IDC_BR_ANNOTATIONS 3645
#define IDC_BR_ASPECT 3646
#define IDC_BR_WIDTH 3647
#define IDC_BR_HEIGHT 3648
#define IDC_BR_SAMPLE 3649
#define IDC_BR_TYPE_COLUMN 3650
#define IDC_BR_SIZE_COLUMN 3651
#define IDC_BR_RESTORE 3652

/* Viewer page. */
#define IDC_VW_FAST 3660
#define IDC_VW_PRECISE 3661
#define IDC_VW_OPTIMIZED 3662
#define IDC_VW_ANNOTATIONS 3663
#define IDC_VW_FIT_WIDTH 3664
#define IDC_VW_FIT_PAGE 3665
#define IDC_VW_BACKGROUND 3666
#define IDC_VW_RESTORE 3667

#endif
