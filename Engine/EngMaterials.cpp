#include "Engine/EngMaterials.h"

#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"

static bool IsOpenGl() { return eng_main_device_type == ENG_DEVICE_TYPE_OPENGL; }

void EngMaterialsUseAdvancedMaterials(char on) {
  if (IsOpenGl()) EngMaterialsUseAdvancedMaterials_GL(on);
}

char EngMaterialsAreAdvancedMaterialsOn() { return IsOpenGl() ? EngMaterialsAreAdvancedMaterialsOn_GL() : 0; }

void EngMaterialsApplyAdvancedMaterialsSetting() {
  if (IsOpenGl()) EngMaterialsApplyAdvancedMaterialsSetting_GL();
}
