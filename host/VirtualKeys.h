#pragma once

class QKeyEvent;

namespace host {

// The virtual-key code a key event stands for (13 Enter, 27 Escape, 32 Space, 65..90 the
// letters, ...), with the punctuation keys where a US keyboard has them; 0 for a key that
// has no code.
short virtualKeyCode(const QKeyEvent &event);

} // namespace host
