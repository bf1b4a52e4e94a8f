// The toolkit root's list of collections (one per screen, plus the popup collection): which
// one is active, routing input to the one under the cursor or the active one, ticking and
// drawing them in order. Owns every collection.
#pragma once

#include "Engine/MWin/MWinTypes.h"

class MWinDesktop {
 public:
  explicit MWinDesktop(MWin *mwin);
  ~MWinDesktop();
  MWinDesktop(const MWinDesktop &) = delete;
  MWinDesktop &operator=(const MWinDesktop &) = delete;

  MWinCollection *AddCollection(const char *id);
  char DoesCollectionExist(const char *id);
  MWinCollection *GetCollectionFromID(const char *id, char report);
  char RemoveCollection(const char *id);
  void RemoveAllCollections();
  char SetActiveCollection(const char *id);
  void ActivateCollectionUnderMouse();
  MWinCollection *GetActiveCollection();
  MWinWindow *GetActiveWindow();
  MWinButton *GetActiveButton();
  MWinCollection *GetFirstCollection() { return m_first; }
  char IsAlive() const { return m_alive; }
  void SetDarken(char on, float alpha);

  char Tick();
  // With darken_now 0 the darkening behind a popup is left for RenderDarkening, so that what the
  // program draws between the two dims with the windows.
  void RenderAllExceptPopupCollection(char darken_now = 1);
  void RenderDarkening();
  char RenderPopupCollection();
  char HandleMouseMove();
  char HandleButtonPressed(char button, char state, char flag);
  char HandleMouseButtonDoubleClicked(char button);
  char HandleMouseWheel(int delta);
  char HandleKeyDown(int key);
  char HandleKeyDownUChar(unsigned char c);
  char HandleKeyUp(int key);

  char CreateGraphicsObjects();
  void DestroyGraphicsObjects();
  char CreateBgTextures();
  void DestroyBgTextures();

 private:
  MWinCollection *GetCollectionUnderMouse();
  char DoActivateCollectionUnderMouse();
  // Calls f on every active collection in order, stopping when a call removed the collection,
  // the desktop or the toolkit. Returns 0 when it went through them all.
  template <typename F>
  char ForActiveCollections(F f);

  char m_alive = 1;
  MWin *m_mwin;
  MWinCollection *m_first = nullptr;
  char m_darken = 0;
  float m_darken_alpha = 0.5f;
};
