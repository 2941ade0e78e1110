// The native methods of the Java class com.corvaneinc.MoxelViewer, and the
// plain test entry point. Each returns 0 on success and 1 when the viewer
// could not be started (or, for addName, when the path is too long for an
// entry).
#pragma once

#include <jni.h>

extern "C" {
JNIEXPORT jint JNICALL Java_com_corvaneinc_MoxelViewer_clearList(JNIEnv*, jobject);
JNIEXPORT jint JNICALL Java_com_corvaneinc_MoxelViewer_addName(JNIEnv*, jobject, jstring, jstring);
JNIEXPORT jint JNICALL Java_com_corvaneinc_MoxelViewer_showList(JNIEnv*, jobject);
JNIEXPORT int TestFunction(void);
}
