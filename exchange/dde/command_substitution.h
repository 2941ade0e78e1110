// The argument of a helper command put into its command line: the first
// "%1" or "%L", bare or inside double quotes.
#pragma once

constexpr int kHelperCommandSize = 256;

enum class SubstitutionResult {
  kNoPlaceholder,  // the command line stands as it was (for "H": the argument appended)
  kSubstituted,    // the argument stands in the placeholder's place
  kTooLong,        // command, argument and tail reach 256 characters: the open fails
};

// command: the command line found (at most 255 characters), rewritten in
// place (kHelperCommandSize bytes). argument: null for none. hostProgram:
// op "H", whose argument starts with the blank that followed the program
// word; it loses that blank in a placeholder and keeps it when appended.
// A quoted placeholder loses its quotes; an argument with a blank in it is
// quoted again there.
SubstitutionResult SubstituteArgument(char* command, const char* argument, bool hostProgram);
