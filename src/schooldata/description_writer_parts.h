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
void dw_write_teaching(std::string& out);
void dw_write_constraints(std::string& out);
// The tokens of a teacher's "V:" line, each starting with a TAB.
std::string dw_constraint_tokens(const UiTeacher& teacher);
