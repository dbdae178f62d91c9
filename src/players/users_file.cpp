// "users.cfg": profile count, current index, then per profile its fields and its
// progress lines, ended by the line "END". Nothing in the file is trusted: every field
// must lie inside the data, numbers are brought into their ranges, the file's size and
// the counts are capped (so memory stays below a fixed ceiling), and a profile is added
// only when its record was read whole. A damaged file is copied aside before it is ever
// overwritten.
#include "players/users.h"

#include "media/debug.h"
#include "media/stream.h"

#include <algorithm>

namespace {

// A text stored as one line: the bytes that end a line when read back (LF, CR, zero; a
// character above 255 may have become one) are stored as blanks, so a name can never split
// a record and shift every field after it.
std::string AsLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r' || c == '\0') c = ' ';
  return text;
}

// Reads fields until the data ends; from then on every read yields zero and ok() is false.
class FieldReader {
public:
  explicit FieldReader(TStream& s) : s_(s) {}
  int32_t Int() { return Need(4) ? s_.ReadInt() : 0; }
  bool Byte() { return Need(1) && s_.ReadByte() != 0; }
  std::string Line() { return Need(1) ? s_.ReadLine() : std::string(); }
  bool ok() const { return ok_; }
  void Fail() { ok_ = false; }
  uint64_t Position() const { return s_.Position(); }

private:
  bool Need(uint64_t n) {
    if (s_.Remaining() < n) ok_ = false;
    return ok_;
  }
  TStream& s_;
  bool ok_ = true;
};

int Ranged(int32_t v, int lo, int hi) { return std::clamp(int(v), lo, hi); }

// One profile record; false when it is incomplete or the file holds more progress entries
// than `progressLeft` allows. Numbers outside their ranges are brought into them.
bool ReadProfile(FieldReader& r, TUser& u, int& progressLeft) {
  u.Name = r.Line();
  u.MusicVolume = Ranged(r.Int(), 0, 100);
  u.SFXVolume = Ranged(r.Int(), 0, 100);
  u.CurrentRank = Ranged(r.Int(), 0, TUsers::RANK_COUNT - 1);
  u.CurrLevelFile = r.Line();
  u.Selected_Background = Ranged(r.Int(), 0, TUsers::BACKGROUND_COUNT - 1);
  u.Selected_Music = Ranged(r.Int(), 0, TUsers::SONG_COUNT - 1);
  u.Selected_Puzzleset = Ranged(r.Int(), 0, TUsers::PUZZLE_SET_COUNT - 1);
  u.BackgroundAnimation = r.Byte();
  u.ProgressMap = r.Byte();
  u.Wisdoms = r.Byte();
  u.Tutorial = r.Byte();
  u.Score = Ranged(r.Int(), 0, TUsers::MAX_SCORE);
  while (r.ok()) {
    std::string set = r.Line();
    if (set == "END") break;
    const int level = Ranged(r.Int(), 0, TUsers::MAX_LEVEL_INDEX);
    if (--progressLeft < 0) r.Fail();
    if (r.ok()) u.MaxLevel.push_back(std::make_shared<TMaxLevel>(std::move(set), level));
  }
  return r.ok();
}

void WriteProfile(TStream& s, const TUser& u) {
  s.WriteLine(AsLine(u.Name));
  s.WriteInt(u.MusicVolume);
  s.WriteInt(u.SFXVolume);
  s.WriteInt(u.CurrentRank);
  s.WriteLine(AsLine(u.CurrLevelFile));
  s.WriteInt(u.Selected_Background);
  s.WriteInt(u.Selected_Music);
  s.WriteInt(u.Selected_Puzzleset);
  s.WriteByte(u.BackgroundAnimation);
  s.WriteByte(u.ProgressMap);
  s.WriteByte(u.Wisdoms);
  s.WriteByte(u.Tutorial);
  s.WriteInt(u.Score);
  for (const auto& m : u.MaxLevel) {
    s.WriteLine(AsLine(m->Name));
    s.WriteInt(m->Level);
  }
  s.WriteLine("END");
}

}  // namespace

bool TUsers::Load() {
  FinishBackgroundWrites();  // read what was last saved, not what was there before
  const std::string path = FilePath();
  DebugLog("try to open" + path);
  StreamPtr s = ReadStream(path);
  if (!s) {
    DebugLog("Error loading users...");
    // A file that exists but cannot be read must survive the next save.
    keepDamagedFile_ = FileExists(path);
    onDisk_.clear();
    return false;
  }
  DebugLog("opend");
  const bool whole = Read(*s);
  s->Close();
  onDisk_ = whole ? Encoded() : std::vector<uint8_t>();
  DebugLog("Users loaded successful...");
  return true;
}

bool TUsers::Read(TStream& s) {
  RemoveAllUsers();
  keepDamagedFile_ = false;
  if (s.Size() == 0) return true;
  if (s.Size() > MAX_FILE_BYTES) {
    DebugLog("users.cfg is larger than any real one: not read");
    keepDamagedFile_ = true;
    return false;
  }
  FieldReader r(s);
  const int32_t count = r.Int();
  CurrentUserIndex = r.Int();
  bool whole = r.ok() && count >= 0 && count <= MAX_PROFILES;
  int progressLeft = MAX_PROGRESS;
  for (int32_t i = 0; r.ok() && i < std::min(count, int32_t(MAX_PROFILES)); ++i) {
    TUser u;
    if (!ReadProfile(r, u, progressLeft)) break;
    // A repeated name adds no profile; its progress goes to the earlier one.
    AddUser(u.Name, u.MusicVolume, u.SFXVolume, u.Score, u.Selected_Background, u.Selected_Music,
            u.Selected_Puzzleset, u.BackgroundAnimation, u.ProgressMap, u.Wisdoms, u.Tutorial, u.CurrLevelFile,
            u.CurrentRank, false);
    const UserPtr owner = FindUser(u.Name);
    for (const auto& m : u.MaxLevel) {
      owner->MaxLevel.push_back(m);
      DebugLog("MaxDataEx: " + m->Name + std::to_string(m->Level));
    }
  }
  // Bytes after the last record are data this reader does not understand.
  whole = whole && r.ok() && s.Remaining() == 0;
  if (!whole) {
    DebugLog("users.cfg damaged near byte " + std::to_string(r.Position()) + ": kept " +
             std::to_string(UserList.size()) + " whole profiles");
    keepDamagedFile_ = true;
  }
  return whole;
}

std::vector<uint8_t> TUsers::Encoded() const {
  TBufferStream s;
  s.WriteInt(int32_t(UserList.size()));
  s.WriteInt(CurrentUserIndex);
  for (const auto& u : UserList) WriteProfile(s, *u);
  return std::move(s.bytes);
}

bool TUsers::Unchanged(const std::vector<uint8_t>& bytes) {
  // After a failed background write the file's content is unknown.
  if (writeFailed_->exchange(false)) onDisk_.clear();
  return !keepDamagedFile_ && bytes == onDisk_ && FileExists(FilePath());
}

void TUsers::SaveInBackground() {
  std::vector<uint8_t> bytes = Encoded();
  if (Unchanged(bytes)) return;
  if (keepDamagedFile_) {  // the damaged file is copied aside first, once
    Save();
    return;
  }
  onDisk_ = bytes;
  WriteFileInBackground(FilePath(), std::move(bytes), writeFailed_);
}

bool TUsers::Save() {
  FinishBackgroundWrites();  // an older background write must not land after this one
  const std::string path = FilePath();
  std::vector<uint8_t> bytes = Encoded();
  if (Unchanged(bytes)) return true;
  if (keepDamagedFile_ && !KeepDamagedFile(path)) {
    DebugLog("users.cfg could not be copied aside; not overwritten");
    return false;
  }
  const bool ok = SaveBytes(path, bytes);
  if (!ok) DebugLog("Error saving users: " + path);
  onDisk_ = ok ? std::move(bytes) : std::vector<uint8_t>();
  return ok;
}

// Copies the file to the first free "<path>.damaged", "<path>.damaged2", … name.
bool TUsers::KeepDamagedFile(const std::string& path) {
  if (!FileExists(path)) {
    keepDamagedFile_ = false;
    return true;
  }
  for (int n = 1; n <= 100; ++n) {
    const std::string copy = path + ".damaged" + (n > 1 ? std::to_string(n) : "");
    if (FileExists(copy)) continue;
    if (!CopyFile(path, copy)) return false;
    DebugLog("Damaged users.cfg kept as " + copy);
    keepDamagedFile_ = false;
    return true;
  }
  return false;
}
