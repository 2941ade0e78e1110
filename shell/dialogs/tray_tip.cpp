#include "shell/dialogs/tray_tip.h"

namespace tavix {

std::string TrayTipText(const char* title, const char* messageLine) {
  std::string tip(title ? title : "");
  if (tip.size() >= kTrayTipMax) return tip.substr(0, kTrayTipMax);
  std::string line(messageLine ? messageLine : "");
  // A blank only when at least one character of the line follows it.
  if (line.empty() || tip.size() + 2 > kTrayTipMax) return tip;
  tip += ' ';
  tip += line.substr(0, kTrayTipMax - tip.size());
  return tip;
}

}  // namespace tavix
