#pragma once

#include "graph/TRectangle.h"

// Cuts the segment (x1, y1)-(x2, y2), in pixels, to the rectangle r
// (Right and Bottom included, as a line drawn on its border). False when
// nothing of it is inside or a coordinate is not finite; the ends are then
// unchanged.
bool coupeSegment(double& x1, double& y1, double& x2, double& y2, const TRectangle& r);
