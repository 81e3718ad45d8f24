// A reader reached through PC/SC (pcsc-lite), selected with
// PORTELIA_READER=pcsc. The reader polls on its own; its card's IDm comes
// from the GET DATA command, and blocks are read and written through the
// storage-card commands (SELECT FILE by service code, READ BINARY,
// UPDATE BINARY), one service at a time. Such readers give neither the PMm
// (it is reported as zeros) nor the card's directory, and poll for any
// system only.
#include <winscard.h>

#include <cstring>
#include <string>
#include <vector>

#include "readerlib/backend.h"

namespace {

constexpr uint8_t whole_request = 0xFF;
constexpr uint8_t bad_service_count = 0xA1;
constexpr uint8_t bad_block_element = 0xA8;

class pcsc_backend final : public reader_backend {
 public:
  ~pcsc_backend() override { close_reader(); }

  bool open_reader() override {
    close_reader();
    if (SCardEstablishContext(SCARD_SCOPE_SYSTEM, nullptr, nullptr, &context_) != SCARD_S_SUCCESS)
      return false;
    has_context_ = true;
    DWORD length = 0;
    if (SCardListReaders(context_, nullptr, nullptr, &length) != SCARD_S_SUCCESS || length < 2) {
      close_reader();
      return false;
    }
    std::vector<char> names(length);
    if (SCardListReaders(context_, nullptr, names.data(), &length) != SCARD_S_SUCCESS) {
      close_reader();
      return false;
    }
    reader_name_ = names.data();  // the first reader
    return true;
  }

  void close_reader() override {
    disconnect();
    if (has_context_) SCardReleaseContext(context_);
    has_context_ = false;
    reader_name_.clear();
  }

  std::optional<polled_card> poll(uint16_t system_code, uint8_t /*time_slot*/) override {
    disconnect();
    if (reader_name_.empty() || system_code != 0xFFFF) return std::nullopt;
    DWORD protocol = 0;
    if (SCardConnect(context_, reader_name_.c_str(), SCARD_SHARE_SHARED,
                     SCARD_PROTOCOL_T0 | SCARD_PROTOCOL_T1, &card_, &protocol) != SCARD_S_SUCCESS)
      return std::nullopt;
    connected_ = true;
    protocol_ = protocol;
    std::vector<uint8_t> answer;
    if (!transmit({0xFF, 0xCA, 0x00, 0x00, 0x00}, answer) || answer.size() != 8 + 2 ||
        !succeeded(answer)) {
      disconnect();
      return std::nullopt;
    }
    polled_card polled{};
    std::memcpy(polled.idm.data(), answer.data(), 8);
    polled_idm_ = polled.idm;
    return polled;
  }

  std::optional<std::vector<uint16_t>> request_system_codes(const card_identifier&) override {
    return std::nullopt;
  }

  std::optional<card_directory> search_services(const card_identifier&) override {
    return std::nullopt;
  }

  std::optional<block_status> read_blocks(const block_request& request, uint8_t* data) override {
    return exchange_blocks(request, [&](size_t i, uint16_t block) -> std::optional<uint16_t> {
      std::vector<uint8_t> answer;
      if (!transmit({0xFF, 0xB0, static_cast<uint8_t>(block >> 8), static_cast<uint8_t>(block), 16},
                    answer))
        return std::nullopt;
      if (succeeded(answer) && answer.size() == 16 + 2) std::memcpy(data + 16 * i, answer.data(), 16);
      return status_word(answer);
    });
  }

  std::optional<block_status> write_blocks(const block_request& request,
                                           const uint8_t* data) override {
    return exchange_blocks(request, [&](size_t i, uint16_t block) -> std::optional<uint16_t> {
      std::vector<uint8_t> command = {0xFF, 0xD6, static_cast<uint8_t>(block >> 8),
                                      static_cast<uint8_t>(block), 16};
      command.insert(command.end(), data + 16 * i, data + 16 * (i + 1));
      std::vector<uint8_t> answer;
      if (!transmit(command, answer)) return std::nullopt;
      return status_word(answer);
    });
  }

 private:
  // Selects the one service, then runs `each(index, block)` for every block,
  // which gives the card's status word or nothing when the exchange failed.
  template <typename Each>
  std::optional<block_status> exchange_blocks(const block_request& request, Each each) {
    if (!connected_ || request.idm != polled_idm_) return std::nullopt;
    if (request.service_codes.size() != 1) return block_status{whole_request, bad_service_count};
    uint16_t service = request.service_codes[0];
    std::vector<uint8_t> answer;
    if (!transmit({0xFF, 0xA4, 0x00, 0x01, 0x02, static_cast<uint8_t>(service & 0xFF),
                   static_cast<uint8_t>(service >> 8)},
                  answer))
      return std::nullopt;
    if (!succeeded(answer)) return block_status{1, static_cast<uint8_t>(status_word(answer))};
    for (size_t i = 0; i < request.blocks.size(); ++i) {
      const uint8_t position = static_cast<uint8_t>(i + 1);
      if (request.blocks[i].service_index != 0) return block_status{position, bad_block_element};
      std::optional<uint16_t> status = each(i, request.blocks[i].block);
      if (!status) return std::nullopt;
      if (*status != 0x9000) return block_status{position, static_cast<uint8_t>(*status & 0xFF)};
    }
    return block_status{0, 0};
  }

  bool transmit(const std::vector<uint8_t>& command, std::vector<uint8_t>& answer) {
    const SCARD_IO_REQUEST* send_pci =
        protocol_ == SCARD_PROTOCOL_T0 ? SCARD_PCI_T0 : SCARD_PCI_T1;
    answer.assign(258, 0);
    DWORD length = answer.size();
    if (SCardTransmit(card_, send_pci, command.data(), command.size(), nullptr, answer.data(),
                      &length) != SCARD_S_SUCCESS)
      return false;
    answer.resize(length);
    return answer.size() >= 2;
  }

  static uint16_t status_word(const std::vector<uint8_t>& answer) {
    return static_cast<uint16_t>(answer[answer.size() - 2] << 8 | answer[answer.size() - 1]);
  }
  static bool succeeded(const std::vector<uint8_t>& answer) { return status_word(answer) == 0x9000; }

  void disconnect() {
    if (connected_) SCardDisconnect(card_, SCARD_LEAVE_CARD);
    connected_ = false;
  }

  SCARDCONTEXT context_ = 0;
  bool has_context_ = false;
  std::string reader_name_;
  SCARDHANDLE card_ = 0;
  bool connected_ = false;
  DWORD protocol_ = 0;
  card_identifier polled_idm_{};
};

}  // namespace

std::unique_ptr<reader_backend> make_pcsc_backend() {
  return std::make_unique<pcsc_backend>();
}
