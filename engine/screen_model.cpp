#include "screen_model.h"

#include <cstring>

ScreenModel Screen;

void ResetScreenModel() { std::memset(&Screen, 0, sizeof Screen); }
