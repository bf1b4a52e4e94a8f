// The bugs of the current wave: the wave generator, walking the road, lives lost at the house,
// damage and slowing from bullets, drawing with hit-point bars, the weapons' targeting query,
// and the harmless wanderers of the game over. Reads only path data that Traverse checked.
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/EngTypes.h"

enum { BUGS_MAX = 100, BUGS_NUM_SPECIES = 11 };

class Bug {
 public:
  Bug(int index, char game_over_bug);

  void CalcState();
  void Tick();
  void TickGameOver();
  void Render();
  void RenderGameOver();
  void DoRender(float x, float y, float scale, float angle);
  void RenderHpBar();

  // The point of look_ahead_index: where the bug is drawn and aimed at.
  float GetScreenX();
  float GetScreenY();
  void GetScreenPos(_Vector2d *out);
  // Where the bug will be after the given number of frames of the current step.
  float GetScreenXAhead(float frames);
  float GetScreenYAhead(float frames);
  void ReduceHP(double amount);
  void ReduceSpeed(double amount);

  EngInt32 index;           // place in the queue, 0 = furthest back
  EngUInt8 saved_flag_1;    // carried only by saved games
  float anim_frame;         // walk phase, 0 <= value < 20
  float heading;            // drawing rotation: minus the path angle at look_ahead_index
  float path_pos;           // in path steps; negative while queueing before the road
  EngInt32 path_index;
  EngInt32 look_ahead_index;
  EngUInt8 on_path;         // states 2, 3 and 4
  float push_back;          // pending shift of path_pos
  EngUInt8 alive;
  EngUInt8 game_over_bug;
  EngUInt8 saved_flag_2;    // carried only by saved games
  EngInt32 saved_value;     // carried only by saved games
  double speed;             // never below 10 once slowed
  double hp;
  double max_hp;
  EngUInt8 state;           // 1 waiting, 2 entering, 3 on the path, 4 reached the end, 5 gone
  EngUInt8 on_screen;       // may be targeted
  double next_turn_time;    // game-over bugs: engine time of the next turn; 0 not started
  float wander_x, wander_y; // game-over bugs: position in play-field units
};

struct _BugType {
  double hp;
  double speed;
  double cash;
  EngInt32 score;
};

extern Bug *bugs[BUGS_MAX];
extern EngInt32 num_bugs;
extern EngInt32 bug_species;
extern const char bug_names[BUGS_NUM_SPECIES][32];
extern _BugType bug_type;
extern float bug_size, bug_size_coll, bug_size_coll_squared;
extern float bugs_line_pos_dist;
extern EngInt32 last_boss_level;

char BugsPre3dInit();
char BugsCreateGraphics();
void BugsDestroyGraphics();
void BugsInitForNewGame(char restoring);
// The wave generator; with restoring set it only empties the wave (a saved game refills it).
char BugsInitForNewLevel(char restoring);
void BugsSetBugSize(float size);
void BugsTick();
void BugsRender();
// The slot of the best on-screen bug within range for the mode (0 front, 1 back, 2 strong,
// 3 weak, 4 near), or -1.
EngInt32 BugsGetTargetBugWithinRange(float x, float y, float range, int mode);
void BugsUpdateAllBugVariables();
// The wave's size factor for its bug count, and the formula that turns a total (of hit points
// or of cash) into one bug's value for the count, speed and size factor.
double BugsGetSizeFactor(int count, char boss);
double BugsGetWaveValue(double total, int count, double speed, double size_factor);
void BugsPost3dExit();

// Back to the start-up state (tests call it between cases).
void BugsResetForTests();

// Sounds: 22 a bug killed, 23 a life lost, 24 the next wave.
