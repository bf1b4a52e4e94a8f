#include "Engine/MWin/MWinCheckbox.h"

#include <algorithm>

#include "Engine/EngDebug.h"
#include "Engine/EngFont.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinSettings.h"
#include "Engine/MWin/MWinTextures.h"

MWinCheckbox::MWinCheckbox(MWin *mwin, const char *id, MWinGroup *group, const char *back_texbut_id,
                           const ENG_CHAR *text, float x, float y, float w, float h)
    : MWinButton(mwin, id, group, MWIN_BUTTON_CHECKBOX, back_texbut_id, text, x, y, w, h) {
  CheckboxReset();
}

MWinCheckbox *MWinCheckbox::From(MWinButton *button) {
  if (!button) return nullptr;
  if (button->GetType() != MWIN_BUTTON_CHECKBOX) {
    DebugErrorAlt(ENG_FUNC, "button %s not a checkbox", MWinDisplayID(button->GetID()));
    return nullptr;
  }
  return static_cast<MWinCheckbox *>(button);
}

void MWinCheckbox::CheckboxReset() {
  m_check_state = 0;
  m_text_end_x = 0;
  SetReady(1);
}

char MWinCheckbox::CheckboxSet(char value, char call) {
  if (value != 0 && value != 1) {
    DebugErrorAlt(ENG_FUNC, "Invalid check parameter: %d", int(value));
    return 0;
  }
  if (IsLeftArrowShown() || IsRightArrowShown()) DebugErrorAlt(ENG_FUNC, "Arrows must be 0");
  m_check_state = value;
  EngInt32 kind = GetRegisteredVariable()->kind;
  if (kind == MWIN_REGVAR_INT || kind == MWIN_REGVAR_CHAR || kind == MWIN_REGVAR_UCHAR) WriteRegisteredVariable(value);
  if (GetMWin()) GetMWin()->RenderNeeded();
  if (call && HasCallback()) {
    _MWinButtonCallbackInfo info;
    FillCallbackInfo(&info);
    info.checkbox_state = EngUInt8(value);
    CallCallback(&info);
  }
  return 1;
}

char MWinCheckbox::CheckboxRegisterIntVariable(int *var, char call) {
  if (GetType() != MWIN_BUTTON_CHECKBOX) return 0;
  RegisterIntVariable(var, 1);
  if (!var) return 1;
  return CheckboxSet(char(*var & 0xFF), call);
}

char MWinCheckbox::CheckboxRegisterCharVariable(char *var, char call) {
  if (GetType() != MWIN_BUTTON_CHECKBOX) return 0;
  RegisterCharVariable(var);
  if (!var) return 1;
  return CheckboxSet(*var, call);
}

void MWinCheckbox::CheckboxHandleMouseButtonPressed(char button, char pressed) {
  if (button == 0 && pressed) CheckboxSet(m_check_state ? 0 : 1, 1);
}

char MWinCheckbox::CheckboxHandleMouseButtonDoubleClicked(char button) {
  if (button != 0) return 0;
  CheckboxSet(m_check_state ? 0 : 1, 1);
  return 1;
}

char MWinCheckbox::HandleMouseButtonPressed(char button, char pressed, char flag) {
  (void)flag;
  if (!IsReady()) return 0;
  if (!(IsActive() && IsEnabled() && IsShown())) {
    MWinButton::HandleMouseButtonPressCanceled();
    return 0;
  }
  if (button != 0) return 0;
  GetMWin()->RenderNeeded();
  // The callback may remove this checkbox: nothing of it is read afterwards.
  CheckboxHandleMouseButtonPressed(0, pressed);
  return 1;
}

char MWinCheckbox::HandleMouseButtonDoubleClicked(char button) {
  if (!ShouldHandleMouseButtonDoubleClicked(button)) return 0;
  return CheckboxHandleMouseButtonDoubleClicked(button);
}

// ---- Drawing ----

void MWinCheckbox::GetSpacing(float *box_w, float *gap, float *margin) {
  MWinLayoutSettings *layout = GetLayoutSettings();
  float scale = GetAutoResizeScaleX();
  *box_w = layout ? layout->checkbox_width * scale : 0;
  *gap = layout ? layout->checkbox_gap * scale : 0;
  *margin = layout ? layout->checkbox_margin * scale : 0;
}

void MWinCheckbox::RenderBack(_MWinTextureState state) {
  MWinButton::RenderBack(state);
  CheckboxRenderButton(state);
}

void MWinCheckbox::RenderText() {
  MWinButton::RenderText();  // sets the font's colour and scale
  CheckboxRenderText(GetRenderState());
}

void MWinCheckbox::CheckboxRenderButton(_MWinTextureState state) {
  MWin *mwin = GetMWin();
  MWinLayoutSettings *layout = GetLayoutSettings();
  if (!mwin || !mwin->GetTextures() || !layout) return;
  float box_w, gap, margin;
  GetSpacing(&box_w, &gap, &margin);
  float box_h = layout->checkbox_height;
  const _Dimension *a = GetActualArea();
  float y = a->y + (a->height - box_h) / 2;
  float x;
  if (HasText()) {
    switch (GetTextAlign()) {
      case MWIN_ALIGN_LEFT: x = a->x + margin; break;
      case MWIN_ALIGN_RIGHT: x = a->x + a->width - box_w - margin; break;
      default:
        // The box follows the centred text, whose end is known only once it was drawn.
        if (m_text_end_x == 0) return;
        x = std::max(std::min(m_text_end_x + gap, a->x + a->width - box_w - margin), a->x + margin);
        break;
    }
  } else {
    x = a->x + (a->width - box_w) / 2;
  }
  MWinTextures *textures = mwin->GetTextures();
  int num = textures->GetStandardTexButNum(m_check_state ? MWIN_STDTEX_CHECK_BUTTON : MWIN_STDTEX_UNCHECK_BUTTON);
  textures->DrawTextureButton(num, state, x, y, box_w, box_h, GetColouringMode() ? GetColour() : nullptr);
}

void MWinCheckbox::CheckboxRenderText(_MWinTextureState state) {
  (void)state;
  EngFont *font = GetTextFont();
  if (!HasText() || !font) return;
  float box_w, gap, margin;
  GetSpacing(&box_w, &gap, &margin);
  float s = box_w + margin + gap;
  _Dimension *area = GetActualArea();
  const _Dimension kept = *area;
  switch (GetTextAlign()) {
    case MWIN_ALIGN_LEFT:
      area->x += s;
      area->width -= s;
      RenderNormalText();
      break;
    case MWIN_ALIGN_RIGHT:
      area->width -= s;
      RenderNormalText();
      break;
    case MWIN_ALIGN_CENTRE:
      area->x += s;
      area->width -= 2 * s;
      font->RecordNextTextXPos(std::max(GetTextLength(0), GetTextLength(1)));
      RenderNormalText();
      m_text_end_x = font->RecordNextTextXPos(-1);
      break;
    default: break;
  }
  *area = kept;
}
