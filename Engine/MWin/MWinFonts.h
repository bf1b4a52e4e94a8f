// The registry of the toolkit's fonts: a standard font (-1) and user fonts (0 and up), each
// from a font file rasterised with the toolkit's graphics or an EngFont its caller keeps, with
// named styles of scale and colour. Registrations survive the device; file fonts are made again.
#pragma once

#include <vector>

#include "Engine/EngFont.h"
#include "Engine/MWin/MWinTypes.h"

constexpr int MWIN_FONT_NUM_NONE = -2;
constexpr int MWIN_FONT_NUM_DEFAULT = -1;

// What EngFont::CreateFromFontFile takes after the file name, in its order, then what is kept
// but not passed on, then the effects given to EngFont::SetCreationEffects. Never interpreted here.
struct _MWinFontParams {
  char two_channels;
  EngInt32 unused1;
  EngInt32 size;
  EngInt32 min_char;
  EngInt32 max_char;
  char *wanted;
  EngInt32 wanted_count;
  float x_scale;
  float y_scale;
  float letter_y_extra;
  float height_extra;
  float not_passed;
  float unused2, unused3, unused4, unused5;
  char unused6;
  _EngFontCreationEffects effects;
};

struct _MWinFontStyle {
  MWinID id;
  float scale_x, scale_y;
  float r, g, b, a;
};

// Mode 0 defined (or empty), 1 rasterised into the own font, 2 the caller's font.
class MWinFontC {
 public:
  MWinFontC();
  ~MWinFontC();
  MWinFontC(const MWinFontC &) = delete;
  MWinFontC &operator=(const MWinFontC &) = delete;
  // Releases everything the record owns and empties it; a caller's font is only forgotten.
  void Clear();
  EngFont *GetFont() const;

  MWinID id;
  char *file;  // 256 bytes, owned; null for caller's fonts
  _MWinFontParams params;
  std::vector<_MWinFontStyle> styles;
  EngFont *own_font;
  EngFont *caller_font;
  char mode;
};

class MWinFonts {
 public:
  explicit MWinFonts(MWin *mwin);
  ~MWinFonts();
  MWinFonts(const MWinFonts &) = delete;
  MWinFonts &operator=(const MWinFonts &) = delete;

  // Adding: the font number, or -2 (the standard font answers 1).
  char AddStandardFont(const char *file, _MWinFontParams *params);
  int AddUserFont(const char *id, const char *file, _MWinFontParams *params);
  int AddUserFontPointer(const char *id, EngFont *font);
  int AddFont(const char *id, const char *file, _MWinFontParams *params);
  int AddFontPointer(const char *id, EngFont *font);

  // Styles: the new style's index, or -1.
  int AddFontStyleToFont(int font, const char *style, float scale_x, float scale_y, float r, float g, float b,
                         float a);
  const _MWinFontStyle *GetFontsFontStyle(int font, const char *style);

  // Look-ups.
  int GetFontNumFromID(const char *id);
  EngFont *GetFont(int font);
  EngFont *GetStandardFont();
  EngFont *GetUserFont(int font);
  EngFont *GetUserFont(const char *id, char report);
  MWinFontC *GetFontRecord(int font);
  int GetNumUserSlots() const { return int(m_user.size()); }

  // Removing.
  char RemoveFont(const char *id);
  char RemoveStandardFont();
  char RemoveUserFont(const char *id);
  void RemoveAllUserFonts();
  void RemoveAllFonts();

  // Graphics.
  char CreateGraphicsObjects() { return CreateFonts(); }
  char CreateFonts();
  void DestroyGraphicsObjects();
  void DestroyFonts();
  char AreFontsLoaded() const { return m_loaded; }
  char LoadFont(MWinFontC *record);
  char ReloadFont(const char *id);

 private:
  // The slot for a new user font (-2 with a report when the id is refused).
  int ChooseUserSlot(const char *id);
  void DropEmptyTrailingSlots();

  char m_loaded = 0;
  std::vector<MWinFontC *> m_user;
  MWinFontC m_standard;
};
