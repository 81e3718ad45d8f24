#include "platform/sound_output.h"

#include <alsa/asoundlib.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace {

using steady = std::chrono::steady_clock;

std::atomic<bool> output_on{true};

// libasound prints its own complaints (no card, no server) to the standard
// error stream; a missing device is normal for this program and not reported.
void keep_alsa_quiet(const char*, int, const char*, int, const char*, ...) {}

struct pcm_closer {
  void operator()(snd_pcm_t* device) const { snd_pcm_close(device); }
};
using pcm_device = std::unique_ptr<snd_pcm_t, pcm_closer>;

// Plays `pcm` on the default device until it has been heard or `cancelled()`
// says to stop. The device is opened without blocking, and every wait is
// bounded, so a missing, busy or stuck device costs at most the sound's own
// length and a little more.
template <typename cancel_test>
void play_on_device(const sound_pcm& pcm, cancel_test cancelled) {
  snd_pcm_t* opened = nullptr;
  if (snd_pcm_open(&opened, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0) return;
  pcm_device device(opened);
  const snd_pcm_format_t format = pcm.bits == 8 ? SND_PCM_FORMAT_U8 : SND_PCM_FORMAT_S16_LE;
  if (snd_pcm_set_params(device.get(), format, SND_PCM_ACCESS_RW_INTERLEAVED, pcm.channels,
                         pcm.rate, 1, 100000) < 0) {
    return;
  }
  const size_t frame_bytes = size_t{pcm.channels} * (pcm.bits / 8);
  const auto total = static_cast<snd_pcm_uframes_t>(pcm.samples.size() / frame_bytes);
  const auto deadline =
      steady::now() + std::chrono::milliseconds(sound_pcm_duration(pcm)) + std::chrono::seconds(2);

  snd_pcm_uframes_t done = 0;
  while (done < total) {
    if (cancelled() || steady::now() > deadline) {
      snd_pcm_drop(device.get());
      return;
    }
    const snd_pcm_sframes_t written =
        snd_pcm_writei(device.get(), pcm.samples.data() + done * frame_bytes, total - done);
    if (written == -EAGAIN) {
      snd_pcm_wait(device.get(), 20);
    } else if (written < 0) {
      if (snd_pcm_recover(device.get(), static_cast<int>(written), 1) < 0) return;
    } else {
      done += static_cast<snd_pcm_uframes_t>(written);
    }
  }
  // A sound shorter than the device's buffer has not started by itself yet.
  if (snd_pcm_state(device.get()) == SND_PCM_STATE_PREPARED) snd_pcm_start(device.get());
  // Let the device play out what it holds before it is closed.
  while (!cancelled() && steady::now() < deadline) {
    snd_pcm_sframes_t delay = 0;
    if (snd_pcm_state(device.get()) != SND_PCM_STATE_RUNNING ||
        snd_pcm_delay(device.get(), &delay) < 0 || delay <= 0) {
      break;
    }
    const auto left_ms = static_cast<long>(delay * 1000 / pcm.rate) + 1;
    std::this_thread::sleep_for(std::chrono::milliseconds(std::min(left_ms, 20L)));
  }
  snd_pcm_drop(device.get());
}

// The one thread that talks to the device. A new sound replaces the one that
// plays: the thread notices through `generation` and moves on to it.
class sound_player {
 public:
  sound_player() = default;
  sound_player(const sound_player&) = delete;
  sound_player& operator=(const sound_player&) = delete;

  ~sound_player() {
    {
      std::lock_guard<std::mutex> hold(lock_);
      quitting_ = true;
    }
    wake_.notify_all();
    if (worker_.joinable()) worker_.join();
  }

  void play(sound_pcm pcm) {
    std::lock_guard<std::mutex> hold(lock_);
    if (!worker_.joinable()) worker_ = std::thread([this] { run(); });
    next_ = std::move(pcm);
    has_next_ = true;
    ++generation_;
    wake_.notify_all();
  }

  void stop() {
    std::lock_guard<std::mutex> hold(lock_);
    has_next_ = false;
    ++generation_;
    idle_.notify_all();
  }

  bool busy() {
    std::lock_guard<std::mutex> hold(lock_);
    return has_next_ || playing_;
  }

  bool wait_idle(DWORD timeout_ms) {
    std::unique_lock<std::mutex> hold(lock_);
    return idle_.wait_for(hold, std::chrono::milliseconds(timeout_ms),
                          [this] { return !has_next_ && !playing_; });
  }

 private:
  void run() {
    snd_lib_error_set_handler(keep_alsa_quiet);
    std::unique_lock<std::mutex> hold(lock_);
    for (;;) {
      wake_.wait(hold, [this] { return quitting_ || has_next_; });
      if (quitting_) return;
      const sound_pcm pcm = std::move(next_);
      has_next_ = false;
      playing_ = true;
      const uint64_t mine = generation_;
      hold.unlock();
      play_on_device(pcm, [this, mine] { return generation_ != mine || quitting_; });
      hold.lock();
      playing_ = false;
      idle_.notify_all();
    }
  }

  std::mutex lock_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::thread worker_;
  sound_pcm next_;
  bool has_next_ = false;
  bool playing_ = false;
  std::atomic<uint64_t> generation_{0};
  std::atomic<bool> quitting_{false};
};

sound_player& the_player() {
  static sound_player player;
  return player;
}

}  // namespace

void sound_output_enable(bool on) {
  output_on = on;
  if (!on) the_player().stop();
}

bool sound_output_enabled() { return output_on; }

void sound_output_play(sound_pcm pcm) {
  if (output_on) the_player().play(std::move(pcm));
}

void sound_output_stop() { the_player().stop(); }

bool sound_output_busy() { return the_player().busy(); }

bool sound_output_wait_idle(DWORD timeout_ms) { return the_player().wait_idle(timeout_ms); }
