#include <windows.h>
#include <shellapi.h>

#include "platform/open_document.h"

namespace korvana {

bool OpenDocument(const std::string& path) {
  const HINSTANCE result =
      ShellExecuteA(nullptr, nullptr, path.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace korvana
