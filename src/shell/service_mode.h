// g_service_mode: non-zero while the program runs in its service mode, the
// mode of the maker's support staff that shows the buttons whose caption
// begins with "@" and a few service lines. Pages only read it; the shell
// sets it. User-interface thread only.
#pragma once

#include <cstdint>

extern std::uint8_t g_service_mode;
