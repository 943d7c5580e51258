// Combo boxes: a field and a list of rows with data words. Three kinds by
// style: simple, drop-down (editable field) and drop-down list (the field
// shows the selected row). The list opens by a click on the field, F4 or
// ShowDropDown from code, and closes on a choice or Esc. A choice made by
// the user sends CBN_CLOSEUP, CBN_SELENDOK and CBN_SELCHANGE (the selection
// is already set); arrows on the closed field select the next row with
// CBN_SELCHANGE; typing into an editable field sends CBN_EDITCHANGE.
// Selections made from code send nothing.
#pragma once

#include "platform/controls/list_rows.h"

namespace kt::ui {

class ComboBox : public ListRowsControl {
 public:
  const char* ClassName() const override { return "ComboBox"; }
  bool Create(std::uint32_t style, const Rect& r, Window* parent, int id);

  int AddString(std::string_view text);
  int InsertString(int index, std::string_view text);
  int DeleteString(int index);
  void ResetContent();
  std::string GetLBText(int index) const { return RowText(index); }
  int GetLBTextLen(int index) const { return RowTextLength(index); }
  int SetCurSel(int index) override;
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

  bool dropped_ = false;
  int limit_ = 30000;
  int drop_height_ = 0;  // the template's height: field and open list
};

}  // namespace kt::ui
