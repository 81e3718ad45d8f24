// Reading RIFF WAVE images and making tones, as sample frames for the output.
#pragma once
#include <cstddef>
#include <vector>

#include "platform/win32_types.h"

// Interleaved little-endian PCM frames with their format.
struct sound_pcm {
  unsigned channels = 0;
  unsigned rate = 0;  // frames per second
  unsigned bits = 0;  // per sample: 8 (unsigned) or 16 (signed)
  std::vector<unsigned char> samples;
};

// Length of `pcm` in whole milliseconds (rounded up).
DWORD sound_pcm_duration(const sound_pcm& pcm);

// The sound of a RIFF WAVE image of `size` bytes: uncompressed PCM of 8 or 16
// bits and 1 to 8 channels, chunks in any order. false for anything else and
// for an image whose chunks run past its end; a data chunk that is cut short
// keeps the whole frames that are there.
bool sound_wave_read(const unsigned char* image, size_t size, sound_pcm* pcm);

// Bytes of the RIFF image that starts at `image` as its header states
// (8 + the RIFF size), or 0 when it does not start with "RIFF".
size_t sound_wave_image_size(const unsigned char* image);

// A sine tone of `frequency` Hz lasting `duration` ms: 16 bits, 2 channels,
// 44100 frames per second, with 5 ms fades so that it starts and ends
// without a click.
sound_pcm sound_tone(DWORD frequency, DWORD duration);
