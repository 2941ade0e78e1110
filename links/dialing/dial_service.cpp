#include "dial_service.h"

#include "dial_file.h"

const char* DialDirectoryService::DialFileVersion() {
  if (lock_.LockedElsewhere()) return "=NA";
  _dial_file_gdl gdl(gdlSections_);
  reply_ = gdl.version();
  return reply_.c_str();
}

const char* DialDirectoryService::OsVersion() {
  reply_ = osVersion_() + "\r";
  return reply_.c_str();
}
