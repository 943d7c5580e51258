// Combo boxes: a field and a list of rows with data words. Three kinds by
// style: simple, drop-down (editable field) and drop-down list (the field
// shows the selected row). The list opens by a click on the field, F4 or
// ShowDropDown from code, in a pop-up window of its own above every other
// window (so no neighbouring control covers it), and closes on a choice,
// Esc, a click outside it or the loss of the focus. A choice made by
// the user sends CBN_CLOSEUP, CBN_SELENDOK and CBN_SELCHANGE (the selection
// is already set); arrows on the closed field select the next row with
// CBN_SELCHANGE; typing into an editable field sends CBN_EDITCHANGE.
// Selections made from code send nothing.
#pragma once

#include <memory>

#include "platform/controls/list_rows.h"

namespace kt::ui {

class ComboListWindow;

class ComboBox : public ListRowsControl {
 public:
  ComboBox();
  ~ComboBox() override;
  const char* ClassName() const override { return "ComboBox"; }

  int AddString(std::string_view text);
  void ResetContent();
  std::string GetLBText(int index) const { return RowText(index); }
  int SetCurSel(int index) override;
  int GetCurSel() const { return cur_; }
  void ShowDropDown(bool show = true);
  bool GetDroppedState() const { return dropped_; }
  // The pop-up that shows the open list (nullptr while closed).
  Window* DropDownWindow() const;
  // The combo box whose list is open now, or nullptr: a click anywhere
  // outside the list closes it.
  static ComboBox* Dropped();
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
  friend class ComboListWindow;
  int RowHeight() const;
  int FieldHeight() const;
  // Rows the open list shows at once.
  int ShownRows() const;
  void ListChanged();

  std::unique_ptr<ComboListWindow> list_;
  TypeAhead typed_;  // typing selects by the prefix typed within a short pause

  bool dropped_ = false;
  int limit_ = 30000;
  int drop_height_ = 0;  // the template's height: field and open list
};

}  // namespace kt::ui
