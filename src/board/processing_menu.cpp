// The processing menu page (see processing_menu.h). Its buttons go through
// the frame's page commands, so a page not built yet answers as the page
// table says; the reports and the check run modally in the computation
// window, which shows their progress and result, and the technical editor
// runs modally over the frame (navigation locked while the engine's tables
// are edited), back on this page when it ends.
#include "board/processing_menu.h"
#include "platform/cp1252.h"

#include "board/board_page.h"
#include "board/computation_page.h"
#include "board/courses_board.h"
#include "board/worker_page.h"
#include "engine/report_services.h"
#include "board/balancing_page.h"
#include "board/room_window.h"
#include "remote/publishing.h"
#include "schooldata/model_utilities.h"
#include "shell/dialog_title.h"
#include "shell/engine_commands.h"
#include "shell/frame.h"
#include "shell/ml_text.h"
#include "shell/status_file.h"
#include "structure/technical_editor.h"
#include "structure/trial_computation.h"

using namespace kt::ui;

Cmakedibi g_processing_menu;

namespace {

const MlText kTitle = {"Elaborazione dell'orario - Menu generale e STAMPA",
                       "Verarbeitung des Stundenplanes - Überblick und Druck"_cp,
                       "Timetable Processing - Overview and Printing"};
const MlText kEditorCaption = {"Editor tecnico", "Technischer Editor", "Technical editor"};
const MlText kComputeCaption = {"Calcolo dell'Orario", "Berechnung des Stundenplanes", "Timetable Calculation"};
const MlText kViewCaption = {"Vedi Orario Elaborato", "Vorbereiteten Stundenplan anzeigen", "View calculated Timetable"};
const MlText kBalanceCaption = {"Bilanciamento dell'orario", "Balance von Stundenplan", "Balance of Timetable"};
const MlText kCoursesCaption = {"Vedi Orario per Corsi (Sezioni) e Modifica Orario Manualmente",
                                "Stundenplan durch Abschnitte anzeigen um manuell zu ändern"_cp,
                                "View Timetable for Sections and change it manually"};
const MlText kStandbyCaption = {"Sistema le ore di Sostegno, Disposizione e Ricevimento",
                                "Verwaltung der Behindertenhilfe, Verfügung und Sprechstunden"_cp,
                                "Hours for Substitutions, - for Handicap Support - And Receipt of Public"};
const MlText kReportsCaption = {"STAMPA dell'orario (Report, RTF, HTML, CSV)", "DRUCK des Stundenplanes (Berichte, RTF, HTML, CSV)",
                                "PRINT the timetable (reports, RTF, HTML, CSV)"};
const MlText kCheckCaption = {"VERIFICA dell'orario salvato", "PRÜFUNG des gespeicherten Stundenplanes"_cp,
                              "CHECK the saved timetable"};
const MlText kBlankLabel = {"Righe vuote fra le tabelle (RTF):", "Leerzeilen zwischen den Tabellen (RTF):",
                            "Blank lines between tables (RTF):"};
const MlText kRoomsCaption = {"Assegnazione delle Aule", "Zuweisung der Klassenzimmer", "Allocation of Classrooms"};
const MlText kPublishCaption = {"Pubblica l'orario", "Veröffentlichen"_cp, "Publish timetable"};
const MlText kNoBlank = {"nessuna", "keine", "none"};

constexpr std::uint32_t kButton = kBsPushButton | kWsTabStop;
// The list offers none and one to four blank paragraphs: the table form
// writes one more than the setting, so the setting is the row less one.
constexpr int kBlankRows = kMaxBlankParagraphs + 2;

const ControlTemplate kControls[] = {
    {"Static", Cmakedibi::kTitleId, "", kSsLeft, 8, 8, 360, 12},
    {"Button", Cmakedibi::kComputeId, "Calcolo dell'Orario", kButton, 8, 26, 260, 16},
    {"Button", Cmakedibi::kViewId, "Vedi Orario Elaborato", kButton, 8, 46, 260, 16},
    {"Button", Cmakedibi::kBalanceId, "Bilanciamento dell'orario", kButton, 8, 66, 260, 16},
    {"Button", Cmakedibi::kCoursesId, "Vedi Orario per Corsi (Sezioni) e Modifica Orario Manualmente", kButton, 8, 86,
     260, 16},
    {"Button", Cmakedibi::kStandbyId, "Sistema le ore di Sostegno, Disposizione e Ricevimento", kButton, 8, 106, 260,
     16},
    {"Button", Cmakedibi::kTechnicalEditorId, "Editor tecnico", kButton, 8, 126, 260, 16},
    {"Button", Cmakedibi::kReportsId, "STAMPA dell'orario (Report, RTF, HTML, CSV)", kButton, 8, 150, 260, 16},
    {"Button", Cmakedibi::kCheckId, "VERIFICA dell'orario salvato", kButton, 8, 170, 260, 16},
    {"Button", Cmakedibi::kRoomWindowId, "Assegnazione delle Aule", kButton, 8, 190, 260, 16},
    {"Button", Cmakedibi::kPublishId, "Pubblica l'orario", kButton, 8, 210, 260, 16},
    {"Button", Cmakedibi::kWord2000Id, "Word 2000", kBsAutoCheckBox | kWsTabStop, 8, 232, 80, 12},
    {"Static", Cmakedibi::kBlankLabelId, "Righe vuote fra le tabelle (RTF):", kSsLeft, 8, 250, 150, 10},
    {"ComboBox", Cmakedibi::kBlankListId, "", kCbsDropDownList | kWsVScroll | kWsTabStop, 160, 248, 60, 80},
};
const DialogTemplate kTemplate = {Cmakedibi::kTemplate, "Elaborazione dell'orario", kWsChild, 0, 0, 380, 332,
                                  kControls};

const MlText kNotComputedQuestion = {
    "Questo orario non e' stato elaborato o contiene ancora errori.\nProcedere egualmente?",
    "Dieser Stundenplan wurde nicht berechnet oder enthält noch Fehler.\nTrotzdem fortfahren?"_cp,
    "This timetable was not computed or still holds errors.\nGo on anyway?"};

void run_in_computation_window(EngineCommandCode code) {
  Cmake window(code, "");
  window.DoModal();
}

// The reports, the room assignment and the publishing work on the computed
// timetable: while its state says it was not computed (or holds errors)
// the user is asked first.
bool timetable_may_be_used() { return og_check_timetable_state('2', kNotComputedQuestion.Get(), 0) == 0; }

}  // namespace

void ui_register_processing_menu_template() {
  if (find_dialog_template(kTemplate.id) != &kTemplate) register_dialog_template(kTemplate);
}

void makedibi_apply_report_options() { og_apply_report_options(); }

bool Cmakedibi::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  ui_set_current_dialog_title(kTitle.Get());
  FitIntoPageArea();
  ShowGrip(false);
  SetDlgItemText(kTitleId, kTitle.Get());
  const std::pair<int, const MlText*> captions[] = {
      {kTechnicalEditorId, &kEditorCaption}, {kComputeId, &kComputeCaption}, {kViewId, &kViewCaption},
      {kBalanceId, &kBalanceCaption},        {kCoursesId, &kCoursesCaption}, {kStandbyId, &kStandbyCaption},
      {kReportsId, &kReportsCaption},        {kCheckId, &kCheckCaption},     {kBlankLabelId, &kBlankLabel},
      {kRoomWindowId, &kRoomsCaption},       {kPublishId, &kPublishCaption}};
  for (const auto& [id, text] : captions) SetDlgItemText(id, text->Get());
  makedibi_apply_report_options();
  CheckDlgButton(kWord2000Id, g_rtf_text_form_option ? kBstChecked : kBstUnchecked);
  auto* blank = static_cast<ComboBox*>(GetDlgItem(kBlankListId));
  blank->AddString(kNoBlank.Get());
  for (int n = 1; n < kBlankRows; ++n) blank->AddString(std::to_string(n));
  blank->SetCurSel(g_table_blank_paragraphs + 1);
  AnchorControl(kTitleId, kAnchorTopLeft, kAnchorTopRight);
  return true;
}

bool Cmakedibi::OnCommand(WParam w, LParam l) {
  int id = command_id(w);
  if (command_code(w) == kCbnSelChange && id == kBlankListId) {
    int row = static_cast<ComboBox*>(GetDlgItem(kBlankListId))->GetCurSel();
    if (row >= 0) g_processing_options[1] = static_cast<std::uint8_t>(static_cast<signed char>(row - 1));
    makedibi_apply_report_options();
    return true;
  }
  if (command_code(w) != kBnClicked) return CResizableDialog::OnCommand(w, l);
  switch (id) {
    case kTechnicalEditorId: tech_run_editor_modal(); return true;
    case kComputeId: alfadlg_go_to_page(kPageMake); return true;
    case kViewId: alfadlg_go_to_page(kPageQuadro); return true;
    case kBalanceId: alfadlg_go_to_page(kPageBila); return true;
    case kCoursesId: alfadlg_go_to_page(kPageQcorsi); return true;
    case kStandbyId: alfadlg_go_to_page(kPageQuadroStandby); return true;
    case kReportsId:
      if (timetable_may_be_used()) run_in_computation_window(EngineCommandCode::Repo);
      return true;
    case kCheckId: run_in_computation_window(EngineCommandCode::Snod); return true;
    case kWord2000Id:
      g_processing_options[0] = IsDlgButtonChecked(kWord2000Id) == kBstChecked ? 1 : 0;
      makedibi_apply_report_options();
      return true;
    case kRoomWindowId:
      if (timetable_may_be_used()) board_open_room_window();
      return true;
    case kPublishId:
      if (timetable_may_be_used()) krv_publish_from_menu();
      return true;
    default: break;
  }
  return CResizableDialog::OnCommand(w, l);
}

void board_install_pages() {
  ui_register_processing_menu_template();
  ui_register_worker_page_template();
  g_pages.Install(PageSlot::Makedibi, &g_processing_menu);
  g_pages.Install(PageSlot::Parpro, &g_worker_page);
  board_install_computation_page();
  ui_register_balancing_page_template();
  g_pages.Install(PageSlot::Bila, &g_balancing_page);
  ui_register_board_template();
  g_pages.Install(PageSlot::Quadro, &g_board);
  ui_register_courses_board_templates();
  g_pages.Install(PageSlot::Qcorsi, &g_courses_board);
  g_frame_service_hooks.start_parallel_workers = [] { og_parpro_start_workers(-1); };
  g_frame_service_hooks.computation_page_moved = [](int moved) {
    if (g_current_page == &g_make_page) g_make_page.PlaceProblemsMonitor(moved);
  };
}
