// The connection-related settings, loaded at start-up (the configuration
// block) and copied whole into the active block when a connection starts.
// Member initialisers are the defaults that apply when a key is missing.
#pragma once

namespace tavix {

struct ConfigBlock {
    signed char fullscreen = 0;             // "Fullscreen": full screen was on at last exit
    signed char controlc_break = 0;         // "ControlC break": Ctrl+Break sends byte 3
    signed char udef_screens = 0;           // "UDef screens": show user-defined options
    signed char save_placement = 0;         // "Save placement"
    signed char save_last = 0;              // "Save Last": store placement on every close
    signed char mode = -1;                  // "mode": communications mode (-1 none)
    signed char hpcl = 0;                   // "hpcl": carried and saved
    signed char autoconnect = 0;            // "Autoconnect" (0 when "Autodial" is set)
    signed char autodial = 0;               // "Autodial"
    signed char speed = -1;                 // "speed<n>" of the serial kind of mode
    signed char debug = 0;                  // "debug"
    signed char hilite = 0;                 // "hilite"
    signed char printer = -1;               // "Printer" (start-up sets 0 for every run)
    signed char sound_mode = -1;            // [Sound] "mode": 0 Windows, 1 PC, 2 none
    signed char font_mode = -1;             // [Font] "mode": font record 0-3
    signed char trigger = 0;                // "Trigger": carried
    signed char full_ascii = 0;             // "Full ascii": carried
    signed char middle_mouse = -1;          // "Middle mouse": action 0-5
    signed char secondary_mouse = -1;       // "Secondary mouse": action 0, 1, 2, 4, 5
    signed char wheel = 0;                  // "Wheel": wheel sends scroll keys
    signed char pspeed = 0;                 // "Pspeed": carried
    signed char edit = 0;                   // "Edit": Ctrl+Alt edit shortcuts
    signed char character_printscreen = 0;  // "Character printscreen"
    signed char transparent_selected = 0;   // "Transparent_selected" (0 when no name)
    char transparent_name[50] = "";         // "Transparent name"
    char userid[7] = "";                    // "userid"
    char host[33] = "";                     // "host"
    char connect[79] = "";                  // "connect<n>" of the serial kind of mode
    signed char auxiliary_port = -1;        // "Auxiliary port"
    signed char auxiliary_speed = -1;       // "Auxiliary speed"
    signed char auxiliary_cr_terminate = 0; // "Auxilary cr terminate"
    signed char auxiliary_read = 1;         // "Auxiliary read"
    short backlight = -1;                   // "Backlight": carried
    signed char rcv_dump = 1;               // "RcvDump": receive-trace dump allowed
    char rcv_ext[10] = "txt";               // "RcvExt": extension of the dump file
};

// Index n of the "speed<n>" and "connect<n>" keys for a communications mode:
// the serial kinds 1-5 map to 1-5, 10 to 6 and 11 to 7; any other mode has no
// per-kind keys (returns 0).
int per_kind_index(int mode);

// Network kinds need a host name to connect.
bool is_network_mode(int mode);
// Serial kinds (those with per-kind keys) need a speed.
inline bool is_serial_mode(int mode) { return per_kind_index(mode) != 0; }

// Whether the settings suffice to start a connection: network kinds need a
// non-empty host, serial kinds a speed of 0 or more, no mode never suffices.
bool settings_suffice_to_connect(const ConfigBlock& block);

}  // namespace tavix
