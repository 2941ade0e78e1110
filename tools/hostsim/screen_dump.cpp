#include "screen_dump.h"

#include "text.h"

namespace hostsim {

std::string screenDumpRequest() { return "\x1bSI \n"; }

namespace {

// How one kind of dump is laid out and named in messages.
struct DumpShape {
    const char* what;       // "screen dump"
    const char* line;       // "row"
    const char* unit;       // "glyphs"
    size_t exactLength;     // every line this long, or 0: any length up to 80
    size_t maxLines;        // lines before the closing empty line, or 0: any number
};

// Both dumps are lines of at most 80 bytes, bytes below 32 and "^" escaped
// as "^" and three digits, each line ended by CR, the whole ended by an
// empty line.
DumpStatus readDumpLines(const std::string& wire, const DumpShape& shape,
                         std::vector<std::string>& lines, size_t& consumed, std::string& error) {
    lines.clear();
    std::string current;
    auto where = [&]() {
        return std::string(shape.what) + " " + shape.line + " " + std::to_string(lines.size());
    };
    for (size_t i = 0; i < wire.size();) {
        unsigned char c = static_cast<unsigned char>(wire[i]);
        if (c == '\r') {
            ++i;
            if (current.empty()) {
                consumed = i;
                return DumpStatus::Complete;
            }
            if (shape.exactLength && current.size() != shape.exactLength) {
                error = where() + " has " + std::to_string(current.size()) + " " + shape.unit +
                        ", not " + std::to_string(shape.exactLength);
                return DumpStatus::Malformed;
            }
            lines.push_back(current);
            current.clear();
            continue;
        }
        if (shape.maxLines && lines.size() == shape.maxLines) {
            error = std::string(shape.what) + " has more than " + std::to_string(shape.maxLines) + " " +
                    shape.line + "s";
            return DumpStatus::Malformed;
        }
        if (c == '^') {
            if (i + 4 > wire.size()) return DumpStatus::Incomplete;
            int value = 0;
            for (size_t k = 1; k <= 3; ++k) {
                char d = wire[i + k];
                if (d < '0' || d > '9') {
                    error = where() + ": \"^\" not followed by three digits";
                    return DumpStatus::Malformed;
                }
                value = value * 10 + (d - '0');
            }
            if (value > 255) {
                error = where() + ": escape ^" + wire.substr(i + 1, 3) + " is not a byte";
                return DumpStatus::Malformed;
            }
            current += static_cast<char>(value);
            i += 4;
        } else if (c < 32) {
            error = where() + ": raw control byte " + printable(std::string(1, static_cast<char>(c)));
            return DumpStatus::Malformed;
        } else {
            current += static_cast<char>(c);
            ++i;
        }
        if (current.size() > static_cast<size_t>(kScreenColumns)) {
            error = where() + " is longer than 80 " + shape.unit;
            return DumpStatus::Malformed;
        }
    }
    return DumpStatus::Incomplete;
}

}  // namespace

DumpStatus decodeScreenDump(const std::string& wire, std::vector<std::string>& rows,
                            size_t& consumed, std::string& error) {
    const DumpShape shape = {"screen dump", "row", "glyphs", kScreenColumns, kScreenRows};
    DumpStatus status = readDumpLines(wire, shape, rows, consumed, error);
    if (status == DumpStatus::Complete && rows.size() != static_cast<size_t>(kScreenRows)) {
        error = "screen dump has " + std::to_string(rows.size()) + " rows, not 25";
        return DumpStatus::Malformed;
    }
    return status;
}

std::string traceDumpRequest() { return "\x1bSI!\n"; }

DumpStatus decodeTraceDump(const std::string& wire, std::string& bytes, size_t& consumed,
                           std::string& error) {
    const DumpShape shape = {"trace dump", "line", "bytes", 0, 0};
    std::vector<std::string> lines;
    DumpStatus status = readDumpLines(wire, shape, lines, consumed, error);
    bytes.clear();
    for (const std::string& line : lines) bytes += line;
    return status;
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
