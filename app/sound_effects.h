#pragma once
// The four sound effects and the sound switch of the menu.

namespace velmora {

class TForm1;

class SoundEffects {
 public:
  explicit SoundEffects(TForm1& form) : form_(form) {}

  // Plays effect 1..4 asynchronously when sound is on and the sound folder is there.
  void PlaySoundEffect(int id);
  // Flips the sound state kept in the check marks of "ON" and "OFF".
  void ToggleSound();

 private:
  TForm1& form_;
};

}  // namespace velmora
