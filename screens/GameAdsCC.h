// The other-games screen, 'GADS': one of the maker's other games at a time (GameAds), with
// Prev, Next and the arrow keys to step, a main button that downloads the game (or opens its
// page, or says where to find it), Tell A Friend, and Back. Presses are acted on at the next
// tick, never inside the toolkit's report of them.
#pragma once

#include "screens/layouts/GameAdsCollectionController.h"

class MWinScreens;

class GameAdsCC : public GameAdsCollectionController {
 public:
  explicit GameAdsCC(MWinScreens *screens);

  void StartingCB(void *data) override;
  void TickCB() override;
  void RenderCB(_MWinRenderStage) override {}
  char ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) override;
  // The cached widgets go with the layout's pointers, whenever the collection may have gone.
  void RemoveVars() override;

  void CreateGraphics();
  void DestroyGraphics();
  void UseBrowseStyle() { m_browse_style = 1; }
  void CustomiseAppearence(char style, float scale1, float scale2);
  char GetStyle() const { return m_style; }
  float GetScale1() const { return m_scale1; }
  float GetScale2() const { return m_scale2; }
  void PrevCB();
  void NextCB();
  void BackCB();

  MWinButton *GetMainButton() const { return m_main; }
  char IsPulsing() const { return m_pulse; }

 private:
  MWinButton *Find(const char *id, char report);
  void ForgetWidgets();
  // The loaded pictures into the picture widgets of the row's kind.
  void AttachPictures();
  void MainButtonCB();

  MWinScreens *m_screens_p;
  MWinButton *m_pending;
  char m_browse_style;
  char m_style;
  float m_scale1, m_scale2;
  MWinButton *m_prev, *m_next, *m_back, *m_tell, *m_main;
  MWinButton *m_pic1_bg, *m_pic1, *m_pic2_bg, *m_pic2, *m_pic_cen, *m_pic_cen_bg;
  char m_pulse;
};
