#include "FakeInput.h"

// Xlib's macros (None, Bool, Status...) stay inside this file.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <unistd.h>

namespace lm_test::fake_input {

namespace {

/// The display, opened once for the test's process.
Display* display() {
    static Display* const connection = XOpenDisplay(nullptr);
    return connection;
}

/// Waits until the server has handled every request sent so far.
bool sent(int status) {
    XSync(display(), False);
    return status != 0;
}

}  // namespace

bool key(const std::string& name, bool down) {
    if (display() == nullptr) {
        return false;
    }
    const KeySym keysym = XStringToKeysym(name.c_str());
    const KeyCode keycode = keysym == NoSymbol ? 0 : XKeysymToKeycode(display(), keysym);
    if (keycode == 0) {
        return false;
    }
    return sent(XTestFakeKeyEvent(display(), keycode, down ? True : False, CurrentTime));
}

bool button(int number, bool down) {
    if (display() == nullptr) {
        return false;
    }
    return sent(XTestFakeButtonEvent(display(), static_cast<unsigned int>(number),
                                     down ? True : False, CurrentTime));
}

bool moveTo(int x, int y) {
    if (display() == nullptr) {
        return false;
    }
    return sent(XTestFakeMotionEvent(display(), -1, x, y, CurrentTime));
}

bool focus(unsigned long window) {
    if (display() == nullptr) {
        return false;
    }
    for (int tries = 0; tries < 200; ++tries) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display(), window, &attributes) != 0 &&
            attributes.map_state == IsViewable) {
            return sent(XSetInputFocus(display(), window, RevertToParent, CurrentTime));
        }
        usleep(10000);
    }
    return false;
}

OtherWindow::OtherWindow() : window(0) {
    if (display() == nullptr) {
        return;
    }
    window = XCreateSimpleWindow(display(), DefaultRootWindow(display()), 0, 0, 64, 64, 0, 0, 0);
    XMapRaised(display(), window);
    focus(window);
}

OtherWindow::~OtherWindow() {
    if (window != 0) {
        XDestroyWindow(display(), window);
        XSync(display(), False);
    }
}

bool OtherWindow::hasFocus() const {
    Window focused = 0;
    int revert_to = 0;
    XGetInputFocus(display(), &focused, &revert_to);
    return window != 0 && focused == window;
}

bool requestClose(unsigned long window) {
    if (display() == nullptr) {
        return false;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display(), "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display(), "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    return sent(XSendEvent(display(), window, False, NoEventMask, &event));
}

}  // namespace lm_test::fake_input
