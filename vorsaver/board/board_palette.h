// The day board's colours on a screen of 256: the palette it realizes, made
// of the team's colours, their blends, and Windows' twenty fixed colours.
#pragma once

#include <vector>

#include "common/palette.h"

namespace vorsaver::board {

// At most 256 colours: the twenty fixed ones first, then the team's six,
// then the blends the board's edges, gradients and text are made of, each
// colour once.
std::vector<common::Rgb> BoardPalette();

}  // namespace vorsaver::board
