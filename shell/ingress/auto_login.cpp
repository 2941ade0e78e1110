#include "auto_login.h"

#include <cstring>
#include <vector>

#include "comm.h"
#include "keystroke_script.h"

namespace {

void ChannelWrite(const uint8_t* bytes, int count) { Channels.current->write(bytes, count); }

void SetPrompt(PromptMatcher& prompt, const char* text) {
  prompt.text = text;
  prompt.matched = 0;
}

// A plain character match: a mismatching byte resets the count and is
// compared with the first character again. True when the prompt is complete.
bool Advance(PromptMatcher& prompt, uint8_t byte) {
  if (static_cast<uint8_t>(prompt.text[prompt.matched]) == byte) {
    ++prompt.matched;
  } else {
    prompt.matched = static_cast<uint8_t>(prompt.text[0]) == byte ? 1 : 0;
  }
  return prompt.text[prompt.matched] == '\0';
}

// The text followed by a carriage return, in one write.
void SendLine(const std::string& text) {
  std::vector<uint8_t> line(text.begin(), text.end());
  line.push_back('\r');
  AutoLogin.write(line.data(), static_cast<int>(line.size()));
}

// Step 3: the user id, then wait for the password prompt.
void SendUserId() {
  AutoLoginRecord& a = AutoLogin;
  SendLine(a.settings.userId);
  a.step = 4;
  SetPrompt(a.promptA, "sword: ");
  if (a.settings.hasScript && a.typeAhead) {
    for (int32_t code : ParseKeystrokeScript(a.settings.script)) a.typeAhead(code);
  }
}

// Step 5: the password; the account prompt follows only after "name: ".
void SendPassword() {
  AutoLoginRecord& a = AutoLogin;
  if (a.settings.hasPassword && !a.settings.password.empty()) SendLine(a.settings.password);
  if (a.settings.hasAccount && a.nameForm) {
    a.step = 6;
    SetPrompt(a.promptA, "path:");
  } else {
    a.step = 0;
  }
}

// Step 7: the account, or only a carriage return when it is empty.
void SendAccount() {
  AutoLoginRecord& a = AutoLogin;
  if (a.settings.hasAccount) SendLine(a.settings.account);
  a.step = 0;
}

}  // namespace

AutoLoginRecord AutoLogin = {0, {"", 0}, {"", 0}, false, {}, ChannelWrite, nullptr};

void ResetAutoLogin() {
  AutoLogin.step = 0;
  SetPrompt(AutoLogin.promptA, "");
  SetPrompt(AutoLogin.promptB, "");
  AutoLogin.nameForm = false;
  AutoLogin.settings = AutoLoginSettings{};
  AutoLogin.write = ChannelWrite;
  AutoLogin.typeAhead = nullptr;
}

bool StartAutoLogin(const AutoLoginSettings& settings) {
  AutoLogin.settings = settings;
  AutoLogin.step = settings.userId.empty() ? 0 : 1;
  return AutoLogin.step != 0;
}

void AutoLoginStep(uint8_t byte) {
  AutoLoginRecord& a = AutoLogin;
  switch (a.step) {
    case 1:
      SetPrompt(a.promptA, "ogin: ");
      SetPrompt(a.promptB, "name: ");
      a.nameForm = false;
      a.step = 2;
      [[fallthrough]];
    case 2:
      if (Advance(a.promptB, byte)) {
        a.nameForm = true;
        SendUserId();
      } else if (Advance(a.promptA, byte)) {
        SendUserId();
      }
      return;
    case 4:
      if (Advance(a.promptA, byte)) SendPassword();
      return;
    case 6:
      if (Advance(a.promptA, byte)) SendAccount();
      return;
    default:
      // Steps 3, 5 and 7 never wait for a byte; anything else ends auto-login.
      a.step = 0;
      return;
  }
}
