// Layered animated pictures: sets (layers) of stages read from and written to JSON description
// files (".ttx"), animated over the engine clock and drawn as one textured quad per set.
// Needs the JSON helpers, textures and the device; nothing here touches OpenGL directly.
#pragma once

#include <memory>
#include <vector>

#include "Engine/EngMathTypes.h"
#include "Engine/EngTexture.h"
#include "Engine/EngTypes.h"

#define ENG_PICTURE_SET_CHECK 101
#define ENG_PICTURE_STAGE_CHECK 102
#define ENG_PICTURE_PATH_SIZE 512
#define ENG_PICTURE_FILENAME_SIZE 64
#define ENG_PICTURE_SET_NAME_SIZE 32

// Persistent groups of a stage; "Locks" entry n borrows group n from the set's first stage.
enum { EPIC_LOCK_POS = 0, EPIC_LOCK_ROT = 1, EPIC_LOCK_ALPHA = 2, EPIC_LOCK_TC = 3, EPIC_NUM_LOCKS = 4 };

// Transition types of the position group.
enum {
  EPIC_TRANS_NONE = 0,
  EPIC_TRANS_LOOP = 1,
  EPIC_TRANS_BACK_AND_FORTH = 2,
  EPIC_TRANS_EASED_BACK_AND_FORTH = 3,
  EPIC_TRANS_RANDOM = 4
};

struct _EngPictureStagePos {
  _Dimension main_area;  // fractions of the draw area
  char trans_type;
  float trans_speeds[2];  // speed and multiplier
  _Dimension end_area;
  _Dimension random_area;
};

struct _EngPictureStageRot {
  char flags[2];    // on, mode 0 to 4
  float values[4];  // start and end angle (degrees), speed, multiplier
};

struct _EngPictureStageAlpha {
  char show;
  float times[4];  // fade-in, fade-out, full show, hidden (seconds)
  float level;
  char blend_type;
  char throb_on;
  float throb_min;
  float throb_speed;
  float throb_mult;
};

struct _EngPictureStageTexCoords {
  char use_default;  // coordinates start at (0, 0) and span the tiles
  _TexCoords tc;
  _Vector2d tile;
  char move;
  _Vector2d speed;
};

struct _EngPictureStagePosVars {
  float progress;
  signed char direction;
  _Dimension area;
  float random_x, random_y;
};

struct _EngPictureStageRotVars {
  float angle;
  float eased_phase;
  signed char direction;
};

struct _EngPictureStageAlphaVars {
  float cycle_length[2];  // full, shortened
  float times[4][2];      // each alpha time, full and shortened
  float throb_value;
  float throb_phase;
};

struct EngPictureStageVars {
  _EngPictureStagePosVars pos;
  _EngPictureStageRotVars rot;
  _EngPictureStageAlphaVars alpha;
  _TexCoords tc;
};

struct _EngPictureStage {
  char check;
  eint tex_num;  // -1 shows nothing
  char locks[EPIC_NUM_LOCKS];
  _EngPictureStagePos pos;
  _EngPictureStageRot rot;
  _EngPictureStageAlpha alpha;
  _EngPictureStageTexCoords tc;
  EngPictureStageVars vars;
};
typedef _EngPictureStage EngPictureStage;

struct EngPictureSetVars {
  eint current_stage;
  double stage_start_time;
  char skip_long_times;
};

struct _EngPictureSet {
  char check;
  char name[ENG_PICTURE_SET_NAME_SIZE];
  // Stages are held by pointer so that a stage pointer survives adding others.
  std::vector<std::unique_ptr<_EngPictureStage>> stages;
  EngPictureSetVars vars;
};
typedef _EngPictureSet EngPictureSet;

struct EngPictureTexture {
  char path[ENG_PICTURE_PATH_SIZE];
  char filename[ENG_PICTURE_FILENAME_SIZE];
  EngTexture *texture;  // owned; null until graphics are created
};

// The texture-file hook: (folder, file name, output buffer, buffer size); non-zero on success.
typedef char (*EngPictureTextureFileOverwriteCB)(const char *folder, const char *filename, char *out, int size);
void EngPicture_SetTextureFileOverwriteCB(EngPictureTextureFileOverwriteCB cb);
EngPictureTextureFileOverwriteCB EngPicture_GetTextureFileOverwriteCB();

// Loads refuse descriptions beyond these counts: real pictures have a handful of each.
#define ENG_PICTURE_MAX_TEXTURES 256
#define ENG_PICTURE_MAX_SETS 256
#define ENG_PICTURE_MAX_STAGES 256

class EngPicture {
 public:
  EngPicture();
  ~EngPicture();
  EngPicture(const EngPicture &) = delete;
  EngPicture &operator=(const EngPicture &) = delete;

  // Life cycle.
  void Init();
  void Free();
  void Destroy();
  void SetDrawArea(const _Dimension *area);
  void SetDrawArea(float x, float y, float w, float h);
  const _Dimension *GetDrawArea() const { return &m_draw_area; }
  char SetPath(const char *path);
  const char *GetPath() const { return m_path; }
  char AreGraphicsCreated() const { return m_graphics_created; }
  // Finite, not negative in size, and small enough for pixel arithmetic.
  static char IsDrawAreaSane(const _Dimension &area);

  // Description files.
  char LoadFromFile(const char *path, const char *filename, char add_ext);
  char SaveToFile(const char *path, const char *filename, char add_ext);

  // Textures and drawing.
  char CreateGraphics();
  void DestroyGraphics();
  void Draw();
  void DrawWithAlpha(float alpha);
  void DrawSet(eint set_num, float alpha);

  // Animation.
  void Tick(float speed);
  void ResetStageVars(_EngPictureStage *stage);
  void ResetSetVars(eint set_num);
  void ResetStageTimeVars(_EngPictureStageAlpha *alpha, _EngPictureStageAlphaVars *vars);
  void ResetTextureCoordinates(_EngPictureStage *stage);
  void ResetTextureCoordinates(eint set_num, eint stage_num);
  void MoveToNextRandomPosition(_EngPictureStagePos *pos, _EngPictureStagePosVars *vars);
  void TickCalcStageTransArea(_EngPictureStagePos *pos, _EngPictureStagePosVars *vars,
                              _EngPictureStageAlphaVars *alpha_vars);
  void SetCurrentStageInSet(eint set_num, eint stage_num);
  void DebugSetSkipLongTimes(eint set_num, char skip);
  EngPictureSetVars *GetSetVars(eint set_num);
  EngPictureStageVars *GetStageVars(_EngPictureSet *set, eint stage_num);

  // Accessors.
  eint GetNumSets();
  EngPictureSet *GetSet(eint set_num);
  eint GetNumStages(_EngPictureSet *set);
  EngPictureStage *GetStage(_EngPictureSet *set, eint stage_num);
  eint GetNumTextures();
  EngPictureTexture *GetTexture(eint tex_num);
  char IsSetOk(_EngPictureSet *set, char allow_empty);
  char IsStageOk(_EngPictureSet *set, _EngPictureStage *stage);

  // Building blocks and editing.
  char AllocTexture();
  char AllocSet();
  char AllocStage(_EngPictureSet *set);
  void FreeSet(_EngPictureSet *set);
  char AddSet(const char *name);
  char AddStage(_EngPictureSet *set);
  char RemoveSet(eint set_num);
  char RemoveStage(_EngPictureSet *set, eint stage_num);
  char AddTexture(const char *path, const char *filename);
  char RemoveTexture(eint tex_num);

 private:
  // The stage that supplies group `group` while `stage_num` is the set's current stage.
  _EngPictureStage *GroupSource(_EngPictureSet *set, eint stage_num, int group);
  char IsTextureInUse(eint tex_num);

  char *m_path;
  char m_graphics_created;
  EngPictureTexture *m_textures;
  eint m_num_textures;
  std::vector<std::unique_ptr<_EngPictureSet>> m_sets;
  _Dimension m_draw_area;
};
