#include <GL/glew.h>

#include "Engine/EngMaterials.h"

static char cglm_use_advanced_materials = 0;

void EngMaterialsUseAdvancedMaterials_GL(char on) { cglm_use_advanced_materials = on; }

char EngMaterialsAreAdvancedMaterialsOn_GL() { return cglm_use_advanced_materials; }

void EngMaterialsApplyAdvancedMaterialsSetting_GL() {
  if (cglm_use_advanced_materials)
    glDisable(GL_COLOR_MATERIAL);
  else
    glEnable(GL_COLOR_MATERIAL);
}
