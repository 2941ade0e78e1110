// The host's dial-list services as the parser hands them over: the version of
// the global directory (ESC D V), its changes (ESC G A, U, D, F), the
// operating-system version (ESC G V) and the dial service's reply (ESC G W).
#pragma once

#include <string>

#include "gdl_pass.h"
#include "service_seams.h"

namespace tavix {
class IniFile;
}

class DialDirectoryService final : public DialSeam {
 public:
  // gdlSections reads corvane.gdl's [Version]; osVersion gives
  // "major.minor.build".
  DialDirectoryService(GdlPass& pass, DialLock& lock, tavix::IniFile& gdlSections, std::string (*osVersion)())
      : pass_(pass), lock_(lock), gdlSections_(gdlSections), osVersion_(osVersion) {}

  char DialListService(char which, const char* text) override { return pass_.Change(which, text); }
  void DialFileService() override { pass_.Finish(); }
  // [Version] "Version" of corvane.gdl, or "=NA" while another terminal
  // holds the directory.
  const char* DialFileVersion() override;
  // "major.minor.build" and CR.
  const char* OsVersion() override;
  // "0" and CR.
  const char* DialServiceReply() override { return "0\r"; }

 private:
  GdlPass& pass_;
  DialLock& lock_;
  tavix::IniFile& gdlSections_;
  std::string (*osVersion_)();
  std::string reply_;
};
