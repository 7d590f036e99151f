#pragma once

// The busy (hourglass) cursor. Commands set it before they read the database
// or create a window and restore the default on every way out.
namespace ui {

void setBusyCursor();
void setDefaultCursor();
bool isBusyCursor();

// Sets the busy cursor for a scope and restores the default when it ends,
// however the scope is left.
class BusyCursor {
public:
    BusyCursor() { setBusyCursor(); }
    ~BusyCursor() { setDefaultCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

} // namespace ui
