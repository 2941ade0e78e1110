#include "log.h"

namespace hostsim {

bool Log::open(const std::string& path) {
    close();
    file_ = path == "-" ? stderr : fopen(path.c_str(), "a");
    return file_ != nullptr;
}

void Log::close() {
    if (file_ && file_ != stderr) fclose(file_);
    file_ = nullptr;
}

void Log::write(const std::string& line) {
    if (!file_) return;
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    fprintf(file_, "%9.3f %s\n", seconds, line.c_str());
    fflush(file_);
}

}  // namespace hostsim
