// Installs the constraint and parameter pages in the frame's page holder.
#pragma once

void constraints_install_pages();
