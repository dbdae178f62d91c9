#include "levels_source.h"

#include "levels_art.h"
#include "levels_format.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <regex>
#include <sstream>

namespace levels {

namespace {

std::vector<std::string> Split(const std::string& s) {
  std::istringstream in(s);
  std::vector<std::string> out;
  for (std::string t; in >> t;) out.push_back(t);
  return out;
}

bool ParseNumber(const std::string& s, double& v) {
  if (s.empty()) return false;
  char* end = nullptr;
  v = std::strtod(s.c_str(), &end);
  return end == s.c_str() + s.size() && std::isfinite(v);
}

bool IsWhole(double v) { return v == std::floor(v); }

// One axis of a grid point: "3", "-1.5", "2d", "3+1d", "3-2d" (d = one turned-grid step).
bool ParseComponent(std::string s, double& a, double& b) {
  a = b = 0;
  if (s.empty()) return false;
  if (s.back() != 'd') return ParseNumber(s, a);
  s.pop_back();
  size_t split = s.find_last_of("+-");
  if (split == std::string::npos || split == 0) {  // "2d", "-2d", "d"
    if (s.empty() || s == "+" || s == "-") s += "1";
    return ParseNumber(s, b);
  }
  std::string steps = s.substr(split);
  if (steps.size() == 1) steps += "1";
  return ParseNumber(s.substr(0, split), a) && ParseNumber(steps, b);
}

enum class Grid { Vertex, Centre };

// "x,y" in grid units; vertices need whole steps, centres half steps.
bool ParseGridPoint(const std::string& tok, Grid grid, Vec& px) {
  const size_t comma = tok.find(',');
  if (comma == std::string::npos) return false;
  double ax, bx, ay, by;
  if (!ParseComponent(tok.substr(0, comma), ax, bx) || !ParseComponent(tok.substr(comma + 1), ay, by))
    return false;
  const double k = grid == Grid::Vertex ? 1 : 2;
  if (!IsWhole(ax * k) || !IsWhole(bx * k) || !IsWhole(ay * k) || !IsWhole(by * k)) return false;
  px = {ax * UNIT + bx * DIAG, ay * UNIT + by * DIAG};
  return true;
}

bool ParsePixelPoint(const std::string& tok, Vec& px) {
  const size_t comma = tok.find(',');
  return comma != std::string::npos && ParseNumber(tok.substr(0, comma), px.x) &&
         ParseNumber(tok.substr(comma + 1), px.y);
}

int KindByName(const std::string& s) {
  if (s == "large") return LARGE;
  if (s == "medium") return MEDIUM;
  if (s == "small") return SMALL;
  if (s == "square") return SQUARE;
  if (s == "para" || s == "parallelogram") return PARA;
  return -1;
}

unsigned ModeByName(const std::string& s) {
  static const std::map<std::string, unsigned> modes = {
      {"enlightenment", LP_ENLIGHTENMENT}, {"meditation", LP_MEDITATION},
      {"twister", LP_TWISTER},             {"freeze", LP_FREEZE},
      {"floating", LP_FLOATING_TILES},     {"tiles", LP_PLAY_FOR_TILES},
      {"torch", LP_TORCH},                 {"bombs", LP_BOMBS},
      {"jokers", LP_JOKER}};
  auto it = modes.find(s);
  return it == modes.end() ? 0 : it->second;
}

int IndexOf(const std::vector<std::string>& names, const std::string& s) {
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == s || std::to_string(i) == s) return int(i);
  return -1;
}

const std::vector<std::string> DIFFICULTIES = {"easy", "default", "hard", "maniac"};
const std::vector<std::string> SPEEDS = {"very-slow", "slow", "relaxed", "fast", "very-fast"};

int BoardCell(char c) {
  if (c == '.') return -1;
  if (c >= '0' && c <= '5') return c - '0';
  if (c == 'J') return 6;
  if (c == 'B') return 7;
  if (c == 'S') return 9;
  return -2;
}

class Parser {
public:
  explicit Parser(const std::string& file) : diag_(file) { set_.file = file; }
  SourceSet Run(const std::string& text);

private:
  void Line(const std::string& text, int line);
  void Keyword(const std::string& text, const std::vector<std::string>& t, int line);
  void LevelSetting(const std::vector<std::string>& t, int line);
  void Piece(int kind, const std::vector<std::string>& t, int line);
  void Art(const std::vector<std::string>& t, int line);
  void Use(const std::vector<std::string>& t, int line);
  void Board(const std::vector<std::string>& t, int line);
  void BoardRow(const std::vector<std::string>& t, int line);
  void StartLevel(const std::string& rest, int line);
  void EndBlock();
  void EndArt();
  SourceLevel* Level() { return inLevel_ ? &set_.levels.back() : nullptr; }
  std::vector<SourcePiece>* Pieces();

  Diagnostics diag_;
  SourceSet set_;
  std::map<std::string, std::vector<SourcePiece>> figures_;
  std::string figureName_;
  bool inFigure_ = false;
  bool inLevel_ = false;
  std::optional<ArtBlock> art_;
  SourceBoard board_;
  int boardRow_ = BOARD_ROWS;  // rows read of the board being written
};

SourceSet Parser::Run(const std::string& text) {
  std::istringstream in(text);
  int line = 0;
  for (std::string s; std::getline(in, s);) Line(s, ++line);
  if (boardRow_ < BOARD_ROWS) diag_.Error(board_.line, "the board needs 9 rows of 8 cells");
  EndBlock();
  if (set_.name.empty()) diag_.Error(1, "missing \"set <name>\"");
  diag_.ThrowIfAny();
  return std::move(set_);
}

std::vector<SourcePiece>* Parser::Pieces() {
  if (inFigure_) return &figures_[figureName_];
  if (inLevel_) return &set_.levels.back().pieces;
  return nullptr;
}

void Parser::Line(const std::string& raw, int line) {
  const size_t comment = raw.find('#');
  const std::string text = raw.substr(0, comment);
  const std::vector<std::string> t = Split(text);
  if (t.empty() && comment != std::string::npos) return;  // comment lines never end a block
  if (boardRow_ < BOARD_ROWS) {
    if (!t.empty()) BoardRow(t, line);
    return;
  }
  if (art_) {
    if (ArtBlock::IsArtRow(t)) {
      art_->AddRow(t, line);
      return;
    }
    EndArt();
  }
  if (!t.empty()) Keyword(text, t, line);
}

void Parser::Keyword(const std::string& text, const std::vector<std::string>& t, int line) {
  const std::string& k = t[0];
  const std::string rest = text.substr(text.find(k) + k.size());
  if (k == "set") {
    if (!set_.name.empty() || inLevel_ || inFigure_) diag_.Error(line, "\"set\" comes once, first");
    const size_t first = rest.find_first_not_of(" \t\r");
    const size_t last = rest.find_last_not_of(" \t\r");
    set_.name = first == std::string::npos ? "" : rest.substr(first, last - first + 1);
  } else if (k == "figure") {
    EndBlock();
    if (t.size() != 2) return diag_.Error(line, "write \"figure <name>\"");
    if (figures_.count(t[1])) diag_.Error(line, "figure \"" + t[1] + "\" is defined twice");
    figures_[t[1]].clear();
    figureName_ = t[1];
    inFigure_ = true;
  } else if (k == "level") {
    EndBlock();
    StartLevel(rest, line);
  } else if (k == "art") {
    Art(t, line);
  } else if (k == "use") {
    Use(t, line);
  } else if (int kind = KindByName(k); kind >= 0) {
    Piece(kind, t, line);
  } else if (inLevel_) {
    LevelSetting(t, line);
  } else {
    diag_.Error(line, "unknown line \"" + k + "\" outside a level");
  }
}

void Parser::StartLevel(const std::string& rest, int line) {
  static const std::regex header(R"(\s*(\d+)\s*:\s*(\S.*?)\s*)");
  std::smatch m;
  set_.levels.emplace_back();
  inLevel_ = true;
  SourceLevel& level = set_.levels.back();
  level.line = line;
  if (!std::regex_match(rest, m, header)) {
    diag_.Error(line, "write \"level <number>: <title>\"");
    return;
  }
  level.number = std::atoi(m[1].str().c_str());
  level.title = m[2];
  if (level.number != int(set_.levels.size()))
    diag_.Error(line, "levels are numbered 1, 2, 3... in order: expected level " +
                          std::to_string(set_.levels.size()));
}

void Parser::LevelSetting(const std::vector<std::string>& t, int line) {
  SourceLevel& level = *Level();
  const std::string& k = t[0];
  double v = 0;
  if (k == "time") {
    if (t.size() != 2 || !ParseNumber(t[1], v) || !IsWhole(v) || v < 0 || v > 3600)
      return diag_.Error(line, "write \"time <seconds>\" (0 = no limit, at most 3600)");
    level.time = int(v);
  } else if (k == "modes") {
    for (size_t i = 1; i < t.size(); ++i) {
      if (t[i] == "none") continue;
      const unsigned bit = ModeByName(t[i]);
      if (!bit)
        diag_.Error(line, "unknown mode \"" + t[i] + "\" (enlightenment, meditation, twister, "
                          "freeze, floating, torch, tiles, bombs, jokers)");
      level.modes |= bit;
    }
  } else if (k == "row") {
    if (t.size() != 2 || (t[1] != "1" && t[1] != "2"))
      return diag_.Error(line, "write \"row 1\" (\"/\" parallelogram) or \"row 2\" (its mirror)");
    level.row = t[1][0] - '0';
  } else if (k == "turn") {
    if (t.size() != 2 || !ParseNumber(t[1], v) || !IsWhole(v / 22.5))
      return diag_.Error(line, "write \"turn <degrees>\" with a multiple of 22.5");
    level.turn = v;
  } else if (k == "centre" || k == "center") {
    Vec c;
    if (t.size() != 2 || !ParsePixelPoint(t[1], c))
      return diag_.Error(line, "write \"centre <x>,<y>\" in screen pixels");
    level.centre = c;
  } else if (k == "board") {
    Board(t, line);
  } else {
    diag_.Error(line, "unknown line \"" + k + "\"");
  }
}

// "<kind> x,y x,y x,y [x,y]" (outline) or "<kind> at x,y rot <degrees>" (centre).
void Parser::Piece(int kind, const std::vector<std::string>& t, int line) {
  std::vector<SourcePiece>* pieces = Pieces();
  if (!pieces) return diag_.Error(line, "pieces belong in a level or a figure");
  if (t.size() == 5 && t[1] == "at" && t[3] == "rot") {
    Vec c;
    double r = 0;
    if (!ParseGridPoint(t[2], Grid::Centre, c))
      return diag_.Error(line, "bad centre \"" + t[2] + "\" (grid units in half steps, e.g. 1.5,2+0.5d)");
    if (!ParseNumber(t[4], r) || !IsWhole(r / 22.5))
      return diag_.Error(line, "the rotation must be a multiple of 22.5");
    pieces->push_back({{kind, c.x, c.y, CanonicalRotation(kind, r)}, 0, line, 0});
    return;
  }
  std::vector<Vec> corners;
  for (size_t i = 1; i < t.size(); ++i) {
    Vec v;
    if (!ParseGridPoint(t[i], Grid::Vertex, v))
      return diag_.Error(line, "bad corner \"" + t[i] + "\" (grid units in whole steps, e.g. 2,1 or 3+1d,-2d)");
    corners.push_back(v);
  }
  std::string why;
  const auto fit = FitPiece(corners, why);
  if (!fit) return diag_.Error(line, why);
  if (fit->placement.element != kind)
    return diag_.Error(line, std::string("this outline is a ") + ElementName(fit->placement.element) +
                                 ", not a " + ElementName(kind));
  pieces->push_back({fit->placement, fit->row, line, 0});
}

// "art [plain|wide] [at x,y]": cell rows follow until a blank or other line.
void Parser::Art(const std::vector<std::string>& t, int line) {
  if (!Pieces()) return diag_.Error(line, "art belongs in a level or a figure");
  bool wide = false;
  Vec origin;
  for (size_t i = 1; i < t.size(); ++i) {
    if (t[i] == "plain" || t[i] == "wide") {
      wide = t[i] == "wide";
    } else if (t[i] == "at" && i + 1 < t.size() && ParseGridPoint(t[i + 1], Grid::Vertex, origin)) {
      ++i;
    } else {
      return diag_.Error(line, "write \"art [plain|wide] [at x,y]\"");
    }
  }
  art_.emplace(wide, origin);
}

void Parser::EndArt() {
  if (!art_) return;
  if (std::vector<SourcePiece>* pieces = Pieces()) art_->Finish(diag_, *pieces);
  art_.reset();
}

void Parser::Use(const std::vector<std::string>& t, int line) {
  if (!inLevel_) return diag_.Error(line, "figures are used in levels");
  Vec shift;
  if (t.size() < 2 || (t.size() != 2 && !(t.size() == 4 && t[2] == "at" &&
                                          ParseGridPoint(t[3], Grid::Vertex, shift))))
    return diag_.Error(line, "write \"use <figure> [at x,y]\"");
  auto it = figures_.find(t[1]);
  if (it == figures_.end())
    return diag_.Error(line, "no figure \"" + t[1] + "\" above this line");
  for (SourcePiece p : it->second) {
    p.placement.x += shift.x;
    p.placement.y += shift.y;
    p.useLine = line;
    Level()->pieces.push_back(p);
  }
}

// "board difficulty <easy|default|hard|maniac> speed <very-slow|slow|relaxed|fast|very-fast>"
void Parser::Board(const std::vector<std::string>& t, int line) {
  board_ = SourceBoard{};
  board_.line = line;
  int difficulty = -1, speed = -1;
  if (t.size() == 5 && t[1] == "difficulty" && t[3] == "speed") {
    difficulty = IndexOf(DIFFICULTIES, t[2]);
    speed = IndexOf(SPEEDS, t[4]);
  }
  if (difficulty < 0 || speed < 0)
    diag_.Error(line, "write \"board difficulty <easy|default|hard|maniac> speed "
                      "<very-slow|slow|relaxed|fast|very-fast>\" and 9 rows of 8 cells");
  if (Level()->board) diag_.Error(line, "a level has one board");
  board_.difficulty = std::max(0, difficulty);
  board_.speed = std::max(0, speed);
  boardRow_ = 0;
}

void Parser::BoardRow(const std::vector<std::string>& t, int line) {
  std::string text;
  for (const std::string& s : t) text += s;
  int x = 0;
  bool ok = true;
  for (size_t i = 0; ok && i < text.size(); ++i, ++x) {
    ok = x < BOARD_COLUMNS && BoardCell(text[i]) != -2;
    if (!ok) break;
    board_.cells[x][boardRow_] = BoardCell(text[i]);
    board_.marks[x][boardRow_] = -1;
    if (i + 1 < text.size() && text[i + 1] == '*') {
      board_.marks[x][boardRow_] = 0;
      ++i;
    }
  }
  if (!ok || x != BOARD_COLUMNS) {
    diag_.Error(line, "a board row has 8 cells: . empty, 0-5 colours, J joker, B bomb, S stone; "
                      "* after a tile hides a piece under it");
    for (int c = 0; c < BOARD_COLUMNS; ++c) board_.cells[c][boardRow_] = board_.marks[c][boardRow_] = -1;
  }
  if (++boardRow_ == BOARD_ROWS) Level()->board = board_;
}

void Parser::EndBlock() {
  EndArt();
  inFigure_ = inLevel_ = false;
}

}  // namespace

SourceSet ParseLevelSource(const std::string& text, const std::string& file) {
  return Parser(file).Run(text);
}

}  // namespace levels
