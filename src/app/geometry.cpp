#include "app/geometry.h"

int RectsOverlap(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2) {
  // Wide arithmetic: positions near the int limits must not overflow.
  long long X1 = x1, Y1 = y1, X2 = x2, Y2 = y2;
  bool a = Y1 - (Y2 + h2) >= 0;
  bool b = Y1 + h1 - Y2 >= 0;
  bool c = X1 - (X2 + w2) >= 0;
  bool d = X1 + w1 - X2 >= 0;
  return (a != b && c != d) ? 1 : 0;
}
