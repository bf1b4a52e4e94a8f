// A picture inside any widget: the caller's texture, drawn with a blending type, optional
// texture coordinates and borders, or the caller's layered picture, animated with the widget's
// tick. Nothing here owns what it shows.
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngMain.h"
#include "Engine/EngPicture.h"
#include "Engine/EngTexture.h"
#include "Engine/MWin/MWinButton.h"

void MWinButton::PictureReset() { memset(&m_picture, 0, sizeof(m_picture)); }

char MWinButton::PictureAttachTextureToButton(EngTexture *texture, EngInt32 blend_type) {
  if (!texture) {
    DebugErrorAlt(ENG_FUNC, "No texture");
    PictureReset();
    return 0;
  }
  if (!texture->IsOk()) DebugErrorAlt(ENG_FUNC, "Warning: texture is not loaded");
  m_picture.kind = static_cast<signed char>(blend_type + MWIN_PICTURE_TEXTURE_BASE);
  m_picture.texture = texture;
  m_picture.picture = nullptr;
  m_picture.tc_set = 0;
  return 1;
}

char MWinButton::PictureAttachPictureToButton(EngPicture *picture, char animate) {
  if (!picture) {
    DebugErrorAlt(ENG_FUNC, "No picture");
    PictureReset();
    return 0;
  }
  m_picture.kind = MWIN_PICTURE_PICTURE;
  m_picture.picture = picture;
  m_picture.animate = animate;
  m_picture.texture = nullptr;
  m_picture.tc_set = 0;
  return 1;
}

char MWinButton::PictureSetBlendType(EngInt32 blend_type) {
  if (m_picture.kind <= MWIN_PICTURE_PICTURE) {
    DebugErrorAlt(ENG_FUNC, "No picture attached.");
    return 0;
  }
  m_picture.kind = static_cast<signed char>(blend_type + MWIN_PICTURE_TEXTURE_BASE);
  return 1;
}

char MWinButton::PictureSetTextureCoordinates(float left, float top, float right, float bottom) {
  if (!m_picture.texture || !m_picture.texture->IsOk()) {
    DebugErrorAlt(ENG_FUNC, "Texture Not Ok");
    return 0;
  }
  m_picture.tc_left = left;
  m_picture.tc_top = top;
  m_picture.tc_right = right;
  m_picture.tc_bottom = bottom;
  m_picture.tc_set = 1;
  return 1;
}

char MWinButton::PictureSetTextureCoordinates(const _TexCoords *tc) {
  if (!tc) return PictureSetTextureCoordinates(0.0f, 0.0f, 1.0f, 1.0f);
  return PictureSetTextureCoordinates(tc->left, tc->top, tc->right, tc->bottom);
}

void MWinButton::PictureSetBorders(float left, float top, float right, float bottom) {
  m_picture.border_left = left * m_actual_area.width / 100.0f;
  m_picture.border_right = right * m_actual_area.width / 100.0f;
  m_picture.border_top = top * m_actual_area.height / 100.0f;
  m_picture.border_bottom = bottom * m_actual_area.height / 100.0f;
  m_picture.borders_set = 1;
}

void MWinButton::PictureSetBorders(float x, float y) { PictureSetBorders(x, y, x, y); }

void MWinButton::PictureSetBorders(float all) { PictureSetBorders(all, all, all, all); }

char MWinButton::PictureTick() {
  if (m_picture.kind != MWIN_PICTURE_PICTURE || !m_picture.picture || !m_picture.animate) return 0;
  m_picture.picture->Tick(1.0f);
  return 1;
}

char MWinButton::PictureDraw() {
  if (!eng_main_device || eng_main_device_type != 1 || !m_picture.kind) return 0;
  float x = m_actual_area.x, y = m_actual_area.y, w = m_actual_area.width, h = m_actual_area.height;
  if (m_picture.borders_set == 1.0f) {
    x += m_picture.border_left;
    y += m_picture.border_top;
    w -= m_picture.border_left + m_picture.border_right;
    h -= m_picture.border_top + m_picture.border_bottom;
  }
  // Borders wider than the widget would turn the picture inside out beyond its edges.
  if (!(w > 0) || !(h > 0)) return 0;
  char drawn = 0;
  eng_main_device->SaveOrRestoreBlendingState(1);
  if (m_picture.kind == MWIN_PICTURE_PICTURE) {
    if (m_picture.picture) {
      m_picture.picture->SetDrawArea(x, y, w, h);
      if (m_colouring)
        m_picture.picture->DrawWithAlpha(m_colour.a);
      else
        m_picture.picture->Draw();
      drawn = 1;
    }
  } else if (m_picture.kind >= MWIN_PICTURE_TEXTURE_BASE && m_picture.texture) {
    eng_main_device->EnableBlendingType(m_picture.kind - MWIN_PICTURE_TEXTURE_BASE);
    if (m_colouring)
      m_picture.texture->SetColour(&m_colour);
    else
      m_picture.texture->SetColour(1.0f, 1.0f, 1.0f, 1.0f);
    m_picture.texture->PositionRatioed(x, y, w, h);
    if (m_picture.tc_set == 1.0f) {
      // Drawing a part leaves its coordinates on the texture; the caller's texture keeps its own.
      float left, top, right, bottom;
      m_picture.texture->GetTCs(&left, &top, &right, &bottom);
      drawn = m_picture.texture->DrawPart(m_picture.tc_left, m_picture.tc_top, m_picture.tc_right,
                                          m_picture.tc_bottom);
      m_picture.texture->SetTextureCoordinates(left, top, right, bottom);
    } else {
      drawn = m_picture.texture->Draw();
    }
  }
  eng_main_device->SaveOrRestoreBlendingState(0);
  return drawn;
}
