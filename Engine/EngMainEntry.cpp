// The executable's entry point; everything it does lives in the engine, where tests reach it.
#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"

int main(int argc, char **argv) {
#ifdef QW_INSTALLED_RESOURCES
  // Decided by the install layout the build was configured with.
  EngProgramSetInstalledResources(QW_INSTALLED_RESOURCES);
#endif
  return EngMainRun(argc, argv);
}
