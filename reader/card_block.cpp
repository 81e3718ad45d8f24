// Reading and writing one block of a card without encryption.
#include "reader/reader.h"

namespace {

// The service code list of one service, low byte first, and the block list
// of one two-byte element: access mode 0, the first service, the block.
struct block_address {
  uint8_t service_codes[2];
  uint8_t blocks[2];
};

block_address address_of(uint16_t service_code, uint8_t block) {
  return {{static_cast<uint8_t>(service_code & 0xFF), static_cast<uint8_t>(service_code >> 8)},
          {0x80, block}};
}

}  // namespace

int card_read_block(const card* polled, uint16_t service_code, uint8_t block, uint8_t* data) {
  block_address address = address_of(service_code, block);
  uint8_t idm[8];
  card_copy_idm(polled, idm);
  block_read_parameters parameters{idm, 1, address.service_codes, 1, address.blocks};
  uint8_t status_flag_1 = 0xFF;
  uint8_t status_flag_2 = 0xFF;
  uint8_t blocks_read = 0;
  block_read_result result{&status_flag_1, &status_flag_2, &blocks_read, data};
  if (polled->reader->read_block_without_encryption(&parameters, &result) == 0) return -1;
  return status_flag_1 == 0 ? 0 : -1;
}

int card_write_block(const card* polled, uint16_t service_code, uint8_t block, const uint8_t* data) {
  block_address address = address_of(service_code, block);
  uint8_t idm[8];
  card_copy_idm(polled, idm);
  uint8_t block_data[16];
  for (int i = 0; i < 16; ++i) block_data[i] = data[i];
  block_write_parameters parameters{idm, 1, address.service_codes, 1, address.blocks, block_data};
  uint8_t status_flag_1 = 0xFF;
  uint8_t status_flag_2 = 0xFF;
  block_write_result result{&status_flag_1, &status_flag_2};
  if (polled->reader->write_block_without_encryption(&parameters, &result) == 0) return -1;
  return status_flag_1 == 0 ? 0 : -1;
}
