// The terminal's screen dump: the host asks with ESC S I and a blank mode
// byte; the terminal answers with 25 lines of 80 glyphs, each ended by CR,
// then one more CR. Bytes below 32 and "^" come as "^" and three decimal digits.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace hostsim {

constexpr int kScreenRows = 25;
constexpr int kScreenColumns = 80;

// The request the host sends for the screen dump.
std::string screenDumpRequest();

enum class DumpStatus { Incomplete, Complete, Malformed };

// Decodes a dump at the start of `wire`. Complete: `rows` holds the 25 rows
// and `consumed` the length of the dump. Incomplete: more bytes are needed.
// Malformed: `error` says what is wrong.
DumpStatus decodeScreenDump(const std::string& wire, std::vector<std::string>& rows,
                            size_t& consumed, std::string& error);

// The request for the trace dump: ESC S I with a mode byte other than a blank.
std::string traceDumpRequest();

// Decodes a trace dump at the start of `wire`: lines of at most 80 escaped
// bytes, each ended by CR, up to an empty line. `bytes` gets the bytes of
// all lines in order. Statuses as for the screen dump.
DumpStatus decodeTraceDump(const std::string& wire, std::string& bytes, size_t& consumed,
                           std::string& error);

// Compares `expected` with the screen from (row, column); an LF in `expected`
// continues on the next row at the same column. On a difference returns false
// and describes it in `difference` (row number, expected and actual glyphs).
bool compareScreen(const std::vector<std::string>& rows, int row, int column,
                   const std::string& expected, std::string& difference);

// The screen as UTF-8 lines, for a person or a file.
std::string screenAsText(const std::vector<std::string>& rows);

}  // namespace hostsim
