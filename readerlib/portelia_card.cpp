// portelia-card: puts a card on the emulated reader or takes it off, plugs
// the reader in or out, and shows what lies on it.
//
//   portelia-card put IDM [PMM]   a card (16 hex digits each) on the reader
//   portelia-card remove          take the card off
//   portelia-card plug            attach the reader
//   portelia-card unplug          detach the reader
//   portelia-card show            print the reader's state
//
// Exit status: 0 done, 1 the state could not be read or written, 2 bad
// arguments (then nothing is written).
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "readerlib/state_file.h"

namespace {

constexpr const char* usage =
    "usage: portelia-card put IDM [PMM] | remove | plug | unplug | show\n"
    "  IDM and PMM are 16 hex digits each.\n";

int bad_arguments(const std::string& why) {
  std::fprintf(stderr, "portelia-card: %s\n%s", why.c_str(), usage);
  return 2;
}

int failed(const std::string& why) {
  std::fprintf(stderr, "portelia-card: %s\n", why.c_str());
  return 1;
}

int save(const std::string& path, const emulated_reader& state) {
  std::string error;
  return save_emulated_reader(path, state, &error) ? 0 : failed(error);
}

// The state of an attached reader as it is now; an unreadable one counts as
// an empty reader, which the command then replaces.
emulated_reader current_state(const std::string& path) {
  std::optional<emulated_reader> state = load_emulated_reader(path, nullptr);
  return state ? *state : emulated_reader{};
}

int put(const std::string& path, const std::vector<std::string_view>& arguments) {
  if (arguments.empty() || arguments.size() > 2) return bad_arguments("put takes an IDm and an optional PMm");
  std::optional<card_identifier> idm = parse_card_identifier(arguments[0]);
  if (!idm) return bad_arguments("not an IDm of 16 hex digits: " + std::string(arguments[0]));
  std::optional<card_identifier> pmm = default_pmm;
  if (arguments.size() == 2) {
    pmm = parse_card_identifier(arguments[1]);
    if (!pmm) return bad_arguments("not a PMm of 16 hex digits: " + std::string(arguments[1]));
  }
  emulated_reader state = current_state(path);
  // The same card put down again keeps what was written to it.
  if (state.card && state.card->idm == *idm) {
    if (arguments.size() == 2) state.card->pmm = *pmm;
  } else {
    state.card = default_card(*idm, *pmm);
  }
  return save(path, state);
}

int remove(const std::string& path) {
  if (!emulated_reader_attached(path)) return failed("no reader is attached (portelia-card plug)");
  emulated_reader state = current_state(path);
  state.card.reset();
  return save(path, state);
}

int plug(const std::string& path) {
  if (emulated_reader_attached(path)) return 0;
  return save(path, emulated_reader{});
}

int unplug(const std::string& path) {
  std::string error;
  return remove_emulated_reader(path, &error) ? 0 : failed(error);
}

int show(const std::string& path) {
  std::optional<std::string> text = read_emulated_reader_text(path);
  if (!text) return failed("no reader is attached at " + path);
  std::string error;
  if (!parse_emulated_reader(*text, &error)) return failed(path + ": " + error);
  std::fputs(text->c_str(), stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return bad_arguments("no command");
  std::string_view command = argv[1];
  std::vector<std::string_view> arguments(argv + 2, argv + argc);
  std::string path = emulated_reader_path();

  if (command == "put") return put(path, arguments);
  if (!arguments.empty()) return bad_arguments(std::string(command) + " takes no arguments");
  if (command == "remove") return remove(path);
  if (command == "plug") return plug(path);
  if (command == "unplug") return unplug(path);
  if (command == "show") return show(path);
  return bad_arguments("unknown command: " + std::string(command));
}
