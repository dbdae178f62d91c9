// The game as the desktop sees it: the id that docks and task switchers match with the
// installed launcher, the window's icon, and files the desktop hands over (dropped onto
// the window, or given to the program when it starts), queued until a screen takes them.
#pragma once

#include <string>
#include <vector>

// Before the window opens: the window class (X11) and app id (Wayland), unless the player
// set SDL's own variables for them.
void AppId(const std::string& id);
// The window's icon, a PNG or JPEG locator; applied now or when the window opens.
void AppIcon(const std::string& locator);

// Files handed to the game, oldest first.
void QueueOpenedFile(const std::string& path);
bool OpenedFilePending();
std::vector<std::string> TakeOpenedFiles();
