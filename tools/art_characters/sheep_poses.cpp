// The sheep's pose table.  Every row is one drawn frame; angles in degrees.
// Legs: near front, far front, near back, far back, each {swing, knee}.
#include "art_characters/sheep_poses.h"

namespace sheep {

namespace {

// Frequently used leg sets.
#define STAND {{2, 0}, {-3, 0}, {-2, 0}, {3, 0}}
#define FOLDED {{80, -165}, {75, -160}, {-85, 165}, {-80, 160}}
#define CROUCH {{25, -50}, {20, -45}, {-25, 50}, {-20, 45}}

// clang-format off
const std::vector<Group> kGroups = {
  {"walk (frame 0 is also standing)", {
    // what            yaw  dx  dy    tilt hF  hU  pitch  legs                                         mouth eyes marks shake
    {"stand / pass",     0, 0,  0,    0,   0,  0,  0,    STAND,                                        0, 0, 0, 0},
    {"stride A",         0, 0,  0.6,  0,   0, -0.5, 3,   {{22, -4}, {-20, 0}, {-20, 0}, {22, -4}},     0, 0, 0, 0},
    {"pass B",           0, 0, -0.8,  0,   0,  0.5, -2,  {{-2, 0}, {6, -40}, {8, -40}, {-2, 0}},       0, 0, 0, 0},
    {"stride B",         0, 0,  0.6,  0,   0, -0.5, 3,   {{-20, 0}, {22, -4}, {22, -4}, {-20, 0}},     0, 0, 0, 0},
  }, {0, 1, 2, 3}, {0, 1, 2, 3}},

  {"grazing: head down, nibble, chew, head up", {
    {"head going down",  0, 0,  0,   -2,   2, -10, 34,   STAND,                                        0, 0, 0, 0},
    {"nibbling",         0, 0,  0.5, -4,   5, -24, 42,   {{8, 0}, {4, 0}, {-2, 0}, {3, 0}},            1, 1, 0, 0},
    {"chewing, head down",0,0,  0.5, -4,   5, -23, 36,   {{8, 0}, {4, 0}, {-2, 0}, {3, 0}},            1, 0, 0, 0},
    {"nibbling again",   0, 0,  0.5, -4,   6, -25, 46,   {{8, 0}, {4, 0}, {-2, 0}, {3, 0}},            1, 1, 0, 0},
    {"head rising, grass",0,0,  0,   -2,   2, -11, 36,   STAND,                                        1, 0, kGrassInMouth, 0},
    {"chewing, head up", 0, 0,  0,    0,   0, -1,  8,    STAND,                                        1, 1, kGrassInMouth, 0},
    {"head up, content", 0, 0,  0,    1,   0,  1, -4,    STAND,                                        0, 0, 0, 0},
  }, {4, 5, 6, 7, 14, 15, 16}, {4, 5, 6, 7, 16, 17, 18}},

  {"turn through the front view (starts facing left, ends facing right)", {
    {"facing left",    180, 0,  0,    0,   0,  0,  0,    STAND,                                        0, 0, 0, 0},
    {"left, towards",  135, 0,  0,    0,   0,  0,  0,    {{6, 0}, {-4, 0}, {-6, 0}, {4, 0}},           0, 0, 0, 0},
    {"front",           90, 0,  0,    0,   0,  0,  0,    STAND,                                        0, 0, 0, 0},
    {"right, towards",  45, 0,  0,    0,   0,  0,  0,    {{6, 0}, {-4, 0}, {-6, 0}, {4, 0}},           0, 0, 0, 0},
    {"facing right",     0, 0,  0,    0,   0,  0,  0,    STAND,                                        0, 0, 0, 0},
  }, {31, 30, 23, 22, 21}, {37, 36, 27, 26, 25}},

  {"turn through the back view", {
    {"facing left",    180, 0,  0,    0,   0,  0,  0,    STAND,                                        0, 0, 0, 0},
    {"left, away",     225, 0,  0,    0,   0,  0,  0,    {{6, 0}, {-4, 0}, {-6, 0}, {4, 0}},           0, 0, 0, 0},
    {"back",           270, 0,  0,    0,   0,  0,  0,    STAND,                                        0, 0, 0, 0},
    {"right, away",    315, 0,  0,    0,   0,  0,  0,    {{6, 0}, {-4, 0}, {-6, 0}, {4, 0}},           0, 0, 0, 0},
    {"facing right",   360, 0,  0,    0,   0,  0,  0,    STAND,                                        0, 0, 0, 0},
  }, {35, 34, 27, 26, 25}, {41, 40, 31, 30, 29}},

  {"lying down, then resting", {
    {"kneeling",         0, 0,  5,   -12,  0, -3,  10,   {{80, -165}, {75, -160}, {-6, 10}, {4, 10}},  0, 0, 0, 0},
    {"rear going down",  0, 0,  9,   -3,   0, -3,  5,    {{80, -165}, {75, -160}, {-60, 120}, {-55, 115}}, 0, 0, 0, 0},
    {"lying",            0, 0, 11,    0,   0, -2,  0,    FOLDED,                                       0, 0, 0, 0},
    {"lying, settling",  0, 0, 11,    0,   1, -4,  8,    FOLDED,                                       1, 0, 0, 0},
    {"dozing off",       0, 0, 11,    0,   1, -6,  16,   FOLDED,                                       0, 1, 0, 0},
    {"asleep",           0, 0, 11,    0,   1, -8,  22,   FOLDED,                                       0, 1, kDozing, 0},
    {"asleep, breath in",0, 0, 10.4,  0,   1, -7.5, 20,  FOLDED,                                       0, 1, kDozing, 0.4},
    {"asleep, breath out",0,0, 11,    0,   1, -8,  22,   FOLDED,                                       0, 1, 0, 0},
  }, {60, 61, 62, 63, 70, 71, 72, 73}, {72, 73, 74, 75, 84, 85, 86, 87}},

  {"shaking the fleece, then scratching with a hind leg", {
    {"shake left",       0, -1, 0,    5,   0,  0, -12,   STAND,                                        0, 1, kShakeLines, 1.4},
    {"shake right",      0, 1,  0,   -5,   0,  0,  12,   STAND,                                        0, 1, kShakeLines, 1.4},
    {"shake left",       0, -1, 0,    4,   0,  0, -10,   STAND,                                        0, 1, kShakeLines, 1.2},
    {"shake right",      0, 1,  0,   -4,   0,  0,  10,   STAND,                                        0, 1, kShakeLines, 1.2},
    {"hind leg up",      0, 0,  0,   -3,  -2, -3,  25,   {{4, 0}, {-2, 0}, {55, -70}, {4, 0}},         0, 1, 0, 0},
    {"scratching",       0, 0,  0,   -3,  -2, -3,  25,   {{4, 0}, {-2, 0}, {70, -95}, {4, 0}},         0, 1, kKickLines, 0.3},
    {"scratching",       0, 0,  0,   -3,  -2, -3,  25,   {{4, 0}, {-2, 0}, {60, -80}, {4, 0}},         0, 1, kKickLines, 0},
    {"done",             0, 0,  0,    0,   0,  0,  0,    STAND,                                        0, 0, 0, 0},
  }, {64, 65, 66, 67, 74, 75, 76, 77}, {76, 77, 78, 79, 88, 89, 90, 91}},

  {"struggling as if held from above (the last two loop while carried)", {
    {"grabbed",          0, 0, -3,    6,   0,  2, -18,   {{25, -20}, {10, -10}, {-30, 20}, {-12, 10}},  2, 2, kKickLines, 0},
    {"kicking",          0, 0, -3,   -4,   0,  1, -12,   {{-10, 30}, {30, -35}, {15, -25}, {-35, 20}},  2, 2, kKickLines, 0.3},
    {"dangling, kick",   0, 0, -4,    3,   0,  2, -20,   {{30, -30}, {-5, 10}, {-40, 30}, {10, -20}},   2, 2, kKickLines, 0},
    {"dangling, kick",   0, 0, -4,   -2,   0,  1, -14,   {{-5, 15}, {25, -25}, {10, -15}, {-30, 25}},   0, 2, kKickLines, 0.3},
  }, {54, 55, 56, 57}, {64, 65, 66, 67}},

  {"jump: crouch, leap, stretched, land", {
    {"crouch",           0, 0,  4,   -4,   0, -2,  8,    CROUCH,                                       0, 0, 0, 0},
    {"take off",         0, 0, -3,   16,   0,  1, -8,    {{60, -110}, {55, -100}, {-35, -5}, {-45, -5}}, 0, 0, 0, 0},
    {"stretched",        0, 0, -9,    6,   0,  1, -4,    {{70, -15}, {62, -20}, {-70, 10}, {-62, 10}},   0, 0, 0, 0},
    {"top, tucked",      0, 0, -11,   0,   0,  0,  0,    {{55, -110}, {50, -100}, {-50, 100}, {-45, 95}}, 0, 0, 0, 0},
    {"coming down",      0, 0, -8,   -9,   0,  0,  6,    {{30, -5}, {22, -5}, {-55, 30}, {-50, 30}},   0, 0, 0, 0},
    {"front feet land",  0, 0, -2,  -12,   0, -1,  8,    {{8, 0}, {2, 0}, {-45, -30}, {-40, -30}},     0, 0, 0, 0},
    {"landing crouch",   0, 0,  3,   -2,   0, -2,  6,    CROUCH,                                       0, 0, 0, 0},
    {"standing again",   0, 0,  0,    0,   0,  0,  0,    STAND,                                        0, 0, 0, 0},
  }, {80, 81, 82, 83, 90, 91, 92, 93}, {96, 97, 98, 99, 108, 109, 110, 111}},
};
// clang-format on

#undef STAND
#undef FOLDED
#undef CROUCH

}  // namespace

const std::vector<Group>& Groups() { return kGroups; }

}  // namespace sheep
