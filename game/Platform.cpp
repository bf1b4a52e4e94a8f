#include "game/Platform.h"

#include "Engine/EngDebug.h"
#include "Engine/EngTexture.h"

namespace {

struct PlatformEntry {
  char code;
  const char *name;
  int column, row;
};

const PlatformEntry kPlatforms[] = {
    {'M', "Mac", 0, 0},     {'m', "Mac", 0, 0},        {'W', "PC", 1, 0},          {'I', "iPhone", 2, 0},
    {'P', "iPad", 3, 0},    {'A', "Android", 0, 1},    {'L', "Linux", 1, 1},       {'R', "Windows RT", 2, 1},
    {'S', "Surface", 3, 1}, {'F', "Kindle", 0, 2},     {'r', "Windows Phone", 1, 2}, {'B', "BlackBerry", 2, 2},
    {'b', "PlayBook", 3, 2},
};

const int kMaxUnknownReports = 20;

EngTexture *platform_tex = nullptr;
int unknown_reports = 0;

const PlatformEntry *FindPlatform(char code) {
  for (const PlatformEntry &entry : kPlatforms)
    if (entry.code == code) return &entry;
  return nullptr;
}

}  // namespace

char PlatformGetCurrentPlatform(char) { return 'L'; }

const char *PlatformGetCurrentPlatformAsString(char) { return "Linux"; }

const char *PlatformGetPlatformAsString(char code) {
  const PlatformEntry *entry = FindPlatform(code);
  return entry ? entry->name : "Unknown";
}

char PlatformIsPlatformValid(char code, char report) {
  if (FindPlatform(code)) return 1;
  if (report) DebugErrorAlt(ENG_FUNC, "Invalid platform '%d'.", int(code));
  return 0;
}

char PlatformGetIconCell(char code, float *left, float *top, float *right, float *bottom) {
  const PlatformEntry *entry = FindPlatform(code);
  if (!entry) return 0;
  if (left) *left = 0.25f * float(entry->column) + 0.01f;
  if (top) *top = 0.25f * float(entry->row) + 0.01f;
  if (right) *right = 0.25f * float(entry->column) + 0.24f;
  if (bottom) *bottom = 0.25f * float(entry->row) + 0.24f;
  return 1;
}

char PlatformAreGraphicsLoaded() { return (platform_tex && platform_tex->IsOk()) ? 1 : 0; }

char PlatformCreateGraphics() {
  if (PlatformAreGraphicsLoaded()) return 1;
  if (!platform_tex) platform_tex = new EngTexture();
  if (!platform_tex->LoadFromPngFile("Platform.png", 1, 2, 0)) {
    DebugErrorAlt(ENG_FUNC, "Could not create texture");
    return 0;
  }
  return 1;
}

void PlatformDestroyGraphics() {
  if (!platform_tex) return;
  if (platform_tex->IsOk()) platform_tex->Destroy();
  delete platform_tex;
  platform_tex = nullptr;
}

void PlatformDrawIcon(char code, _Dimension *rect, float alpha) {
  if (!PlatformAreGraphicsLoaded() || !rect) return;
  float left, top, right, bottom;
  if (!PlatformGetIconCell(code, &left, &top, &right, &bottom)) {
    if (unknown_reports < kMaxUnknownReports) {
      unknown_reports++;
      DebugErrorAlt(ENG_FUNC, "Unknown platform: %s", DebugOutsideText(&code, 1).c_str());
    }
    return;
  }
  platform_tex->PositionRatioed(rect);
  platform_tex->DrawPartWithColour(left, top, right, bottom, 1.0f, 1.0f, 1.0f, alpha);
  if (alpha != 1.0f) platform_tex->SetColour(1.0f, 1.0f, 1.0f, 1.0f);
}

void PlatformResetForTests() {
  delete platform_tex;
  platform_tex = nullptr;
  unknown_reports = 0;
}
