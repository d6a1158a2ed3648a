// The dog's and the wolf's pose tables.  One row per drawn frame, angles in
// degrees; legs: near front, far front, near back, far back, each {swing, knee}.
#include "art_characters/canine_poses.h"

namespace canine {

namespace {

#define STANCE {{3, 0}, {-3, 0}, {-6, 10}, {-2, 8}}
#define STEP {{10, -15}, {-8, 0}, {-12, 12}, {4, -10}}
// A galloping stride in four frames: legs gathered under the body, pushing
// off, stretched out in flight, front feet landing.
#define GATHERED {{-30, 40}, {-22, 35}, {40, -35}, {32, -30}}
#define PUSH {{40, -50}, {30, -40}, {-40, 10}, {-32, 8}}
#define FLIGHT {{58, -12}, {50, -10}, {-58, 18}, {-50, 15}}
#define LANDING {{8, 0}, {-14, 5}, {18, -50}, {10, -40}}

// clang-format off
const std::vector<Pose> kDog = {
  // what              cell yaw  dx dy  tilt stretch hF  hU  pitch legs      tail curl mouth eyes marks phase
  {"standing alert",     25,  0, 0, 0,   0,  0,    0,  0,  0,   STANCE,    28,  8,  0,   kEyesOpen, 0, 0},
  {"bark: mouth opens",  24,  0, 0, 0,   2,  0,    0,  1, -10,  STANCE,    32,  8,  0.45, kEyesOpen, 0, 0},
  {"bark: wide open",    31,  0, 0, 0,   3,  0,    1,  1.5, -20, STANCE,   36,  8,  1.0, kEyesOpen, 0, 0},
  {"bark: closing",      30,  0, 0, 0,   1,  0,    0,  0.5, -4, STANCE,    30,  8,  0.35, kEyesOpen, 0, 0},

  {"gallop: gathered",    7,  0, 0, -2,  0, -1,    0, -1,  4,   GATHERED,  12,  4,  0.3, kEyesOpen, kTongue, 0},
  {"gallop: push off",    6,  0, 0, -1,  6, -0.2,  0,  0,  0,   PUSH,      14,  4,  0.3, kEyesOpen, kTongue, 0},
  {"gallop: stretched",   1,  0, 0, -3,  0,  1,    1, -1,  6,   FLIGHT,    10,  3,  0.3, kEyesOpen, kTongue, 0},
  {"gallop: landing",     0,  0, 0,  0, -6,  0,    0, -1,  6,   LANDING,   16,  4,  0.3, kEyesOpen, kTongue, 0},

  {"turn via front: facing left", 12, 180, 0, 0, 0, 0, 0, 0, 0, STANCE,   28,  8,  0,   kEyesOpen, 0, 0},
  {"turn via front",     13, 135, 0, 0,  0,  0,    0,  0,  0,   STEP,      28,  8,  0,   kEyesOpen, 0, 0},
  {"turn via front: front", 14, 90, 0, 0, 0, 0,    0,  0,  0,   STANCE,    28,  8,  0,   kEyesOpen, 0, 0},
  {"turn via front",     15,  45, 0, 0,  0,  0,    0,  0,  0,   STEP,      28,  8,  0,   kEyesOpen, 0, 0},
  {"turn via front: facing right", 16, 0, 0, 0, 0, 0, 0, 0, 0,  STANCE,    28,  8,  0,   kEyesOpen, 0, 0},

  {"turn via back: facing left", 22, 180, 0, 0, 0, 0, 0, 0, 0,  STANCE,    28,  8,  0,   kEyesOpen, 0, 0},
  {"turn via back",      21, 225, 0, 0,  0,  0,    0,  0,  0,   STEP,      32,  8,  0,   kEyesOpen, 0, 0},
  {"turn via back: back", 20, 270, 0, 0, 0,  0,    0,  0,  0,   STANCE,    36,  8,  0,   kEyesOpen, 0, 0},
  {"turn via back",      19, 315, 0, 0,  0,  0,    0,  0,  0,   STEP,      32,  8,  0,   kEyesOpen, 0, 0},
  {"turn via back: facing right", 18, 360, 0, 0, 0, 0, 0, 0, 0, STANCE,    28,  8,  0,   kEyesOpen, 0, 0},

  {"fidget: tail wags up",  3, 0, 0, 0,   1,  0,    0,  0, -4,   STANCE,    50, 12,  0.3, kEyesOpen, kTongue, 0},
  {"fidget: tail wags down", 2, 0, 0, 0,  1,  0,    0,  0, -2,   STANCE,    12, -4,  0.3, kEyesHalf, kTongue, 0},
  {"fidget: sniffing",      9, 0, 0, 0,  -4,  0,    0, -15, 55,  {{12, 0}, {4, 0}, {-6, 10}, {-2, 8}}, 24, 8, 0, kEyesOpen, kSniffLines, 0},
  {"fidget: scratching",    8, 0, 0, 0,  -3,  0,   -1, -2, 18,   {{3, 0}, {-3, 0}, {62, -95}, {-2, 8}}, 20, 6, 0.2, kEyesShut, kScratchLines, 0},
};

const std::vector<Pose> kWolf = {
  // what              cell yaw  dx dy  tilt stretch hF  hU  pitch legs      tail curl mouth eyes marks phase
  {"standing",            4,  0, 0, 0,   0,  0,    0,  0,  8,   STANCE,   -30, -5,  0,   kEyesOpen, 0, 0},

  {"gallop: gathered",    8,  0, 0, -2,  0, -1,    0, -1,  8,   GATHERED, -12, -2,  0.35, kEyesOpen, kTongue, 0},
  {"gallop: push off",    7,  0, 0, -1,  6, -0.2,  0,  0,  4,   PUSH,      -8, -2,  0.35, kEyesOpen, kTongue, 0},
  {"gallop: stretched",   3,  0, 0, -3,  0,  1,    1, -1,  8,   FLIGHT,    -6, -1,  0.35, kEyesOpen, kTongue, 0},
  {"gallop: landing",     2,  0, 0,  0, -6,  0,    0, -1, 10,   LANDING,  -14, -2,  0.35, kEyesOpen, kTongue, 0},

  {"turn via front: facing left", 10, 180, 0, 0, 0, 0, 0, 0, 8, STANCE,   -30, -5,  0,   kEyesOpen, 0, 0},
  {"turn via front",     11, 135, 0, 0,  0,  0,    0,  0,  8,   STEP,     -30, -5,  0,   kEyesOpen, 0, 0},
  {"turn via front: front", 12, 90, 0, 0, 0, 0,    0,  0,  8,   STANCE,   -30, -5,  0,   kEyesOpen, 0, 0},
  {"turn via front",     13,  45, 0, 0,  0,  0,    0,  0,  8,   STEP,     -30, -5,  0,   kEyesOpen, 0, 0},
  {"turn via front: facing right", 14, 0, 0, 0, 0, 0, 0, 0, 8,  STANCE,   -30, -5,  0,   kEyesOpen, 0, 0},

  {"turn via back: facing left", 19, 180, 0, 0, 0, 0, 0, 0, 8,  STANCE,   -30, -5,  0,   kEyesOpen, 0, 0},
  {"turn via back",      18, 225, 0, 0,  0,  0,    0,  0,  8,   STEP,     -28, -4,  0,   kEyesOpen, 0, 0},
  {"turn via back: back", 17, 270, 0, 0, 0,  0,    0,  0,  8,   STANCE,   -25, -3,  0,   kEyesOpen, 0, 0},
  {"turn via back",      16, 315, 0, 0,  0,  0,    0,  0,  8,   STEP,     -28, -4,  0,   kEyesOpen, 0, 0},
  {"turn via back: facing right", 15, 360, 0, 0, 0, 0, 0, 0, 8, STANCE,   -30, -5,  0,   kEyesOpen, 0, 0},

  {"call: head rising",   1,  0, 0, 0,   4,  0,   -1,  1.5, -30,  STANCE,   -30, -5,  0.1, kEyesOpen, 0, 0},
  {"call: head up",       0,  0, 0, 0,   7,  0,   -3,  3, -52,  STANCE,   -30, -5,  0.2, kEyesHalf, 0, 0},
  {"call: howling",       5,  0, 0, 0,   8,  0,   -3,  2.5, -58,  STANCE,   -30, -5,  0.75, kEyesShut, kCallLines, 0},
  {"call: howling on",    6,  0, 0, 0,   8,  0,   -3,  3, -62, STANCE,  -30, -5,  0.95, kEyesShut, kCallLines, 0.5},

  {"stunned: reeling",   24,  0, -1, 0,  4,  0,    0, -1, 12,   {{12, 0}, {-8, 0}, {-14, 10}, {6, 8}},  -40, -6, 0.3, kEyesDizzy, kStars | kTongue, 0},
  {"stunned: swaying",   23,  0, 1, 0,  -4,  0,    0, -2, 18,   {{-6, 0}, {10, 0}, {2, 10}, {-12, 8}},  -42, -6, 0.3, kEyesDizzy, kStars | kTongue, 0.33},
  {"stunned: dazed",     29,  0, 0, 2,  -8,  0,    1, -5, 28,   {{22, 0}, {-16, 0}, {-26, 6}, {16, 4}}, -45, -6, 0.4, kEyesDizzy, kStars | kTongue, 0.66},
};
// clang-format on

#undef STANCE
#undef STEP
#undef GATHERED
#undef PUSH
#undef FLIGHT
#undef LANDING

}  // namespace

const std::vector<Pose>& DogPoses() { return kDog; }
const std::vector<Pose>& WolfPoses() { return kWolf; }

}  // namespace canine
