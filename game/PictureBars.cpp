#include "game/PictureBars.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngTexture.h"
#include "Engine/EngWindow.h"

static EngTexture *bar_tex = nullptr;
static EngTexture *edge_tex = nullptr;

// Sizes in design units, so the bars scale with the picture beside them.
static const float kTileSize = 64.0f;
static const float kEdgeSize = 8.0f;

static char Load(EngTexture **slot, const char *name) {
  if (*slot && (*slot)->IsOk()) return 1;
  if (!*slot) *slot = new EngTexture();
  if ((*slot)->LoadFromFile(name, 1, 2, 0) && (*slot)->IsOk()) return 1;
  DebugErrorAlt(ENG_FUNC, "Could not load texture <%s>", name);
  delete *slot;
  *slot = nullptr;
  return 0;
}

char PictureBarsCreateGraphics() {
  // Without them the bars stay the clear colour: worth a line in the log, not a failed start.
  Load(&bar_tex, "PictureBar.tga");
  Load(&edge_tex, "PictureBarEdge.tga");
  return 1;
}

void PictureBarsDestroyGraphics() {
  delete bar_tex;
  bar_tex = nullptr;
  delete edge_tex;
  edge_tex = nullptr;
}

namespace {

struct Rect {
  float x, y, w, h;
};

// A quad over window pixels (whole-window viewport) with the texture's coordinates given at
// its corners: u along x, v along y, each from its first to its second value; turned says
// that u runs down and v across instead.
struct Quad {
  Rect r;
  float u0, u1, v0, v1;
  bool turned;
};

void AddQuad(std::vector<_EngTextureCornersInfo> *out, const Quad &q, const _TexCoords &tc, float W, float H) {
  const float left = 2.0f * q.r.x / W - 1.0f, right = 2.0f * (q.r.x + q.r.w) / W - 1.0f;
  const float top = 1.0f - 2.0f * q.r.y / H, bottom = 1.0f - 2.0f * (q.r.y + q.r.h) / H;
  // Strip order: left-bottom, right-bottom, left-top, right-top.
  const float pos[4][2] = {{left, bottom}, {right, bottom}, {left, top}, {right, top}};
  const float across[4] = {0, 1, 0, 1}, down[4] = {1, 1, 0, 0};
  _EngTextureCornersInfo c;
  for (int k = 0; k < 4; k++) {
    const float a = q.turned ? down[k] : across[k], b = q.turned ? across[k] : down[k];
    const float u = q.u0 + (q.u1 - q.u0) * a, v = q.v0 + (q.v1 - q.v0) * b;
    c.position[k][0] = pos[k][0];
    c.position[k][1] = pos[k][1];
    c.position[k][2] = 0.0f;
    c.tex_coords[k][0] = tc.left + (tc.right - tc.left) * u;
    c.tex_coords[k][1] = tc.top + (tc.bottom - tc.top) * v;
    for (int i = 0; i < 4; i++) c.colour[k][i] = 1.0f;
  }
  out->push_back(c);
}

// Tiles of the lawn over one bar, laid from the picture's corner so the pattern runs on
// unbroken from bar to bar; the outer ones cut to the bar.
void AddTiles(std::vector<Quad> *out, const Rect &bar, float ox, float oy, float tile) {
  const float first_x = ox + tile * std::floor((bar.x - ox) / tile);
  const float first_y = oy + tile * std::floor((bar.y - oy) / tile);
  for (float ty = first_y; ty < bar.y + bar.h; ty += tile)
    for (float tx = first_x; tx < bar.x + bar.w; tx += tile) {
      const float x0 = std::max(tx, bar.x), y0 = std::max(ty, bar.y);
      const float x1 = std::min(tx + tile, bar.x + bar.w), y1 = std::min(ty + tile, bar.y + bar.h);
      if (x1 <= x0 || y1 <= y0) continue;
      out->push_back({{x0, y0, x1 - x0, y1 - y0},
                      (x0 - tx) / tile,
                      (x1 - tx) / tile,
                      (y0 - ty) / tile,
                      (y1 - ty) / tile,
                      false});
    }
}

void Draw(EngTexture *tex, const std::vector<Quad> &quads, float W, float H) {
  if (!tex || quads.empty()) return;
  tex->RestoreTexCoordinates();
  const _TexCoords *tc = tex->GetTexCoordinates();
  if (!tc) return;
  std::vector<_EngTextureCornersInfo> corners;
  for (const Quad &q : quads) AddQuad(&corners, q, *tc, W, H);
  tex->DrawSpecifyingCornersList(corners.data(), EngInt32(corners.size()));
}

}  // namespace

void PictureBarsRender() {
  EngDevice *device = eng_main_device;
  if (!device) return;
  const _EngPictureArea p = EngWindowPictureArea();
  const EngInt32 W = eng_main_window_width, H = eng_main_window_height;
  if (p.x <= 0 && p.y <= 0) return;
  const float px = float(p.x), py = float(p.y), pr = float(p.x + p.width), pb = float(p.y + p.height);
  const float scale = float(p.width) / 640.0f;
  const float tile = std::max(8.0f, kTileSize * scale), edge = std::max(2.0f, kEdgeSize * scale);
  std::vector<Quad> tiles, edges;
  if (p.x > 0) {
    const Rect left = {0, 0, px, float(H)}, right = {pr, 0, float(W) - pr, float(H)};
    AddTiles(&tiles, left, px, py, tile);
    AddTiles(&tiles, right, px, py, tile);
    // The strip's left end is the picture's side.
    edges.push_back({{px - edge, 0, edge, float(H)}, 1, 0, 0, 1, false});
    edges.push_back({{pr, 0, edge, float(H)}, 0, 1, 0, 1, false});
  }
  if (p.y > 0) {
    const Rect top = {0, 0, float(W), py}, bottom = {0, pb, float(W), float(H) - pb};
    AddTiles(&tiles, top, px, py, tile);
    AddTiles(&tiles, bottom, px, py, tile);
    edges.push_back({{0, py - edge, float(W), edge}, 1, 0, 0, 1, true});
    edges.push_back({{0, pb, float(W), edge}, 0, 1, 0, 1, true});
  }
  char blending = 0;
  EngInt32 source = 0, destination = 0;
  device->GetBlendingState(&blending, &source, &destination);
  device->SetViewportToSize(0, 0, W, H);
  device->DisableBlending();
  Draw(bar_tex, tiles, float(W), float(H));
  device->EnableBlendingType(0);
  Draw(edge_tex, edges, float(W), float(H));
  device->SetBlendingState(blending, source, destination);
  device->SetViewportFullScreen();
}
