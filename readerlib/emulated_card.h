// The emulated reader's state: the card on the reader, if any, with its
// systems, areas, services and blocks, and the text form it is kept in.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using card_identifier = std::array<uint8_t, 8>;
using block_bytes = std::array<uint8_t, 16>;

struct emulated_area {
  uint16_t code;
  uint16_t end_service_code;
};

struct emulated_service {
  uint16_t code;
  std::vector<block_bytes> blocks;  // 1 to 256 blocks
};

struct emulated_system {
  uint16_t code;
  std::vector<emulated_area> areas;
  std::vector<emulated_service> services;
};

struct emulated_card {
  card_identifier idm;
  card_identifier pmm;
  std::vector<emulated_system> systems;  // at most 16, as on a real card
};

// An attached reader, with or without a card on it.
struct emulated_reader {
  std::optional<emulated_card> card;
};

constexpr size_t emulated_system_limit = 16;
constexpr size_t emulated_block_limit = 256;

// The PMm a card gets when none is given.
constexpr card_identifier default_pmm = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};

// A card with the given identifiers and the default directory: system 12FC
// (one area; service 1009, 16 blocks readable and writable; service 100B,
// 4 read-only blocks) and system FE00 (one area; service 1009, 8 blocks).
emulated_card default_card(const card_identifier& idm, const card_identifier& pmm);

// The service of `system` whose code is `code`, or nullptr.
emulated_service* find_service(emulated_system& system, uint16_t code);

// The state as text: key=value lines ending in CR LF (see README.md).
std::string format_emulated_reader(const emulated_reader& state);

// The state that `text` describes, or nullopt with `error` saying which line
// is wrong and why. Lines may end in LF or CR LF.
std::optional<emulated_reader> parse_emulated_reader(std::string_view text, std::string* error);

// Exactly 16 hex digits as 8 bytes, or nullopt.
std::optional<card_identifier> parse_card_identifier(std::string_view text);
