// The widget's own records: a custom back state, the bound program variable with its kinds,
// and the extra drawing callback. Kept apart so the widget's header stays readable.
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/MWin/MWinTypes.h"

// One state of a back drawn from the widget's own textures.
struct _MWinButtonCustomBack {
  char flag1, flag2, flag3;  // the first two go to the texture loader; the third is only kept
  char file[256];
  float left, top, right, bottom;  // texture space
  _ColourRGBA colour;
  EngTexture *texture;         // owned, loaded from file
  EngTexture *caller_texture;  // the caller's; never freed here
};

enum _MWinRegVarKind : EngInt32 {
  MWIN_REGVAR_NONE = 0,
  MWIN_REGVAR_CHAR = 1,
  MWIN_REGVAR_UCHAR = 2,
  MWIN_REGVAR_INT = 3,
  MWIN_REGVAR_INT16 = 4,
  MWIN_REGVAR_UINT16 = 5,
  MWIN_REGVAR_INT32 = 6,
  MWIN_REGVAR_UINT32 = 7,
  MWIN_REGVAR_FLOAT = 8,
  MWIN_REGVAR_TWO_FLOATS = 9,
  MWIN_REGVAR_COLOUR = 10,
  MWIN_REGVAR_STRING = 11,  // the text edit's buffer
};

// The bound variable: binding a new kind replaces the kind but keeps the other pointers.
struct _MWinButtonRegVar {
  EngInt32 kind;
  char *char_p;
  unsigned char *uchar_p;
  int *int_p;
  int int_mult;
  EngInt16 *int16_p;
  EngInt16 int16_mult;
  EngUInt16 *uint16_p;
  EngUInt16 uint16_mult;
  EngInt32 *int32_p;
  EngInt32 int32_mult;
  EngUInt32 *uint32_p;
  EngUInt32 uint32_mult;
  float *float_p, *float2_p;
  float float_mult;
  _ColourRGB *colour_p;
  float colour_mult;
  char *string_p;
  EngInt32 string_size;  // bytes of the buffer, the terminator included
};

typedef void (*MWIN_BUTTON_RENDER_CB)(MWinButton *button, _Dimension *area, _MWinTextureState state, int value,
                                      void *user);

class EngPicture;
class EngTriangleList;

// Picture kinds: nothing, a layered picture, or a texture drawn with blending type kind - 4.
enum : signed char { MWIN_PICTURE_NONE = 0, MWIN_PICTURE_PICTURE = 2, MWIN_PICTURE_TEXTURE_BASE = 4 };

// What a widget shows inside its area: the caller's texture or picture, never owned.
struct _MWinButtonPicture {
  signed char kind;
  EngTexture *texture;
  EngPicture *picture;
  char animate;
  float tc_set;  // 1 when the texture coordinates below are used
  float tc_left, tc_top, tc_right, tc_bottom;
  float borders_set;  // 1 when the borders below are used
  float border_left, border_top, border_right, border_bottom;  // design units
};

// The three fans of the pie gauge, in list order.
enum { MWIN_PIE_VALUE = 0, MWIN_PIE_INNER = 1, MWIN_PIE_OUTER = 2, MWIN_PIE_NUM_FANS = 3 };
#define MWIN_PIE_NUM_TRIANGLES 64

struct _MWinButtonPie {
  float value, max;
  _ColourRGB colours[MWIN_PIE_NUM_FANS];  // value, inner, outer
  EngTriangleList *lists[MWIN_PIE_NUM_FANS];  // owned; made on the first position update
};
