// korvana-loopback-sender: sends datagrams from loopback addresses other than
// 127.0.0.1 on behalf of the Windows test program under Wine, which cannot
// bind them itself (Wine binds 127.0.0.x as 127.0.0.1). Native only; started
// by tests/net/run_time_server_tests.sh, loopback only.
//
//   korvana-loopback-sender CONTROL_PORT
//
// Control datagrams to 127.0.0.1:CONTROL_PORT:
//   [from octet][to port, 2 bytes big-endian][count, 4 bytes big-endian][payload]
//     sends `count` copies of the payload from 127.0.0.<from octet> to
//     127.0.0.1:<to port>, then answers "k"; a count of 0xFFFFFFFF sends
//     without end (answered at once) until the next control datagram.
//   [0] stops an endless sending and answers "k"; [0xFF] ends the program.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

constexpr uint32_t kEndless = 0xFFFFFFFFu;

int BoundSocket(uint32_t address, uint16_t port) {
  const int fd = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(port);
  local.sin_addr.s_addr = htonl(address);
  if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
    if (fd >= 0) close(fd);
    return -1;
  }
  return fd;
}

void SendFrom(uint8_t octet, uint16_t toPort, const std::vector<uint8_t>& payload, uint32_t count,
              const std::atomic<bool>* stop) {
  const int fd = BoundSocket(0x7F000000u | octet, 0);
  if (fd < 0) return;
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(toPort);
  to.sin_addr.s_addr = htonl(0x7F000001u);
  for (uint32_t n = 0; count == kEndless ? !*stop : n < count; ++n) {
    sendto(fd, payload.data(), payload.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
  }
  close(fd);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: korvana-loopback-sender CONTROL_PORT\n");
    return 2;
  }
  const int control = BoundSocket(0x7F000001u, static_cast<uint16_t>(std::atoi(argv[1])));
  if (control < 0) {
    std::perror("korvana-loopback-sender: bind");
    return 1;
  }
  std::atomic<bool> stop{false};
  std::thread endless;
  for (;;) {
    uint8_t request[512];
    sockaddr_in from{};
    socklen_t fromLength = sizeof from;
    const ssize_t got = recvfrom(control, request, sizeof request, 0,
                                 reinterpret_cast<sockaddr*>(&from), &fromLength);
    if (got < 1) continue;
    if (endless.joinable()) {
      stop = true;
      endless.join();
      stop = false;
    }
    if (request[0] == 0xFF) break;
    if (request[0] != 0 && got >= 7) {
      const uint16_t toPort = static_cast<uint16_t>(request[1] << 8 | request[2]);
      const uint32_t count = uint32_t{request[3]} << 24 | uint32_t{request[4]} << 16 |
                             uint32_t{request[5]} << 8 | uint32_t{request[6]};
      const std::vector<uint8_t> payload(request + 7, request + got);
      if (count == kEndless) {
        endless = std::thread(SendFrom, request[0], toPort, payload, count, &stop);
      } else {
        SendFrom(request[0], toPort, payload, count, &stop);
      }
    }
    sendto(control, "k", 1, 0, reinterpret_cast<sockaddr*>(&from), fromLength);
  }
  close(control);
  return 0;
}
