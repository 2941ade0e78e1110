/* The MoxelTester library: a test harness reads a running terminal's screen
   and types into it. Every export returns non-zero for success unless noted;
   on failure GetTestError tells why:
     0 no error, 1 a resource could not be obtained, 2 the terminal was not
     found or did not answer, 3 the terminal rejected a text request,
     4 the key string is malformed or names a key without a command. */
#ifndef TAVIX_MOXEL_TESTER_H
#define TAVIX_MOXEL_TESTER_H

#include <windows.h>

#ifdef MOXELTESTER_BUILD
#define MOXELTESTER_API extern "C" __declspec(dllexport)
#else
#define MOXELTESTER_API extern "C" __declspec(dllimport)
#endif

MOXELTESTER_API int WINAPI GetText(int row, int column, int count, char* buffer);
MOXELTESTER_API int WINAPI SetText(const char* text);
MOXELTESTER_API int WINAPI TypeKeys(const char* keys, int repeatCount);
MOXELTESTER_API int WINAPI HostBusy(int* busy);
MOXELTESTER_API int WINAPI GetTestCursor(int* row, int* column);
MOXELTESTER_API int WINAPI GetTestWindow(int* width, int* height);
MOXELTESTER_API int WINAPI GetTestError(void);
MOXELTESTER_API HWND WINAPI GetMoxelWindow(void);
MOXELTESTER_API HWND WINAPI SetMoxelWindow(HWND window);

/* The same, as pointer types for a harness that loads the library at run time. */
typedef int(WINAPI* GetTextProc)(int, int, int, char*);
typedef int(WINAPI* SetTextProc)(const char*);
typedef int(WINAPI* TypeKeysProc)(const char*, int);
typedef int(WINAPI* HostBusyProc)(int*);
typedef int(WINAPI* GetTestCursorProc)(int*, int*);
typedef int(WINAPI* GetTestWindowProc)(int*, int*);
typedef int(WINAPI* GetTestErrorProc)(void);
typedef HWND(WINAPI* GetMoxelWindowProc)(void);
typedef HWND(WINAPI* SetMoxelWindowProc)(HWND);

#endif
