// The tile shooter of Play-for-tiles levels: the rules of BonusRules plus the artwork,
// the frame (input, shot, board rules, drawing) and the effects. TGame owns one per
// bonus level, calls Render every frame of the bonus stage and drains the result fields
// (AddScore, AddLevelObject, CreateText, GameOver).
#pragma once

#include "bonus/bonus_rules.h"
#include "bonus/star_emitter.h"
#include "media/image.h"

#include <memory>

class PEmitter;

class BonusGame : public BonusRules {
public:
  BonusGame();

  ImagePtr Tileset;          // 160 frames of 40×40, centred
  ImagePtr BackgroundImage;  // top-left handle
  ImagePtr StarPowerUp;      // centred
  std::shared_ptr<PEmitter> Particles;
  std::shared_ptr<StarEmitter> Stars;
  ImagePtr TimeBar;  // 2 frames of 46×300: empty and full bar

  // One frame; the game runs only when state is PLAY_GAME, otherwise the shot clock
  // stands, the element hides and nothing is shot, while the board rules go on.
  virtual int Render(int state);

  // The tile strip frame of a tile of this kind at clock t.
  static int TileFrame(int kind, bool powerUp, int t);

protected:
  void OnRotate() override;
  void OnShot() override;
  void OnBomb() override;
  void OnCombo() override;
  void OnExplode(int x, int y) override;
  void OnPowerUp(int x, int y) override;
  void OnRise(float x, float y) override;
  std::string Say(const std::string& key, const std::vector<std::string>& params) override;

private:
  void DrawBoard();
  void DrawTile(int x, int y);
  void DrawElement(int aim, bool active);
  void DrawTimeBar(float timeLeft);
};
