#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "nettime/time_protocol.h"
#include "temp_folder.h"

namespace korvana {
namespace {

struct ServerValueCase {
  const char* name;
  uint32_t serverValue;  // seconds since 1900 UTC
  int64_t unixSeconds;   // N
};

TEST(TimeProtocol, ServerValueBecomesSecondsSince1970) {
  const ServerValueCase cases[] = {
      {"new_year_2024", 3913056000u, 1704067200},
      {"epoch_1970", 2208988800u, 0},
      {"before_1970_becomes_0", 1000000000u, 0},
      {"one_second_before_1970", 2208988799u, 0},
      {"last_value_wraps_to_2036", 0xFFFFFFFFu, 2085978495},
      {"value_0_is_1900", 0u, 2085978496},  // modulo 2^32: 0 - 2208988800 is positive
  };
  for (const ServerValueCase& c : cases) {
    EXPECT_EQ(ServerValueToUnixSeconds(c.serverValue), c.unixSeconds) << c.name;
  }
}

struct AnswerCase {
  const char* name;
  std::vector<uint8_t> bytes;
  bool answered;
  int64_t unixSeconds;
};

TEST(TimeProtocol, AnswersShorterThanFourBytesAreNoAnswer) {
  // 3913056000 = 0xE93C7F00
  const AnswerCase cases[] = {
      {"four_bytes_big_endian", {0xE9, 0x3C, 0x7F, 0x00}, true, 1704067200},
      {"longer_answer_reads_first_four", {0xE9, 0x3C, 0x7F, 0x01, 0xFF, 0xFF}, true, 1704067201},
      {"three_bytes", {0xE9, 0x3C, 0x7F}, false, 0},
      {"one_byte", {0xE9}, false, 0},
      {"empty", {}, false, 0},
      {"before_1970", {0x3B, 0x9A, 0xCA, 0x00}, true, 0},  // 1000000000
  };
  for (const AnswerCase& c : cases) {
    int64_t seconds = -1;
    EXPECT_EQ(ReadTimeAnswer(c.bytes.data(), c.bytes.size(), &seconds), c.answered) << c.name;
    if (c.answered) {
      EXPECT_EQ(seconds, c.unixSeconds) << c.name;
    }
  }
}

std::vector<std::string> g_lookedUp;

Ipv4Address FakeLookup(const std::string& name) {
  g_lookedUp.push_back(name);
  return name == "time.example" ? 0x0A000005u : kNoAddress;
}

struct ResolveCase {
  const char* name;
  std::string text;
  Ipv4Address address;
  bool looksUpName;
};

TEST(TimeProtocol, ResolveHostRules) {
  const ResolveCase cases[] = {
      {"empty_gives_0", "", kNoAddress, false},
      {"broadcast", "255.255.255.255", kBroadcastAddress, false},
      {"dotted_loopback", "127.0.0.1", 0x7F000001u, false},
      {"dotted_private", "192.168.10.200", 0xC0A80AC8u, false},
      {"name_found", "time.example", 0x0A000005u, true},
      {"name_not_found", "no.such.host", kNoAddress, true},
      {"part_over_255_is_a_name", "256.1.1.1", kNoAddress, true},
      {"three_parts_is_a_name", "10.1.2", kNoAddress, true},
      {"trailing_blank_is_a_name", "127.0.0.1 ", kNoAddress, true},
      {"leading_zero_is_a_name", "127.0.0.010", kNoAddress, true},
      {"zero_parts", "0.0.0.0", kNoAddress, false},
  };
  for (const ResolveCase& c : cases) {
    g_lookedUp.clear();
    EXPECT_EQ(ResolveHost(c.text, FakeLookup), c.address) << c.name;
    EXPECT_EQ(!g_lookedUp.empty(), c.looksUpName) << c.name;
  }
}

TEST(TimeProtocol, OnlyTheAskedHostMayAnswerUnlessBroadcast) {
  struct Case {
    const char* name;
    Ipv4Address destination, sender;
    bool accepted;
  };
  const Case cases[] = {
      {"asked_host", 0x7F000001u, 0x7F000001u, true},
      {"foreign_sender", 0x7F000001u, 0x7F000002u, false},
      {"broadcast_takes_anyone", kBroadcastAddress, 0xC0A80001u, true},
  };
  for (const Case& c : cases) EXPECT_EQ(AcceptsSender(c.destination, c.sender), c.accepted) << c.name;
}

TEST(TimeProtocol, ReportAndDriftTexts) {
  const ClockFields net{2024, 1, 1, 0, 0, 0};
  const ClockFields pc{2024, 1, 1, 0, 0, 5};
  EXPECT_EQ(FormatTimeReport(net, pc),
            "Net Time :  01/01/2024     00:00:00\n"
            "PC  Time :  01/01/2024     00:00:05\n");
  struct Case {
    const char* name;
    int64_t drift;
    const char* text;
  };
  const Case cases[] = {
      {"pc_5_s_fast", 5, "\nYour PC's clock has  5 seconds drift !\nDo you want to fix it ?\n"},
      {"pc_5_s_slow", -5, "\nYour PC's clock has  -5 seconds drift !\nDo you want to fix it ?\n"},
      {"clocks_agree", 0, "\nYour PC's clock needs no correction...\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDriftText(c.drift), c.text) << c.name;
  EXPECT_EQ(FormatHostCaption(0x7F000001u), "Host Address : 127.0.0.1");
  EXPECT_EQ(FormatHostCaption(kBroadcastAddress), "Host Address : 255.255.255.255");
}

TEST(TimeProtocol, HostKeysAndWaitLimits) {
  EXPECT_EQ(HostKeyText(0), "Host0");
  EXPECT_EQ(HostKeyText(98), "Host98");
  struct Case {
    const char* name;
    int ms, clamped;
  };
  const Case cases[] = {{"no_wait", 0, 0},           {"default", 2000, 2000},
                        {"largest", 32767, 32767},   {"over_16_bits", 40000, 32767},
                        {"negative", -1, 0}};
  for (const Case& c : cases) EXPECT_EQ(ClampHostTimeout(c.ms), c.clamped) << c.name;
}

TEST(TimeServerSettings, DefaultsWithoutTheSection) {
  testing::TempFolder folder;
  const TimeServerSettings s =
      ReadTimeServerSettings(folder.Write("k.ini", "[Options]\r\nx=1\r\n"));
  EXPECT_EQ(s.maxHost, 99);
  EXPECT_EQ(s.hostTimeoutMs, 2000);
  EXPECT_TRUE(s.hosts.empty());
}

TEST(TimeServerSettings, HostKeysBelowMaxHostInOrder) {
  testing::TempFolder folder;
  const std::string path = folder.Write("k.ini",
                                        "[Time Servers]\r\n"
                                        "MaxHost=4\r\n"
                                        "HostTimeout=40000\r\n"
                                        "Host3=third.example\r\n"
                                        "Host0=\r\n"
                                        " host1 = 127.0.0.1\r\n"
                                        "Host01=not-a-key-text\r\n"
                                        "Host4=beyond.maxhost\r\n"
                                        "Host2=255.255.255.255\r\n");
  const TimeServerSettings s = ReadTimeServerSettings(path);
  EXPECT_EQ(s.maxHost, 4);
  EXPECT_EQ(s.hostTimeoutMs, 32767);
  ASSERT_EQ(s.hosts.size(), 3u);
  EXPECT_EQ(s.hosts[0].index, 1);
  EXPECT_EQ(s.hosts[0].key, "Host1");
  EXPECT_EQ(s.hosts[0].value, "127.0.0.1");
  EXPECT_EQ(s.hosts[1].value, "255.255.255.255");
  EXPECT_EQ(s.hosts[2].value, "third.example");
}

TEST(TimeServerSettings, HugeMaxHostReadsOnlyPresentKeys) {
  testing::TempFolder folder;
  const std::string path = folder.Write(
      "k.ini", "[Time Servers]\r\nMaxHost=2147483647\r\nHost2147483646=last.example\r\n");
  const TimeServerSettings s = ReadTimeServerSettings(path);
  ASSERT_EQ(s.hosts.size(), 1u);
  EXPECT_EQ(s.hosts[0].index, 2147483646);
  EXPECT_EQ(s.hosts[0].value, "last.example");
}

}  // namespace
}  // namespace korvana
