// The service-mode byte (see service_mode.h); off unless the shell turns it on.
#include "shell/service_mode.h"

std::uint8_t g_service_mode = 0;
