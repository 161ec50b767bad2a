#include "X11Focus.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// One display connection for one question; closed when the question is answered.
class Connection
{
public:
    Connection() : m_display(XOpenDisplay(nullptr)) {}
    ~Connection()
    {
        if (m_display != nullptr) {
            XCloseDisplay(m_display);
        }
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    Display* display() const { return m_display; }

private:
    Display* m_display;
};

// Whether the window's WM_CLASS class is windowClass and, when title is not empty, its name is
// title.
bool matches(Display* display, Window window, const std::string& windowClass,
             const std::string& title)
{
    XClassHint hint{};
    if (XGetClassHint(display, window, &hint) == 0) {
        return false;
    }
    bool match = hint.res_class != nullptr && windowClass == hint.res_class;
    XFree(hint.res_name);
    XFree(hint.res_class);
    if (match && !title.empty()) {
        char* name = nullptr;
        match = XFetchName(display, window, &name) != 0 && name != nullptr && title == name;
        XFree(name);
    }
    return match;
}

// The first matching window, depth first from `window`; with `viewable`, only one that is on
// screen (mapped, and its parents too).
Window search(Display* display, Window window, const std::string& windowClass,
              const std::string& title = {}, bool viewable = false)
{
    if (matches(display, window, windowClass, title)) {
        XWindowAttributes attributes{};
        if (!viewable || (XGetWindowAttributes(display, window, &attributes) != 0 &&
                          attributes.map_state == IsViewable)) {
            return window;
        }
    }
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count) != 0) {
        for (unsigned int i = 0; i < count && found == 0; ++i) {
            found = search(display, children[i], windowClass, title, viewable);
        }
        if (children != nullptr) {
            XFree(children);
        }
    }
    return found;
}

} // namespace

unsigned long X11Focus::windowOfClass(const std::string& windowClass)
{
    const Connection connection;
    if (connection.display() == nullptr) {
        return 0;
    }
    return search(connection.display(), DefaultRootWindow(connection.display()), windowClass);
}

unsigned long X11Focus::viewableWindow(const std::string& windowClass, const std::string& title)
{
    const Connection connection;
    if (connection.display() == nullptr) {
        return 0;
    }
    return search(connection.display(), DefaultRootWindow(connection.display()), windowClass, title,
                  true);
}

bool X11Focus::focus(unsigned long window)
{
    const Connection connection;
    if (connection.display() == nullptr) {
        return false;
    }
    XSetInputFocus(connection.display(), window, RevertToParent, CurrentTime);
    XSync(connection.display(), False);
    return isFocused(window);
}

bool X11Focus::hide(unsigned long window)
{
    const Connection connection;
    if (connection.display() == nullptr) {
        return false;
    }
    XUnmapWindow(connection.display(), window);
    XSync(connection.display(), False);
    return true;
}

bool X11Focus::isFocused(unsigned long window)
{
    const Connection connection;
    Display* const display = connection.display();
    if (display == nullptr) {
        return false;
    }
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    while (focus != 0 && focus != PointerRoot) {
        if (focus == window) {
            return true;
        }
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(display, focus, &root, &parent, &children, &count) == 0) {
            return false;
        }
        if (children != nullptr) {
            XFree(children);
        }
        focus = parent == root ? 0 : parent;
    }
    return false;
}
