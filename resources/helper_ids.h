/* Resource and command numbers of helper.dll (plain #defines: the resource
   compiler reads this too). */
#ifndef HELPER_RESOURCE_IDS_H
#define HELPER_RESOURCE_IDS_H

/* The edit frame's menu and accelerator table. */
#define IDR_FRAME_EDIT 3000

/* Edit window commands. */
#define ID_EDIT_SAVE 3101
#define ID_EDIT_SAVE_CLOSE 3102
#define ID_EDIT_COMPILE 3103
#define ID_EDIT_EXIT 3104
#define ID_EDIT_TOOLBAR 3110
#define ID_EDIT_STATUSBAR 3111

/* Child windows of the frame. */
#define IDC_EDIT_VIEW 3201
#define IDC_EDIT_TOOLBAR 3202
#define IDC_EDIT_STATUSBAR 3203

#endif
