// Draws the sheep from parts (fleece, head, legs, tail) placed by the pose
// table, for each breed's colours and build.
#include "art_characters/sheep_art.h"

#include "art_characters/rig.h"
#include "art_characters/sheep_poses.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace sheep {

namespace {

using art::Hex;
using art::Rgb;
using rig::Oval;
using rig::Pt;

// A breed's look and build.  Lengths are pixels at the breed's size.
struct Look {
  Rgb wool, face, legs, horn;
  double bodyL, bodyW, bodyR, bodyU;  // fleece half-length, half-width, half-height, centre height
  double puff;                        // fleece puff radius
  double legLen;                      // hip to hoof, straight
  double head;                        // head size factor
  bool topknot;                       // wool on the crown
  bool horns;                         // curled horns
  double earDroop;                    // 0 ears straight out, 1 hanging
  int seed;                           // the fleece's wobble
  int cells;                          // cells in the strip
};

Look LookOf(Breed breed) {
  switch (breed) {
    case Breed::kBrown:
      return Look{Hex(0xc4915e), Hex(0x4a3224), Hex(0x4a3224), Hex(0),
                  12.5, 9.5, 10.0, 17.5, 4.2, 11.5, 0.86, true, false, 0.55, 5, 112};
    case Breed::kBlackFace:
      return Look{Hex(0xf0e2bd), Hex(0x231d1b), Hex(0x2a2321), Hex(0xd6bf8c),
                  14.5, 11.0, 11.5, 21.0, 4.8, 14.0, 0.98, false, true, 0.1, 8, 94};
    case Breed::kWhite:
    default:
      return Look{Hex(art::palette::kWool), Hex(art::palette::kDarkWool),
                  Hex(art::palette::kDarkWool), Hex(0),
                  14.5, 10.5, 11.0, 20.0, 4.6, 13.0, 0.95, true, false, 0.75, 1, 94};
  }
}

bool DarkFace(const Look& look) {
  return look.face.r + look.face.g + look.face.b < 1.0;
}

// The head, centred on the origin, seen turned `yaw`, nodded by `pitch`.
void DrawHead(cairo_t* cr, const Look& look, const Pose& pose, double yaw) {
  const double hs = look.head;
  const double c = std::cos(rig::Rad(yaw)), n = std::sin(rig::Rad(yaw));
  auto X = [&](double a, double b) { return a * c - b * n; };
  auto Depth = [&](double a, double b) { return a * n + b * c; };

  cairo_save(cr);
  cairo_rotate(cr, rig::Rad(pose.headPitch) * c);
  cairo_translate(cr, 0, 1.2 * pose.headPitch / 45.0 * std::fabs(n));

  const Rgb face = look.face;
  auto ear = [&](double side) {
    const double bx = X(-2.4 * hs, side * 4.0 * hs), by = -2.4 * hs;
    const double ta = -0.8, tb = side * (0.9 - 0.4 * look.earDroop), tu = 0.1 + 0.55 * look.earDroop;
    const double len = 6.2 * hs;
    const double tx = bx + len * X(ta, tb), ty = by + len * tu;
    const double dx = tx - bx, dy = ty - by;
    const double half = std::max(1.9 * hs, std::hypot(dx, dy) / 2 + 0.8);
    const double angle = std::atan2(dy, dx) * 180 / M_PI;
    rig::Blob(cr, {Oval{(bx + tx) / 2, (by + ty) / 2, half, 1.9 * hs, angle}}, face, bx, by, 5);
    if (!DarkFace(look)) return;
    // A lighter inner ear so that dark ears read against a dark face.
    art::SetColour(cr, art::Mix(face, Hex(0xc98a7a), 0.45));
    rig::AddOvals(cr, {Oval{(bx + tx) / 2 + dx * 0.12, (by + ty) / 2 + dy * 0.12, half * 0.55,
                            0.8 * hs, angle}});
    cairo_fill(cr);
  };
  auto horn = [&](double side) {
    const double bx = X(-2.6 * hs, side * 3.6 * hs), by = -2.6 * hs;
    const double out = (std::fabs(bx) > 0.5 ? (bx > 0 ? 1 : -1) : 0) * std::fabs(n);
    const double hx = bx - 2.6 * c * std::fabs(c) + 2.4 * out, hy = by + 2.2;
    cairo_new_path(cr);
    cairo_arc(cr, hx, hy, 3.0 * hs, rig::Rad(-200), rig::Rad(110));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    art::SetColour(cr, rig::OutlineOf(look.horn));
    cairo_set_line_width(cr, 3.6 * hs);
    cairo_stroke_preserve(cr);
    art::SetColour(cr, look.horn);
    cairo_set_line_width(cr, 2.2 * hs);
    cairo_stroke(cr);
    cairo_arc(cr, hx, hy, 3.0 * hs, rig::Rad(-150), rig::Rad(40));
    art::SetColour(cr, art::Shade(look.horn, 1.2));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
  };

  const bool nearIsPlus = Depth(0, 1) >= 0;
  const double farSide = nearIsPlus ? -1 : 1, nearSide = -farSide;
  const bool facingAway = n < -0.4;
  ear(farSide);
  if (look.horns) horn(farSide);
  if (std::fabs(n) > 0.9) ear(nearSide);  // front and back: both ears beside the head

  // Crown and muzzle as one outlined shape.
  const double mx = X(4.6 * hs, 0), my = 2.4 * hs;
  const double mrx = (3.6 + 1.0 * std::fabs(c)) * hs, mry = 3.5 * hs;
  std::vector<Oval> head = {Oval{0, 0, 5.0 * hs, 4.7 * hs}};
  if (!facingAway) head.push_back(Oval{mx, my, mrx, mry, 22 * c});
  rig::Blob(cr, head, face, -1, -1, 7 * hs, 1.2);

  if (!facingAway) {
    const Rgb mark = DarkFace(look) ? art::Mix(face, Hex(0xffffff), 0.25) : art::Shade(face, 0.55);
    // Nostril and mouth on the muzzle.
    art::SetColour(cr, mark);
    rig::AddOvals(cr, {Oval{mx + 2.6 * c * hs, my - 1.0 * hs, 0.7, 0.55}});
    cairo_fill(cr);
    const double mouthX = mx + 1.8 * c * hs, mouthY = my + 2.1 * hs;
    if (pose.mouth == 2) {
      rig::FlatBlob(cr, {Oval{mouthX, mouthY, 1.5 * hs, 1.9 * hs}}, Hex(0x6e2a2a), 0.7);
    } else {
      cairo_set_line_width(cr, 0.9);
      art::SetColour(cr, mark);
      const double w = pose.mouth == 1 ? 2.2 : 1.6;
      cairo_move_to(cr, mouthX - w * std::fabs(c) - w * 0.6 * std::fabs(n), mouthY);
      cairo_line_to(cr, mouthX + w * 0.5, mouthY + (pose.mouth == 1 ? 0.8 : 0.3));
      cairo_stroke(cr);
    }
    if (pose.marks & kGrassInMouth) {
      cairo_set_line_width(cr, 1.3);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      const Rgb greens[3] = {Hex(art::palette::kMeadowLight), Hex(art::palette::kMeadow),
                             Hex(art::palette::kMeadowDark)};
      for (int i = 0; i < 3; ++i) {
        art::SetColour(cr, greens[i]);
        cairo_move_to(cr, mouthX, mouthY);
        cairo_curve_to(cr, mouthX + (1 + i) * c, mouthY + 2, mouthX + (2.5 + i * 1.4) * c,
                       mouthY + 3 + i, mouthX + (2 + i * 1.8) * c, mouthY + 5 + i * 0.6);
        cairo_stroke(cr);
      }
    }
  }

  // Eyes: those turned at least a little towards the viewer.
  for (double side : {-1.0, 1.0}) {
    const double facing = 0.55 * n + side * 0.83 * c;
    if (facing < 0.05) continue;
    const double ex = X(1.7 * hs, side * 3.0 * hs), ey = -1.0 * hs;
    if (pose.eyes == 1) {
      art::SetColour(cr, DarkFace(look) ? art::Mix(face, Hex(0xffffff), 0.55)
                                        : art::Shade(face, 0.45));
      cairo_set_line_width(cr, 0.9);
      cairo_new_path(cr);
      cairo_arc(cr, ex, ey - 0.4, 1.3 * hs, rig::Rad(25), rig::Rad(155));
      cairo_stroke(cr);
      continue;
    }
    const double r = (pose.eyes == 2 ? 1.9 : 1.55) * hs;
    art::SetColour(cr, Hex(0xfbf8f0));
    rig::AddOvals(cr, {Oval{ex, ey, r * (0.6 + 0.4 * facing), r}});
    cairo_fill(cr);
    art::SetColour(cr, Hex(0x1a1412));
    rig::AddOvals(cr, {Oval{ex + 0.45 * c * r, ey + 0.15, r * 0.62, r * 0.7}});
    cairo_fill(cr);
    art::SetColour(cr, Hex(0xffffff));
    rig::AddOvals(cr, {Oval{ex + 0.45 * c * r - 0.35, ey - 0.45, 0.45, 0.45}});
    cairo_fill(cr);
  }

  if (std::fabs(n) <= 0.9) ear(nearSide);
  if (look.topknot) {
    rig::WoolCloud(cr, X(-0.6 * hs, 0), -4.4 * hs, 4.6 * hs, 2.9 * hs, 1.9 * hs, look.wool,
                   look.seed + 3);
  }
  if (look.horns) horn(nearSide);
  cairo_restore(cr);
}

void DrawLeg(cairo_t* cr, const Look& look, double yaw, double f, double s, const double leg[2],
             bool far) {
  const double upper = look.legLen * 0.5, lower = look.legLen * 0.5;
  const double hipU = look.legLen;
  const double a1 = rig::Rad(leg[0]), a2 = rig::Rad(leg[0] + leg[1]);
  const double kf = f + upper * std::sin(a1), ku = hipU - upper * std::cos(a1);
  const double ff = kf + lower * std::sin(a2), fu = ku - lower * std::cos(a2);
  const Pt hip = rig::Project(yaw, f, s, hipU), knee = rig::Project(yaw, kf, s, ku),
           foot = rig::Project(yaw, ff, s, fu);
  const Rgb colour = far ? art::Shade(look.legs, 0.8) : look.legs;
  const double w = 3.6 * look.head;
  rig::Limb(cr, {hip, knee, foot}, w, w * 0.85, colour, 1.0);
  // The hoof: a darker tip.
  art::SetColour(cr, art::Mix(colour, Hex(0x120e0c), 0.5));
  const double hx = foot.x - knee.x, hy = foot.y - knee.y, hl = std::max(0.01, std::hypot(hx, hy));
  cairo_set_line_width(cr, w * 0.9);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, foot.x - hx / hl * 1.2, foot.y - hy / hl * 1.2);
  cairo_line_to(cr, foot.x, foot.y);
  cairo_stroke(cr);
}

void DrawMarks(cairo_t* cr, const Look& look, const Pose& pose, Pt body, Pt head, double rx,
               double ry) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  if (pose.marks & kShakeLines) {
    art::SetColour(cr, art::Shade(look.wool, 0.55), 0.9);
    cairo_set_line_width(cr, 1.1);
    for (double side : {-1.0, 1.0}) {
      for (int i = 0; i < 2; ++i) {
        const double r = rx + 3 + i * 2.5;
        cairo_new_path(cr);
        if (side > 0) cairo_arc(cr, body.x, body.y, r, rig::Rad(-30), rig::Rad(10));
        else cairo_arc(cr, body.x, body.y, r, rig::Rad(170), rig::Rad(210));
        cairo_stroke(cr);
      }
    }
  }
  if (pose.marks & kKickLines) {
    art::SetColour(cr, art::Shade(look.wool, 0.5), 0.9);
    cairo_set_line_width(cr, 1.0);
    const double y = body.y + ry + 6;
    for (double x : {body.x - rx - 2, body.x + rx - 3}) {
      cairo_move_to(cr, x, y);
      cairo_line_to(cr, x - 2.5, y + 2.5);
      cairo_move_to(cr, x + 3, y + 1);
      cairo_line_to(cr, x + 2, y + 4);
      cairo_stroke(cr);
    }
  }
  if (pose.marks & kDozing) {
    art::SetColour(cr, Hex(0x4a5a7a));
    cairo_set_line_width(cr, 1.2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    const double x = head.x + 3, y = head.y - 12;
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + 4, y);
    cairo_line_to(cr, x, y + 4);
    cairo_line_to(cr, x + 4, y + 4);
    cairo_stroke(cr);
  }
}

void DrawSheep(cairo_t* cr, const Look& look, const Pose& pose) {
  const double yaw = pose.yaw;
  const double c = std::cos(rig::Rad(yaw)), n = std::sin(rig::Rad(yaw));
  cairo_translate(cr, 28 + pose.dx, 49 + pose.dy);

  const Pt body = rig::Project(yaw, 0, 0, look.bodyU);
  const double ext = std::sqrt(std::pow(look.bodyL * n, 2) + std::pow(look.bodyW * c, 2));
  const double rx = std::sqrt(std::pow(look.bodyL * c, 2) + std::pow(look.bodyW * n, 2)) + 2;
  const double ry = std::sqrt(look.bodyR * look.bodyR + std::pow(rig::kHighView * ext, 2));

  cairo_translate(cr, body.x, body.y);
  cairo_rotate(cr, -rig::Rad(pose.tilt) * c);
  cairo_translate(cr, -body.x, -body.y);

  // Legs first: the fleece hangs over their tops.
  struct LegAt {
    double f, s;
    int index;
  };
  const double hipF = look.bodyL * 0.6, hipS = look.bodyW * 0.45;
  // The far legs sit a little forward of the near ones so that all four read.
  const double farShift = 2.5 * look.head;
  std::vector<LegAt> legs = {{hipF, hipS, kNearFront}, {hipF + farShift, -hipS, kFarFront},
                             {-hipF, hipS, kNearBack}, {-hipF + farShift, -hipS, kFarBack}};
  std::stable_sort(legs.begin(), legs.end(), [&](const LegAt& a, const LegAt& b) {
    return rig::Project(yaw, a.f, a.s, 0).depth < rig::Project(yaw, b.f, b.s, 0).depth;
  });
  for (const LegAt& leg : legs) {
    DrawLeg(cr, look, yaw, leg.f, leg.s, pose.legs[leg.index],
            rig::Project(yaw, leg.f, leg.s, 0).depth < 0);
  }

  const double hs = look.head;
  const Pt head = rig::Project(yaw, look.bodyL + 5.5 * hs + pose.headF, 0,
                               look.bodyU + 6.8 * hs + pose.headU);
  const Pt neck = rig::Project(yaw, look.bodyL * 0.75, 0, look.bodyU + 3);
  const Pt tail = rig::Project(yaw, -look.bodyL - 1, 0, look.bodyU + 2);

  auto drawHead = [&] {
    cairo_save(cr);
    cairo_translate(cr, head.x, head.y);
    DrawHead(cr, look, pose, yaw);
    cairo_restore(cr);
  };
  auto drawTail = [&] {
    rig::WoolCloud(cr, tail.x, tail.y, 3.6 * hs, 3.2 * hs, 2.0 * hs, look.wool, look.seed + 9);
  };

  // The neck joins the crown to the fleece; the fleece covers its root.
  rig::Limb(cr, {neck, Pt{head.x - 1.5 * c, head.y + 1}}, 8 * hs, 6.5 * hs,
            art::Shade(look.wool, 0.95), 1.2);
  if (head.depth < -4) drawHead();
  if (tail.depth < -4) drawTail();
  rig::WoolCloud(cr, body.x, body.y, rx, ry, look.puff, look.wool, look.seed, pose.shake);
  if (tail.depth >= -4) drawTail();
  if (head.depth >= -4) drawHead();
  DrawMarks(cr, look, pose, body, head, rx, ry);
}

}  // namespace

bool DrawStrip(Breed breed, const std::string& path) {
  const Look look = LookOf(breed);
  art::Strip strip(64, 64, look.cells);
  for (const Group& group : Groups()) {
    const std::vector<int>& cells = breed == Breed::kBrown ? group.cells500 : group.cells100;
    for (size_t i = 0; i < group.poses.size() && i < cells.size(); ++i) {
      cairo_t* cr = strip.BeginCell(cells[i]);
      DrawSheep(cr, look, group.poses[i]);
      strip.EndCell();
    }
  }
  return strip.Save(path);
}

}  // namespace sheep
