/* Dialog 126 "Configure Mouse Buttons": the dialog and control numbers.
   Plain #defines: the resource compiler reads this file too
   (resources/dialogs_keyboard.rc). A radio button's number is its group's
   base plus the action value it stands for. */
#ifndef TAVIX_MOUSE_BUTTONS_DIALOG_IDS_H
#define TAVIX_MOUSE_BUTTONS_DIALOG_IDS_H

#define IDD_MOUSE_BUTTONS 126
#define IDC_MIDDLE_ACTION_BASE 1400    /* 1400..1405: "Mouse Event" .. "Copy/Paste" */
#define IDC_SECONDARY_ACTION_BASE 1410 /* 1410..1415, no 1413: "Disable" is the middle button's only */
#define IDC_MOUSE_WHEEL 1420

#endif
