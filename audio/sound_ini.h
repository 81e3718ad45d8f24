// sound.ini in the current folder: the feedback mode as one decimal integer
// and a CR LF line end.
#pragma once
#include <cstdint>

// Reads the integer at the start of sound.ini: white space (0x09 to 0x0D,
// 0x20) skipped, an optional sign, then digits. false, leaving `mode` alone,
// when the file is missing or unreadable, when no digit follows, or when the
// number does not fit in 32 bits.
bool sound_ini_read(int32_t* mode);

// Replaces sound.ini with `mode` written as "%d" CR LF, through a temporary
// file beside it and a rename, so the file holds the old or the new mode and
// never a part. false when that failed; nothing of the attempt is left.
bool sound_ini_write(int32_t mode);
