// Beep and PlaySoundA as the program meets them: what is played, what is
// recorded, how long the thread is held, and which wave images are read.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "platform/resource_data.h"
#include "platform/sound_output.h"
#include "platform/sound_wave.h"
#include "platform/win32.h"
#include "sound_heard.h"
#include "wave_image.h"

namespace {

using heard_list = std::vector<std::string>;

// Reading wave images.
struct wave_case {
  const char* what;
  byte_image image;
  bool read;
  unsigned channels = 0;
  unsigned rate = 0;
  unsigned bits = 0;
  size_t sample_bytes = 0;
};

std::vector<wave_case> wave_cases() {
  const byte_image stereo = format_body(1, 2, 44100, 16);
  const byte_image data = sample_bytes(400);
  byte_image extensible = format_body(0xFFFE, 2, 48000, 16, 24);
  extensible[16] = 22;  // size of the extension
  extensible[24] = 1;   // sub-format: PCM
  byte_image extensible_float = extensible;
  extensible_float[24] = 3;
  byte_image fact = {0x64, 0, 0, 0};
  byte_image cut = riff_image({{"fmt ", stereo}, {"data", sample_bytes(202), 400}});
  return {
      {"plain 16-bit stereo", riff_image({{"fmt ", stereo}, {"data", data}}), true, 2, 44100, 16,
       400},
      {"8-bit mono", riff_image({{"fmt ", format_body(1, 1, 8000, 8)}, {"data", data}}), true, 1,
       8000, 8, 400},
      {"format of 18 bytes, fact, data",
       riff_image({{"fmt ", format_body(1, 2, 44100, 16, 2)}, {"fact", fact}, {"data", data}}),
       true, 2, 44100, 16, 400},
      {"extensible PCM", riff_image({{"fmt ", extensible}, {"data", data}}), true, 2, 48000, 16,
       400},
      {"odd-sized chunk before the data",
       riff_image({{"fmt ", stereo}, {"LIST", sample_bytes(5)}, {"data", data}}), true, 2, 44100,
       16, 400},
      {"data before format", riff_image({{"data", data}, {"fmt ", stereo}}), true, 2, 44100, 16,
       400},
      {"data cut short keeps whole frames", cut, true, 2, 44100, 16, 200},
      {"chunks past the stated RIFF size are not read",
       riff_image({{"fmt ", stereo}, {"data", data}}, 4 + 24 + 8 + 100), true, 2, 44100, 16, 100},
      {"extensible float", riff_image({{"fmt ", extensible_float}, {"data", data}}), false},
      {"float", riff_image({{"fmt ", format_body(3, 2, 44100, 32)}, {"data", data}}), false},
      {"24 bits", riff_image({{"fmt ", format_body(1, 2, 44100, 24)}, {"data", data}}), false},
      {"no channels", riff_image({{"fmt ", format_body(1, 0, 44100, 16)}, {"data", data}}), false},
      {"rate 0", riff_image({{"fmt ", format_body(1, 2, 0, 16)}, {"data", data}}), false},
      {"format of 14 bytes", riff_image({{"fmt ", byte_image(14, 1)}, {"data", data}}), false},
      {"no format", riff_image({{"data", data}}), false},
      {"no data", riff_image({{"fmt ", stereo}}), false},
      {"chunk runs past the end",
       riff_image({{"LIST", sample_bytes(8), 0x7FFFFFF0}, {"fmt ", stereo}, {"data", data}}),
       false},
      {"RIFF size too small", riff_image({{"fmt ", stereo}, {"data", data}}, 2), false},
      {"not RIFF", byte_image{'R', 'I', 'F', 'X', 4, 0, 0, 0, 'W', 'A', 'V', 'E'}, false},
      {"not WAVE", riff_image({{"fmt ", stereo}}), false},
      {"shorter than a header", byte_image{'R', 'I', 'F', 'F', 4, 0}, false},
  };
}

class wave_read : public ::testing::TestWithParam<wave_case> {};

void PrintTo(const wave_case& c, std::ostream* out) { *out << c.what; }

TEST_P(wave_read, takes_plain_pcm_and_refuses_the_rest) {
  wave_case c = GetParam();
  if (std::string(c.what) == "not WAVE") c.image[8] = 'A';
  sound_pcm pcm;
  ASSERT_EQ(sound_wave_read(c.image.data(), c.image.size(), &pcm), c.read);
  if (!c.read) return;
  EXPECT_EQ(pcm.channels, c.channels);
  EXPECT_EQ(pcm.rate, c.rate);
  EXPECT_EQ(pcm.bits, c.bits);
  ASSERT_EQ(pcm.samples.size(), c.sample_bytes);
  const byte_image pattern = sample_bytes(c.sample_bytes);
  EXPECT_EQ(pcm.samples, pattern);
}

INSTANTIATE_TEST_SUITE_P(images, wave_read, ::testing::ValuesIn(wave_cases()));

// The calls, with real output off, on the virtual clock. The module holds
// the waves "BEEP" of 2010 ms and "OHA" of 1080 ms, a "KONNI" of another
// type and a "BAD" that is no wave.
class sound_calls : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::reset();
    sound_output_enable(false);
    sound_record_clear();
    res_ = res_image({{"WAVE", "BEEP", stereo_wave(2010)}, {"WAVE", "OHA", stereo_wave(1080)},
                      {"WAVX", "KONNI", stereo_wave(700)}, {"WAVE", "BAD", byte_image(64, 0)}});
    module_ = module_from_resources(res_.data(), res_.size());
    ASSERT_NE(module_, nullptr);
  }

  byte_image res_;
  HINSTANCE module_ = nullptr;
};

struct beep_case {
  DWORD frequency;
  DWORD duration;
  BOOL result;
  heard_list heard;
  DWORD held;
};

const beep_case beep_cases[] = {
    {262, 500, TRUE, {"tone 262 Hz 500 ms"}, 500},
    {37, 20, TRUE, {"tone 37 Hz 20 ms"}, 20},
    {32767, 0, TRUE, {"tone 32767 Hz 0 ms"}, 0},
    {36, 500, FALSE, {}, 0},
    {32768, 500, FALSE, {}, 0},
};

class beep : public sound_calls, public ::testing::WithParamInterface<beep_case> {};

void PrintTo(const beep_case& c, std::ostream* out) {
  *out << c.frequency << " Hz " << c.duration << " ms";
}

TEST_P(beep, plays_the_tone_and_holds_the_thread_for_its_length) {
  const beep_case& c = GetParam();
  const DWORD before = GetTickCount();
  EXPECT_EQ(Beep(c.frequency, c.duration), c.result);
  EXPECT_EQ(GetTickCount() - before, c.held);
  EXPECT_EQ(sounds_heard(), c.heard);
}

INSTANTIATE_TEST_SUITE_P(tones, beep, ::testing::ValuesIn(beep_cases));

struct play_case {
  const char* name;
  DWORD flags;
  BOOL result;
  heard_list heard;
  DWORD held;
  DWORD length;  // recorded length of what played
};

const play_case play_cases[] = {
    {"Beep", SND_RESOURCE | SND_ASYNC, TRUE, {"wave Beep"}, 0, 2010},
    {"BEEP", SND_RESOURCE | SND_ASYNC, TRUE, {"wave BEEP"}, 0, 2010},
    {"oha", SND_RESOURCE | SND_ASYNC, TRUE, {"wave oha"}, 0, 1080},
    {"Beep", SND_RESOURCE, TRUE, {"wave Beep"}, 2010, 2010},
    {"missing", SND_RESOURCE | SND_ASYNC, FALSE, {"default missing"}, 0, 250},
    {"missing", SND_RESOURCE, FALSE, {"default missing"}, 250, 250},
    {"missing", SND_RESOURCE | SND_ASYNC | SND_NODEFAULT, FALSE, {"silent missing"}, 0, 0},
    {"konni", SND_RESOURCE | SND_ASYNC, FALSE, {"default konni"}, 0, 250},  // not of type WAVE
    {"bad", SND_RESOURCE | SND_ASYNC, FALSE, {"default bad"}, 0, 250},      // not a wave image
    {"Beep", SND_FILENAME | SND_ASYNC, FALSE, {"default Beep"}, 0, 250},
    {nullptr, SND_RESOURCE | SND_ASYNC, TRUE, {"stop"}, 0, 0},
};

class play_sound : public sound_calls, public ::testing::WithParamInterface<play_case> {};

void PrintTo(const play_case& c, std::ostream* out) {
  *out << (c.name ? c.name : "null") << " flags " << std::hex << c.flags;
}

TEST_P(play_sound, finds_the_wave_by_name_in_any_case_or_plays_the_default) {
  const play_case& c = GetParam();
  const DWORD before = GetTickCount();
  EXPECT_EQ(PlaySoundA(c.name, module_, c.flags), c.result);
  EXPECT_EQ(GetTickCount() - before, c.held);
  EXPECT_EQ(sounds_heard(), c.heard);
  const std::vector<sound_call> calls = sound_record();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].duration, c.length);
  EXPECT_EQ(calls[0].tick, before);
}

INSTANTIATE_TEST_SUITE_P(waves, play_sound, ::testing::ValuesIn(play_cases));

TEST_F(sound_calls, a_wave_in_memory_plays_from_its_image) {
  const byte_image image = stereo_wave(300);
  EXPECT_TRUE(PlaySoundA(reinterpret_cast<LPCSTR>(image.data()), nullptr, SND_MEMORY | SND_ASYNC));
  ASSERT_EQ(sound_record().size(), 1u);
  EXPECT_EQ(sound_record()[0].kind, sound_kind::wave);
  EXPECT_EQ(sound_record()[0].duration, 300u);
}

TEST_F(sound_calls, a_resource_number_is_recorded_with_a_hash) {
  EXPECT_FALSE(PlaySoundA(MAKEINTRESOURCEA(5), module_, SND_RESOURCE | SND_ASYNC));
  EXPECT_EQ(sounds_heard(), heard_list{"default #5"});
}

}  // namespace
