#include "script.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <map>
#include <sstream>

namespace hostsim {

namespace {

const char kIAC = '\xff';

// One straight run of code: the main script or one screen block. Jump
// targets inside it are segment-local until the segments are joined.
struct Segment {
    std::string name;
    int file = 0;
    int line = 0;
    std::vector<Instr> code;
    std::map<std::string, int> labels;
    std::vector<int> gotos;   // instructions whose `name` is a label to resolve
    std::vector<int> loops;   // open LoopStart instructions
};

// An included file may include others, but not this deep (a cycle).
const int kMaxIncludeDepth = 16;

struct Parser {
    Script* script = nullptr;
    std::string error;
    int file = 0;   // index in script->files of the file being read
    int line = 0;
    int includeDepth = 0;
    std::deque<Segment> segments;   // a deque keeps `current` valid as blocks are added
    Segment* current = nullptr;

    bool fail(const std::string& message) {
        error = script->files[file] + ":" + std::to_string(line) + ": " + message;
        return false;
    }

    bool failAt(int atFile, int atLine, const std::string& message) {
        file = atFile;
        line = atLine;
        return fail(message);
    }

    Instr& emit(Op op) {
        Instr in;
        in.op = op;
        in.file = file;
        in.line = line;
        current->code.push_back(in);
        return current->code.back();
    }

    bool text(const std::string& source, Text& out) {
        std::string message;
        if (!decodeText(source, out, message)) return fail(message);
        return true;
    }

    bool literalText(const std::string& source, std::string& out, const char* what) {
        Text t;
        if (!text(source, t)) return false;
        if (t.usesInput()) return fail(std::string(what) + " cannot use {input}");
        out = t.literal();
        return true;
    }

    static bool number(const std::string& word, long low, long high, long& out) {
        if (word.empty()) return false;
        errno = 0;
        char* end = nullptr;
        long value = strtol(word.c_str(), &end, 10);
        if (*end != '\0' || errno != 0 || value < low || value > high) return false;
        out = value;
        return true;
    }

    // Splits `count` leading words off `s`; `remainder` is what follows the
    // single blank after the last of them (text arguments keep their blanks).
    static bool leadingWords(const std::string& s, size_t count, std::vector<std::string>& out,
                             std::string& remainder) {
        out.clear();
        size_t pos = 0;
        for (size_t k = 0; k < count; ++k) {
            pos = s.find_first_not_of(' ', pos);
            if (pos == std::string::npos) return false;
            size_t end = s.find(' ', pos);
            out.push_back(s.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
            pos = end;
            if (pos == std::string::npos) break;
        }
        remainder = pos == std::string::npos ? "" : s.substr(pos + 1);
        return out.size() == count;
    }

    static std::vector<std::string> words(const std::string& s) {
        std::vector<std::string> out;
        std::istringstream in(s);
        std::string w;
        while (in >> w) out.push_back(w);
        return out;
    }

    bool noArgs(const std::string& command, const std::string& rest) {
        if (!words(rest).empty()) return fail(command + " takes no arguments");
        return true;
    }

    bool oneNumber(const std::string& command, const std::string& rest, long low, long high,
                   long& out) {
        std::vector<std::string> w = words(rest);
        if (w.size() != 1 || !number(w[0], low, high, out))
            return fail(command + " needs one number " + std::to_string(low) + ".." +
                        std::to_string(high));
        return true;
    }

    bool sendBytes(const std::string& bytes) {
        emit(Op::Send).text.appendBytes(bytes);
        return true;
    }

    // A relative path is taken from the folder of the file being read.
    std::string besideScript(const std::string& path) const {
        const std::string& from = script->files[file];
        size_t slash = from.rfind('/');
        if (path.empty() || path[0] == '/' || slash == std::string::npos) return path;
        return from.substr(0, slash + 1) + path;
    }

    // A path argument; "$NAME" is taken from the environment when the line runs.
    std::string besideScriptOrVariable(const std::string& path) const {
        return !path.empty() && path[0] == '$' ? path : besideScript(path);
    }

    bool parseSource(const std::string& source, const std::string& fileName);
    bool include(const std::string& path);
    bool command(const std::string& cmd, const std::string& rest);
    bool finish();
};

bool Parser::command(const std::string& cmd, const std::string& rest) {
    long n = 0;
    if (cmd == "send") {
        Text t;
        if (!text(rest, t)) return false;
        emit(Op::Send).text = t;
    } else if (cmd == "sendfile") {
        if (rest.empty()) return fail("sendfile needs a path");
        emit(Op::SendFile).name = besideScriptOrVariable(rest);
    } else if (cmd == "block" || cmd == "block-counted") {
        std::vector<std::string> w;
        std::string after;
        if (!leadingWords(rest, 1, w, after)) return fail(cmd + " needs a path, then the head of ESC T");
        Text t;
        if (!text(after, t)) return false;
        if (t.pieces.empty()) return fail(cmd + " needs the head of ESC T after the path");
        Instr& in = emit(Op::SendBlock);
        in.name = besideScript(w[0]);
        in.text = t;
        in.number = cmd == "block-counted" ? 1 : 0;
    } else if (cmd == "poll-edit" || cmd == "close-edit-poll") {
        Text t;
        if (!text(rest, t)) return false;
        Instr& in = emit(Op::PollEdit);
        in.text = t;
        in.number = cmd == "close-edit-poll" ? 1 : 0;
    } else if (cmd == "edit-close" || cmd == "edit-reply") {
        std::vector<std::string> w;
        std::string after;
        long session = 0;
        if (!leadingWords(rest, 1, w, after) || !number(w[0], 0, 223, session))
            return fail(cmd + " needs a session number (0..223)");
        if (cmd == "edit-close" && !after.empty()) return fail("edit-close takes only the session");
        Text t;
        if (!text(after, t)) return false;
        Instr& in = emit(Op::Send);
        in.text.appendBytes(std::string(cmd == "edit-close" ? "\x1bSK" : "\x1bSR") + static_cast<char>(session + 32));
        in.text.appendText(t);
        in.text.appendBytes("\n");
    } else if (cmd == "clear") {
        if (!noArgs(cmd, rest)) return false;
        return sendBytes("\x1bWI\n");
    } else if (cmd == "at") {
        std::vector<std::string> w;
        std::string after;
        long row = 0, col = 0;
        if (!leadingWords(rest, 2, w, after) || !number(w[0], 0, 223, row) ||
            !number(w[1], 0, 223, col))
            return fail("at needs a row and a column (0..223), then optional text");
        Text t;
        if (!text(after, t)) return false;
        Instr& in2 = emit(Op::Send);
        in2.text.appendBytes(std::string("\x1bY") + static_cast<char>(row + 32) +
                             static_cast<char>(col + 32));
        in2.text.appendText(t);
    } else if (cmd == "busy") {
        if (!noArgs(cmd, rest)) return false;
        return sendBytes("\x1b^H\r\n");
    } else if (cmd == "ready") {
        if (!noArgs(cmd, rest)) return false;
        return sendBytes("\x1b^T\r\n");
    } else if (cmd == "message" || cmd == "status") {
        Text t;
        if (!text(rest, t)) return false;
        Instr& in = emit(Op::Send);
        in.text.appendBytes(cmd == "message" ? "\x01" : "\x1b^I");
        in.text.appendText(t);
        in.text.appendBytes("\n");
    } else if (cmd == "expect" || cmd == "expect-line" || cmd == "expect-exact") {
        Text t;
        if (!text(rest, t)) return false;
        if (cmd != "expect-line" && t.pieces.empty()) return fail(cmd + " needs a text");
        Op op = cmd == "expect" ? Op::Expect : cmd == "expect-line" ? Op::ExpectLine : Op::ExpectExact;
        emit(op).text = t;
    } else if (cmd == "read-until") {
        std::string b;
        if (!literalText(rest, b, "read-until")) return false;
        if (b.size() != 1) return fail("read-until needs exactly one byte, e.g. \\r or {ESC}");
        emit(Op::ReadUntil).number = static_cast<unsigned char>(b[0]);
    } else if (cmd == "read-key") {
        if (!noArgs(cmd, rest)) return false;
        emit(Op::ReadKey);
    } else if (cmd == "read-line") {
        long flags = 0;
        for (const std::string& word : words(rest)) {
            long bit = word == "echo" ? kReadLineEcho : word == "lf" ? kReadLineToLf : 0;
            if (bit == 0 || (flags & bit)) return fail("read-line takes only the words echo and lf, once each");
            flags |= bit;
        }
        emit(Op::ReadLine).number = flags;
    } else if (cmd == "if-input") {
        size_t space = rest.find(' ');
        std::string label = rest.substr(0, space);
        if (label.empty()) return fail("if-input needs a label, then the text to compare");
        Text t;
        if (!text(space == std::string::npos ? "" : rest.substr(space + 1), t)) return false;
        Instr& in = emit(Op::IfInput);
        in.name = label;
        in.text = t;
        current->gotos.push_back(static_cast<int>(current->code.size()) - 1);
    } else if (cmd == "wait") {
        if (!oneNumber(cmd, rest, 0, 3600000, n)) return false;
        emit(Op::Wait).number = n;
    } else if (cmd == "label") {
        std::vector<std::string> w = words(rest);
        if (w.size() != 1) return fail("label needs one name");
        if (current->labels.count(w[0])) return fail("label " + w[0] + " defined twice");
        current->labels[w[0]] = static_cast<int>(current->code.size());
    } else if (cmd == "goto") {
        std::vector<std::string> w = words(rest);
        if (w.size() != 1) return fail("goto needs one label");
        emit(Op::Goto).name = w[0];
        current->gotos.push_back(static_cast<int>(current->code.size()) - 1);
    } else if (cmd == "loop") {
        std::vector<std::string> w = words(rest);
        long count = 0;
        if (w.size() > 1 || (w.size() == 1 && !number(w[0], 1, 100000000, count)))
            return fail("loop takes an optional count of at least 1 (none = forever)");
        Instr& in = emit(Op::LoopStart);
        in.number = count;
        in.slot = script->loopSlots++;
        current->loops.push_back(static_cast<int>(current->code.size()) - 1);
    } else if (cmd == "end") {
        if (!noArgs(cmd, rest)) return false;
        if (!current->loops.empty()) {
            int start = current->loops.back();
            current->loops.pop_back();
            Instr& in = emit(Op::LoopEnd);
            in.target = start + 1;
            in.slot = current->code[start].slot;
        } else if (current != &segments[0]) {
            emit(Op::Return);
            current = &segments[0];
        } else {
            return fail("end without loop or screen");
        }
    } else if (cmd == "screen") {
        std::vector<std::string> w = words(rest);
        if (w.size() != 1) return fail("screen needs one name");
        if (current != &segments[0] || !current->loops.empty())
            return fail("screen blocks are defined at the top level only");
        for (const Segment& s : segments)
            if (s.name == w[0]) return fail("screen " + w[0] + " defined twice");
        Segment s;
        s.name = w[0];
        s.file = file;
        s.line = line;
        segments.push_back(s);
        current = &segments.back();
    } else if (cmd == "call") {
        std::vector<std::string> w = words(rest);
        if (w.size() != 1) return fail("call needs one screen name");
        emit(Op::Call).name = w[0];
    } else if (cmd == "close") {
        if (!noArgs(cmd, rest)) return false;
        emit(Op::Close);
    } else if (cmd == "telnet-negotiate" || cmd == "expect-telnet") {
        std::string bytes, message;
        if (cmd == "expect-telnet" && words(rest).empty())
            return fail("expect-telnet needs the negotiation, e.g. WONT 24");
        if (!telnetBytes(rest, bytes, message)) return fail(message);
        emit(cmd == "expect-telnet" ? Op::ExpectTelnet : Op::TelnetSend).text.appendBytes(bytes);
    } else if (cmd == "expect-screen") {
        std::vector<std::string> w;
        std::string after, expected;
        long row = 0, col = 0;
        if (!leadingWords(rest, 2, w, after) || !number(w[0], 0, 24, row) ||
            !number(w[1], 0, 79, col) || after.empty())
            return fail("expect-screen needs a row 0..24, a column 0..79 and the text");
        if (!literalText(after, expected, "expect-screen")) return false;
        Instr& ins = emit(Op::ExpectScreen);
        ins.row = static_cast<int>(row);
        ins.column = static_cast<int>(col);
        ins.text.appendBytes(expected);
    } else if (cmd == "expect-trace") {
        Text t;
        if (!text(rest, t)) return false;
        if (t.pieces.empty()) return fail("expect-trace needs a text");
        emit(Op::ExpectTrace).text = t;
    } else if (cmd == "dump-screen") {
        if (rest.empty()) return fail("dump-screen needs a path");
        emit(Op::DumpScreen).name = rest;
    } else if (cmd == "identify") {
        std::vector<std::string> w = words(rest);
        if (w.size() > 2) return fail("identify takes at most a user id and an address");
        Instr& in = emit(Op::Identify);
        in.name = w.size() > 0 ? w[0] : "*";
        in.other = w.size() > 1 ? w[1] : "*";
    } else if (cmd == "handshake") {
        if (!noArgs(cmd, rest)) return false;
        emit(Op::Handshake);
    } else if (cmd == "timeout" || cmd == "input-timeout") {
        if (!oneNumber(cmd, rest, cmd == "timeout" ? 1 : 0, 3600000, n)) return false;
        emit(cmd == "timeout" ? Op::SetTimeout : Op::SetInputTimeout).number = n;
    } else if (cmd == "include") {
        if (rest.empty()) return fail("include needs a path");
        if (current != &segments[0] || !current->loops.empty())
            return fail("include is allowed at the top level only");
        return include(rest);
    } else if (cmd == "clock-start") {
        if (!noArgs(cmd, rest)) return false;
        emit(Op::ClockStart);
    } else if (cmd == "clock-print") {
        Text t;
        if (!text(rest, t)) return false;
        emit(Op::ClockPrint).text = t;
    } else if (cmd == "move-file") {
        std::vector<std::string> w = words(rest);
        if (w.size() != 2) return fail("move-file needs a source and a destination");
        Instr& in = emit(Op::MoveFile);
        in.name = besideScriptOrVariable(w[0]);
        in.other = besideScriptOrVariable(w[1]);
    } else if (cmd == "send-blocks") {
        // send-blocks SIZE PATH [ack] [bad N]
        std::vector<std::string> w = words(rest);
        long size = 0, bad = -1, flags = 0;
        bool ok = w.size() >= 2 && number(w[0], 1, 1020, size);
        for (size_t i = 2; ok && i < w.size(); ++i) {
            if (w[i] == "ack") {
                flags |= kBlocksAcknowledged;
            } else if (w[i] == "bad" && i + 1 < w.size() && number(w[i + 1], 0, 100000000, bad)) {
                ++i;
            } else {
                ok = false;
            }
        }
        if (!ok) return fail("send-blocks needs a block size 1..1020 and a file, then ack and bad N");
        Instr& in = emit(Op::SendBlocks);
        in.number = size;
        in.name = besideScriptOrVariable(w[1]);
        in.badBlock = bad;
        in.flags = flags;
    } else if (cmd == "send-text" || cmd == "send-hex") {
        std::vector<std::string> w = words(rest);
        if (w.size() != 1) return fail(cmd + " needs a file");
        emit(cmd == "send-text" ? Op::SendTextStream : Op::SendHexStream).name = besideScriptOrVariable(w[0]);
    } else if (cmd == "expect-upload") {
        // expect-upload PATH [resend N] [cancel N] [raw255|escaped255]
        std::vector<std::string> w = words(rest);
        bool ok = !w.empty();
        long resend = -1, cancel = -1, flags = 0;
        for (size_t i = 1; ok && i < w.size(); ++i) {
            if (w[i] == "raw255") {
                flags |= kUpload255Raw;
            } else if (w[i] == "escaped255") {
                flags |= kUpload255Escaped;
            } else if (w[i] == "resend" && i + 1 < w.size() && number(w[i + 1], 0, 100000000, resend)) {
                ++i;
            } else if (w[i] == "cancel" && i + 1 < w.size() && number(w[i + 1], 0, 100000000, cancel)) {
                ++i;
            } else {
                ok = false;
            }
        }
        if (!ok) return fail("expect-upload needs a file, then resend N, cancel N, raw255 or escaped255");
        Instr& in = emit(Op::ExpectUpload);
        in.name = besideScriptOrVariable(w[0]);
        in.resendAt = resend;
        in.cancelAt = cancel;
        in.flags = flags;
    } else if (cmd == "expect-file") {
        std::vector<std::string> w = words(rest);
        if (w.size() != 1) return fail("expect-file needs a file");
        emit(Op::ExpectFile).name = besideScriptOrVariable(w[0]);
    } else if (cmd == "expect-hex-upload") {
        std::vector<std::string> w = words(rest);
        if (w.size() != 1) return fail("expect-hex-upload needs a file");
        emit(Op::ExpectHexUpload).name = besideScriptOrVariable(w[0]);
    } else if (cmd == "fail") {
        Text t;
        if (!text(rest, t)) return false;
        emit(Op::Fail).text = t;
    } else {
        return fail("unknown command \"" + cmd + "\"");
    }
    return true;
}

bool Parser::finish() {
    if (current != &segments[0]) return failAt(current->file, current->line, "screen " + current->name + " has no end");
    if (!current->loops.empty()) {
        const Instr& open = current->code[current->loops.back()];
        return failAt(open.file, open.line, "loop has no end");
    }
    segments[0].code.push_back(Instr());
    segments[0].code.back().op = Op::End;
    segments[0].code.back().line = line;

    std::map<std::string, int> screenStart;
    int offset = 0;
    std::vector<int> offsets;
    for (const Segment& s : segments) {
        offsets.push_back(offset);
        if (!s.name.empty()) screenStart[s.name] = offset;
        offset += static_cast<int>(s.code.size());
    }
    for (size_t k = 0; k < segments.size(); ++k) {
        Segment& s = segments[k];
        for (int g : s.gotos) {
            auto it = s.labels.find(s.code[g].name);
            if (it == s.labels.end()) {
                return failAt(s.code[g].file, s.code[g].line, "no label " + s.code[g].name +
                            (s.name.empty() ? " in the main script" : " in screen " + s.name));
            }
            s.code[g].target = it->second;
        }
        for (Instr& in : s.code) {
            if (in.target >= 0) in.target += offsets[k];
            if (in.op == Op::Call) {
                auto it = screenStart.find(in.name);
                if (it == screenStart.end()) return failAt(in.file, in.line, "no screen " + in.name);
                in.target = it->second;
            }
            script->code.push_back(in);
        }
    }
    return true;
}

}  // namespace

bool telnetBytes(const std::string& args, std::string& out, std::string& error) {
    static const struct {
        const char* word;
        unsigned char command;
    } kWords[] = {{"DO", 253},  {"DONT", 254}, {"WILL", 251}, {"WONT", 252}, {"SB", 250},
                  {"SE", 240},  {"IP", 244},   {"AYT", 246},  {"NOP", 241},  {"BRK", 243},
                  {"AO", 245},  {"EC", 247},   {"EL", 248},   {"GA", 249}};
    out.clear();
    std::istringstream in(args.empty() ? "DO 24 DO 31 WILL 1 WILL 3" : args);
    std::string w;
    while (in >> w) {
        bool found = false;
        for (const auto& k : kWords) {
            if (w == k.word) {
                out += kIAC;
                out += static_cast<char>(k.command);
                found = true;
                break;
            }
        }
        if (found) continue;
        char* end = nullptr;
        long value = strtol(w.c_str(), &end, 10);
        if (w.empty() || *end != '\0' || value < 0 || value > 255) {
            error = "bad telnet word \"" + w + "\" (DO DONT WILL WONT SB SE IP AYT NOP BRK or 0..255)";
            return false;
        }
        out += static_cast<char>(value);
    }
    return true;
}

bool Parser::parseSource(const std::string& source, const std::string& fileName) {
    int outerFile = file, outerLine = line;
    script->files.push_back(fileName);
    file = static_cast<int>(script->files.size()) - 1;
    line = 0;
    std::istringstream in(source);
    std::string raw;
    while (std::getline(in, raw)) {
        ++line;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        size_t start = raw.find_first_not_of(" \t");
        if (start == std::string::npos || raw[start] == '#') continue;
        std::string body = raw.substr(start);
        size_t space = body.find(' ');
        std::string cmd = body.substr(0, space);
        std::string rest = space == std::string::npos ? "" : body.substr(space + 1);
        if (!command(cmd, rest)) return false;
    }
    if (includeDepth > 0) {
        file = outerFile;
        line = outerLine;
    }
    return true;
}

// Reads another script file in place of the include line; a relative path
// is taken from the directory of the including file.
bool Parser::include(const std::string& path) {
    if (includeDepth >= kMaxIncludeDepth) return fail("includes nest too deeply (a cycle?)");
    std::string resolved = besideScript(path);
    std::ifstream in(resolved, std::ios::binary);
    if (!in) return fail("include: cannot open " + resolved + ": " + strerror(errno));
    std::stringstream buffer;
    buffer << in.rdbuf();
    ++includeDepth;
    bool ok = parseSource(buffer.str(), resolved);
    --includeDepth;
    return ok;
}

bool parseScript(const std::string& source, const std::string& fileName, Script& out,
                 std::string& error) {
    out = Script();
    out.fileName = fileName;
    Parser p;
    p.script = &out;
    p.segments.push_back(Segment());
    p.current = &p.segments[0];
    if (!p.parseSource(source, fileName)) {
        error = p.error;
        return false;
    }
    if (!p.finish()) {
        error = p.error;
        return false;
    }
    return true;
}

bool loadScript(const std::string& path, Script& out, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot open: " + strerror(errno);
        return false;
    }
    std::stringstream buffer;
    buffer << in.rdbuf();
    return parseScript(buffer.str(), path, out, error);
}

}  // namespace hostsim
