// The power action at the end of a computation: switch the computer off or
// suspend it through the system's power manager ("systemctl poweroff",
// "systemctl suspend"), started from an argument vector. A request that
// cannot be made says so and switches nothing off; switching off ends the
// program afterwards, as the user asked for a machine that is off.
#include <string>
#include <vector>

#include "platform/process.h"
#include "shell/app_startup.h"
#include "shell/message_box.h"

kt::DesktopLauncher g_power_launcher;

namespace {

bool launch(const std::vector<std::string>& argv) {
  int error = 0;
  if (g_power_launcher) return g_power_launcher(argv, &error);
  return kt::spawn_detached(argv, &error);
}

}  // namespace

int og_shutdown_computer(int mode) {
  if (mode == 1) {
    if (!launch({"systemctl", "poweroff"})) {
      ui_message_box("AdjustTokenPrivileges enable failed.");
      return 0;
    }
    og_exit_program(0);
  }
  if (!launch({"systemctl", "suspend"})) {
    ui_message_box("AdjustTokenPrivileges enable failed.");
    return 0;
  }
  return 1;
}
