// The sheep's poses, one per drawn frame, and which cell each breed puts them in.
#pragma once

#include <vector>

namespace sheep {

// Leg order in `legs`: near front, far front, near back, far back.
enum Leg { kNearFront, kFarFront, kNearBack, kFarBack };

// Extra marks drawn on a frame.
enum Marks {
  kNoMarks = 0,
  kGrassInMouth = 1,  // a tuft of grass hanging from the mouth
  kShakeLines = 2,    // short arcs beside the fleece: shaking
  kKickLines = 4,     // strokes by the legs: kicking
  kDozing = 8,        // a small "z" over the head
};

struct Pose {
  const char* what;
  double yaw;           // degrees from facing right: 90 faces the viewer, 270 away
  double dx, dy;        // shift of the whole sheep in pixels (dy > 0 is down)
  double tilt;          // body pitch in degrees, nose up > 0
  double headF, headU;  // head moved forward and up from its resting place
  double headPitch;     // degrees, nose down > 0
  // Per leg: the upper leg's swing from hanging straight down (forward > 0)
  // and the bend at the knee (the lower leg's extra swing).
  double legs[4][2];
  int mouth;            // 0 shut, 1 chewing, 2 bleating (open)
  int eyes;             // 0 open, 1 shut, 2 wide (alarm)
  int marks;            // Marks
  double shake;         // wobble of the fleece in pixels
};

// One animation's frames, with their cells for each breed (offsets from the
// breed's first identifier, in the order the frames are drawn in `poses`).
struct Group {
  const char* what;
  std::vector<Pose> poses;
  std::vector<int> cells100;  // also breed 800 (the same layout)
  std::vector<int> cells500;
};

const std::vector<Group>& Groups();

}  // namespace sheep
