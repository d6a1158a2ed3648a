// Integer rectangles and the overlap test that scenery, conditions and
// controls share.
#pragma once

class Area {
 public:
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// 1 when the rectangles overlap.  Touching along the first rectangle's right
// or bottom edge counts as overlap; touching its left or top edge does not.
int RectsOverlap(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2);
