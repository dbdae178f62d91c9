// Generators of the menu, requester and small widget artwork (dialog panels, buttons,
// sliders, list highlights, the title logo, the prayer wheel, the level-complete scroll,
// progress-map markers and the editor's panel, icons and banner).
#pragma once

#include "output.h"

void GenerateUiRequesters(Output& out, const Sources& sources);
void GenerateUiWidgets(Output& out, const Sources& sources);
void GenerateUiTitle(Output& out, const Sources& sources);
void GenerateUiPrayerWheel(Output& out, const Sources& sources);
void GenerateUiScroll(Output& out, const Sources& sources);
void GenerateUiEditor(Output& out, const Sources& sources);
