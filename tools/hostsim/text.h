// Script text: the escape language of the host simulator's TEXT arguments,
// and the code page 437 mapping between script files (UTF-8) and host bytes.
#pragma once

#include <string>
#include <vector>

namespace hostsim {

// A piece of a script text: literal host bytes, or the input register
// (whatever the last read command captured), expanded when the text is played.
struct TextPiece {
    enum Kind { Bytes, Input };
    Kind kind = Bytes;
    std::string bytes;
};

struct Text {
    std::vector<TextPiece> pieces;

    void appendBytes(const std::string& b);
    void appendText(const Text& other);
    // The bytes of the text with the input register expanded.
    std::string expand(const std::string& input) const;
    // The bytes of a text that holds no input reference.
    std::string literal() const { return expand(std::string()); }
    bool usesInput() const;
};

// Decodes a TEXT argument. Escapes: \e ESC, \r CR, \n LF, \t TAB, \s blank,
// \\ backslash, \{ \} braces, \xNN any byte; {n} the host parameter byte n+32;
// {NAME} a control byte by its name (ESC, SO, SI, SOH, ...); {input} the
// input register. Characters beyond ASCII (UTF-8) become their code page 437
// byte. Returns false with a message in `error` on a malformed text.
bool decodeText(const std::string& source, Text& out, std::string& error);

// Code page 437 byte for a Unicode code point, or -1 when there is none.
// Code points below 128 map to themselves.
int cp437FromUnicode(unsigned codePoint);

// Unicode code point shown for a code page 437 byte (bytes below 32 map to
// themselves; callers show them escaped).
unsigned unicodeFromCp437(unsigned char byte);

// Bytes shown for people: code page 437 as UTF-8, control bytes and DEL as
// \xNN, backslash doubled.
std::string printable(const std::string& bytes);

}  // namespace hostsim
