// Where the checks find the generated fonts and the decompressed source strikes.
#pragma once

#include <string>

namespace fontgen_test {

inline std::string font_path(const std::string& file) { return std::string(FONTGEN_FONT_DIR) + "/" + file; }
inline std::string strike_dir() { return FONTGEN_STRIKE_DIR; }

}  // namespace fontgen_test
