// The dog's and the wolf's poses, one per drawn frame, with the cell each
// frame goes to.
#pragma once

#include <vector>

namespace canine {

// Leg order in `legs`: near front, far front, near back, far back.
enum Leg { kNearFront, kFarFront, kNearBack, kFarBack };

enum Eyes { kEyesOpen = 0, kEyesShut = 1, kEyesDizzy = 2, kEyesHalf = 3 };

// Extra marks drawn on a frame.
enum Marks {
  kNoMarks = 0,
  kStars = 1,       // dizzy stars circling over the head
  kSniffLines = 2,  // little puffs at the nose
  kScratchLines = 4,
  kCallLines = 8,   // arcs rising from the open mouth
  kTongue = 16,     // tongue hanging out
};

struct Pose {
  const char* what;
  int cell;             // offset from the strip's first identifier
  double yaw;           // degrees from facing right: 90 faces the viewer, 270 away
  double dx, dy;        // shift in pixels (dy > 0 is down)
  double tilt;          // body pitch, nose up > 0
  double stretch;       // body length: -1 gathered, 0 normal, 1 stretched
  double headF, headU;  // head moved forward and up from its usual place
  double headPitch;     // nose down > 0
  double legs[4][2];    // per leg: upper swing (forward > 0) and knee bend
  double tail;          // tail angle above straight back, degrees
  double tailCurl;      // curl of the tail, degrees per segment (up > 0)
  double mouth;         // 0 shut to 1 wide open
  int eyes;             // Eyes
  int marks;            // Marks
  double phase;         // turns the stars
};

const std::vector<Pose>& DogPoses();
const std::vector<Pose>& WolfPoses();

}  // namespace canine
