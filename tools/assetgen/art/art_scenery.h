// Generators of the full-screen scenery: the six play backgrounds, the intro sky, temple
// and cloud layers, the menu, wisdom, end, high-score, level-set, tutorial and map
// backdrops and the two logo cards. Each paints with the shared toolkit (art_paint.h,
// art_temple.h) and writes its files through Output.
#pragma once

#include "output.h"

void GenerateSceneryBackgroundsA(Output& out, const Sources& sources);  // bg1..bg3
void GenerateSceneryBackgroundsB(Output& out, const Sources& sources);  // bg4..bg6
void GenerateSceneryIntro(Output& out, const Sources& sources);         // sky, temple, clouds
void GenerateSceneryStory(Output& out, const Sources& sources);         // intro, main menu
void GenerateSceneryScreens(Output& out, const Sources& sources);  // end, wisdoms, hiscore
void GenerateSceneryPanels(Output& out, const Sources& sources);   // level sets, tutorial
void GenerateSceneryCard(Output& out, const Sources& sources);     // progress map
void GenerateSceneryLogos(Output& out, const Sources& sources);    // maker and publisher
