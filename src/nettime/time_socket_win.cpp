// The Time Protocol socket on Windows: one UDP socket whose read readiness
// is posted to the hidden "Q-UDP" window, and a one-shot timer on that window
// for the wait. The wait is a nested message loop, so the rest of the
// program keeps running while an answer is awaited.

#include <winsock2.h>

#include "nettime/time_socket.h"
#include "nettime/time_socket_win.h"

namespace korvana {

namespace {

constexpr char kSocketWindowClass[] = "Q-UDP";
constexpr UINT kSocketMessage = WM_USER + 1;
constexpr UINT_PTR kWaitTimerId = 1;
constexpr int kSocketWindowWidth = 300;

// The socket state lives as long as the program (or until the window is
// destroyed), like the window it is reported to.
struct SocketState {
  HWND window = nullptr;
  SOCKET socket = INVALID_SOCKET;
  bool winsockStarted = false;
  volatile bool waiting = false;
  int waitMs = 0;
  Ipv4Address destination = kNoAddress;
};

SocketState g_state;

Ipv4Address SenderOf(const sockaddr_in& from) {
  return from.sin_family == AF_INET ? ntohl(from.sin_addr.s_addr) : kNoAddress;
}

void DiscardOne(SOCKET s) {
  char scrap[kTimeAnswerBufferSize];
  recvfrom(s, scrap, sizeof scrap, 0, nullptr, nullptr);
}

void StopWaiting(HWND window) {
  KillTimer(window, kWaitTimerId);
  g_state.waiting = false;
}

// A datagram is waiting: while an answer is awaited, it ends the wait when
// it comes from the asked host (and is left for the read), and is discarded
// otherwise; when no answer is awaited it is a late one and is discarded.
void OnSocketReadable(HWND window, SOCKET s) {
  if (s != g_state.socket || s == INVALID_SOCKET) return;
  if (g_state.waiting) {
    char peek[kTimeAnswerBufferSize];
    sockaddr_in from{};
    int fromLength = sizeof from;
    const int got = recvfrom(s, peek, sizeof peek, MSG_PEEK, reinterpret_cast<sockaddr*>(&from),
                             &fromLength);
    // A datagram longer than the buffer still names its sender.
    if (got == SOCKET_ERROR && WSAGetLastError() != WSAEMSGSIZE) return;
    if (AcceptsSender(g_state.destination, SenderOf(from))) {
      StopWaiting(window);
    } else {
      DiscardOne(s);
    }
  } else if (g_state.waitMs != 0) {
    DiscardOne(s);
  }
}

LRESULT CALLBACK SocketWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kSocketMessage: {
      if (WSAGETSELECTEVENT(lParam) == FD_READ) OnSocketReadable(window, static_cast<SOCKET>(wParam));
      return 0;
    }
    case WM_TIMER: {
      if (wParam == kWaitTimerId) StopWaiting(window);
      return 0;
    }
    case WM_DESTROY: {
      if (g_state.socket != INVALID_SOCKET) closesocket(g_state.socket);
      g_state.socket = INVALID_SOCKET;
      if (g_state.winsockStarted) WSACleanup();
      g_state.winsockStarted = false;
      g_state.waiting = false;
      g_state.window = nullptr;
      return 0;
    }
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

bool CreateSocketWindow() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = SocketWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, "_icon_");
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.lpszClassName = kSocketWindowClass;
  RegisterClassA(&windowClass);  // fails harmlessly when already registered
  g_state.window = CreateWindowExA(0, kSocketWindowClass, kSocketWindowClass,
                                   WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0,
                                   kSocketWindowWidth, 0, nullptr, nullptr, instance, nullptr);
  return g_state.window != nullptr;
}

bool BindLocal(SOCKET s, uint16_t port) {
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(port);
  local.sin_addr.s_addr = htonl(INADDR_ANY);
  return bind(s, reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0;
}

class WinTimeSocket final : public TimeTransport {
 public:
  explicit WinTimeSocket(uint16_t serverPort) : serverPort_(serverPort) {}

  bool Open(int waitMs) override {
    g_state.waitMs = ClampHostTimeout(waitMs);
    if (!g_state.winsockStarted) {
      WSADATA data;
      if (WSAStartup(MAKEWORD(1, 1), &data) != 0) return false;
      g_state.winsockStarted = true;
    }
    if (g_state.window == nullptr) {
      g_state.socket = INVALID_SOCKET;
      if (!CreateSocketWindow()) return false;
    }
    if (g_state.socket != INVALID_SOCKET) closesocket(g_state.socket);
    g_state.socket = socket(AF_INET, SOCK_DGRAM, 0);
    if (g_state.socket == INVALID_SOCKET) return false;
    if (WSAAsyncSelect(g_state.socket, g_state.window, kSocketMessage, FD_READ) != 0) return false;
    const BOOL on = TRUE;
    setsockopt(g_state.socket, SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&on),
               sizeof on);
    // Port 37 may be taken by another program; any free port serves as
    // well, since servers answer to the port the request came from.
    return BindLocal(g_state.socket, kTimeProtocolPort) || BindLocal(g_state.socket, 0);
  }

  bool Alive() override { return g_state.window != nullptr && IsWindow(g_state.window); }

  Ipv4Address Resolve(const std::string& host) override {
    return ResolveHost(host, LookUpHostName);
  }

  bool Send(Ipv4Address destination, uint8_t request) override {
    if (g_state.socket == INVALID_SOCKET) return false;
    g_state.destination = destination;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(serverPort_);
    to.sin_addr.s_addr = htonl(destination);
    const char byte = static_cast<char>(request);
    return sendto(g_state.socket, &byte, 1, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to) ==
           1;
  }

  size_t Receive(uint8_t* buffer, size_t size) override {
    if (g_state.waitMs != 0) {
      g_state.waiting = true;
      SetTimer(g_state.window, kWaitTimerId, static_cast<UINT>(g_state.waitMs), nullptr);
      // WM_TIMER comes only when the queue is otherwise empty, so a flood of
      // datagrams would starve it: the loop also watches the time itself.
      const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(g_state.waitMs);
      MSG message;
      while (g_state.waiting && GetTickCount64() < deadline) {
        if (!Alive()) return 0;
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
          // WM_QUIT belongs to the program's own loop: hand it back.
          PostQuitMessage(static_cast<int>(message.wParam));
          break;
        }
        if (got == -1) break;
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
      if (Alive()) StopWaiting(g_state.window);
    }
    // Datagrams of other senders still queued ahead of the answer (always
    // so without a wait) are passed over; bounded against a flood.
    constexpr int kMaxPassedOver = 4096;
    for (int n = 0; n < kMaxPassedOver; ++n) {
      if (g_state.socket == INVALID_SOCKET) return 0;
      sockaddr_in from{};
      int fromLength = sizeof from;
      const int got = recvfrom(g_state.socket, reinterpret_cast<char*>(buffer),
                               static_cast<int>(size), 0, reinterpret_cast<sockaddr*>(&from),
                               &fromLength);
      if (got == SOCKET_ERROR) return 0;
      if (AcceptsSender(g_state.destination, SenderOf(from))) return static_cast<size_t>(got);
    }
    return 0;
  }

 private:
  uint16_t serverPort_;
};

}  // namespace

HWND TimeSocketWindow() { return g_state.window; }

std::unique_ptr<TimeTransport> CreateTimeSocket(uint16_t serverPort) {
  return std::make_unique<WinTimeSocket>(serverPort);
}

Ipv4Address LookUpHostName(const std::string& name) {
  const hostent* host = gethostbyname(name.c_str());
  if (host == nullptr || host->h_addrtype != AF_INET || host->h_addr_list == nullptr ||
      host->h_addr_list[0] == nullptr) {
    return kNoAddress;
  }
  in_addr address;
  memcpy(&address, host->h_addr_list[0], sizeof address);
  return ntohl(address.s_addr);
}

}  // namespace korvana
