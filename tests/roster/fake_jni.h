// A Java native interface environment without a Java machine, for the
// roster tests: strings are the test's own byte texts, getBytes() gives
// them back (or raises, for strings marked so), and every function the
// roster library has no business calling traps: the program stops with the
// slot's number, and the test fails.
//
// The environment also checks the rule that with an exception pending only
// the exception-safe functions may be called, and counts local references.
#pragma once

#include <jni.h>

#include <cstdarg>

#include <mutex>
#include <set>
#include <string>
#include <vector>

class FakeJni {
 public:
  FakeJni();
  FakeJni(const FakeJni&) = delete;
  FakeJni& operator=(const FakeJni&) = delete;
  ~FakeJni();

  JNIEnv* env() { return &env_.env; }

  // A Java string whose getBytes() returns these bytes; with `raises`, it
  // raises an exception instead.
  jstring String(const std::string& bytes, bool raises = false);

  // A Java object that is not a string (the natives' `this`).
  jobject Object() { return reinterpret_cast<jobject>(&objectTag_); }

  // Names of the JNI functions called, in order.
  std::vector<std::string> Calls();
  int LocalReferences();        // created and not yet deleted
  bool ExceptionPending();      // still pending for the Java caller
  // Unsafe calls made while an exception was pending.
  std::vector<std::string> UnsafeCalls();
  void ClearCalls();

 private:
  struct Env {
    JNIEnv env;  // first: the library's JNIEnv* is this object's address
    FakeJni* owner;
  };
  struct Text {
    std::string bytes;
    bool raises;
  };

  static FakeJni& Of(JNIEnv* env) { return *reinterpret_cast<Env*>(env)->owner; }
  void Note(const char* name, bool safe);
  jobject NewRef(jobject object);

  static jclass JNICALL FindClass(JNIEnv* env, const char* name);
  static jmethodID JNICALL GetMethodID(JNIEnv* env, jclass cls, const char* name, const char* signature);
  static jobject JNICALL CallObjectMethod(JNIEnv* env, jobject object, jmethodID method, ...);
  static jobject JNICALL CallObjectMethodV(JNIEnv* env, jobject object, jmethodID method, va_list);
  jobject Call(jobject object, jmethodID method);
  static jthrowable JNICALL ExceptionOccurred(JNIEnv* env);
  static jboolean JNICALL ExceptionCheck(JNIEnv* env);
  static void JNICALL DeleteLocalRef(JNIEnv* env, jobject object);
  static jsize JNICALL GetArrayLength(JNIEnv* env, jarray array);
  static void JNICALL GetByteArrayRegion(JNIEnv* env, jbyteArray array, jsize start, jsize length, jbyte* out);

  JNINativeInterface_ table_;
  Env env_;
  std::recursive_mutex mutex_;
  std::vector<Text*> texts_;
  std::vector<std::string*> arrays_;
  std::multiset<const void*> liveRefs_;
  std::vector<std::string> calls_;
  std::vector<std::string> unsafe_;
  bool pending_ = false;
  char objectTag_ = 0;
  char classTag_ = 0;
  char methodTag_ = 0;
  char exceptionTag_ = 0;
};
