#include "dial_tables.h"

const DialChoice kDialMethods[3] = {{"7 Digit", 0}, {"Never 1", 1}, {"10 Digit", 3}};

const DialChoice kCardSteps[7] = {
    {"Done", 0},
    {"CallingCard phone number", 1},
    {"Destination Number (without area code)", 2},
    {"Destination Number (indluding area code)", 3},
    {"PIN", 4},
    {"Specified digits: ", 5},
    {"Do Tone Dialing Hereafter", 6},
};

const DialChoice kCardWaits[13] = {
    {"Nothing", 0},     {"Tone", 1},        {"2 Seconds", 2},   {"4 Seconds", 3},   {"6 Seconds", 4},
    {"8 Seconds", 5},   {"10 Seconds", 6},  {"14 Seconds", 7},  {"18 Seconds", 8},  {"22 Seconds", 9},
    {"28 Seconds", 10}, {"36 Seconds", 11}, {"46 Seconds", 12},
};

const char* WaitText(int code) {
  // Each comma is a two-second pause of the modem.
  static const char* const kTexts[13] = {"",           "$",          ",",
                                         ",,",         ",,,",        ",,,,",
                                         ",,,,,",      ",,,,,,,",    ",,,,,,,,,",
                                         ",,,,,,,,,,,", ",,,,,,,,,,,,,,", ",,,,,,,,,,,,,,,,,,",
                                         ",,,,,,,,,,,,,,,,,,,,,,,"};
  return code >= 0 && code < 13 ? kTexts[code] : "";
}

namespace {
constexpr int N = -1;  // no step, no wait
}  // namespace

// Steps: 1 card number, 3 destination with area code, 4 PIN, 5 digits,
// 6 tone dialing. Waits: 0 nothing, 1 tone, 4 six seconds, 5 eight, 7 fourteen.
const CardCarrier kCardCarriers[13] = {
    {0, "AT&T DirectDial via 10ATT1", "102881", {1, 3, N, N, N, N}, {0, N, N, N, N}, {}, false},
    {1, "AT&T Via 10ATT0", "102880", {1, 3, 6, 4, N, N}, {0, 1, 0, N, N}, {}, true},
    {2, "AT&T Via 1-800-321-0288", "18003210288", {1, 6, 3, 6, 4, N}, {1, 0, 1, 0, N}, {}, true},
    {3, "Calling Card Via 0", "0", {1, 3, 6, 4, N, N}, {0, 1, 0, N, N}, {}, true},
    {4, "MCI Direct Dial Via 102221", "102221", {1, 3, N, N, N, N}, {0, N, N, N, N}, {}, false},
    {5, "MCI Via 102220", "102220", {1, 3, 6, 4, N, N}, {0, 1, 0, N, N}, {}, true},
    {6, "MCI Via 1-800-674-0700", "18006740700", {1, 6, 4, 3, N, N}, {7, 0, 4, N, N}, {}, true},
    {7, "MCI Via 1-800-674-7000", "18006747000", {1, 6, 4, 3, N, N}, {7, 0, 4, N, N}, {}, true},
    {8, "MCI Via 1-800-888-8000", "18008888000", {1, 6, 4, 3, N, N}, {7, 0, 4, N, N}, {}, true},
    {9, "US Sprint Direct Dial Via 103331", "103331", {1, 3, N, N, N, N}, {0, N, N, N, N}, {}, false},
    {10, "US Sprint Via 103330", "103330", {1, 3, 6, 4, N, N}, {0, 1, 0, N, N}, {}, true},
    {11,
     "US Sprint Via 1-800-877-8000",
     "18008778000",
     {1, 6, 5, 3, 4, N},
     {5, 0, 0, 4, N},
     {nullptr, nullptr, "0", nullptr, nullptr, nullptr},
     true},
    {12, "Custom", "", {N, N, N, N, N, N}, {N, N, N, N, N}, {}, true},
};

const CardCarrier* FindCarrier(int code) {
  for (const CardCarrier& c : kCardCarriers)
    if (c.code == code) return &c;
  return nullptr;
}
