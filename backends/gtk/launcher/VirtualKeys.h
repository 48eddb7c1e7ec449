#pragma once

typedef struct _GdkEventKey GdkEventKey;

namespace vz::gtk {

// Keysym of a Windows virtual-key code; 0 when the key has no X equivalent.
unsigned long KeysymFromVirtualKey(unsigned vk);

// Virtual-key code of an X keysym; 0 when there is none.
unsigned VirtualKeyFromKeysym(unsigned long keysym);

// Virtual-key code of a key event. Codes name keys, not characters: the key is taken
// without its modifiers (Shift+Tab is still Tab), falling back to what GDK reported.
unsigned VirtualKeyOfEvent(const GdkEventKey* event);

}  // namespace vz::gtk
