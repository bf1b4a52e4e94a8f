// The game's settings and asset names for engine-side screens (the player screens and the
// splash), and the picture texture-name override built on them: well-known texture files in
// picture descriptions are replaced by the files the game names for the matching items.
#pragma once

#include "Engine/EngTypes.h"

// Item numbers the game's item-name callback answers. The type is fixed, so that a number
// outside the list is still a value of it, which the callback refuses.
enum _ModulesItem : EngInt32 {
  MODULES_ITEM_TITLE_TEXTURE = 0,
  MODULES_ITEM_TITLE_PICTURE = 1,
  MODULES_ITEM_LOGO_TEXT_PICTURE = 9,
  MODULES_ITEM_LOGO_RING_TEXTURE = 10,
  MODULES_ITEM_LOGO_TEXT_TEXTURE = 11,
  MODULES_ITEM_EFFECTS_TEXTURE = 12,
  MODULES_ITEM_GENERAL_TEXTURE = 13,
  MODULES_ITEM_MENU_BACKGROUND = 14
};

typedef const char *(*ModulesGetItemFilenameCB)(_ModulesItem item);
typedef char (*ModulesTextureFileOverwriteCB)(const char *folder, const char *filename, char *out, int size);
typedef void (*ModulesUserDeletedCB)(const char *name, char reset, void *context);

// The player screens' settings. Their meaning belongs to those screens; this layer copies
// the record whole. The fields after the device count are kept for the screens' use.
struct _UserModule {
  EngInt32 title_image_mode;
  EngInt32 logo_image_mode;
  char show_splash;
  char no_country;
  char show_language_flag_button;
  char show_logo_text;
  EngInt32 num_devices;
  ModulesUserDeletedCB user_deleted_cb;
  void *user_deleted_context;
  unsigned char screen_settings[168];
};
static_assert(sizeof(_UserModule) == 200, "the module record is 200 bytes");

extern _UserModule mwm_user_mod;
extern ModulesGetItemFilenameCB mwm_get_item_filename_cb;
extern ModulesTextureFileOverwriteCB modules_extra_eng_pic_file_overwrite_cb;

char ModulesSetup(_UserModule *settings, ModulesGetItemFilenameCB get_item_filename_cb);
// Keeps the previous extra callback when given null; always installs the picture hook.
void ModulesSetEngPictureTextureFileOverwriteCB(ModulesTextureFileOverwriteCB extra_cb);
char ModulesEngPictureTextureFileOverwriteCB(const char *folder, const char *filename, char *out, int size);
void ModulesResetForTests();
