// Combo boxes: a field and a list of rows with data words. Three kinds by
// style: simple, drop-down (editable field) and drop-down list (the field
// shows the selected row). The list opens by a click on the field, F4 or
// ShowDropDown from code, and closes on a choice or Esc. A choice made by
// the user sends CBN_CLOSEUP, CBN_SELENDOK and CBN_SELCHANGE (the selection
// is already set); arrows on the closed field select the next row with
// CBN_SELCHANGE; typing into an editable field sends CBN_EDITCHANGE.
// Selections made from code send nothing.
#pragma once

#include "platform/controls/list_box.h"

namespace kt::ui {

inline constexpr int kCbErr = -1;

class ComboBox : public Window {
 public:
  const char* ClassName() const override { return "ComboBox"; }
  bool Create(std::uint32_t style, const Rect& r, Window* parent, int id);

  int AddString(std::string_view text);
  int InsertString(int index, std::string_view text);
  int DeleteString(int index);
  void ResetContent();
  int GetCount() const { return int(rows_.rows.size()); }
  std::string GetLBText(int index) const;
  int GetLBTextLen(int index) const { return rows_.Valid(index) ? int(rows_.rows[std::size_t(index)].text.size()) : kCbErr; }
  int SetItemData(int index, std::uintptr_t data);
  std::uintptr_t GetItemData(int index) const;
  int FindString(int start, std::string_view prefix) const { return rows_.Find(start, prefix, false); }
  int FindStringExact(int start, std::string_view text) const { return rows_.Find(start, text, true); }
  int SelectString(int start, std::string_view prefix);
  int SetCurSel(int index);
  int GetCurSel() const { return cur_; }
  void ShowDropDown(bool show = true);
  bool GetDroppedState() const { return dropped_; }
  void LimitText(int max_chars) { limit_ = max_chars <= 0 ? 30000 : max_chars; }
  std::uint32_t Kind() const { return GetStyle() & kCbsTypeMask; }

  // What a user's choice of a row does (the test driver selects through it).
  void UserChoose(int index);
  // What typing into the editable field does.
  void UserType(std::string_view text);

  unsigned GetDlgCode(int key) const override;
  void OnPaint(DeviceContext& dc) override;

 protected:
  void OnLButtonDown(Point p, unsigned mods) override;
  void OnKeyDown(int key, unsigned mods) override;
  void OnChar(unsigned char ch, unsigned mods) override;
  void OnSetFocus(Window*) override { NotifyParentCommand(kCbnSetFocus); Invalidate(); }
  void OnKillFocus(Window*) override;
  bool OnCreate() override;
  void OnDestroy() override;

 private:
  int RowHeight() const;
  int FieldHeight() const;

  ListRows rows_;
  int cur_ = -1;
  bool dropped_ = false;
  int limit_ = 30000;
  int drop_height_ = 0;  // the template's height: field and open list
};

}  // namespace kt::ui
