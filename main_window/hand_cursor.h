#pragma once

#include <QCursor>

// A 32 x 32 monochrome pointing hand whose hot spot (6, 0) is the tip of the
// index finger.
QCursor PointingHandCursor();
