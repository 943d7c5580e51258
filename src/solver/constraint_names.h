// Names of the 96 constraint ids in the three languages of the engine.
//
// One row per id, Italian, German, English, all code page 1252. The solver
// reports problems by id; the trace lines, the stage text and the user
// interface's list of remaining problems take the name from here by the
// language index of the status block. Rows 1, 69-74 and 90-94 are ids without
// a constraint of their own ("(unused)"), row 95 is the catch-all "EV ???".
// The table is constant; nothing writes it.
#pragma once

#include <cstdint>

#include "engine/model.h"

struct ConstraintNameRow {
  const char* text[3];  // Italian, German, English
};

// Rows 0..95. Also reachable as ProblemTypeTable for the user interface.
extern const ConstraintNameRow EngineMessageTable[kConstraintCount];
inline const ConstraintNameRow (&ProblemTypeTable)[kConstraintCount] = EngineMessageTable;

// Name of id in language 0/1/2; an id outside 0..95 or a language outside
// 0..2 gives the row "EV ???" / Italian rather than reading past the table.
const char* or_constraint_name(int id, int language);

