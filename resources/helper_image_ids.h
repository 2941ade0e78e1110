/* Resource and control numbers of the image window (dialog 3036), the
   open-file dialog's preview template (129) and the viewer's icons. Plain
   #defines: the resource compiler reads this too. */
#ifndef HELPER_IMAGE_IDS_H
#define HELPER_IMAGE_IDS_H

/* "Image Information". */
#define IDD_IMAGE_ITEM 3036
#define IDC_ITEM_IMAGE_AREA 3301
#define IDC_ITEM_ZOOM 3302
#define IDC_ITEM_PAGE_TEXT 3303
#define IDC_ITEM_GOTO_LABEL 3304
#define IDC_ITEM_GOTO_EDIT 3305
#define IDC_ITEM_GOTO_SPIN 3306
#define IDC_ITEM_PATH_LABEL 3307
#define IDC_ITEM_PATH 3308
#define IDC_ITEM_DATE_LABEL 3309
#define IDC_ITEM_DATE 3310
#define IDC_ITEM_SIZE_LABEL 3311
#define IDC_ITEM_SIZE 3312
#define IDC_ITEM_VERSION 3313
#define IDC_ITEM_ROTATE_CW 3320
#define IDC_ITEM_ROTATE_CCW 3321
#define IDC_ITEM_PRINT 3322
#define IDC_ITEM_FIT_WIDTH 3323
#define IDC_ITEM_FIT_PAGE 3324
#define IDC_ITEM_ANNOTATIONS 3325
#define IDC_ITEM_COPY 3326
#define IDC_ITEM_CONTROL 3330 /* the image control, created over the area */

/* The open-file dialog's template. */
#define IDD_CORVANE_OPEN 129
#define IDC_OPEN_PREVIEW 3401 /* "Thumbnail view goes here" */
#define IDC_OPEN_ROTATE_CW 3402
#define IDC_OPEN_ROTATE_CCW 3403
#define IDC_OPEN_ZOOM 3404
#define IDC_OPEN_ANNOTATIONS 3405
#define IDC_OPEN_PRINT 3406
#define IDC_OPEN_PAGE_EDIT 3407
#define IDC_OPEN_PAGE_SPIN 3408
#define IDC_OPEN_ZOOM_LABEL 3409
#define IDC_OPEN_ZOOM_BAR 3410 /* horizontal: the zoom */
#define IDC_OPEN_VSCROLL 3411
#define IDC_OPEN_HSCROLL 3412
#define IDC_OPEN_CONTROL 3413 /* the image control, created over the preview */

/* 16 x 16 icons of the tools. */
#define IDI_VIEW_ROTATE_CW 3501
#define IDI_VIEW_ROTATE_CCW 3502
#define IDI_VIEW_ZOOM_IN 3503
#define IDI_VIEW_ZOOM_OUT 3504
#define IDI_VIEW_NOTES_SHOWN 3505
#define IDI_VIEW_NOTES_HIDDEN 3506
#define IDI_VIEW_PRINT 3507
#define IDI_VIEW_FIT_WIDTH 3508
#define IDI_VIEW_FIT_PAGE 3509
#define IDI_VIEW_COPY 3510

#endif
