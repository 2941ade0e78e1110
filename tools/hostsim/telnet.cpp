#include "telnet.h"

namespace hostsim {

namespace {
const unsigned char IAC = 255, SB = 250, SE = 240, WILL = 251, DONT = 254;
}

void TelnetDecoder::feed(const char* bytes, size_t count, std::string& data, std::string& control) {
    for (size_t i = 0; i < count; ++i) {
        unsigned char b = static_cast<unsigned char>(bytes[i]);
        switch (state_) {
            case Data:
                if (b == IAC)
                    state_ = Iac;
                else
                    data += static_cast<char>(b);
                break;
            case Iac:
                if (b == IAC) {
                    data += static_cast<char>(b);
                    state_ = Data;
                    break;
                }
                control += static_cast<char>(IAC);
                control += static_cast<char>(b);
                if (b >= WILL && b <= DONT)
                    state_ = Option;
                else if (b == SB)
                    state_ = Sub;
                else
                    state_ = Data;
                break;
            case Option:
                control += static_cast<char>(b);
                state_ = Data;
                break;
            case Sub:
                control += static_cast<char>(b);
                if (b == IAC) state_ = SubIac;
                break;
            case SubIac:
                control += static_cast<char>(b);
                state_ = b == SE ? Data : Sub;
                break;
        }
    }
}

std::string doubleIac(const std::string& data) {
    std::string out;
    out.reserve(data.size());
    for (char c : data) {
        out += c;
        if (static_cast<unsigned char>(c) == IAC) out += c;
    }
    return out;
}

}  // namespace hostsim
