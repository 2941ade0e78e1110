// Java strings to bytes through getBytes(), on the fake JNI environment:
// the calls the library makes, the references it leaves, and what it does
// when Java raises.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_jni.h"
#include "java_text.h"

using Calls = std::vector<std::string>;

TEST(JavaText, BytesOfTheStringThroughGetBytes) {
  FakeJni jni;
  roster::JavaText t = roster::ConvertJavaString(jni.env(), jni.String("c:\\images\\fax.tif"));
  EXPECT_STREQ(t.bytes, "c:\\images\\fax.tif");
  EXPECT_EQ(t.length, 17u);
  EXPECT_FALSE(t.raised);
  EXPECT_EQ(jni.Calls(), (Calls{"FindClass", "GetMethodID", "CallObjectMethod", "ExceptionOccurred", "GetArrayLength",
                                "GetByteArrayRegion", "ExceptionOccurred", "DeleteLocalRef", "DeleteLocalRef"}));
  EXPECT_EQ(jni.LocalReferences(), 0);
}

TEST(JavaText, NullStringIsEmptyAndCallsNothing) {
  FakeJni jni;
  roster::JavaText t = roster::ConvertJavaString(jni.env(), nullptr);
  EXPECT_STREQ(t.bytes, "");
  EXPECT_FALSE(t.raised);
  EXPECT_TRUE(jni.Calls().empty());
}

TEST(JavaText, ExceptionLeavesTheTextEmptyAndStaysPending) {
  FakeJni jni;
  roster::JavaText t = roster::ConvertJavaString(jni.env(), jni.String("unencodable", true));
  EXPECT_STREQ(t.bytes, "");
  EXPECT_TRUE(t.raised);
  EXPECT_TRUE(jni.ExceptionPending());
  EXPECT_TRUE(jni.UnsafeCalls().empty()) << jni.UnsafeCalls().front();
  EXPECT_EQ(jni.LocalReferences(), 0);
}

TEST(JavaText, LongStringsCopyNoMoreThanAnEntryHolds) {
  FakeJni jni;
  const std::string text(5000, 'q');
  roster::JavaText t = roster::ConvertJavaString(jni.env(), jni.String(text));
  EXPECT_EQ(t.length, 5000u);
  EXPECT_EQ(std::string(t.bytes), text.substr(0, roster::kTextSize));
  // Empty strings are fine too.
  roster::JavaText e = roster::ConvertJavaString(jni.env(), jni.String(""));
  EXPECT_STREQ(e.bytes, "");
  EXPECT_EQ(e.length, 0u);
  EXPECT_FALSE(e.raised);
  EXPECT_EQ(jni.LocalReferences(), 0);
}
