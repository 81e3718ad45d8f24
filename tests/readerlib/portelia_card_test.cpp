// portelia-card, run as a person runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "readerlib/state_file.h"

namespace {

class portelia_card_command : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = std::filesystem::temp_directory_path() / "portelia-card-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder = pattern;
    path = folder + "/reader.state";
    setenv("PORTELIA_EMULATED_READER", path.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("PORTELIA_EMULATED_READER");
    std::filesystem::remove_all(folder);
  }

  // Runs the command; its exit status, with what it printed in `output`.
  int run(const std::string& arguments) {
    std::string command = std::string(PORTELIA_CARD) + " " + arguments + " 2>&1";
    output.clear();
    std::FILE* pipe = popen(command.c_str(), "r");
    char chunk[256];
    while (std::fgets(chunk, sizeof chunk, pipe)) output += chunk;
    int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string state_text() {
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
  }

  std::string folder;
  std::string path;
  std::string output;
};

TEST_F(portelia_card_command, put_attaches_the_reader_with_a_default_card) {
  ASSERT_EQ(run("put 012e000aff109b7c"), 0);
  std::optional<emulated_reader> state = load_emulated_reader(path, nullptr);
  ASSERT_TRUE(state && state->card);
  EXPECT_EQ(state->card->pmm, default_pmm);
  EXPECT_EQ(state->card->systems.size(), 2u);

  ASSERT_EQ(run("show"), 0);
  EXPECT_EQ(output, state_text());
  EXPECT_NE(output.find("card=012E000AFF109B7C\r\n"), std::string::npos);
}

TEST_F(portelia_card_command, put_with_a_pmm_keeps_it) {
  ASSERT_EQ(run("put 012E000AFF109B7C 0120220427674EFF"), 0);
  EXPECT_NE(state_text().find("pmm=0120220427674EFF\r\n"), std::string::npos);
}

TEST_F(portelia_card_command, remove_takes_the_card_off_and_leaves_the_reader) {
  ASSERT_EQ(run("put 012E000AFF109B7C"), 0);
  ASSERT_EQ(run("remove"), 0);
  EXPECT_EQ(state_text(), "# portelia emulated card reader\r\n");
  EXPECT_EQ(run("remove"), 0);
}

TEST_F(portelia_card_command, remove_with_no_reader_fails_without_attaching_one) {
  EXPECT_EQ(run("remove"), 1);
  EXPECT_NE(output.find("no reader is attached"), std::string::npos);
  EXPECT_FALSE(emulated_reader_attached(path));
}

TEST_F(portelia_card_command, plug_and_unplug_attach_and_detach) {
  ASSERT_EQ(run("plug"), 0);
  EXPECT_EQ(state_text(), "# portelia emulated card reader\r\n");
  ASSERT_EQ(run("put 012E000AFF109B7C"), 0);
  ASSERT_EQ(run("plug"), 0);  // already attached: the card stays
  EXPECT_NE(state_text().find("card="), std::string::npos);
  ASSERT_EQ(run("unplug"), 0);
  EXPECT_FALSE(emulated_reader_attached(path));
  EXPECT_EQ(run("unplug"), 0);
  EXPECT_EQ(run("show"), 1);
}

TEST_F(portelia_card_command, a_broken_state_is_shown_as_an_error_and_put_replaces_it) {
  {
    std::ofstream out(path, std::ios::binary);
    out << "card=zz\r\n";
  }
  EXPECT_EQ(run("show"), 1);
  EXPECT_NE(output.find("line 1"), std::string::npos);
  ASSERT_EQ(run("put 012E000AFF109B7C"), 0);
  EXPECT_EQ(run("show"), 0);
}

struct bad_arguments_case {
  const char* name;
  const char* arguments;
};
void PrintTo(const bad_arguments_case& c, std::ostream* out) { *out << c.name; }

class portelia_card_bad_arguments : public portelia_card_command,
                                    public testing::WithParamInterface<bad_arguments_case> {};

TEST_P(portelia_card_bad_arguments, exit_2_and_write_nothing) {
  // With no reader, and with a reader holding a card: both stay as they are.
  EXPECT_EQ(run(GetParam().arguments), 2);
  EXPECT_NE(output.find("usage: portelia-card"), std::string::npos);
  EXPECT_FALSE(emulated_reader_attached(path));

  ASSERT_EQ(run("put 0102030405060708"), 0);
  std::string before = state_text();
  EXPECT_EQ(run(GetParam().arguments), 2);
  EXPECT_EQ(state_text(), before);
}

INSTANTIATE_TEST_SUITE_P(
    cases, portelia_card_bad_arguments,
    testing::Values(bad_arguments_case{"no_command", ""},
                    bad_arguments_case{"unknown_command", "frob"},
                    bad_arguments_case{"put_without_idm", "put"},
                    bad_arguments_case{"short_idm", "put 012E000AFF109B7"},
                    bad_arguments_case{"long_idm", "put 012E000AFF109B7C0"},
                    bad_arguments_case{"idm_not_hex", "put 012E000AFF109B7X"},
                    bad_arguments_case{"bad_pmm", "put 012E000AFF109B7C 01"},
                    bad_arguments_case{"too_many", "put 012E000AFF109B7C 0120220427674EFF 00"},
                    bad_arguments_case{"remove_with_argument", "remove now"},
                    bad_arguments_case{"unplug_with_argument", "unplug 1"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
