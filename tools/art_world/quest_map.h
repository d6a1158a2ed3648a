// A quest map's layout as read from the map layout file, and the geometry
// the painters share: the path through the level spots and free-place tests.
#pragma once

#include <string>
#include <vector>

namespace world {

struct Point {
  double x = 0, y = 0;
};

struct MapLayout {
  int imageId = 0, buttonId = 0;
  std::string stem, theme, name;
  Point entry;
  std::vector<Point> spots;
  std::vector<Point> path;  // the path sampled every few pixels
};

// Reads the map named `stem` from the layout file; exits with a message on a
// missing file, an unknown map or a malformed line.
MapLayout ReadMapLayout(const std::string& file, const std::string& stem);

// Distance from p to the nearest sample of the path.
double DistanceToPath(const MapLayout& map, Point p);
// True when p is at least `spotGap` from every spot and `pathGap` from the path.
bool IsFree(const MapLayout& map, Point p, double spotGap, double pathGap);

}  // namespace world
