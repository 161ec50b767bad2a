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
#include <wchar.h> // NOLINT(modernize-deprecated-headers): the C header that xdo.h expects

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

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// Wine gives a program's windows the class of its program file. Only the game clients' own
// count: a console running a start script, a launcher, Wine's explorer or a browser may well
// carry the client's name in their titles.
bool isClientProgram(const WindowNames& n)
{
    return equalsIgnoringCase(n.resClass, "client.exe") ||
           equalsIgnoringCase(n.resClass, kOpenClient + ".exe");
}

// The titles the clients give their windows: "Ultima Online", "Ultima Online - <character>",
// "ClassicUO" or "ClassicUO <version> ...".
bool isClientTitle(const std::string& title)
{
    return title == kClassic || title.starts_with(kTitlePrefix) || title == kOpenClient ||
           title.starts_with(kOpenClient + " ");
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
        {SEARCH_CLASS,
         "^(" + escapeRegex("client.exe") + "|" + escapeRegex(kOpenClient + ".exe") + ")$",
         {},
         {},
         [](const WindowNames& n) { return isClientProgram(n) && isClientTitle(n.title); }},
        {SEARCH_CLASS,
         exactly(kOpenClient),
         {},
         {},
         [](const WindowNames& n) { return n.resClass == kOpenClient; }},
    };
}

bool isViewable(Display* display, Window window)
{
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
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
    // A hidden window of a client (a second copy minimised, a window being closed) takes no
    // keys: the first shown one is the client.
    std::optional<Window> found;
    for (unsigned int i = 0; i < count && !found; ++i) {
        if (rule.matches(namesOf(xdo->xdpy, windows[i])) && isViewable(xdo->xdpy, windows[i])) {
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

bool hasFocus(Display* display, Window window)
{
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    return focusIsIn(display, focus, window);
}

bool waitForFocus(Display* display, Window window)
{
    const auto deadline = std::chrono::steady_clock::now() + kFocusTimeout;
    while (!hasFocus(display, window)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(kFocusPoll);
    }
    return true;
}

// While it lives, the X server carries out this connection's requests alone: no other program
// can move the focus between the check and the key.
class ServerGrab
{
public:
    explicit ServerGrab(Display* display) : m_display(display) { XGrabServer(m_display); }
    ~ServerGrab()
    {
        XUngrabServer(m_display);
        XFlush(m_display);
    }
    ServerGrab(const ServerGrab&) = delete;
    ServerGrab& operator=(const ServerGrab&) = delete;

private:
    Display* const m_display;
};

// The keys of a text: one a character (a UTF-8 sequence).
std::vector<std::string> keysOf(const std::string& text)
{
    std::vector<std::string> keys;
    for (const char c : text) {
        const bool continuation = (static_cast<unsigned char>(c) & 0xC0) == 0x80;
        if (continuation && !keys.empty()) {
            keys.back() += c;
        } else {
            keys.emplace_back(1, c);
        }
    }
    return keys;
}

// Types the text at the focused window, one key at a time and each only while the window (or a
// window inside it) has the focus; the pause follows every key. Escape and Return go as their
// keys (libxdo would turn a line end into Linefeed, which clients ignore), everything else as
// text. False when the focus went elsewhere: the rest of the text is not typed.
bool typeWhileFocused(const xdo_t* xdo, Window window, const std::string& text, unsigned delay)
{
    for (const std::string& key : keysOf(text)) {
        {
            const ServerGrab grab(xdo->xdpy);
            if (!hasFocus(xdo->xdpy, window)) {
                return false;
            }
            if (key[0] == kEscape || key[0] == kReturn) {
                xdo_send_keysequence_window(xdo, CURRENTWINDOW,
                                            key[0] == kEscape ? "Escape" : "Return", 0);
            } else {
                xdo_enter_text_window(xdo, CURRENTWINDOW, key.c_str(), 0);
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay));
    }
    return true;
}

// SendTextToWindow: gives the window the keyboard focus without raising it, confirms that it
// has it and types the text; then the focus goes back to where it was (Tarvek's dialog), unless
// another window has taken it meanwhile. Typing through XTEST needs the focus on the client:
// events sent straight to a window are marked as synthetic and many programs discard them. Keys
// go only to the client: nothing is typed when the focus cannot be given, and the typing stops
// when the focus moves away.
GameClient::Delivery SendTextToWindow(const xdo_t* xdo, Window window, const std::string& text,
                                      unsigned delay)
{
    Display* const display = xdo->xdpy;
    if (!isViewable(display, window)) {
        return GameClient::Delivery::NoClient;
    }
    Window previous = 0;
    int previousRevert = RevertToParent;
    XGetInputFocus(display, &previous, &previousRevert);

    const int errorsBefore = XErrorTrap::errors();
    xdo_focus_window(xdo, window);
    XSync(display, False);
    const bool focused = XErrorTrap::errors() == errorsBefore && waitForFocus(display, window);
    const bool typed = focused && typeWhileFocused(xdo, window, text, delay);
    XSync(display, False);
    const bool lost = focused && !typed;
    if (previous != window && !lost) {
        XSetInputFocus(display, previous, previousRevert, CurrentTime);
        XSync(display, False);
    }
    return !focused ? GameClient::Delivery::NoClient
           : typed  ? GameClient::Delivery::Typed
                    : GameClient::Delivery::FocusLost;
}

} // namespace

X11GameClient::X11GameClient(unsigned keyDelayMicroseconds) : m_keyDelay(keyDelayMicroseconds) {}

bool X11GameClient::SendToUO(const std::string& command)
{
    return deliver(command) == Delivery::Typed;
}

GameClient::Delivery X11GameClient::deliver(const std::string& command)
{
    // No X display (for example a Wayland desktop without XWayland): no client can be found.
    Display* const display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return Delivery::NoClient;
    }
    const XErrorTrap trap;
    xdo_t* const xdo = xdo_new_with_opened_display(display, nullptr, 1);
    if (xdo == nullptr) {
        XCloseDisplay(display);
        return Delivery::NoClient;
    }
    xdo->quiet = 1;
    const std::optional<Window> window = findClientWindow(xdo);
    const std::string text = std::string(1, kEscape) + kReturn + command + kReturn;
    const Delivery delivery =
        window ? SendTextToWindow(xdo, *window, text, m_keyDelay) : Delivery::NoClient;
    xdo_free(xdo);
    return delivery;
}

} // namespace tarvek::client
