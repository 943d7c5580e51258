// The desktop program's joints: the pieces that do not link each other meet
// here. The home page's school buttons reach the school-folder chooser,
// whose new school asks its names with the structure editors' input box;
// the frame's "@Ho bisogno di assistenza" opens the support-contact window,
// whose search of the data files restores through the destination-folder
// choice; the structure and constraint editors install their pages.
// main() calls it once before the application runs; the desktop tests call
// it to start the same program.
#pragma once

void kestrintempus_install();
