// Behaviour of the provisional-timetable page (see provisional_page.h).
//
// The provisional calendar is chosen inside the school's normal week: while
// the picker is open (and while it writes its summary) the provisional mode
// is lifted, so every hour of the normal day can be marked; the per-day
// provisional hours are then the marked hours of each day, counted from the
// first (the picker fills earlier hours in).
#include "substitutions/provisional_page.h"

#include "engine/status_block.h"
#include "engine/timetable_aside.h"
#include "platform/cp1252.h"
#include "schooldata/description_writer.h"
#include "schooldata/school_files.h"
#include "schooldata/ui_school_model.h"
#include "shell/dialog_title.h"
#include "shell/frame.h"
#include "shell/message_box.h"
#include "structure/trial_computation.h"
#include "substitutions/substitutions_dialog.h"

using namespace kt::ui;

Cprovvi g_provisional_page;

namespace {

const MlText kTitle = {"Orario Provvisorio", "Vorläufiger Stundenplan"_cp, "Provisional Timetable"};
const MlText kCalendarTitle = {"Calendario Settimanale:", "Wochenkalender:", "Weekly Calendar:"};
const MlText kCalendarHelp = {
    "Indicate le ore di ciascun giorno nei primi giorni di scuola: l'orario provvisorio le usa al posto delle ore "
    "normali.",
    "Geben Sie die Stunden jedes Tages in den ersten Schultagen an: der vorläufige Stundenplan verwendet sie "
    "statt der normalen Stunden."_cp,
    "Mark the hours of each day in the first school days: the provisional timetable uses them instead of the normal "
    "hours."};
const MlText kNotice = {
    "Si lavora sull'orario provvisorio: il calcolo usa cattPROV.txt e scrive in Provvisorio; l'orario definitivo "
    "non cambia.",
    "Sie arbeiten am vorläufigen Stundenplan: die Berechnung verwendet cattPROV.txt und schreibt in Provvisorio; "
    "der endgültige Stundenplan bleibt unverändert."_cp,
    "You are working on the provisional timetable: the computation uses cattPROV.txt and writes into Provvisorio; "
    "the final timetable does not change."};
const MlText kNoCalendar = {"Indicare prima il Calendario Settimanale dell'orario provvisorio",
                            "Bitte zuerst den Wochenkalender des vorläufigen Stundenplans angeben"_cp,
                            "First mark the weekly calendar of the provisional timetable"};
const MlText kAskContinue = {
    "Esiste già un orario provvisorio salvato.\n\nSì: continua dall'orario provvisorio salvato.\nNo: calcola un "_cp
    "nuovo orario provvisorio da una settimana vuota; quello salvato viene messo da parte "_cp
    "(saveprov_precedente.txt).\nAnnulla: nessun calcolo."_cp,
    "Es gibt bereits einen gespeicherten vorläufigen Stundenplan.\n\nJa: vom gespeicherten vorläufigen "_cp
    "Stundenplan fortsetzen.\nNein: einen neuen vorläufigen Stundenplan mit einer leeren Woche berechnen; der "_cp
    "gespeicherte wird beiseitegelegt (saveprov_precedente.txt).\nAbbrechen: keine Berechnung."_cp,
    "A provisional timetable is already saved.\n\nYes: continue from the saved provisional timetable.\nNo: "
    "compute a new provisional timetable from an empty week; the saved one is set aside "
    "(saveprov_precedente.txt).\nCancel: no computation."};

// Runs `work` with the provisional mode lifted, then sets it again.
template <class Work>
void in_normal_week(Work work) {
  g_provisional_mode = 0;
  work();
  g_provisional_mode = 1;
}

}  // namespace

void Cprovvi::DoDataExchange(DataExchange& dx) {
  dx.Control(kCalendarId, m_calendar);
  dx.Control(kComputeId, m_compute);
  dx.Control(kLeaveId, m_leave);
}

bool Cprovvi::OnInitDialog() {
  g_provisional_mode = 1;
  CResizableDialog::OnInitDialog();
  ui_set_current_dialog_title(kTitle.Get());
  FitIntoPageArea();
  ShowGrip(false);
  SetDlgItemText(kTitleId, kTitle.Get());
  SetDlgItemText(kNoticeId, kNotice.Get());
  AnchorControl(kTitleId, kAnchorTopLeft, kAnchorTopRight);
  AnchorControl(kNoticeId, kAnchorTopLeft, kAnchorTopRight);
  for (int d = 0; d < 7; ++d)
    for (int h = 0; h < 12; ++h) m_mask[d * 12 + h] = h < g_ui_header.provisional_hours_per_day[d] ? 1 : 0;
  ShowCalendar();
  // The frame's buttons take the provisional palette.
  if (g_frame.IsWindow()) g_frame.Invalidate();
  return true;
}

void Cprovvi::OnDestroy() {
  g_provisional_mode = 0;
  if (g_frame.IsWindow()) g_frame.Invalidate();
  CResizableDialog::OnDestroy();
}

bool Cprovvi::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kBnClicked) {
    switch (command_id(w)) {
      case kCalendarId: OnCalendar(); return true;
      case kComputeId: OnCompute(); return true;
      case kLeaveId: alfadlg_go_to_page(kPageHome); return true;
      default: break;
    }
  }
  return CResizableDialog::OnCommand(w, l);
}

void Cprovvi::ShowCalendar() {
  in_normal_week([&] { m_picker.SetGridData(&m_calendar, kCalendarTitle.Get(), "", m_mask, &kCalendarHelp, 1); });
}

// The calendar is the school's (a line of its description): a changed one
// is saved at once, both files as one step, so it is neither lost nor found
// later as an unsaved change by another page.
void Cprovvi::OnCalendar() {
  in_normal_week([&] {
    m_picker.SetGridData(&m_calendar, kCalendarTitle.Get(), "", m_mask, &kCalendarHelp, 1);
    m_picker.DoModal();
  });
  bool changed = false;
  for (int d = 0; d < 7; ++d) {
    int hours = 0;
    for (int h = 0; h < g_ui_header.hours_per_day[d] && h < 12; ++h)
      if (m_mask[0] == 255 || m_mask[d * 12 + h] == 1) hours = h + 1;
    changed = changed || g_ui_header.provisional_hours_per_day[d] != hours;
    g_ui_header.provisional_hours_per_day[d] = static_cast<std::uint8_t>(hours);
  }
  for (int d = 0; d < 7; ++d)
    for (int h = 0; h < 12; ++h) m_mask[d * 12 + h] = h < g_ui_header.provisional_hours_per_day[d] ? 1 : 0;
  ShowCalendar();
  // Written as the normal school, as any page saves it.
  if (changed) in_normal_week([] { og_save_school_files(); });
}

void Cprovvi::OnCompute() {
  int week = 0;
  for (int d = 0; d < 7; ++d) week += g_ui_header.provisional_hours_per_day[d];
  if (week == 0) {
    ui_message_box(kNoCalendar);
    return;
  }
  // A saved provisional week is continued from, or set aside for a new one
  // from an empty week (the window sets it aside once the data checks).
  bool from_empty_week = false;
  if (or_saved_timetable_present()) {
    int answer = ui_message_box_type(kAskContinue, kMbYesNoCancel | kMbIconQuestion);
    if (answer != kIdYes && answer != kIdNo) return;
    from_empty_week = answer == kIdNo;
  }
  if (og_write_assignments_file(2, 0) != 0) {
    ui_message_box(og_description_write_error());
    return;
  }
  Cmake window(EngineCommandCode::CalcRedo, "", from_empty_week);
  window.DoModal();
}
