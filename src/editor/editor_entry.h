// The way from the main menu into the editor: choose one of the player's own level sets or
// name a new one (asking before an existing set is taken over), make sure its file exists,
// then edit it. ESC in the chooser goes back to the menu, in the name entry to the chooser.
#pragma once

void RunLevelEditor();
