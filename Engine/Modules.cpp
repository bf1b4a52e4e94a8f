// The module layer's state and the picture texture-name override.
#include "Engine/Modules.h"

#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"
#include "Engine/EngPicture.h"

_UserModule mwm_user_mod = {0, 0, 0, 0, 0, 0, 1, nullptr, nullptr, {0}};
ModulesGetItemFilenameCB mwm_get_item_filename_cb = nullptr;
ModulesTextureFileOverwriteCB modules_extra_eng_pic_file_overwrite_cb = nullptr;

namespace {

struct WellKnownTexture {
  const char *filename;
  _ModulesItem item;
};

const WellKnownTexture kWellKnownTextures[] = {
    {"TallowRing.png", MODULES_ITEM_LOGO_RING_TEXTURE}, {"TmText.png", MODULES_ITEM_LOGO_TEXT_TEXTURE},
    {"TexEffects1.png", MODULES_ITEM_EFFECTS_TEXTURE},  {"Misc.png", MODULES_ITEM_GENERAL_TEXTURE},
    {"MenuBg.jpg", MODULES_ITEM_MENU_BACKGROUND},
};

}  // namespace

char ModulesSetup(_UserModule *settings, ModulesGetItemFilenameCB get_item_filename_cb) {
  if (settings) memcpy(&mwm_user_mod, settings, sizeof(mwm_user_mod));
  mwm_get_item_filename_cb = get_item_filename_cb;
  return 1;
}

void ModulesSetEngPictureTextureFileOverwriteCB(ModulesTextureFileOverwriteCB extra_cb) {
  if (extra_cb) modules_extra_eng_pic_file_overwrite_cb = extra_cb;
  EngPicture_SetTextureFileOverwriteCB(ModulesEngPictureTextureFileOverwriteCB);
}

char ModulesEngPictureTextureFileOverwriteCB(const char *folder, const char *filename, char *out, int size) {
  if (!mwm_get_item_filename_cb) {
    DebugErrorAlt(ENG_FUNC, "CBs not setup");
    return 0;
  }
  if (!filename || !out || size < 1) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  for (const WellKnownTexture &entry : kWellKnownTextures) {
    if (strcmp(filename, entry.filename) != 0) continue;
    EngSafeStrcpy(out, mwm_get_item_filename_cb(entry.item), size_t(size));
    return 1;
  }
  if (modules_extra_eng_pic_file_overwrite_cb && modules_extra_eng_pic_file_overwrite_cb(folder, filename, out, size))
    return 1;
  DebugErrorAlt(ENG_FUNC, "Unexpected file <%s>", filename);
  return 0;
}

void ModulesResetForTests() {
  memset(&mwm_user_mod, 0, sizeof(mwm_user_mod));
  mwm_user_mod.num_devices = 1;
  mwm_get_item_filename_cb = nullptr;
  modules_extra_eng_pic_file_overwrite_cb = nullptr;
  EngPicture_SetTextureFileOverwriteCB(nullptr);
}
