// Shared pieces of the description writer's units: formatting, class codes,
// the gym and band lines, the teaching lines and the personal-constraint
// lines. Internal to the writer.
//
// Every piece appends logical lines ('\n'-ended) to one string; the entry
// point splits it into the file's lines. Indexes read from the model are
// checked against their tables before a name is looked up.
#pragma once

#include <string>

#include "schooldata/ui_school_model.h"

std::string dw_format(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The class code in 2 characters (one study track) or 3.
std::string dw_class_code(int class_index);
void dw_write_gym(std::string& out, const UiGym& gym);
void dw_write_bands(std::string& out);
// provisional: teachers marked "PRNS:" are left out.
void dw_write_teaching(std::string& out, bool provisional);
void dw_write_constraints(std::string& out, bool provisional);
// The tokens of a teacher's "V:" line, each starting with a TAB.
std::string dw_constraint_tokens(const UiTeacher& teacher);

// Class-level lines, each written only when the model holds its values.
void dw_write_short_day(std::string& out);
void dw_write_class_lists(std::string& out);
bool dw_any_rotation();
void dw_write_rotation(std::string& out);
void dw_write_standby_bands(std::string& out);
void dw_write_tekno(std::string& out);
// mode 2 first clears calendar cells beyond the provisional hours.
void dw_write_calendars(std::string& out, int mode);
void dw_write_sissi(std::string& out);
// Provisional variant: posts of teachers kept in it lose a partner who is
// left out ("PRNS:"), or take the owner as partner when they have a lab.
void dw_drop_provisional_partners();
// The provisional-timetable page's change of the working posts.
void ui_adapt_posts_for_provisional();
