#include "screens/HelpCC.h"

#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"
#include "Engine/EngPicture.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinScreens.h"
#include "Engine/MWin/MWinScriptButton.h"
#include "Engine/MWin/MWinWindow.h"
#include "game/Game.h"
#include "players/UserClass.h"
#include "players/UserInfo.h"
#include "screens/MainControl.h"
#include "screens/ScreensText.h"
#include "screens/VQ_Screens.h"

namespace {

// The game's help, page by page (a null text is none).
struct HelpText {
  const char *token;
  const char *english;
};
struct HelpPage {
  HelpText title_a, text_a, text_a2, title_b, text_b, text_b2, text_b3;
};

constexpr HelpText kNoText = {nullptr, nullptr};

const HelpPage kPages[HELP_NUM_PAGES] = {
    {{"Help_Title_1_A", "Objective"},
     {"Help_Text_1_A",
      "Your objective is to kill all bugs in your garden before they reach your house by destroying them with a "
      "variety of weapons."},
     kNoText,
     {"Help_Title_1_B", "Creating Factories & Weapons"},
     {"Help_Text_1_B",
      "Before you can create any weapons, you must first create a factory for that weapon. To create a factory, "},
     {"Help_Text_1_C",
      "first select one by clicking on it with the mouse. Next move the mouse onto your garden and then click again to "
      "place the factory."},
     {"Help_Text_1_D",
      "\n\nAfter you create a factory one of your weapons will be available. Repeat the procedure above to place a "
      "weapon in the garden."}},
    {{"Help_Title_2_A", "Upgrading"},
     {"Help_Text_2_A", "A weapon can be upgraded to improve its capabilities. To upgrade a weapon "},
     {"Help_Text_2_B",
      "To upgrade a weapon click on it and select \"Upgrade\" or simply press the \"U\" key when the mouse is over the "
      "weapon."},
     {"Help_Title_2_C", "Full Upgrades"},
     {"Help_Text_2_C",
      "A \"Full Upgrade\" upgrades a weapon to its maximum level, but takes the time and price of each of the "
      "individual upgrades added together. "},
     {"Help_Text_2_D",
      "Select \"Full Upgrade\" or press the \"F\" key to do a full upgrade of the selected weapon.\n\nThe weapons "
      "level is displayed when you move the mouse over it."},
     kNoText},
    {{"Help_Title_3_A", "Weapons"},
     {"Help_Text_3_A",
      "Weapons all have the following basic characteristics:\n\nLEVEL:  The weapons current upgrade level.\nPRICE:  "
      "How much the weapon or upgrade costs.\nRANGE:  How near to the weapon a bug can be detected.\nRELOAD RATE:  How "
      "often the weapon fires.\nDAMAGE:  How much damage the weapon inflicts.\nSLOWDOWN:  How much the weapon slows "
      "down a bug."},
     {"Help_Text_3_B",
      "\n\nThese characteristics are shown in a window when you select a weapon. The numbers shown on the right in the "
      "window represent the characteristics for the next upgrade level."},
     kNoText,
     kNoText,
     kNoText,
     kNoText},
    {{"Help_Title_4_A", "Targeting"},
     {"Help_Text_4_A",
      "You can also control the targeting mode of the weapon by selecting one of the following modes in the weapon "
      "info window:\n\nFRONT:  Target the front most bug in range (default setting)\nBACK:  Target the back most bug "
      "in range.\nSTRONG:  Target the strongest bug in range.\nWEAK:  Target the weakest bug in range.\nNEAR:  Target "
      "the nearest bug in range."},
     kNoText,
     {"Help_Title_4_B", "Pausing & Resuming"},
     {"Help_Text_4_B",
      "Press the spacebar or the PAUSE or RESUME button to pause the progress of the bugs. This pauses upgrades also, "
      "but you still have full control of your weapons."},
     kNoText,
     kNoText},
    {{"Help_Title_5", "Tips"},
     {"Help_Text_5",
      "Factories, weapons and upgrades costs money. Spend wisely.\n\nBugs are only targeted when inside the weapons "
      "range. The range is shown as a circle around the weapon and it increases with each upgrade.\n\nThe spray "
      "weapons are best used for slowing down the bugs.\n\nSell older weapons when they become ineffective against the "
      "stronger bugs."},
     kNoText,
     kNoText,
     kNoText,
     kNoText,
     kNoText},
};

const char *const kKeysText =
    "U: Upgrade Weapon\n\nF: Full Upgrade Weapon\n\nG: Place Gun\n\nS: Place Spray\n\nP: Place Projectile\n\nSpace: "
    "Pause/Resume\n\nEscape: Menus";

const char *Text(const HelpText &text) { return text.token ? ScreensText(text.token, text.english) : nullptr; }

}  // namespace

char *HelpCC_UpdatesTextsFromTexts(const char *title_a, const char *text_a, const char *text_a2, const char *title_b,
                                   const char *text_b, const char *text_b2, const char *text_b3) {
  const char *parts[] = {title_a, text_a, text_a2, title_b, text_b, text_b2, text_b3};
  // 64 covers the tags and line breaks.
  size_t size = 64;
  for (const char *part : parts)
    if (part) size += strlen(part);
  char *out = static_cast<char *>(EngMalloc(size, ENG_FUNC, 0));
  if (!out) return nullptr;
  out[0] = 0;
  auto add = [out](const char *part) {
    if (part) strcat(out, part);
  };
  add("<0>");
  add(title_a);
  add("\n\n");
  add(text_a);
  add(text_a2);
  if (title_b) {
    add("\n\n\n<1>");
    add(title_b);
    add("\n\n");
    add(text_b);
    add(text_b2);
    add(text_b3);
  }
  return out;
}

HelpCC::HelpCC() : hcc_page_num(0), hcc_page_text(nullptr) {}

HelpCC::~HelpCC() { FreePageText(); }

void HelpCC::FreePageText() {
  if (MWinScriptButton *box = GetInfoBox()) box->ClearText();
  if (hcc_page_text) EngFree(hcc_page_text, 0, ENG_FUNC);
  hcc_page_text = nullptr;
}

void HelpCC::EnablePrevAndNext() {
  if (mwinHelpHelpPrevButton) {
    if (hcc_page_num > 0)
      mwinHelpHelpPrevButton->Enable();
    else
      mwinHelpHelpPrevButton->Disable();
  }
  if (mwinHelpHelpNextButton) {
    if (hcc_page_num < HELP_NUM_PAGES - 1)
      mwinHelpHelpNextButton->Enable();
    else
      mwinHelpHelpNextButton->Disable();
  }
}

void HelpCC::StartingCB(void *) {
  hcc_page_num = 0;
  EnablePrevAndNext();
  if (mwinHelpHelpWindow && mwinHelpHelpBackButton) mwinHelpHelpWindow->SetEscapeButton(mwinHelpHelpBackButton);
  if (mwinHelpHelpKeysButton && m_mwin && m_mwin->GetScreenLayout() != ENG_LAYOUT_DESKTOP)
    mwinHelpHelpKeysButton->Hide();
  // The screen before (main menu or pause) let the title picture go as it left.
  if (mwinHelpHelpTitleButton && !MainControlGetTitlePicture()->AreGraphicsCreated()) MainControlCreateGraphics();
  MainControlSetupTitleButton(mwinHelpHelpTitleButton);
  UserClass *user = m_game ? m_game->GetLoadedUser() : nullptr;
  if (user) user->GetInfo()->options.tutorial_on = 1;
  UpdateText();
}

void HelpCC::UpdateText() {
  FreePageText();
  if (hcc_page_num >= HELP_NUM_PAGES) {
    DebugErrorAlt(ENG_FUNC, "Bad page num %d.", int(hcc_page_num));
    return;
  }
  const HelpPage &page = kPages[hcc_page_num];
  hcc_page_text =
      HelpCC_UpdatesTextsFromTexts(Text(page.title_a), Text(page.text_a), Text(page.text_a2), Text(page.title_b),
                                   Text(page.text_b), Text(page.text_b2), Text(page.text_b3));
  if (!hcc_page_text) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return;
  }
  if (MWinScriptButton *box = GetInfoBox()) box->SetTextPointer(hcc_page_text);
  if (hcc_page_num == HELP_NUM_PAGES - 1 && mwinHelpHelpBackButton)
    mwinHelpHelpBackButton->SetText(ScreensText("Help_Done", "Done"));
}

char HelpCC::ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) {
  if (!button || !info) return 0;
  if (button == mwinHelpHelpPrevButton) {
    if (hcc_page_num > 0) hcc_page_num--;
    EnablePrevAndNext();
    UpdateText();
  } else if (button == mwinHelpHelpNextButton) {
    if (hcc_page_num < HELP_NUM_PAGES - 1) hcc_page_num++;
    EnablePrevAndNext();
    UpdateText();
  } else if (button == mwinHelpHelpKeysButton) {
    if (m_mwin) m_mwin->PopupMessage(ScreensText("Help_KeysPopup", kKeysText));
  } else if (button == mwinHelpHelpTitleButton) {
    MainControlTitleButtonClicked(button);
  } else if (button == mwinHelpHelpBackButton) {
    FreePageText();
    MainControlDestroyGraphics();
    if (m_screens) m_screens->GoBack();
  } else {
    return 0;
  }
  return 1;
}
