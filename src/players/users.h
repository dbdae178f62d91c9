// Player profiles: volumes, chosen looks, option flags, score, rank and the furthest level
// reached per level set. All profiles live in the global Users and in the file
// "users.cfg" in the data folder; CurrentUserIndex names the current player.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TStream;

class TMaxLevel {
public:
  TMaxLevel(std::string name, int level) : Name(std::move(name)), Level(level) {}
  std::string Name;  // the level-set file path as the game holds it while playing
  int Level = 0;     // zero-based furthest level; 50 or more: the set is done
};
using MaxLevelPtr = std::shared_ptr<TMaxLevel>;

class TUser {
public:
  std::string Name;
  int MusicVolume = 0;
  int SFXVolume = 0;
  std::vector<MaxLevelPtr> MaxLevel;
  int Score = 0;
  int Selected_Background = 0;
  int Selected_Music = 0;
  int Selected_Puzzleset = 0;
  bool BackgroundAnimation = false;
  bool ProgressMap = false;
  bool Wisdoms = false;
  bool Tutorial = false;
  bool BonusGameTutorialAlreadyShowed = false;  // never stored
  std::string CurrLevelFile;
  int CurrentRank = 0;
};
using UserPtr = std::shared_ptr<TUser>;

class TUsers {
public:
  static constexpr const char* FILE_NAME = "users.cfg";
  // Limits for reading a damaged or hostile file; real files stay far below them. Every
  // byte of the file makes at most one character or one object, so what a file can make
  // the game hold stays below a few tens of megabytes.
  static constexpr uint64_t MAX_FILE_BYTES = 8 << 20;
  static constexpr int MAX_PROFILES = 1000;
  static constexpr int MAX_PROGRESS = 100000;  // progress entries of all profiles together
  // The ranges of the stored numbers.
  static constexpr int RANK_COUNT = 6;
  static constexpr int BACKGROUND_COUNT = 6;
  static constexpr int SONG_COUNT = 3;
  static constexpr int PUZZLE_SET_COUNT = 2;
  static constexpr int MAX_SCORE = 1000000000;
  static constexpr int MAX_LEVEL_INDEX = 1000;

  std::vector<UserPtr> UserList;

  void RemoveUser(const std::string& name);
  void RemoveUserNo(int index);
  // The profile at CurrentUserIndex, else the first; on an empty list a new "New Player"
  // (from the string table) is added and returned. The index is left as it is.
  UserPtr GetCurrentUser();
  void RemoveAllUsers();
  bool AddUser(const std::string& Name, int MusicVolume, int SFXVolume, int Score, int Selected_Background,
               int Selected_Music, int Selected_Puzzleset, bool BackgroundAnimation, bool ProgressMap,
               bool Wisdoms, bool Tutorial, const std::string& CurrLevelFile, int CurrentRank,
               bool BonusGameTutorialAlreadyShowed);
  void AddMaxData(const std::string& name, int level);
  static void AddMaxDataEx(const std::string& userName, const std::string& setName, int level);

  // Writes through a temporary file; false when anything failed (the old file stays).
  // Profiles just as the file holds them are not written again.
  bool Save();
  // The same, written by a worker thread: for saves during play, which must not wait for
  // the disk. A failed write is logged and the next save writes again.
  void SaveInBackground();
  // false when the file cannot be opened. A damaged file keeps the profiles read whole
  // and is copied aside before the next Save writes over it.
  bool Load();
  // Replaces the profiles by the records of a users.cfg stream; false when it is damaged.
  bool Read(TStream& s);
  // The last Load found damage that has not been copied aside yet.
  bool DamagedFilePending() const { return keepDamagedFile_; }

  static std::string FilePath();

private:
  UserPtr FindUser(const std::string& name) const;
  bool KeepDamagedFile(const std::string& path);
  std::vector<uint8_t> Encoded() const;
  bool Unchanged(const std::vector<uint8_t>& bytes);

  bool keepDamagedFile_ = false;
  std::vector<uint8_t> onDisk_;  // the profiles as last read whole or written; empty: unknown
  std::shared_ptr<std::atomic<bool>> writeFailed_ = std::make_shared<std::atomic<bool>>(false);
};
using UsersPtr = std::shared_ptr<TUsers>;

extern UsersPtr Users;
extern int CurrentUserIndex;

// Starts the profile module once: the string table, the data folder, the ranks, Users.
void InitPlayers();
// The name for the first profile: the login name from the environment, as game text.
std::string EnvironmentUserName();
