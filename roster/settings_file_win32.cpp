// The viewer's settings in the settings file (%USERPROFILE%\Corvane\corvane.ini).
#include <cstdlib>

#include "roster_record.h"
#include "viewer_settings.h"

namespace {

class SettingsFile final : public roster::ProfileStore {
 public:
  int ReadInt(const char* section, const char* key, int fallback) override {
    // A byte no number starts with tells an absent key from any stored text.
    static const char kNone[] = "\x01";
    char text[64];
    GetPrivateProfileStringA(section, key, kNone, text, sizeof text, Roster.settingsFile);
    if (text[0] == kNone[0] && text[1] == 0) return fallback;
    return static_cast<int>(std::strtol(text, nullptr, 10));
  }

  bool WriteText(const char* section, const char* key, const char* text) override {
    // The folder may not exist yet (the terminal never ran for this user).
    char folder[roster::kTextSize];
    if (roster::FolderOf(Roster.settingsFile, folder)) CreateDirectoryA(folder, nullptr);
    return WritePrivateProfileStringA(section, key, text, Roster.settingsFile) != 0;
  }
};

SettingsFile File;
roster::RosterHelperToMoxel Callbacks(&File);

}  // namespace

HelperToMoxel* RosterCallbacks() { return &Callbacks; }
