// Filling of the evaluator parameter side tables (constraint_parameters.h)
// from the loaded model. Runs after the model preparation of each search
// command and before its first evaluation.
#pragma once

// Copies the values the model carries into the side tables.
void or_fill_constraint_parameters();

// Resets the side tables and fills them again from the model.
void or_prepare_constraint_parameters();
