// The structure editors' pages in the frame: structure_install_pages puts
// each built page object into its slot of the page holder and registers
// the templates the pages need, so the frame shows them instead of their
// stand-ins. Called once at start-up, before the frame runs.
#pragma once

void structure_install_pages();
