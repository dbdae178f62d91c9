// The main menu driven through its real host (the intro's menu loop): clicks before the
// texts are shown, the quit fade, and managing players through the list and name entry.
#include "app/shell.h"
#include "game/req_yes_no.h"
#include "media/graphics.h"
#include "media/input.h"
#include "media/script.h"
#include "media/stream.h"
#include "players/users.h"
#include "present/bitmap_font.h"
#include "support/game_env.h"
#include "ui/intro.h"
#include "ui/player_requesters.h"
#include "ui/title_screen.h"

#include <gtest/gtest.h>

namespace {

// The player list sits at (62, 25), the name entry at (105, 115).
constexpr int GREETING_X = 109, GREETING_Y = 400;
constexpr int LIST_NEW_X = 62 + 367, LIST_NEW_Y = 25 + 107;
constexpr int LIST_CHANGE_Y = 25 + 170, LIST_DELETE_Y = 25 + 233, LIST_OK_Y = 25 + 337;
constexpr int NAME_OK_X = 105 + 233, NAME_OK_Y = 115 + 207;
// The delete question sits at (91, 100): "Yeah" and "No".
constexpr int YEAH_X = 91 + 110, NO_X = 91 + 350, ANSWER_Y = 100 + 210;

class TitleMenuTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    Users->Save();  // the menu reloads the profiles from disk
    TitleScreen = std::make_shared<TTitleScreen>();
    Intro = std::make_shared<TIntro>();
  }
  void TearDown() override {
    Intro = nullptr;
    TitleScreen = nullptr;
    GameTest::TearDown();
  }

  // Runs the menu (without the logo and the story) until the visit ends or the script stops.
  static void RunMenu(Script& script) {
    script.Install(true);
    Intro->Run(true);
  }

  static bool TextsShown() { return TitleScreen->TextAlpha >= 1; }
  static bool DeleteQuestionShown() { return Showing("DELETE_USER", TitleScreen->DeleteReq); }
  static bool Showing(const std::string& action, const std::shared_ptr<TRequester>& req) {
    return TitleScreen->Action == action && req->Alpha >= 1;
  }

  static std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const UserPtr& u : Users->UserList) names.push_back(u->Name);
    return names;
  }
  // From the menu through the player list to a new player's name entry.
  static Script& ToNewPlayerEntry(Script& script) {
    return script.Until(TextsShown, 100, "texts shown")
        .Click(GREETING_X, GREETING_Y)
        .Until([] { return Showing("USERS_SHOW", TitleScreen->ReqUsers); }, 100, "player list")
        .Click(LIST_NEW_X, LIST_NEW_Y)
        .Until([] { return Showing("ADD_NEW_USER", TitleScreen->NameReq); }, 100, "name entry");
  }
  static std::string SavedFile() {
    FinishBackgroundWrites();  // the menu saves on a worker thread
    std::vector<uint8_t> bytes;
    LoadBytes(TUsers::FilePath(), bytes);
    return std::string(bytes.begin(), bytes.end());
  }
};

}  // namespace

TEST_F(TitleMenuTest, IgnoresClicksUntilItsTextsAreFullyShownThenStartsTheGame) {
  Script script;
  script.Wait(25)
      .Click(316, 197)
      .Until(TextsShown, 100, "texts shown")
      .Do([] { EXPECT_EQ(TitleScreen->Action, ""); })
      .Click(316, 197)
      .Wait(2)
      .Do([] { EXPECT_EQ(TitleScreen->Action, "PLAY"); })
      .Wait(100);
  RunMenu(script);
  EXPECT_FALSE(TitleScreen->TitleMenuState);
  EXPECT_EQ(TitleScreen->Action, "PLAY");
}

TEST_F(TitleMenuTest, QuitFadesTheTextsThenTheScreen) {
  TitleScreen->InitRun();
  TitleScreen->TextAlpha = 1;
  TitleScreen->FontState = 2;
  TitleScreen->Action = "QUIT";
  int frames = 0;
  while (TitleScreen->TitleMenuState && frames < 100) {
    TitleScreen->Run();
    ++frames;
  }
  // About 20 frames for the texts, as many for the logo and the screen.
  EXPECT_GE(frames, 38);
  EXPECT_LE(frames, 43);
  EXPECT_LT(TitleScreen->Alpha, 0);
}

TEST_F(TitleMenuTest, PlayersAreAddedRenamedAndDeletedDownToTheDefaultPlayer) {
  ASSERT_EQ(Names(), std::vector<std::string>{"Tester"});
  Script script;
  // A new player: clear the suggested name, type one, commit it with Enter.
  ToNewPlayerEntry(script)
      .Do([] { EXPECT_EQ(TitleScreen->NameReq->Caption, "New player"); })
      .HoldKey(KEY_BACKSPACE, 130)
      .Type("Zed")
      .TapKey(KEY_ENTER)
      .Until([] { return Showing("USERS_SHOW", TitleScreen->ReqUsers); }, 100, "back to the list")
      .Do([] {
        EXPECT_EQ(Names(), (std::vector<std::string>{"Tester", "Zed"}));
        EXPECT_EQ(CurrentUserIndex, 1);
        EXPECT_NE(SavedFile().find("Zed\r\n"), std::string::npos);
      })
      // Renaming to a name another player has is allowed.
      .Click(LIST_NEW_X, LIST_CHANGE_Y)
      .Until([] { return Showing("CHANGE_USER", TitleScreen->NameReq); }, 100, "rename entry")
      .Do([] { EXPECT_EQ(TitleScreen->NameReq->Caption, "Zed"); })
      .HoldKey(KEY_BACKSPACE, 30)
      .Type("Tester")
      .Click(NAME_OK_X, NAME_OK_Y)
      .Until([] { return Showing("USERS_SHOW", TitleScreen->ReqUsers); }, 100, "back to the list")
      .Do([] { EXPECT_EQ(Names(), (std::vector<std::string>{"Tester", "Tester"})); })
      // Deleting asks first, naming the player; "No" keeps the player.
      .Click(LIST_NEW_X, LIST_DELETE_Y)
      .Until(DeleteQuestionShown, 100, "the delete question")
      .Do([] {
        EXPECT_EQ(TitleScreen->DeleteReq->Line1, "Delete player?");
        EXPECT_EQ(TitleScreen->DeleteReq->Line2, "Tester\nand all progress will be lost.");
      })
      .Click(NO_X, ANSWER_Y)
      .Until([] { return Showing("USERS_SHOW", TitleScreen->ReqUsers); }, 100, "back to the list")
      .Do([] { EXPECT_EQ(Names(), (std::vector<std::string>{"Tester", "Tester"})); })
      // "Yeah" deletes; with both gone the menu's next look-up brings the default player,
      // named in the game's language.
      .Click(LIST_NEW_X, LIST_DELETE_Y)
      .Until(DeleteQuestionShown, 100, "the delete question")
      .Click(YEAH_X, ANSWER_Y)
      .Until([] { return Showing("USERS_SHOW", TitleScreen->ReqUsers); }, 100, "back to the list")
      .Do([] { EXPECT_EQ(Names(), std::vector<std::string>{"Tester"}); })
      .Click(LIST_NEW_X, LIST_DELETE_Y)
      .Until(DeleteQuestionShown, 100, "the delete question")
      .Click(YEAH_X, ANSWER_Y)
      .Until([] { return Showing("USERS_SHOW", TitleScreen->ReqUsers); }, 100, "back to the list")
      .Do([] { EXPECT_EQ(Names(), std::vector<std::string>{"New Player"}); })
      .Click(LIST_NEW_X, LIST_OK_Y)
      .Until([] { return TitleScreen->Action.empty(); }, 100, "idle menu")
      .Do([] { EXPECT_NE(SavedFile().find("New Player\r\n"), std::string::npos); })
      .Stop();
  EXPECT_THROW(RunMenu(script), StopRun);
}

// A German name typed with umlauts and ß: one Latin-1 byte per letter in the profile
// file, the same bytes after a load and a save, and each letter drawn with its own glyph.
TEST_F(TitleMenuTest, AGermanNameKeepsItsLettersThroughTheFileAndOnTheScreen) {
  const std::string name = "J\xfcrgen \xc4\xdfl\xf6";  // Jürgen Äßlö
  Script script;
  ToNewPlayerEntry(script)
      .HoldKey(KEY_BACKSPACE, 130)
      .Type(name)
      .TapKey(KEY_ENTER)
      .Until([] { return Showing("USERS_SHOW", TitleScreen->ReqUsers); }, 100, "back to the list")
      .Stop();
  EXPECT_THROW(RunMenu(script), StopRun);
  ASSERT_EQ(Names(), (std::vector<std::string>{"Tester", name}));
  const std::string saved = SavedFile();
  EXPECT_NE(saved.find(name + "\r\n"), std::string::npos);

  Users->RemoveAllUsers();
  ASSERT_TRUE(Users->Load());
  ASSERT_EQ(Names(), (std::vector<std::string>{"Tester", name}));
  ASSERT_TRUE(Users->Save());
  EXPECT_EQ(SavedFile(), saved);

  // Drawn, the name is the glyphs of its codes side by side (ü is glyph 0xFC − 31).
  auto drawn = [](auto draw) {
    Cls();
    SetColor(255, 255, 255);
    SetAlpha(1);
    draw();
    const PixmapPtr pm = GrabPixmap(0, 0, 400, 40);
    return std::vector<uint32_t>(pm->pixels.begin(), pm->pixels.end());
  };
  const auto text = drawn([&] { FontMain->Draw(name, 10, 4, false); });
  const auto glyphs = drawn([&] {
    int pen = 0;
    for (unsigned char c : name) {
      DrawImage(FontMain->FontImage, float(10 + pen), 4, c - 31);
      pen += FontMain->CharW[c - 31];
    }
  });
  EXPECT_EQ(text, glyphs);
  const auto plain = drawn([&] { FontMain->Draw("Jurgen A?lo", 10, 4, false); });
  EXPECT_NE(text, plain);
}

TEST_F(TitleMenuTest, NameEntryKeepsEmptyNamesOutAndStopsAtItsWidth) {
  TReqEnterName& entry = *TitleScreen->NameReq;
  entry.Alpha = 1;
  TitleScreen->Action = "ADD_NEW_USER";
  entry.Caption = "";
  entry.ButtonPressed("Ok");
  EXPECT_EQ(Names(), std::vector<std::string>{"Tester"});
  EXPECT_EQ(TitleScreen->Action, "ADD_NEW_USER");

  // Typing stops once the name is 300 pixels wide.
  for (int i = 0; i < 100; ++i) {
    InjectChar('W');
    PollInput();
    entry.Render(105, 115);
  }
  const std::string full = entry.Caption;
  EXPECT_GE(FontMain->GetWidth(full), 300);
  EXPECT_LT(FontMain->GetWidth(full.substr(1)), 300);

  // An existing name adds nobody and saves the list as it was, but still selects the
  // last player in the list (not the one of that name).
  Users->AddUser("Ann", 100, 80, 0, 0, 0, 0, true, true, true, true, "", 0, false);
  Users->AddUser("Bob", 100, 80, 0, 0, 0, 0, true, true, true, true, "", 0, false);
  CurrentUserIndex = 1;
  TitleScreen->Action = "ADD_NEW_USER";
  entry.Caption = "Tester";
  entry.ButtonPressed("Ok");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Tester", "Ann", "Bob"}));
  EXPECT_EQ(TitleScreen->Action, "USERS_SHOW");
  EXPECT_EQ(CurrentUserIndex, 2);
  ASSERT_TRUE(Users->Load());
  EXPECT_EQ(Names(), (std::vector<std::string>{"Tester", "Ann", "Bob"})) << "saved unchanged";
}

TEST_F(TitleMenuTest, LongNamesAreShortenedInTheListAndInTheDeleteQuestion) {
  const std::string longName = "Wolfgang Amadeus the Wandering";
  constexpr int LIST_LEFT = 62 + 109, LIST_W = 179;
  ASSERT_GT(FontMain->GetWidth(longName), LIST_W);
  // The player's row drawn with the name and without: where they differ is the name,
  // which fills the row but ends before the list's edge.
  auto row = [](const std::string& name) {
    Users->UserList[0]->Name = name;
    PollInput();
    Cls();
    TitleScreen->ReqUsers->Alpha = 1;
    TitleScreen->ReqUsers->Render(62, 25);
    return GrabPixmap(LIST_LEFT, 25 + 84, LIST_W, FontMain->FrameHeight);
  };
  const PixmapPtr with = row(longName), without = row("");
  int nameEnd = -1;
  for (int x = 0; x < LIST_W; ++x)
    for (int y = 0; y < with->height; ++y)
      if (with->ReadPixel(x, y) != without->ReadPixel(x, y)) nameEnd = x;
  EXPECT_GT(nameEnd, LIST_W - 30);
  EXPECT_LT(nameEnd, LIST_W - 4);

  // The question names the player, shortened to its box; "No" keeps the player.
  Users->UserList[0]->Name = longName + longName;
  TitleScreen->AskToDelete(Users->UserList[0]);
  const std::string line = TitleScreen->DeleteReq->Line2.substr(0, TitleScreen->DeleteReq->Line2.find('\n'));
  EXPECT_EQ(line.substr(line.size() - 2), "..");
  EXPECT_LE(FontMain->GetWidth(line), 400);
}

TEST(PlayerNames, ControlCharactersBecomeSpaces) {
  EXPECT_EQ(PrintableName(std::string("a\nb\tc\rd\0e", 9)), "a b c d e");
  EXPECT_EQ(PrintableName("Zo\xEB \xA9"), "Zo\xEB \xA9");  // Latin-1 letters stay
}

TEST_F(TitleMenuTest, ARenamedNameIsStoredWithoutControlCharacters) {
  // A name from outside the game (the login name) may hold anything; renaming stores it
  // as one printable line.
  Users->UserList[0]->Name = "tab\there";
  TReqEnterName& entry = *TitleScreen->NameReq;
  entry.Alpha = 1;
  entry.ChangeName = true;
  entry.ChangeId = 0;
  entry.Caption = Users->UserList[0]->Name;
  TitleScreen->Action = "CHANGE_USER";
  entry.ButtonPressed("Ok");
  EXPECT_EQ(Users->UserList[0]->Name, "tab here");
  EXPECT_NE(SavedFile().find("tab here\r\n"), std::string::npos);
}
