#include "players/Splash.h"

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngDim.h"
#include "Engine/EngMain.h"
#include "Engine/EngPicture.h"
#include "Engine/EngWindow.h"

namespace {

enum : EngUInt8 { kTakeStartTime = 1, kStartTimeTaken = 0, kEnded = 255 };

char splash_setup = 0;  // 0 not set up, 2 with a picture
char splash_on = 0;
char splash_stage = 0;
float splash_level = 0;
double splash_start_time = 0;
EngUInt8 splash_start_time_flag = kStartTimeTaken;
SPLASH_WAIT_CB splash_wait_cb = nullptr;
SPLASH_DONE_CB splash_done_cb = nullptr;
void *splash_context = nullptr;
float splash_x = 0, splash_y = 0, splash_w = 0, splash_h = 0;
char splash_narrow = 0;

// Never deleted: it outlives every screen; its textures go with SplashEnd or the device.
EngPicture *Picture() {
  static EngPicture *picture = new EngPicture();
  return picture;
}

void UpdatePictureDimensions() {
  float x = 200, y = 115, w = 240, h = 250;
  if (splash_w > 0) {
    x = splash_x;
    y = splash_y;
    w = splash_w;
    h = splash_h;
    if (splash_narrow) {
      float narrowed = h * eng_main_window_y_narrowscreen_ratio;
      y += (h - narrowed) / 2;
      h = narrowed;
    }
  }
  // As wide as high on the screen: the design space is stretched over the window's pixels, each
  // axis apart, so the width follows the window's shape.
  if (eng_main_window_width > 0 && eng_main_window_height > 0) {
    float centre = x + w / 2;
    w = 4.0f / 3.0f * h * float(eng_main_window_height) / float(eng_main_window_width);
    x = centre - w / 2;
  }
  Picture()->SetDrawArea(x, y, w, h);
}

}  // namespace

char SplashSetupPicture(const char *folder, const char *file, const char *, EngFont *, float, float,
                        SPLASH_GET_TEXT_CB, SPLASH_WAIT_CB wait_cb, SPLASH_DONE_CB done_cb, void *context) {
  splash_wait_cb = wait_cb;
  splash_done_cb = done_cb;
  splash_context = context;
  // The splash's textures are read as its description names them, past any renaming hook.
  EngPicture_SetTextureFileOverwriteCB(nullptr);
  if (!file || !Picture()->LoadFromFile(folder, file, 0)) {
    DebugErrorAlt(ENG_FUNC, "Could not load the splash picture <%s>", file ? file : "");
    return 0;
  }
  splash_setup = 2;
  return 1;
}

void SplashSetPictureDimension(float x, float y, float w, float h, char narrow_screen) {
  splash_x = x;
  splash_y = y;
  splash_w = w;
  splash_h = h;
  splash_narrow = narrow_screen;
  UpdatePictureDimensions();
}

char SplashStart() {
  if (!DebugCheckOkAlt(splash_setup != 0, ENG_FUNC, "Splash not setup")) return 0;
  if (!DebugCheckOkAlt(!splash_on, ENG_FUNC, "Splash is already on")) return 0;
  if (!DebugCheckOkAlt(eng_main_device != nullptr, ENG_FUNC, "No device")) return 0;
  splash_stage = SPLASH_STAGE_FADING_IN;
  splash_level = 0;
  splash_on = 1;
  SplashCreateGraphics();
  for (int i = 0; i < 2; i++) {
    eng_main_device->ClearScreenBuffer();
    eng_main_device->SwapBuffers();
  }
  splash_start_time_flag = kTakeStartTime;
  return 1;
}

void SplashShowNow() {
  splash_level = 1;
  splash_stage = SPLASH_STAGE_SHOWN;
}

char SplashTick() {
  if (!eng_main_device || !splash_on) return 0;
  Picture()->Tick(1.0f);
  double now = eng_main_current_time;
  if (splash_start_time_flag == kTakeStartTime) {
    splash_start_time = now;
    splash_start_time_flag = kStartTimeTaken;
  }
  switch (splash_stage) {
    case SPLASH_STAGE_FADING_IN: {
      // Dark for 0.8 s, then brighter over 1.6 s.
      float level = float((now - splash_start_time) * 1000.0 / 1600.0 - 0.5);
      splash_level = level < 0 ? 0 : level;
      if (splash_level > 1) {
        splash_level = 1;
        splash_stage = SPLASH_STAGE_SHOWN;
        splash_start_time = now;
      }
      break;
    }
    case SPLASH_STAGE_SHOWN: {
      double shown = now - splash_start_time;
      char done = splash_wait_cb ? splash_wait_cb(shown, splash_context) : char(shown >= 2.0);
      if (done) {
        splash_stage = SPLASH_STAGE_FADING_OUT;
        splash_start_time = now;
      }
      break;
    }
    case SPLASH_STAGE_FADING_OUT: {
      float level = float(1.0 - (now - splash_start_time) * 1000.0 / 1500.0);
      splash_level = level > 1 ? 1 : level;
      if (splash_level <= 0) {
        splash_level = 0;
        splash_stage = SPLASH_STAGE_DONE;
      }
      break;
    }
    case SPLASH_STAGE_DONE: SplashEnd(); break;
    default: break;
  }
  return 1;
}

char SplashRender(char clear) {
  if (!splash_on || !eng_main_device) return 0;
  if (clear == 1) eng_main_device->ClearScreenBuffer();
  if (clear == 2) eng_main_device->ClearScreenAndDepthBuffers();
  if (splash_stage < SPLASH_STAGE_FADING_IN) return 1;
  char prepared = eng_main_device->PrepareFor2DIfNeeded(1);
  char began = eng_main_device->BeginRenderingIfNeeded();
  Picture()->Draw();
  if (splash_level < 1) EngDimDarkenScreen(1.0f - splash_level);
  if (prepared) eng_main_device->RestoreAfter2D();
  if (began) eng_main_device->EndRendering();
  return 1;
}

void SplashEnd() {
  char was_on = splash_on;
  SplashDestroyGraphics();
  Picture()->Destroy();
  splash_on = 0;
  splash_start_time_flag = kEnded;
  if (was_on && splash_done_cb) splash_done_cb(splash_context);
}

char SplashIsOn() { return splash_on; }

char SplashCreateGraphics() {
  if (splash_on) {
    if (!Picture()->AreGraphicsCreated()) Picture()->CreateGraphics();
    UpdatePictureDimensions();
  }
  return 1;
}

void SplashDestroyGraphics() {
  Picture()->DestroyGraphics();
  EngDimTurnOff();
}

char SplashGetStage() { return splash_stage; }
float SplashGetFadeLevel() { return splash_level; }
EngPicture *SplashGetPicture() { return Picture(); }

void SplashResetForTests() {
  SplashDestroyGraphics();
  Picture()->Destroy();
  splash_setup = splash_on = splash_stage = 0;
  splash_level = 0;
  splash_start_time = 0;
  splash_start_time_flag = kStartTimeTaken;
  splash_wait_cb = nullptr;
  splash_done_cb = nullptr;
  splash_context = nullptr;
  splash_x = splash_y = splash_w = splash_h = 0;
  splash_narrow = 0;
}
