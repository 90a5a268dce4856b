#pragma once
// The heroine of the current event over the scene: a portrait blended through its 8-bit
// mask at (100, 10), with one face of her face sheet on top.

namespace velmora {

class TForm1;

class PartnerPortrait {
 public:
  explicit PartnerPortrait(TForm1& form) : form_(form) {}

  // Kind 1 and 2 compose the whole portrait into BackBuffer (redrawing the scene first
  // unless Ready); kind 3 changes only the face, on the screen.
  void DrawPartnerPortrait(int frame, bool ready, int kind);

 private:
  TForm1& form_;
};

}  // namespace velmora
