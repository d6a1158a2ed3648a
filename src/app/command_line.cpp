#include "app/command_line.h"

#include <cerrno>
#include <cstdlib>

namespace {
bool ParseCount(const std::string& text, int* out) {
  if (text.empty() || text[0] < '0' || text[0] > '9') return false;
  errno = 0;
  char* end = nullptr;
  long v = std::strtol(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || v < 1 || v > 2000000000L) return false;
  *out = static_cast<int>(v);
  return true;
}
}  // namespace

bool ParseCommandLine(const std::vector<std::string>& args, CommandLine* out,
                      std::string* error) {
  *out = CommandLine();
  size_t i = 0;
  // "-w" counts only as the very first argument, exactly as written.
  if (!args.empty() && args[0] == "-w") {
    out->windowed = true;
    i = 1;
  }
  for (; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string* dest) {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        *error = "option '" + a + "' needs a value";
        return false;
      }
      *dest = args[++i];
      return true;
    };
    if (a == "--help" || a == "-h") {
      out->help = true;
    } else if (a == "--version") {
      out->version = true;
    } else if (a == "--headless") {
      out->headless = true;
    } else if (a == "--home") {
      if (!value(&out->home)) return false;
    } else if (a == "--data") {
      if (!value(&out->data)) return false;
    } else if (a == "--input") {
      if (!value(&out->inputFile)) return false;
    } else if (a == "--screenshot") {
      if (!value(&out->screenshot)) return false;
    } else if (a == "--frames") {
      std::string n;
      if (!value(&n)) return false;
      if (!ParseCount(n, &out->frames)) {
        *error = "'--frames' needs a whole number of at least 1, not '" + n + "'";
        return false;
      }
    } else if (a == "--check") {
      out->check.assign(args.begin() + static_cast<long>(i) + 1, args.end());
      if (out->check.empty()) {
        *error = "'--check' needs at least one file";
        return false;
      }
      break;
    } else if (a == "-w") {
      *error = "'-w' must be the first argument";
      return false;
    } else {
      *error = "unknown argument '" + a + "'";
      return false;
    }
  }
  return true;
}

std::string UsageText() {
  return "Usage: fleecewick [-w] [options]\n"
         "\n"
         "  -w               start in a window (only as the first argument)\n"
         "  --home DIR       keep settings, profiles and the log in DIR/Fleecewick\n"
         "                   instead of the user's data folder\n"
         "  --data DIR       read files.xml and Data/ from DIR\n"
         "  --headless       run without window or sound, on a virtual clock\n"
         "  --frames N       end after N presented frames (a normal shutdown)\n"
         "  --input FILE     scripted input, one event a line (headless or in a window)\n"
         "  --screenshot F   write the last frame as a PNG at shutdown\n"
         "  --check FILE...  check data files with the game's reader and exit\n"
         "  --help           show this text\n"
         "  --version        show the version\n";
}
