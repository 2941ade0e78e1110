#include "transfer.h"

namespace hostsim {

uint16_t blockChecksum(const std::string& data) {
    uint32_t sum = 0;
    for (size_t i = 0; i < data.size(); ++i) sum += static_cast<unsigned char>(data[i]) * static_cast<uint32_t>(i + 1);
    return static_cast<uint16_t>(sum);
}

std::string encodeDownloadBlock(const std::string& data, uint8_t sequence, bool damaged) {
    uint16_t sum = blockChecksum(data);
    if (damaged) sum = static_cast<uint16_t>(sum ^ 0x5A5A);
    std::string raw = data;
    raw += static_cast<char>(sum & 0xFF);
    raw += static_cast<char>(sum >> 8);
    raw += static_cast<char>(sequence);
    std::string out;
    out.reserve(raw.size() * 2 + 1);
    for (char ch : raw) {
        unsigned char b = static_cast<unsigned char>(ch);
        if (b < 32) {
            out += '\xF0';
            out += static_cast<char>(b + 32);
        } else if (b == 240) {
            out += "\xF0\xF0";
        } else if (b == 255) {
            out += "\xF0" "C";
        } else {
            out += ch;
        }
    }
    out += '\r';
    return out;
}

bool decodeUploadBlock(const std::string& line, std::string& data, uint8_t& sequence, std::string& error) {
    std::string raw;
    for (size_t i = 0; i < line.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(line[i]);
        if (b != 240) {
            raw += line[i];
            continue;
        }
        if (++i == line.size()) {
            error = "the block ends in an escape";
            return false;
        }
        unsigned char e = static_cast<unsigned char>(line[i]);
        raw += static_cast<char>(e == 'A' ? 127 : e == 'B' ? 240 : e == 'C' ? 255 : e - 32);
    }
    if (raw.size() < 4) {
        error = "a block of " + std::to_string(raw.size()) + " bytes";
        return false;
    }
    data = raw.substr(0, raw.size() - 3);
    uint16_t sum = blockChecksum(data);
    uint16_t got = static_cast<uint16_t>(static_cast<unsigned char>(raw[raw.size() - 3]) |
                                         static_cast<unsigned char>(raw[raw.size() - 2]) << 8);
    sequence = static_cast<uint8_t>(raw.back());
    if (got != sum) {
        error = "checksum " + std::to_string(got) + ", wanted " + std::to_string(sum);
        return false;
    }
    return true;
}

Form255 form255(const std::string& line) {
    bool raw = false, escaped = false;
    for (size_t i = 0; i < line.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(line[i]);
        if (b == 240 && i + 1 < line.size()) {
            if (line[++i] == 'C') escaped = true;
        } else if (b == 255) {
            raw = true;
        }
    }
    return raw && escaped ? Form255::Both : raw ? Form255::Raw : escaped ? Form255::Escaped : Form255::None;
}

std::string encodeTextStream(const std::string& content) {
    std::string out;
    out.reserve(content.size() + 1);
    for (char c : content) out += c == '\r' ? '\x7F' : c == '\n' ? '\xFF' : c;
    out += '\r';
    return out;
}

std::string encodeHexStream(const std::string& content) {
    static const char kUpper[] = "0123456789ABCDEF";
    static const char kLower[] = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < content.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(content[i]);
        const char* digits = i % 2 ? kLower : kUpper;
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    out += '\r';
    return out;
}

bool decodeHexLine(const std::string& line, std::string& out) {
    auto digit = [](char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    if (line.size() % 2) return false;
    for (size_t i = 0; i < line.size(); i += 2) {
        int hi = digit(line[i]), lo = digit(line[i + 1]);
        if (hi < 0 || lo < 0) return false;
        out += static_cast<char>(hi * 16 + lo);
    }
    return true;
}

}  // namespace hostsim
