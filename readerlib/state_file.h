// Where the emulated reader keeps its state, and reading and replacing it.
// "Reader attached" means the state file exists.
#pragma once

#include <optional>
#include <string>

#include "readerlib/emulated_card.h"

// $PORTELIA_EMULATED_READER when set; else portelia-reader.state under
// $XDG_RUNTIME_DIR when set; else portelia-reader-<uid>.state in $TMPDIR
// (or /tmp).
std::string emulated_reader_path();

// True when the state file exists.
bool emulated_reader_attached(const std::string& path);

// The whole text of the state file, or nullopt when it is missing or can not
// be read.
std::optional<std::string> read_emulated_reader_text(const std::string& path);

// The state in the file, or nullopt when it is missing, unreadable or not a
// valid state (then `error`, if given, says why).
std::optional<emulated_reader> load_emulated_reader(const std::string& path, std::string* error);

// Replaces the file with `state` atomically: a reader sees the old state or
// the new one, never part of one. False, with the old file untouched and
// `error` set, when it can not be written.
bool save_emulated_reader(const std::string& path, const emulated_reader& state, std::string* error);

// Removes the file (detaches the reader); true when it is gone.
bool remove_emulated_reader(const std::string& path, std::string* error);
