// The bandit's poses, one per drawn frame, with the cell each frame goes to.
#pragma once

#include <vector>

namespace bandit {

enum Limb { kNear = 0, kFar = 1 };
enum Sack { kNoSack = 0, kSackOnBack = 1, kSackInArms = 2 };
enum Face { kGrin = 0, kShout = 1, kStrain = 2 };

struct Pose {
  const char* what;
  int cell;           // offset from identifier 700
  double dx, dy;      // shift in pixels (dy > 0 is down)
  double lean;        // torso lean, forward > 0, degrees
  double legs[2][2];  // near, far: thigh swing (forward > 0) and knee bend (shin back < 0)
  double arms[2][2];  // near, far: upper arm from hanging down (forward > 0, 180 straight
                      // up) and elbow bend (forearm further forward > 0)
  double crook;       // the staff's direction from the hand: degrees from straight up,
                      // forward > 0; the hook is at that end
  int crookHand;      // kNear, kFar, or -1 without the crook
  int sack;           // Sack
  double headTilt;    // nose down > 0
  int face;           // Face
};

const std::vector<Pose>& Poses();

}  // namespace bandit
