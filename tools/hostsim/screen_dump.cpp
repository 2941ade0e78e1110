#include "screen_dump.h"

#include "text.h"

namespace hostsim {

std::string screenDumpRequest() { return "\x1bSI \n"; }

DumpStatus decodeScreenDump(const std::string& wire, std::vector<std::string>& rows,
                            size_t& consumed, std::string& error) {
    rows.clear();
    std::string row;
    size_t i = 0;
    while (i < wire.size()) {
        unsigned char c = static_cast<unsigned char>(wire[i]);
        if (c == '\r') {
            ++i;
            if (static_cast<int>(rows.size()) == kScreenRows) {
                if (!row.empty()) break;  // reported below as a row too many
                consumed = i;
                return DumpStatus::Complete;
            }
            if (row.size() != static_cast<size_t>(kScreenColumns)) {
                error = "screen dump row " + std::to_string(rows.size()) + " has " +
                        std::to_string(row.size()) + " glyphs, not 80";
                return DumpStatus::Malformed;
            }
            rows.push_back(row);
            row.clear();
        } else if (c == '^') {
            if (i + 4 > wire.size()) return DumpStatus::Incomplete;
            int value = 0;
            for (size_t k = 1; k <= 3; ++k) {
                char d = wire[i + k];
                if (d < '0' || d > '9') {
                    error = "screen dump row " + std::to_string(rows.size()) +
                            ": \"^\" not followed by three digits";
                    return DumpStatus::Malformed;
                }
                value = value * 10 + (d - '0');
            }
            if (value > 255) {
                error = "screen dump row " + std::to_string(rows.size()) + ": escape ^" +
                        wire.substr(i + 1, 3) + " is not a byte";
                return DumpStatus::Malformed;
            }
            row += static_cast<char>(value);
            i += 4;
        } else if (c < 32) {
            error = "screen dump row " + std::to_string(rows.size()) + ": raw control byte " +
                    printable(std::string(1, static_cast<char>(c)));
            return DumpStatus::Malformed;
        } else {
            row += static_cast<char>(c);
            ++i;
        }
        if (row.size() > static_cast<size_t>(kScreenColumns)) {
            error = "screen dump row " + std::to_string(rows.size()) + " is longer than 80 glyphs";
            return DumpStatus::Malformed;
        }
    }
    if (static_cast<int>(rows.size()) == kScreenRows && !row.empty()) {
        error = "screen dump has more than 25 rows";
        return DumpStatus::Malformed;
    }
    return DumpStatus::Incomplete;
}

std::string traceDumpRequest() { return "\x1bSI!\n"; }

DumpStatus decodeTraceDump(const std::string& wire, std::string& bytes, size_t& consumed,
                           std::string& error) {
    bytes.clear();
    size_t lineLength = 0;
    int lineNumber = 0;
    for (size_t i = 0; i < wire.size();) {
        unsigned char c = static_cast<unsigned char>(wire[i]);
        if (c == '\r') {
            ++i;
            if (lineLength == 0) {
                consumed = i;
                return DumpStatus::Complete;
            }
            lineLength = 0;
            ++lineNumber;
            continue;
        }
        if (c == '^') {
            if (i + 4 > wire.size()) return DumpStatus::Incomplete;
            int value = 0;
            for (size_t k = 1; k <= 3; ++k) {
                char d = wire[i + k];
                if (d < '0' || d > '9') {
                    error = "trace dump line " + std::to_string(lineNumber) + ": \"^\" not followed by three digits";
                    return DumpStatus::Malformed;
                }
                value = value * 10 + (d - '0');
            }
            if (value > 255) {
                error = "trace dump line " + std::to_string(lineNumber) + ": escape ^" + wire.substr(i + 1, 3) +
                        " is not a byte";
                return DumpStatus::Malformed;
            }
            bytes += static_cast<char>(value);
            i += 4;
        } else if (c < 32) {
            error = "trace dump line " + std::to_string(lineNumber) + ": raw control byte " +
                    printable(std::string(1, static_cast<char>(c)));
            return DumpStatus::Malformed;
        } else {
            bytes += static_cast<char>(c);
            ++i;
        }
        if (++lineLength > static_cast<size_t>(kScreenColumns)) {
            error = "trace dump line " + std::to_string(lineNumber) + " is longer than 80 bytes";
            return DumpStatus::Malformed;
        }
    }
    return DumpStatus::Incomplete;
}

bool compareScreen(const std::vector<std::string>& rows, int row, int column,
                   const std::string& expected, std::string& difference) {
    size_t start = 0;
    for (int r = row;; ++r) {
        size_t end = expected.find('\n', start);
        std::string want = expected.substr(start, end == std::string::npos ? end : end - start);
        if (r >= static_cast<int>(rows.size()) ||
            column + want.size() > static_cast<size_t>(kScreenColumns)) {
            difference = "row " + std::to_string(r) + " column " + std::to_string(column) +
                         ": expected text \"" + printable(want) + "\" runs off the screen";
            return false;
        }
        std::string have = rows[r].substr(column, want.size());
        if (have != want) {
            difference = "row " + std::to_string(r) + " column " + std::to_string(column) +
                         ": expected \"" + printable(want) + "\", screen has \"" +
                         printable(have) + "\"";
            return false;
        }
        if (end == std::string::npos) return true;
        start = end + 1;
    }
}

std::string screenAsText(const std::vector<std::string>& rows) {
    std::string out;
    for (const std::string& r : rows) out += printable(r) + "\n";
    return out;
}

}  // namespace hostsim
