// The bandit's pose table.  One row per drawn frame; angles in degrees.
// The walk and the run are eight-phase cycles: thighs swing as sin(phase),
// the swinging leg's knee bends while it comes forward.
#include "art_characters/bandit_poses.h"

namespace bandit {

namespace {

// clang-format off
const std::vector<Pose> kPoses = {
  // what               cell  dx  dy    lean  legs: near, far                arms: near, far               crook hand  sack          tilt face
  {"standing",             4, 0,  0,     3,  {{5, -3}, {-5, -2}},            {{55, 40}, {-16, 20}},        12,  kNear, kNoSack,       0, kGrin},

  {"walk 0",              12, 0, -0.6,   5,  {{0, -40}, {0, -5}},            {{30, 40}, {0, 20}},           5,  kNear, kNoSack,       0, kGrin},
  {"walk 1",              13, 0, -0.25,  5,  {{14, -30}, {-14, -5}},         {{23, 40}, {11, 20}},          0,  kNear, kNoSack,       0, kGrin},
  {"walk 2",              14, 0,  0.6,   5,  {{20, -5}, {-20, -5}},          {{20, 40}, {15, 20}},         -3,  kNear, kNoSack,       0, kGrin},
  {"walk 3",              15, 0, -0.25,  5,  {{14, -5}, {-14, -30}},         {{23, 40}, {11, 20}},          0,  kNear, kNoSack,       0, kGrin},
  {"walk 4",              18, 0, -0.6,   5,  {{0, -5}, {0, -40}},            {{30, 40}, {0, 20}},           5,  kNear, kNoSack,       0, kGrin},
  {"walk 5",              19, 0, -0.25,  5,  {{-14, -5}, {14, -30}},         {{37, 40}, {-11, 20}},        10,  kNear, kNoSack,       0, kGrin},
  {"walk 6",              20, 0,  0.6,   5,  {{-20, -5}, {20, -5}},          {{40, 40}, {-15, 20}},        13,  kNear, kNoSack,       0, kGrin},
  {"walk 7",              21, 0, -0.25,  5,  {{-14, -30}, {14, -5}},         {{37, 40}, {-11, 20}},        10,  kNear, kNoSack,       0, kGrin},

  {"swing: wind-up",       0, 0,  0,    -3,  {{12, -5}, {-12, -4}},          {{110, 30}, {104, 35}},      -50,  kNear, kNoSack,       0, kGrin},
  {"swing: wound up",      1, 0,  0,    -8,  {{15, -5}, {-15, -5}},          {{172, 20}, {165, 20}},      -85,  kNear, kNoSack,      -5, kGrin},
  {"swing: overhead",      2, 0,  0,    -4,  {{15, -5}, {-15, -5}},          {{145, -10}, {141, -10}},    -45,  kNear, kNoSack,      -4, kShout},
  {"swing: strike",        3, 0,  0,     8,  {{20, -8}, {-16, -5}},          {{122, 0}, {118, 0}},         40,  kNear, kNoSack,       0, kShout},
  {"swing: blow",          6, 1,  0.5,  16,  {{24, -10}, {-20, -5}},         {{78, 0}, {74, 0}},          100,  kNear, kNoSack,       4, kShout},
  {"swing: follow-through", 7, 1, 1,    18,  {{26, -12}, {-20, -5}},         {{38, 10}, {34, 10}},        150,  kNear, kNoSack,       6, kGrin},

  {"grab: bending",        8, 0,  1.5,  30,  {{25, -35}, {5, -25}},          {{50, 10}, {40, 10}},         40,  kFar,  kNoSack,      10, kGrin},
  {"grab: reaching down",  9, 0,  3,    52,  {{32, -55}, {10, -40}},         {{18, 5}, {12, 5}},           60,  kFar,  kNoSack,      16, kStrain},
  {"grab: lifting",       10, 0,  1,    18,  {{15, -25}, {0, -15}},          {{62, 40}, {56, 40}},         60,  kFar,  kSackInArms,   0, kStrain},
  {"grab: onto the back", 11, 0,  0,     6,  {{6, -4}, {-6, -3}},            {{22, 150}, {-10, 20}},       60,  kFar,  kSackOnBack,  -3, kGrin},

  {"loot run 0",          24, 0, -1.2,  12,  {{0, -70}, {0, -10}},           {{22, 150}, {-20, 35}},       65,  kFar,  kSackOnBack,   0, kGrin},
  {"loot run 1",          25, 0, -0.55, 12,  {{23, -52}, {-23, -10}},        {{22, 150}, {-9, 35}},        70,  kFar,  kSackOnBack,   0, kGrin},
  {"loot run 2",          26, 0,  1.0,  12,  {{32, -10}, {-32, -10}},        {{20, 150}, {-5, 35}},        72,  kFar,  kSackOnBack,   0, kGrin},
  {"loot run 3",          27, 0, -0.55, 12,  {{23, -10}, {-23, -52}},        {{22, 150}, {-9, 35}},        70,  kFar,  kSackOnBack,   0, kGrin},
  {"loot run 4",          30, 0, -1.2,  12,  {{0, -10}, {0, -70}},           {{24, 150}, {-20, 35}},       65,  kFar,  kSackOnBack,   0, kGrin},
  {"loot run 5",          31, 0, -0.55, 12,  {{-23, -10}, {23, -52}},        {{22, 150}, {-31, 35}},       60,  kFar,  kSackOnBack,   0, kGrin},
  {"loot run 6",          32, 0,  1.0,  12,  {{-32, -10}, {32, -10}},        {{20, 150}, {-35, 35}},       58,  kFar,  kSackOnBack,   0, kGrin},
  {"loot run 7",          33, 0, -0.55, 12,  {{-23, -52}, {23, -10}},        {{22, 150}, {-31, 35}},       60,  kFar,  kSackOnBack,   0, kGrin},
};
// clang-format on

}  // namespace

const std::vector<Pose>& Poses() { return kPoses; }

}  // namespace bandit
