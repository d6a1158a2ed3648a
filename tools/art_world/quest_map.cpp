#include "art_world/quest_map.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace world {
namespace {

[[noreturn]] void Fail(const std::string& file, int line, const std::string& what) {
  std::fprintf(stderr, "%s:%d: %s\n", file.c_str(), line, what.c_str());
  std::exit(1);
}

// Catmull-Rom through the entry and the spots, sampled about every 4 pixels.
std::vector<Point> SamplePath(const std::vector<Point>& knots) {
  std::vector<Point> out;
  const int n = static_cast<int>(knots.size());
  for (int i = 0; i + 1 < n; ++i) {
    const Point p0 = knots[std::max(0, i - 1)], p1 = knots[i], p2 = knots[i + 1],
                p3 = knots[std::min(n - 1, i + 2)];
    const double len = std::hypot(p2.x - p1.x, p2.y - p1.y);
    const int steps = std::max(2, static_cast<int>(len / 4));
    for (int s = 0; s < steps; ++s) {
      const double t = double(s) / steps, t2 = t * t, t3 = t2 * t;
      auto cr = [&](double a, double b, double c, double d) {
        return 0.5 * (2 * b + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 +
                      (-a + 3 * b - 3 * c + d) * t3);
      };
      out.push_back({cr(p0.x, p1.x, p2.x, p3.x), cr(p0.y, p1.y, p2.y, p3.y)});
    }
  }
  out.push_back(knots.back());
  return out;
}

}  // namespace

MapLayout ReadMapLayout(const std::string& file, const std::string& stem) {
  std::ifstream in(file);
  if (!in) Fail(file, 0, "cannot read the map layout file");
  MapLayout map;
  bool inMap = false, found = false, haveEntry = false;
  std::string text;
  int lineNo = 0;
  while (std::getline(in, text)) {
    ++lineNo;
    std::istringstream line(text);
    std::string word;
    if (!(line >> word) || word[0] == '#') continue;
    if (word == "map") {
      std::string thisStem, theme;
      int id = 0, button = 0;
      if (!(line >> id >> button >> thisStem >> theme)) Fail(file, lineNo, "malformed map line");
      inMap = thisStem == stem;
      if (!inMap) continue;
      found = true;
      map.imageId = id, map.buttonId = button, map.stem = thisStem, map.theme = theme;
      std::getline(line >> std::ws, map.name);
      if (map.name.empty()) Fail(file, lineNo, "map without a name");
    } else if (word == "entry" || word == "spot") {
      Point p;
      if (!(line >> p.x >> p.y)) Fail(file, lineNo, "malformed " + word + " line");
      if (!inMap) continue;
      if (word == "entry") map.entry = p, haveEntry = true;
      else map.spots.push_back(p);
    } else {
      Fail(file, lineNo, "unknown keyword '" + word + "'");
    }
  }
  if (!found) Fail(file, lineNo, "no map named " + stem);
  if (!haveEntry || map.spots.empty()) Fail(file, lineNo, stem + " needs an entry and spots");
  std::vector<Point> knots = {map.entry};
  knots.insert(knots.end(), map.spots.begin(), map.spots.end());
  map.path = SamplePath(knots);
  return map;
}

double DistanceToPath(const MapLayout& map, Point p) {
  double best = 1e9;
  for (const Point& q : map.path) best = std::min(best, std::hypot(p.x - q.x, p.y - q.y));
  return best;
}

bool IsFree(const MapLayout& map, Point p, double spotGap, double pathGap) {
  for (const Point& s : map.spots)
    if (std::hypot(p.x - s.x, p.y - s.y) < spotGap) return false;
  return DistanceToPath(map, p) >= pathGap;
}

}  // namespace world
