#include "Engine/EngMain.h"

// The engine clock and device globals, at their process-start values.
double eng_main_current_time = 0.0;
float eng_main_frames_per_second = 1.0f / 60.0f;
EngDevice *eng_main_device = nullptr;
