#include "shell/cmdline/command_line.h"

namespace tavix {

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Reads the next token starting at text[pos]; returns false at the end.
bool next_token(const char* text, std::size_t& pos, std::string& token) {
    while (text[pos] != '\0' && is_blank(text[pos])) ++pos;
    if (text[pos] == '\0') return false;
    token.clear();
    bool quoted = false;
    for (; text[pos] != '\0'; ++pos) {
        char c = text[pos];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && is_blank(c)) {
            break;
        } else {
            token.push_back(c);
        }
    }
    return true;
}

void assign_truncated(std::string& field, const std::string& token, std::size_t from,
                      std::size_t size) {
    field = token.size() > from ? token.substr(from, size - 1) : std::string();
}

}  // namespace

bool CommandLine::operator==(const CommandLine& o) const {
    return account == o.account && config_variant == o.config_variant &&
           dial_profile == o.dial_profile && keystrokes == o.keystrokes &&
           host_label == o.host_label && password == o.password && run_paths == o.run_paths &&
           user_id == o.user_id;
}

CommandLine parse_command_line(const char* text) {
    CommandLine cl;
    if (text == nullptr) return cl;
    std::size_t pos = 0;
    std::string token;
    bool skip_next = false;
    while (next_token(text, pos, token)) {
        if (skip_next) {  // the token after a -D switch
            skip_next = false;
            continue;
        }
        // A "-R" without a digit stores nothing and the scan resumes after the
        // character that followed it, so the rest of the token is examined again.
        for (;;) {
            if (token.size() < 2 || token[0] != '-') break;
            char letter = upper(token[1]);
            if (letter == 'R') {
                if (token.size() >= 3 && token[2] >= '0' && token[2] <= '9') {
                    assign_truncated(cl.run_paths[static_cast<std::size_t>(token[2] - '0')], token,
                                     3, CommandLine::kRunPathSize);
                    break;
                }
                token = token.size() > 3 ? token.substr(3) : std::string();
                continue;
            }
            switch (letter) {
                case 'A': assign_truncated(cl.account, token, 2, CommandLine::kAccountSize); break;
                case 'C': assign_truncated(cl.config_variant, token, 2, CommandLine::kVariantSize); break;
                case 'D':
                    assign_truncated(cl.dial_profile, token, 2, CommandLine::kDialSize);
                    skip_next = true;
                    break;
                case 'E': assign_truncated(cl.keystrokes, token, 2, CommandLine::kScriptSize); break;
                case 'H': assign_truncated(cl.host_label, token, 2, CommandLine::kHostLabelSize); break;
                case 'P': assign_truncated(cl.password, token, 2, CommandLine::kPasswordSize); break;
                case 'U': assign_truncated(cl.user_id, token, 2, CommandLine::kUserIdSize); break;
                default: break;
            }
            break;
        }
    }
    return cl;
}

}  // namespace tavix
