#include "shell/config/user_directory.h"

#include <filesystem>
#include <system_error>

namespace tavix {

namespace fs = std::filesystem;

const char kIniPath[] = "./corvane.ini";
const char kLocalDialPath[] = "./corvane.ldl";
const char kGlobalDialPath[] = "./corvane.gdl";

const char* const kUserFiles[3] = {"corvane.ini", "corvane.ldl", "corvane.gdl"};

std::string user_directory_for(const char* user_profile) {
    if (user_profile == nullptr || *user_profile == '\0') return std::string();
    std::string dir = user_profile;
    if (dir.back() != '\\' && dir.back() != '/') dir += '\\';
    return dir + "Corvane";
}

bool prepare_user_directory(const std::string& user_dir, const std::string& start_dir) {
    if (user_dir.empty()) return false;
    std::error_code ec;
    fs::path dir(user_dir);
    fs::create_directories(dir, ec);
    if (ec || !fs::is_directory(dir, ec)) return false;
    for (const char* name : kUserFiles) {
        fs::path target = dir / name;
        if (fs::exists(target, ec)) continue;
        fs::path source = fs::path(start_dir) / name;
        if (!fs::exists(source, ec)) continue;
        if (!fs::copy_file(source, target, ec) || ec) return false;
    }
    return true;
}

}  // namespace tavix
