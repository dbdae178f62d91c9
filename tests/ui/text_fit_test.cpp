// Every text drawn in a fixed box fits that box, in English and in German: each one is
// measured with the game's own fonts against the room its box leaves (a button's face
// between its studs, a requester's parchment, a column up to the next one). German runs
// longer than English; when a German text does not fit, shorten its wording in
// assets/lang/german.txt rather than the box.
#include "bonus/bonus_tutorial.h"
#include "editor/editor.h"
#include "game/progress_map.h"
#include "players/ranks.h"
#include "present/bitmap_font.h"
#include "present/language.h"
#include "present/language_choice.h"
#include "support/game_env.h"
#include "ui/options.h"
#include "ui/tutorial.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// The requester picture every dialog draws (458 pixels wide, at various scales): text
// stays on its parchment, inside the 20-pixel frame, with 8 pixels to spare each side;
// a title, high above the frame's corner ornaments, may reach the frame's gold line.
int Parchment(float xscale) { return int((458 - 2 * 20) * xscale) - 2 * 8; }
int TitleRoom(float xscale) { return int((458 - 2 * 16) * xscale); }

constexpr int BUTTON_ROOM = 93;         // the 112-pixel button face between its studs
constexpr int PLAYER_BUTTON_ROOM = 81;  // the player list's buttons, drawn 0.89 as wide
constexpr int TITLE_MENU_ROOM = 540;    // between the title scene's pillars (38..602), centred on 316
constexpr int FAN_ROOM = 168;           // the title scene's fans, 184 wide
constexpr int GREETING_ROOM = 250;      // the greeting stays clear of the menu
constexpr int RANK_COLUMN = 140;        // the high scores' rank column, up to the score digits
constexpr int TALLY_ROOM = 474 - 162;   // the tally's label column to the right edge of its values
constexpr int SCROLL_ROOM = 330;        // the tally's 300 pixels of paper, which narrow a wider text
                                        // (here by a tenth at most)
constexpr int MESSAGE_ANIM_ROOM = 570;  // messages zooming on the play screen, centred on 290
constexpr int SCREEN_LINE_ROOM = 600;   // lines centred on the whole screen

enum class FontKind { Main, Headline };

struct Box {
  std::string what;
  std::string text;  // as drawn, in the language under test
  FontKind font = FontKind::Main;
  float scale = 1;
  int room = 0;      // widest line in pixels
  int maxLines = 1;  // 0: any number of lines
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  if (lines.empty() || text.back() == '\n') lines.emplace_back();
  return lines;
}

// A text drawn with Draw keeps a trailing line break as an empty last line.
size_t DrawnLines(const std::string& text) {
  size_t n = Lines(text).size();
  while (n > 1 && Lines(text)[n - 1].empty()) --n;
  return n;
}

class TextFit : public GameTest {
protected:
  void TearDown() override {
    SelectLanguage("English");
    GameTest::TearDown();
  }

  std::vector<Box> boxes_;

  void Add(std::string what, const std::string& text, FontKind font, int room, int maxLines = 1, float scale = 1) {
    boxes_.push_back({std::move(what), text, font, scale, room, maxLines});
  }
  void Main(const std::string& what, const std::string& text, int room, int maxLines = 1) {
    Add(what, text, FontKind::Main, room, maxLines);
  }
  void Headline(const std::string& what, const std::string& text, int room, float scale = 1) {
    Add(what, text, FontKind::Headline, room, 1, scale);
  }

  void Buttons() {
    for (const char* key : {"Okay", "Ok", "Sure", "No", "Yeah", "Choose", "Exit", "Play", "New Try", "Options",
                            "Level", "Bonus"})
      Main("button", Text(key), BUTTON_ROOM);
    for (const char* key : {"New", "Change", "Delete", "Ok"}) Main("player list button", Text(key), PLAYER_BUTTON_ROOM);
  }

  void TitleScreen() {
    Headline("title menu", Text("Start game"), TITLE_MENU_ROOM);
    for (const char* key : {"Preferences", "Level editor", "Highscore"})
      Headline("title menu", Text(key), TITLE_MENU_ROOM, 0.6f);
    Main("left fan", Text("Change player"), FAN_ROOM);
    Main("right fan", Text("Quit"), FAN_ROOM);
    Main("greeting", Text("Welcome, $name!", {"name", "Tashi"}), GREETING_ROOM);
    for (const std::string& rank : RankNames) Main("high-score rank column", Text(rank), RANK_COLUMN);
    Headline("high scores", Text("Hall of fame"), SCREEN_LINE_ROOM);
  }

  void Requesters() {
    const int full = Parchment(1);
    for (const char* key : {"Overwrite levels?", "Levelset not saved", "Play level", "Time out", "No more space left.",
                            "Quit game?", "Your name:", "Graphics", "Game", "Audio", "Delete player?",
                            "Replace levelset?", "Levelset not found", "Not a levelset",
                            "Levelset not playable"})
      Headline("requester title", Text(key), TitleRoom(1));
    for (const char* key : {"Levelset already exists.\nOverwrite?",
                            "The levelset could not be created\nin the data folder.",
                            "The levelset could not be written.\nLeave the editor anyway?",
                            "The levelset could not be written,\nso it cannot be played.",
                            "Put some tiles on the\nplay field first.", "Do you want to\ntry it once more?",
                            "Are you sure you want to quit this game\nand return to the main menu?",
                            "Enter a name for the new levelset:"})
      Main("requester text above its buttons", Text(key), full, 2);
    // The player's name comes shortened to the question's width.
    Main("requester text above its buttons",
         Text("$name\nand all progress will be lost.", {"name", FontMain->Shortened(std::string(40, 'W'), 400)}), full,
         2);
    // A level set handed to the game: its name comes shortened to fit between the quotes.
    const std::string setName = FontMain->Shortened(std::string(60, 'W'), 380);
    Main("level-set import question",
         Text("\"$name\"\nis already there, with other levels.\nReplace it? No keeps both.", {"name", setName}),
         full, 3);
    for (const char* key : {"\"$file\"\ncould not be opened.", "\"$file\"\nis not a levelset,\nor it is damaged."})
      Main("level-set import message", Text(key, {"file", setName}), full, 3);
    Main("level-set selection message",
         Text("This file cannot be read as a levelset,\nor it holds no puzzle yet.\nPlease choose another levelset."),
         full, 3);
    Headline("level-set chooser title", Text("Choose a levelset"), 428 - 14 - 10);
  }

  void Options() {
    const int main = Parchment(0.7f), full = Parchment(1);
    Headline("options title", Text("Preferences"), TitleRoom(0.7f));
    for (const char* key : {"Graphics", "Audio", "Game", "Back to main menu"}) Main("options page", Text(key), main);
    for (int i = 0; i < 6; ++i) Main("graphics page", Text("Background: $bgname", {"bgname", BackgroundName(i)}), full);
    for (int i = 0; i < 2; ++i) Main("graphics page", Text("Puzzleset: $pset", {"pset", PuzzleSetName(i)}), full);
    for (const char* onOff : {"on", "off"}) {
      Main("graphics page", Text("Background animation: ") + Text(onOff), full);
      for (const char* key : {"Map:", "Wisdoms:", "Tutorial:"}) Main("game page", Text(key) + " " + Text(onOff), full);
    }
    for (const char* key : {"No backgrounds available!", "No puzlesets available!", "No songs available"})
      Main("options page", Text(key), full);
    for (int i = 0; i < 3; ++i) Main("audio page", Text("Change song: $songname", {"songname", SongName(i)}), full);
    for (const char* key : {"Music", "FX"}) Main("slider label", Text(key), 250 - 78 - 12);
  }

  void LevelSelectAndMap() {
    Headline("level-set list title", Text("Levelset"), 345 - 108 - 16);
    Headline("preview title", Text("Preview"), 555 - 345);
    const std::string progress =
        Text("Progress: Level $currentLevel / $maxLevel", {"currentLevel", "49", "maxLevel", "50"});
    for (const std::string& text :
         {Text("Levelset not yet played"), Text("Levelset completed"), Text("Levelset not playable"), progress})
      Main("level-set progress", text, 600 - 170);
    Main("map: next level", Text("Next Level: $level", {"level", "50"}), 390 - 95 - 10);
    Main("map: score", Text("Score: $score", {"score", "1234567"}), 630 - 390);
    Main("map: levels completed",
         Text("($currLevel of $numLevels levels completed)", {"currLevel", "750", "numLevels", "750"}), 630 - 94);
    Main("map: damaged levels",
         Text("Damaged levels are skipped: $levels", {"levels", "45, 46, 47, 48, 49 .."}), 630 - 94);
    Main("map: switch", Text("Show Map"), 509 - 117 - 8);
  }

  // Label and value share the row: the value stands right-aligned at the row's end.
  void Tally() {
    const std::pair<const char*, const char*> rows[] = {
        {"Enlightenment bonus:", "1 x 2500"}, {"Filled area:", "100% x 15"},  {"Meditation bonus:", "1 x 1000"},
        {"Floaating bonus:", "1 x 1500"},     {"Time bonus:", "240 x 125"},   {"Lamp bonus:", "1 x 1'000"}};
    for (const auto& [key, value] : rows)
      Main("tally row and its value", Text(key), TALLY_ROOM - 12 - FontMain->GetWidth(value));
    Headline("tally scroll", Text("Puzzle solved!"), SCROLL_ROOM);
    Main("tally scroll", Text("Your new score: $score", {"score", "1234567"}), SCROLL_ROOM);
    Main("tally scroll", Text("Press a mousebutton to continue!"), SCROLL_ROOM);
  }

  void MessageBoxes() {
    const int full = Parchment(1);
    const std::pair<const char*, const char*> stages[] = {
        {"Enlightenment",
         "Sometimes you are\nunable to see the wood for\nthe tress. Remember the playfield to\ncomplete this stage."},
        {"Meditation",
         "Are you able to solve the\nnext puzzle, even if you dont see\nwhere you dropped down\nthe puzzle tiles?"},
        {"Freeze",
         "Caution! In this stage\nyou are not able to pick up tiles again,\nyou already placed on the playfield\n"},
        {"Floating", "Let your mind flow,\nto solve the next puzzle."},
        {"Light in the darkness", "Use your torch,\nto complete the next puzzle."},
        {"Find the tiles", "Before you can go on,\ntry to find the\nrequired puzzle tiles."}};
    for (const auto& [title, text] : stages) {
      Headline("stage message title", Text(title), TitleRoom(1));
      Main("stage message above its button", Text(text), full, 4);
    }
    Headline("rank message title", Text("Congratulations!"), TitleRoom(1));
    for (const std::string& rank : RankNames)
      Main("rank message", Text("You reached a new rank!\nYour new rank is: $rank", {"rank", rank}), full, 2);
    for (const char* key : {"Get ready!", "Hurry up!", "Out of time", "No more space left", "Puzzletiles found",
                            "Game Over", "Puzzle solved", "You failed! Please try again!", "Multicombo"})
      Headline("zooming message", Text(key), MESSAGE_ANIM_ROOM);
    Headline("zooming message", Text("$combo x Combo", {"combo", "99"}), MESSAGE_ANIM_ROOM);
  }

  // The bonus tutorial's text stands right of its picture; a fourth line runs beside the
  // page button, so it must end before it.
  void Tutorials() {
    for (const char* key : Tutorial::PAGE_TEXT) {
      EXPECT_LE(Tutorial::TextRows(Text(key)), 3) << "tutorial pane (three rows): " << Text(key);
    }
    Headline("tutorial title", Text("Instructions"), 300);
    Headline("bonus tutorial title", Text("How to play?"), TitleRoom(1.3f));
    const int right = int(438 * 1.3f) - 8 - 180, besideButton = 470 - 61 - 8 - 180;
    for (const char* key : BonusTutorial::PAGE_TEXT) {
      const std::vector<std::string> lines = Lines(Text(key));
      EXPECT_LE(lines.size(), 4u) << Text(key);
      for (size_t k = 0; k < lines.size(); ++k) Main("bonus tutorial line", lines[k], k < 3 ? right : besideButton);
    }
  }

  void Editor() {
    Main("editor time label", Text("Time: "), 97 - 35);  // up to the slider
    Main("editor time value", Text("$sec seconds", {"sec", "235"}), 240);
    for (const char* key :
         {"Clear level", "Move playfield", "Flip parallelogram", "Play level", "Level properties", "Quit"})
      Main("editor tooltip", Text(key), 560);
    for (const char* key : TEd::BALLOON_KEYS) Main("editor balloon", Text(key), 480, 6);
    // The property panels: the picture 1.2 times as wide from x 90, captions centred on 354.
    const int left = 90 + int(20 * 1.2f) + 8, right = 90 + int(438 * 1.2f) - 8;
    const int panel = 2 * std::min(354 - left, right - 354);
    Headline("level properties title", Text("Level properties"), panel);
    Headline("bonus properties title", Text("Preferences"), panel);
    for (const char* key :
         {"Twister: on", "Twister: off", "Freeze: on", "Freeze: off", "Gamemode: Enlightenment", "Gamemode: Meditation",
          "Gamemode: Default", "Floating tiles: on", "Floating tiles: off", "Play for tiles: on", "Play for tiles: off",
          "Torch: on", "Torch: off", "Bombs: on", "Bombs: off", "Joker: on", "Joker: off"})
      Main("property panel", Text(key), panel);
    for (const char* mode : {"Very slow", "Slow", "Relaxed", "Fast", "Very fast"})
      Main("property panel", Text("Time: $mode", {"mode", Text(mode)}), panel);
    for (const char* level : {"Easy", "Default", "Hard", "Maniac"})
      Main("property panel", Text("Difficulty: $difficulty", {"difficulty", Text(level)}), panel);
  }

  void Screens() {
    Main("intro prompt", Text("Please press the left mousebutton!"), SCREEN_LINE_ROOM);
    Main("wisdom prompt", Text("Press mousebutton to continue"), SCREEN_LINE_ROOM);
    for (const std::string& line : Lines(Text(CreditText()))) Main("credits line", line, SCREEN_LINE_ROOM);
    const std::vector<std::string> end = EndScreenLines();
    EXPECT_LE(end.size(), END_SCREEN_MAX_LINES) << "end screen lines";
    for (const std::string& line : end) Headline("end screen line", line, SCREEN_LINE_ROOM);
  }

  static std::string CreditText() {
    for (const auto& [key, text] : *Language->GetDefaultLanguageMap())
      if (text.rfind("Ostravin presents:", 0) == 0) return text;
    return {};
  }

  void CheckAll(const std::string& language) {
    ASSERT_TRUE(SelectLanguage(language));
    boxes_.clear();
    Buttons();
    TitleScreen();
    Requesters();
    Options();
    LevelSelectAndMap();
    Tally();
    MessageBoxes();
    Tutorials();
    Editor();
    Screens();
    EXPECT_GT(boxes_.size(), 150u);
    for (const Box& box : boxes_) {
      const TBitmapFont& font = box.font == FontKind::Main ? *FontMain : *FontHeadline;
      if (box.maxLines) {
        EXPECT_LE(DrawnLines(box.text), size_t(box.maxLines)) << box.what << ": \"" << box.text << "\"";
      }
      for (const std::string& line : Lines(box.text)) {
        const float width = float(font.GetWidth(line)) * box.scale;
        EXPECT_LE(width, float(box.room)) << language << ", " << box.what << ": \"" << line << "\" is " << width
                                          << " pixels wide, its box leaves " << box.room;
      }
    }
  }
};

}  // namespace

TEST_F(TextFit, EnglishTextsFitTheirBoxes) { CheckAll("English"); }

TEST_F(TextFit, GermanTextsFitTheirBoxes) { CheckAll(GERMAN_LANGUAGE); }
