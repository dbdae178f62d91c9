// The art part of the generator: every picture the game shows, painted with Cairo from
// code (no source files) and written as PNG or JPEG through Output, below gfx/. Three
// groups: the in-game artwork, the full-screen scenery and the menu and widget artwork.
// Shared looks live in art_common.h (palette, noise), art_paint.h (lit polygons, masks),
// art_scenery_paint.h and art_scenery_temple.h (landscapes, buildings) and art_ui_paint.h
// and art_ui_parts.h (panels, wood, parchment).
#pragma once

#include "output.h"

#include <filesystem>
#include <string>

// In-game artwork: pieces, score board and frame, lamp, torch light, twister, ambient
// sprites, the bonus game and the tutorial pictures.
void GeneratePiecesMarble(Output& out, const Sources& sources);
void GeneratePiecesWood(Output& out, const Sources& sources);
void GeneratePiecesGold(Output& out, const Sources& sources);
void GenerateBoard(Output& out, const Sources& sources);
void GenerateScoreBoard(Output& out, const Sources& sources);
void GenerateLamp(Output& out, const Sources& sources);
void GenerateTwister(Output& out, const Sources& sources);
void GenerateCreatures(Output& out, const Sources& sources);
void GenerateBonusTiles(Output& out, const Sources& sources);
void GenerateBonusBoard(Output& out, const Sources& sources);
void GenerateBonusHelp(Output& out, const Sources& sources);
void GenerateTutorialPictures(Output& out, const Sources& sources);

// Full-screen scenery: the six play backgrounds, the intro sky, temple and cloud layers,
// the menu, wisdom, end, high-score, level-set, tutorial and map backdrops and the two
// logo cards.
void GenerateSceneryBackgroundsA(Output& out, const Sources& sources);  // bg1..bg3
void GenerateSceneryBackgroundsB(Output& out, const Sources& sources);  // bg4..bg6
void GenerateSceneryIntro(Output& out, const Sources& sources);         // sky, temple, clouds
void GenerateSceneryStory(Output& out, const Sources& sources);         // intro, main menu
void GenerateSceneryScreens(Output& out, const Sources& sources);  // end, wisdoms, hiscore
void GenerateSceneryPanels(Output& out, const Sources& sources);   // level sets, tutorial
void GenerateSceneryCard(Output& out, const Sources& sources);     // progress map
void GenerateSceneryLogos(Output& out, const Sources& sources);    // maker and publisher

// Menu, requester and small widget artwork: dialog panels, buttons, sliders, list
// highlights, the title logo, the prayer wheel, the level-complete scroll, progress-map
// markers and the editor's panel, icons and banner.
void GenerateUiRequesters(Output& out, const Sources& sources);
void GenerateUiWidgets(Output& out, const Sources& sources);
void GenerateUiTitle(Output& out, const Sources& sources);
void GenerateUiPrayerWheel(Output& out, const Sources& sources);
void GenerateUiScroll(Output& out, const Sources& sources);
void GenerateUiEditor(Output& out, const Sources& sources);

// The game's icon: the window's (embedded as gfx/icon.png) and, for installing, the
// desktop's in a hicolor tree below dir: <size>x<size>/apps/<id>.png for every size a
// launcher asks for and scalable/apps/<id>.svg.
constexpr int WINDOW_ICON_SIZE = 128;
constexpr int DESKTOP_ICON_SIZES[] = {16, 24, 32, 48, 64, 128, 256, 512};
void GenerateIcon(Output& out, const Sources& sources);
void WriteDesktopIcons(const std::filesystem::path& dir, const std::string& id);
