// The sparkles that trail the pointer on the title screen and the quest map.
#pragma once

// The sparkle picture.
constexpr int kSparkleImage = 1002;

// Advances the screen's sparkle timer by dt ticks and adds one sparkle for
// every 2 ticks that have passed, near the pointer, drifting down.
void AddPointerSparkles(float* sparkleTimer, float dt);
