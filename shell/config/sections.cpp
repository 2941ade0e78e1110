#include "shell/config/sections.h"

namespace tavix {

const char kConfigSection[] = "Config";
const char kFontSection[] = "Font";
const char kSoundSection[] = "Sound";
const char kColorSection[] = "Color";
const char kEditSection[] = "Edit";
const char kViewerSection[] = "ImaveView";
const char kMessageSection[] = "Message";
const char kHelpersSection[] = "Helpers-32";

}  // namespace tavix
