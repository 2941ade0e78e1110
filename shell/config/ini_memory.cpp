#include "shell/config/ini_memory.h"

#include <cstring>

namespace tavix {

namespace {

bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' ||
           c == '\x1a';
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool same_name(const std::string& a, const char* b) {
    std::size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (std::size_t i = 0; i < n; ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

// What a stored value reads back as: no surrounding white space, and one pair
// of enclosing double quotes removed.
std::string read_form(const std::string& stored) {
    std::size_t begin = 0;
    std::size_t end = stored.size();
    while (begin < end && is_space(stored[begin])) ++begin;
    while (end > begin && is_space(stored[end - 1])) --end;
    if (end - begin >= 2 && stored[begin] == '"' && stored[end - 1] == '"') {
        ++begin;
        --end;
    }
    return stored.substr(begin, end - begin);
}

std::size_t copy_out(const std::string& value, char* buf, std::size_t size) {
    if (buf == nullptr || size == 0) return 0;
    std::size_t n = value.size() < size - 1 ? value.size() : size - 1;
    std::memcpy(buf, value.data(), n);
    buf[n] = '\0';
    return n;
}

}  // namespace

MemoryIni::Section* MemoryIni::find_section(const char* name) {
    for (auto& s : sections_)
        if (same_name(s.name, name)) return &s;
    return nullptr;
}

const MemoryIni::Section* MemoryIni::find_section(const char* name) const {
    for (const auto& s : sections_)
        if (same_name(s.name, name)) return &s;
    return nullptr;
}

std::size_t MemoryIni::get_string(const char* section, const char* key, const char* def,
                                  char* buf, std::size_t size) {
    if (const Section* s = section ? find_section(section) : nullptr) {
        for (const auto& kv : s->keys)
            if (key && same_name(kv.first, key)) return copy_out(read_form(kv.second), buf, size);
    }
    // The system drops trailing blanks of the default.
    std::string d = def ? def : "";
    while (!d.empty() && d.back() == ' ') d.pop_back();
    return copy_out(d, buf, size);
}

int MemoryIni::get_int(const char* section, const char* key, int def) {
    char buf[30];
    if (get_string(section, key, "", buf, sizeof buf) == 0) return def;
    return parse_profile_int(buf);
}

bool MemoryIni::write_string(const char* section, const char* key, const char* value) {
    if (section == nullptr) return false;
    Section* s = find_section(section);
    if (key == nullptr) {
        if (s) sections_.erase(sections_.begin() + (s - sections_.data()));
        return true;
    }
    if (value == nullptr) {
        if (s) {
            for (auto it = s->keys.begin(); it != s->keys.end(); ++it) {
                if (same_name(it->first, key)) {
                    s->keys.erase(it);
                    break;
                }
            }
        }
        return true;
    }
    while (is_space(*value)) ++value;  // the system stores values without leading blanks
    // A line break ends the value's line in the file: only what comes before
    // it can ever be read back.
    std::string stored(value, std::strcspn(value, "\r\n"));
    if (s == nullptr) {
        sections_.push_back(Section{section, {}});
        s = &sections_.back();
    }
    for (auto& kv : s->keys) {
        if (same_name(kv.first, key)) {
            kv.second = stored;
            return true;
        }
    }
    s->keys.emplace_back(key, stored);
    return true;
}

std::vector<std::string> MemoryIni::key_names(const char* section) {
    std::vector<std::string> out;
    if (const Section* s = section ? find_section(section) : nullptr)
        for (const auto& kv : s->keys) out.push_back(kv.first);
    return out;
}

std::string MemoryIni::text() const {
    std::string out;
    for (const auto& s : sections_) {
        out += "[" + s.name + "]\n";
        for (const auto& kv : s.keys) out += kv.first + "=" + kv.second + "\n";
    }
    return out;
}

std::vector<std::string> MemoryIni::entries() const {
    std::vector<std::string> out;
    for (const auto& s : sections_)
        for (const auto& kv : s.keys) out.push_back(s.name + "/" + kv.first + "=" + kv.second);
    return out;
}

std::size_t MemoryIni::key_count(const char* section) const {
    const Section* s = find_section(section);
    return s ? s->keys.size() : 0;
}

}  // namespace tavix
