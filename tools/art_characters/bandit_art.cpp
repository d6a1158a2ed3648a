// Draws the bandit from parts (legs with boots, coat, head with mask and hat,
// arms, crook, the sack with a sheep in it) placed by the pose table.
#include "art_characters/bandit_art.h"

#include "art_characters/bandit_poses.h"
#include "art_characters/rig.h"

#include <cmath>

namespace bandit {

namespace {

using art::Hex;
using art::Rgb;
using rig::Oval;
using rig::Pt;

const Rgb kCoat = Hex(0x7a5a3e);
const Rgb kTrousers = Hex(0x4f5266);
const Rgb kBoot = Hex(0x3e2c22);
const Rgb kSkin = Hex(0xe6b48c);
const Rgb kMask = Hex(0x2b2327);
const Rgb kHat = Hex(0x45332a);
const Rgb kBand = Hex(0xa83c30);
const Rgb kScarf = Hex(0xb5473a);
const Rgb kSack = Hex(0xc4a46e);
const Rgb kWood = Hex(art::palette::kWood);

constexpr double kThigh = 15, kShin = 14, kUpperArm = 10, kForearm = 9.5;
constexpr double kTorso = 20;  // hip to shoulder
constexpr double kScale = 0.85;  // the whole figure, to stand about 64 pixels tall

// A direction `deg` from straight down, forward (right) positive.
Pt Down(double deg, double length) {
  return Pt{std::sin(rig::Rad(deg)) * length, std::cos(rig::Rad(deg)) * length};
}
Pt Add(Pt a, Pt b) { return Pt{a.x + b.x, a.y + b.y}; }

struct Joints {
  Pt hip, shoulder, neck, head;
  Pt knee[2], foot[2], elbow[2], hand[2];
};

Joints Place(const Pose& p) {
  Joints j;
  j.hip = Pt{0, -31};
  const double lean = rig::Rad(p.lean);
  j.shoulder = Add(j.hip, Pt{std::sin(lean) * kTorso, -std::cos(lean) * kTorso});
  j.neck = Add(j.hip, Pt{std::sin(lean) * (kTorso + 2), -std::cos(lean) * (kTorso + 2)});
  j.head = Add(j.hip, Pt{std::sin(lean) * (kTorso + 9) + 1, -std::cos(lean) * (kTorso + 9)});
  for (int i = 0; i < 2; ++i) {
    const double hipX = i == kNear ? 1 : -1;
    j.knee[i] = Add(Pt{j.hip.x + hipX, j.hip.y}, Down(p.legs[i][0], kThigh));
    j.foot[i] = Add(j.knee[i], Down(p.legs[i][0] + p.legs[i][1], kShin));
    const Pt shoulder = Add(j.shoulder, Pt{i == kNear ? 1.0 : -1.5, i == kNear ? 1.5 : 0.5});
    j.elbow[i] = Add(shoulder, Down(p.arms[i][0], kUpperArm));
    j.hand[i] = Add(j.elbow[i], Down(p.arms[i][0] + p.arms[i][1], kForearm));
  }
  return j;
}

void DrawLeg(cairo_t* cr, const Joints& j, int i, bool far) {
  const Rgb trousers = far ? art::Shade(kTrousers, 0.8) : kTrousers;
  const Rgb boot = far ? art::Shade(kBoot, 0.85) : kBoot;
  rig::Limb(cr, {Pt{j.hip.x + (i == kNear ? 1 : -1), j.hip.y}, j.knee[i], j.foot[i]}, 6.5, 5.2,
            trousers, 1.1);
  // Boot: a shaft and a toe pointing forward.
  const Pt f = j.foot[i];
  rig::Blob(cr, {Oval{f.x + 1.5, f.y + 0.6, 4.6, 2.6}, Oval{f.x - 0.3, f.y - 2.2, 3.2, 3.0}},
            boot, f.x, f.y - 2, 5, 1.0);
}

void DrawArm(cairo_t* cr, const Joints& j, int i, bool far) {
  const Rgb sleeve = far ? art::Shade(kCoat, 0.8) : kCoat;
  const Pt shoulder = Add(j.shoulder, Pt{i == kNear ? 1.0 : -1.5, i == kNear ? 1.5 : 0.5});
  rig::Limb(cr, {shoulder, j.elbow[i], j.hand[i]}, 5.6, 4.6, sleeve, 1.1);
  rig::Blob(cr, {Oval{j.hand[i].x, j.hand[i].y, 2.6, 2.6}}, far ? art::Shade(kSkin, 0.85) : kSkin,
            j.hand[i].x, j.hand[i].y, 3, 0.9);
}

void DrawCrook(cairo_t* cr, Pt hand, double angle, bool far) {
  const double vx = std::sin(rig::Rad(angle)), vy = -std::cos(rig::Rad(angle));
  const Pt top{hand.x + vx * 17, hand.y + vy * 17};
  const Pt bottom{hand.x - vx * 24, hand.y - vy * 24};
  const Rgb wood = far ? art::Shade(kWood, 0.82) : kWood;
  // The hook curls over towards the front of the staff.
  const double px = -vy, py = vx;
  const double r = 4.2;
  const double cx = top.x + px * r, cy = top.y + py * r;
  const double t0 = std::atan2(top.y - cy, top.x - cx);
  for (int pass = 0; pass < 2; ++pass) {
    art::SetColour(cr, pass == 0 ? rig::OutlineOf(wood) : wood);
    cairo_set_line_width(cr, pass == 0 ? 4.4 : 2.4);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_new_path(cr);
    cairo_move_to(cr, bottom.x, bottom.y);
    cairo_line_to(cr, top.x, top.y);
    cairo_arc(cr, cx, cy, r, t0, t0 + M_PI * 1.25);
    cairo_stroke(cr);
  }
}

// A sheep's head poking out of the sack's neck at (x, y): a dark face with
// a white woolly crown and an ear, looking back the other way (`lookBack` 1)
// or forward (-1).
void SheepInSack(cairo_t* cr, double x, double y, double lookBack) {
  const Rgb wool = Hex(art::palette::kWool), face = Hex(art::palette::kDarkWool);
  const double b = -lookBack;  // +1 when the face points right
  // Ear sticking out behind, then the face: crown and muzzle pointing up and out.
  rig::Blob(cr, {Oval{x - 3.8 * b, y - 0.5, 3.0, 1.3, 25 * b}}, face, x, y, 3, 0.8);
  rig::Blob(cr, {Oval{x, y, 3.8, 3.6}, Oval{x + 3.4 * b, y + 0.8, 3.2, 2.5, 25 * b}}, face,
            x - 1, y - 1, 5, 0.9);
  rig::WoolCloud(cr, x - 1.4 * b, y - 3.0, 2.8, 1.7, 1.3, wool, 4);
  // A startled eye and a bleating mouth.
  art::SetColour(cr, Hex(0xfbf8f0));
  rig::AddOvals(cr, {Oval{x + 1.2 * b, y - 0.4, 1.2, 1.3}});
  cairo_fill(cr);
  art::SetColour(cr, Hex(0x1a1412));
  rig::AddOvals(cr, {Oval{x + 1.5 * b, y - 0.3, 0.6, 0.7}});
  cairo_fill(cr);
  art::SetColour(cr, Hex(0x8a3a3a));
  rig::AddOvals(cr, {Oval{x + 4.2 * b, y + 1.6, 0.8, 0.7}});
  cairo_fill(cr);
}

// The sack: a lumpy bag tied at the neck, a sheep's head poking out.
void DrawSack(cairo_t* cr, double x, double y, double neckX, double neckY, double lookBack) {
  rig::Blob(cr, {Oval{x, y, 8.5, 10.0, -15}, Oval{x + 2, y + 4, 7.5, 7.0}}, kSack, x - 2, y - 3,
            11, 1.2);
  art::SetColour(cr, art::Shade(kSack, 0.78));
  cairo_set_line_width(cr, 0.9);
  cairo_move_to(cr, x - 4, y - 2);
  cairo_curve_to(cr, x - 1, y + 1, x + 1, y + 4, x - 1, y + 8);
  cairo_move_to(cr, x + 3, y - 4);
  cairo_line_to(cr, x + 5, y + 1);
  cairo_stroke(cr);
  cairo_save(cr);
  cairo_translate(cr, neckX, neckY - 5.0);
  cairo_scale(cr, 1.35, 1.35);
  SheepInSack(cr, 0, 0, lookBack);
  cairo_restore(cr);
  // The tied neck over the sheep's throat.
  rig::Blob(cr, {Oval{neckX, neckY, 4.2, 2.6}}, kSack, neckX, neckY, 4, 1.0);
  art::SetColour(cr, Hex(0x7a5a2e));
  cairo_set_line_width(cr, 1.4);
  cairo_move_to(cr, neckX - 3.6, neckY + 1.2);
  cairo_line_to(cr, neckX + 3.6, neckY + 1.2);
  cairo_stroke(cr);
}

void DrawTorso(cairo_t* cr, const Joints& j, const Pose& p) {
  cairo_save(cr);
  cairo_translate(cr, j.hip.x, j.hip.y);
  cairo_rotate(cr, rig::Rad(p.lean));
  // A long coat, wider at the hem.
  cairo_new_path(cr);
  cairo_move_to(cr, -6.5, -kTorso);
  cairo_curve_to(cr, -2, -kTorso - 2.5, 4, -kTorso - 2.5, 6.5, -kTorso + 0.5);
  cairo_curve_to(cr, 8.2, -12, 8.5, -4, 8.5, 6);
  cairo_curve_to(cr, 3, 7.5, -3, 7.5, -8.5, 6.5);
  cairo_curve_to(cr, -8.5, -4, -8.2, -12, -6.5, -kTorso);
  cairo_close_path(cr);
  art::FillShadedOutlined(cr, kCoat, -1, -12, 14, 1.2);
  // Belt, lapel, patch.
  art::SetColour(cr, Hex(0x3a2a20));
  cairo_rectangle(cr, -8.2, -3.5, 16.6, 2.6);
  cairo_fill(cr);
  art::SetColour(cr, Hex(art::palette::kGold));
  cairo_rectangle(cr, 3.2, -3.8, 2.6, 3.2);
  cairo_fill(cr);
  art::SetColour(cr, art::Shade(kCoat, 0.7));
  cairo_set_line_width(cr, 1.0);
  cairo_move_to(cr, 4.5, -kTorso + 1);
  cairo_line_to(cr, 2.5, -6);
  cairo_stroke(cr);
  rig::FlatBlob(cr, {Oval{-3.5, 1.5, 2.4, 2.0, 10}}, Hex(0x8c7a5a), 0.7);
  cairo_restore(cr);
}

void DrawHead(cairo_t* cr, const Joints& j, const Pose& p) {
  cairo_save(cr);
  cairo_translate(cr, j.head.x, j.head.y);
  cairo_rotate(cr, rig::Rad(p.headTilt + p.lean * 0.3));
  // Scarf round the neck, ear, head.
  rig::Blob(cr, {Oval{-0.5, 6.8, 5.6, 2.8, 8}}, kScarf, -1, 6, 5, 1.0);
  rig::Blob(cr, {Oval{0, 0, 6.4, 6.6}, Oval{2.2, 3.4, 4.8, 3.6}}, kSkin, -1.5, -2, 7, 1.1);
  // Stubble on the jaw.
  art::SetColour(cr, art::Shade(kSkin, 0.72));
  for (const auto& d : {Oval{1.5, 5.2, 0.45, 0.45}, Oval{3.2, 5.6, 0.45, 0.45},
                        Oval{4.8, 5.0, 0.45, 0.45}, Oval{0.2, 4.2, 0.45, 0.45},
                        Oval{2.6, 4.4, 0.45, 0.45}}) {
    rig::AddOvals(cr, {d});
  }
  cairo_fill(cr);
  rig::Blob(cr, {Oval{-2.6, 0.6, 1.6, 2.2}}, art::Shade(kSkin, 0.95), -2.6, 0, 2, 0.8);
  // The mask across the eyes, with the eye in it.
  art::RoundedRect(cr, -1.2, -2.8, 8.0, 3.4, 1.6);
  art::FillOutlined(cr, kMask, 0.8);
  art::SetColour(cr, Hex(0xfbf8f0));
  rig::AddOvals(cr, {Oval{3.6, -1.1, 1.3, 1.1}});
  cairo_fill(cr);
  art::SetColour(cr, Hex(0x1a1412));
  rig::AddOvals(cr, {Oval{4.1, -1.0, 0.6, 0.7}});
  cairo_fill(cr);
  // A big nose.
  rig::Blob(cr, {Oval{6.6, 1.2, 2.4, 2.0}}, Hex(0xd98f70), 6, 0.5, 2.5, 0.9);
  // Mouth.
  if (p.face == kShout) {
    rig::FlatBlob(cr, {Oval{4.2, 4.4, 1.9, 1.6}}, Hex(0x6e2a2a), 0.7);
  } else {
    art::SetColour(cr, Hex(0x6e3a2a));
    cairo_set_line_width(cr, 0.9);
    cairo_new_path(cr);
    if (p.face == kStrain) {
      cairo_move_to(cr, 2.4, 4.6);
      cairo_line_to(cr, 5.8, 4.2);
    } else {
      cairo_arc(cr, 3.8, 2.8, 2.2, rig::Rad(30), rig::Rad(120));
    }
    cairo_stroke(cr);
  }
  // Hair at the back, then the hat: crown with a band over a wide brim.
  rig::Blob(cr, {Oval{-5.2, -2.5, 2.4, 3.2, 20}}, Hex(0x3a281e), -5, -3, 3, 0.8);
  rig::Blob(cr, {Oval{0.5, -5.3, 12.0, 2.5, -4}}, kHat, -2, -6, 9, 1.1);
  cairo_new_path(cr);
  cairo_move_to(cr, -6.0, -5.8);
  cairo_curve_to(cr, -6.4, -11, -4.5, -13.6, 0, -13.4);
  cairo_curve_to(cr, 4.5, -13.6, 6.2, -11.5, 5.8, -6.6);
  cairo_close_path(cr);
  art::FillShadedOutlined(cr, kHat, -2, -11, 7, 1.1);
  art::SetColour(cr, kBand);
  cairo_new_path(cr);
  cairo_move_to(cr, -6.1, -7.2);
  cairo_line_to(cr, 5.9, -7.8);
  cairo_line_to(cr, 5.9, -9.6);
  cairo_line_to(cr, -6.2, -9.0);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_restore(cr);
}

void DrawBandit(cairo_t* cr, const Pose& p) {
  cairo_translate(cr, 24 + p.dx, 70 + p.dy);
  cairo_scale(cr, kScale, kScale);
  const Joints j = Place(p);
  const double lean = rig::Rad(p.lean);
  // Sack on the back: below and behind the shoulder, its neck over the
  // shoulder and the rope in the near hand.
  const double backX = j.shoulder.x - std::cos(lean) * 9 - 2, backY = j.shoulder.y + 8;
  const double neckX = j.shoulder.x - 10, neckY = j.shoulder.y - 0.5;

  DrawLeg(cr, j, kFar, true);
  DrawArm(cr, j, kFar, true);
  if (p.crookHand == kFar) DrawCrook(cr, j.hand[kFar], p.crook, true);
  if (p.sack == kSackOnBack) {
    DrawSack(cr, backX, backY, neckX, neckY, 1);
  }
  DrawLeg(cr, j, kNear, false);
  DrawTorso(cr, j, p);
  DrawHead(cr, j, p);
  if (p.sack == kSackInArms) {
    const double x = (j.hand[kNear].x + j.hand[kFar].x) / 2 + 1;
    const double y = (j.hand[kNear].y + j.hand[kFar].y) / 2;
    DrawSack(cr, x + 2, y + 2, x, y - 7, -1);
  }
  if (p.sack == kSackOnBack) {
    // The rope from the sack's neck over the shoulder to the hand.
    art::SetColour(cr, Hex(0x7a5a2e));
    cairo_set_line_width(cr, 1.5);
    cairo_move_to(cr, neckX + 2, neckY);
    cairo_curve_to(cr, j.shoulder.x - 1, j.shoulder.y - 3, j.shoulder.x + 3, j.shoulder.y - 2,
                   j.hand[kNear].x, j.hand[kNear].y);
    cairo_stroke(cr);
  }
  DrawArm(cr, j, kNear, false);
  if (p.crookHand == kNear) DrawCrook(cr, j.hand[kNear], p.crook, false);
  if (p.crookHand == kNear) {
    // Fingers over the staff.
    rig::Blob(cr, {Oval{j.hand[kNear].x, j.hand[kNear].y, 2.6, 2.4}}, kSkin, j.hand[kNear].x,
              j.hand[kNear].y, 3, 0.9);
  }
}

}  // namespace

bool DrawStrip(const std::string& path) {
  art::Strip strip(64, 80, 34);
  for (const Pose& pose : Poses()) {
    cairo_t* cr = strip.BeginCell(pose.cell);
    DrawBandit(cr, pose);
    strip.EndCell();
  }
  return strip.Save(path);
}

}  // namespace bandit
