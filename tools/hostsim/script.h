// A host script: the parsed, flat instruction list that a session plays.
#pragma once

#include <string>
#include <vector>

#include "text.h"

namespace hostsim {

enum class Op {
    Send,            // text: bytes to the terminal (IAC doubled on the wire)
    SendFile,        // path: raw file contents to the terminal
    SendBlock,       // path, text: head; number: 1 with the counted trailer
    PollEdit,        // number: 0 ESC S G, 1 ESC S B; text: the message wanted (none: any)
    Expect,          // text: wait for these bytes, discarding what comes before
    ExpectLine,      // text: the next line (up to CR or LF) must equal it
    ExpectExact,     // text: the next bytes must be exactly these, nothing before them
    ReadUntil,       // number: byte; input register = bytes before it
    ReadKey,         // input register = the next byte from the terminal
    ReadLine,        // number: kReadLine* bits; input register = the line up to CR (or LF)
    IfInput,         // target, text: jump when the input register equals the text
    Wait,            // number: milliseconds
    Goto,            // target
    LoopStart,       // number: count (0 = forever), slot: loop counter
    LoopEnd,         // target: the instruction after LoopStart, slot
    Call,            // target: first instruction of the screen block
    Return,          // end of a screen block
    Close,           // end the session: close the connection
    TelnetSend,      // text: raw telnet bytes (not doubled)
    ExpectTelnet,    // text: the negotiation bytes (IAC verb option) expected
    ExpectScreen,    // row, column, text (LF = next row, same column)
    DumpScreen,      // path: the screen as UTF-8 text
    ExpectTrace,     // text: bytes the terminal's trace dump must contain
    Identify,        // user, address: "*" or empty = not checked
    Handshake,       // the identification handshake and its five-byte reply
    SetTimeout,      // number: milliseconds for the expect family
    SetInputTimeout, // number: milliseconds for the read family, 0 = none
    ClockStart,      // restart the session's stopwatch
    ClockPrint,      // text: print the text and the milliseconds since the stopwatch started
    MoveFile,        // name: source, other: destination (each a path or $NAME); restarts the stopwatch
    SendBlocks,      // name: file; number: block size; badBlock; flags: kBlocksAcknowledged
    SendTextStream,  // name: file, as a text download (CR as 127, LF as 255, CR at the end)
    SendHexStream,   // name: file, as hexadecimal pairs and CR
    ExpectUpload,    // name: file the upload must equal; resendAt, cancelAt; flags: kUpload255*
    ExpectHexUpload, // name: file the hexadecimal upload must equal
    ExpectFile,      // name: file whose bytes must come next, exactly
    Fail,            // text: fail the session with this message
    End,             // end of the main script: the session ends, the connection closes
};

// read-line: echo what is typed; end the line at LF instead of CR (the text
// of an input field's reply).
constexpr long kReadLineEcho = 1;
constexpr long kReadLineToLf = 2;

// send-blocks: wait for the terminal's answer to each block (13 written,
// 2 resend, 1 failed).
constexpr long kBlocksAcknowledged = 1;
// expect-upload: how byte 255 must travel in the blocks.
constexpr long kUpload255Raw = 1;
constexpr long kUpload255Escaped = 2;

struct Instr {
    Op op = Op::End;
    int file = 0;        // index in Script::files, for messages
    int line = 0;        // line in that file
    Text text;
    std::string name;    // label, screen or file name; identify user
    std::string other;   // identify address
    long number = 0;
    int row = 0;
    int column = 0;
    int target = -1;     // instruction index
    int slot = -1;       // loop counter slot
    long badBlock = -1;  // send-blocks: this block goes with a wrong checksum
    long resendAt = -1;  // expect-upload: ask for this block again
    long cancelAt = -1;  // expect-upload: end the upload with 2 after this block
    long flags = 0;
};

struct Script {
    std::string fileName;             // the main script
    std::vector<std::string> files;   // the main script, then each included file
    std::vector<Instr> code;   // main script first (entry 0), then screen blocks
    int loopSlots = 0;
};

// Parses a script; on failure returns false with "FILE:LINE: message" in error.
bool parseScript(const std::string& source, const std::string& fileName, Script& out,
                 std::string& error);
bool loadScript(const std::string& path, Script& out, std::string& error);

// The telnet bytes of the negotiation words DO/DONT/WILL/WONT n, SB n bytes.. SE,
// IP, AYT, NOP, or plain numbers. Empty arguments give the default offer:
// DO 24, DO 31, WILL 1, WILL 3. Returns false with a message on a bad word.
bool telnetBytes(const std::string& args, std::string& out, std::string& error);

}  // namespace hostsim
