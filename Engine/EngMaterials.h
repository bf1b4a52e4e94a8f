// How lit geometry takes its colour: from the current colour (the start state) or from full
// materials (advanced materials). Only the switch and its application live here so far.
#pragma once

void EngMaterialsUseAdvancedMaterials(char on);
char EngMaterialsAreAdvancedMaterialsOn();
// Applies the switch to the OpenGL context; the device calls it whenever it resets its state.
void EngMaterialsApplyAdvancedMaterialsSetting();

void EngMaterialsUseAdvancedMaterials_GL(char on);
char EngMaterialsAreAdvancedMaterialsOn_GL();
void EngMaterialsApplyAdvancedMaterialsSetting_GL();
