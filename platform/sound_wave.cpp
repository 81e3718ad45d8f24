#include "platform/sound_wave.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

uint32_t read_u32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint16_t read_u16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

constexpr uint16_t format_pcm = 1;
constexpr uint16_t format_extensible = 0xFFFE;

}  // namespace

DWORD sound_pcm_duration(const sound_pcm& pcm) {
  const uint64_t frame_bytes = uint64_t{pcm.channels} * (pcm.bits / 8);
  if (frame_bytes == 0 || pcm.rate == 0) return 0;
  const uint64_t frames = pcm.samples.size() / frame_bytes;
  return static_cast<DWORD>((frames * 1000 + pcm.rate - 1) / pcm.rate);
}

size_t sound_wave_image_size(const unsigned char* image) {
  if (image == nullptr || std::memcmp(image, "RIFF", 4) != 0) return 0;
  return size_t{8} + read_u32(image + 4);
}

bool sound_wave_read(const unsigned char* image, size_t size, sound_pcm* pcm) {
  if (image == nullptr || size < 12 || std::memcmp(image, "RIFF", 4) != 0 ||
      std::memcmp(image + 8, "WAVE", 4) != 0) {
    return false;
  }
  const size_t end = std::min(size, sound_wave_image_size(image));
  if (end < 12) return false;
  const unsigned char* format = nullptr;
  size_t format_size = 0;
  const unsigned char* data = nullptr;
  size_t data_size = 0;
  size_t at = 12;
  while (end - at >= 8) {
    const unsigned char* chunk = image + at;
    const size_t body = at + 8;
    const size_t chunk_size = read_u32(chunk + 4);
    if (std::memcmp(chunk, "data", 4) == 0) {
      data = image + body;
      data_size = std::min(chunk_size, end - body);
    } else if (chunk_size > end - body) {
      return false;
    } else if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (chunk_size < 16) return false;
      format = image + body;
      format_size = chunk_size;
    }
    if (chunk_size > end - body) break;
    at = body + chunk_size + (chunk_size & 1);
    if (at > end) break;
  }
  if (format == nullptr || data == nullptr) return false;

  uint16_t tag = read_u16(format);
  const unsigned channels = read_u16(format + 2);
  const unsigned rate = read_u32(format + 4);
  const unsigned bits = read_u16(format + 14);
  if (tag == format_extensible) {
    // The sub-format GUID, at byte 24, starts with the plain format tag.
    if (format_size < 40) return false;
    tag = read_u16(format + 24);
  }
  if (tag != format_pcm || channels < 1 || channels > 8 || rate == 0 ||
      (bits != 8 && bits != 16)) {
    return false;
  }
  const size_t frame_bytes = channels * (bits / 8);
  pcm->channels = channels;
  pcm->rate = rate;
  pcm->bits = bits;
  pcm->samples.assign(data, data + data_size / frame_bytes * frame_bytes);
  return true;
}

sound_pcm sound_tone(DWORD frequency, DWORD duration) {
  sound_pcm pcm;
  pcm.channels = 2;
  pcm.rate = 44100;
  pcm.bits = 16;
  const size_t frames = static_cast<size_t>(uint64_t{duration} * pcm.rate / 1000);
  const size_t fade = std::min<size_t>(pcm.rate / 200, frames / 2);
  pcm.samples.resize(frames * 4);
  const double step = 2 * std::numbers::pi * frequency / pcm.rate;
  for (size_t i = 0; i < frames; ++i) {
    double gain = 0.5;
    if (i < fade) gain *= static_cast<double>(i) / fade;
    if (frames - i <= fade) gain *= static_cast<double>(frames - i - 1) / fade;
    const auto value = static_cast<int16_t>(std::lround(32767 * gain * std::sin(step * i)));
    const auto bits = static_cast<uint16_t>(value);
    for (size_t c = 0; c < 2; ++c) {
      pcm.samples[i * 4 + c * 2] = static_cast<unsigned char>(bits & 0xFF);
      pcm.samples[i * 4 + c * 2 + 1] = static_cast<unsigned char>(bits >> 8);
    }
  }
  return pcm;
}
