// Stand-by and support hours, and the reception hours: the steps the command
// interpreter runs for "SYNT:", "REPO:", "DISP:", "RIGO:" and the substitution
// commands after the model is loaded.
#pragma once

// Builds the stand-by and support lessons, prepares and evaluates the model.
void or_prepare_standby_run();
// 0 when the saved stand-by placements were read back, -1 otherwise (or the
// critical error "Mancano ore assegnate alle disposizioni" with ask set).
int or_check_standby_hours(int ask);
void or_pack_standby_lessons(int mode);
void or_allocate_reception_hours();
