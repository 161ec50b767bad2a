#pragma once

#include <string>

// The keyboard focus on the test's X display (DISPLAY), for the checks of where the focus goes.
// Windows are X window ids; 0 means none.
class X11Focus
{
public:
    // The first window (depth first from the root) whose WM_CLASS class is windowClass.
    static unsigned long windowOfClass(const std::string& windowClass);
    // The first such window that is on screen and, when title is not empty, is named title.
    static unsigned long viewableWindow(const std::string& windowClass, const std::string& title);
    // Gives the window the focus; false when the server refused.
    static bool focus(unsigned long window);
    // True when the focus is on the window or inside it.
    static bool isFocused(unsigned long window);
    // Unmaps the window (as a minimised or closing program's window is).
    static bool hide(unsigned long window);
};
