#include "screens/MainControl.h"

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngPicture.h"
#include "Engine/EngVarious.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/Resolution.h"
#include "game/Main.h"

static const char *const kTitleFile = "QuarrelwickTitle.ttx";
static char title_refused = 0;

// Never deleted: the picture outlives every screen, and its textures go with the device.
EngPicture *MainControlGetTitlePicture() {
  static EngPicture *mc_title_picture = new EngPicture();
  return mc_title_picture;
}

void MainControlResetForTests() {
  MainControlDestroyGraphics();
  title_refused = 0;
}

char MainControlCreateGraphics() {
  // The game makes its graphics again when they come back, this picture with them.
  if (title_refused || EngMainGraphicsAreDown()) return 0;
  EngPicture *picture = MainControlGetTitlePicture();
  if (picture->LoadFromFile(nullptr, kTitleFile, 0) && picture->CreateGraphics()) return 1;
  DebugErrorAlt(ENG_FUNC, "Could not load the title picture <%s>; the menus show no title", kTitleFile);
  picture->Destroy();
  title_refused = 1;
  return 0;
}

void MainControlSetupTitleButton(MWinButton *button) {
  if (!button) return;
  button->SetBackTexButToNone();
  button->PictureAttachPictureToButton(MainControlGetTitlePicture(), 1);
}

void MainControlDestroyGraphics() {
  EngPicture *picture = MainControlGetTitlePicture();
  picture->DestroyGraphics();
  picture->Destroy();
}

const char *MainControlGetGamePageAddress() { return MainGetResolutionLinkCB(RESOLUTION_LINK_HOME); }

void MainControlTitleButtonClicked(MWinButton *button) {
  if (!button) return;
  VariousGoOnline(button->GetMWin(), nullptr, MainControlGetGamePageAddress(), 1, 1, 1, 0);
}
