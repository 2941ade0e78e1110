// A helper command: the name of a transfer endpoint after its leading "/",
// op A "/" B "/" C "/" D "/" E.
#pragma once

#include <cstdint>

constexpr int kDdeNameSize = 16;      // service and topic: 15 characters and a zero
constexpr int kHelperFieldSize = 256;  // A, B and E: the endpoint name is at most 200

// Directions of a helper endpoint.
constexpr int kHelperToHost = 0;    // the PC side is a source
constexpr int kHelperFromHost = 1;  // the PC side is a destination

struct HelperCommand {
  char op;
  char a[kHelperFieldSize];  // literal command line; for "H": program, blank, argument
  char b[kHelperFieldSize];  // helper name, or "&" and a file type or extension
  char service[kHelperFieldSize];  // C, cut to 15 and defaulted to B (still with its "&")
  char topic[kHelperFieldSize];    // D, likewise
  char item[kHelperFieldSize];     // E: the item; for "R" with "&http" twice an address
};

// Splits the name and checks the op against the direction: "A" and "R" need
// direction 0; "C", "S", "E", "P" and "H" direction 1. False when a
// separator is missing, a field is too long or the op does not fit.
bool ParseHelperCommand(const char* name, int direction, HelperCommand* out);

// The transaction code of an op letter; 0 for "C" and "H".
uint32_t HelperTransaction(char op);

// Copies at most 15 characters of text into a 16-byte name.
void CopyDdeName(char* name, const char* text);
