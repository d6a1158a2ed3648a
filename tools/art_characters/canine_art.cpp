// Draws the dog and the wolf from parts (torso with neck, head with a jaw that
// opens, legs with thighs, bushy tail) placed by their pose tables.
#include "art_characters/canine_art.h"

#include "art_characters/canine_poses.h"
#include "art_characters/rig.h"

#include <algorithm>
#include <cmath>

namespace canine {

namespace {

using art::Hex;
using art::Rgb;
using rig::Oval;
using rig::Pt;

struct Look {
  int cellW, cellH, cells;
  double groundX, groundY;  // where the body's ground point sits in the cell
  double s;                 // size factor of every part
  Rgb coat, saddle, light, sock, tailTip, eye;
  bool collie;              // white blaze, ruff and socks, ears with folded tips
  double bodyL, bodyU;      // half the chest-to-hip distance; torso height
  double legLen;
  double headF, headU;      // head centre from the chest
  double tailLen;           // one tail segment
};

Look DogLook() {
  return Look{64, 64, 32, 29, 51, 1.0,
              Hex(art::palette::kDogTan), Hex(0x9c6333), Hex(art::palette::kDogWhite),
              Hex(art::palette::kDogWhite), Hex(art::palette::kDogWhite), Hex(0x3a2414),
              true, 8.5, 19.0, 15.5, 11.0, 10.0, 2.6};
}

Look WolfLook() {
  return Look{80, 64, 30, 37, 53, 1.12,
              Hex(art::palette::kWolfGrey), Hex(art::palette::kWolfDark), Hex(0xc9c6bd),
              Hex(0x8d8f95), Hex(art::palette::kWolfDark), Hex(0xe9b538),
              false, 9.5, 19.0, 15.0, 12.5, 9.5, 2.5};
}

// An oval part of the body at (f, s, u), `rf` long, `rs` wide, `ru` high,
// seen from the high view turned `yaw`.
Oval PartOval(double yaw, double f, double s, double u, double rf, double rs, double ru) {
  const double c = std::cos(rig::Rad(yaw)), n = std::sin(rig::Rad(yaw));
  const Pt p = rig::Project(yaw, f, s, u);
  const double rx = std::sqrt(std::pow(rf * c, 2) + std::pow(rs * n, 2));
  const double depthExtent = std::sqrt(std::pow(rf * n, 2) + std::pow(rs * c, 2));
  const double ry = std::sqrt(ru * ru + std::pow(rig::kHighView * depthExtent, 2));
  return Oval{p.x, p.y, rx, ry};
}

void DrawEar(cairo_t* cr, const Look& look, double bx, double by, double tx, double ty,
             double width, double c) {
  const double s = look.s;
  const double dx = tx - bx, dy = ty - by, len = std::max(0.1, std::hypot(dx, dy));
  const double px = -dy / len * width, py = dx / len * width;
  cairo_new_path(cr);
  cairo_move_to(cr, bx - px, by - py);
  if (look.collie) {
    // The tip folds forward.
    const double fx = bx + dx * 0.72, fy = by + dy * 0.72;
    cairo_curve_to(cr, bx - px * 0.9 + dx * 0.4, by - py * 0.9 + dy * 0.4, fx - px * 0.4,
                   fy - py * 0.4, fx, fy);
    cairo_line_to(cr, fx + 3.2 * s * c, fy + 1.6 * s);
    cairo_line_to(cr, fx + px * 0.5, fy + py * 0.5);
    cairo_curve_to(cr, bx + px * 0.9 + dx * 0.4, by + py * 0.9 + dy * 0.4, bx + px, by + py,
                   bx + px, by + py);
  } else {
    cairo_curve_to(cr, bx - px * 0.9 + dx * 0.5, by - py * 0.9 + dy * 0.5, tx - px * 0.2,
                   ty - py * 0.2, tx, ty);
    cairo_curve_to(cr, tx + px * 0.2, ty + py * 0.2, bx + px * 0.9 + dx * 0.5,
                   by + py * 0.9 + dy * 0.5, bx + px, by + py);
  }
  cairo_close_path(cr);
  art::FillOutlined(cr, look.coat, 1.1);
  if (!look.collie) {
    // Light inner ear.
    cairo_new_path(cr);
    cairo_move_to(cr, bx - px * 0.45 + dx * 0.1, by - py * 0.45 + dy * 0.1);
    cairo_line_to(cr, bx + dx * 0.75, by + dy * 0.75);
    cairo_line_to(cr, bx + px * 0.45 + dx * 0.1, by + py * 0.45 + dy * 0.1);
    cairo_close_path(cr);
    art::SetColour(cr, look.light);
    cairo_fill(cr);
  }
}

void DrawEye(cairo_t* cr, const Look& look, const Pose& pose, double ex, double ey, double c,
             double facing) {
  const double s = look.s;
  if (pose.eyes == kEyesShut) {
    art::SetColour(cr, Hex(0x2a1c14));
    cairo_set_line_width(cr, 1.0);
    cairo_new_path(cr);
    cairo_arc(cr, ex, ey - 0.6, 1.5 * s, rig::Rad(25), rig::Rad(155));
    cairo_stroke(cr);
    return;
  }
  if (pose.eyes == kEyesDizzy) {
    // A spiral: dazed.
    art::SetColour(cr, Hex(0xfbf8f0));
    rig::AddOvals(cr, {Oval{ex, ey, 2.1 * s, 2.1 * s}});
    cairo_fill(cr);
    art::SetColour(cr, Hex(0x1a1412));
    cairo_set_line_width(cr, 0.8);
    cairo_new_path(cr);
    for (int i = 0; i <= 24; ++i) {
      const double a = i * 0.55, r = 0.15 + i * 0.075 * s;
      cairo_line_to(cr, ex + r * std::cos(a), ey + r * std::sin(a));
    }
    cairo_stroke(cr);
    return;
  }
  const double r = 1.75 * s;
  art::SetColour(cr, look.collie ? Hex(0xfbf8f0) : look.eye);
  rig::AddOvals(cr, {Oval{ex, ey, r * (0.6 + 0.4 * facing), r}});
  cairo_fill(cr);
  art::SetColour(cr, Hex(0x1a1412));
  if (look.collie) {
    rig::AddOvals(cr, {Oval{ex + 0.4 * c * r, ey + 0.1, r * 0.72, r * 0.8}});
  } else {
    rig::AddOvals(cr, {Oval{ex + 0.35 * c * r, ey, r * 0.32, r * 0.78}});
  }
  cairo_fill(cr);
  if (pose.eyes == kEyesHalf) {
    // Lid down over the top half.
    art::SetColour(cr, look.collie ? look.light : look.coat);
    cairo_rectangle(cr, ex - r - 0.5, ey - r - 0.5, 2 * r + 1, r + 0.3);
    cairo_fill(cr);
    art::SetColour(cr, Hex(0x2a1c14));
    cairo_set_line_width(cr, 0.8);
    cairo_move_to(cr, ex - r, ey - 0.2);
    cairo_line_to(cr, ex + r, ey - 0.2);
    cairo_stroke(cr);
  } else {
    art::SetColour(cr, Hex(0xffffff));
    rig::AddOvals(cr, {Oval{ex + 0.35 * c * r - 0.4, ey - 0.6, 0.5, 0.5}});
    cairo_fill(cr);
  }
  if (!look.collie) {
    // A heavy brow: the wolf's scowl.
    art::SetColour(cr, Hex(0x2c2d31));
    cairo_set_line_width(cr, 1.2);
    cairo_move_to(cr, ex - r * 1.1, ey - r * 1.2);
    cairo_line_to(cr, ex + r * 1.1 * (c >= 0 ? 1 : -1) * std::max(0.4, std::fabs(c)),
                  ey - r * 0.6);
    cairo_stroke(cr);
  }
}

// The head centred on the origin, turned `yaw`.
void DrawHead(cairo_t* cr, const Look& look, const Pose& pose, double yaw) {
  const double s = look.s;
  const double c = std::cos(rig::Rad(yaw)), n = std::sin(rig::Rad(yaw));
  auto X = [&](double a, double b) { return (a * c - b * n) * s; };
  const bool facingAway = n < -0.4;

  cairo_save(cr);
  cairo_rotate(cr, rig::Rad(pose.headPitch) * c);
  cairo_translate(cr, 0, 1.5 * pose.headPitch / 45.0 * std::fabs(n));

  // Ears behind the head in every view but the back.
  const double earLen = (look.collie ? 8.0 : 9.5) * s;
  auto ear = [&](double side) {
    const double bx = X(-1.8, side * 3.2), by = -3.6 * s;
    const double tx = bx + X(-0.35, side * 0.35) * earLen / s, ty = by - earLen;
    DrawEar(cr, look, bx, by, tx, ty, 2.6 * s, c);
  };
  const double nearSide = c >= 0 ? 1 : -1;
  if (!facingAway) ear(-nearSide);

  // Muzzle and jaw.
  const double muzzleA = look.collie ? 6.4 : 7.4;
  const double mx = X(muzzleA, 0), my = 2.0 * s;
  const double mrx = (3.4 + (look.collie ? 1.6 : 2.6) * std::fabs(c)) * s, mry = 2.9 * s;
  const double open = pose.mouth * 55 * (c >= 0 ? 1 : -1);
  const double hingeX = X(0.0, 0), hingeY = 3.0 * s;
  const double jawLen = (muzzleA + 2.4) * s * std::max(0.35, std::fabs(c));
  const double ja = rig::Rad(open);
  const double jx = hingeX + std::cos(ja) * jawLen * (c >= 0 ? 1 : -1) * 0.55 - std::sin(ja) * 1.2,
               jy = hingeY + std::sin(std::fabs(ja)) * jawLen * 0.55 + 1.0;
  if (!facingAway && pose.mouth > 0.05) {
    // The open mouth: dark inside, tongue, lower jaw.
    const double tipX = mx + mrx * 0.8 * (c >= 0 ? 1 : -1) * std::fabs(c);
    cairo_new_path(cr);
    cairo_move_to(cr, hingeX, hingeY - 1);
    cairo_line_to(cr, tipX, my + 0.5 * s);
    cairo_line_to(cr, jx + (jx - hingeX) * 0.9, jy + (jy - hingeY) * 0.9);
    cairo_close_path(cr);
    art::FillOutlined(cr, Hex(0x6e2a2a), 0.8);
    const double angle = std::atan2(jy - hingeY, jx - hingeX) * 180 / M_PI;
    rig::Blob(cr, {Oval{jx, jy, jawLen * 0.55, 2.0 * s, angle}},
              look.collie ? look.light : look.coat, jx, jy, 5);
    rig::FlatBlob(cr, {Oval{(jx + hingeX) / 2 + (jx - hingeX) * 0.3, (jy + hingeY) / 2 - 0.4,
                            jawLen * 0.3, 1.1 * s, angle}},
                  Hex(0xe77b88), 0.6);
  }

  std::vector<Oval> head = {Oval{0, 0, 5.8 * s, 5.3 * s}};
  if (!facingAway) head.push_back(Oval{mx, my, mrx, mry, 10 * c});
  rig::Blob(cr, head, look.coat, -1.5, -2, 8 * s, 1.2);

  if (!facingAway) {
    // Markings inside the head's outline.
    cairo_save(cr);
    rig::AddOvals(cr, head);
    cairo_clip(cr);
    cairo_new_path(cr);
    art::SetColour(cr, look.light);
    if (look.collie) {
      // White muzzle and a blaze up the forehead.
      rig::AddOvals(cr, {Oval{mx + X(0.6, 0), my + 0.8 * s, mrx * 1.05, mry * 1.05, 10 * c},
                         Oval{X(2.2, 0), -2.8 * s, 1.6 * s, 4.0 * s, 25 * c}});
    } else {
      // Pale cheeks and jaw line.
      rig::AddOvals(cr, {Oval{mx - X(1.0, 0), my + 2.2 * s, mrx * 1.1, 1.9 * s, 10 * c},
                         Oval{X(0.6, 0), 3.4 * s, 4.0 * s, 2.2 * s}});
    }
    cairo_fill(cr);
    cairo_restore(cr);

    // Nose.
    const double noseX = mx + (mrx - 1.0 * s) * (c >= 0 ? 1 : -1) * std::fabs(c);
    rig::FlatBlob(cr, {Oval{noseX, my - 1.6 * s * std::fabs(c) - 0.6 * s * std::fabs(n),
                            1.7 * s, 1.4 * s}},
                  Hex(0x231a17), 0.6);
    if (pose.mouth <= 0.05) {
      art::SetColour(cr, art::Shade(look.coat, 0.45));
      cairo_set_line_width(cr, 0.9);
      cairo_move_to(cr, X(2.2, 0), my + mry * 0.7);
      cairo_line_to(cr, noseX - 0.8 * c, my + mry * 0.75);
      cairo_stroke(cr);
    }
    if ((pose.marks & kTongue) && pose.mouth > 0.05) {
      rig::FlatBlob(cr, {Oval{jx + X(0.8, 0), jy + 2.2 * s, 1.4 * s, 2.4 * s, -15 * c}},
                    Hex(0xe77b88), 0.6);
    }
    for (double side : {-1.0, 1.0}) {
      const double facing = 0.5 * n + side * 0.86 * c;
      if (facing < 0.05) continue;
      DrawEye(cr, look, pose, X(2.8, side * 3.0), -1.8 * s, c, facing);
    }
  }
  if (facingAway) {
    ear(-1);
    ear(1);
  } else {
    ear(nearSide);
  }
  cairo_restore(cr);
}

void DrawLeg(cairo_t* cr, const Look& look, double yaw, double f, double side, const double leg[2],
             bool front, bool far) {
  (void)front;
  const double s = look.s;
  const double upper = look.legLen * 0.5, lower = look.legLen * 0.5;
  const double hipU = look.legLen;
  const double a1 = rig::Rad(leg[0]), a2 = rig::Rad(leg[0] + leg[1]);
  const double kf = f + upper * std::sin(a1), ku = hipU - upper * std::cos(a1);
  const double ff = kf + lower * std::sin(a2), fu = ku - lower * std::cos(a2);
  const Pt hip = rig::Project(yaw, f, side, hipU), knee = rig::Project(yaw, kf, side, ku),
           foot = rig::Project(yaw, ff, side, fu);
  const Rgb coat = far ? art::Shade(look.coat, 0.82) : look.coat;
  const Rgb sock = far ? art::Shade(look.sock, 0.85) : look.sock;
  const double w = 4.4 * s;
  rig::Limb(cr, {hip, knee, foot}, w, w * 0.7, coat, 1.0);
  if (look.collie) rig::Limb(cr, {Pt{(knee.x + foot.x) / 2, (knee.y + foot.y) / 2}, foot},
                             w * 0.72, w * 0.7, sock, 0.8);
  const double c = std::cos(rig::Rad(yaw));
  rig::Blob(cr, {Oval{foot.x + 1.1 * s * c, foot.y + 0.3, 2.6 * s, 1.7 * s}}, sock, foot.x,
            foot.y, 3, 0.9);
}

void DrawTail(cairo_t* cr, const Look& look, const Pose& pose, double yaw, double f, double u) {
  const double s = look.s;
  std::vector<Oval> body, tip;
  double angle = pose.tail, tf = f, tu = u;
  const int segments = 7;
  for (int i = 0; i < segments; ++i) {
    const Pt p = rig::Project(yaw, tf, 0, tu);
    const double t = double(i) / (segments - 1);
    const double r = (look.collie ? 2.4 + 1.4 * std::sin(t * M_PI) : 2.5 + 1.7 * std::sin(t * M_PI * 0.9)) * s;
    (i >= segments - 1 ? tip : body).push_back(Oval{p.x, p.y, r, r});
    tf -= look.tailLen * std::cos(rig::Rad(angle));
    tu += look.tailLen * std::sin(rig::Rad(angle));
    angle += pose.tailCurl;
  }
  std::vector<Oval> all = body;
  all.insert(all.end(), tip.begin(), tip.end());
  rig::Blob(cr, all, look.coat, all.front().x, all.front().y - 2, 10 * s, 1.1);
  rig::Blob(cr, tip, look.tailTip, tip.front().x, tip.front().y, 4 * s, 1.0);
}

void DrawMarks(cairo_t* cr, const Look& look, const Pose& pose, Pt head) {
  const double s = look.s;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  const double pc = std::cos(rig::Rad(pose.headPitch)), ps = std::sin(rig::Rad(pose.headPitch));
  // The muzzle's tip, following the head's pitch.
  const double noseX = head.x + (9.0 * pc - 1.0 * ps) * s, noseY = head.y + (9.0 * ps + 1.0 * pc) * s;
  if (pose.marks & kStars) {
    for (int i = 0; i < 3; ++i) {
      const double a = 2 * M_PI * (i / 3.0 + pose.phase);
      const double x = head.x - 1 + 8.5 * s * std::cos(a), y = head.y - 11 * s + 2.6 * s * std::sin(a);
      rig::Star(cr, x, y, (3.8 + 0.8 * std::sin(a)) * s, Hex(art::palette::kGold));
    }
  }
  if (pose.marks & kSniffLines) {
    art::SetColour(cr, Hex(0x8a7a60), 0.9);
    cairo_set_line_width(cr, 0.9);
    for (int i = 0; i < 2; ++i) {
      cairo_new_path(cr);
      cairo_arc(cr, noseX + 3 + i * 2.5, noseY + 1, 1.2 + i * 0.4, rig::Rad(200), rig::Rad(340));
      cairo_stroke(cr);
    }
  }
  if (pose.marks & kScratchLines) {
    art::SetColour(cr, art::Shade(look.coat, 0.5), 0.9);
    cairo_set_line_width(cr, 1.0);
    const double x = head.x - 8 * s, y = head.y + 7 * s;
    for (int i = 0; i < 3; ++i) {
      cairo_move_to(cr, x - 3 - i * 1.5, y - 3 + i * 2.5);
      cairo_line_to(cr, x - 6 - i * 1.5, y - 2 + i * 2.5);
    }
    cairo_stroke(cr);
  }
  if (pose.marks & kCallLines) {
    art::SetColour(cr, Hex(0xf4efe6), 0.95);
    cairo_set_line_width(cr, 1.3);
    const double x = noseX + 1, y = noseY;
    for (int i = 0; i < 3; ++i) {
      const double r = 3 + i * 2.6 + pose.phase * 2;
      cairo_new_path(cr);
      cairo_arc(cr, x, y, r, rig::Rad(-60), rig::Rad(0));
      cairo_stroke(cr);
    }
  }
}

void DrawCanine(cairo_t* cr, const Look& look, const Pose& pose) {
  const double yaw = pose.yaw, s = look.s;
  const double c = std::cos(rig::Rad(yaw));
  cairo_translate(cr, look.groundX + pose.dx, look.groundY + pose.dy);
  const double L = look.bodyL * (1 + 0.16 * pose.stretch), U = look.bodyU;
  const Pt centre = rig::Project(yaw, 0, 0, U);
  cairo_translate(cr, centre.x, centre.y);
  cairo_rotate(cr, -rig::Rad(pose.tilt) * c);
  cairo_translate(cr, -centre.x, -centre.y);

  const double W = 7.5 * s, hipS = 3.6 * s;
  const double headF = L + look.headF + pose.headF, headU = U + look.headU + pose.headU;
  const Pt head = rig::Project(yaw, headF, 0, headU);
  std::vector<Oval> torso = {
      PartOval(yaw, L, 0, U + 1, 8.0 * s, W, 7.4 * s),
      PartOval(yaw, 0, 0, U + 0.5, L + 1.5, W * 0.95, 5.8 * s),
      PartOval(yaw, -L, 0, U + 0.5, 7.4 * s, W, 6.6 * s),
  };
  // Haunch and shoulder round the torso's outline over the legs' tops.
  torso.push_back(PartOval(yaw, -L - 1, hipS, U - 2.5 * s, 5.5 * s, W * 0.8, 6.5 * s));
  torso.push_back(PartOval(yaw, L + 1.5, hipS, U - 3.0 * s, 4.5 * s, W * 0.8, 5.5 * s));
  // Neck from the chest to the head.
  for (double t : {0.35, 0.7}) {
    torso.push_back(PartOval(yaw, L + (headF - L) * t, 0, U + 4 + (headU - U - 4) * t,
                             4.6 * s, 4.0 * s, (5.4 - 1.2 * t) * s));
  }

  struct LegAt {
    double f, side;
    int index;
    bool front;
  };
  std::vector<LegAt> legs = {{L + 1, hipS, kNearFront, true},
                             {L + 1 + 2 * s, -hipS, kFarFront, true},
                             {-L - 1, hipS, kNearBack, false},
                             {-L - 1 + 2 * s, -hipS, kFarBack, false}};
  auto depthOf = [&](const LegAt& l) { return rig::Project(yaw, l.f, l.side, 0).depth; };
  std::stable_sort(legs.begin(), legs.end(),
                   [&](const LegAt& a, const LegAt& b) { return depthOf(a) < depthOf(b); });

  const double tailF = -L - 5.5 * s, tailU = U + 3.5 * s;
  const bool tailNear = rig::Project(yaw, tailF, 0, tailU).depth > 2;
  auto drawHead = [&] {
    cairo_save(cr);
    cairo_translate(cr, head.x, head.y);
    DrawHead(cr, look, pose, yaw);
    cairo_restore(cr);
  };

  for (const LegAt& leg : legs) {
    DrawLeg(cr, look, yaw, leg.f, leg.side, pose.legs[leg.index], leg.front, depthOf(leg) < 0);
  }
  if (!tailNear) DrawTail(cr, look, pose, yaw, tailF, tailU);
  if (head.depth < -4) drawHead();

  rig::Blob(cr, torso, look.coat, centre.x - 2, centre.y - 4, 16 * s, 1.3);
  {
    // Saddle, chest and belly markings inside the torso's outline.
    cairo_save(cr);
    rig::AddOvals(cr, torso);
    cairo_clip(cr);
    cairo_new_path(cr);
    const Oval saddle = PartOval(yaw, -2, 0, U + 7.5 * s, L + 6 * s, W, 4.0 * s);
    art::SetColour(cr, look.saddle, 0.9);
    rig::AddOvals(cr, {saddle});
    cairo_fill(cr);
    art::SetColour(cr, look.light);
    const bool chestShows = std::sin(rig::Rad(yaw)) > -0.2;
    if (!chestShows) {
      // Seen from behind: no chest.
    } else if (look.collie) {
      rig::AddOvals(cr, {PartOval(yaw, L + 4, 1, U - 2.5, 7.0 * s, W, 6.5 * s),
                         PartOval(yaw, L + 6 * s, 1, U + 5 * s, 5.0 * s, W, 7.0 * s)});
    } else {
      rig::AddOvals(cr, {PartOval(yaw, 0, 1, U - 7.5 * s, L + 5 * s, W, 2.6 * s),
                         PartOval(yaw, L + 5, 1, U - 1, 4.0 * s, W, 5.5 * s)});
    }
    cairo_fill(cr);
    cairo_restore(cr);
  }
  if (tailNear) DrawTail(cr, look, pose, yaw, tailF, tailU);
  if (head.depth >= -4) drawHead();
  DrawMarks(cr, look, pose, head);
}

bool DrawStrip(const Look& look, const std::vector<Pose>& poses, const std::string& path) {
  art::Strip strip(look.cellW, look.cellH, look.cells);
  for (const Pose& pose : poses) {
    cairo_t* cr = strip.BeginCell(pose.cell);
    DrawCanine(cr, look, pose);
    strip.EndCell();
  }
  return strip.Save(path);
}

}  // namespace

bool DrawDogStrip(const std::string& path) { return DrawStrip(DogLook(), DogPoses(), path); }
bool DrawWolfStrip(const std::string& path) { return DrawStrip(WolfLook(), WolfPoses(), path); }

}  // namespace canine
