// Dialog boxes: a background image drawn where the owner chooses, with push buttons and
// sliders laid over it. The framework does hit testing, hover/press highlighting from a
// three-frame strip (rest, all hovered, all pressed), slider dragging and the fade alpha;
// subclasses draw their content in Render2 and react in ButtonPressed / ButtonDown.
// A requester is not modal: its owner calls Render once a frame and reads the results.
#pragma once

#include "media/image.h"

#include <memory>
#include <string>
#include <vector>

class TReqButton {
public:
  std::string name;
  int x = 0, y = 0;  // relative to the requester's draw position
  int w = 0, h = 0;  // hit rectangle; for a slider its travel and height
  bool draw = false;    // draw the hover/press highlight
  bool slider = false;
  bool StartDrag = false;
  int value = 0;  // slider position 0..100
  ImagePtr sliderbutton;  // the slider's track
};

class TRequester {
public:
  TRequester() = default;
  virtual ~TRequester() = default;
  TRequester(const TRequester&) = delete;
  TRequester& operator=(const TRequester&) = delete;

  ImagePtr RequesterImage;
  std::vector<std::shared_ptr<TReqButton>> ButtonList;
  float Alpha = 1;
  float xfac = 1, yfac = 1;  // scale of the background image only

  void SetScaleFactor(float xf, float yf);
  // Loads the background with a top-left handle (centring stays off afterwards). A strip
  // is cut into three frames; a strip that cannot be loaded throws std::runtime_error
  // carrying the path (a missing requester picture is fatal).
  void SetImage(const std::string& source, bool strip);
  void SetButtonValue(const std::string& name, int value);
  int GetButtonValue(const std::string& name) const;
  void AddButton(const std::string& name, int x, int y, int w, int h, bool draw, bool slider, int value,
                 ImagePtr sliderbutton);
  void Render(float x, float y);

  virtual void Render2(float x, float y);
  virtual void ButtonPressed(const std::string& name) = 0;
  virtual void ButtonDown(const std::string& name);
};
