// Drawing helpers shared by the scenery, interface, title and quest-map
// generators: lettering in the game's display face, bumpy organic outlines,
// stars, soft ground shadows and saving into the data folder.
#pragma once

#include <string>

#include "art_common/art.h"

namespace world {

using art::Rgb;

// Loads the lettering face once; exits with a message when the font file is
// missing, so that a build never silently letters in another face.
void SetLetteringFont(cairo_t* cr, double size);

// Lettering centred on (cx, cy): an outline `outlineWidth` wide in `outline`,
// then the fill.  Uses the lettering face at `size` pixels.
void LetterCentred(cairo_t* cr, const std::string& text, double cx, double cy, double size,
                   Rgb fill, Rgb outline, double outlineWidth);

// A closed, bumpy round path (crowns, bushes, clouds): `lobes` bulges around
// an ellipse, each bulge `bump` times the radius deep, jittered by `rng`.
void BumpyBlob(cairo_t* cr, double cx, double cy, double rx, double ry, int lobes, double bump,
               art::Rng& rng);

// A closed smooth blob through `points` jittered radii: organic patches.
void WobblyPatch(cairo_t* cr, double cx, double cy, double rx, double ry, double wobble,
                 art::Rng& rng, int points = 14);

// A star path with `points` tips.
void StarPath(cairo_t* cr, double cx, double cy, double outer, double inner, int points,
              double rotation = 0);

// A soft elliptic shadow of `alpha` at its middle, fading to nothing.
void SoftShadow(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha);

// A filled ellipse with a soft radial falloff: a glow or a puff.
void SoftDisc(cairo_t* cr, double cx, double cy, double r, Rgb colour, double alpha);

// Writes `picture` to `dataDir`/`relative` (forward slashes); exits on failure.
void SaveOrDie(const art::Picture& picture, const std::string& dataDir,
               const std::string& relative);
void SaveOrDie(const art::Strip& strip, const std::string& dataDir, const std::string& relative);

// Applies a grey level to every pixel of the picture, keeping `keep` of the
// colour (0 = full grey), and multiplies by `level` (1 = unchanged).
void Desaturate(art::Picture& picture, double keep, double level);

}  // namespace world
