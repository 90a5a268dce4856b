#include "app/sound_effects.h"

#include "app/form.h"

namespace velmora {

void SoundEffects::PlaySoundEffect(int id) {
  if (!form_.ON1.Checked()) return;
  // One test stands for the whole sound folder, whichever effect is asked for.
  if (!form_.host.FileExists("wav/01.wav")) return;
  static constexpr const char* kFiles[] = {"wav/01.wav", "wav/02.wav", "wav/03.wav", "wav/04.wav"};
  if (id < 1 || id > 4) return;
  form_.host.PlaySound(form_.host.ResolvePath(kFiles[id - 1]));
}

void SoundEffects::ToggleSound() {
  if (form_.ON1.Checked()) {
    form_.OFF1.SetChecked(true);
    form_.ON1.SetChecked(false);
    form_.BGM_Btn1.SetCaption("音 OFF");
  } else {
    form_.ON1.SetChecked(true);
    form_.OFF1.SetChecked(false);
    form_.BGM_Btn1.SetCaption("音 ON");
  }
}

}  // namespace velmora
