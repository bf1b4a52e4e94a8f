#include "game/Sprites.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "Engine/EngDevice.h"
#include "Engine/EngMain.h"
#include "Engine/EngTexture.h"
#include "game/Quarrelwick.h"

namespace {

struct Batch {
  EngTexture *tex;
  std::vector<_EngTextureSpriteInfo> sprites;
};

bool collecting = false;
// Per layer, the batches in the order their textures were first used.
std::vector<Batch> layers[SPRITES_LAYERS];
long drawn_count = 0;

}  // namespace

long SpritesGetDrawnCount() { return drawn_count; }

void SpritesForgetTexture(const EngTexture *tex) {
  for (auto &l : layers)
    l.erase(std::remove_if(l.begin(), l.end(), [tex](const Batch &b) { return b.tex == tex; }), l.end());
}

long SpritesGetBatchCount() {
  long count = 0;
  for (const auto &l : layers) count += long(l.size());
  return count;
}

void SpritesResetForTests() {
  collecting = false;
  for (auto &l : layers) l.clear();
}

void SpritesBegin() {
  for (auto &l : layers)
    for (Batch &b : l) b.sprites.clear();
  collecting = true;
}

void SpritesAdd(int layer, EngTexture *tex, float x, float y, float ox, float oy, float angle, char squash, float half,
                const _TexCoords *part, float r, float g, float b, float a) {
  SpritesAddRect(layer, tex, x, y, ox, oy, angle, squash, -half, -half, 2.0f * half, 2.0f * half, part, r, g, b, a);
}

void SpritesAddRect(int layer, EngTexture *tex, float x, float y, float ox, float oy, float angle, char squash,
                    float rx, float ry, float rw, float rh, const _TexCoords *part, float r, float g, float b,
                    float a) {
  if (!tex || !(rw > 0.0f) || !(rh > 0.0f)) return;
  if (!collecting || layer < 0 || layer >= SPRITES_LAYERS) {
    drawn_count++;
    QuarrelwickSetupPosAndZRotMatrices(x, y, ox, oy, angle, squash, 1);
    tex->PositionPure(rx, ry, rw, rh);
    if (part)
      tex->DrawPartWithColourPure(part, r, g, b, a);
    else
      tex->DrawWithColourPure(r, g, b, a);
    QuarrelwickRestoreAfterSettingUpPosAndZRotMatrices();
    return;
  }
  std::vector<Batch> &l = layers[layer];
  Batch *batch = nullptr;
  for (Batch &candidate : l)
    if (candidate.tex == tex) batch = &candidate;
  if (!batch) {
    l.push_back({tex, {}});
    batch = &l.back();
  }
  _TexCoords full;
  if (!part) {
    tex->RestoreTexCoordinates();
    const _TexCoords *tc = tex->GetTexCoordinates();
    if (!tc) return;
    full = *tc;
    part = &full;
  }
  // The sprite transform: squash, move by -offset, turn by pi/2 - angle, move to the point.
  const float turn = QW_FACING_UP - angle, c = std::cos(turn), s = std::sin(turn);
  const float sx = squash ? QW_SPRITE_SQUASH : 1.0f;
  _EngTextureSpriteInfo sprite;
  sprite.part = *part;
  sprite.colour[0] = r;
  sprite.colour[1] = g;
  sprite.colour[2] = b;
  sprite.colour[3] = a;
  // The part's corners placed on the field, in strip order (left-bottom, right-bottom, left-top,
  // right-top): the rectangle runs from its left to its right and from its top (at -ry, up in
  // these units) down.
  const float corner_x[4] = {rx, rx + rw, rx, rx + rw}, corner_y[4] = {-ry - rh, -ry - rh, -ry, -ry};
  for (int k = 0; k < 4; k++) {
    const float px = corner_x[k] * sx - ox, py = corner_y[k] - oy;
    sprite.position[k][0] = px * c - py * s + x + ox;
    sprite.position[k][1] = px * s + py * c + oy - y;
    sprite.position[k][2] = 0.0f;
  }
  batch->sprites.push_back(sprite);
}

void SpritesFlush() {
  collecting = false;
  if (!eng_main_device) return;
  // The kept corners are in play-field units already: draw them untransformed.
  QuarrelwickSetupPosAndZRotMatrices(0.0f, 0.0f, 0.0f, 0.0f, QW_FACING_UP, 0, 1);
  for (auto &l : layers)
    for (Batch &b : l)
      if (!b.sprites.empty()) {
        // Drawn over their pictures' outlines as the game draws a frame; whole the old way.
        drawn_count +=
            b.tex->DrawSpriteList(b.sprites.data(), EngInt32(b.sprites.size()), QuarrelwickFrameShortcutsOn());
        b.sprites.clear();
      }
  QuarrelwickRestoreAfterSettingUpPosAndZRotMatrices();
}
