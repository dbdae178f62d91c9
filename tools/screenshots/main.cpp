// The screenshot tour: plays the real game headless through a script, from the logo to
// the menus and into a game, and writes one PNG per screen and state into the folder given
// on the command line, for review by eye. Profiles go to a data folder inside it. With a
// display, the menu is also shown in a real window of odd sizes, letterboxed.
// Usage: screenshot_tour [folder] [language]; the language is "en" (the default) or "de".
#include "app/main_loop.h"
#include "app/shell.h"
#include "app/startup.h"
#include "game/shape.h"
#include "levels/level_set.h"
#include "media/graphics.h"
#include "media/desktop.h"
#include "media/image.h"
#include "media/platform.h"
#include "media/script.h"
#include "media/stream.h"
#include "media/window.h"
#include "present/ambient.h"
#include "present/language_choice.h"
#include "players/data_folder.h"
#include "players/users.h"
#include "game/req_yes_no.h"
#include "ui/options.h"
#include "ui/player_requesters.h"
#include "ui/level_select.h"
#include "ui/title_screen.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <utility>
#include <vector>
#include <string>

namespace fs = std::filesystem;

namespace {

fs::path OutDir;
int ShotCount = 0;
bool German = false;  // the tour in German also types names with umlauts (Latin-1 bytes)

// Writes the picture (by default the frame as it is being presented).
void SaveShot(const std::string& name, const PixmapPtr& picture = nullptr) {
  ++ShotCount;
  const std::string prefix = (ShotCount < 10 ? "0" : "") + std::to_string(ShotCount) + "_";
  const fs::path file = OutDir / (prefix + name + ".png");
  if (!SavePixmapPNG(picture ? picture : GrabPixmap(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT), file.string()))
    std::fprintf(stderr, "could not write %s\n", file.c_str());
  else
    std::printf("%s\n", file.c_str());
}

bool MenuUp() { return TitleScreen && TitleScreen->TitleMenuState && TitleScreen->TextAlpha >= 1; }
bool MenuIdle() { return MenuUp() && TitleScreen->Action.empty(); }

class Tour {
public:
  Script s;
  Tour& Shot(const std::string& name) {
    s.Do([name] { SaveShot(name); });
    return *this;
  }
};

// Logo, story, title scene, then the menu.
void Intro(Tour& t) {
  t.s.Wait(200);
  t.Shot("intro_logo");
  t.s.Wait(450);
  t.Shot("intro_story");
  t.s.Wait(800);
  t.Shot("intro_title_sliding_in");
  t.s.Wait(550);
  t.Shot("intro_title_scene");
  t.s.Click(320, 240).Until(MenuUp, 300, "menu");
  t.Shot("menu");
}

bool PlayerList() { return TitleScreen->Action == "USERS_SHOW" && TitleScreen->ReqUsers->Alpha >= 1; }

// Adding a player, the question before deleting one, and a long name (shortened in the
// list, the greeting and the game's header for the rest of the tour).
void Players(Tour& t) {
  t.s.Click(109, 400).Until(PlayerList, 100, "player list");
  t.Shot("player_list");
  t.s.Click(62 + 367, 25 + 107)
      .Until([] { return TitleScreen->NameReq->Alpha >= 1; }, 100, "name entry")
      .HoldKey(8, 160)
      .Type(German ? "J\xfcrgen Wei\xdf" : "Wanderer");
  t.Shot("name_entry");
  t.s.TapKey(13).Until([] { return TitleScreen->ReqUsers->Alpha >= 1; }, 100, "player list again");
  t.Shot("player_list_two_players");
  t.s.Click(62 + 367, 25 + 233)
      .Until([] { return TitleScreen->Action == "DELETE_USER" && TitleScreen->DeleteReq->Alpha >= 1; }, 100,
             "delete question");
  t.Shot("delete_question");
  t.s.Click(91 + 350, 100 + 210).Until(PlayerList, 100, "player list after no");
  t.s.Click(62 + 367, 25 + 170)
      .Until([] { return TitleScreen->NameReq->Alpha >= 1; }, 100, "rename entry")
      .HoldKey(8, 130)
      .Type(German ? "Wanderin \xfc" "ber die sieben hohen P\xe4sse" : "Wanderer of the Seven High Passes")
      .TapKey(13)
      .Until(PlayerList, 100, "player list with a long name");
  t.Shot("player_list_long_name");
  t.s.Click(62 + 367, 25 + 337).Until(MenuIdle, 100, "menu");
  t.Shot("menu_long_name");
}

void Options(Tour& t) {
  auto page = [](int req) {
    return [req] { return TitleScreen->Action == "OPTIONS_SHOW" && TitleScreen->ReqOptions->CurrReq == req; };
  };
  t.s.Click(316, 290).Until(page(R_MAIN), 100, "options").Wait(15);
  t.Shot("options_main");
  t.s.Click(328, 190).Until(page(R_GFX), 30, "graphics page").Wait(5);
  t.Shot("options_graphics");
  t.s.Click(328, 325).Until(page(R_MAIN), 30, "main page").Wait(5);
  t.s.Click(328, 225).Until(page(R_SFX), 30, "audio page").Wait(5);
  t.Shot("options_audio");
  t.s.Do([] { TitleScreen->ReqOptions->CurrReq = R_MAIN; }).Wait(5);
  t.s.Click(328, 260).Until(page(R_GAMEPLAY), 30, "game page").Wait(5);
  t.Shot("options_game");
  t.s.Click(328, 320).Until(page(R_MAIN), 30, "main page").Wait(5);
  t.s.Click(328, 350).Until(MenuIdle, 100, "menu");
}

void HighScores(Tour& t) {
  t.s.Click(316, 370).Until([] { return TitleScreen->Alpha <= 0; }, 100, "high scores").Wait(130);
  t.Shot("high_scores");
  t.s.Click(320, 440).Until(MenuIdle, 200, "menu");
}

struct OneLevel {
  TLevelProperties props;
  std::vector<ShapePtr> shapes;
};

// Level sets of the tour, written into the data folder: single levels copied from the
// shipped sets for each stage mode and the bonus game, and two one-square levels.
struct TourSets {
  std::vector<std::pair<std::string, OneLevel>> files;  // written when the tour gets there
  std::string first;  // the first shipped set there is
  std::vector<std::pair<std::string, std::string>> modes;  // mode name, set
  std::string bonus;
  std::string solved;  // solved in the tour; the set after it in the list runs out of time
};

std::vector<std::string> ShippedSets() {
  std::vector<std::string> sets;
  for (const std::string& path : TReqLevelSelect::CandidatePaths())
    if (path.rfind("incbin::", 0) == 0 && FileExists(path)) sets.push_back(path);
  return sets;
}

// The first shipped level whose options hold the bit; nothing when none does.
std::optional<OneLevel> FindLevel(int bit) {
  for (const std::string& set : ShippedSets()) {
    ReadLevelSet(set);
    for (int i = 0; i < LEVEL_COUNT; ++i)
      if (LevelProps[size_t(i)] && !LevelShapes[size_t(i)].empty() && (LevelProps[size_t(i)]->MiscProperties & bit))
        return OneLevel{*LevelProps[size_t(i)], LevelShapes[size_t(i)]};
  }
  return std::nullopt;
}

void WriteOneLevelSet(const std::string& path, const OneLevel& level) {
  CreateEmptyLevelSet(path);
  ReadLevelSet(path);
  LevelProps[0] = std::make_shared<TLevelProperties>(level.props);
  LevelShapes[0] = level.shapes;
  WriteLevelSet(path);
}

// The set's path; the file is written by WriteTourSets.
std::string PlanSet(TourSets& sets, const std::string& name, const OneLevel& level) {
  const std::string path = DataFolder->GetPath() + name + ".lvl";
  sets.files.emplace_back(path, level);
  return path;
}

void WriteTourSets(const TourSets& sets) {
  for (const auto& [path, level] : sets.files) WriteOneLevelSet(path, level);
}

OneLevel OneSquare(int seconds) {
  OneLevel level;
  level.props.GameTime = seconds;
  level.shapes.push_back(Shape::CreateNewShape(3, 300, 240, 0, 255, 255, 255, false, 0, 0));
  return level;
}

TourSets MakeTourSets() {
  TourSets sets;
  const std::vector<std::string> shipped = ShippedSets();
  if (!shipped.empty()) sets.first = shipped.front();
  const std::pair<const char*, int> modes[] = {{"enlightenment", LP_ENLIGHTENMENT}, {"meditation", LP_MEDITATION},
                                               {"twister", LP_TWISTER},             {"freeze", LP_FREEZE},
                                               {"floating_tiles", LP_FLOATING_TILES}, {"torch", LP_TORCH}};
  for (const auto& [mode, bit] : modes) {
    if (const auto level = FindLevel(bit)) sets.modes.emplace_back(mode, PlanSet(sets, std::string("Mode ") + mode, *level));
    else std::fprintf(stderr, "no shipped level has the mode %s\n", mode);
  }
  if (const auto level = FindLevel(LP_PLAY_FOR_TILES)) sets.bonus = PlanSet(sets, "Bonus", *level);
  sets.solved = PlanSet(sets, "Tour solved", OneSquare(0));
  PlanSet(sets, "Tour time out", OneSquare(3));
  return sets;
}

// The selection offers the set at path first; the game is played without tutorial and
// wisdom unless asked for.
void StartGame(Tour& t, const std::string& path, bool firstVisit) {
  t.s.Do([path, firstVisit] {
    const UserPtr user = Users->GetCurrentUser();
    user->CurrLevelFile = path;
    user->Tutorial = user->Wisdoms = firstVisit;
  });
  t.s.Click(316, 197).Until([] { return !TitleScreen; }, 100, "level-set selection").Wait(40);
}

// Leaves a game through its options ("Back to main menu", "Sure"), then the high scores.
void QuitGame(Tour& t) {
  t.s.TapKey(27).Wait(20).Click(328, 295).Wait(20).Click(210, 280).Wait(150).Click(320, 440).Until(MenuIdle, 300,
                                                                                                     "menu");
}

// Leaves a test play through the game's options: back in the editor.
void QuitGameToEditor(Tour& t) { t.s.TapKey(27).Wait(20).Click(328, 295).Wait(20).Click(210, 280).Wait(150); }

void FirstGame(Tour& t, const std::string& set) {
  StartGame(t, set, true);
  t.Shot("level_select");
  t.s.Click(410, 350).Wait(90);
  t.Shot("map");
  t.s.Click(570, 420).Wait(60);
  for (int page = 1; page <= 6; ++page) {
    t.Shot("tutorial_" + std::to_string(page));
    t.s.Click(215, 435).Wait(40);
  }
  t.s.Click(567, 435).Wait(120);
  t.Shot("wisdom");
  t.s.Click(320, 240).Wait(100);
  t.Shot("get_ready");
  t.s.Wait(200);
  t.Shot("play_long_name_header");
  QuitGame(t);
}

// One level with a stage mode: its message, then play.
void ModeGame(Tour& t, const std::string& set, const std::string& mode) {
  StartGame(t, set, false);
  t.s.Click(410, 350).Wait(90).Click(570, 420).Wait(120);
  t.Shot("play_" + mode + "_message");
  t.s.Click(363, 365).Wait(200);
  t.Shot("play_" + mode);
  QuitGame(t);
}

void BonusGame(Tour& t, const std::string& set) {
  StartGame(t, set, false);
  t.s.Click(410, 350).Wait(90).Click(570, 420).Wait(120);
  t.Shot("bonus_find_the_tiles");
  t.s.Click(363, 365).Wait(60);
  for (int page = 1; page <= 5; ++page) {
    t.Shot("bonus_tutorial_" + std::to_string(page));
    if (page < 5) t.s.Click(495, 355).Wait(30);
  }
  t.s.Click(305, 355).Wait(200);
  t.Shot("bonus_game");
  t.s.Wait(300);
  t.Shot("bonus_game_later");
  QuitGame(t);
}

// A one-square level solved: the tally scroll, then the end screen of the set, and the
// selection again; the next set there runs out of time.
void SolvedAndTimedOut(Tour& t, const std::string& solvedSet) {
  StartGame(t, solvedSet, false);
  t.s.Click(410, 350).Wait(90).Click(570, 420).Wait(300);
  t.s.Click(550, 410).Wait(5).MoveTo(300, 240).Wait(20);
  t.Shot("play_carrying_a_piece");
  t.s.Click(300, 240).Wait(350);
  t.Shot("tally_scroll");
  t.s.Wait(650);
  t.Shot("tally_scroll_done");
  t.s.Click(320, 240).Wait(150);
  t.Shot("end_screen");
  t.s.Wait(250);
  t.Shot("end_screen_all_lines");
  t.s.Click(320, 240).Wait(100);
  t.Shot("level_select_after_the_set");
  t.s.Click(410, 350).Wait(90).Click(570, 420).Wait(700);
  t.Shot("try_again");
  t.s.Click(480, 330).Wait(45);
  t.Shot("game_over");
  t.s.Wait(250);
  t.Shot("high_scores_after_a_game");
  t.s.Click(320, 440).Until(MenuIdle, 300, "menu");
}

// A level set dropped onto the window while the menu shows: the level-set selection opens
// and asks about the set of the same name there; "No" keeps both, and the copy is chosen.
void SharedSet(Tour& t) {
  t.s.Do([] {
    const fs::path file = OutDir / "shared" / "Tour solved.lvl";
    fs::create_directories(file.parent_path());
    WriteOneLevelSet(file.string(), OneSquare(60));  // not the data folder's set of that name
    QueueOpenedFile(file.string());
  });
  t.s.Until([] { return !TitleScreen; }, 100, "level-set selection").Wait(40);
  t.Shot("level_set_import_question");
  t.s.Click(500, 310).Wait(30);
  t.Shot("level_select_imported_set");
}

// A file that is no level set, refused in the selection; then a set whose second level is
// damaged, crossed out on the map.
void DamagedSets(Tour& t) {
  const std::string folder = DataFolder->GetPath();
  const std::string unreadable = folder + "Tour unreadable.lvl", damaged = folder + "Tour damaged.lvl";
  t.s.Do([unreadable, damaged] {
    if (StreamPtr s = WriteStream(unreadable)) {
      s->WriteString("This is no level set.");
      s->Close();
    }
    CreateEmptyLevelSet(damaged);
    ReadLevelSet(damaged);
    for (int level = 0; level < 2; ++level)
      LevelShapes[size_t(level)].push_back(Shape::CreateNewShape(3, 300, 240, 0, 255, 255, 255, false, 0, 0));
    LevelProps[1]->PuzzleSet = 7;
    WriteLevelSet(damaged);
  });
  StartGame(t, unreadable, false);
  t.s.Click(410, 350).Wait(10);
  t.Shot("level_select_not_playable");
  // "Okay", then the first shipped set, and out through the map's "Exit" and the scores.
  t.s.Click(380, 310).Wait(5).Click(200, 139).Wait(3).Click(410, 350).Wait(90);
  t.s.Click(570, 52).Wait(150).Click(320, 440).Until(MenuIdle, 300, "menu");
  StartGame(t, damaged, false);
  t.s.Click(410, 350).Wait(90);
  t.Shot("map_damaged_level");
  t.s.Click(570, 52).Wait(150).Click(320, 440).Until(MenuIdle, 300, "menu");
}

// The editor from the menu: the chooser, a new set's name, the editor with its balloons,
// a tooltip, the property panels, a painted bonus board and a test play.
void EditorFirstVisit(Tour& t) {
  t.s.Click(316, 330).Until([] { return !TitleScreen; }, 100, "the editor's chooser").Wait(20);
  t.Shot("editor_chooser_empty");
  t.s.Click(475, 180).Wait(20).Type(German ? "Tashis \xc4hrenlese" : "Tashi's own path");
  t.Shot("editor_name_entry");
  t.s.Click(328, 257).Wait(40);
  t.Shot("editor_first_balloon");
  t.s.Click(550, 120).Wait(3).MoveTo(220, 300).Wait(25);
  t.Shot("editor_carrying_second_balloon");
  t.s.Click(220, 300).Wait(25);
  t.Shot("editor_third_balloon");
  t.s.Click(300, 420).Wait(25);
  t.Shot("editor_fourth_balloon");
  t.s.Click(300, 420).Wait(25);
  t.Shot("editor_fifth_balloon");
  t.s.Click(300, 420).Wait(15).Click(550, 340).Wait(3).MoveTo(260, 200).Wait(3).Click(260, 200).Wait(15);
  t.s.Click(550, 260).Wait(3).MoveTo(330, 290).Wait(3).Wheel(-2).Wait(12).Click(330, 290).Wait(15);
  t.s.MoveTo(25, 317).Wait(10);
  t.Shot("editor_tooltip");
  t.s.Click(70, 372).Wait(200);
  t.Shot("editor_test_play");
  QuitGameToEditor(t);
  t.s.Click(25, 427).Wait(10);
  t.Shot("editor_level_properties");
  t.s.Click(359, 275).Wait(5).Click(359, 378).Wait(5).Click(460, 35).Wait(10);
  const std::pair<int, int> paint[] = {{0, 7}, {1, 7}, {2, 8}, {3, 6}, {5, 5}, {6, 7}, {7, 8}, {4, 6}};
  for (const auto& [c, r] : paint) {
    const int entry = (c + r) % 8;
    t.s.Click(520 + 52 * (entry % 2), 100 + 52 * (entry / 2)).Wait(2).Click(167 + 40 * c, 102 + 40 * r).Wait(2);
  }
  t.s.Click(520, 100 + 52 * 4).Wait(2).Click(167 + 40 * 2, 102 + 40 * 8).Wait(2).Click(167 + 40 * 6, 102 + 40 * 7);
  t.s.Click(572, 100 + 52 * 2).Wait(2).MoveTo(167 + 40 * 4, 102 + 40 * 3).Wait(30);
  t.Shot("editor_bonus_board");
  t.s.Click(547, 425).Wait(10);
  t.Shot("editor_bonus_properties");
  t.s.Click(359, 378).Wait(5).Click(593, 31).Until(MenuIdle, 300, "menu");
}

// Back in the editor's chooser with the tour's sets listed, then a new name that is
// taken already: the overwrite question. Backs out to the menu.
void EditorOverwrite(Tour& t) {
  t.s.Click(316, 330).Until([] { return !TitleScreen; }, 100, "the editor's chooser").Wait(20);
  t.Shot("editor_chooser_long_list");
  t.s.Click(475, 180).Wait(20).HoldKey(8, 60).Type("Tour solved").Click(328, 257).Wait(10);
  t.Shot("editor_overwrite_question");
  t.s.Click(460, 310).Wait(10).TapKey(27).Wait(30).TapKey(27).Until(MenuIdle, 300, "menu");
}

void OpenFrame(Backend backend) {
  SetBackend(backend);
  if (!Graphics(SCREEN_WIDTH, SCREEN_HEIGHT)) std::fprintf(stderr, "no frame\n");
  SetBlend(BLEND_ALPHA);
  HideMouse();
}

// The menu in a real window of odd sizes (wide, tall): the frame letterboxed between
// black bars, as the window shows it. Only with a display; the tour goes on headless.
void ResizedWindow(Tour& t) {
  if (!std::getenv("DISPLAY")) return;
  t.s.Do([] { OpenFrame(Backend::Windowed); });
  for (const auto& [w, h] : {std::pair{1000, 560}, std::pair{600, 760}}) {
    const std::string name = "window_" + std::to_string(w) + "x" + std::to_string(h);
    t.s.Do([w = w, h = h] { SetWindowSize(w, h); }).Wait(40).Do([name] { SaveShot(name, GrabWindow()); });
  }
  t.s.Do([] { OpenFrame(Backend::Headless); });
}

// Each play background with its ambient animation running for a few seconds, drawn the
// way the game draws them under the board.
void Scenery() {
  SetFrameDriver(nullptr);
  for (int bg = 0; bg < 6; ++bg) {
    LoadBackground(bg);
    for (int frame = 0; frame < 240; ++frame) {
      Cls();
      SetBlend(BLEND_ALPHA);
      SetAlpha(1);
      SetColor(255, 255, 255);
      DrawImage(Background, 0, 0);
      RenderAmbient(bg);
      if (frame == 239) SaveShot("scenery_" + std::to_string(bg + 1));
      ShowFrame(-1);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  OutDir = argc > 1 ? fs::path(argv[1]) : fs::path("screenshots");
  const std::string language = LanguageForOption(argc > 2 ? argv[2] : "en");
  if (language.empty()) {
    std::fprintf(stderr, "unknown language %s (en or de)\n", argv[2]);
    return 2;
  }
  German = language == GERMAN_LANGUAGE;
  fs::remove_all(OutDir);
  fs::create_directories(OutDir / "data");
  setenv("XDG_DATA_HOME", (OutDir / "data").c_str(), 1);
  setenv("username", "Tashi", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  SetBackend(Backend::Headless);

  InitLanguage(language);
  InitModules();
  if (!StartMainProgram()) {
    std::fprintf(stderr, "no frame\n");
    return 1;
  }
  Tour tour;
  Intro(tour);
  Players(tour);
  Options(tour);
  HighScores(tour);
  const TourSets sets = MakeTourSets();
  EditorFirstVisit(tour);
  tour.s.Do([&sets] { WriteTourSets(sets); });
  EditorOverwrite(tour);
  if (!sets.first.empty()) FirstGame(tour, sets.first);
  for (const auto& [mode, set] : sets.modes) ModeGame(tour, set, mode);
  if (!sets.bonus.empty()) BonusGame(tour, sets.bonus);
  SolvedAndTimedOut(tour, sets.solved);
  DamagedSets(tour);
  ResizedWindow(tour);
  SharedSet(tour);
  tour.s.Stop();
  tour.s.Install();
  try {
    RunMainLoop();
  } catch (const StopRun&) {
    Scenery();
    std::printf("%d screenshots in %s\n", ShotCount, OutDir.c_str());
    return 0;
  } catch (const ScriptTimeout& e) {
    std::fprintf(stderr, "tour stopped after %d screenshots: %s\n", ShotCount, e.what());
    return 1;
  }
}
