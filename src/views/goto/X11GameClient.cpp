// The only file that includes xdo.h: it has no extern "C" guard of its own and brings in Xlib's
// macros (None, Bool, Status, ...), so nothing else may be included after it.
#include "views/goto/X11GameClient.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <sys/types.h>
#include <unistd.h>
#include <wchar.h>

extern "C" {
#include <xdo.h>
}

namespace tarvek::client {

namespace {

constexpr char kEscape = 27;
constexpr char kReturn = 13;
// How long the window may take to report that it has the keyboard focus.
constexpr auto kFocusTimeout = std::chrono::milliseconds(1000);
constexpr auto kFocusPoll = std::chrono::milliseconds(10);

// Xlib's default error handler ends the program. A window can vanish between finding and
// focusing it, so errors are counted instead while a command is delivered.
class XErrorTrap
{
public:
    XErrorTrap() : m_previous(XSetErrorHandler(&XErrorTrap::handle)) { s_errors = 0; }
    ~XErrorTrap() { XSetErrorHandler(m_previous); }
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    static int errors() { return s_errors; }

private:
    static int handle(Display*, XErrorEvent*)
    {
        ++s_errors;
        return 0;
    }

    static inline int s_errors = 0;
    int (*m_previous)(Display*, XErrorEvent*);
};

struct WindowNames
{
    std::string resName;  // WM_CLASS instance
    std::string resClass; // WM_CLASS class
    std::string title;    // _NET_WM_NAME, else WM_NAME
};

std::optional<std::string> utf8Property(Display* display, Window window, const char* name)
{
    const Atom property = XInternAtom(display, name, False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 4096, False, utf8, &type, &format, &count,
                           &after, &data) != Success) {
        return std::nullopt;
    }
    std::optional<std::string> result;
    if (data != nullptr && type == utf8 && format == 8) {
        result = std::string(reinterpret_cast<const char*>(data), count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return result;
}

std::string legacyTitle(Display* display, Window window)
{
    XTextProperty property{};
    if (XGetWMName(display, window, &property) == 0 || property.value == nullptr) {
        return {};
    }
    std::string title;
    char** list = nullptr;
    int count = 0;
    if (Xutf8TextPropertyToTextList(display, &property, &list, &count) >= Success && count > 0 &&
        list != nullptr) {
        title = list[0];
    } else {
        title.assign(reinterpret_cast<const char*>(property.value), property.nitems);
    }
    if (list != nullptr) {
        XFreeStringList(list);
    }
    XFree(property.value);
    return title;
}

WindowNames namesOf(Display* display, Window window)
{
    WindowNames names;
    XClassHint hint{};
    if (XGetClassHint(display, window, &hint) != 0) {
        if (hint.res_name != nullptr) {
            names.resName = hint.res_name;
            XFree(hint.res_name);
        }
        if (hint.res_class != nullptr) {
            names.resClass = hint.res_class;
            XFree(hint.res_class);
        }
    }
    names.title = utf8Property(display, window, "_NET_WM_NAME").value_or(std::string());
    if (names.title.empty()) {
        names.title = legacyTitle(display, window);
    }
    return names;
}

// libxdo matches POSIX extended regular expressions, without regard to case.
std::string escapeRegex(std::string_view text)
{
    std::string escaped;
    for (const char c : text) {
        if (std::string_view(".[]{}()\\*+?^$|").find(c) != std::string_view::npos) {
            escaped += '\\';
        }
        escaped += c;
    }
    return escaped;
}

std::string exactly(std::string_view text)
{
    return "^" + escapeRegex(text) + "$";
}

// One step of the search: libxdo's search narrows the windows down (its matching ignores case),
// the exact test decides.
struct SearchRule
{
    unsigned int mask;
    std::string classPattern;
    std::string classNamePattern;
    std::string titlePattern;
    std::function<bool(const WindowNames&)> matches;
};

const std::string kClassic = "Ultima Online";
const std::string kThirdDawn = "Ultima Online Third Dawn";
const std::string kTitlePrefix = "Ultima Online - ";
const std::string kOpenClient = "ClassicUO";

bool endsWithExe(std::string_view name)
{
    constexpr std::string_view kExe = ".exe";
    if (name.size() < kExe.size()) {
        return false;
    }
    const std::string_view end = name.substr(name.size() - kExe.size());
    return std::equal(end.begin(), end.end(), kExe.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

// Wine names a program's windows after its program file ("client.exe"). A title alone is never
// enough: a web page or a terminal may carry the client's name in its title.
bool isWineProgram(const WindowNames& n)
{
    return endsWithExe(n.resClass) || endsWithExe(n.resName);
}

std::vector<SearchRule> searchRules()
{
    return {
        {SEARCH_CLASS,
         exactly(kClassic),
         {},
         {},
         [](const WindowNames& n) { return n.resClass == kClassic; }},
        {SEARCH_CLASS,
         exactly(kThirdDawn),
         {},
         {},
         [](const WindowNames& n) { return n.resClass == kThirdDawn; }},
        {SEARCH_NAME,
         {},
         {},
         "^" + escapeRegex(kClassic) + "(" + escapeRegex(" - ") + ".*)?$",
         [](const WindowNames& n) {
             return isWineProgram(n) && (n.title == kClassic || n.title.starts_with(kTitlePrefix));
         }},
        {SEARCH_CLASS | SEARCH_CLASSNAME | SEARCH_NAME, exactly(kOpenClient), exactly(kOpenClient),
         escapeRegex(kOpenClient),
         [](const WindowNames& n) {
             return n.resClass == kOpenClient || n.resName == kOpenClient ||
                    (isWineProgram(n) && n.title.find(kOpenClient) != std::string::npos);
         }},
    };
}

std::optional<Window> findByRule(const xdo_t* xdo, const SearchRule& rule)
{
    // Patterns of the tests that the mask leaves out are never matched; they are given anyway,
    // since libxdo compiles every pattern it is handed.
    static const std::string unused = "^$";
    const auto pattern = [](const std::string& p) {
        return p.empty() ? unused.c_str() : p.c_str();
    };
    xdo_search_t search{};
    search.title = unused.c_str();
    search.winclass = pattern(rule.classPattern);
    search.winclassname = pattern(rule.classNamePattern);
    search.winname = pattern(rule.titlePattern);
    search.max_depth = -1; // depth 1 would see only the window manager's frames
    search.require = xdo_search::SEARCH_ANY;
    search.searchmask = rule.mask;
    search.screen = 0;
    search.desktop = -1;

    Window* windows = nullptr;
    unsigned int count = 0;
    xdo_search_windows(xdo, &search, &windows, &count);
    std::optional<Window> found;
    for (unsigned int i = 0; i < count && !found; ++i) {
        if (rule.matches(namesOf(xdo->xdpy, windows[i]))) {
            found = windows[i];
        }
    }
    std::free(windows);
    return found;
}

std::optional<Window> findClientWindow(const xdo_t* xdo)
{
    for (const SearchRule& rule : searchRules()) {
        if (const std::optional<Window> window = findByRule(xdo, rule)) {
            return window;
        }
    }
    return std::nullopt;
}

bool isViewable(Display* display, Window window)
{
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

// True when `focus` is `window` or lies inside it.
bool focusIsIn(Display* display, Window focus, Window window)
{
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
        if (parent == root) {
            return parent == window;
        }
        focus = parent;
    }
    return false;
}

bool waitForFocus(Display* display, Window window)
{
    const auto deadline = std::chrono::steady_clock::now() + kFocusTimeout;
    while (true) {
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(display, &focus, &revert);
        if (focusIsIn(display, focus, window)) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(kFocusPoll);
    }
}

// Types the text at the focused window: Escape and Return as their keys (libxdo would turn a
// line end into Linefeed, which clients ignore), everything else as text.
void typeText(const xdo_t* xdo, const std::string& text, unsigned delay)
{
    std::string run;
    const auto flushRun = [&] {
        if (!run.empty()) {
            xdo_enter_text_window(xdo, CURRENTWINDOW, run.c_str(), delay);
            run.clear();
        }
    };
    for (const char c : text) {
        if (c == kEscape || c == kReturn) {
            flushRun();
            xdo_send_keysequence_window(xdo, CURRENTWINDOW, c == kEscape ? "Escape" : "Return",
                                        delay);
        } else {
            run += c;
        }
    }
    flushRun();
}

// SendTextToWindow: gives the window the keyboard focus without raising it, confirms that it
// has it and types the text; then the focus goes back to where it was (Tarvek's dialog). Typing
// through XTEST needs the focus on the client: events sent straight to a window are marked as
// synthetic and many programs discard them. False when the focus could not be given; then
// nothing is typed, so no keys land in another program.
bool SendTextToWindow(const xdo_t* xdo, Window window, const std::string& text, unsigned delay)
{
    Display* const display = xdo->xdpy;
    if (!isViewable(display, window)) {
        return false;
    }
    Window previous = 0;
    int previousRevert = RevertToParent;
    XGetInputFocus(display, &previous, &previousRevert);

    const int errorsBefore = XErrorTrap::errors();
    xdo_focus_window(xdo, window);
    XSync(display, False);
    const bool focused = XErrorTrap::errors() == errorsBefore && waitForFocus(display, window);
    if (focused) {
        typeText(xdo, text, delay);
        XSync(display, False);
    }
    if (previous != window) {
        XSetInputFocus(display, previous, previousRevert, CurrentTime);
        XSync(display, False);
    }
    return focused;
}

} // namespace

X11GameClient::X11GameClient(unsigned keyDelayMicroseconds) : m_keyDelay(keyDelayMicroseconds) {}

bool X11GameClient::SendToUO(const std::string& command)
{
    // No X display (for example a Wayland desktop without XWayland): no client can be found.
    Display* const display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    const XErrorTrap trap;
    xdo_t* const xdo = xdo_new_with_opened_display(display, nullptr, 1);
    if (xdo == nullptr) {
        XCloseDisplay(display);
        return false;
    }
    xdo->quiet = 1;
    const std::optional<Window> window = findClientWindow(xdo);
    const std::string text = std::string(1, kEscape) + kReturn + command + kReturn;
    const bool typed = window && SendTextToWindow(xdo, *window, text, m_keyDelay);
    xdo_free(xdo);
    return typed;
}

} // namespace tarvek::client
