// The game's program object: the EngProgram subclass the engine runs. For now it keeps
// the engine's default callbacks; the game hooks into them as its modules arrive.
#pragma once

#include "Engine/EngProgram.h"

class Program : public EngProgram {
 public:
  Program() = default;
  ~Program() override = default;
};
