// The command line of tavix: switches that pre-set the session (auto-login
// texts, configuration variant, dialing profile, keystroke script, host label,
// parser path slots).
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace tavix {

// Every value holds at most its size minus one characters (the sizes count a
// terminating zero, as the fixed buffers of the program always have). An empty
// value means the switch was not given (or given without a value).
struct CommandLine {
    static constexpr std::size_t kAccountSize = 30;     // -A
    static constexpr std::size_t kVariantSize = 100;    // -C
    static constexpr std::size_t kDialSize = 100;       // -D
    static constexpr std::size_t kScriptSize = 200;     // -E
    static constexpr std::size_t kHostLabelSize = 100;  // -H
    static constexpr std::size_t kPasswordSize = 50;    // -P
    static constexpr std::size_t kRunPathSize = 100;    // -R<digit>
    static constexpr std::size_t kUserIdSize = 30;      // -U
    static constexpr std::size_t kRunPathSlots = 10;

    std::string account;         // sent at the "path:" prompt; switches that prompt on
    std::string config_variant;  // configuration variant name
    std::string dial_profile;    // dialing profile to dial at start
    std::string keystrokes;      // keystroke script played after the user id
    std::string host_label;      // shown in the window title
    std::string password;        // sent at the "sword: " prompt
    std::array<std::string, kRunPathSlots> run_paths;  // parser path slots 0-9
    std::string user_id;         // sent at the "ogin: " / "name: " prompt

    bool operator==(const CommandLine& other) const;
};

// Scans the command line text (without the program name) into a record.
// Tokens are separated by white space; a double quote toggles a stretch in
// which white space does not end the token, and the quotes are dropped. A
// token "-<letter><value>" sets the switch of that letter (any case); any other
// token is skipped. "-D" also swallows the token after it. "-R" takes a digit
// selecting the path slot; with anything else it stores nothing and the scan
// goes on right after that character.
CommandLine parse_command_line(const char* text);

}  // namespace tavix
