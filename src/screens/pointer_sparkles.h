// The pointer of the title screen and the quest map, and the sparkles that
// trail it.
#pragma once

// The pointer picture, drawn 6 pixels right of and below the pointer.
constexpr int kPointerImage = 9;

// The sparkle picture.
constexpr int kSparkleImage = 1002;

// Advances the screen's sparkle timer by dt ticks and adds one sparkle for
// every 2 ticks that have passed, near the pointer, drifting down.
void AddPointerSparkles(float* sparkleTimer, float dt);
