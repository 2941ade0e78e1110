#include "edit_message.h"

#include <cstring>

namespace hostsim {

namespace {

bool Framed(char letter) { return std::strchr("rdicfvEV", letter) != nullptr && letter != 0; }

// Lengths beyond this are no message the editor makes.
constexpr size_t kLongestPayload = 100000;

}  // namespace

DumpStatus decodeEditMessage(const std::string& wire, std::string& message, size_t& consumed,
                             std::string& error) {
    if (wire.empty()) return DumpStatus::Incomplete;
    const char letter = wire[0];
    if (letter == 's') {
        if (wire.size() < 3) return DumpStatus::Incomplete;
        if (wire[2] != '\r') {
            error = "session reply without its CR";
            return DumpStatus::Malformed;
        }
        message = wire.substr(0, 2);
        consumed = 3;
        return DumpStatus::Complete;
    }
    if (letter == 'e' || letter == 'C') {
        size_t cr = wire.find('\r');
        if (cr == std::string::npos) return wire.size() > 8 ? (error = "end message without CR", DumpStatus::Malformed)
                                                             : DumpStatus::Incomplete;
        message = wire.substr(0, cr);
        consumed = cr + 1;
        return DumpStatus::Complete;
    }
    if (!Framed(letter)) {
        error = "no edit message starts with byte " + std::to_string(static_cast<unsigned char>(letter));
        return DumpStatus::Malformed;
    }
    size_t length = 0;
    size_t pos = 1;
    for (; pos < wire.size() && wire[pos] >= '0' && wire[pos] <= '9'; ++pos) {
        length = length * 10 + static_cast<size_t>(wire[pos] - '0');
        if (length > kLongestPayload) {
            error = "message length past " + std::to_string(kLongestPayload);
            return DumpStatus::Malformed;
        }
    }
    if (pos == wire.size()) return DumpStatus::Incomplete;
    if (pos == 1 || wire[pos] != ',') {
        error = "message length not followed by a comma";
        return DumpStatus::Malformed;
    }
    const size_t end = pos + 1 + length;
    if (wire.size() < end + 1) return DumpStatus::Incomplete;
    if (wire[end] != '\r') {
        error = "message of length " + std::to_string(length) + " not ended by CR";
        return DumpStatus::Malformed;
    }
    message = wire.substr(0, end);
    consumed = end + 1;
    return DumpStatus::Complete;
}

std::string textBlockBytes(const std::string& head, const std::string& lines, bool counted) {
    std::string out = "\x1bT" + head + "\n";
    size_t bytes = 0;
    size_t start = 0;
    while (start < lines.size()) {
        size_t end = lines.find('\n', start);
        if (end == std::string::npos) end = lines.size();
        std::string line = lines.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out += line;
        bytes += line.size();
        start = end + 1;
        if (start <= lines.size()) out += "\r\n";
    }
    out += '\x03';
    out += counted ? "0,0,1," + std::to_string(bytes) + "\n" : "0\n";
    return out;
}

}  // namespace hostsim
