#include "players/users.h"

#include "media/debug.h"
#include "players/data_folder.h"
#include "players/ranks.h"
#include "present/language.h"
#include "present/latin1.h"

UsersPtr Users;
int CurrentUserIndex = 0;

void TUsers::RemoveUser(const std::string& name) {
  for (auto it = UserList.begin(); it != UserList.end(); ++it)
    if ((*it)->Name == name) {
      UserList.erase(it);
      return;
    }
}

void TUsers::RemoveUserNo(int index) {
  if (index >= 0 && size_t(index) < UserList.size()) UserList.erase(UserList.begin() + index);
}

UserPtr TUsers::GetCurrentUser() {
  if (UserList.empty()) {
    // Named in the game's language, like the first profile made at start-up.
    const std::string name = Language ? Language->GetString("New Player") : "New Player";
    AddUser(name, 100, 80, 0, 0, 0, 0, true, true, true, true, "", 0, false);
  }
  if (CurrentUserIndex >= 0 && size_t(CurrentUserIndex) < UserList.size()) return UserList[size_t(CurrentUserIndex)];
  return UserList.front();
}

void TUsers::RemoveAllUsers() { UserList = {}; }

bool TUsers::AddUser(const std::string& Name, int MusicVolume, int SFXVolume, int Score, int Selected_Background,
                     int Selected_Music, int Selected_Puzzleset, bool BackgroundAnimation, bool ProgressMap,
                     bool Wisdoms, bool Tutorial, const std::string& CurrLevelFile, int CurrentRank,
                     bool BonusGameTutorialAlreadyShowed) {
  if (FindUser(Name)) return false;
  auto u = std::make_shared<TUser>();
  u->Name = Name;
  u->MusicVolume = MusicVolume;
  u->SFXVolume = SFXVolume;
  u->Score = Score;
  u->Selected_Background = Selected_Background;
  u->Selected_Music = Selected_Music;
  u->Selected_Puzzleset = Selected_Puzzleset;
  u->BackgroundAnimation = BackgroundAnimation;
  u->ProgressMap = ProgressMap;
  u->Wisdoms = Wisdoms;
  u->Tutorial = Tutorial;
  u->CurrLevelFile = CurrLevelFile;
  u->CurrentRank = CurrentRank;
  u->BonusGameTutorialAlreadyShowed = BonusGameTutorialAlreadyShowed;
  UserList.push_back(u);
  return true;
}

void TUsers::AddMaxData(const std::string& name, int level) {
  GetCurrentUser()->MaxLevel.push_back(std::make_shared<TMaxLevel>(name, level));
  DebugLog("MaxData: " + name + std::to_string(level));
}

void TUsers::AddMaxDataEx(const std::string& userName, const std::string& setName, int level) {
  if (!Users) return;
  if (UserPtr u = Users->FindUser(userName)) u->MaxLevel.push_back(std::make_shared<TMaxLevel>(setName, level));
  DebugLog("MaxDataEx: " + setName + std::to_string(level));
}

UserPtr TUsers::FindUser(const std::string& name) const {
  for (const auto& u : UserList)
    if (u->Name == name) return u;
  return nullptr;
}

std::string TUsers::FilePath() { return (DataFolder ? DataFolder->GetPath() : std::string()) + FILE_NAME; }

void InitPlayers() {
  static bool done = false;
  if (done) return;
  done = true;
  InitStrings();
  InitDataFolder();
  InitRanks();
  Users = std::make_shared<TUsers>();
}

std::string EnvironmentUserName() {
  for (const char* var : {"username", "USER", "LOGNAME"}) {
    std::string name = EnvironmentText(var);
    for (char& c : name)
      if (static_cast<unsigned char>(c) < 32) c = ' ';  // control characters show as blanks
    if (!name.empty()) return name;
  }
  return "";
}
