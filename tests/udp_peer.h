#pragma once
// A UDP socket on a loopback address for the tests' scripted time servers:
// blocking reads with a timeout, sends to any loopback address. Works with
// BSD sockets and with Windows Sockets.

#include <cstdint>
#include <string>
#include <vector>

#ifdef _WIN32
#include <winsock2.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace korvana::testing {

class UdpPeer {
 public:
  // Binds `address` (host byte order) and `port` (0: any free port).
  UdpPeer(uint32_t address, uint16_t port) {
#ifdef _WIN32
    WSADATA data;
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
#endif
    fd_ = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(port);
    local.sin_addr.s_addr = htonl(address);
    bound_ = bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0;
#ifdef _WIN32
    int length = sizeof local;
#else
    socklen_t length = sizeof local;
#endif
    getsockname(fd_, reinterpret_cast<sockaddr*>(&local), &length);
    port_ = ntohs(local.sin_port);
  }
  ~UdpPeer() {
#ifdef _WIN32
    closesocket(fd_);
    if (started_) WSACleanup();
#else
    close(fd_);
#endif
  }
  UdpPeer(const UdpPeer&) = delete;
  UdpPeer& operator=(const UdpPeer&) = delete;

  bool bound() const { return bound_; }
  uint16_t port() const { return port_; }

  // Waits up to `timeoutMs` for a datagram; false when none came.
  bool Receive(int timeoutMs, std::vector<uint8_t>* bytes, uint32_t* fromAddress,
               uint16_t* fromPort) {
#ifdef _WIN32
    WSAPOLLFD wait{fd_, POLLIN, 0};
    if (WSAPoll(&wait, 1, timeoutMs) <= 0) return false;
    int length = 0;
#else
    pollfd wait{fd_, POLLIN, 0};
    if (poll(&wait, 1, timeoutMs) <= 0) return false;
    socklen_t length = 0;
#endif
    char buffer[2048];
    sockaddr_in from{};
    length = sizeof from;
    const int got = static_cast<int>(
        recvfrom(fd_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &length));
    if (got < 0) return false;
    bytes->assign(buffer, buffer + got);
    *fromAddress = ntohl(from.sin_addr.s_addr);
    *fromPort = ntohs(from.sin_port);
    return true;
  }

  bool Send(uint32_t address, uint16_t port, const std::vector<uint8_t>& bytes) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(address);
    return sendto(fd_, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()),
                  0, reinterpret_cast<sockaddr*>(&to), sizeof to) ==
           static_cast<int>(bytes.size());
  }

 private:
#ifdef _WIN32
  SOCKET fd_;
  bool started_ = false;
#else
  int fd_;
#endif
  bool bound_ = false;
  uint16_t port_ = 0;
};

// The four bytes of a Time Protocol answer.
inline std::vector<uint8_t> TimeAnswer(uint32_t secondsSince1900) {
  return {static_cast<uint8_t>(secondsSince1900 >> 24), static_cast<uint8_t>(secondsSince1900 >> 16),
          static_cast<uint8_t>(secondsSince1900 >> 8), static_cast<uint8_t>(secondsSince1900)};
}

}  // namespace korvana::testing
