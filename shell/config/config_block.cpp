#include "shell/config/config_block.h"

namespace tavix {

int per_kind_index(int mode) {
    if (mode >= 1 && mode <= 5) return mode;
    if (mode == 10) return 6;
    if (mode == 11) return 7;
    return 0;
}

bool is_network_mode(int mode) {
    return mode == 0 || mode == 6 || mode == 9;
}

bool settings_suffice_to_connect(const ConfigBlock& block) {
    if (is_network_mode(block.mode)) return block.host[0] != '\0';
    if (is_serial_mode(block.mode)) return block.speed >= 0;
    return false;
}

}  // namespace tavix
