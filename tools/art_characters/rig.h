// Parts shared by the character drawings: a small 3D projection for the high
// three-quarter view, outlined blobs made of ellipses, limbs and wool clouds.
#pragma once

#include "art_common/art.h"

#include <vector>

namespace rig {

// Screen position of a point of a character's body, and its depth (larger is
// nearer the viewer: drawn later).
struct Pt {
  double x = 0, y = 0, depth = 0;
};

// A point given in the character's own frame (f forward, s towards the viewer
// when facing right, u up from the ground) seen from the high view with the
// character turned `yawDeg` from facing right (90 looks at the viewer, 270
// away).  The ground tilts by `kHighView`: nearer points sit lower.
constexpr double kHighView = 0.32;
Pt Project(double yawDeg, double f, double s, double u);

// One ellipse of a blob, rotated by `angleDeg`.
struct Oval {
  double x, y, rx, ry, angleDeg = 0;
};
// Adds the ovals to the path.
void AddOvals(cairo_t* cr, const std::vector<Oval>& ovals);
// Draws the union of the ovals with one outline around the outside only: the
// outline is stroked at twice its width first and the fill covers its inner
// half.  The fill is shaded from the top left about (lx, ly, radius).
void Blob(cairo_t* cr, const std::vector<Oval>& ovals, art::Rgb fill, double lx, double ly,
          double radius, double outline = 1.4);
// Same, flat fill with no shading.
void FlatBlob(cairo_t* cr, const std::vector<Oval>& ovals, art::Rgb fill, double outline = 1.4);

// A limb along the points, wide `w0` at the first and `w1` at the last, with a
// darker outline; round ends.
void Limb(cairo_t* cr, const std::vector<Pt>& points, double w0, double w1, art::Rgb fill,
          double outline = 1.2);

// A wool cloud: puffs round an ellipse, outlined outside only, shaded from
// the top left, with a few curls.  `seed` fixes the puffs' small wobble so
// every frame of one sheep has the same fleece; `jitter` shakes it.
void WoolCloud(cairo_t* cr, double cx, double cy, double rx, double ry, double puff,
               art::Rgb wool, int seed, double jitter = 0);

// A four-pointed star (the dizzy stars of a stunned wolf).
void Star(cairo_t* cr, double x, double y, double r, art::Rgb fill);

// Outline colour for a fill: a darker shade, kept soft on dark fills.
art::Rgb OutlineOf(art::Rgb fill);

double Rad(double deg);

}  // namespace rig
