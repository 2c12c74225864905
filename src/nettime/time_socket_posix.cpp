// The Time Protocol socket on POSIX systems: a UDP socket and a timed wait
// with poll().

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "nettime/time_socket.h"

namespace korvana {

namespace {

class PosixTimeSocket final : public TimeTransport {
 public:
  explicit PosixTimeSocket(uint16_t serverPort) : serverPort_(serverPort) {}
  ~PosixTimeSocket() override { Close(); }
  PosixTimeSocket(const PosixTimeSocket&) = delete;
  PosixTimeSocket& operator=(const PosixTimeSocket&) = delete;

  bool Open(int waitMs) override {
    waitMs_ = ClampHostTimeout(waitMs);
    Close();
    fd_ = socket(AF_INET, SOCK_DGRAM, 0);
    if (fd_ < 0) return false;
    const int on = 1;
    setsockopt(fd_, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    // Port 37 is a privileged port here, and may be taken: any free port
    // serves as well, since servers answer to the port the request came from.
    if (Bind(kTimeProtocolPort) || Bind(0)) return true;
    Close();
    return false;
  }

  bool Alive() override { return true; }

  Ipv4Address Resolve(const std::string& host) override {
    return ResolveHost(host, LookUpHostName);
  }

  bool Send(Ipv4Address destination, uint8_t request) override {
    if (fd_ < 0) return false;
    DiscardPending();  // late answers to an earlier request
    destination_ = destination;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(serverPort_);
    to.sin_addr.s_addr = htonl(destination);
    return sendto(fd_, &request, 1, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 1;
  }

  size_t Receive(uint8_t* buffer, size_t size) override {
    if (fd_ < 0) return 0;
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(waitMs_);
    for (;;) {
      Ipv4Address sender = kNoAddress;
      const ssize_t length = ReadOne(buffer, size, &sender);
      if (length >= 0) {
        if (AcceptsSender(destination_, sender)) return static_cast<size_t>(length);
        // Another sender's datagram is discarded; a flood of them cannot
        // stretch the wait beyond its end.
        if (Clock::now() >= deadline) return 0;
        continue;
      }
      if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) return 0;
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left <= 0) return 0;
      pollfd wait{fd_, POLLIN, 0};
      const int ready = poll(&wait, 1, static_cast<int>(left));
      if (ready < 0 && errno != EINTR) return 0;
    }
  }

 private:
  bool Bind(uint16_t port) {
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(port);
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    return bind(fd_, reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0;
  }

  // One datagram without waiting; its length, or -1 with errno set.
  ssize_t ReadOne(uint8_t* buffer, size_t size, Ipv4Address* sender) {
    sockaddr_in from{};
    socklen_t fromLength = sizeof from;
    const ssize_t length = recvfrom(fd_, buffer, size, MSG_DONTWAIT,
                                    reinterpret_cast<sockaddr*>(&from), &fromLength);
    if (length >= 0) *sender = from.sin_family == AF_INET ? ntohl(from.sin_addr.s_addr) : kNoAddress;
    return length;
  }

  // Bounded, so that a sender that never stops cannot hold the client here.
  void DiscardPending() {
    constexpr int kMaxDiscarded = 4096;
    uint8_t scrap[kTimeAnswerBufferSize];
    Ipv4Address sender = kNoAddress;
    for (int n = 0; n < kMaxDiscarded && ReadOne(scrap, sizeof scrap, &sender) >= 0; ++n) {
    }
  }

  void Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }

  uint16_t serverPort_;
  int fd_ = -1;
  int waitMs_ = kDefaultHostTimeoutMs;
  Ipv4Address destination_ = kNoAddress;
};

}  // namespace

std::unique_ptr<TimeTransport> CreateTimeSocket(uint16_t serverPort) {
  return std::make_unique<PosixTimeSocket>(serverPort);
}

Ipv4Address LookUpHostName(const std::string& name) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) return kNoAddress;
  Ipv4Address address = kNoAddress;
  for (const addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
    if (entry->ai_family == AF_INET) {
      address = ntohl(reinterpret_cast<const sockaddr_in*>(entry->ai_addr)->sin_addr.s_addr);
      break;
    }
  }
  freeaddrinfo(found);
  return address;
}

}  // namespace korvana
