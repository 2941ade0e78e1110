/* Hand-written tables of the two callback interfaces and the calls into
   the library's objects by slot number (see boundary_tables.h). */
#include "boundary_tables.h"

#include <string.h>
#include <windows.h>

/* Member functions take the object first; 32-bit builds pass it the way
   the C++ compiler does for members. */
#if defined(__i386__)
#define SLOT __attribute__((thiscall))
#else
#define SLOT
#endif

int BoundaryEditSlots[512];
int BoundaryEditSlotCount;
int BoundaryNotifications;
int BoundaryCloseRequest;
int BoundaryViewerSlots;

static void Called(int slot) {
  if (BoundaryEditSlotCount < 512) BoundaryEditSlots[BoundaryEditSlotCount++] = slot;
}
static int SLOT E0_GetCheckSyntax(void* self, const char* s) {
  Called(0);
  return 1;
}
static void SLOT E1_SetCheckSyntax(void* self, int f, const char* s) {
  Called(1);
  
}
static int SLOT E2_GetAutoLabels(void* self, const char* s) {
  Called(2);
  return 0;
}
static void SLOT E3_SetAutoLabels(void* self, int f, const char* s) {
  Called(3);
  
}
static void SLOT E4_GetDesktopRect(void* self, int* r) {
  Called(4);
  r[0] = 0; r[1] = 0; r[2] = 1024; r[3] = 768;
}
static void SLOT E5_NotifyPending(void* self) {
  Called(5);
  ++BoundaryNotifications;
}
static void SLOT E6_SetToolbar(void* self, int f, const char* s) {
  Called(6);
  
}
static int SLOT E7_GetToolbar(void* self, const char* s) {
  Called(7);
  return 1;
}
static void SLOT E8_SetStatusbar(void* self, int f, const char* s) {
  Called(8);
  
}
static int SLOT E9_GetStatusbar(void* self, const char* s) {
  Called(9);
  return 1;
}
static int SLOT E10_GetColumnWarning(void* self, const char* s) {
  Called(10);
  return 1;
}
static void SLOT E11_SetColumnWarning(void* self, int f, const char* s) {
  Called(11);
  
}
static void SLOT E12_RequestClose(void* self, int session) {
  Called(12);
  BoundaryCloseRequest = session;
}
static int SLOT E13_GetAutoIndent(void* self, const char* s) {
  Called(13);
  return 0;
}
static void SLOT E14_SetAutoIndent(void* self, int f, const char* s) {
  Called(14);
  
}
static int SLOT E15_GetSaveOnExit(void* self, const char* s) {
  Called(15);
  return 1;
}
static void SLOT E16_SetSaveOnExit(void* self, int m, const char* s) {
  Called(16);
  
}
static void SLOT E17_GetWindowPlacement(void* self, int* x, int* y, int* w, int* h, const char* s) {
  Called(17);
  *x = -1; *y = -1; *w = 400; *h = 400;
}
static void SLOT E18_SetWindowPlacement(void* self, int x, int y, int w, int h, const char* s) {
  Called(18);
  
}
static void SLOT E19_GetFindOptions(void* self, int* a, int* b, int* c, int* d, const char* s) {
  Called(19);
  *a = 1; *b = 0; *c = 0; *d = 1;
}
static void SLOT E20_SetFindOptions(void* self, int a, int b, int c, int d, const char* s) {
  Called(20);
  
}
static void SLOT E21_GetFont(void* self, char* name, int size, int* pt, int* it, int* b, const char* s) {
  Called(21);
  if (size > 11) {
    strcpy(name, "Courier New");
  }
  *pt = 10;
  *it = 0;
  *b = 0;
}
static void SLOT E22_SetFont(void* self, const char* name, int pt, int it, int b, const char* s) {
  Called(22);
  
}
static int SLOT E23_GetColors(void* self, int n, int* fg, int* bg, const char* s) {
  Called(23);
  int i; for (i = 0; i <= n; ++i) fg[i] = 16; for (i = 0; i < n; ++i) bg[i] = 16; return 16;
}
static void SLOT E24_SetColors(void* self, int n, const int* fg, const int* bg, const char* s) {
  Called(24);
  
}
static void SLOT E25_GetDialogPlacement(void* self, int which, int* x, int* y, int* w, int* h, const char* s) {
  Called(25);
  *x = *y = *w = *h = -1;
}
static void SLOT E26_SetDialogPlacement(void* self, int which, int x, int y, int w, int h, const char* s) {
  Called(26);
  
}
static int SLOT E27_GetFunctionWidth(void* self, const char* s) {
  Called(27);
  return -1;
}
static void SLOT E28_SetFunctionWidth(void* self, int w, const char* s) {
  Called(28);
  
}
static void SLOT E29_GetCustomColors(void* self, unsigned long* c, const char* s) {
  Called(29);
  int i; for (i = 0; i < 16; ++i) c[i] = (unsigned long)i;
}
static void SLOT E30_SetCustomColors(void* self, const unsigned long* c, const char* s) {
  Called(30);
  
}
static int SLOT E31_GetSortLabels(void* self, const char* s) {
  Called(31);
  return 0;
}
static void SLOT E32_SetSortLabels(void* self, int f, const char* s) {
  Called(32);
  
}
static int SLOT E33_GetNumPadScreenDraw(void* self, const char* s) {
  Called(33);
  return 1;
}
static void SLOT E34_SetNumPadScreenDraw(void* self, int f, const char* s) {
  Called(34);
  
}
static void* const EditTable[35] = {
    (void*)E0_GetCheckSyntax,
    (void*)E1_SetCheckSyntax,
    (void*)E2_GetAutoLabels,
    (void*)E3_SetAutoLabels,
    (void*)E4_GetDesktopRect,
    (void*)E5_NotifyPending,
    (void*)E6_SetToolbar,
    (void*)E7_GetToolbar,
    (void*)E8_SetStatusbar,
    (void*)E9_GetStatusbar,
    (void*)E10_GetColumnWarning,
    (void*)E11_SetColumnWarning,
    (void*)E12_RequestClose,
    (void*)E13_GetAutoIndent,
    (void*)E14_SetAutoIndent,
    (void*)E15_GetSaveOnExit,
    (void*)E16_SetSaveOnExit,
    (void*)E17_GetWindowPlacement,
    (void*)E18_SetWindowPlacement,
    (void*)E19_GetFindOptions,
    (void*)E20_SetFindOptions,
    (void*)E21_GetFont,
    (void*)E22_SetFont,
    (void*)E23_GetColors,
    (void*)E24_SetColors,
    (void*)E25_GetDialogPlacement,
    (void*)E26_SetDialogPlacement,
    (void*)E27_GetFunctionWidth,
    (void*)E28_SetFunctionWidth,
    (void*)E29_GetCustomColors,
    (void*)E30_SetCustomColors,
    (void*)E31_GetSortLabels,
    (void*)E32_SetSortLabels,
    (void*)E33_GetNumPadScreenDraw,
    (void*)E34_SetNumPadScreenDraw};
static struct BoundaryObject EditObject = {EditTable};
struct BoundaryObject* BoundaryEditToMoxel(void) { return &EditObject; }
static void SLOT V0(void* self, int* a, int* b) {
  ++BoundaryViewerSlots;
  *a = -1;
  *b = -1;
}
static void SLOT V1(void* self, int a, int b) {
  ++BoundaryViewerSlots;
  (void)a;
  (void)b;
}
static int SLOT V2(void* self) {
  ++BoundaryViewerSlots;
  return 0;
}
static void SLOT V3(void* self, int a) {
  ++BoundaryViewerSlots;
  (void)a;
}
static void SLOT V4(void* self, int* a, int* b) {
  ++BoundaryViewerSlots;
  *a = -1;
  *b = -1;
}
static void SLOT V5(void* self, int a, int b) {
  ++BoundaryViewerSlots;
  (void)a;
  (void)b;
}
static void SLOT V6(void* self, int* a, int* b) {
  ++BoundaryViewerSlots;
  *a = -1;
  *b = -1;
}
static void SLOT V7(void* self, int a, int b) {
  ++BoundaryViewerSlots;
  (void)a;
  (void)b;
}
static void SLOT V8(void* self, int a) {
  ++BoundaryViewerSlots;
  (void)a;
}
static int SLOT V9(void* self) {
  ++BoundaryViewerSlots;
  return 0;
}
static int SLOT V10(void* self) {
  ++BoundaryViewerSlots;
  return 0;
}
static void SLOT V11(void* self, int a) {
  ++BoundaryViewerSlots;
  (void)a;
}
static int SLOT V12(void* self) {
  ++BoundaryViewerSlots;
  return 0;
}
static void SLOT V13(void* self, int a) {
  ++BoundaryViewerSlots;
  (void)a;
}
static int SLOT V14(void* self) {
  ++BoundaryViewerSlots;
  return 0;
}
static void SLOT V15(void* self, int a) {
  ++BoundaryViewerSlots;
  (void)a;
}
static int SLOT V16(void* self) {
  ++BoundaryViewerSlots;
  return 0;
}
static void SLOT V17(void* self, int a) {
  ++BoundaryViewerSlots;
  (void)a;
}
static int SLOT V18(void* self) {
  ++BoundaryViewerSlots;
  return 0;
}
static void SLOT V19(void* self, int a) {
  ++BoundaryViewerSlots;
  (void)a;
}
static int SLOT V20(void* self) {
  ++BoundaryViewerSlots;
  return 0;
}
static void SLOT V21(void* self, int a) {
  ++BoundaryViewerSlots;
  (void)a;
}
static int SLOT V22(void* self) {
  ++BoundaryViewerSlots;
  return 0;
}
static void SLOT V23(void* self, int a) {
  ++BoundaryViewerSlots;
  (void)a;
}
static int SLOT V24(void* self) {
  ++BoundaryViewerSlots;
  return 0;
}
static void SLOT V25(void* self, int a) {
  ++BoundaryViewerSlots;
  (void)a;
}
static int SLOT V26(void* self) {
  ++BoundaryViewerSlots;
  return 0;
}
static void SLOT V27(void* self, int a) {
  ++BoundaryViewerSlots;
  (void)a;
}
static int SLOT V28(void* self) {
  ++BoundaryViewerSlots;
  return 0;
}
static void SLOT V29(void* self, int a) {
  ++BoundaryViewerSlots;
  (void)a;
}
static int SLOT V30(void* self) {
  ++BoundaryViewerSlots;
  return 0;
}
static void SLOT V31(void* self, int a) {
  ++BoundaryViewerSlots;
  (void)a;
}
static int SLOT V32(void* self) {
  ++BoundaryViewerSlots;
  return 0;
}
static void SLOT V33(void* self, int a) {
  ++BoundaryViewerSlots;
  (void)a;
}
static int SLOT V34(void* self) {
  ++BoundaryViewerSlots;
  return 0;
}
static void SLOT V35(void* self, int a) {
  ++BoundaryViewerSlots;
  (void)a;
}
static int SLOT V36(void* self) {
  ++BoundaryViewerSlots;
  return 0;
}
static void SLOT V37(void* self, int a) {
  ++BoundaryViewerSlots;
  (void)a;
}
static void* const ViewerTable[38] = {
    (void*)V0,
    (void*)V1,
    (void*)V2,
    (void*)V3,
    (void*)V4,
    (void*)V5,
    (void*)V6,
    (void*)V7,
    (void*)V8,
    (void*)V9,
    (void*)V10,
    (void*)V11,
    (void*)V12,
    (void*)V13,
    (void*)V14,
    (void*)V15,
    (void*)V16,
    (void*)V17,
    (void*)V18,
    (void*)V19,
    (void*)V20,
    (void*)V21,
    (void*)V22,
    (void*)V23,
    (void*)V24,
    (void*)V25,
    (void*)V26,
    (void*)V27,
    (void*)V28,
    (void*)V29,
    (void*)V30,
    (void*)V31,
    (void*)V32,
    (void*)V33,
    (void*)V34,
    (void*)V35,
    (void*)V36,
    (void*)V37};
static struct BoundaryObject ViewerObject = {ViewerTable};
struct BoundaryObject* BoundaryHelperToMoxel(void) { return &ViewerObject; }

/* Calls into the library's objects. */
#define TABLE(o) ((o)->table)
int EditCloseSession(struct BoundaryObject* o, int s) { return ((int(SLOT*)(void*, int))TABLE(o)[0])(o, s); }
void EditAcknowledgeSend(struct BoundaryObject* o, int s) { ((void(SLOT*)(void*, int))TABLE(o)[1])(o, s); }
int EditGetNextMessage(struct BoundaryObject* o, int s, const char** t, int* n) {
  return ((int(SLOT*)(void*, int, const char**, int*))TABLE(o)[2])(o, s, t, n);
}
void EditCloseAll(struct BoundaryObject* o) { ((void(SLOT*)(void*))TABLE(o)[3])(o); }
void EditAddLoadedLine(struct BoundaryObject* o, int i, const char* t, int n) {
  ((void(SLOT*)(void*, int, const char*, int))TABLE(o)[4])(o, i, t, n);
}
void EditEndOfLoad(struct BoundaryObject* o, int i) { ((void(SLOT*)(void*, int))TABLE(o)[5])(o, i); }
int EditCloseIndex(struct BoundaryObject* o, int i) { return ((int(SLOT*)(void*, int))TABLE(o)[6])(o, i); }
int EditGetPendingSession(struct BoundaryObject* o) { return ((int(SLOT*)(void*))TABLE(o)[7])(o); }
void EditCancelContinuation(struct BoundaryObject* o, int s) { ((void(SLOT*)(void*, int))TABLE(o)[8])(o, s); }
void EditHostReply(struct BoundaryObject* o, int s, const char* r) {
  ((void(SLOT*)(void*, int, const char*))TABLE(o)[9])(o, s, r);
}
void EditSetAllViewOnly(struct BoundaryObject* o) { ((void(SLOT*)(void*))TABLE(o)[10])(o); }
int EditAnyBusy(struct BoundaryObject* o) { return ((int(SLOT*)(void*))TABLE(o)[11])(o); }
void EditCloseIdle(struct BoundaryObject* o) { ((void(SLOT*)(void*))TABLE(o)[12])(o); }

int HelperOnIdle(struct BoundaryObject* o, long c) { return ((int(SLOT*)(void*, long))TABLE(o)[0])(o, c); }
int HelperPreTranslateMessage(struct BoundaryObject* o, void* m) {
  return ((int(SLOT*)(void*, void*))TABLE(o)[1])(o, m);
}
int HelperClearList(struct BoundaryObject* o) { return ((int(SLOT*)(void*))TABLE(o)[2])(o); }
void HelperAddItem(struct BoundaryObject* o, const char* e) { ((void(SLOT*)(void*, const char*))TABLE(o)[3])(o, e); }
void HelperShowList(struct BoundaryObject* o) { ((void(SLOT*)(void*))TABLE(o)[4])(o); }
void HelperCloseList(struct BoundaryObject* o) { ((void(SLOT*)(void*))TABLE(o)[5])(o); }
void HelperGetMonitorSize(struct BoundaryObject* o, void* w, int* x, int* y) {
  ((void(SLOT*)(void*, void*, int*, int*))TABLE(o)[6])(o, w, x, y);
}

int BoundaryLoad(const char* path, struct BoundaryExports* e) {
  HMODULE m = LoadLibraryA(path);
  if (!m) return 0;
  e->connect = (struct BoundaryObject*(__stdcall*)(struct BoundaryObject*))(void (*)(void))GetProcAddress(m, "ConnectToHelper");
  e->createEditWindow = (struct BoundaryObject*(__stdcall*)(struct BoundaryObject*, int*, const char*, int, int, const char*))(
      void (*)(void))GetProcAddress(m, "CreateEditWindow");
  e->openFileName = (int(__stdcall*)(void*))(void (*)(void))GetProcAddress(m, "HelperOpenFileName");
  return e->connect && e->createEditWindow && e->openFileName;
}
