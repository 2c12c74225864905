// korvana-cli nettime and mp3towav: their output lines and exit statuses.
// nettime runs without --set only: tests never set the host's clock.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/commands.h"
#include "temp_folder.h"
#include "udp_peer.h"

namespace korvana {
namespace {

using testing::TempFolder;
using testing::UdpPeer;

struct CliResult {
  int status;
  std::string out, err;
};

CliResult RunCli(int (*command)(const cli::Args&, std::ostream&, std::ostream&),
              const cli::Args& args) {
  std::ostringstream out, err;
  const int status = command(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(NetTimeCommand, PrintsTheReportAndTheDriftOfTheFirstAnswer) {
  UdpPeer server(0x7F000001u, 0);
  ASSERT_TRUE(server.bound());
  std::thread answer([&server] {
    std::vector<uint8_t> request;
    uint32_t client = 0;
    uint16_t clientPort = 0;
    if (server.Receive(5000, &request, &client, &clientPort)) {
      server.Send(client, clientPort, testing::TimeAnswer(3913056000u));  // 2024-01-01
    }
  });
  TempFolder folder;
  const std::string ini =
      folder.Write("k.ini", "[Time Servers]\r\nHostTimeout=3000\r\nHost0=\r\nHost1=127.0.0.1\r\n");
  const CliResult r =
      RunCli(cli::RunNetTimeCommand, {"--ini", ini, "--port", std::to_string(server.port())});
  answer.join();
  EXPECT_EQ(r.status, 0) << r.err;
  // The server's 2024-01-01 00:00 UTC on this computer's local clock.
  const std::string head = "Host Address : 127.0.0.1\nNet Time :  ";
  EXPECT_EQ(r.out.substr(0, head.size()), head) << r.out;
  const std::string date = r.out.substr(head.size(), 10);
  EXPECT_TRUE(date == "01/01/2024" || date == "31/12/2023") << r.out;
  EXPECT_NE(r.out.find("\nPC  Time :  "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\nYour PC's clock has  "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\nDrift: "), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("Clock corrected"), std::string::npos) << r.out;
}

struct CliCase {
  const char* name;
  std::vector<std::string> args;
  int status;
  std::string err;  // expected start of the error output
};

TEST(NetTimeCommand, NoServerAndBadUsage) {
  TempFolder folder;
  const std::string none = folder.Write("none.ini", "[Time Servers]\r\nHostTimeout=0\r\n");
  const std::string silent =
      folder.Write("silent.ini", "[Time Servers]\r\nHostTimeout=200\r\nHost0=127.0.0.1\r\n");
  UdpPeer quiet(0x7F000001u, 0);  // takes the request and never answers
  const CliCase cases[] = {
      {"no_host_keys", {"--ini", none}, 1, "No response from any server !\n"},
      {"silent_host", {"--ini", silent, "--port", std::to_string(quiet.port())}, 1,
       "No response from any server !\n"},
      {"bad_port", {"--ini", none, "--port", "70000"}, 2, "korvana-cli nettime: bad value"},
      {"stray_argument", {"now"}, 2, "korvana-cli nettime: unexpected argument 'now'"},
      {"unknown_option", {"--lat", "21"}, 2, "korvana-cli nettime: unknown option --lat"},
      {"named_ini_missing", {"--ini", folder.File("missing.ini")}, 1,
       "korvana-cli nettime: cannot read the settings file"},
  };
  for (const CliCase& c : cases) {
    const CliResult r = RunCli(cli::RunNetTimeCommand, c.args);
    EXPECT_EQ(r.status, c.status) << c.name;
    EXPECT_EQ(r.err.substr(0, c.err.size()), c.err) << c.name << ": " << r.err;
  }
}

TEST(Mp3ToWavCommand, ConvertsAndReportsFailuresWithCaptionAndText) {
  TempFolder folder;
  const std::string mp3 = std::string(KORVANA_TEST_DATA_DIR) + "/mp3/mpeg1_joint_128k_44100.mp3";
  const std::string tagged = folder.Write("tagged.mp3", std::string("ID3\x03\0\0\0\0\0\0", 10));
  const CliCase cases[] = {
      {"converts", {mp3, folder.File("out.wav")}, 0, ""},
      {"invalid_format", {tagged, folder.File("t.wav")}, 1, "MP3toWAV: Invalid MP3 format\n"},
      {"same_file",
       {tagged, tagged},
       1,
       "Error Opening Output File: INPUT & OUTPUT files must be different...\n"},
      {"one_argument", {mp3}, 2, "korvana-cli mp3towav: usage"},
  };
  for (const CliCase& c : cases) {
    const CliResult r = RunCli(cli::RunMp3ToWavCommand, c.args);
    EXPECT_EQ(r.status, c.status) << c.name;
    EXPECT_EQ(r.err.substr(0, c.err.size()), c.err) << c.name << ": " << r.err;
    if (c.status == 0) {
      EXPECT_TRUE(r.err.empty()) << c.name;
    }
  }
  EXPECT_EQ(testing::ReadBytes(folder.File("out.wav")).size(),
            testing::ReadBytes(mp3).size() + 70);
  EXPECT_FALSE(std::filesystem::exists(folder.File("t.wav")));
}

}  // namespace
}  // namespace korvana
