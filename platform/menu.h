// Menus from a module's MENU resources. Internal to platform/; views read a
// window's menu through platform/window_query.h.
#pragma once

#include <vector>

#include "platform/window_store.h"

namespace platform {

// Parses a standard MENU resource into its pop-ups and items. False when it
// is malformed.
bool parse_menu(const unsigned char* data, size_t size, std::vector<menu_item>* bar);
// The items of a menu bar, or null for a handle that is not a menu.
const std::vector<menu_item>* menu_items(HMENU menu);
// Whether the menu holds an enabled command with the id.
bool menu_has_command(HMENU menu, WORD id);

}  // namespace platform
