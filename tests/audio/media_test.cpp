// The program's own sounds and icon, as committed in resources/: each wave a
// complete RIFF WAVE in the one layout the program carries (PCM, 2 channels,
// 44100 Hz, 16 bits, a format chunk of 18 bytes, a fact chunk, the data), at
// its length; the icon one 32 x 32 image in 16 colours, cyan on white.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "platform/resource_data.h"
#include "platform/sound_output.h"
#include "platform/sound_record.h"
#include "platform/sound_wave.h"
#include "platform/win32.h"
#include "resources/embedded_resources.h"

#ifndef PORTELIA_RESOURCES
#error "PORTELIA_RESOURCES must name the resources folder"
#endif

namespace {

namespace fs = std::filesystem;

std::string file_bytes(const std::string& name) {
  std::ifstream in(fs::path(PORTELIA_RESOURCES) / name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

uint32_t u32(const std::string& b, size_t at) {
  return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8 |
         static_cast<unsigned char>(b[at + 2]) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}
uint16_t u16(const std::string& b, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) |
                               static_cast<unsigned char>(b[at + 1]) << 8);
}

// Loudness (RMS, full scale 1) of the left channel over `frames` frames
// starting at frame `first` of the data that starts at `data`.
double loudness(const std::string& b, size_t data, size_t first, size_t frames) {
  double sum = 0;
  for (size_t i = first; i < first + frames; ++i) {
    const double v = static_cast<int16_t>(u16(b, data + i * 4)) / 32768.0;
    sum += v * v;
  }
  return std::sqrt(sum / frames);
}

struct wave_file {
  const char* file;
  double seconds;
  bool steady;  // a tone of even loudness rather than a voice
};

const wave_file wave_files[] = {
    {"beep.wav", 2.01, true},  {"oha.wav", 1.08, false},    {"konni.wav", 0.70, false},
    {"konban.wav", 0.61, false}, {"otsuka.wav", 1.35, false},
};

void PrintTo(const wave_file& w, std::ostream* out) { *out << w.file; }

class wave : public ::testing::TestWithParam<wave_file> {};

TEST_P(wave, has_the_programs_layout_and_length) {
  const wave_file& w = GetParam();
  const std::string b = file_bytes(w.file);
  ASSERT_GE(b.size(), 70u);

  EXPECT_EQ(b.substr(0, 4), "RIFF");
  EXPECT_EQ(u32(b, 4) + 8, b.size());
  EXPECT_EQ(b.substr(8, 4), "WAVE");

  EXPECT_EQ(b.substr(12, 4), "fmt ");
  EXPECT_EQ(u32(b, 16), 18u);
  EXPECT_EQ(u16(b, 20), 1);            // PCM
  EXPECT_EQ(u16(b, 22), 2);            // channels
  EXPECT_EQ(u32(b, 24), 44100u);       // frames per second
  EXPECT_EQ(u32(b, 28), 44100u * 4);   // bytes per second
  EXPECT_EQ(u16(b, 32), 4);            // bytes per frame
  EXPECT_EQ(u16(b, 34), 16);           // bits per sample
  EXPECT_EQ(u16(b, 36), 0);            // no extension

  EXPECT_EQ(b.substr(38, 4), "fact");
  EXPECT_EQ(u32(b, 42), 4u);
  const uint32_t frames = u32(b, 46);

  EXPECT_EQ(b.substr(50, 4), "data");
  EXPECT_EQ(u32(b, 54), b.size() - 58);
  EXPECT_EQ(frames * 4u, b.size() - 58);
  EXPECT_NEAR(frames / 44100.0, w.seconds, 0.005);

  // What the platform layer plays from it.
  sound_pcm pcm;
  ASSERT_TRUE(sound_wave_read(reinterpret_cast<const unsigned char*>(b.data()), b.size(), &pcm));
  EXPECT_EQ(pcm.samples.size(), frames * 4u);

  // Heard, and evenly loud for the tone: every 20 ms of its middle within 5%.
  const size_t window = 882;
  double quietest = 1;
  double loudest = 0;
  for (size_t first = window; first + 2 * window <= frames; first += window) {
    const double level = loudness(b, 58, first, window);
    quietest = std::min(quietest, level);
    loudest = std::max(loudest, level);
  }
  EXPECT_GT(loudest, 0.1);
  if (w.steady) {
    EXPECT_LT(loudest / quietest, 1.05);
  }
}

INSTANTIATE_TEST_SUITE_P(resources, wave, ::testing::ValuesIn(wave_files));

TEST(icon, one_opaque_32_by_32_image_in_16_colours_cyan_on_white) {
  const std::string b = file_bytes("portelia.ico");
  const size_t image_bytes = 40 + 16 * 4 + 32 * 16 + 32 * 4;
  ASSERT_EQ(b.size(), 6 + 16 + image_bytes);

  EXPECT_EQ(u16(b, 0), 0);  // reserved
  EXPECT_EQ(u16(b, 2), 1);  // icon
  EXPECT_EQ(u16(b, 4), 1);  // one image
  EXPECT_EQ(static_cast<unsigned char>(b[6]), 32);
  EXPECT_EQ(static_cast<unsigned char>(b[7]), 32);
  EXPECT_EQ(static_cast<unsigned char>(b[8]), 16);  // colours
  EXPECT_EQ(u16(b, 10), 1);                         // planes
  EXPECT_EQ(u16(b, 12), 4);                         // bits per pixel
  EXPECT_EQ(u32(b, 14), image_bytes);
  EXPECT_EQ(u32(b, 18), 22u);

  const size_t bitmap = 22;
  EXPECT_EQ(u32(b, bitmap), 40u);
  EXPECT_EQ(u32(b, bitmap + 4), 32u);
  EXPECT_EQ(u32(b, bitmap + 8), 64u);  // colour pixels and mask
  EXPECT_EQ(u16(b, bitmap + 12), 1);
  EXPECT_EQ(u16(b, bitmap + 14), 4);
  EXPECT_EQ(u32(b, bitmap + 16), 0u);  // uncompressed

  // Every pixel white or cyan, both present, and the edges white.
  const size_t palette = bitmap + 40;
  auto colour = [&](int index) {
    const size_t at = palette + index * 4;
    return std::vector<int>{static_cast<unsigned char>(b[at + 2]),
                            static_cast<unsigned char>(b[at + 1]),
                            static_cast<unsigned char>(b[at])};
  };
  const std::vector<int> white = {255, 255, 255};
  const std::vector<int> cyan = {0, 255, 255};
  const size_t pixels = palette + 16 * 4;
  int cyan_pixels = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const unsigned char pair = static_cast<unsigned char>(b[pixels + y * 16 + x / 2]);
      const std::vector<int> c = colour(x % 2 == 0 ? pair >> 4 : pair & 15);
      ASSERT_TRUE(c == white || c == cyan) << "pixel " << x << "," << y;
      if (c == cyan) ++cyan_pixels;
      if (x == 0 || y == 0 || x == 31 || y == 31) {
        EXPECT_EQ(c, white) << x << "," << y;
      }
    }
  }
  EXPECT_GT(cyan_pixels, 150);
  EXPECT_LT(cyan_pixels, 32 * 32 / 2);

  const std::string mask = b.substr(pixels + 32 * 16);
  EXPECT_EQ(mask, std::string(32 * 4, '\0'));  // fully opaque
}

// The compiled resources carry the waves under the names the program passes
// and the icon under the number 300.
struct program_wave {
  const char* name;
  DWORD ms;
};

const program_wave program_waves[] = {
    {"Beep", 2010}, {"oha", 1080}, {"konni", 700}, {"konban", 610}, {"otsuka", 1350},
};

void PrintTo(const program_wave& w, std::ostream* out) { *out << w.name; }

class program_resources : public ::testing::TestWithParam<program_wave> {
 protected:
  void SetUp() override {
    headless::reset();
    sound_output_enable(false);
    sound_record_clear();
    module_ = module_from_resources(portelia_resources, portelia_resources_size);
    ASSERT_NE(module_, nullptr);
  }
  HINSTANCE module_ = nullptr;
};

TEST_P(program_resources, carry_the_wave_the_program_asks_for) {
  const program_wave& w = GetParam();
  EXPECT_TRUE(PlaySoundA(w.name, module_, SND_RESOURCE | SND_ASYNC));
  const std::vector<sound_call> calls = sound_record();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].kind, sound_kind::wave);
  EXPECT_EQ(calls[0].duration, w.ms);
}

INSTANTIATE_TEST_SUITE_P(names, program_resources, ::testing::ValuesIn(program_waves));

TEST_F(program_resources, carry_icon_300_as_one_32_by_32_image_in_16_colours) {
  const unsigned char* group = nullptr;
  size_t size = 0;
  ASSERT_TRUE(resource_data_find(module_, MAKEINTRESOURCEA(14), MAKEINTRESOURCEA(300), &group,
                                 &size));
  ASSERT_EQ(size, 6u + 14u);
  const std::string g(reinterpret_cast<const char*>(group), size);
  EXPECT_EQ(u16(g, 4), 1);  // one image
  EXPECT_EQ(static_cast<unsigned char>(g[6]), 32);
  EXPECT_EQ(static_cast<unsigned char>(g[7]), 32);
  EXPECT_EQ(static_cast<unsigned char>(g[8]), 16);
  EXPECT_EQ(u16(g, 12), 4);  // bits per pixel

  const unsigned char* image = nullptr;
  ASSERT_TRUE(resource_data_find(module_, MAKEINTRESOURCEA(3), MAKEINTRESOURCEA(u16(g, 18)),
                                 &image, &size));
  const std::string icon = file_bytes("portelia.ico");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(image), size), icon.substr(22));
}

}  // namespace
