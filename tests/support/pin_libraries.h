// The GL driver is unloaded again when its last window goes; keeping every
// loaded library loaded until exit lets the leak checker see the driver's own
// allocations as still reachable instead of reporting them as ours.
#pragma once

void PinLoadedLibraries();
