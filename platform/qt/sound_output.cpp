#include "platform/qt/sound_output.h"

#include <pulse/context.h>
#include <pulse/mainloop.h>
#include <pulse/proplist.h>
#include <pulse/stream.h>

#include <chrono>

namespace velmora {

namespace {

// How long a server may take to answer before the effect is given up (silently).
constexpr int kAnswerMs = 2000;
// The latency asked of the server: the sink's buffer ahead of the speaker. An effect is
// heard this long after it is handed over; it does not bound how much is handed over.
constexpr int kLatencyMs = 20;

pa_sample_format_t SampleFormat(WavSound::Encoding encoding) {
  switch (encoding) {
    case WavSound::Encoding::Unsigned8:
      return PA_SAMPLE_U8;
    case WavSound::Encoding::Signed16:
      return PA_SAMPLE_S16LE;
    case WavSound::Encoding::Signed24:
      return PA_SAMPLE_S24LE;
    case WavSound::Encoding::Signed32:
      return PA_SAMPLE_S32LE;
    case WavSound::Encoding::Float32:
      return PA_SAMPLE_FLOAT32LE;
    case WavSound::Encoding::ALaw:
      return PA_SAMPLE_ALAW;
    case WavSound::Encoding::MuLaw:
      return PA_SAMPLE_ULAW;
  }
  return PA_SAMPLE_INVALID;
}

}  // namespace

SoundOutput::~SoundOutput() { Close(); }

template <typename Done>
bool SoundOutput::Pump(Done done, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    if (pa_mainloop_prepare(mainloop_, static_cast<int>(left.count())) < 0 || pa_mainloop_poll(mainloop_) < 0 ||
        pa_mainloop_dispatch(mainloop_) < 0)
      return false;
  }
  return true;
}

bool SoundOutput::Connect() {
  if (context_) {
    // Take in what the server said since the last effect: a server gone shows up here.
    while (pa_mainloop_iterate(mainloop_, 0, nullptr) > 0) {
    }
    if (pa_context_get_state(context_) == PA_CONTEXT_READY) return true;
    Close();
  }
  mainloop_ = pa_mainloop_new();
  pa_proplist* properties = pa_proplist_new();
  pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, "Velmora");
  pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "game");
  context_ = pa_context_new_with_proplist(pa_mainloop_get_api(mainloop_), "Velmora", properties);
  pa_proplist_free(properties);
  // The game never starts a sound server of its own.
  if (!context_ || pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
    Close();
    return false;
  }
  const auto settled = [this] {
    const pa_context_state_t state = pa_context_get_state(context_);
    return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
  };
  if (!Pump(settled, kAnswerMs) || pa_context_get_state(context_) != PA_CONTEXT_READY) {
    Close();
    return false;
  }
  return true;
}

bool SoundOutput::OpenStream(const WavSound& sound) {
  if (stream_ && format_ == sound.Format && channels_ == sound.Channels && rate_ == sound.Rate &&
      pa_stream_get_state(stream_) == PA_STREAM_READY)
    return true;
  CloseStream();
  pa_sample_spec spec{SampleFormat(sound.Format), static_cast<uint32_t>(sound.Rate),
                      static_cast<uint8_t>(sound.Channels)};
  if (!pa_sample_spec_valid(&spec)) return false;
  stream_ = pa_stream_new(context_, "Sound effects", &spec, nullptr);
  if (!stream_) return false;
  pa_buffer_attr attributes;
  attributes.maxlength = static_cast<uint32_t>(-1);  // the server's largest: whole effects fit
  attributes.tlength = static_cast<uint32_t>(pa_usec_to_bytes(kLatencyMs * 1000, &spec));
  attributes.prebuf = 0;  // start with the first byte, and never stop to wait for a fill level
  attributes.minreq = static_cast<uint32_t>(-1);
  attributes.fragsize = static_cast<uint32_t>(-1);
  if (pa_stream_connect_playback(stream_, nullptr, &attributes, PA_STREAM_ADJUST_LATENCY, nullptr, nullptr) < 0) {
    CloseStream();
    return false;
  }
  const auto settled = [this] {
    const pa_stream_state_t state = pa_stream_get_state(stream_);
    return state == PA_STREAM_READY || !PA_STREAM_IS_GOOD(state);
  };
  if (!Pump(settled, kAnswerMs) || pa_stream_get_state(stream_) != PA_STREAM_READY) {
    CloseStream();
    return false;
  }
  format_ = sound.Format;
  channels_ = sound.Channels;
  rate_ = sound.Rate;
  return true;
}

void SoundOutput::Cut() {
  if (!stream_ || pa_stream_get_state(stream_) != PA_STREAM_READY) return;
  // Drops what the server holds of the stream; the next effect's samples follow on the
  // same connection, so they are never dropped with it.
  pa_operation* flushing = pa_stream_flush(stream_, nullptr, nullptr);
  if (!flushing) return;
  pa_operation_unref(flushing);
  // Sent now, not with the next effect's samples: there may be none (a file that cannot
  // be played), and the effect playing must stop all the same.
  Send();
}

void SoundOutput::Send() {
  // A connection that failed is pending for ever; it is closed at once instead.
  const auto sent = [this] {
    return pa_context_get_state(context_) != PA_CONTEXT_READY || pa_context_is_pending(context_) == 0;
  };
  if (!Pump(sent, kAnswerMs) || pa_context_get_state(context_) != PA_CONTEXT_READY) Close();
}

bool SoundOutput::Play(const WavSound& sound) {
  if (!Connect()) return false;
  if (!OpenStream(sound)) {
    // A server that cannot take this format (or went away just now) stays silent.
    return pa_context_get_state(context_) == PA_CONTEXT_READY;
  }
  // Written where the server reads now: after a quiet spell the stream's read position
  // has run on past its write position, and samples written there would be skipped.
  if (!sound.Samples.empty() &&
      pa_stream_write(stream_, sound.Samples.data(), sound.Samples.size(), nullptr, 0, PA_SEEK_RELATIVE_ON_READ) < 0) {
    CloseStream();
    return true;
  }
  // Hands the samples over now: until they are sent, they are only queued here.
  Send();
  return context_ != nullptr;
}

void SoundOutput::CloseStream() {
  if (!stream_) return;
  pa_stream_disconnect(stream_);
  pa_stream_unref(stream_);
  stream_ = nullptr;
}

void SoundOutput::Close() {
  CloseStream();
  if (context_) {
    pa_context_disconnect(context_);
    pa_context_unref(context_);
    context_ = nullptr;
  }
  if (mainloop_) {
    pa_mainloop_free(mainloop_);
    mainloop_ = nullptr;
  }
}

}  // namespace velmora
