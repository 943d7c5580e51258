// Czzempty and Cmemoverde (see small_dialogs.h). The list window opens in
// the top-left corner of the work area so it does not cover the page the
// user is looking at; each pair of lines is selected and scrolled into
// view as it arrives. The notice shows its picture resource in a static
// control and ends with its OK button.
#include "shell/small_dialogs.h"

using namespace kt::ui;

Czzempty g_zzempty;

void Czzempty::DoDataExchange(DataExchange& dx) { dx.Control(kListId, m_list); }

bool Czzempty::OnInitDialog() {
  CDialogML::OnInitDialog();
  Rect r = GetWindowRect();
  Rect work = backend().WorkArea();
  MoveWindow(Rect{work.left, work.top, work.left + r.Width(), work.top + r.Height()});
  return true;
}

void Czzempty::AddLinePair(std::string_view first, std::string_view second) {
  if (!m_list.IsWindow()) return;
  m_list.AddString(first);
  int last = m_list.AddString(second);
  m_list.SetCurSel(last);
  m_list.SetTopIndex(last);
}

void Cmemoverde::DoDataExchange(DataExchange& dx) {
  dx.Control(kIdOk, m_ok);
  dx.Control(kPictureId, m_picture);
}

bool Cmemoverde::OnInitDialog() {
  Dialog::OnInitDialog();
  m_picture.SetBitmap(kBitmap);
  return true;
}
