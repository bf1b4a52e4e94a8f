// A screen of text at 1024 by 768: about 40 word-wrapped lines of 60 characters in the game's
// main font (two channels, shadow, blur), laid out and drawn the way a text box draws it.
#include <GL/glew.h>
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "Engine/EngDevice.h"
#include "Engine/EngFont.h"
#include "benchmarks/BenchmarkWindow.h"

namespace {

const int kWidth = 1024, kHeight = 768;
const char *const kVeraBold = "/usr/share/fonts/truetype/ttf-bitstream-vera/VeraBd.ttf";

struct Scene : qwbench::GlWindow {
  EngFont *font = nullptr;
  std::string text;
  float box_w = 0, box_h = 0;

  bool Open() {
    if (!OpenWindow(kWidth, kHeight)) return false;

    font = new EngFont;
    _EngFontCreationEffects fx = {};
    fx.margin = 2;
    fx.shadow_x = 7;
    fx.shadow_y = 6;
    fx.shadow_opacity = 0.76655f;
    fx.blur_first = 3;
    fx.blur_opacity = 2;
    font->SetCreationEffects(&fx);
    if (!font->CreateFromFontFile(kVeraBold, 1, 0, 32, 32, 254, nullptr, 0, 0.1604040f, 0.2048890f, 1.000135f,
                                  6.747f))
      return false;
    // Small enough for 40 lines in the 480-unit-high design space.
    font->SetScale(0.8f, 0.8f);

    // Words of 2 to 9 letters, as prose; the box holds about 60 characters a line.
    srand(11);
    while (text.size() < 40 * 60) {
      int letters = 2 + rand() % 8;
      for (int i = 0; i < letters; i++) text += (char)('a' + rand() % 26);
      text += ' ';
    }
    float average = font->GetStringWidth(text.c_str()) / (float)text.size();
    box_w = average * 60;
    box_h = 470;
    return true;
  }
};

Scene *OpenScene() {
  // One window for every run; the process's end takes it down.
  static Scene scene;
  static bool opened = scene.Open();
  return opened ? &scene : nullptr;
}

void BM_TextScreenWrappedAndDrawn(benchmark::State &state) {
  Scene *scene = OpenScene();
  if (!scene) {
    state.SkipWithError("no OpenGL window or font (is DISPLAY set, is ttf-bitstream-vera installed?)");
    return;
  }
  scene->device->SetClearColour(0.1f, 0.2f, 0.3f);
  scene->device->ClearScreen();
  int lines = 0;
  for (auto _ : state) {
    EngFontPrepareForDrawing(1);
    scene->font->DrawMultilineText(10, 5, scene->box_w, scene->box_h, 0, 0, scene->text.c_str(), 1, 0, nullptr,
                                   nullptr, &lines, nullptr);
    EngFontRestoreAfterDrawing();
    glFinish();
  }
  state.counters["lines"] = lines;
  state.counters["characters"] = (double)scene->text.size();
}

void BM_TextScreenLayoutOnly(benchmark::State &state) {
  Scene *scene = OpenScene();
  if (!scene) {
    state.SkipWithError("no OpenGL window or font (is DISPLAY set, is ttf-bitstream-vera installed?)");
    return;
  }
  int lines = 0;
  for (auto _ : state) {
    scene->font->DrawMultilineText(10, 5, scene->box_w, scene->box_h, 0, 0, scene->text.c_str(), 0, 0, nullptr,
                                   nullptr, &lines, nullptr);
    benchmark::DoNotOptimize(lines);
  }
  state.counters["lines"] = lines;
}

BENCHMARK(BM_TextScreenWrappedAndDrawn)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_TextScreenLayoutOnly)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
