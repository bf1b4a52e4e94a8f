// The tab panel drawn on the real device: the title row with its texts, the rows and the
// selected row where the layout puts them, scrolled rows, and empty rows filling the page.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "Engine/EngTga.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinTabPanel.h"
#include "Engine/MWin/MWinTextures.h"
#include "Engine/MWin/MWinWindow.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/Engine/MWin/MWinSkinTestSupport.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/Engine/MWin/MWinWidgetDisplayTestSupport.h"
#include "tests/support/TestSupport.h"

namespace qwtest {
namespace {

const char *Entry(int row, int column, MWinTabPanel *) {
  static char text[32];
  if (row < 0)
    snprintf(text, sizeof(text), "HEAD%d", column);
  else
    snprintf(text, sizeof(text), "%d.%d", row, column);
  return text;
}

class MWinTabPanelDisplayTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    ASSERT_TRUE(FileExists(kVeraBold)) << "install ttf-bitstream-vera";
    EngWhichDeviceResetForTests();
    SetWindowSizeForToolkit(640, 480);
    mwin = new MWin(nullptr);
    ASSERT_TRUE(AddVeraBoldFont(mwin, 24));
    ASSERT_TRUE(mwin->Startup());
    ASSERT_TRUE(SetupTestSkin(mwin, dir.Path()));
    // Plain colours for the table's slots, so each piece is told apart by its colour.
    ASSERT_TRUE(Slot(MWIN_STDTEX_TAB_PANEL_HEADING, "Heading", 1, 0, 0));
    ASSERT_TRUE(Slot(MWIN_STDTEX_TAB_PANEL_ROW_BACK1, "Row1", 0, 0, 0.5f));
    ASSERT_TRUE(Slot(MWIN_STDTEX_TAB_PANEL_ROW_BACK2, "Row2", 0, 0, 0.75f));
    ASSERT_TRUE(Slot(MWIN_STDTEX_TAB_PANEL_ROW_SEL, "RowSel", 0, 1, 0));
    ASSERT_TRUE(Slot(MWIN_STDTEX_TAB_PANEL_ROW_EMPTY, "RowEmpty", 0.5f, 0, 0.5f));
    ASSERT_TRUE(mwin->CreateGraphicsObjects());
    window = AddBlackScreenWindow(mwin, device.get());
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    delete mwin;
    DeviceTest::TearDown();
  }
  bool Slot(int slot, const char *id, float r, float g, float b) {
    const std::string path = dir.Path() + "/" + id + ".tga";
    EngTga tga(16, 16, 32, r, g, b, 1.0f);
    return tga.SaveToFile(path.c_str()) && mwin->GetTextures()->AddStandardTextureButton(slot, id, path.c_str());
  }
  MWinTabPanel *AddPanel(int rows, int per_page) {
    MWinGroup *group = window->GetFirstGroup();
    auto *panel = new MWinTabPanel(mwin, "TP", group, "MWIN_TEXBUT_NONE", 100, 100, 300, 140);
    group->CompleteAddButton(panel);
    panel->SetTextColour(1, 1, 1, 1);
    panel->SetPreferences(1, 1, 1, 1, 0, 1, 20);
    panel->SetRenderPreferences(0, -1, -1, -1, 0, -1, -1, 1, 1.0f, 1, 1.0f);
    EXPECT_TRUE(panel->SetEntryCallback(rows, 2, per_page, Entry));
    return panel;
  }
  static void Pixel(float x, float y, unsigned char rgb[3]) { ReadPixel(int(x), int(y), rgb); }
  // Pixels in the rectangle whose three components are all above 200: white text.
  static int WhitePixels(int x0, int y0, int x1, int y1) {
    int count = 0;
    unsigned char rgb[3];
    for (int y = y0; y <= y1; y++)
      for (int x = x0; x <= x1; x++) {
        ReadPixel(x, y, rgb);
        if (rgb[0] > 200 && rgb[1] > 200 && rgb[2] > 200) count++;
      }
    return count;
  }

  TempDir dir;
  MWin *mwin = nullptr;
  MWinWindow *window = nullptr;
};

TEST_F(MWinTabPanelDisplayTest, TitleRowAndSelectedRowWhereTheyShouldBe) {
  MWinTabPanel *panel = AddPanel(5, 5);
  ASSERT_TRUE(panel->SelectRow(2, 1, 0, 0));
  mwin->RenderMain();
  const _Dimension *a = panel->GetActualArea();
  const _Dimension *rows = panel->GetRowsArea();
  const float h = panel->GetRowHeight();
  ASSERT_GT(h, 10);
  ASSERT_FLOAT_EQ(rows->y, a->y + 20);
  const float x = rows->x + 3;  // left of the centred texts
  unsigned char rgb[3];

  Pixel(x, a->y + 10, rgb);
  EXPECT_GT(rgb[0], 200) << "the title row is red";
  EXPECT_LT(rgb[1], 60);
  EXPECT_GT(WhitePixels(int(rows->x), int(a->y + 2), int(rows->x + rows->width - 1), int(rows->y - 2)), 20)
      << "headings are drawn in the title row";

  const struct {
    int row;
    int r, g, b;
  } expect[] = {{0, 0, 0, 128}, {1, 0, 0, 191}, {2, 0, 255, 0}, {3, 0, 0, 191}, {4, 0, 0, 128}};
  for (const auto &e : expect) {
    Pixel(x, rows->y + (float(e.row) + 0.5f) * h, rgb);
    EXPECT_NEAR(rgb[0], e.r, 6) << "row " << e.row;
    EXPECT_NEAR(rgb[1], e.g, 6) << "row " << e.row;
    EXPECT_NEAR(rgb[2], e.b, 6) << "row " << e.row;
  }
  const int y2 = int(rows->y + 2 * h), y3 = int(rows->y + 3 * h);
  EXPECT_GT(WhitePixels(int(rows->x), y2 + 1, int(rows->x + rows->width - 1), y3 - 1), 10) << "row texts";
  Pixel(a->x - 5, a->y + 10, rgb);
  EXPECT_EQ(rgb[0], 0) << "nothing outside the panel";
  Pixel(x, a->y + a->height + 5, rgb);
  EXPECT_EQ(rgb[2], 0);
}

TEST_F(MWinTabPanelDisplayTest, ScrolledRowsAndEmptyRowsBelowTheLast) {
  MWinTabPanel *panel = AddPanel(3, 5);
  mwin->RenderMain();
  const _Dimension *rows = panel->GetRowsArea();
  const float h = panel->GetRowHeight();
  unsigned char rgb[3];
  Pixel(rows->x + 3, rows->y + 3.5f * h, rgb);
  EXPECT_NEAR(rgb[0], 128, 6) << "an empty row fills the page";
  EXPECT_NEAR(rgb[2], 128, 6);

  panel->SetRenderPreferences(-1, -1, -1, -1, -1, -1, -1, 0, -1, -1, -1);
  mwin->RenderMain();
  Pixel(rows->x + 3, rows->y + 3.5f * h, rgb);
  EXPECT_EQ(rgb[0], 0) << "no row backs: no empty rows either";

  // Ten rows: a sidebar appears and the rows scroll; the selected row moves up with them.
  ASSERT_TRUE(panel->SetNumRows(10));
  panel->SetRenderPreferences(-1, -1, -1, -1, -1, -1, -1, 1, -1, -1, -1);
  ASSERT_TRUE(panel->IsSidebarShown());
  ASSERT_TRUE(panel->SelectRow(6, 1, 0, 0));
  EXPECT_FLOAT_EQ(panel->GetFirstRow(), 2);
  mwin->RenderMain();
  Pixel(rows->x + 3, rows->y + 4.5f * h, rgb);
  EXPECT_GT(rgb[1], 200) << "row 6 is the fifth shown";
  const _Dimension &bar = panel->GetSidebar()->area;
  Pixel(bar.x + bar.width / 2, bar.y + bar.height - 2, rgb);
  EXPECT_GT(int(rgb[0]) + rgb[1] + rgb[2], 30) << "the sidebar is drawn";
}

}  // namespace
}  // namespace qwtest
