#include <ostream>

#include "cli/commands.h"
#include "cli/graphics_cli.h"
#include "graphics/picture.h"

namespace korvana::cli {

int RunRenderCommand(const Args& args, std::ostream& out, std::ostream& err) {
  GraphicsArgs parsed;
  if (!ParseGraphicsArgs("render", args, false, &parsed, err)) return 2;
  int kind = kNoPicture;
  if (parsed.kind == "moon") kind = kMoonPicture;
  if (parsed.kind == "earth") kind = kEarthPicture;
  if (parsed.kind == "globe") kind = kGlobePicture;
  if (kind == kNoPicture) {
    err << "korvana-cli render: unknown picture '" << parsed.kind << "' (moon, earth or globe)\n";
    return 2;
  }
  AstroState state = StateForOptions(parsed.options);
  const std::vector<uint8_t> bytes =
      BuildPicture(kind, state, parsed.options.latitude.value_or(0), nullptr, nullptr);
  if (!WriteOutputFile("render", parsed.outPath, bytes, err)) return 1;
  out << parsed.outPath << "\n";
  return 0;
}

}  // namespace korvana::cli
