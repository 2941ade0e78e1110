// Little helpers to assemble and read binary font files of either byte order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fontgen {

class ByteWriter {
public:
    std::vector<uint8_t> bytes;

    size_t size() const { return bytes.size(); }
    void u8(uint32_t v) { bytes.push_back(static_cast<uint8_t>(v)); }
    void le16(uint32_t v) { u8(v); u8(v >> 8); }
    void le32(uint32_t v) { le16(v); le16(v >> 16); }
    void be16(uint32_t v) { u8(v >> 8); u8(v); }
    void be32(uint32_t v) { be16(v >> 16); be16(v); }
    void zeros(size_t n) { bytes.insert(bytes.end(), n, 0); }
    void text(const std::string& s) { bytes.insert(bytes.end(), s.begin(), s.end()); }
    void align(size_t a) { while (bytes.size() % a) u8(0); }
    void append(const std::vector<uint8_t>& v) { bytes.insert(bytes.end(), v.begin(), v.end()); }
    void put_le16(size_t at, uint32_t v) {
        bytes[at] = static_cast<uint8_t>(v);
        bytes[at + 1] = static_cast<uint8_t>(v >> 8);
    }
    void put_le32(size_t at, uint32_t v) {
        put_le16(at, v);
        put_le16(at + 2, v >> 16);
    }
    void put_be16(size_t at, uint32_t v) {
        bytes[at] = static_cast<uint8_t>(v >> 8);
        bytes[at + 1] = static_cast<uint8_t>(v);
    }
    void put_be32(size_t at, uint32_t v) {
        put_be16(at, v >> 16);
        put_be16(at + 2, v);
    }
};

// Bounds-checked reads at absolute offsets: out-of-range reads return 0 and clear ok.
class ByteReader {
public:
    explicit ByteReader(const std::vector<uint8_t>& d) : d_(d) {}
    bool ok() const { return ok_; }
    size_t size() const { return d_.size(); }
    uint32_t u8(size_t at) { return in(at, 1) ? d_[at] : 0; }
    uint32_t le16(size_t at) { return in(at, 2) ? (d_[at] | d_[at + 1] << 8) : 0; }
    uint32_t le32(size_t at) { return in(at, 4) ? (le16(at) | le16(at + 2) << 16) : 0; }
    uint32_t be16(size_t at) { return in(at, 2) ? (d_[at] << 8 | d_[at + 1]) : 0; }
    uint32_t be32(size_t at) { return in(at, 4) ? (be16(at) << 16 | be16(at + 2)) : 0; }
    int16_t sbe16(size_t at) { return static_cast<int16_t>(static_cast<uint16_t>(be16(at))); }
    // NUL-terminated string starting at `at`, at most `max` bytes.
    std::string cstr(size_t at, size_t max = 256) {
        std::string s;
        while (s.size() < max) {
            if (!in(at + s.size(), 1)) return s;
            char c = static_cast<char>(d_[at + s.size()]);
            if (!c) break;
            s.push_back(c);
        }
        return s;
    }
    bool in(size_t at, size_t n) {
        if (at > d_.size() || d_.size() - at < n) ok_ = false;
        return ok_;
    }

private:
    const std::vector<uint8_t>& d_;
    bool ok_ = true;
};

}  // namespace fontgen
