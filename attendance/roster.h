// The card roster: every card the clock knows, with its holder's name. It
// lives in idm_list.txt (one line "<IDm> <registered_at> <name>" CR LF per card,
// Shift-JIS) and, during a run, in the process-wide `roster`. Cards are only
// ever added.
#pragma once
#include <cstdint>

constexpr int roster_text_size = 256;  // at most 255 bytes and a zero

struct roster_entry {
  char idm_text[roster_text_size];  // the card's IDm text, the entry's key
  char name[roster_text_size];      // the holder name, Shift-JIS
  int32_t state;          // presence state after the latest movement this run
  int64_t registered_at;  // seconds since 1970-01-01 00:00 UTC
};

struct roster_list {
  roster_entry* entries;  // file order, then registrations in their order
  int32_t count;
  int32_t capacity;       // room in `entries`; entries may move when it grows
};

extern roster_list roster;

// Fills `roster` from idm_list.txt, replacing what it held. A missing file
// gives an empty roster. Lines the clock could not have written (blank, fewer
// than three fields, a second field that is not a decimal integer, a field over
// 255 bytes) are skipped; a line of any length is one line. Ends the process
// with status 1 when memory for one more entry cannot be obtained.
void roster_load();

// Returns the index of the first entry whose IDm text equals `idm_text` byte
// for byte, or `roster.count` when none does.
int32_t roster_find(const char* idm_text);

// Registers a card read at `time` under `name`: writes its state file with
// presence state 0, appends its line to idm_list.txt and appends its entry
// (state 0). Returns the index of the new entry, or -1 when a file could not
// be written; then the card is not registered and neither file has changed.
// Ends the process with status 1 when memory for one more entry cannot be
// obtained.
int32_t roster_register(const char* idm_text, const char* name, int64_t time);
