// Dialog templates: each dialog of the program is a constant C++ table in
// dialog units with its template id, caption, style and controls (class,
// control id, 1252 caption written with "..."_cp, style, position, size).
// Template order is Tab order. Each subsystem registers its tables at start
// (register_dialog_templates) and the dialog base creates windows from them.
//
// Control classes: "Button", "Static", "Edit", "ComboBox", "ListBox",
// "ListView", "ProgressBar", "ScrollBar" (the size grip) and "Custom" (a
// plain window a page draws itself). Every control is created visible;
// pages hide what they do not show in their initialisation.
//
// The lint checks what a template can get wrong: unique control ids (the
// static id -1 may repeat), every control inside the dialog, a known class,
// no empty size, and that every control a dialog's code binds exists.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/ui_types.h"

namespace kt::ui {

inline constexpr int kStaticId = -1;

struct ControlTemplate {
  const char* class_name = "Static";
  int id = kStaticId;
  const char* caption = "";
  std::uint32_t style = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  std::uint32_t ex_style = 0;
};

struct DialogTemplate {
  int id = 0;
  const char* caption = "";
  std::uint32_t style = kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame;
  int x = 0, y = 0, cx = 0, cy = 0;
  std::span<const ControlTemplate> controls;
  const char* font_face = "MS Sans Serif";
  int font_points = 8;
};

// Registration: a later table with an id already registered replaces it and
// is reported by the lint as a duplicate.
void register_dialog_template(const DialogTemplate& t);
void register_dialog_templates(std::span<const DialogTemplate> table);
const DialogTemplate* find_dialog_template(int id);
std::vector<const DialogTemplate*> registered_dialog_templates();

// Problems of one template, one sentence each; empty when it is sound.
std::vector<std::string> lint_dialog_template(const DialogTemplate& t);
// Problems of ids a dialog's code binds that the template does not hold.
std::vector<std::string> lint_bound_ids(const DialogTemplate& t, std::span<const int> ids);
// Every registered template, plus duplicate template ids.
std::vector<std::string> lint_all_dialog_templates();

// Dialog units to pixels with the given dialog base units.
Rect dialog_units_to_pixels(int x, int y, int cx, int cy, Size base_units);

bool is_known_control_class(const char* name);

// Problems the core noticed while running (a binding without a control, a
// modal loop left with nothing to wait for); tests read and clear them.
void report_ui_problem(std::string text);
std::vector<std::string> take_ui_problems();

}  // namespace kt::ui
