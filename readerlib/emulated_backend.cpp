// The emulated reader: a card described by the state file (state_file.h),
// read afresh at every command so that portelia-card can put a card on the
// reader or take it off at any moment.
#include <cstring>

#include "readerlib/backend.h"
#include "readerlib/state_file.h"

namespace {

// The card's answers to a command it refuses. status_flag_1 is the position
// of the offending block element (1 for the first), or 0xFF when the
// request as a whole is wrong; status_flag_2 says why.
constexpr uint8_t whole_request = 0xFF;
constexpr uint8_t bad_service_count = 0xA1;
constexpr uint8_t bad_block_count = 0xA2;
constexpr uint8_t access_refused = 0xA5;     // the service needs a key, or is read-only
constexpr uint8_t unknown_service = 0xA6;    // not a service of the selected system
constexpr uint8_t bad_block_element = 0xA8;  // no such list entry or block

constexpr size_t service_list_limit = 16;
constexpr size_t block_list_limit = 15;

bool system_matches(uint16_t asked, uint16_t code) {
  bool high = (asked >> 8) == 0xFF || (asked >> 8) == (code >> 8);
  bool low = (asked & 0xFF) == 0xFF || (asked & 0xFF) == (code & 0xFF);
  return high && low;
}

// A service's lowest bit says whether it can be used without a key; only a
// random service without a key (attribute 0x09) takes plain writes.
bool readable_without_key(uint16_t service_code) {
  return (service_code & 0x01) != 0;
}
bool writable_without_key(uint16_t service_code) {
  return (service_code & 0x3F) == 0x09;
}

class emulated_backend final : public reader_backend {
 public:
  emulated_backend() : path_(emulated_reader_path()) {}

  bool open_reader() override {
    open_ = emulated_reader_attached(path_);
    return open_;
  }

  void close_reader() override { open_ = false; }

  std::optional<polled_card> poll(uint16_t system_code, uint8_t /*time_slot*/) override {
    std::optional<emulated_reader> state = load();
    if (!state || !state->card) return std::nullopt;
    const emulated_card& card = *state->card;
    if (system_code == 0xFFFF) {
      selected_system_ = card.systems.empty() ? std::nullopt
                                              : std::optional<uint16_t>(card.systems.front().code);
      return polled_card{card.idm, card.pmm};
    }
    for (const emulated_system& system : card.systems) {
      if (system_matches(system_code, system.code)) {
        selected_system_ = system.code;
        return polled_card{card.idm, card.pmm};
      }
    }
    return std::nullopt;
  }

  std::optional<std::vector<uint16_t>> request_system_codes(const card_identifier& idm) override {
    std::optional<emulated_reader> state = load();
    emulated_card* card = addressed_card(state, idm);
    if (!card) return std::nullopt;
    std::vector<uint16_t> codes;
    for (const emulated_system& system : card->systems) codes.push_back(system.code);
    return codes;
  }

  std::optional<card_directory> search_services(const card_identifier& idm) override {
    std::optional<emulated_reader> state = load();
    emulated_card* card = addressed_card(state, idm);
    if (!card) return std::nullopt;
    card_directory directory;
    if (emulated_system* system = selected_system(*card)) {
      for (const emulated_area& area : system->areas) {
        directory.area_codes.push_back(area.code);
        directory.end_service_codes.push_back(area.end_service_code);
      }
      for (const emulated_service& service : system->services)
        directory.service_codes.push_back(service.code);
    }
    return directory;
  }

  std::optional<block_status> read_blocks(const block_request& request, uint8_t* data) override {
    std::optional<emulated_reader> state = load();
    emulated_card* card = addressed_card(state, request.idm);
    if (!card) return std::nullopt;
    std::vector<block_bytes*> blocks;
    block_status status = resolve(*card, request, false, blocks);
    if (status.status_flag_1 != 0) return status;
    for (size_t i = 0; i < blocks.size(); ++i) std::memcpy(data + 16 * i, blocks[i]->data(), 16);
    return status;
  }

  std::optional<block_status> write_blocks(const block_request& request,
                                           const uint8_t* data) override {
    std::optional<emulated_reader> state = load();
    emulated_card* card = addressed_card(state, request.idm);
    if (!card) return std::nullopt;
    std::vector<block_bytes*> blocks;
    block_status status = resolve(*card, request, true, blocks);
    if (status.status_flag_1 != 0) return status;
    for (size_t i = 0; i < blocks.size(); ++i) std::memcpy(blocks[i]->data(), data + 16 * i, 16);
    // A write that can not be kept did not take place.
    if (!save_emulated_reader(path_, *state, nullptr)) return std::nullopt;
    return status;
  }

 private:
  // The reader's state, when a reader is open and still attached.
  std::optional<emulated_reader> load() const {
    if (!open_) return std::nullopt;
    return load_emulated_reader(path_, nullptr);
  }

  // The card on the reader when it is the one addressed by `idm`.
  static emulated_card* addressed_card(std::optional<emulated_reader>& state,
                                       const card_identifier& idm) {
    if (!state || !state->card || state->card->idm != idm) return nullptr;
    return &*state->card;
  }

  // The system the last poll selected; the first one when none did.
  emulated_system* selected_system(emulated_card& card) const {
    for (emulated_system& system : card.systems)
      if (selected_system_ && system.code == *selected_system_) return &system;
    return card.systems.empty() ? nullptr : &card.systems.front();
  }

  // Finds the blocks a request names, or says why the card refuses it.
  block_status resolve(emulated_card& card, const block_request& request, bool writing,
                       std::vector<block_bytes*>& blocks) const {
    if (request.service_codes.empty() || request.service_codes.size() > service_list_limit)
      return {whole_request, bad_service_count};
    if (request.blocks.empty() || request.blocks.size() > block_list_limit)
      return {whole_request, bad_block_count};
    emulated_system* system = selected_system(card);
    for (size_t i = 0; i < request.blocks.size(); ++i) {
      const uint8_t position = static_cast<uint8_t>(i + 1);
      const block_element& element = request.blocks[i];
      if (element.service_index >= request.service_codes.size())
        return {position, bad_block_element};
      uint16_t code = request.service_codes[element.service_index];
      emulated_service* service = system ? find_service(*system, code) : nullptr;
      if (!service) return {position, unknown_service};
      if (writing ? !writable_without_key(code) : !readable_without_key(code))
        return {position, access_refused};
      if (element.block >= service->blocks.size()) return {position, bad_block_element};
      blocks.push_back(&service->blocks[element.block]);
    }
    return {0, 0};
  }

  std::string path_;
  bool open_ = false;
  std::optional<uint16_t> selected_system_;
};

}  // namespace

std::unique_ptr<reader_backend> make_emulated_backend() {
  return std::make_unique<emulated_backend>();
}
