#include "game/Sprites.h"

#include <cmath>
#include <vector>

#include "Engine/EngDevice.h"
#include "Engine/EngMain.h"
#include "Engine/EngTexture.h"
#include "game/Quarrelwick.h"

namespace {

struct Batch {
  EngTexture *tex;
  std::vector<_EngTextureCornersInfo> quads;
};

bool collecting = false;
// Per layer, the batches in the order their textures were first used.
std::vector<Batch> layers[SPRITES_LAYERS];
long drawn_count = 0;

}  // namespace

long SpritesGetDrawnCount() { return drawn_count; }

void SpritesResetForTests() {
  collecting = false;
  for (auto &l : layers) l.clear();
}

void SpritesBegin() {
  for (auto &l : layers)
    for (Batch &b : l) b.quads.clear();
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
  // Corners in strip order: left-bottom, right-bottom, left-top, right-top (a picture placed
  // at (rx, ry) reaches down the screen, which is up in these units, so its top is at -ry).
  const float left = rx, right = rx + rw, top = -ry, bottom = -ry - rh;
  const float kCorner[4][2] = {{left, bottom}, {right, bottom}, {left, top}, {right, top}};
  const float u[4] = {part->left, part->right, part->left, part->right};
  const float v[4] = {part->bottom, part->bottom, part->top, part->top};
  _EngTextureCornersInfo q;
  for (int k = 0; k < 4; k++) {
    const float px = kCorner[k][0] * sx - ox, py = kCorner[k][1] - oy;
    q.position[k][0] = px * c - py * s + x + ox;
    q.position[k][1] = px * s + py * c + oy - y;
    q.position[k][2] = 0.0f;
    q.tex_coords[k][0] = u[k];
    q.tex_coords[k][1] = v[k];
    q.colour[k][0] = r;
    q.colour[k][1] = g;
    q.colour[k][2] = b;
    q.colour[k][3] = a;
  }
  batch->quads.push_back(q);
}

void SpritesFlush() {
  collecting = false;
  if (!eng_main_device) return;
  // The kept corners are in play-field units already: draw them untransformed.
  QuarrelwickSetupPosAndZRotMatrices(0.0f, 0.0f, 0.0f, 0.0f, QW_FACING_UP, 0, 1);
  for (auto &l : layers)
    for (Batch &b : l)
      if (!b.quads.empty()) {
        b.tex->DrawSpecifyingCornersList(b.quads.data(), EngInt32(b.quads.size()));
        drawn_count += long(b.quads.size());
        b.quads.clear();
      }
  QuarrelwickRestoreAfterSettingUpPosAndZRotMatrices();
}
