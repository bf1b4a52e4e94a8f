#include "Engine/MWin/MWinID.h"

#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinWindow.h"

char MWinCopyID(char *dest, const char *src) {
  if (!dest) {
    DebugError("MWinCopyID", "No Dest ID");
    return 0;
  }
  if (!src) {
    DebugError("MWinCopyID", "No Source ID");
    return 0;
  }
  if (strnlen(src, MWIN_ID_SIZE) >= size_t(MWIN_ID_SIZE)) {
    DebugError("MWinCopyID", "Source string Too Long <%.*s>", 255, src);
    return 0;
  }
  EngSafeStrcpy(dest, src, MWIN_ID_SIZE);
  return 1;
}

char MWinIsIDEmpty(const char *id) { return (!id || !id[0]) ? 1 : 0; }

char MWinAreIDsTheSame(const char *a, const char *b) {
  if (MWinIsIDEmpty(a) || MWinIsIDEmpty(b)) return 0;
  return strcmp(a, b) == 0 ? 1 : 0;
}

const char *MWinDisplayID(const char *id) { return MWinIsIDEmpty(id) ? "(empty id)" : id; }

_Dimension *MWinCopyArea(_Dimension *dest, const _Dimension *src) {
  if (!dest || !src) {
    DebugError("MWinCopyArea", "Parameter Error");
    return nullptr;
  }
  *dest = *src;
  return dest;
}

_Dimension *MWinSetArea(_Dimension *area, float x, float y, float w, float h) {
  if (!area) {
    DebugError("MWinSetArea", "Parameter Error");
    return nullptr;
  }
  area->x = x;
  area->y = y;
  area->width = w;
  area->height = h;
  return area;
}

static MWinButton *StepButtons(MWinButton *button, int n, char forwards, const char *signature) {
  if (!button) {
    DebugErrorAlt(signature, "No button");
    return nullptr;
  }
  if (n < 0) {
    DebugErrorAlt(signature, "Bad num ahead number");
    return nullptr;
  }
  MWinWindow *window = button->GetWindow();
  for (int i = 0; i < n && button; i++) {
    if (window)
      button = forwards ? window->GetNextButton(button) : window->GetPrevButton(button);
    else
      button = forwards ? button->GetNext() : button->GetPrev();
  }
  if (!button) DebugErrorAlt(signature, forwards ? "Next button not found" : "Prev button not found");
  return button;
}

MWinButton *MWinGetNextButton(MWinButton *button, int n) { return StepButtons(button, n, 1, ENG_FUNC); }

MWinButton *MWinGetPrevButton(MWinButton *button, int n) { return StepButtons(button, n, 0, ENG_FUNC); }

void MWinShowButton(MWinButton *button, char show) {
  if (!button) return;
  if (show)
    button->SetShownFlag(1);
  else
    button->Hide();
}

void MWinHideButton(MWinButton *button) {
  if (button) button->Hide();
}

void MWinEnableButton(MWinButton *button, char enable) {
  if (!button) return;
  if (enable)
    button->Enable();
  else
    button->Disable();
}

void MWinDisableButton(MWinButton *button) {
  if (button) button->Disable();
}

float MWinApplyWidescreenRatioToXPos(float x, float width) {
  float r = eng_main_window_x_widescreen_ratio;
  return r == 1.0f ? x : x + (width - r * width) * 0.5f;
}

float MWinApplyNarrowscreenRatioToYPos(float y, float height) {
  float r = eng_main_window_y_narrowscreen_ratio;
  return r == 1.0f ? y : y + (height - r * height) * 0.5f;
}

float MWinUnapplyWidescreenRatioToXPos(float x, float width) {
  float r = eng_main_window_x_widescreen_ratio;
  return r == 1.0f ? x : x + (width - r * width) * -0.5f;
}
