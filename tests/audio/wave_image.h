// RIFF WAVE images and compiled resource (.res) images built byte by byte,
// for tests that need sounds of a known shape.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using byte_image = std::vector<unsigned char>;

inline void put_le(byte_image& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

struct wave_chunk {
  wave_chunk(std::string chunk_id, byte_image chunk_body,
             std::optional<uint32_t> size = std::nullopt)
      : id(std::move(chunk_id)), body(std::move(chunk_body)), stated_size(size) {}
  std::string id;  // four characters
  byte_image body;
  std::optional<uint32_t> stated_size;  // a size that lies about the body
};

// "RIFF", the size (as stated, or the true one), "WAVE", then the chunks,
// each padded to an even length.
inline byte_image riff_image(const std::vector<wave_chunk>& chunks,
                             std::optional<uint32_t> stated_size = std::nullopt) {
  byte_image body;
  for (const wave_chunk& c : chunks) {
    body.insert(body.end(), c.id.begin(), c.id.end());
    put_le(body, c.stated_size.value_or(static_cast<uint32_t>(c.body.size())), 4);
    body.insert(body.end(), c.body.begin(), c.body.end());
    if (c.body.size() % 2 != 0) body.push_back(0);
  }
  byte_image image = {'R', 'I', 'F', 'F'};
  put_le(image, stated_size.value_or(static_cast<uint32_t>(4 + body.size())), 4);
  image.insert(image.end(), {'W', 'A', 'V', 'E'});
  image.insert(image.end(), body.begin(), body.end());
  return image;
}

// The body of a format chunk: `extra` bytes of extension after the 16 bytes.
inline byte_image format_body(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits,
                              size_t extra = 0) {
  byte_image body;
  put_le(body, tag, 2);
  put_le(body, channels, 2);
  put_le(body, rate, 4);
  put_le(body, rate * channels * bits / 8, 4);
  put_le(body, static_cast<uint16_t>(channels * bits / 8), 2);
  put_le(body, bits, 2);
  body.resize(body.size() + extra, 0);
  return body;
}

// `size` bytes of a recognisable pattern.
inline byte_image sample_bytes(size_t size) {
  byte_image bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(i * 7 + 3);
  return bytes;
}

// A plain wave: 16 bits, 2 channels, 44100 frames per second, `ms` long.
inline byte_image stereo_wave(unsigned ms) {
  return riff_image({{"fmt ", format_body(1, 2, 44100, 16)},
                     {"data", sample_bytes(size_t{ms} * 441 / 10 * 4)}});
}

// A compiled resource image holding `entries` (type and name as strings).
struct res_entry {
  std::string type;
  std::string name;
  byte_image data;
};

inline void put_res_text(byte_image& out, const std::string& text) {
  for (char c : text) put_le(out, static_cast<unsigned char>(c), 2);
  put_le(out, 0, 2);
}

inline byte_image res_image(const std::vector<res_entry>& entries) {
  byte_image res = {0, 0, 0, 0, 32, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0};
  res.resize(32, 0);
  for (const res_entry& e : entries) {
    byte_image names;
    put_res_text(names, e.type);
    put_res_text(names, e.name);
    while (names.size() % 4 != 0) names.push_back(0);
    put_le(res, static_cast<uint32_t>(e.data.size()), 4);
    put_le(res, static_cast<uint32_t>(8 + names.size() + 16), 4);
    res.insert(res.end(), names.begin(), names.end());
    put_le(res, 0, 4);       // data version
    put_le(res, 0x1030, 2);  // memory flags
    put_le(res, 0x0411, 2);  // Japanese
    put_le(res, 0, 4);       // version
    put_le(res, 0, 4);       // characteristics
    res.insert(res.end(), e.data.begin(), e.data.end());
    while (res.size() % 4 != 0) res.push_back(0);
  }
  return res;
}
