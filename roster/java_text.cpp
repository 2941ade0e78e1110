#include "java_text.h"

namespace roster {

namespace {

// After a failed step: whether an exception is pending, with its local
// reference (the only JNI calls made here are exception-safe ones).
bool TakeException(JNIEnv* env) {
  jthrowable pending = env->ExceptionOccurred();
  if (!pending) return false;
  env->DeleteLocalRef(pending);
  return true;
}

}  // namespace

JavaText ConvertJavaString(JNIEnv* env, jstring text) {
  JavaText out;
  if (!env || !text) return out;
  jclass stringClass = env->FindClass("java/lang/String");
  if (!stringClass) {
    out.raised = TakeException(env);
    return out;
  }
  jmethodID getBytes = env->GetMethodID(stringClass, "getBytes", "()[B");
  if (!getBytes) {
    out.raised = TakeException(env);
    env->DeleteLocalRef(stringClass);
    return out;
  }
  jbyteArray array = static_cast<jbyteArray>(env->CallObjectMethod(text, getBytes));
  if (TakeException(env)) {
    out.raised = true;
    if (array) env->DeleteLocalRef(array);
    env->DeleteLocalRef(stringClass);
    return out;
  }
  if (array) {
    const jsize n = env->GetArrayLength(array);
    const jsize copied = n < static_cast<jsize>(kTextSize) ? n : static_cast<jsize>(kTextSize);
    if (copied > 0) env->GetByteArrayRegion(array, 0, copied, reinterpret_cast<jbyte*>(out.bytes));
    if (TakeException(env)) {
      out.raised = true;
      out.bytes[0] = 0;
    } else {
      out.length = n > 0 ? static_cast<std::size_t>(n) : 0;
      out.bytes[copied > 0 ? copied : 0] = 0;
    }
    env->DeleteLocalRef(array);
  }
  env->DeleteLocalRef(stringClass);
  return out;
}

}  // namespace roster
