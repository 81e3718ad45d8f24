// The presence state file of a card: "<IDm>_inf.txt" in the current folder,
// holding one line "state %d" CR LF (the nine bytes "state 0" CR LF for a card
// that is out). It is the record of presence that outlives a run; 0 is out,
// 1 is in, and any other integer is read as it stands.
#pragma once
#include <cstddef>
#include <cstdint>

// Room for the name of a state file and for its staged content.
constexpr size_t state_file_name_size = 272;
constexpr size_t state_line_size = 24;

// Puts the file name of the state file of `idm_text` into `name`
// (state_file_name_size bytes). Returns false when the IDm text is too long to
// name a file.
bool state_file_name(const char* idm_text, char* name);

// Returns the presence state read from the state file of `idm_text`: the file
// must begin with "state", then optional white space and a decimal integer
// (optional sign, within 32 bits); anything after it is ignored. A missing or
// unreadable file, or one that does not begin so within its first 256 bytes,
// counts as 0 (out).
int32_t state_read(const char* idm_text);

// Replaces the state file of `idm_text` with "state <state>" CR LF, atomically
// (a temporary file beside it, then a rename). Returns false when it could not
// be written; the file then keeps its old content.
bool state_write(const char* idm_text, int32_t state);

// The two halves of state_write, for callers that write another file in
// between and keep the state file unchanged when that fails:
// state_stage prepares the new content without touching the state file, and
// state_commit puts it in place (false when the rename failed; nothing staged
// remains). state_discard throws a staged content away.
bool state_stage(const char* idm_text, int32_t state);
bool state_commit(const char* idm_text);
void state_discard(const char* idm_text);
