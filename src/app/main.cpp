#include <string>
#include <vector>

#include "app/main_loop.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return RunGame(args);
}
