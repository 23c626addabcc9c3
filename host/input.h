// Real input for tests: the real cursor (SetCursorPos or SendInput) and
// real window messages, delivered posted (through the thread's loop and the
// form's keyboard routing), sent (straight to the window procedure), or as
// hardware input (SendInput, as a user's mouse and keyboard). Points are
// pixels in the control's client area. Each call returns when what it
// delivered has been handled, or false when that did not happen before the
// deadline.
//
// Moving the cursor makes the system deliver one WM_MOUSEMOVE to the window
// under it (Windows and Wine alike); a move to where the cursor already is
// delivers one explicitly, so every moveTo gives the window exactly one
// move. Button messages go to the window with the mouse capture, else to
// the window under the cursor, as the system sends them.
#pragma once

#include "host/site.h"

#include <windows.h>

namespace pkw::host {
class Form;
}

namespace pkw::host::input {

enum class Button { Left, Right, Middle };
enum class Delivery { Post, Send, Hardware };

POINT screenPoint(const Site& site, POINT local);
POINT centre(const Site& site);

// Puts the cursor at a screen point; waits for the move message when a
// window of this thread is under it.
bool moveCursor(POINT screen, Delivery delivery = Delivery::Post);
bool moveTo(const Site& site, POINT local, Delivery delivery = Delivery::Post);
// To a point of the form that no control covers (else beside the form).
bool moveOutside(const Site& site, Delivery delivery = Delivery::Post);

// Moves to the point, then presses.
bool press(const Site& site, POINT local, Button button = Button::Left,
           Delivery delivery = Delivery::Post);
// Releases wherever the cursor is.
bool release(Button button = Button::Left, Delivery delivery = Delivery::Post);
bool click(const Site& site, POINT local, Button button = Button::Left,
           Delivery delivery = Delivery::Post);
// Down, up, double-click message (the second press), up.
bool doubleClick(const Site& site, POINT local, Button button = Button::Left,
                 Delivery delivery = Delivery::Post);

// Lets go of every button a test left pressed (posted presses, and hardware
// ones by releasing them), so the next test starts with none down.
void resetButtons();

// Keys go to the window with the focus.
bool keyDown(UINT vk, Delivery delivery = Delivery::Post);
bool keyUp(UINT vk, Delivery delivery = Delivery::Post);
// Down and up; posted and hardware keys also make their WM_CHAR.
bool pressKey(UINT vk, Delivery delivery = Delivery::Post);
bool typeChar(wchar_t ch);
// Alt+key, as the user types an access key; to the focused window, else
// the form.
bool altKey(Form& form, wchar_t key, Delivery delivery = Delivery::Post);

} // namespace pkw::host::input
