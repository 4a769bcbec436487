#include "XServer.h"

// Xlib's macros (None, Bool, Status...) stay inside this file.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <chrono>
#include <thread>

namespace lm_test::x {

namespace {

/// The connection, opened when the program starts; while a server resets it refuses clients for
/// a moment, so it is asked again for up to ten seconds.
Display* display() {
    static Display* const connection = [] {
        Display* opened = XOpenDisplay(nullptr);
        for (int tries = 0; tries < 500 && opened == nullptr; ++tries) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            opened = XOpenDisplay(nullptr);
        }
        return opened;
    }();
    return connection;
}

[[maybe_unused]] Display* const opened_at_start = display();

/// Waits until the server has handled every request sent so far.
bool sent(int status) {
    XSync(display(), False);
    return status != 0;
}

bool viewable(Window window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(display(), window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

/// A viewable window with the title below this one, or 0.
Window findBelow(Window parent, const std::string& title) {
    Window root = 0;
    Window parent_of = 0;
    Window* p_children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display(), parent, &root, &parent_of, &p_children, &count) == 0) {
        return 0;
    }
    Window found = 0;
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        char* p_name = nullptr;
        if (XFetchName(display(), p_children[i], &p_name) != 0 && p_name != nullptr) {
            if (title == p_name && viewable(p_children[i])) {
                found = p_children[i];
            }
            XFree(p_name);
        }
        if (found == 0) {
            found = findBelow(p_children[i], title);
        }
    }
    XFree(p_children);
    return found;
}

}  // namespace

bool key(const std::string& name, bool down) {
    if (display() == nullptr) {
        return false;
    }
    const KeySym keysym = XStringToKeysym(name.c_str());
    const KeyCode keycode = keysym == NoSymbol ? 0 : XKeysymToKeycode(display(), keysym);
    return keycode != 0 &&
           sent(XTestFakeKeyEvent(display(), keycode, down ? True : False, CurrentTime));
}

bool button(int number, bool down) {
    return display() != nullptr &&
           sent(XTestFakeButtonEvent(display(), static_cast<unsigned int>(number),
                                     down ? True : False, CurrentTime));
}

bool moveTo(int x, int y) {
    return display() != nullptr && sent(XTestFakeMotionEvent(display(), -1, x, y, CurrentTime));
}

bool focus(unsigned long window) {
    for (int tries = 0; display() != nullptr && tries < 200; ++tries) {
        if (viewable(window)) {
            return sent(XSetInputFocus(display(), window, RevertToParent, CurrentTime));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

unsigned long focused() {
    Window window = 0;
    int revert_to = 0;
    return display() != nullptr && XGetInputFocus(display(), &window, &revert_to) != 0 ? window : 0;
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

unsigned long findWindow(const std::string& title) {
    for (int tries = 0; display() != nullptr && tries < 1000; ++tries) {
        if (const Window found = findBelow(DefaultRootWindow(display()), title)) {
            return found;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return 0;
}

sf::Image capture(unsigned long window) {
    sf::Image image;
    XWindowAttributes attributes{};
    if (display() == nullptr || XGetWindowAttributes(display(), window, &attributes) == 0) {
        return image;
    }
    const auto width = static_cast<unsigned int>(attributes.width);
    const auto height = static_cast<unsigned int>(attributes.height);
    if (XImage* p_image = XGetImage(display(), window, 0, 0, width, height, AllPlanes, ZPixmap)) {
        image.create(width, height);
        for (unsigned int y = 0; y < height; ++y) {
            for (unsigned int x = 0; x < width; ++x) {
                // 0xRRGGBB from the server, 0xRRGGBBAA for the picture.
                const unsigned long pixel =
                    XGetPixel(p_image, static_cast<int>(x), static_cast<int>(y));
                image.setPixel(x, y, sf::Color(static_cast<sf::Uint32>(pixel << 8 | 0xFF)));
            }
        }
        XDestroyImage(p_image);
    }
    return image;
}

}  // namespace lm_test::x
