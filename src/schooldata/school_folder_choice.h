// The home page's two ways into the school-folder chooser: "Selezione
// Scuola" (choose mode) and "Crea nuova Cartella e nuova Scuola" (create
// mode), with the steps of a new school filled from the school model: read
// the one-line description of the new folder, share the former school's
// cloud code when asked, the defaults of the school type chosen by the
// user, the first write of the description.
//
// The names of a new school are asked by the program's input box, which
// lives with the structure editors; the program installs it here. Without
// it a creation does nothing. User-interface thread only.
#pragma once

#include <functional>
#include <string>

#include "schooldata/school_folder_list.h"

// Asks the school's full name and its folder's name; false unless OK.
extern std::function<bool(std::string* school, std::string* folder)> g_new_school_names;

// Asks the school type with the chooser: its type code (40-43, 50-53), or
// -1 when the chooser was closed without a choice.
int og_ask_school_type();

// The hooks of a new school over the school model and the dialogs.
NewSchoolHooks og_new_school_hooks();

// Runs the chooser; true when it ended with OK, folder then holds the
// current folder (the chosen school's). Cancel leaves the folder of the
// opening current: in create mode, the folder `folder` holds on entry (the
// one current before the caller entered the data root).
bool og_run_school_folder_chooser(bool create_mode, std::string& folder);
// Shows the data-transfer guide (the remote services set it at start-up);
// the chooser's transfer button calls it.
extern void (*g_show_transfer_guide)();

// Whether a new school shares the cloud access of the school that was
// current: negative cancels, positive shares, 0 does not share. Until the
// remote services bring their own dialog it asks with a yes/no/cancel box.
class Cselcloud {
 public:
  int DoModal();
};
