// Template registry and lint (see dialog_template.h). The registry is a
// small vector searched linearly: a few hundred templates, looked up once
// per dialog opening. The problem log collects what the core notices at run
// time (bindings without controls, abandoned modal runs) for tests to read;
// the program never shows it.
#include "platform/dialog_template.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace kt::ui {

namespace {

struct Registry {
  std::vector<const DialogTemplate*> templates;
  std::vector<int> duplicates;
  std::vector<std::string> problems;
};

Registry& registry() {
  static Registry* r = new Registry;
  return *r;
}

// The field of a drop-down combo box, in dialog units.
constexpr int kComboFieldHeight = 12;

std::string where(const DialogTemplate& t, const ControlTemplate* c = nullptr) {
  std::string s = "template " + std::to_string(t.id);
  if (c) s += " control " + std::to_string(c->id) + " \"" + (c->caption ? c->caption : "") + "\"";
  return s;
}

}  // namespace

void register_dialog_template(const DialogTemplate& t) {
  Registry& r = registry();
  for (const DialogTemplate*& old : r.templates)
    if (old->id == t.id) {
      if (old != &t) r.duplicates.push_back(t.id);
      old = &t;
      return;
    }
  r.templates.push_back(&t);
}

void register_dialog_templates(std::span<const DialogTemplate> table) {
  for (const DialogTemplate& t : table) register_dialog_template(t);
}

const DialogTemplate* find_dialog_template(int id) {
  for (const DialogTemplate* t : registry().templates)
    if (t->id == id) return t;
  return nullptr;
}

std::vector<const DialogTemplate*> registered_dialog_templates() { return registry().templates; }

bool is_known_control_class(const char* name) {
  static const char* const kClasses[] = {"Button", "Static", "Edit", "ComboBox", "ListBox",
                                         "ListView", "ProgressBar", "ScrollBar", "Custom"};
  if (!name) return false;
  for (const char* k : kClasses)
    if (std::strcmp(k, name) == 0) return true;
  return false;
}

Rect dialog_units_to_pixels(int x, int y, int cx, int cy, Size base) {
  auto h = [&](int v) { return (v * base.cx + (v >= 0 ? 2 : -2)) / 4; };
  auto v = [&](int u) { return (u * base.cy + (u >= 0 ? 4 : -4)) / 8; };
  return {h(x), v(y), h(x) + h(cx), v(y) + v(cy)};
}

std::vector<std::string> lint_dialog_template(const DialogTemplate& t) {
  std::vector<std::string> out;
  if (t.cx <= 0 || t.cy <= 0) out.push_back(where(t) + ": empty size");
  if (!t.caption) out.push_back(where(t) + ": no caption");
  std::map<int, int> seen;
  for (const ControlTemplate& c : t.controls) {
    if (!is_known_control_class(c.class_name))
      out.push_back(where(t, &c) + ": unknown class " + (c.class_name ? c.class_name : "(none)"));
    if (c.id != kStaticId && ++seen[c.id] == 2) out.push_back(where(t, &c) + ": id used twice");
    if (c.cx <= 0 || c.cy <= 0) out.push_back(where(t, &c) + ": empty size");
    // A drop-down combo box's template height is that of its open list,
    // which may open past the dialog's edge; only its field must lie inside.
    int cy = c.cy;
    if (c.class_name && std::strcmp(c.class_name, "ComboBox") == 0 && (c.style & kCbsTypeMask) != kCbsSimple)
      cy = std::min(cy, kComboFieldHeight);
    if (c.x < 0 || c.y < 0 || c.x + c.cx > t.cx || c.y + cy > t.cy)
      out.push_back(where(t, &c) + ": outside the dialog");
    if (!c.caption) out.push_back(where(t, &c) + ": no caption (use \"\")");
  }
  return out;
}

std::vector<std::string> lint_bound_ids(const DialogTemplate& t, std::span<const int> ids) {
  std::vector<std::string> out;
  for (int id : ids) {
    bool found = std::any_of(t.controls.begin(), t.controls.end(), [&](const ControlTemplate& c) { return c.id == id; });
    if (!found) out.push_back(where(t) + ": the code binds control " + std::to_string(id) + " that it does not hold");
  }
  return out;
}

std::vector<std::string> lint_all_dialog_templates() {
  std::vector<std::string> out;
  for (int id : registry().duplicates) out.push_back("template " + std::to_string(id) + ": registered twice");
  for (const DialogTemplate* t : registry().templates) {
    std::vector<std::string> one = lint_dialog_template(*t);
    out.insert(out.end(), one.begin(), one.end());
  }
  return out;
}

void report_ui_problem(std::string text) { registry().problems.push_back(std::move(text)); }

std::vector<std::string> take_ui_problems() {
  std::vector<std::string> out;
  out.swap(registry().problems);
  return out;
}

}  // namespace kt::ui
