// The toolkit-wide settings record and its per-layout block of 67 four-byte values. The block
// is a struct with typed fields (floats, one byte, two ints), so the integer values are never
// read or written through a float slot. Defaults and the widescreen scaling live in MWinSettings.cpp.
#pragma once

#include "Engine/EngLayouts.h"
#include "Engine/EngTypes.h"
#include "Engine/MWin/MWinTypes.h"

struct MWinLayoutSettings {
  float title_bar_height;              // 0
  float title_text_margin;             // 1
  float hide_button_width;             // 2
  float hide_button_height;            // 3
  float hide_button_gap;               // 4
  float hide_button_y_shift;           // 5
  EngUInt8 swap_hide_and_extra;        // 6: 1 swaps the sides of the hide and extra buttons
  EngUInt8 pad_6[3];
  float default_button_width;          // 7
  float default_button_height;         // 8
  float window_edge_margin_x;          // 9
  float window_edge_margin_y;          // 10
  float vscroll_track_width;           // 11
  float vscroll_thumb_width;           // 12
  float hscroll_track_height;          // 13
  float hscroll_thumb_height;          // 14
  float orientation_text_scale_x;      // 15: 0 or less turns layout text scaling off
  float orientation_text_scale_y;      // 16
  float text_margin;                   // 17
  float text_margin_per_width;         // 18
  float two_line_text_offset;          // 19
  float panel_text_margin;             // 20
  float choice_arrow_width;            // 21
  float choice_arrow_height;           // 22
  float choice_arrow_margin;           // 23
  float slider_button_height;          // 24
  float hscrollbar_arrow_width;        // 25
  float vscrollbar_width;              // 26
  float vscrollbar_arrow_height;       // 27
  float side_bar_width;                // 28
  float side_bar_margin;               // 29
  float hscrollbar_margin;             // 30
  float vscrollbar_margin;             // 31
  float list_arrow_width;              // 32
  float list_arrow_height;             // 33
  float list_arrow_margin;             // 34
  float checkbox_width;                // 35
  float checkbox_height;               // 36
  float checkbox_gap;                  // 37
  float checkbox_margin;               // 38
  float choice_text_margin;            // 39
  float script_margin_x;               // 40
  float script_margin_y;               // 41
  float tab_height;                    // 42
  float tab_background_margin;         // 43
  float tab_border;                    // 44
  float tab_offset;                    // 45
  float pie_start;                     // 46
  float pie_gap;                       // 47
  float graph_offset;                  // 48
  float graph_margin;                  // 49
  float graph_line_width;              // 50
  float graph_point_size;              // 51
  float graph_steps;                   // 52
  float range_bar_height;              // 53
  float range_thumb_height;            // 54
  float range_thumb_width;             // 55
  float spare_56;                      // 56
  float spare_57;                      // 57
  float spare_58;                      // 58
  EngInt32 colour_border;              // 59: an integer, scaled to the nearest integer
  EngInt32 colour_gap;                 // 60
  float spare_61;                      // 61
  float spare_62;                      // 62
  float frame_edge_height;             // 63
  float frame_edge_width;              // 64
  float frame_inset_x;                 // 65
  float frame_inset_y;                 // 66
};
static_assert(sizeof(MWinLayoutSettings) == 67 * 4, "a layout block is 67 four-byte values");

struct _MWinSettings {
  char controlled_from_main_settings[4];
  char activate_collection_under_mouse;
  char activate_window_under_mouse;
  _MWinClearMethod clear_method;
  char background_image_file[256];
  EngTexture *background_texture;  // caller-owned; used instead of the loaded image when set
  char panel_background_flags[3];
  float text_alpha_multiplier;
  char shrink_text_to_fit_default;
  char choice_box_style;
  char tab_panel_flags[4];
  char pie_flags[3];
  signed char pie_flag_signed;
  float pie_colours[9];
  float graph_colours[9];
  char graph_flags[3];
  EngInt32 unused_values[3];
  float colour_picker_values[3];
  MWinLayoutSettings layouts[ENG_NUM_LAYOUTS];
};

// Writes the defaults into the settings from the standard button width, height and margins.
// A partial set-up keeps the fields that only a full set-up writes.
void MWinSettingsSetupStandard(_MWinSettings *settings, char full, float w, float h, float m1, float m2);
// Copies one block into a working block, scaling the horizontal values by ratio (when not 1).
void MWinSettingsScaleLayout(const MWinLayoutSettings *from, MWinLayoutSettings *to, float ratio);
