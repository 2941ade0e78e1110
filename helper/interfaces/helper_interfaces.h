// The boundary between the terminal and the helper library: four interface
// classes whose virtual slots, in the order declared here, are the contract
// between the two deliverables, and the function types of the library's
// three exports.
//
// Rules both sides keep:
// - every operation is pure virtual, and no slot may be moved, added in the
//   middle or removed: the other side calls by slot position;
// - no interface has a virtual destructor: nothing is ever freed across the
//   boundary (the protected destructor keeps anyone from trying);
// - each side passes the address of its own one static object and never owns
//   the other side's;
// - text handed into an operation is copied by the callee;
// - out values are one pointer each; getters return int; the editor's
//   preference suffix is always the last argument.
//
// The header compiles natively on Linux too (the engine's relay and its tests
// use it there): the few Windows types it needs are named by their tags, so
// that on Windows they are the system's own without including <windows.h>,
// and elsewhere they get small stand-ins of the same shape.
#pragma once

#include <cstdint>

#if defined(_WIN32)
struct tagRECT;
struct tagMSG;
struct HWND__;
struct tagOFNA;
typedef struct tagRECT RECT;
typedef struct tagMSG MSG;
typedef struct HWND__* HWND;
typedef unsigned long COLORREF;  // DWORD: red in the lowest byte, then green, then blue
#define HELPER_CALL __stdcall
#else
struct tagRECT {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};
typedef struct tagRECT RECT;
struct HWND__ {
  int unused;
};
typedef struct HWND__* HWND;
struct tagMSG {
  HWND hwnd;
  uint32_t message;
  uintptr_t wParam;
  intptr_t lParam;
  uint32_t time;
  int32_t ptX;
  int32_t ptY;
};
typedef struct tagMSG MSG;
struct tagOFNA;
typedef uint32_t COLORREF;
#define HELPER_CALL
#endif

// Terminal -> program editor. "Session" is the host's session number: the
// first registered window (lowest index) that carries it; "index" is the
// registry position CreateEditWindow returned. Unknown sessions and empty
// indexes are ignored and give the neutral result.
class MoxelToEdit {
 public:
  virtual int CloseSession(int session) = 0;                                    // 0
  virtual void AcknowledgeSend(int session) = 0;                                // 1
  virtual int GetNextMessage(int session, const char** text, int* length) = 0;  // 2
  virtual void CloseAll() = 0;                                                  // 3
  virtual void AddLoadedLine(int index, const char* text, int length) = 0;      // 4
  virtual void EndOfLoad(int index) = 0;                                        // 5
  virtual int CloseIndex(int index) = 0;                                        // 6
  virtual int GetPendingSession() = 0;                                          // 7
  virtual void CancelContinuation(int session) = 0;                             // 8
  virtual void HostReply(int session, const char* reply) = 0;                   // 9
  virtual void SetAllViewOnly() = 0;                                            // 10
  virtual int AnyBusy() = 0;                                                    // 11
  virtual void CloseIdle() = 0;                                                 // 12

 protected:
  ~MoxelToEdit() = default;
};

// Terminal (or the roster library) -> attachment viewer and message loop.
class MoxelToHelper {
 public:
  virtual int OnIdle(long count) = 0;                                  // 0
  virtual int PreTranslateMessage(MSG* message) = 0;                   // 1
  virtual int ClearList() = 0;                                         // 2
  virtual void AddItem(const char* entry) = 0;                         // 3
  virtual void ShowList() = 0;                                         // 4
  virtual void CloseList() = 0;                                        // 5
  virtual void GetMonitorSize(HWND window, int* width, int* height) = 0;  // 6

 protected:
  ~MoxelToHelper() = default;
};

// Program editor -> terminal: preferences (in "Edit" or "Edit~suffix"), the
// desktop, and the two notices.
class EditToMoxel {
 public:
  virtual int GetCheckSyntax(const char* suffix) = 0;                 // 0
  virtual void SetCheckSyntax(int flag, const char* suffix) = 0;      // 1
  virtual int GetAutoLabels(const char* suffix) = 0;                  // 2
  virtual void SetAutoLabels(int flag, const char* suffix) = 0;       // 3
  virtual void GetDesktopRect(RECT* desktop) = 0;                     // 4
  virtual void NotifyPending() = 0;                                   // 5
  virtual void SetToolbar(int flag, const char* suffix) = 0;          // 6
  virtual int GetToolbar(const char* suffix) = 0;                     // 7
  virtual void SetStatusbar(int flag, const char* suffix) = 0;        // 8
  virtual int GetStatusbar(const char* suffix) = 0;                   // 9
  virtual int GetColumnWarning(const char* suffix) = 0;               // 10
  virtual void SetColumnWarning(int flag, const char* suffix) = 0;    // 11
  virtual void RequestClose(int session) = 0;                         // 12
  virtual int GetAutoIndent(const char* suffix) = 0;                  // 13
  virtual void SetAutoIndent(int flag, const char* suffix) = 0;       // 14
  virtual int GetSaveOnExit(const char* suffix) = 0;                  // 15
  virtual void SetSaveOnExit(int mode, const char* suffix) = 0;       // 16
  virtual void GetWindowPlacement(int* x, int* y, int* width, int* height, const char* suffix) = 0;  // 17
  virtual void SetWindowPlacement(int x, int y, int width, int height, const char* suffix) = 0;      // 18
  virtual void GetFindOptions(int* fromTop, int* matchCase, int* wholeWord, int* down,
                              const char* suffix) = 0;                                              // 19
  virtual void SetFindOptions(int fromTop, int matchCase, int wholeWord, int down,
                              const char* suffix) = 0;                                              // 20
  virtual void GetFont(char* name, int nameSize, int* pointSize, int* italic, int* bold,
                       const char* suffix) = 0;                                                     // 21
  virtual void SetFont(const char* name, int pointSize, int italic, int bold, const char* suffix) = 0;  // 22
  // n + 1 foreground codes and n background codes; returns the last value read.
  virtual int GetColors(int n, int* foreground, int* background, const char* suffix) = 0;          // 23
  virtual void SetColors(int n, const int* foreground, const int* background, const char* suffix) = 0;  // 24
  // which: 0 "EditFind", 1 "EditBookmark", 2 "EditLables", 3 "EditCompile".
  virtual void GetDialogPlacement(int which, int* x, int* y, int* width, int* height,
                                  const char* suffix) = 0;                                          // 25
  virtual void SetDialogPlacement(int which, int x, int y, int width, int height,
                                  const char* suffix) = 0;                                          // 26
  virtual int GetFunctionWidth(const char* suffix) = 0;               // 27
  virtual void SetFunctionWidth(int width, const char* suffix) = 0;   // 28
  virtual void GetCustomColors(COLORREF* colors /* [16] */, const char* suffix) = 0;        // 29
  virtual void SetCustomColors(const COLORREF* colors /* [16] */, const char* suffix) = 0;  // 30
  virtual int GetSortLabels(const char* suffix) = 0;                  // 31
  virtual void SetSortLabels(int flag, const char* suffix) = 0;       // 32
  virtual int GetNumPadScreenDraw(const char* suffix) = 0;            // 33
  virtual void SetNumPadScreenDraw(int flag, const char* suffix) = 0; // 34

 protected:
  ~EditToMoxel() = default;
};

// Attachment viewer -> terminal (or the roster library): the viewer's
// preferences in section "ImaveView".
class HelperToMoxel {
 public:
  virtual void GetListSize(int* width, int* height) = 0;      // 0
  virtual void SetListSize(int width, int height) = 0;        // 1
  virtual int GetMainFitMode() = 0;                           // 2
  virtual void SetMainFitMode(int flag) = 0;                  // 3
  virtual void GetListPosition(int* x, int* y) = 0;           // 4
  virtual void SetListPosition(int x, int y) = 0;             // 5
  virtual void GetThumbSize(int* width, int* height) = 0;     // 6
  virtual void SetThumbSize(int width, int height) = 0;       // 7
  virtual void SetTopmost(int flag) = 0;                      // 8 (the setter comes first here)
  virtual int GetTopmost() = 0;                               // 9
  virtual int GetThumbAspect() = 0;                           // 10
  virtual void SetThumbAspect(int flag) = 0;                  // 11
  virtual int GetThumbDisplay() = 0;                          // 12
  virtual void SetThumbDisplay(int value) = 0;                // 13
  virtual int GetThumbAnnotations() = 0;                      // 14
  virtual void SetThumbAnnotations(int flag) = 0;             // 15
  virtual int GetMainAnnotations() = 0;                       // 16
  virtual void SetMainAnnotations(int flag) = 0;              // 17
  virtual int GetUseDefaultViewer() = 0;                      // 18
  virtual void SetUseDefaultViewer(int flag) = 0;             // 19
  virtual int GetMainDisplay() = 0;                           // 20
  virtual void SetMainDisplay(int value) = 0;                 // 21
  virtual int GetAutoLaunch() = 0;                            // 22
  virtual void SetAutoLaunch(int flag) = 0;                   // 23
  virtual int GetMainBackground() = 0;                        // 24
  virtual void SetMainBackground(int value) = 0;              // 25
  virtual int GetThumbView() = 0;                             // 26
  virtual void SetThumbView(int flag) = 0;                    // 27
  virtual int GetImageColWidth() = 0;                         // 28
  virtual void SetImageColWidth(int width) = 0;               // 29
  virtual int GetTypeColWidth() = 0;                          // 30
  virtual void SetTypeColWidth(int width) = 0;                // 31
  virtual int GetSizeColWidth() = 0;                          // 32
  virtual void SetSizeColWidth(int width) = 0;                // 33
  virtual int GetTypeColEnabled() = 0;                        // 34
  virtual void SetTypeColEnabled(int flag) = 0;               // 35
  virtual int GetSizeColEnabled() = 0;                        // 36
  virtual void SetSizeColEnabled(int flag) = 0;               // 37

 protected:
  ~HelperToMoxel() = default;
};

// The library's exports, by plain name, standard calling convention (the
// callee pops its arguments). The terminal looks them up at run time.
//
// ConnectToHelper: keeps the viewer's callbacks, returns the library's one
// MoxelToHelper object; creates no window.
typedef MoxelToHelper*(HELPER_CALL* ConnectToHelperFn)(HelperToMoxel* callbacks);
// CreateEditWindow: opens one hidden edit window and writes its registry
// index to *index; null (index untouched) when no window could be made.
typedef MoxelToEdit*(HELPER_CALL* CreateEditWindowFn)(EditToMoxel* callbacks, int* index, const char* title,
                                                        int session, int readOnly, const char* suffix);
// HelperOpenFileName: the open-file dialog over the caller's OPENFILENAMEA;
// 1 with the chosen path in its buffer, 0 when cancelled.
typedef int(HELPER_CALL* HelperOpenFileNameFn)(struct tagOFNA* request);
