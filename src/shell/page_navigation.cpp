// The page command table, the page holder and the stand-in page. The table
// is the one place that says, for each page command, which page slot and
// template it opens, which section button it lights, which byte it hands the
// page and which pages need a computed timetable. Texts are the menu texts
// of the section menus in the three languages.
#include "platform/cp1252.h"
#include "shell/frame.h"
#include "shell/home_page.h"

using namespace kt::ui;

namespace {

using S = PageSlot;
constexpr int kHere = -1, kLow = -2;

const PageRow kRows[] = {
    {kPageHome, S::Home, 107, 1, kHere, 0, 0, false, "IKOP_FILE",
     {"FILE Operazioni Iniziali", "FILE (Anfang)", "FILE (beginning)"}},
    {kPageConfigMenu, S::MenuConfora, 137, 2, kHere, 0, 0, false, "IKOP_CONFORA",
     {"Configurazione dell'Orario - Menu generale", "Konfiguration des Stundenplanes - Überblick"_cp,
      "Timetable Configuration - Overview"}},
    {kPageProscuola, S::Proscuola, 139, 0, kHere, 0, 0, false, "IKOP_1",
     {"Indirizzi di Studio, Sezioni e Calendario settimanale", "Fachrichtungen, Abschnitten und wöchentlichen Kalender"_cp,
      "Addresses, Sections and weekly Calendar"}},
    {kPagePlessi, S::Plessi, 141, 0, kHere, 0, 0, false, "IKOP_2",
     {"Sedi (Plessi), e Associa le Classi con i Plessi", "Gebäude und Klassen mit Gebäuden verbinden"_cp,
      "Buildings and Associate Classes with Buildings"}},
    {kPageMaterie, S::Materie, 142, 0, 0, 0, 0, false, "IKOP_3",
     {"Dizionario Materie di Insegnamento", "Fächerlexikons"_cp, "Dictionary of Teaching Subjects"}},
    {kPageLapal, S::Lapal, 144, 0, kHere, 0, 0, false, "IKOP_4",
     {"Laboratori", "Laboratorien", "Configure Laboratories"}},
    {kPagePale, S::Pale, 145, 0, kHere, 0, 0, false, "IKOP_5",
     {"Palestre (e altri Locali Comuni)", "Turnhallen - (und anderen gemeinsam benutzten Räume)"_cp,
      "Gyms (and other common Rooms)"}},
    {kPageProqui, S::Proqui, 156, 0, kHere, 0, 0, false, "IKOP_6a",
     {"Inserimento Iniziale di Professori e Cattedre", "Anfängliches Einfügen Lehrstunden und Lehrer"_cp,
      "Initial Insertion of Lessons and Teachers"}},
    {kPageLacoco, S::Lacoco, 233, 0, kHere, 0, 0, false, "IKOP_6b",
     {"Modifica delle Cattedre per Classe - Gestione delle ore di Laboratorio / Compresenza",
      "Lehrstunden durch Klassen ändern - Verwaltung von Stunden Labor / Mitanwesenheit"_cp,
      "Changing Lessons for Class - Management of Labs and Twin Teacher Lessons"}},
    {kPageProcat, S::Procat, 140, 0, kLow, 0, 0, false, "IKOP_6c",
     {"Modifica delle Cattedre per Insegnante - Modifica di Laboratori e Compresenze",
      "Lehrstunden durch Lehrer ändern - Labors und Mitanwesenheiten ändern"_cp,
      "Changing Lessons for Teacher - Edit Labs and Twin Teacher Lessons"}},
    {kPageSyncat, S::Syncat, 157, 0, kHere, 0, 0, false, "IKOP_RIEPILOGO",
     {"Riepilogo generale delle cattedre", "Zusammenfassung der Klassenstunden", "Lessons Summary "}},
    {kPageVicat, S::Vicat, 151, 0, kLow, 0, 0, false, "IKOP_7",
     {"Vincoli per le CATTEDRE e per le ore di insegnamento", "Begrenzungen für die Unterrichtsstunden"_cp,
      "Constraints for Lessons"}},
    {kPageVipro, S::Vipro, 152, 0, kLow, 0, 0, false, "IKOP_8",
     {"Vincoli PERSONALI per i Professori", "PERSÖNLICHEN Begrenzungen für Lehrer"_cp,
      "Personal Constraints for Teachers"}},
    {kPageVidia, S::Vidia, 155, 0, kLow, 0, 0, false, "IKOP_9",
     {"Vincoli SPECIALI  per i Professori", "BESONDEREN   Begrenzungen für Lehrer"_cp,
      "SPECIAL  Constraints for Teachers"}},
    {kPageParameters1, S::Orapage, 138, 0, kHere, 1, 1, false, "IKOP_11",
     {"Parametri generali - Distribuzione dell'insegnamento nella settimana",
      "Verteilung der Unterrichtstunden in der Woche", "Distribution of teaching in the week"}},
    {kPageParameters2, S::Orapage, 138, 0, kHere, 2, 1, false, "IKOP_12",
     {"Parametri generali - Ore di servizio", "Dienststunden", "Hours of Service"}},
    {kPageParameters3, S::Orapage, 138, 0, kHere, 3, 1, false, "IKOP_13",
     {"Parametri generali - Uscite e rientri in classe", "Weggang und Rückkehr in die Klasse"_cp,
      "Leaves and returns into Class"}},
    {kPageParameters4, S::Orapage, 138, 0, kHere, 4, 1, false, "IKOP_14",
     {"Parametri generali - Ore buche e ore a disposizione", "Leerstunden und Stunden zur Verfügung"_cp,
      "Vacant Hours and Hours available for Substitutions"}},
    {kPageOraspec, S::Oraspec, 129, 0, kHere, 0, 0, false, "IKOP_15",
     {"Parametri generali - Deroghe alle ore di servizio e Parametri speciali",
      "Ausnahmen von den Dienststunden und spezielle Parameter",
      "Exceptions to the Hours of service and special parameters"}},
    {kPageProcessingMenu, S::Makedibi, 159, 3, kHere, 0, 0, false, "IKOP_ELAORA",
     {"Elaborazione dell'orario - Menu generale e STAMPA", "Verarbeitung des Stundenplanes - Überblick und Druck"_cp,
      "Timetable Processing - Overview and Printing"}},
    {kPageMake, S::Make, 158, 0, 0, 0, 0, false, "IKOP_1",
     {"Calcolo dell'Orario", "Berechnung des Stundenplanes", "Timetable Calculation"}},
    {kPageQuadro, S::Quadro, 166, 0, 0, 0, 1, true, "IKOP_2",
     {"Vedi Orario Elaborato", "Vorbereiteten Stundenplan anzeigen", "View calculated Timetable"}},
    {kPageBila, S::Bila, 192, 0, kHere, 0, 0, true, "IKOP_3",
     {"Bilanciamento dell'orario", "Balance von Stundenplan", "Balance of Timetable"}},
    {kPageQcorsi, S::Qcorsi, 167, 0, kHere, 0, 0, true, "IKOP_6",
     {"Vedi Orario per Corsi (Sezioni) e Modifica Orario Manualmente",
      "Stundenplan durch Abschnitte anzeigen um manuell zu ändern"_cp,
      "View Timetable for Sections and change it manually"}},
    {kPageQuadroStandby, S::Quadro, 166, 0, 1, 0, 1, true, "IKOP_7",
     {"Sistema le ore di Sostegno, Disposizione e Ricevimento",
      "Verwaltung der Behindertenhilfe, Verfügung und Sprechstunden"_cp,
      "Hours for Substitutions, - for Handicap Support - And Receipt of Public"}},
    {kPageEditek, S::Editek, 322, 0, kHere, 0, 0, false, nullptr,
     {"Editor tecnico", "Technischer Editor", "Technical editor"}},
    {kPageProvvi, S::Provvi, 242, 4, kHere, 0, 0, false, nullptr,
     {"Orario Provvisorio", "Vorläufiger Stundenplan"_cp, "Provisional Timetable"}},
    {kPageParpro, S::Parpro, 279, 0, kHere, 0, 4, false, nullptr,
     {"Processo di calcolo parallelo", "Paralleler Rechenprozess", "Parallel computing process"}},
    {kPageAssistance, S::Count, 0, 0, kHere, 0, 0, false, "IKOP_CHAT",
     {"Assistenza On Line", "On Line Assistenz", "On Line Assistance"}},
};

const MlText kNotAvailable = {"Questa funzione non è ancora disponibile in questa versione."_cp,
                              "Diese Funktion ist in dieser Version noch nicht verfügbar."_cp,
                              "This function is not available yet in this version."};

constexpr std::uint32_t kConfigurationTemplates[] = {139, 141, 142, 144, 145, 156, 233, 140, 157, 151, 152, 155, 138, 129};
constexpr std::uint32_t kProcessingTemplates[] = {158, 166, 192, 167, 322};

}  // namespace

const MlText& ui_not_available_text() { return kNotAvailable; }

const PageRow* page_row(int id) {
  for (const PageRow& row : kRows)
    if (row.id == id) return &row;
  return nullptr;
}

bool page_is_configuration(std::uint32_t t) {
  for (std::uint32_t c : kConfigurationTemplates)
    if (c == t) return true;
  return false;
}

bool page_is_processing(std::uint32_t t) {
  for (std::uint32_t c : kProcessingTemplates)
    if (c == t) return true;
  return false;
}

PageHolder::PageHolder() {
  for (CResizableDialog*& p : m_pages) p = nullptr;
  m_pages[int(PageSlot::Home)] = &g_home_page;
  for (const PageRow& row : kRows)
    if (row.slot != PageSlot::Count && !m_pending[int(row.slot)].m_title) m_pending[int(row.slot)].m_title = &row.menu;
}

CResizableDialog* PageHolder::Page(PageSlot slot) {
  int i = int(slot);
  if (i < 0 || i >= kPageSlots) return nullptr;
  return m_pages[i] ? m_pages[i] : &m_pending[i];
}

bool CPendingPage::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  FitIntoPageArea();
  ShowGrip(false);
  SetDlgItemText(kTitleId, m_title ? m_title->Get() : "");
  SetDlgItemText(kNoticeId, kNotAvailable.Get());
  AnchorControl(kTitleId, kAnchorTopLeft, kAnchorTopRight);
  AnchorControl(kNoticeId, kAnchorTopLeft, kAnchorTopRight);
  return true;
}

void CPendingPage::OnCancel() { g_frame.PostMessage(kMsgCommand, make_command_param(kPageClose, 0), 0); }
