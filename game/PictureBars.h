// The bars beside the 4:3 picture on a window wider than it (above and below on a taller one):
// a quiet tiled lawn, with the game's dark outline and a soft shadow where it meets the picture.
// Drawn over the whole window, before anything else of a frame; nothing when the picture fills it.
#pragma once

char PictureBarsCreateGraphics();
void PictureBarsDestroyGraphics();
void PictureBarsRender();
