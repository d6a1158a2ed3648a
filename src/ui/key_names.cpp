#include "ui/key_names.h"

#include <array>

namespace {
constexpr int kKeyNameCount = 249;

struct Named {
  int code;
  const char* name;
};

// Every named code; the other codes from 0 to 248 have no name.
constexpr Named kNamedKeys[] = {
      {8, "Backspace"},
      {9, "Tab"},
      {12, "Clear"},
      {13, "Return"},
      {19, "Pause"},
      {20, "Caps Lock"},
      {27, "Escape"},
      {32, "Space"},
      {33, "Page Up"},
      {34, "Page Down"},
      {35, "End"},
      {36, "Home"},
      {37, "Cursor Left"},
      {38, "Cursor Up"},
      {39, "Cursor Right"},
      {40, "Cursor Down"},
      {41, "Select"},
      {42, "Print"},
      {43, "Execute"},
      {44, "Screen"},
      {45, "Insert"},
      {46, "Delete"},
      {48, "0"},
      {49, "1"},
      {50, "2"},
      {51, "3"},
      {52, "4"},
      {53, "5"},
      {54, "6"},
      {55, "7"},
      {56, "8"},
      {57, "9"},
      {65, "A"},
      {66, "B"},
      {67, "C"},
      {68, "D"},
      {69, "E"},
      {70, "F"},
      {71, "G"},
      {72, "H"},
      {73, "I"},
      {74, "J"},
      {75, "K"},
      {76, "L"},
      {77, "M"},
      {78, "N"},
      {79, "O"},
      {80, "P"},
      {81, "Q"},
      {82, "R"},
      {83, "S"},
      {84, "T"},
      {85, "U"},
      {86, "V"},
      {87, "W"},
      {88, "X"},
      {89, "Y"},
      {90, "Z"},
      {91, "Sys Key Left"},
      {92, "Sys Key Right"},
      {96, "Numpad 0"},
      {97, "Numpad 1"},
      {98, "Numpad 2"},
      {99, "Numpad 3"},
      {100, "Numpad 4"},
      {101, "Numpad 5"},
      {102, "Numpad 6"},
      {103, "Numpad 7"},
      {104, "Numpad 8"},
      {105, "Numpad 9"},
      {106, "Numpad *"},
      {107, "Numpad +"},
      {109, "Numpad -"},
      {110, "Numpad ,"},
      {111, "Numpad /"},
      {112, "F1"},
      {113, "F2"},
      {114, "F3"},
      {115, "F4"},
      {116, "F5"},
      {117, "F6"},
      {118, "F7"},
      {119, "F8"},
      {120, "F9"},
      {121, "F10"},
      {122, "F11"},
      {123, "F12"},
      {144, "Num Lock"},
      {145, "Scroll Lock"},
      {160, "Left Shift"},
      {161, "Right Shift"},
      {162, "Left Ctrl"},
      {163, "Right Ctrl"},
      {164, "Left Alt"},
      {165, "Alt Gr"},
      {186, ";"},
      {187, "="},
      {188, ","},
      {189, "-"},
      {190, "."},
      {191, "/"},
      {192, "Tilde"},
      {219, "["},
      {221, "]"},
      {222, "\""},
      {226, "\\"},
};

const std::array<const char*, kKeyNameCount>& Table() {
  static const std::array<const char*, kKeyNameCount> table = [] {
    std::array<const char*, kKeyNameCount> t{};
    t.fill("");
    for (const Named& n : kNamedKeys) t[n.code] = n.name;
    return t;
  }();
  return table;
}
}  // namespace

std::string KeyName(int code) {
  if (code < 0 || code >= kKeyNameCount || Table()[code][0] == '\0') return "(Undefined key name)";
  return Table()[code];
}
