// The library's exports: the Java natives and TestFunction. Each runs the
// start-up first and then hands one request at a time to the viewer thread;
// calls from several Java threads wait for each other.
#include "java_text.h"
#include "moxel_viewer_natives.h"
#include "roster_record.h"

namespace {

class CallScope {
 public:
  CallScope() { AcquireSRWLockExclusive(&Roster.calls); }
  ~CallScope() { ReleaseSRWLockExclusive(&Roster.calls); }
};

jint Result(bool ok) { return ok ? 0 : 1; }

// Adds one entry; false when the viewer is gone or the path cannot fit.
bool AddEntry(const char* path, const char* description) {
  char entry[roster::kTextSize];
  if (roster::BuildEntry(path, description, entry) == roster::EntryResult::PathTooLong) return false;
  return RequestViewer(kAddEntry, entry);
}

const char kTestPath[] = "c:\\images\\fax.tif";
const char kTestDescription[] = "test description";

}  // namespace

extern "C" {

JNIEXPORT jint JNICALL Java_com_corvaneinc_MoxelViewer_clearList(JNIEnv*, jobject) {
  CallScope scope;
  return Result(StartRoster() && RequestViewer(kClearList, nullptr));
}

JNIEXPORT jint JNICALL Java_com_corvaneinc_MoxelViewer_addName(JNIEnv* env, jobject, jstring path,
                                                                jstring description) {
  CallScope scope;
  if (!StartRoster()) return 1;
  roster::JavaText pathText = roster::ConvertJavaString(env, path);
  // With an exception pending only exception-safe calls may follow: the
  // description is not converted.
  roster::JavaText descriptionText;
  if (!pathText.raised) descriptionText = roster::ConvertJavaString(env, description);
  if (pathText.length > roster::kTextSize) return 1;  // longer than any entry
  return Result(AddEntry(pathText.bytes, descriptionText.bytes));
}

JNIEXPORT jint JNICALL Java_com_corvaneinc_MoxelViewer_showList(JNIEnv*, jobject) {
  CallScope scope;
  return Result(StartRoster() && RequestViewer(kShowList, nullptr));
}

JNIEXPORT int TestFunction(void) {
  CallScope scope;
  if (!StartRoster()) return 1;
  bool ok = RequestViewer(kClearList, nullptr);
  ok = ok && AddEntry(kTestPath, kTestDescription);
  ok = ok && RequestViewer(kShowList, nullptr);
  return Result(ok);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    Roster.module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

}  // extern "C"
