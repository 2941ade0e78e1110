/* Dialog 127 "Configure Printing": the dialog and control numbers. Plain
   #defines: the resource compiler reads this file too
   (resources/dialogs_printing.rc). */
#ifndef TAVIX_PRINTING_DIALOG_IDS_H
#define TAVIX_PRINTING_DIALOG_IDS_H

#define IDD_PRINTING 127
#define IDC_PRINT_DEFAULT_PRINTER 1069
#define IDC_PRINT_IMAGE 1169
#define IDC_PRINT_TEXT 1170
#define IDC_PRINT_SELECTED_PRINTER 1171
#define IDC_PRINT_ROUTE_WINDOWS 1174
#define IDC_PRINT_ROUTE_LPT1 1175
#define IDC_PRINT_ROUTE_LPT2 1176
#define IDC_PRINT_ROUTE_LPT3 1177
#define IDC_PRINT_SELECT_PRINTER 1178
#define IDC_PRINT_PRINTER_NAME 1179
#define IDC_PRINT_HELP 1191
#define HELP_CONTEXT_PRINTING 23

#endif
