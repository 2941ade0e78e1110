/* The machine-dependent half of the Java native interface for Windows
   builds (both bitnesses): the standard calling convention on 32-bit
   Windows, 32-bit jint, 64-bit jlong. jni.h includes it. */
#ifndef TAVIX_ROSTER_JNI_MD_H
#define TAVIX_ROSTER_JNI_MD_H

#define JNIEXPORT __declspec(dllexport)
#define JNIIMPORT __declspec(dllimport)
#define JNICALL __stdcall

typedef int jint;
typedef long long jlong;
typedef signed char jbyte;

#endif
