// The description loader: builds the engine's school model from the school
// description ("scuola2.txt", "cattPROV.txt", "cattTEST.txt") after the
// command interpreter has reset the model. Errors leave through the error
// reporters; the function returns only after a complete load.
#pragma once

// mode: 1 for "CALC:" (full), 0 otherwise; handed to the reserved-subject check.
void or_load_description(const char* file_name, int mode);
