#include "Engine/MWin/MWinFonts.h"

#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMemory.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinID.h"

static const int font_file_size = 256;
static const char *const standard_font_id = "MWIN_STANDARD_FONT";
// In the resources folder, which is the program's working folder.
static const char *const default_font_file = "MWinDefaultFont.ttf";

// ---- The font record ----

MWinFontC::MWinFontC() : file(nullptr), own_font(nullptr), caller_font(nullptr), mode(0) {
  id[0] = 0;
  memset(&params, 0, sizeof(params));
}

MWinFontC::~MWinFontC() { Clear(); }

void MWinFontC::Clear() {
  if (file) EngFree(file, 0, ENG_FUNC);
  file = nullptr;
  delete own_font;
  own_font = nullptr;
  caller_font = nullptr;
  styles.clear();
  memset(&params, 0, sizeof(params));
  id[0] = 0;
  mode = 0;
}

EngFont *MWinFontC::GetFont() const {
  if (mode == 2) return caller_font;
  if (mode == 1) return own_font;
  return nullptr;
}

// ---- The registry ----

MWinFonts::MWinFonts(MWin *mwin) {
  if (!mwin) DebugExitPopup("MWinFonts", "Internal Error (MWinFonts)");
}

MWinFonts::~MWinFonts() {
  DestroyFonts();
  m_standard.Clear();
  for (MWinFontC *record : m_user) delete record;
  m_user.clear();
}

int MWinFonts::ChooseUserSlot(const char *id) {
  if (MWinIsIDEmpty(id)) {
    DebugErrorAlt(ENG_FUNC, "Empty id");
    return -2;
  }
  for (MWinFontC *record : m_user)
    if (MWinAreIDsTheSame(record->id, id)) {
      DebugErrorAlt(ENG_FUNC, "Font <%s> already created", id);
      return -2;
    }
  MWinID copy;
  if (!MWinCopyID(copy, id)) return -2;
  for (size_t i = 0; i < m_user.size(); i++)
    if (MWinIsIDEmpty(m_user[i]->id)) return int(i);
  m_user.push_back(new MWinFontC());
  return int(m_user.size()) - 1;
}

int MWinFonts::AddFont(const char *id, const char *file, _MWinFontParams *params) {
  if (!file || !file[0]) {
    DebugErrorAlt(ENG_FUNC, "No filename passed in");
    return -2;
  }
  if (strnlen(file, font_file_size) >= size_t(font_file_size)) {
    DebugErrorAlt(ENG_FUNC, "Filename too long");
    return -2;
  }
  if (!params) {
    DebugErrorAlt(ENG_FUNC, "Invalid Params");
    return -2;
  }
  if (!EngFileExists(file, 0)) {
    DebugErrorAlt(ENG_FUNC, "File does not exist <%s>", file);
    return -2;
  }
  const int slot = id ? ChooseUserSlot(id) : -1;
  if (slot < -1) return -2;
  MWinFontC *record = slot >= 0 ? m_user[slot] : &m_standard;
  if (record->mode != 0) {
    DebugErrorAlt(ENG_FUNC, "Font is already loaded");
    return -2;
  }
  char *buffer = static_cast<char *>(EngMalloc(font_file_size, ENG_FUNC, 1));
  if (!buffer) {
    DropEmptyTrailingSlots();
    return -2;
  }
  if (record->file) EngFree(record->file, 0, ENG_FUNC);
  record->file = buffer;
  EngSafeStrcpy(record->file, file, font_file_size);
  record->params = *params;
  MWinCopyID(record->id, id ? id : standard_font_id);
  return slot >= 0 ? slot : 1;
}

int MWinFonts::AddFontPointer(const char *id, EngFont *font) {
  if (!font) {
    DebugErrorAlt(ENG_FUNC, "No font passed in");
    return -2;
  }
  const int slot = id ? ChooseUserSlot(id) : -1;
  if (slot < -1) return -2;
  MWinFontC *record = slot >= 0 ? m_user[slot] : &m_standard;
  if (record->mode != 0) {
    DebugErrorAlt(ENG_FUNC, "Font is already loaded");
    return -2;
  }
  record->caller_font = font;
  record->mode = 2;
  MWinCopyID(record->id, id ? id : standard_font_id);
  return slot >= 0 ? slot : 1;
}

char MWinFonts::AddStandardFont(const char *file, _MWinFontParams *params) {
  return AddFont(nullptr, file, params) == 1 ? 1 : 0;
}

int MWinFonts::AddUserFont(const char *id, const char *file, _MWinFontParams *params) {
  if (MWinIsIDEmpty(id)) {
    DebugErrorAlt(ENG_FUNC, "No id specified");
    return -2;
  }
  return AddFont(id, file, params);
}

int MWinFonts::AddUserFontPointer(const char *id, EngFont *font) {
  if (MWinIsIDEmpty(id)) {
    DebugErrorAlt(ENG_FUNC, "No id specified");
    return -2;
  }
  return AddFontPointer(id, font);
}

// ---- Styles ----

MWinFontC *MWinFonts::GetFontRecord(int font) {
  if (font == MWIN_FONT_NUM_DEFAULT) return &m_standard;
  if (font < 0 || font >= int(m_user.size())) return nullptr;
  return m_user[font];
}

int MWinFonts::AddFontStyleToFont(int font, const char *style, float scale_x, float scale_y, float r, float g,
                                  float b, float a) {
  MWinFontC *record = GetFontRecord(font);
  if (!record) {
    DebugErrorAlt(ENG_FUNC, "Bad font num %d (%d)", font, int(m_user.size()));
    return -1;
  }
  if (MWinIsIDEmpty(style) || scale_x <= 0 || scale_y <= 0) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return -1;
  }
  _MWinFontStyle s;
  memset(&s, 0, sizeof(s));
  EngSafeStrcpy(s.id, style, sizeof(s.id));
  s.scale_x = scale_x;
  s.scale_y = scale_y;
  s.r = r;
  s.g = g;
  s.b = b;
  s.a = a;
  record->styles.push_back(s);
  return int(record->styles.size()) - 1;
}

const _MWinFontStyle *MWinFonts::GetFontsFontStyle(int font, const char *style) {
  MWinFontC *record = GetFontRecord(font);
  if (!record) {
    DebugErrorAlt(ENG_FUNC, "Bad font num %d (%d)", font, int(m_user.size()));
    return nullptr;
  }
  if (MWinIsIDEmpty(style)) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return nullptr;
  }
  for (const _MWinFontStyle &s : record->styles)
    if (strcmp(s.id, style) == 0) return &s;
  DebugErrorAlt(ENG_FUNC, "Font style \"%s\" not found in font %d.", style, font);
  return nullptr;
}

// ---- Look-ups ----

int MWinFonts::GetFontNumFromID(const char *id) {
  if (MWinIsIDEmpty(id) || strcmp(id, "MWIN_FONT_NONE") == 0) return MWIN_FONT_NUM_NONE;
  if (strcmp(id, "MWIN_FONT_DEFAULT") == 0) return MWIN_FONT_NUM_DEFAULT;
  for (size_t i = 0; i < m_user.size(); i++)
    if (MWinAreIDsTheSame(m_user[i]->id, id)) return int(i);
  DebugErrorAlt(ENG_FUNC, "Font <%s> does not exist", id);
  return MWIN_FONT_NUM_NONE;
}

EngFont *MWinFonts::GetFont(int font) {
  MWinFontC *record = GetFontRecord(font);
  return record ? record->GetFont() : nullptr;
}

EngFont *MWinFonts::GetStandardFont() { return m_standard.GetFont(); }

EngFont *MWinFonts::GetUserFont(int font) { return font < 0 ? nullptr : GetFont(font); }

EngFont *MWinFonts::GetUserFont(const char *id, char report) {
  if (MWinIsIDEmpty(id)) {
    DebugErrorAlt(ENG_FUNC, "No id specified");
    return nullptr;
  }
  for (MWinFontC *record : m_user)
    if (MWinAreIDsTheSame(record->id, id) && record->GetFont()) return record->GetFont();
  if (report) DebugErrorAlt(ENG_FUNC, "Font <%s> does not exist", id);
  return nullptr;
}

// ---- Removing ----

void MWinFonts::DropEmptyTrailingSlots() {
  while (!m_user.empty() && MWinIsIDEmpty(m_user.back()->id)) {
    delete m_user.back();
    m_user.pop_back();
  }
}

char MWinFonts::RemoveFont(const char *id) {
  MWinFontC *record = nullptr;
  if (!id) {
    record = &m_standard;
  } else {
    for (MWinFontC *r : m_user)
      if (MWinAreIDsTheSame(r->id, id)) {
        record = r;
        break;
      }
    if (!record) {
      DebugErrorAlt(ENG_FUNC, "Font <%s> does not exist", id);
      return 0;
    }
  }
  if (MWinIsIDEmpty(record->id)) {
    DebugErrorAlt(ENG_FUNC, "Font does not exist");
    return 0;
  }
  record->Clear();
  if (id) DropEmptyTrailingSlots();
  return 1;
}

char MWinFonts::RemoveStandardFont() { return RemoveFont(nullptr); }

char MWinFonts::RemoveUserFont(const char *id) {
  if (MWinIsIDEmpty(id)) {
    DebugErrorAlt(ENG_FUNC, "No id specified");
    return 0;
  }
  return RemoveFont(id);
}

void MWinFonts::RemoveAllUserFonts() {
  for (MWinFontC *record : m_user)
    if (!MWinIsIDEmpty(record->id)) record->Clear();
  DropEmptyTrailingSlots();
}

void MWinFonts::RemoveAllFonts() {
  m_standard.Clear();
  for (MWinFontC *record : m_user) delete record;
  m_user.clear();
}

// ---- Graphics ----

char MWinFonts::LoadFont(MWinFontC *record) {
  if (!record || MWinIsIDEmpty(record->id)) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  if (record->mode != 0) return 1;
  delete record->own_font;
  record->own_font = nullptr;
  const _MWinFontParams &p = record->params;
  EngFont *font = new EngFont();
  font->SetCreationEffects(&p.effects);
  if (!record->file ||
      !font->CreateFromFontFile(record->file, p.two_channels, p.unused1, p.size, p.min_char, p.max_char, p.wanted,
                                p.wanted_count, p.x_scale, p.y_scale, p.letter_y_extra, p.height_extra, p.unused2,
                                p.unused3, p.unused4, p.unused5, p.unused6)) {
    delete font;
    DebugErrorAlt(ENG_FUNC, "Could not create font <%s>", record->id);
    return 0;
  }
  record->own_font = font;
  record->mode = 1;
  return 1;
}

char MWinFonts::CreateFonts() {
  if (!MWinIsIDEmpty(m_standard.id)) LoadFont(&m_standard);
  char ok = 1;
  for (MWinFontC *record : m_user) {
    if (MWinIsIDEmpty(record->id) || !LoadFont(record)) ok = 0;
  }
  m_loaded = ok;
  return ok;
}

void MWinFonts::DestroyGraphicsObjects() {
  auto unload = [](MWinFontC *record) {
    if ((record->mode == 1 || record->mode == 2) && !record->caller_font) {
      delete record->own_font;
      record->own_font = nullptr;
      record->mode = 0;
    }
  };
  unload(&m_standard);
  for (MWinFontC *record : m_user) unload(record);
  m_loaded = 0;
}

void MWinFonts::DestroyFonts() {
  DestroyGraphicsObjects();
  auto forget = [](MWinFontC *record) {
    if (record->file) EngFree(record->file, 0, ENG_FUNC);
    record->file = nullptr;
    record->caller_font = nullptr;
  };
  forget(&m_standard);
  for (MWinFontC *record : m_user) forget(record);
}

// Keeps the record's id, file, parameters and styles and rasterises the font again.
char MWinFonts::ReloadFont(const char *id) {
  const int num = GetFontNumFromID(id);
  if (num < MWIN_FONT_NUM_DEFAULT) return 1;
  MWinFontC *record = GetFontRecord(num);
  if (!record || record->mode == 2) return 1;
  delete record->own_font;
  record->own_font = nullptr;
  record->mode = 0;
  return LoadFont(record);
}

// ---- The root's default font ----

char MWin::SetupDefaultFont() {
  _MWinFontParams params;
  memset(&params, 0, sizeof(params));
  params.two_channels = 0;
  params.unused1 = 144;
  params.size = 32;
  params.min_char = 32;
  params.max_char = 126;
  params.wanted = nullptr;
  params.wanted_count = 0;
  params.x_scale = 0.11f;
  params.y_scale = 0.15f;
  params.letter_y_extra = -2;
  params.height_extra = 0;
  params.unused6 = 1;
  const EngInt32 words[16] = {2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  const float floats[16] = {0, 0, 0, 0.5f, 0.5f, 0, 0, 0, 1, 1, 1, 1, 1, 0, 0.1f, 0.5f};
  const char is_float[16] = {0, 0, 0, 1, 1, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1};
  EngInt32 effects[16];
  for (int i = 0; i < 16; i++) {
    if (is_float[i])
      memcpy(&effects[i], &floats[i], sizeof(float));
    else
      effects[i] = words[i];
  }
  static_assert(sizeof(effects) == sizeof(params.effects), "sixteen words");
  memcpy(&params.effects, effects, sizeof(effects));

  MWinFonts *fonts = GetFonts();
  if (!fonts || !fonts->AddStandardFont(default_font_file, &params)) {
    DebugErrorAlt(ENG_FUNC, "Could not load font <%s>", default_font_file);
    return 0;
  }
  EngFont *font = fonts->GetStandardFont();
  if (font) {
    font->SetScale(1.0f, 1.0f);
    font->SetColour(1.0f, 1.0f, 1.0f, 1.0f);
  }
  return 1;
}
