#pragma once

#include "render/canvas.h"
#include "render/curve_piece.h"

#include <span>

namespace ovilan {

// The exact pixels of a curve: each piece's ends rounded to pixels and the line between them
// stamped with the pen's brush (width 1..5; any other width draws nothing) where the dash pattern,
// shortened by the brush, is on. A dash starts with the whole brush, then only its leading edges
// are stamped. The pattern runs on across pieces and through pixels outside the clip box, so a
// repaint of a small area gives the pixels of a full paint.
void drawPixelCurve(Canvas& canvas, CurvePieces& pieces, const Pen& pen);

} // namespace ovilan
