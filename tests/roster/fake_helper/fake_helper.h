// The recording stand-in of the helper library for the roster tests: its
// ConnectToHelper hands out a viewer that only records what it is asked to
// do, on which thread, and with what; these functions read the record.
#pragma once

#include <windows.h>

class HelperToMoxel;

extern "C" {
// The calls in order, one per line: "connect", "clear", "add:<entry>" (the
// 0xFE separator shown as '|'), "show", "shown", "pre:<message>", plus
// "thread!" when a viewer call came from another thread than the connect.
typedef int (*FakeLogFn)(char* out, int size);
// The counts OnIdle was called with (at most `max`); returns how many calls.
typedef int (*FakeIdleCountsFn)(long* out, int max);
typedef HelperToMoxel* (*FakeCallbacksFn)();
typedef DWORD (*FakeViewerThreadFn)();
// While held, ShowList waits (up to 10 s) for the release.
typedef void (*FakeHoldShowFn)(int hold);
// OnIdle reports more work while its count is below this (default 0).
typedef void (*FakeSetIdleWorkFn)(int work);
}

// How ConnectToHelper behaves, from the environment variable
// TAVIX_FAKE_HELPER: empty = connect; "null" = return no viewer; "exit" =
// end the calling thread inside the call.
constexpr char kFakeHelperMode[] = "TAVIX_FAKE_HELPER";
