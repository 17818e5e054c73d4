#pragma once

#include <cairo.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/picture_collection.h"

namespace assetgen {

// How an image's patterns lie in its picture: a grid, row by row, with optional gaps.
struct TLayout {
  int patternWidth = 0;
  int patternHeight = 0;
  int columns = 1;
  int rows = 1;
  int skipWidth = 0;
  int skipHeight = 0;
};

// Draws pattern `frame` into a patternWidth × patternHeight box at the origin.
using TDrawFrame = std::function<void(cairo_t* cr, int frame)>;

// One image of a list as assetgen makes it: its name, pattern grid, how each pattern is
// drawn, and how the game is to draw it.
struct TDrawnImage {
  std::string name;
  TLayout layout;
  TDrawFrame draw;
  bool transparent = true;
  bool systemMemory = false;
  // The item's pattern size is written as 0 ("the whole picture") for single pictures.
  bool wholePicture = false;
};

// Adds one drawn image to a collection: frames drawn cell by cell, colour-keyed, stored
// as a 24-bit DIB with the key as its transparent colour.
void AddImage(engine::TPictureCollection& list, const TDrawnImage& image);

// A single picture of one pattern.
TDrawnImage Single(const std::string& name, int width, int height, TDrawFrame draw);
// `count` patterns in one row.
TDrawnImage Strip(const std::string& name, int width, int height, int count, TDrawFrame draw);

}  // namespace assetgen
