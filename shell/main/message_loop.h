#pragma once

// Runs until WM_QUIT; returns its code.
int RunMessageLoop();
