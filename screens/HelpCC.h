// The help screen 'HELP': five pages of formatted help text in the script text box, stepped
// through with Prev and Next, and a popup of the play keys. Reached from the main menu and the
// pause screen; Back (and Escape) return there. Opening it turns the player's tutorial on.
#pragma once

#include "Engine/EngTypes.h"
#include "screens/layouts/HelpCollectionController.h"

enum { HELP_NUM_PAGES = 5 };

// One page's text for the script text box: "<0>", title A, two line breaks, texts A and A2, then
// for a title B three line breaks, "<1>", title B, two line breaks, texts B, B2 and B3. Null
// texts are skipped. The caller frees the result with EngFree; null when out of memory.
char *HelpCC_UpdatesTextsFromTexts(const char *title_a, const char *text_a, const char *text_a2, const char *title_b,
                                   const char *text_b, const char *text_b2, const char *text_b3);

class HelpCC : public HelpCollectionController {
 public:
  HelpCC();
  ~HelpCC() override;
  HelpCC(const HelpCC &) = delete;
  HelpCC &operator=(const HelpCC &) = delete;

  void StartingCB(void *data) override;
  void TickCB() override {}
  void RenderCB(_MWinRenderStage) override {}
  char ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) override;
  // Shows the current page in the text box, or nothing for a page that is not
  // there.
  void UpdateText();

  EngUInt8 GetPage() const { return hcc_page_num; }
  const char *GetPageText() const { return hcc_page_text; }
  // Lets a test ask for a page that is not there.
  void SetPageForTests(EngUInt8 page) { hcc_page_num = page; }

 private:
  // Empties the text box before the page text it showed goes.
  void FreePageText();
  void EnablePrevAndNext();

  EngUInt8 hcc_page_num;
  char *hcc_page_text;  // owned
};
