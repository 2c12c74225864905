// korvana-probe: drives the tray program from outside in the end-to-end
// tests. Each call does one thing and prints what it found on stdout; the
// exit status is 0 on success, 1 when the window, dialog or control was not
// found in time, 2 on bad usage.
//
//   wait-window CLASS [MS]          wait for a top-level window, print its title
//   wait-gone CLASS [MS]            wait until no such window exists
//   title CLASS                     print the window's title
//   command CLASS ID                post WM_COMMAND ID to the window
//   wait-dialog TITLE [MS]          wait for a dialog (class #32770) by title
//                                   (TITLE ending in '*': by the start of its title)
//   dialog-gone TITLE [MS]          wait until the dialog has closed
//   get-text TITLE ID               print a dialog control's text
//   set-text TITLE ID TEXT          set a dialog control's text
//   click TITLE ID                  press a dialog button
//   checked TITLE ID                print 1 when a check box/radio is checked
//   enabled TITLE ID                print 1 when a control is enabled
//   focus TITLE                     print the id of the control with the keyboard focus
//   wheel TITLE ID DELTA            focus a dialog control and turn the wheel over it
//   message-text CAPTION [MS]       wait for a message box, print its text
//   close-message CAPTION           press the message box's first button
//   window-rect CLASS               print "left top right bottom"
//   key CLASS VK                    send a key press to the window
//   process-path CLASS              print the executable path of the window's process
//   client-rect CLASS               print the client area on the screen, "left top right bottom"
//   post CLASS MSG WPARAM LPARAM    post a message (numbers) to the window
//   hide CLASS                      hide the window from outside, as no key or click would
//   sync CLASS [MS]                 wait until the window's thread has handled what came before
//   sys-colour INDEX                print a system colour as "red green blue"
//   screenshot FILE                 save the whole screen as a 24-bit BMP file
//   mouse CLASS left|right          send a button press and release to the window

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr DWORD kDefaultWaitMs = 10000;
constexpr DWORD kPollMs = 50;

DWORD WaitArg(int argc, char** argv, int index) {
  return argc > index ? static_cast<DWORD>(std::strtoul(argv[index], nullptr, 10)) : kDefaultWaitMs;
}

template <typename Find>
HWND WaitFor(Find find, DWORD waitMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    HWND found = find();
    if (found != nullptr) return found;
    if (GetTickCount() - start >= waitMs) return nullptr;
    Sleep(kPollMs);
  }
}

std::string WindowText(HWND window) {
  char text[1024] = "";
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 5000, nullptr);
  return text;
}

// A title ending in '*' matches every dialog whose title starts with the
// rest (the Timing dialog's title carries the place).
HWND FindDialog(const char* title) {
  const size_t length = std::strlen(title);
  if (length == 0 || title[length - 1] != '*') return FindWindowA("#32770", title);
  const std::string prefix(title, length - 1);
  HWND found = nullptr;
  while ((found = FindWindowExA(nullptr, found, "#32770", nullptr)) != nullptr) {
    if (WindowText(found).compare(0, prefix.size(), prefix) == 0) return found;
  }
  return nullptr;
}

// The text of a message box is its static control 0xFFFF.
std::string MessageBoxText(HWND box) {
  HWND label = GetDlgItem(box, 0xFFFF);
  return label != nullptr ? WindowText(label) : std::string();
}

// The screen as GDI sees it, written as a bottom-up 24-bit BMP file.
bool SaveScreenshot(const char* path) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ original = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  GdiFlush();
  const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) / 4 * 4;
  const DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + imageBytes;
  bool written = false;
  if (std::FILE* out = std::fopen(path, "wb")) {
    written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
              std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
              std::fwrite(bits, 1, imageBytes, out) == imageBytes;
    written = std::fclose(out) == 0 && written;
  }
  SelectObject(memory, original);
  DeleteDC(memory);
  DeleteObject(bitmap);
  ReleaseDC(nullptr, screen);
  return written;
}

int Fail(const char* what, const char* name) {
  std::fprintf(stderr, "probe: %s '%s' not found\n", what, name);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: korvana-probe VERB ARGS...\n");
    return 2;
  }
  const std::string verb = argv[1];
  const char* name = argv[2];
  if (verb == "wait-window") {
    HWND w = WaitFor([&] { return FindWindowA(name, nullptr); }, WaitArg(argc, argv, 3));
    if (w == nullptr) return Fail("window", name);
    std::printf("%s\n", WindowText(w).c_str());
    return 0;
  }
  if (verb == "wait-gone") {
    const DWORD waitMs = WaitArg(argc, argv, 3);
    const DWORD start = GetTickCount();
    while (FindWindowA(name, nullptr) != nullptr) {
      if (GetTickCount() - start >= waitMs) return Fail("absence of window", name);
      Sleep(kPollMs);
    }
    return 0;
  }
  if (verb == "dialog-gone") {
    const DWORD waitMs = WaitArg(argc, argv, 3);
    const DWORD start = GetTickCount();
    while (FindDialog(name) != nullptr) {
      if (GetTickCount() - start >= waitMs) return Fail("absence of dialog", name);
      Sleep(kPollMs);
    }
    return 0;
  }
  if (verb == "wait-dialog" || verb == "message-text") {
    HWND d = WaitFor([&] { return FindDialog(name); }, WaitArg(argc, argv, 3));
    if (d == nullptr) return Fail("dialog", name);
    std::printf("%s\n", (verb == "wait-dialog" ? WindowText(d) : MessageBoxText(d)).c_str());
    return 0;
  }
  if (verb == "close-message") {
    HWND d = FindDialog(name);
    if (d == nullptr) return Fail("message box", name);
    for (int id : {IDOK, IDYES, IDCANCEL, IDNO}) {
      HWND button = GetDlgItem(d, id);
      if (button != nullptr) {
        PostMessageA(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        return 0;
      }
    }
    return Fail("button of", name);
  }
  if (verb == "screenshot") {
    if (!SaveScreenshot(name)) return Fail("writable file", name);
    return 0;
  }
  if (verb == "sys-colour") {
    const COLORREF colour = GetSysColor(std::atoi(name));
    std::printf("%d %d %d\n", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return 0;
  }
  HWND window = FindWindowA(name, nullptr);
  if (verb == "mouse") {
    if (window == nullptr) return Fail("window", name);
    if (argc < 4) return 2;
    const bool left = std::strcmp(argv[3], "left") == 0;
    const LPARAM where = MAKELPARAM(10, 10);
    PostMessageA(window, left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, left ? MK_LBUTTON : MK_RBUTTON,
                 where);
    PostMessageA(window, left ? WM_LBUTTONUP : WM_RBUTTONUP, 0, where);
    return 0;
  }
  if (verb == "client-rect" || verb == "post" || verb == "hide" || verb == "sync") {
    if (window == nullptr) return Fail("window", name);
    if (verb == "client-rect") {
      RECT r;
      GetClientRect(window, &r);
      POINT corner = {0, 0};
      ClientToScreen(window, &corner);
      std::printf("%ld %ld %ld %ld\n", corner.x, corner.y, corner.x + r.right,
                  corner.y + r.bottom);
      return 0;
    }
    if (verb == "hide") {
      ShowWindow(window, SW_HIDE);
      return 0;
    }
    if (verb == "sync") {
      DWORD_PTR ignored = 0;
      return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, WaitArg(argc, argv, 3),
                                 &ignored) != 0
                 ? 0
                 : Fail("answer of window", name);
    }
    if (argc < 6) return 2;
    PostMessageA(window, static_cast<UINT>(std::strtoul(argv[3], nullptr, 0)),
                 static_cast<WPARAM>(std::strtoul(argv[4], nullptr, 0)),
                 static_cast<LPARAM>(std::strtol(argv[5], nullptr, 0)));
    return 0;
  }
  if (verb == "title" || verb == "command" || verb == "window-rect" || verb == "key" ||
      verb == "process-path") {
    if (window == nullptr) return Fail("window", name);
    if (verb == "title") {
      std::printf("%s\n", WindowText(window).c_str());
      return 0;
    }
    if (verb == "process-path") {
      DWORD processId = 0;
      GetWindowThreadProcessId(window, &processId);
      HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
      if (process == nullptr) return Fail("process of window", name);
      char path[MAX_PATH] = "";
      DWORD size = sizeof path;
      const BOOL found = QueryFullProcessImageNameA(process, 0, path, &size);
      CloseHandle(process);
      if (!found) return Fail("executable of window", name);
      std::printf("%s\n", path);
      return 0;
    }
    if (argc < 4 && verb != "window-rect") return 2;
    if (verb == "command") {
      PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(std::atoi(argv[3])), 0);
      return 0;
    }
    if (verb == "key") {
      const WPARAM key = static_cast<WPARAM>(std::atoi(argv[3]));
      PostMessageA(window, WM_KEYDOWN, key, 1);
      PostMessageA(window, WM_KEYUP, key, 0xC0000001);
      return 0;
    }
    if (verb == "window-rect") {
      RECT r;
      GetWindowRect(window, &r);
      std::printf("%ld %ld %ld %ld %s\n", r.left, r.top, r.right, r.bottom,
                  IsWindowVisible(window) ? "visible" : "hidden");
      return 0;
    }
    return 2;
  }
  if (verb == "focus") {
    HWND d = FindDialog(name);
    if (d == nullptr) return Fail("dialog", name);
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(d, nullptr), &info)) return 1;
    std::printf("%d\n", info.hwndFocus != nullptr ? GetDlgCtrlID(info.hwndFocus) : 0);
    return 0;
  }
  if (argc < 4) return 2;
  HWND dialog = FindDialog(name);
  if (dialog == nullptr) return Fail("dialog", name);
  HWND control = GetDlgItem(dialog, std::atoi(argv[3]));
  if (control == nullptr) return Fail("control", argv[3]);
  if (verb == "get-text") {
    std::printf("%s\n", WindowText(control).c_str());
    return 0;
  }
  if (verb == "set-text") {
    if (argc < 5) return 2;
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]));
    return 0;
  }
  if (verb == "click") {
    PostMessageA(control, BM_CLICK, 0, 0);
    return 0;
  }
  if (verb == "checked") {
    std::printf("%d\n", SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
    return 0;
  }
  if (verb == "enabled") {
    std::printf("%d\n", IsWindowEnabled(control) ? 1 : 0);
    return 0;
  }
  if (verb == "wheel") {
    // The dialog manager moves the focus into the field, then the field gets
    // one wheel turn (positive: away from the user).
    if (argc < 5) return 2;
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    const int delta = std::atoi(argv[4]);
    // Posted: what the turn starts may open a modal window (a holy-day warning).
    PostMessageA(control, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
    return 0;
  }
  std::fprintf(stderr, "probe: unknown verb '%s'\n", verb.c_str());
  return 2;
}
