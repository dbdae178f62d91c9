// The game's file readers under fuzzing. The input is registered as an embedded resource
// and read through the same stream layer the game uses.
#include "fuzz/harness.h"

#include "game/shape.h"
#include "levels/geometry.h"
#include "levels/level_set.h"
#include "media/graphics.h"
#include "media/resource_store.h"
#include "media/stream.h"
#include "players/ini.h"
#include "players/users.h"
#include "present/bitmap_font.h"
#include "present/language.h"

#include <cmath>
#include <cstdlib>

namespace {

const std::string INPUT = "incbin::../fuzz/input";

// Makes the bytes the content of INPUT.
void Serve(const uint8_t* data, size_t size) {
  ClearResources();
  RegisterResource(INPUT.substr(8), data, size);
}

// A broken promise of a reader: libFuzzer reports the abort as a crash with its input.
void Require(bool promise) {
  if (!promise) std::abort();
}

bool Within(int v, int lo, int hi) { return v >= lo && v <= hi; }

}  // namespace

int FuzzUsersFile(const uint8_t* data, size_t size) {
  Serve(data, size);
  if (!Users) Users = std::make_shared<TUsers>();
  StreamPtr s = ReadStream(INPUT);
  Users->Read(*s);
  size_t progress = 0, text = 0;
  for (const UserPtr& u : Users->UserList) {
    Require(Within(u->MusicVolume, 0, 100) && Within(u->SFXVolume, 0, 100));
    Require(Within(u->CurrentRank, 0, TUsers::RANK_COUNT - 1) && Within(u->Score, 0, TUsers::MAX_SCORE));
    Require(Within(u->Selected_Background, 0, TUsers::BACKGROUND_COUNT - 1));
    Require(Within(u->Selected_Music, 0, TUsers::SONG_COUNT - 1));
    Require(Within(u->Selected_Puzzleset, 0, TUsers::PUZZLE_SET_COUNT - 1));
    text += u->Name.size() + u->CurrLevelFile.size();
    for (const MaxLevelPtr& m : u->MaxLevel) {
      Require(Within(m->Level, 0, TUsers::MAX_LEVEL_INDEX));
      text += m->Name.size();
    }
    progress += u->MaxLevel.size();
    // What the game builds from the numbers.
    const std::string song = "song" + std::to_string(u->Selected_Music + 1) + ".ogg";
    const std::string bg = "bg" + std::to_string(u->Selected_Background + 1) + ".jpg";
    Require(!song.empty() && !bg.empty());
  }
  Require(Users->UserList.size() <= size_t(TUsers::MAX_PROFILES));
  Require(progress <= size_t(TUsers::MAX_PROGRESS));
  Require(text <= size);  // every character came from a byte of the file
  Users->GetCurrentUser();
  return 0;
}

int FuzzLevelSet(const uint8_t* data, size_t size) {
  Serve(data, size);
  ReadLevelSet(INPUT);
  SmallTriList tris;
  for (int level = 0; level < LEVEL_COUNT; ++level) {
    const TLevelProperties& p = *LevelProps[size_t(level)];
    Require(Within(p.PuzzleSet, 0, 1) && p.GameTime >= 0 && Within(p.BonusTime, 0, 4));
    Require(Within(p.BonusLevelDifficulty, 0, 3));
    for (const auto& column : p.BonusLevelData)
      for (int cell : column) Require(Within(cell, -1, 7) || cell == 9);
    for (const auto& column : p.PuzzleTileData)
      for (int mark : column) Require(mark == -1 || mark == 0);
    Require(LevelShapes[size_t(level)].size() <= size_t(MAX_PIECES_PER_LEVEL));
    // The level start's use of every piece: the silhouette's small triangles.
    for (const ShapePtr& piece : LevelShapes[size_t(level)]) {
      Require(std::isfinite(piece->X) && std::isfinite(piece->Y) && Within(piece->Element, 0, 4));
      Require(piece->Rotation >= 0 && piece->Rotation < 360);
      SetRotation(piece->Rotation);
      AddPieceTriangles(piece->Element, int(piece->X), int(piece->Y), p.PuzzleSet, tris);
    }
    tris.clear();
  }
  SetRotation(0);
  return 0;
}

int FuzzLanguageFile(const uint8_t* data, size_t size) {
  static TLanguage* table = [] {
    Serve(nullptr, 0);
    return new TLanguage;  // kept for the run; it reads the (empty) default table once
  }();
  Serve(data, size);
  table->SetFilename(INPUT, false);
  size_t entries = 0;
  for (const LanEntryPtr& l : table->languages) entries += l->lan->size();
  Require(entries <= size / 36);
  table->GetString("Time: $mode", {"mode", "Fast"});
  table->GetString("New");
  return 0;
}

int FuzzIniFile(const uint8_t* data, size_t size) {
  Serve(data, size);
  const IniPtr ini = TIni::Read(INPUT);
  Require(ini->linecount <= TIni::MAX_LINES && size_t(ini->linecount) + 1 == ini->line.size());
  const int seek = ini->GetSeek("English");
  const int count = std::atoi(ini->GetValue(seek, "Anzahl", "0").c_str());
  for (int k = 1; k <= std::min(count, 5); ++k) ini->GetValue(seek, std::to_string(k), "");
  ini->GetValue(ini->GetSeek("[Deutsch"), "1", "");
  return 0;
}

int FuzzFontDescriptor(const uint8_t* data, size_t size) {
  Serve(data, size);
  TBitmapFont font;
  font.LoadFnt(INPUT);
  Require(Within(font.FrameWidth, 0, 1024) && Within(font.FrameHeight, 0, 1024) && Within(font.Frames, 0, 225));
  std::string every;
  for (int c = 0; c < 256; ++c) every += char(c);
  every += '\n' + every;
  Require(font.GetWidth(every) >= 0 && font.GetHeight(every) >= 0);
  return 0;
}

const std::vector<FuzzTarget>& FuzzTargets() {
  static const std::vector<FuzzTarget> targets = {
      {"users", FuzzUsersFile}, {"lvl", FuzzLevelSet},   {"lang", FuzzLanguageFile},
      {"ini", FuzzIniFile},     {"fnt", FuzzFontDescriptor}, {"levelsrc", FuzzLevelSource},
  };
  return targets;
}
