// Section names of corvane.ini.
#pragma once

namespace tavix {

extern const char kConfigSection[];  // "Config"
extern const char kFontSection[];    // "Font"
extern const char kSoundSection[];   // "Sound"
extern const char kColorSection[];   // "Color"
// Sections whose keys other subsystems own and keep through the same accessors.
extern const char kEditSection[];     // "Edit": editor preferences
extern const char kViewerSection[];   // "ImaveView": attachment viewer preferences (spelled so)
extern const char kMessageSection[];  // "Message": PC messaging
extern const char kHelpersSection[];  // "Helpers-32": helper applications

}  // namespace tavix
