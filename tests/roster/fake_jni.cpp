#include "fake_jni.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// A function the fake does not provide: stop with its slot number (the
// return value would be garbage, so the test cannot go on).
[[noreturn]] void Trapped(int slot) {
  std::fprintf(stderr, "fake JNI: the library called function slot %d, which it must not use\n", slot);
  std::fflush(stderr);
  std::_Exit(3);
}

template <int Slot>
void JNICALL Trap() {
  Trapped(Slot);
}

constexpr std::size_t kSlots = sizeof(JNINativeInterface_) / sizeof(void*);

template <std::size_t... I>
void FillTraps(void** slots, std::index_sequence<I...>) {
  ((slots[I] = reinterpret_cast<void*>(&Trap<static_cast<int>(I)>)), ...);
}

}  // namespace

FakeJni::FakeJni() {
  static_assert(sizeof(JNINativeInterface_) % sizeof(void*) == 0, "a table of pointers");
  void* slots[kSlots];
  FillTraps(slots, std::make_index_sequence<kSlots>());
  std::memcpy(&table_, slots, sizeof table_);
  table_.FindClass = &FakeJni::FindClass;
  table_.GetMethodID = &FakeJni::GetMethodID;
  table_.CallObjectMethod = &FakeJni::CallObjectMethod;
  table_.CallObjectMethodV = &FakeJni::CallObjectMethodV;
  table_.ExceptionOccurred = &FakeJni::ExceptionOccurred;
  table_.ExceptionCheck = &FakeJni::ExceptionCheck;
  table_.DeleteLocalRef = &FakeJni::DeleteLocalRef;
  table_.GetArrayLength = &FakeJni::GetArrayLength;
  table_.GetByteArrayRegion = &FakeJni::GetByteArrayRegion;
  env_.env.functions = &table_;
  env_.owner = this;
}

FakeJni::~FakeJni() {
  for (Text* t : texts_) delete t;
  for (std::string* a : arrays_) delete a;
}

jstring FakeJni::String(const std::string& bytes, bool raises) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  texts_.push_back(new Text{bytes, raises});
  return reinterpret_cast<jstring>(texts_.back());
}

std::vector<std::string> FakeJni::Calls() {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  return calls_;
}

int FakeJni::LocalReferences() {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  return static_cast<int>(liveRefs_.size());
}

bool FakeJni::ExceptionPending() {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  return pending_;
}

std::vector<std::string> FakeJni::UnsafeCalls() {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  return unsafe_;
}

void FakeJni::ClearCalls() {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  calls_.clear();
  unsafe_.clear();
}

void FakeJni::Note(const char* name, bool safe) {
  calls_.push_back(name);
  if (pending_ && !safe) unsafe_.push_back(name);
}

jobject FakeJni::NewRef(jobject object) {
  liveRefs_.insert(object);
  return object;
}

jclass JNICALL FakeJni::FindClass(JNIEnv* env, const char* name) {
  FakeJni& f = Of(env);
  std::lock_guard<std::recursive_mutex> lock(f.mutex_);
  f.Note("FindClass", false);
  if (!name || std::strcmp(name, "java/lang/String") != 0) {
    f.pending_ = true;  // NoClassDefFoundError
    return nullptr;
  }
  return static_cast<jclass>(f.NewRef(reinterpret_cast<jobject>(&f.classTag_)));
}

jmethodID JNICALL FakeJni::GetMethodID(JNIEnv* env, jclass cls, const char* name, const char* signature) {
  FakeJni& f = Of(env);
  std::lock_guard<std::recursive_mutex> lock(f.mutex_);
  f.Note("GetMethodID", false);
  if (cls != reinterpret_cast<jclass>(&f.classTag_) || !name || !signature || std::strcmp(name, "getBytes") != 0 ||
      std::strcmp(signature, "()[B") != 0) {
    f.pending_ = true;  // NoSuchMethodError
    return nullptr;
  }
  return reinterpret_cast<jmethodID>(&f.methodTag_);
}

jobject JNICALL FakeJni::CallObjectMethod(JNIEnv* env, jobject object, jmethodID method, ...) {
  FakeJni& f = Of(env);
  std::lock_guard<std::recursive_mutex> lock(f.mutex_);
  f.Note("CallObjectMethod", false);
  return f.Call(object, method);
}

// The C++ face of the interface calls this one with the argument list.
jobject JNICALL FakeJni::CallObjectMethodV(JNIEnv* env, jobject object, jmethodID method, va_list) {
  FakeJni& f = Of(env);
  std::lock_guard<std::recursive_mutex> lock(f.mutex_);
  f.Note("CallObjectMethod", false);
  return f.Call(object, method);
}

jobject FakeJni::Call(jobject object, jmethodID method) {
  FakeJni& f = *this;
  Text* text = nullptr;
  for (Text* t : f.texts_)
    if (reinterpret_cast<jobject>(t) == object) text = t;
  if (!text || method != reinterpret_cast<jmethodID>(&f.methodTag_)) {
    f.pending_ = true;
    return nullptr;
  }
  if (text->raises) {
    f.pending_ = true;  // the charset cannot encode it, say
    return nullptr;
  }
  f.arrays_.push_back(new std::string(text->bytes));
  return f.NewRef(reinterpret_cast<jobject>(f.arrays_.back()));
}

jthrowable JNICALL FakeJni::ExceptionOccurred(JNIEnv* env) {
  FakeJni& f = Of(env);
  std::lock_guard<std::recursive_mutex> lock(f.mutex_);
  f.Note("ExceptionOccurred", true);
  if (!f.pending_) return nullptr;
  return static_cast<jthrowable>(f.NewRef(reinterpret_cast<jobject>(&f.exceptionTag_)));
}

jboolean JNICALL FakeJni::ExceptionCheck(JNIEnv* env) {
  FakeJni& f = Of(env);
  std::lock_guard<std::recursive_mutex> lock(f.mutex_);
  f.Note("ExceptionCheck", true);
  return f.pending_ ? JNI_TRUE : JNI_FALSE;
}

void JNICALL FakeJni::DeleteLocalRef(JNIEnv* env, jobject object) {
  FakeJni& f = Of(env);
  std::lock_guard<std::recursive_mutex> lock(f.mutex_);
  f.Note("DeleteLocalRef", true);
  auto it = f.liveRefs_.find(object);
  if (it == f.liveRefs_.end()) {
    f.unsafe_.push_back("DeleteLocalRef of an unknown reference");
    return;
  }
  f.liveRefs_.erase(it);
}

jsize JNICALL FakeJni::GetArrayLength(JNIEnv* env, jarray array) {
  FakeJni& f = Of(env);
  std::lock_guard<std::recursive_mutex> lock(f.mutex_);
  f.Note("GetArrayLength", false);
  for (std::string* a : f.arrays_)
    if (reinterpret_cast<jarray>(a) == array) return static_cast<jsize>(a->size());
  f.pending_ = true;
  return 0;
}

void JNICALL FakeJni::GetByteArrayRegion(JNIEnv* env, jbyteArray array, jsize start, jsize length, jbyte* out) {
  FakeJni& f = Of(env);
  std::lock_guard<std::recursive_mutex> lock(f.mutex_);
  f.Note("GetByteArrayRegion", false);
  for (std::string* a : f.arrays_) {
    if (reinterpret_cast<jbyteArray>(a) != array) continue;
    if (start < 0 || length < 0 || static_cast<std::size_t>(start) + static_cast<std::size_t>(length) > a->size()) {
      f.pending_ = true;  // ArrayIndexOutOfBoundsException
      return;
    }
    std::memcpy(out, a->data() + start, static_cast<std::size_t>(length));
    return;
  }
  f.pending_ = true;
}
