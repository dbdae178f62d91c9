// What the editor and its way in show behind their requesters, and the modal question box
// they ask the player with.
#pragma once

#include <string>

// Starts a frame: clears it, polls the input and draws the player's scenery, dimmed.
void BeginBackdropFrame();
// Shows the question box over the dimmed scenery until it is answered: "YES" or "NO", or
// "OK" for a message with only "Okay".
std::string AskPlayer(const std::string& line1, const std::string& line2, bool okayOnly);
