// A floating text: grows to full size, holds for 50 frames, shrinks away. Only the first
// text of the game's list is animated; the others wait their turn.
#pragma once

#include <memory>
#include <string>

class TextAnim {
public:
  static constexpr float Speed = 0.05f;
  std::string Caption;
  float X = 320, Y = 120;  // centre of the text
  int ShowDelay = 50;
  float Zoom = 0;
  bool Destroy = false;

  void Set(const std::string& caption, float x, float y);
  void Render();
};
using TextAnimPtr = std::shared_ptr<TextAnim>;
