#include "platform/x11/X11WindowList.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <utility>

#include "common/text/Text.h"

// Xlib last: its macros (None, True, False, Bool, Status) would otherwise reach our own headers.
#include <X11/X.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace vexa::platform {

namespace {

using ui::ForeignWindow;

// Requests about a window that another program has just destroyed fail with BadWindow and the
// like; Xlib's default handler would end the whole program for that. Errors of our own connections
// are therefore dropped (the request then answers nothing); other connections keep the handler they
// had.
std::mutex gQuietMutex;
std::vector<Display*> gQuietDisplays;
XErrorHandler gPreviousHandler = nullptr;

int DropErrorsOfQuietDisplays(Display* display, XErrorEvent* event) {
  {
    std::lock_guard<std::mutex> lock(gQuietMutex);
    if (std::find(gQuietDisplays.begin(), gQuietDisplays.end(), display) != gQuietDisplays.end()) return 0;
  }
  return gPreviousHandler != nullptr ? gPreviousHandler(display, event) : 0;
}

void MakeQuiet(Display* display) {
  std::lock_guard<std::mutex> lock(gQuietMutex);
  gQuietDisplays.push_back(display);
  XErrorHandler previous = XSetErrorHandler(DropErrorsOfQuietDisplays);
  if (previous != DropErrorsOfQuietDisplays) gPreviousHandler = previous;
}

void ForgetQuiet(Display* display) {
  std::lock_guard<std::mutex> lock(gQuietMutex);
  gQuietDisplays.erase(std::remove(gQuietDisplays.begin(), gQuietDisplays.end(), display),
                       gQuietDisplays.end());
}

// Window ids are 29-bit numbers; anything else cannot name a window.
bool Plausible(ForeignWindow window) {
  return window != 0 && window <= 0xFFFFFFFFu;
}

// ICCCM strings (WM_NAME as STRING, WM_CLASS) are ISO 8859-1.
std::u16string FromLatin1(const unsigned char* bytes, std::size_t length) {
  std::u16string result;
  result.reserve(length);
  for (std::size_t i = 0; i < length; ++i) result.push_back(static_cast<char16_t>(bytes[i]));
  return result;
}

std::u16string FromLatin1(const char* s) {
  if (s == nullptr) return {};
  return FromLatin1(reinterpret_cast<const unsigned char*>(s), std::char_traits<char>::length(s));
}

// The device's virtual-key codes and the keysyms they press. Letters are the unshifted letter keys
// (the device's codes name keys, not characters); the digit row and the numeric pad are distinct;
// the punctuation codes are the keys of a US layout.
struct KeyMapping {
  int virtualKey;
  KeySym keysym;
};
constexpr KeyMapping kNamedKeys[] = {
    {0x08, XK_BackSpace},   {0x09, XK_Tab},         {0x0D, XK_Return},       {0x10, XK_Shift_L},
    {0x11, XK_Control_L},   {0x12, XK_Alt_L},       {0x13, XK_Pause},        {0x14, XK_Caps_Lock},
    {0x1B, XK_Escape},      {0x20, XK_space},       {0x21, XK_Prior},        {0x22, XK_Next},
    {0x23, XK_End},         {0x24, XK_Home},        {0x25, XK_Left},         {0x26, XK_Up},
    {0x27, XK_Right},       {0x28, XK_Down},        {0x2C, XK_Print},        {0x2D, XK_Insert},
    {0x2E, XK_Delete},      {0x5B, XK_Super_L},     {0x5C, XK_Super_R},      {0x5D, XK_Menu},
    {0x6A, XK_KP_Multiply}, {0x6B, XK_KP_Add},      {0x6C, XK_KP_Separator}, {0x6D, XK_KP_Subtract},
    {0x6E, XK_KP_Decimal},  {0x6F, XK_KP_Divide},   {0x90, XK_Num_Lock},     {0x91, XK_Scroll_Lock},
    {0xA0, XK_Shift_L},     {0xA1, XK_Shift_R},     {0xA2, XK_Control_L},    {0xA3, XK_Control_R},
    {0xA4, XK_Alt_L},       {0xA5, XK_Alt_R},       {0xBA, XK_semicolon},    {0xBB, XK_equal},
    {0xBC, XK_comma},       {0xBD, XK_minus},       {0xBE, XK_period},       {0xBF, XK_slash},
    {0xC0, XK_grave},       {0xDB, XK_bracketleft}, {0xDC, XK_backslash},    {0xDD, XK_bracketright},
    {0xDE, XK_apostrophe},
};

// 0x30-0x39 digit row, 0x41-0x5A letters, 0x60-0x69 numeric pad digits, 0x70-0x7B F1-F12.
KeySym KeysymOf(int virtualKey) {
  if (virtualKey >= 0x30 && virtualKey <= 0x39) return XK_0 + static_cast<KeySym>(virtualKey - 0x30);
  if (virtualKey >= 0x41 && virtualKey <= 0x5A) return XK_a + static_cast<KeySym>(virtualKey - 0x41);
  if (virtualKey >= 0x60 && virtualKey <= 0x69) return XK_KP_0 + static_cast<KeySym>(virtualKey - 0x60);
  if (virtualKey >= 0x70 && virtualKey <= 0x7B) return XK_F1 + static_cast<KeySym>(virtualKey - 0x70);
  for (const KeyMapping& key : kNamedKeys) {
    if (key.virtualKey == virtualKey) return key.keysym;
  }
  return NoSymbol;
}

// Keypad keys that mean a digit only while Num Lock is on.
bool NeedsNumLock(KeySym keysym) {
  return (keysym >= XK_KP_0 && keysym <= XK_KP_9) || keysym == XK_KP_Decimal;
}

// An icon pixel (0xAARRGGBB, straight alpha) blended over a background colour.
gfx::Pixel BlendOver(unsigned long argb, gfx::Pixel background) {
  const unsigned alpha = (argb >> 24) & 0xFFu;
  gfx::Pixel result = 0xFF000000u;
  for (int shift = 0; shift <= 16; shift += 8) {
    const unsigned fg = (argb >> shift) & 0xFFu;
    const unsigned bg = (background >> shift) & 0xFFu;
    result |= ((fg * alpha + bg * (255u - alpha) + 127u) / 255u) << shift;
  }
  return result;
}

}  // namespace

struct X11WindowList::Atoms {
  Atom wmState = 0;
  Atom wmProtocols = 0;
  Atom wmDeleteWindow = 0;
  Atom utf8String = 0;
  Atom netWmName = 0;
  Atom netClientListStacking = 0;
  Atom netClientList = 0;
  Atom netWmWindowType = 0;
  Atom netWmWindowTypeDesktop = 0;
  Atom netWmWindowTypeDock = 0;
  Atom netWmIcon = 0;
  Atom netActiveWindow = 0;
  Atom netWmState = 0;
  Atom netWmStateAbove = 0;
  Atom netSupported = 0;
  Atom netSupportingWmCheck = 0;
  bool xtest = false;
};

namespace {

// Reading properties. Format-32 data comes from Xlib as an array of longs whatever the size of long.
class Properties {
 public:
  explicit Properties(Display* display) : display_(display) {}

  // Properties longer than this many 32-bit units are read only this far (a broken or hostile
  // client cannot make us allocate without limit).
  static constexpr long kMaxUnits = 1L << 22;

  std::optional<std::vector<unsigned long>> Longs(Window window, Atom property, Atom type) const {
    Atom actualType = 0;
    int actualFormat = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, window, property, 0, kMaxUnits, False, type, &actualType, &actualFormat,
                           &count, &after, &data) != Success) {
      return std::nullopt;
    }
    std::optional<std::vector<unsigned long>> result;
    if (data != nullptr && actualFormat == 32 && (type == AnyPropertyType || actualType == type)) {
      const auto* values = reinterpret_cast<const unsigned long*>(data);
      result.emplace(values, values + count);
    }
    if (data != nullptr) XFree(data);
    return result;
  }

  std::optional<std::string> Bytes(Window window, Atom property, Atom type) const {
    Atom actualType = 0;
    int actualFormat = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, window, property, 0, kMaxUnits, False, type, &actualType, &actualFormat,
                           &count, &after, &data) != Success) {
      return std::nullopt;
    }
    std::optional<std::string> result;
    if (data != nullptr && actualFormat == 8 && actualType == type) {
      result.emplace(reinterpret_cast<const char*>(data), count);
    }
    if (data != nullptr) XFree(data);
    return result;
  }

  bool Has(Window window, Atom property) const {
    Atom actualType = 0;
    int actualFormat = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, window, property, 0, 0, False, AnyPropertyType, &actualType,
                           &actualFormat, &count, &after, &data) != Success) {
      return false;
    }
    if (data != nullptr) XFree(data);
    return actualType != None;
  }

 private:
  Display* display_;
};

// Children of a window, bottom of the stacking order first; empty when it is gone.
std::vector<Window> ChildrenOf(Display* display, Window window) {
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  std::vector<Window> result;
  if (XQueryTree(display, window, &root, &parent, &children, &count) != 0 && children != nullptr) {
    result.assign(children, children + count);
  }
  if (children != nullptr) XFree(children);
  return result;
}

// The client window a window manager's frame holds: the window itself or the topmost descendant
// carrying WM_STATE, looked for a few levels down (frames nest the client one to three deep).
std::optional<Window> ClientIn(Display* display, const Properties& properties, Atom wmState, Window window,
                               int depth) {
  if (properties.Has(window, wmState)) return window;
  if (depth == 0) return std::nullopt;
  const std::vector<Window> children = ChildrenOf(display, window);
  for (auto child = children.rbegin(); child != children.rend(); ++child) {
    if (auto client = ClientIn(display, properties, wmState, *child, depth - 1)) return client;
  }
  return std::nullopt;
}

}  // namespace

std::unique_ptr<X11WindowList> X11WindowList::Open(const char* displayName) {
  Display* display = XOpenDisplay(displayName);
  if (display == nullptr) return nullptr;
  MakeQuiet(display);

  static constexpr std::array kNames = {
      "WM_STATE",
      "WM_PROTOCOLS",
      "WM_DELETE_WINDOW",
      "UTF8_STRING",
      "_NET_WM_NAME",
      "_NET_CLIENT_LIST_STACKING",
      "_NET_CLIENT_LIST",
      "_NET_WM_WINDOW_TYPE",
      "_NET_WM_WINDOW_TYPE_DESKTOP",
      "_NET_WM_WINDOW_TYPE_DOCK",
      "_NET_WM_ICON",
      "_NET_ACTIVE_WINDOW",
      "_NET_WM_STATE",
      "_NET_WM_STATE_ABOVE",
      "_NET_SUPPORTED",
      "_NET_SUPPORTING_WM_CHECK",
  };
  std::array<char*, kNames.size()> names{};
  for (std::size_t i = 0; i < kNames.size(); ++i) names[i] = const_cast<char*>(kNames[i]);
  std::array<Atom, kNames.size()> atoms{};
  XInternAtoms(display, names.data(), static_cast<int>(names.size()), False, atoms.data());

  auto interned = std::make_unique<Atoms>();
  Atom* fields[] = {&interned->wmState,
                    &interned->wmProtocols,
                    &interned->wmDeleteWindow,
                    &interned->utf8String,
                    &interned->netWmName,
                    &interned->netClientListStacking,
                    &interned->netClientList,
                    &interned->netWmWindowType,
                    &interned->netWmWindowTypeDesktop,
                    &interned->netWmWindowTypeDock,
                    &interned->netWmIcon,
                    &interned->netActiveWindow,
                    &interned->netWmState,
                    &interned->netWmStateAbove,
                    &interned->netSupported,
                    &interned->netSupportingWmCheck};
  static_assert(std::size(fields) == kNames.size());
  for (std::size_t i = 0; i < kNames.size(); ++i) *fields[i] = atoms[i];

  int eventBase = 0;
  int errorBase = 0;
  int major = 0;
  int minor = 0;
  interned->xtest = XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor) != 0;
  return std::unique_ptr<X11WindowList>(new X11WindowList(display, std::move(interned)));
}

X11WindowList::X11WindowList(_XDisplay* display, std::unique_ptr<Atoms> atoms)
    : display_(display), atoms_(std::move(atoms)) {}

X11WindowList::~X11WindowList() {
  XCloseDisplay(display_);
  ForgetQuiet(display_);
}

namespace {

// What the device's programs ask of one window, read in one place.
struct WindowFacts {
  std::vector<Atom> types;  // _NET_WM_WINDOW_TYPE
  std::u16string resName;   // WM_CLASS, instance part
  std::u16string resClass;  // WM_CLASS, class part
};

WindowFacts ReadFacts(Display* display, Atom windowType, Window window) {
  WindowFacts facts;
  if (auto types = Properties(display).Longs(window, windowType, XA_ATOM)) {
    facts.types.assign(types->begin(), types->end());
  }
  XClassHint hint{};
  if (XGetClassHint(display, window, &hint) != 0) {
    facts.resName = FromLatin1(hint.res_name);
    facts.resClass = FromLatin1(hint.res_class);
    if (hint.res_name != nullptr) XFree(hint.res_name);
    if (hint.res_class != nullptr) XFree(hint.res_class);
  }
  return facts;
}

bool HasType(const WindowFacts& facts, Atom type) {
  return std::find(facts.types.begin(), facts.types.end(), type) != facts.types.end();
}

// A desktop window or a panel answers to the class names the device's programs look for.
std::optional<std::u16string> SpecialClass(const WindowFacts& facts, Atom desktop, Atom dock) {
  if (HasType(facts, desktop)) return u"DesktopExplorerWindow";
  if (HasType(facts, dock)) return u"HHTaskBar";
  return std::nullopt;
}

}  // namespace

std::vector<ForeignWindow> X11WindowList::Enumerate() {
  const Properties properties(display_);
  const Window root = DefaultRootWindow(display_);
  std::vector<ForeignWindow> result;
  auto add = [&](Window window) {
    if (std::find(result.begin(), result.end(), window) == result.end()) result.push_back(window);
  };

  // The window manager's list holds the windows it manages, bottom of the stacking order first.
  auto managed = properties.Longs(root, atoms_->netClientListStacking, XA_WINDOW);
  if (!managed) managed = properties.Longs(root, atoms_->netClientList, XA_WINDOW);
  if (managed) {
    for (auto window = managed->rbegin(); window != managed->rend(); ++window) add(*window);
  }

  // Then everything else at the top level, top first: clients inside frames, and ordinary windows
  // nobody manages (no window manager, or withdrawn by hiding). Pop-ups (override-redirect) and
  // input-only windows are never program windows.
  const std::vector<Window> children = ChildrenOf(display_, root);
  for (auto child = children.rbegin(); child != children.rend(); ++child) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display_, *child, &attributes) == 0) continue;
    if (auto client = ClientIn(display_, properties, atoms_->wmState, *child, 3)) {
      add(*client);
    } else if (!attributes.override_redirect && attributes.c_class == InputOutput) {
      add(*child);
    }
  }
  return result;
}

std::optional<ForeignWindow> X11WindowList::Find(std::optional<std::u16string_view> title,
                                                 std::optional<std::u16string_view> className) {
  for (ForeignWindow window : Enumerate()) {
    if (title && !text::EqualsNoCase(Title(window), *title)) continue;
    if (className) {
      const WindowFacts facts = ReadFacts(display_, atoms_->netWmWindowType, window);
      const auto special = SpecialClass(facts, atoms_->netWmWindowTypeDesktop, atoms_->netWmWindowTypeDock);
      const bool matches = (special && text::EqualsNoCase(*special, *className)) ||
                           (!facts.resClass.empty() && text::EqualsNoCase(facts.resClass, *className)) ||
                           (!facts.resName.empty() && text::EqualsNoCase(facts.resName, *className));
      if (!matches) continue;
    }
    return window;
  }
  return std::nullopt;
}

bool X11WindowList::IsVisible(ForeignWindow window) {
  if (!Plausible(window)) return false;
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display_, window, &attributes) == 0) return false;
  return attributes.map_state == IsViewable;
}

std::u16string X11WindowList::Title(ForeignWindow window) {
  if (!Plausible(window)) return {};
  if (auto name = Properties(display_).Bytes(window, atoms_->netWmName, atoms_->utf8String)) {
    return text::FromUtf8(*name);
  }
  XTextProperty property{};
  if (XGetWMName(display_, window, &property) == 0 || property.value == nullptr) return {};
  std::u16string title;
  if (property.format == 8 && property.encoding == XA_STRING) {
    title = FromLatin1(property.value, property.nitems);
  } else if (property.format == 8 && property.encoding == atoms_->utf8String) {
    title = text::FromUtf8(std::string_view(reinterpret_cast<const char*>(property.value), property.nitems));
  } else {
    // COMPOUND_TEXT and other encodings: Xlib converts them.
    char** list = nullptr;
    int count = 0;
    if (Xutf8TextPropertyToTextList(display_, &property, &list, &count) >= Success && list != nullptr) {
      if (count > 0 && list[0] != nullptr) title = text::FromUtf8(list[0]);
      XFreeStringList(list);
    }
  }
  XFree(property.value);
  return title;
}

std::u16string X11WindowList::ClassName(ForeignWindow window) {
  if (!Plausible(window)) return {};
  const WindowFacts facts = ReadFacts(display_, atoms_->netWmWindowType, window);
  if (auto special = SpecialClass(facts, atoms_->netWmWindowTypeDesktop, atoms_->netWmWindowTypeDock)) {
    return *special;
  }
  return facts.resClass;
}

namespace {

// One channel of a pixel value of a true-colour visual, as 0 to 255.
unsigned Channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1u) == 0) ++shift;
  const unsigned long top = mask >> shift;
  return static_cast<unsigned>(((pixel & mask) >> shift) * 255u / top);
}

// The icon picture of a window's WM_HINTS (icon_pixmap, and icon_mask for its see-through part):
// the icon a program gives its window class where it sets none of its own pictures. A one-bit
// pixmap is black on white; a deeper one is read through the screen's visual. Nullopt without one.
std::optional<gfx::Bitmap> HintsIcon(Display* display, Window window) {
  XWMHints* hints = XGetWMHints(display, window);
  if (hints == nullptr) return std::nullopt;
  const Pixmap pixmap = (hints->flags & IconPixmapHint) != 0 ? hints->icon_pixmap : None;
  const Pixmap mask = (hints->flags & IconMaskHint) != 0 ? hints->icon_mask : None;
  XFree(hints);
  if (pixmap == None) return std::nullopt;

  Window root = 0;
  int x = 0;
  int y = 0;
  unsigned width = 0;
  unsigned height = 0;
  unsigned border = 0;
  unsigned depth = 0;
  if (XGetGeometry(display, pixmap, &root, &x, &y, &width, &height, &border, &depth) == 0)
    return std::nullopt;
  constexpr unsigned kLargest = 1024;  // as for _NET_WM_ICON
  if (width == 0 || height == 0 || width > kLargest || height > kLargest) return std::nullopt;
  XImage* image = XGetImage(display, pixmap, 0, 0, width, height, AllPlanes, ZPixmap);
  if (image == nullptr) return std::nullopt;
  XImage* maskImage = nullptr;
  if (mask != None) {
    unsigned maskWidth = 0;
    unsigned maskHeight = 0;
    unsigned maskDepth = 0;
    if (XGetGeometry(display, mask, &root, &x, &y, &maskWidth, &maskHeight, &border, &maskDepth) != 0 &&
        maskWidth >= width && maskHeight >= height) {
      maskImage = XGetImage(display, mask, 0, 0, width, height, 1, XYPixmap);
    }
  }

  const Visual* visual = DefaultVisual(display, DefaultScreen(display));
  const gfx::Pixel background = gfx::ToPixel(gfx::SystemColors::kWindow);
  gfx::Bitmap icon(static_cast<int>(width), static_cast<int>(height));
  for (int row = 0; row < icon.height(); ++row) {
    for (int column = 0; column < icon.width(); ++column) {
      gfx::Pixel out = background;
      if (maskImage == nullptr || XGetPixel(maskImage, column, row) != 0) {
        const unsigned long value = XGetPixel(image, column, row);
        if (depth == 1) {
          out = value != 0 ? 0xFF000000u : 0xFFFFFFFFu;
        } else {
          out = 0xFF000000u | (Channel(value, visual->red_mask) << 16) |
                (Channel(value, visual->green_mask) << 8) | Channel(value, visual->blue_mask);
        }
      }
      icon.Set(column, row, out);
    }
  }
  if (maskImage != nullptr) XDestroyImage(maskImage);
  XDestroyImage(image);
  return icon;
}

}  // namespace

std::optional<gfx::Bitmap> X11WindowList::Icon(ForeignWindow window) {
  if (!Plausible(window)) return std::nullopt;
  const auto picture = NetWmIcon(window);
  if (picture) return picture;
  return HintsIcon(display_, window);
}

std::optional<gfx::Bitmap> X11WindowList::NetWmIcon(ForeignWindow window) {
  // _NET_WM_ICON: width, height, then width * height ARGB pixels, repeated for each size:
  //   16 16 0xff2040c0 0xff2040c0 ... 32 32 0x00000000 ...
  const auto data = Properties(display_).Longs(window, atoms_->netWmIcon, XA_CARDINAL);
  if (!data) return std::nullopt;
  constexpr unsigned long kLargest = 1024;  // larger sizes are taken as a broken property
  constexpr long kWanted = 32;
  std::size_t best = 0;
  long bestWidth = 0;
  long bestHeight = 0;
  long bestDistance = 0;
  for (std::size_t at = 0; at + 2 <= data->size();) {
    const unsigned long width = (*data)[at] & 0xFFFFFFFFu;
    const unsigned long height = (*data)[at + 1] & 0xFFFFFFFFu;
    if (width == 0 || height == 0 || width > kLargest || height > kLargest) break;
    const std::size_t pixels = static_cast<std::size_t>(width * height);
    if (pixels > data->size() - at - 2) break;  // cut short
    // Nearest to 32 by the longer side; between two equally near, the larger one shrinks better.
    const long side = static_cast<long>(std::max(width, height));
    const long distance = std::labs(side - kWanted);
    if (bestWidth == 0 || distance < bestDistance ||
        (distance == bestDistance && side > std::max(bestWidth, bestHeight))) {
      best = at + 2;
      bestWidth = static_cast<long>(width);
      bestHeight = static_cast<long>(height);
      bestDistance = distance;
    }
    at += 2 + pixels;
  }
  if (bestWidth == 0) return std::nullopt;

  gfx::Bitmap icon(static_cast<int>(bestWidth), static_cast<int>(bestHeight));
  const gfx::Pixel background = gfx::ToPixel(gfx::SystemColors::kWindow);
  for (int y = 0; y < icon.height(); ++y) {
    gfx::Pixel* row = icon.Row(y);
    for (int x = 0; x < icon.width(); ++x) {
      row[x] = BlendOver((*data)[best + static_cast<std::size_t>(y) * static_cast<std::size_t>(bestWidth) +
                                 static_cast<std::size_t>(x)],
                         background);
    }
  }
  return icon;
}

namespace {

// A running EWMH window manager: the check window named on the root names itself too (a stale
// property left by a window manager that has ended does not).
bool ManagerRunning(Display* display, Atom check) {
  const Properties properties(display);
  const auto onRoot = properties.Longs(DefaultRootWindow(display), check, XA_WINDOW);
  if (!onRoot || onRoot->empty() || (*onRoot)[0] == 0) return false;
  const auto onSelf = properties.Longs((*onRoot)[0], check, XA_WINDOW);
  return onSelf && !onSelf->empty() && (*onSelf)[0] == (*onRoot)[0];
}

bool ManagerSupports(Display* display, Atom check, Atom supported, Atom feature) {
  if (!ManagerRunning(display, check)) return false;
  const auto list = Properties(display).Longs(DefaultRootWindow(display), supported, XA_ATOM);
  return list && std::find(list->begin(), list->end(), feature) != list->end();
}

// A request to the window manager about a window, sent to the root as EWMH asks.
void SendToManager(Display* display, Window window, Atom message, std::array<long, 5> data) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = message;
  event.xclient.format = 32;
  for (std::size_t i = 0; i < data.size(); ++i) event.xclient.data.l[i] = data[i];
  XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
             &event);
}

// Source indication of EWMH requests: 2 is a pager or taskbar, which window managers obey without
// focus-stealing checks; the task manager and the launcher act for the user.
constexpr long kSourcePager = 2;

}  // namespace

bool X11WindowList::SetForeground(ForeignWindow window) {
  if (!Plausible(window)) return false;
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display_, window, &attributes) == 0) return false;
  if (ManagerSupports(display_, atoms_->netSupportingWmCheck, atoms_->netSupported,
                      atoms_->netActiveWindow)) {
    SendToManager(display_, window, atoms_->netActiveWindow, {kSourcePager, CurrentTime, 0, 0, 0});
  } else {
    XRaiseWindow(display_, window);
    // Focus can only go to a window on screen.
    if (attributes.map_state == IsViewable) XSetInputFocus(display_, window, RevertToParent, CurrentTime);
  }
  XFlush(display_);
  return true;
}

bool X11WindowList::PressRightButton(ForeignWindow window) {
  if (!Plausible(window)) return false;
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display_, window, &attributes) == 0) return false;
  // A press of button 3 at the window's top-left corner, delivered to the window itself; its client
  // sees it as it would a real one (with send_event set).
  XEvent event{};
  event.xbutton.type = ButtonPress;
  event.xbutton.display = display_;
  event.xbutton.window = window;
  event.xbutton.root = attributes.root;
  event.xbutton.subwindow = None;
  event.xbutton.time = CurrentTime;
  event.xbutton.x = 0;
  event.xbutton.y = 0;
  event.xbutton.x_root = attributes.x;
  event.xbutton.y_root = attributes.y;
  event.xbutton.state = 0;
  event.xbutton.button = Button3;
  event.xbutton.same_screen = True;
  if (XSendEvent(display_, window, False, ButtonPressMask, &event) == 0) return false;
  XFlush(display_);
  return true;
}

bool X11WindowList::PostClose(ForeignWindow window) {
  if (!Plausible(window)) return false;
  Atom* protocols = nullptr;
  int count = 0;
  if (XGetWMProtocols(display_, window, &protocols, &count) == 0) return false;
  const bool takesDelete = protocols != nullptr && std::find(protocols, protocols + count,
                                                             atoms_->wmDeleteWindow) != protocols + count;
  if (protocols != nullptr) XFree(protocols);
  // A window that does not take the request is left alone: killing its client would lose its data.
  if (!takesDelete) return false;

  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = atoms_->wmProtocols;
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(atoms_->wmDeleteWindow);
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display_, window, False, NoEventMask, &event);
  XFlush(display_);
  return true;
}

bool X11WindowList::SetTopMost(ForeignWindow window, bool topMost) {
  if (!Plausible(window)) return false;
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display_, window, &attributes) == 0) return false;
  const Properties properties(display_);
  const bool managed = properties.Has(window, atoms_->wmState);
  if (managed &&
      ManagerSupports(display_, atoms_->netSupportingWmCheck, atoms_->netSupported, atoms_->netWmState)) {
    constexpr long kRemove = 0;
    constexpr long kAdd = 1;
    SendToManager(display_, window, atoms_->netWmState,
                  {topMost ? kAdd : kRemove, static_cast<long>(atoms_->netWmStateAbove), 0, kSourcePager, 0});
  } else {
    // Not managed: the window's own state property, which a window manager reads when it maps the
    // window; with nobody to keep it above, raising it is what top-most can mean.
    std::vector<unsigned long> states =
        properties.Longs(window, atoms_->netWmState, XA_ATOM).value_or(std::vector<unsigned long>{});
    states.erase(std::remove(states.begin(), states.end(), atoms_->netWmStateAbove), states.end());
    if (topMost) states.push_back(atoms_->netWmStateAbove);
    XChangeProperty(display_, window, atoms_->netWmState, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(states.data()), static_cast<int>(states.size()));
    if (topMost) XRaiseWindow(display_, window);
  }
  // Waits until the server has done it, so that whoever looks next (another program, another
  // connection) sees the new state.
  XSync(display_, False);
  return true;
}

bool X11WindowList::Show(ForeignWindow window, bool visible) {
  if (!Plausible(window)) return false;
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display_, window, &attributes) == 0) return false;
  if (visible) {
    XMapWindow(display_, window);
  } else {
    // Unmaps and tells the window manager, which then stops managing it (hidden, not minimised).
    XWithdrawWindow(display_, window, XScreenNumberOfScreen(attributes.screen));
  }
  XFlush(display_);
  return true;
}

bool X11WindowList::SendKey(int virtualKey) {
  if (!atoms_->xtest) return false;
  const KeySym keysym = KeysymOf(virtualKey);
  if (keysym == NoSymbol) return false;

  KeyCode code = XKeysymToKeycode(display_, keysym);
  if (code == 0) {
    // The keyboard map has no key for it (a keypad-less layout): give it a key code nobody uses. The
    // binding stays, since clients translate the event after we return.
    int low = 0;
    int high = 0;
    XDisplayKeycodes(display_, &low, &high);
    int perCode = 0;
    KeySym* map = XGetKeyboardMapping(display_, static_cast<KeyCode>(low), high - low + 1, &perCode);
    if (map == nullptr) return false;
    for (int candidate = high; candidate >= low && code == 0; --candidate) {
      const KeySym* syms = map + static_cast<std::ptrdiff_t>(candidate - low) * perCode;
      if (std::all_of(syms, syms + perCode, [](KeySym s) { return s == NoSymbol; })) {
        KeySym bound = keysym;
        XChangeKeyboardMapping(display_, candidate, 1, &bound, 1);
        XSync(display_, False);
        code = static_cast<KeyCode>(candidate);
      }
    }
    XFree(map);
    if (code == 0) return false;
  }

  // Keypad digits are digits only under Num Lock; the device's keypad codes always mean digits, so
  // Num Lock is switched on around the key when it is off.
  bool toggleNumLock = false;
  const KeyCode numLock = XKeysymToKeycode(display_, XK_Num_Lock);
  if (NeedsNumLock(keysym) && numLock != 0) {
    unsigned int numLockMask = 0;
    if (XModifierKeymap* modifiers = XGetModifierMapping(display_)) {
      for (int modifier = 0; modifier < 8; ++modifier) {
        for (int i = 0; i < modifiers->max_keypermod; ++i) {
          if (modifiers->modifiermap[modifier * modifiers->max_keypermod + i] == numLock) {
            numLockMask = 1u << modifier;
          }
        }
      }
      XFreeModifiermap(modifiers);
    }
    Window root = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int x = 0;
    int y = 0;
    unsigned int state = 0;
    XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &rootX, &rootY, &x, &y, &state);
    toggleNumLock = numLockMask != 0 && (state & numLockMask) == 0;
  }

  auto tap = [&](KeyCode key) {
    XTestFakeKeyEvent(display_, key, True, CurrentTime);
    XTestFakeKeyEvent(display_, key, False, CurrentTime);
  };
  if (toggleNumLock) tap(numLock);
  tap(code);
  if (toggleNumLock) tap(numLock);
  XFlush(display_);
  return true;
}

void X11WindowList::PrepareWindow(ForeignWindow window, std::u16string_view className) {
  if (!className.empty()) {
    std::string latin;
    for (const char16_t c : className) latin.push_back(c < 0x80 ? static_cast<char>(c) : '_');
    std::string name = latin;
    XClassHint hint{name.data(), latin.data()};
    XSetClassHint(display_, window, &hint);
    std::optional<Atom> type;
    if (text::EqualsNoCase(className, u"DesktopExplorerWindow")) type = atoms_->netWmWindowTypeDesktop;
    if (text::EqualsNoCase(className, u"HHTaskBar")) type = atoms_->netWmWindowTypeDock;
    if (type) {
      const unsigned long value = *type;
      XChangeProperty(display_, window, atoms_->netWmWindowType, XA_ATOM, 32, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(&value), 1);
    }
  }
  // _MOTIF_WM_HINTS: flags, functions, decorations, input mode, status; decorations hold when flags
  // has bit 1; decoration bit 1 is the border.
  constexpr unsigned long kDecorationsFlag = 1ul << 1;
  constexpr unsigned long kBorder = 1ul << 1;
  const Atom motif = XInternAtom(display_, "_MOTIF_WM_HINTS", False);
  if (auto hints = Properties(display_).Longs(window, motif, motif); hints && hints->size() >= 3) {
    auto values = *hints;
    if ((values[0] & kDecorationsFlag) != 0 && values[2] == 0) {
      values[2] = kBorder;
      XChangeProperty(display_, window, motif, motif, 32, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(values.data()), static_cast<int>(values.size()));
    }
  }
  // A window that covers the whole screen asks to be maximised: the window manager then keeps it as
  // large as the screen without taking it for a full-screen one (which it would lift above top-most
  // windows and the taskbar).
  Window root = 0;
  int x = 0;
  int y = 0;
  unsigned int width = 0;
  unsigned int height = 0;
  unsigned int border = 0;
  unsigned int depth = 0;
  if (XGetGeometry(display_, window, &root, &x, &y, &width, &height, &border, &depth) != 0) {
    XWindowAttributes screen{};
    if (XGetWindowAttributes(display_, root, &screen) != 0 && x <= 0 && y <= 0 &&
        static_cast<int>(width) + x >= screen.width && static_cast<int>(height) + y >= screen.height) {
      const unsigned long states[2] = {XInternAtom(display_, "_NET_WM_STATE_MAXIMIZED_VERT", False),
                                       XInternAtom(display_, "_NET_WM_STATE_MAXIMIZED_HORZ", False)};
      XChangeProperty(display_, window, atoms_->netWmState, XA_ATOM, 32, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(states), 2);
    }
  }
  XSync(display_, False);
}

}  // namespace vexa::platform
