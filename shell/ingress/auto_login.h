// Auto-login: watches the host's bytes for the login prompts and answers them
// with the user id, password and account of the command line.
#pragma once

#include <cstdint>
#include <string>

// The texts of the command line. A switch given without a value counts as
// present with an empty text.
struct AutoLoginSettings {
  std::string userId;     // -U; auto-login runs only with a user id
  bool hasPassword = false;
  std::string password;   // -P
  bool hasAccount = false;
  std::string account;    // -A
  bool hasScript = false;
  std::string script;     // -E keystroke script
};

// A prompt being matched: its text and how many characters matched so far.
struct PromptMatcher {
  const char* text;
  int matched;
};

struct AutoLoginRecord {
  int step;              // 0 = off, 1..7
  PromptMatcher promptA;
  PromptMatcher promptB;
  bool nameForm;         // the "name: " prompt was the one seen
  AutoLoginSettings settings;
  // Where the answers go: the current channel's write unless replaced.
  void (*write)(const uint8_t* bytes, int count);
  // Where the keystroke script goes: the keyboard's type-ahead queue (the
  // keyboard treated as busy, the local-mode flag clear). Null drops it.
  void (*typeAhead)(int32_t code);
};

// Owned by auto_login.cpp.
extern AutoLoginRecord AutoLogin;

// Step 0, no texts, ports back to their defaults (tests).
void ResetAutoLogin();
// Instance initialisation: step 1 when there is a user id. Returns whether
// auto-login runs.
bool StartAutoLogin(const AutoLoginSettings& settings);
// Every screen initialisation ends it.
inline void StopAutoLogin() { AutoLogin.step = 0; }

// Look at one received byte; may answer a prompt through the channel.
void AutoLoginStep(uint8_t byte);
inline void AutoLoginByte(uint8_t byte) {
  if (AutoLogin.step != 0) AutoLoginStep(byte);
}
