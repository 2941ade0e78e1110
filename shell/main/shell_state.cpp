#include "shell_state.h"

ShellState Shell = {};
