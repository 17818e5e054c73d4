#pragma once

namespace gameplay {

// Where a sound made at x across the field is heard between the speakers, as a pan from −1
// (left) to 1 (right). The field's edges sit well to each side but never in one ear alone, so
// a kill at the edge still reaches both; beyond the edges (a hunter rolling in, a shot on its
// way out) it is heard at the edge.
float EffectPan(double fieldX);

}  // namespace gameplay
