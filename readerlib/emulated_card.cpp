// The emulated reader's state and its text form.
#include "readerlib/emulated_card.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr const char* header = "# portelia emulated card reader";

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Exactly 2 * size hex digits into `bytes`.
bool parse_hex_bytes(std::string_view text, uint8_t* bytes, size_t size) {
  if (text.size() != size * 2) return false;
  for (size_t i = 0; i < size; ++i) {
    int high = hex_value(text[2 * i]);
    int low = hex_value(text[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    bytes[i] = static_cast<uint8_t>(high * 16 + low);
  }
  return true;
}

std::optional<uint16_t> parse_code(std::string_view text) {
  uint8_t bytes[2];
  if (!parse_hex_bytes(text, bytes, 2)) return std::nullopt;
  return static_cast<uint16_t>(bytes[0] << 8 | bytes[1]);
}

std::optional<unsigned> parse_number(std::string_view text) {
  unsigned value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

void append_hex(std::string& out, const uint8_t* bytes, size_t size) {
  static constexpr char digits[] = "0123456789ABCDEF";
  for (size_t i = 0; i < size; ++i) {
    out += digits[bytes[i] >> 4];
    out += digits[bytes[i] & 0x0F];
  }
}

void append_code(std::string& out, uint16_t code) {
  const uint8_t bytes[2] = {static_cast<uint8_t>(code >> 8), static_cast<uint8_t>(code & 0xFF)};
  append_hex(out, bytes, 2);
}

// Splits `text` at single spaces.
std::vector<std::string_view> words(std::string_view text) {
  std::vector<std::string_view> found;
  size_t start = 0;
  while (start <= text.size()) {
    size_t space = text.find(' ', start);
    if (space == std::string_view::npos) space = text.size();
    found.push_back(text.substr(start, space - start));
    start = space + 1;
  }
  return found;
}

bool all_zero(const block_bytes& block) {
  return std::all_of(block.begin(), block.end(), [](uint8_t b) { return b == 0; });
}

emulated_service service_of(uint16_t code, size_t block_count) {
  return {code, std::vector<block_bytes>(block_count, block_bytes{})};
}

}  // namespace

emulated_card default_card(const card_identifier& idm, const card_identifier& pmm) {
  return {idm,
          pmm,
          {{0x12FC, {{0x0000, 0xFFFE}}, {service_of(0x1009, 16), service_of(0x100B, 4)}},
           {0xFE00, {{0x0000, 0xFFFE}}, {service_of(0x1009, 8)}}}};
}

emulated_service* find_service(emulated_system& system, uint16_t code) {
  for (emulated_service& service : system.services)
    if (service.code == code) return &service;
  return nullptr;
}

std::optional<card_identifier> parse_card_identifier(std::string_view text) {
  card_identifier bytes{};
  if (!parse_hex_bytes(text, bytes.data(), bytes.size())) return std::nullopt;
  return bytes;
}

std::string format_emulated_reader(const emulated_reader& state) {
  std::string out = std::string(header) + "\r\n";
  if (!state.card) return out;
  const emulated_card& card = *state.card;
  out += "card=";
  append_hex(out, card.idm.data(), card.idm.size());
  out += "\r\npmm=";
  append_hex(out, card.pmm.data(), card.pmm.size());
  out += "\r\n";
  for (const emulated_system& system : card.systems) {
    out += "system=";
    append_code(out, system.code);
    out += "\r\n";
    for (const emulated_area& area : system.areas) {
      out += "area=";
      append_code(out, area.code);
      out += ' ';
      append_code(out, area.end_service_code);
      out += "\r\n";
    }
    for (const emulated_service& service : system.services) {
      out += "service=";
      append_code(out, service.code);
      out += ' ' + std::to_string(service.blocks.size()) + "\r\n";
    }
    for (const emulated_service& service : system.services) {
      for (size_t number = 0; number < service.blocks.size(); ++number) {
        if (all_zero(service.blocks[number])) continue;
        out += "block=";
        append_code(out, service.code);
        out += ' ' + std::to_string(number) + ' ';
        append_hex(out, service.blocks[number].data(), 16);
        out += "\r\n";
      }
    }
  }
  return out;
}

std::optional<emulated_reader> parse_emulated_reader(std::string_view text, std::string* error) {
  emulated_reader state;
  int line_number = 0;
  auto fail = [&](const std::string& why) -> std::optional<emulated_reader> {
    if (error) *error = "line " + std::to_string(line_number) + ": " + why;
    return std::nullopt;
  };

  while (!text.empty()) {
    ++line_number;
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;

    size_t equals = line.find('=');
    if (equals == std::string_view::npos) return fail("expected key=value");
    std::string_view key = line.substr(0, equals);
    std::vector<std::string_view> value = words(line.substr(equals + 1));
    emulated_card* card = state.card ? &*state.card : nullptr;
    emulated_system* system = card && !card->systems.empty() ? &card->systems.back() : nullptr;

    if (key == "card") {
      if (card) return fail("a second card");
      auto idm = value.size() == 1 ? parse_card_identifier(value[0]) : std::nullopt;
      if (!idm) return fail("card= takes an IDm of 16 hex digits");
      state.card = emulated_card{*idm, default_pmm, {}};
    } else if (key == "pmm") {
      auto pmm = value.size() == 1 ? parse_card_identifier(value[0]) : std::nullopt;
      if (!card) return fail("pmm= before card=");
      if (!pmm) return fail("pmm= takes a PMm of 16 hex digits");
      card->pmm = *pmm;
    } else if (key == "system") {
      auto code = value.size() == 1 ? parse_code(value[0]) : std::nullopt;
      if (!card) return fail("system= before card=");
      if (!code) return fail("system= takes a code of 4 hex digits");
      if (card->systems.size() >= emulated_system_limit) return fail("more than 16 systems");
      card->systems.push_back({*code, {}, {}});
    } else if (key == "area") {
      auto code = value.size() == 2 ? parse_code(value[0]) : std::nullopt;
      auto end_code = value.size() == 2 ? parse_code(value[1]) : std::nullopt;
      if (!system) return fail("area= before system=");
      if (!code || !end_code) return fail("area= takes two codes of 4 hex digits");
      system->areas.push_back({*code, *end_code});
    } else if (key == "service") {
      auto code = value.size() == 2 ? parse_code(value[0]) : std::nullopt;
      auto count = value.size() == 2 ? parse_number(value[1]) : std::nullopt;
      if (!system) return fail("service= before system=");
      if (!code || !count || *count < 1 || *count > emulated_block_limit)
        return fail("service= takes a code of 4 hex digits and 1 to 256 blocks");
      if (find_service(*system, *code)) return fail("a service listed twice");
      system->services.push_back(service_of(*code, *count));
    } else if (key == "block") {
      auto code = value.size() == 3 ? parse_code(value[0]) : std::nullopt;
      auto number = value.size() == 3 ? parse_number(value[1]) : std::nullopt;
      block_bytes data{};
      if (!system) return fail("block= before system=");
      if (!code || !number || !parse_hex_bytes(value[2], data.data(), data.size()))
        return fail("block= takes a service code, a block number and 32 hex digits");
      emulated_service* service = find_service(*system, *code);
      if (!service) return fail("block= of a service not listed before");
      if (*number >= service->blocks.size()) return fail("block number past the service's blocks");
      service->blocks[*number] = data;
    } else {
      return fail("unknown key");
    }
  }
  return state;
}
