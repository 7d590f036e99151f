#pragma once

#include <functional>

// The default beep with which refused key strokes are answered.
namespace ui {

void beep();

// Tests count beeps through a handler; an empty handler restores the real beep.
void setBeepHandler(std::function<void()> handler);

} // namespace ui
