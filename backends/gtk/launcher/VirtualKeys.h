#pragma once

namespace vz::gtk {

// Keysym of a Windows virtual-key code; 0 when the key has no X equivalent.
unsigned long KeysymFromVirtualKey(unsigned vk);

// Virtual-key code of an X keysym; 0 when there is none.
unsigned VirtualKeyFromKeysym(unsigned long keysym);

}  // namespace vz::gtk
