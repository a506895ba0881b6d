#pragma once
// The name boxes of the form pages and windows: editable drop-down boxes whose fill handler runs
// when the user picks a name from the list (mouse, keyboard or completion) and, on some boxes,
// when the keyboard focus leaves the box for another control of the program. Opening the box's
// own list, pressing Return in it, switching to another program and the box's own tidying of its
// current item when the focus moves are none of these: Qt's combo box reports the last ones as
// "activated" as well, which would overwrite what the user has typed elsewhere on the page.
#include <functional>

class QComboBox;

namespace formidor::gui {

// Runs handler (guarded) on a pick and, when onLeave, on leaving the box.
void bindNameBox(QComboBox* box, bool onLeave, std::function<void()> handler);

} // namespace formidor::gui
