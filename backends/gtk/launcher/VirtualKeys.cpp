#include "backends/gtk/launcher/VirtualKeys.h"

#include <X11/keysym.h>
#include <gdk/gdk.h>

#include <utility>

namespace vz::gtk {
namespace {

struct Pair {
  unsigned vk;
  unsigned long keysym;
};

// Keys other than letters, digits and function keys.
constexpr Pair kTable[] = {
    {0x08, XK_BackSpace},  {0x09, XK_Tab},          {0x0D, XK_Return},     {0x13, XK_Pause},
    {0x14, XK_Caps_Lock},  {0x1B, XK_Escape},       {0x20, XK_space},      {0x21, XK_Prior},
    {0x22, XK_Next},       {0x23, XK_End},          {0x24, XK_Home},       {0x25, XK_Left},
    {0x26, XK_Up},         {0x27, XK_Right},        {0x28, XK_Down},       {0x2C, XK_Print},
    {0x2D, XK_Insert},     {0x2E, XK_Delete},       {0x5D, XK_Menu},       {0x60, XK_KP_0},
    {0x61, XK_KP_1},       {0x62, XK_KP_2},         {0x63, XK_KP_3},       {0x64, XK_KP_4},
    {0x65, XK_KP_5},       {0x66, XK_KP_6},         {0x67, XK_KP_7},       {0x68, XK_KP_8},
    {0x69, XK_KP_9},       {0x6A, XK_KP_Multiply},  {0x6B, XK_KP_Add},     {0x6D, XK_KP_Subtract},
    {0x6E, XK_KP_Decimal}, {0x6F, XK_KP_Divide},    {0x90, XK_Num_Lock},   {0x91, XK_Scroll_Lock},
    {0xBA, XK_semicolon},  {0xBB, XK_equal},        {0xBC, XK_comma},      {0xBD, XK_minus},
    {0xBE, XK_period},     {0xBF, XK_slash},        {0xC0, XK_grave},      {0xDB, XK_bracketleft},
    {0xDC, XK_backslash},  {0xDD, XK_bracketright}, {0xDE, XK_apostrophe},
};

}  // namespace

unsigned long KeysymFromVirtualKey(unsigned vk) {
  if (vk >= 'A' && vk <= 'Z') return XK_a + (vk - 'A');
  if (vk >= '0' && vk <= '9') return XK_0 + (vk - '0');
  if (vk >= 0x70 && vk <= 0x87) return XK_F1 + (vk - 0x70);  // F1 to F24
  for (const Pair& p : kTable) {
    if (p.vk == vk) return p.keysym;
  }
  return 0;
}

unsigned VirtualKeyFromKeysym(unsigned long keysym) {
  if (keysym >= XK_a && keysym <= XK_z) return static_cast<unsigned>('A' + (keysym - XK_a));
  if (keysym >= XK_A && keysym <= XK_Z) return static_cast<unsigned>('A' + (keysym - XK_A));
  if (keysym >= XK_0 && keysym <= XK_9) return static_cast<unsigned>('0' + (keysym - XK_0));
  if (keysym >= XK_F1 && keysym <= XK_F24) return static_cast<unsigned>(0x70 + (keysym - XK_F1));
  for (const Pair& p : kTable) {
    if (p.keysym == keysym) return p.vk;
  }
  return 0;
}

unsigned VirtualKeyOfEvent(const GdkEventKey* ev) {
  guint plain = 0;
  GdkDisplay* display = ev->window ? gdk_window_get_display(ev->window) : gdk_display_get_default();
  GdkKeymap* keymap = display ? gdk_keymap_get_for_display(display) : nullptr;
  if (!keymap ||
      !gdk_keymap_translate_keyboard_state(keymap, ev->hardware_keycode, GdkModifierType(0),
                                           ev->group, &plain, nullptr, nullptr, nullptr)) {
    plain = ev->keyval;
  }
  const unsigned vk = VirtualKeyFromKeysym(plain);
  return vk ? vk : VirtualKeyFromKeysym(ev->keyval);
}

}  // namespace vz::gtk
