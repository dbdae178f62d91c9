#include "generators.h"
#include "levels_generator.h"

#include "art_generators.h"
#include "audio_generators.h"
#include "fonts_gen.h"
#include "texts_gen.h"

const std::vector<Generator>& AllGenerators() {
  static const std::vector<Generator> generators = {
    {"pieces_marble", GeneratePiecesMarble},
    {"pieces_wood", GeneratePiecesWood},
    {"pieces_gold", GeneratePiecesGold},
    {"board", GenerateBoard},
    {"scoreboard", GenerateScoreBoard},
    {"lamp_light", GenerateLamp},
    {"twister", GenerateTwister},
    {"creatures", GenerateCreatures},
    {"fonts_headline", GenerateHeadlineFonts},
    {"fonts_main", GenerateMainFonts},
    {"lang", GenerateLang},
    {"wisdoms", GenerateWisdoms},
    {"bonus_tiles", GenerateBonusTiles},
    {"bonus_board", GenerateBonusBoard},
    {"bonus_help", GenerateBonusHelp},
    {"tutorial_pics", GenerateTutorialPictures},
    {"scenery_bg_a", GenerateSceneryBackgroundsA},
    {"scenery_bg_b", GenerateSceneryBackgroundsB},
    {"scenery_intro", GenerateSceneryIntro},
    {"scenery_story", GenerateSceneryStory},
    {"scenery_screens", GenerateSceneryScreens},
    {"scenery_panels", GenerateSceneryPanels},
    {"scenery_card", GenerateSceneryCard},
    {"scenery_logos", GenerateSceneryLogos},
    {"song1", WriteSong1},
    {"song2", WriteSong2},
    {"song3", WriteSong3},
    {"sfx", WriteEffects},
    {"ambient", WriteAmbientLoops},
    {"ui_requesters", GenerateUiRequesters},
    {"ui_widgets", GenerateUiWidgets},
    {"ui_scroll", GenerateUiScroll},
    {"ui_prayer_wheel", GenerateUiPrayerWheel},
    {"ui_title", GenerateUiTitle},
    {"icon", GenerateIcon},
    {"ui_editor", GenerateUiEditor},
    {"levels", GenerateLevels},
  };
  return generators;
}
