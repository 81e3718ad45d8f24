// Real playback through ALSA. With no sound card at hand, the default device
// of a private ALSA configuration is the file plugin over the null device:
// what the program plays arrives in a file and is measured there.
#include <alsa/asoundlib.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "platform/sound_output.h"
#include "platform/sound_wave.h"
#include "platform/win32.h"

#ifndef PORTELIA_RESOURCES
#error "PORTELIA_RESOURCES must name the resources folder"
#endif

namespace {

namespace fs = std::filesystem;
using wall = std::chrono::steady_clock;

// The default device writes raw frames to $PORTELIA_SOUND_FILE through the
// slave $PORTELIA_SOUND_SLAVE ("null" unless set). Read by ALSA at every open.
const char* const asoundrc = R"(
pcm.!default {
  type file
  slave.pcm { @func getenv vars [ PORTELIA_SOUND_SLAVE ] default "null" }
  file { @func getenv vars [ PORTELIA_SOUND_FILE ] default "/dev/null" }
  format "raw"
}
)";

std::string file_bytes(const fs::path& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A private HOME with the configuration, made once for the process, before
// ALSA reads any configuration.
const fs::path& private_home() {
  static const fs::path home = [] {
    std::string pattern = (fs::temp_directory_path() / "portelia-alsa-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return fs::path();
    std::ofstream(fs::path(pattern) / ".asoundrc") << asoundrc;
    setenv("HOME", pattern.c_str(), 1);
    unsetenv("ALSA_CONFIG_PATH");
    return fs::path(pattern);
  }();
  return home;
}

bool default_device_opens() {
  snd_pcm_t* device = nullptr;
  if (snd_pcm_open(&device, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0) {
    return false;
  }
  snd_pcm_close(device);
  return true;
}

// Removes the private HOME when the tests are done.
class private_home_removal : public ::testing::Environment {
 public:
  void TearDown() override {
    std::error_code ignored;
    if (!private_home().empty()) fs::remove_all(private_home(), ignored);
  }
};
const auto* const removal = ::testing::AddGlobalTestEnvironment(new private_home_removal);

// sox's measurement of raw 16-bit stereo frames at 44100 Hz (its rough
// frequency, taken on the left channel).
struct measured {
  double seconds = 0;
  double frequency = 0;
};

measured measure(const fs::path& raw) {
  const std::string command = "sox -t raw -r 44100 -e signed-integer -b 16 -c 2 '" +
                              raw.string() + "' -n remix 1 stat 2>&1";
  measured result;
  FILE* out = popen(command.c_str(), "r");
  if (out == nullptr) return result;
  char line[256];
  while (std::fgets(line, sizeof line, out) != nullptr) {
    std::sscanf(line, "Length (seconds): %lf", &result.seconds);
    std::sscanf(line, "Rough frequency: %lf", &result.frequency);
  }
  pclose(out);
  return result;
}

class alsa_file : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(private_home().empty());
    played_ = private_home() / (std::string(
                                    ::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                                ".raw");
    setenv("PORTELIA_SOUND_FILE", played_.c_str(), 1);
    unsetenv("PORTELIA_SOUND_SLAVE");
    if (!default_device_opens()) GTEST_SKIP() << "ALSA cannot open its file plugin here";
    fs::remove(played_);
    sound_output_enable(true);
  }
  void TearDown() override { sound_output_stop(); }

  fs::path played_;
};

// On the real clock: the tone holds the thread for its length.
TEST_F(alsa_file, the_tone_reaches_the_device_at_262_hz_for_half_a_second) {
  const auto start = wall::now();
  Beep(262, 500);
  const auto took = wall::now() - start;
  EXPECT_GE(took, std::chrono::milliseconds(500));
  EXPECT_LT(took, std::chrono::milliseconds(1000));
  ASSERT_TRUE(sound_output_wait_idle(5000));

  const std::string bytes = file_bytes(played_);
  EXPECT_EQ(bytes.size(), 22050u * 4);  // 500 ms of 16-bit stereo at 44100 Hz
  const measured tone = measure(played_);
  EXPECT_NEAR(tone.seconds, 0.5, 0.001);
  EXPECT_NEAR(tone.frequency, 262, 3);
}

TEST_F(alsa_file, a_wave_reaches_the_device_byte_for_byte) {
  const std::string image = file_bytes(fs::path(PORTELIA_RESOURCES) / "oha.wav");
  sound_pcm pcm;
  ASSERT_TRUE(sound_wave_read(reinterpret_cast<const unsigned char*>(image.data()), image.size(),
                              &pcm));

  const auto start = wall::now();
  EXPECT_TRUE(PlaySoundA(image.data(), nullptr, SND_MEMORY | SND_ASYNC));
  EXPECT_LT(wall::now() - start, std::chrono::milliseconds(100));  // returns at once
  ASSERT_TRUE(sound_output_wait_idle(5000));

  const std::string bytes = file_bytes(played_);
  EXPECT_EQ(bytes.size(), pcm.samples.size());
  EXPECT_TRUE(bytes == std::string(pcm.samples.begin(), pcm.samples.end()));
  EXPECT_NEAR(measure(played_).seconds, 1.08, 0.001);
}

TEST_F(alsa_file, output_switched_off_sends_nothing) {
  sound_output_enable(false);
  Beep(262, 500);
  EXPECT_FALSE(sound_output_busy());
  EXPECT_FALSE(fs::exists(played_));
}

// A device that cannot be opened: nothing is played, nothing is written to
// the standard error stream, and nothing waits for it.
TEST_F(alsa_file, a_missing_device_is_silent_and_does_not_hang) {
  setenv("PORTELIA_SOUND_SLAVE", "hw:31,0", 1);
  const std::string errors = (private_home() / "stderr.txt").string();
  std::fflush(stderr);
  const int saved = dup(2);
  ASSERT_TRUE(std::freopen(errors.c_str(), "w", stderr));

  const auto start = wall::now();
  const std::string image = file_bytes(fs::path(PORTELIA_RESOURCES) / "konni.wav");
  PlaySoundA(image.data(), nullptr, SND_MEMORY | SND_ASYNC);
  const bool idle = sound_output_wait_idle(5000);
  const auto took = wall::now() - start;

  std::fflush(stderr);
  dup2(saved, 2);
  close(saved);
  EXPECT_TRUE(idle);
  EXPECT_LT(took, std::chrono::seconds(1));
  EXPECT_EQ(file_bytes(errors), "");
  EXPECT_EQ(file_bytes(played_).size(), 0u);
}

}  // namespace
