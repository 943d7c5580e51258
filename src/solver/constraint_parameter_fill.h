// Filling of the evaluator parameter side tables (constraint_parameters.h)
// from the loaded model. Runs once per load: after the model preparation of
// the first search command or improvement phase, before its first
// evaluation, and before stored exemptions are applied again.
#pragma once

// Copies the values the model carries into the side tables.
void or_fill_constraint_parameters();

// Once per load: resets the side tables and the exemption allowances and
// fills them from the model; later calls of the same load change nothing.
void or_prepare_constraint_parameters();
