// Physical keys to the game's key codes (the Windows virtual-key numbering the
// bindings and the key-name table use).  Keys map by position, so bindings
// follow the physical layout whatever the keyboard language.
#pragma once

#include <SDL.h>

// 0 for keys the game has no code for.
int VirtualKeyFromScancode(SDL_Scancode scancode);
