// The SDL2 host: every form a real window. Link qel::sdl, then call
// qel::InstallSdlHost() before the first form is shown.
#pragma once

#include "platform/hosts/sdl/SdlHost.h"
