// The play field's geometry and states, named once: the field's rectangle on the 640 x 480
// design screen, the placement grid's cells, the sprite transform's constants, and what the
// play_state and game_paused globals (in game/Quarrelwick.h) hold. Constants only.
#pragma once

#include "Engine/EngMath.h"

// The field in design units: right of the 100-unit shop column, above the 30-unit bottom bar.
// Field coordinates run from -1 to 1 across it on both axes.
constexpr float QW_FIELD_LEFT = 100.0f, QW_FIELD_TOP = 0.0f, QW_FIELD_WIDTH = 540.0f, QW_FIELD_HEIGHT = 450.0f;

enum { QW_GRID_SIZE = 512 };
// Placement grid cells: 0 free, 1 road, 2 under a weapon, 3 the house or solid scenery (the
// path data's other non-zero bytes).
enum { QW_GRID_SOLID = 3 };
// The field (-1 .. 1) spans QW_GRID_SPAN cells from QW_GRID_MARGIN; those are the cells a weapon
// may stand on, the margin round them is off the field.
enum { QW_GRID_MARGIN = 32, QW_GRID_SPAN = 448 };
constexpr int QW_GRID_FIRST_USABLE = QW_GRID_MARGIN, QW_GRID_LAST_USABLE = QW_GRID_MARGIN + QW_GRID_SPAN - 1;
// Coordinates this far from the centre are far off the grid (and their cell would overflow).
constexpr float QW_GRID_FAR = 4.0f;

// A field coordinate's cell before any edge policy: may lie outside 0 .. QW_GRID_SIZE - 1.
inline int QwGridCellUnclamped(float v) {
  return EngMathRound((v + 1.0f) * float(QW_GRID_SPAN) * 0.5f) + QW_GRID_MARGIN;
}

// Angles are radians with 0 along +x; a sprite drawn at this angle shows as made (facing up).
constexpr float QW_FACING_UP = ENG_MATH_PI * 0.5f;
// The play field is wider than high: squashed sprites are narrowed by this so that square
// sprites stay square.
constexpr float QW_SPRITE_SQUASH = 0.84375f;

// play_state: what a press on the field does.
enum {
  QW_PLAY_IDLE = 0,     // selects or nothing
  QW_PLAY_PLACING = 1,  // places weapon_placing_type, chosen in the shop column
};

// game_paused (kept in saved games as this byte).
enum {
  QW_GAME_RUNNING = 0,
  QW_GAME_PAUSED = 1,       // by the player (Space or the Pause button)
  QW_GAME_NOT_STARTED = 2,  // a new game waits for Start
};
