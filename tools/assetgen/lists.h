#pragma once

#include <cairo.h>

#include "engine/picture_collection.h"
#include "objects/bonus_kind.h"

// The images of the two lists, by the part of the game they serve.
namespace assetgen {

void AddMenuImages(engine::TPictureCollection& list);   // Res1: menus, windows, screens
void AddHelpImages(engine::TPictureCollection& list);   // Res1: the help pictures
void AddWorldImages(engine::TPictureCollection& list);  // Res2: sky and hills
void AddCastImages(engine::TPictureCollection& list);   // Res2: craft, wingman, enemies
void AddItemImages(engine::TPictureCollection& list);   // Res2: shots, blasts, bonuses
void AddHudImages(engine::TPictureCollection& list);    // Res2: the panel strip and icons

// Bonus pictures are drawn for the field and for the help page alike.
void DrawBonus(cairo_t* cr, objects::TBonusKind kind, int frame);

}  // namespace assetgen
