// A Java string as bytes in the platform's default charset, through the
// string's own getBytes(): at most the first 260 bytes are copied, which is
// all an entry text can hold; the length tells whether there was more.
#pragma once

#include <jni.h>

#include <cstddef>

#include "roster_paths.h"

namespace roster {

struct JavaText {
  char bytes[kTextSize + 1] = {};  // zero-terminated; empty when no text
  std::size_t length = 0;          // the whole length in bytes
  bool raised = false;             // a Java exception is pending after the conversion
};

// A null string is an empty text and calls nothing. When the conversion
// raises, the exception stays pending for the Java caller, only the local
// references are deleted, and the text is empty.
JavaText ConvertJavaString(JNIEnv* env, jstring text);

}  // namespace roster
