#include "display/XkbKeyboardLayout.h"

#include <QGuiApplication>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <vector>

#ifdef LECTORA_HAVE_XKB
#include <xcb/xcb.h>
// The XKB protocol header names a structure field "explicit", a C++ keyword.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>
#endif

namespace lectora {

namespace {

constexpr std::uint32_t kEnglish = 0x04090409;
constexpr std::uint32_t kBulgarian = 0x04020402;
constexpr std::uint32_t kMacedonian = 0x042F042F;
constexpr std::uint32_t kSerbian = 0x0C1A0C1A;
constexpr std::uint32_t kRussian = 0x04190419;
constexpr std::uint32_t kRomanian = 0x04180418;
constexpr std::uint32_t kGreek = 0x04080408;
constexpr std::uint32_t kGerman = 0x04070407;

struct TKnownLayout {
  std::string_view shortName;    // the XKB layout name
  std::string_view description;  // how a keymap's layout description begins
  std::uint32_t handle;
};

// "sr" and "el" are the language codes some set-ups use for the layouts XKB
// calls "rs" and "gr".
constexpr TKnownLayout kKnownLayouts[] = {
    {"us", "english", kEnglish},     {"gb", "", kEnglish},
    {"bg", "bulgarian", kBulgarian}, {"mk", "macedonian", kMacedonian},
    {"rs", "serbian", kSerbian},     {"sr", "", kSerbian},
    {"ru", "russian", kRussian},     {"ro", "romanian", kRomanian},
    {"gr", "greek", kGreek},         {"el", "", kGreek},
    {"de", "german", kGerman},
};

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
    text.remove_prefix(1);
  }
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
    text.remove_suffix(1);
  }
  return text;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  while (true) {
    const std::size_t at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + 1);
  }
}

}  // namespace

#ifdef LECTORA_HAVE_XKB

struct TXkbKeyboardLayout::TConnection {
  xcb_connection_t* xcb = nullptr;
  bool owned = false;  // opened here, closed by the destructor
  bool ready = false;  // the XKB handshake succeeded
  std::int32_t device = -1;
  xcb_window_t root = 0;
  xcb_atom_t rulesNames = XCB_ATOM_NONE;

  TConnection(xcb_connection_t* connection, bool ownsIt) : xcb(connection), owned(ownsIt) {
    if (xcb == nullptr || xcb_connection_has_error(xcb) != 0) return;
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    std::uint8_t firstEvent = 0;
    std::uint8_t firstError = 0;
    if (xkb_x11_setup_xkb_extension(
            xcb, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
            XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, &major, &minor, &firstEvent, &firstError) == 0) {
      return;
    }
    device = xkb_x11_get_core_keyboard_device_id(xcb);
    if (device < 0) return;
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(xcb));
    if (screens.rem == 0) return;
    root = screens.data->root;
    constexpr std::string_view kAtom = "_XKB_RULES_NAMES";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        xcb, xcb_intern_atom(xcb, 1, static_cast<std::uint16_t>(kAtom.size()), kAtom.data()),
        nullptr);
    if (atom != nullptr) {
      rulesNames = atom->atom;
      std::free(atom);
    }
    ready = true;
  }
  ~TConnection() {
    if (owned && xcb != nullptr) xcb_disconnect(xcb);
  }
  TConnection(const TConnection&) = delete;
  TConnection& operator=(const TConnection&) = delete;

  // The effective group (0..3) of the core keyboard, or -1.
  int Group() const {
    xcb_xkb_get_state_reply_t* state = xcb_xkb_get_state_reply(
        xcb, xcb_xkb_get_state(xcb, static_cast<xcb_xkb_device_spec_t>(device)), nullptr);
    if (state == nullptr) return -1;
    const int group = state->group;
    std::free(state);
    return group;
  }

  // The layout and variant of `group` from the rules names that setxkbmap
  // and the server publish on the root window ("evdev\0pc105\0us,bg\0,\0").
  bool RulesLayout(int group, std::string& layout, std::string& variant) const {
    if (rulesNames == XCB_ATOM_NONE) return false;
    xcb_get_property_reply_t* property = xcb_get_property_reply(
        xcb, xcb_get_property(xcb, 0, root, rulesNames, XCB_ATOM_STRING, 0, 1024), nullptr);
    if (property == nullptr) return false;
    const std::string_view value(static_cast<const char*>(xcb_get_property_value(property)),
                                 static_cast<std::size_t>(xcb_get_property_value_length(property)));
    const std::vector<std::string_view> fields = Split(value, '\0');
    bool found = false;
    if (fields.size() > 2) {
      const std::vector<std::string_view> layouts = Split(fields[2], ',');
      if (group < static_cast<int>(layouts.size()) && !Trim(layouts[group]).empty()) {
        layout = std::string(Trim(layouts[group]));
        const std::vector<std::string_view> variants =
            fields.size() > 3 ? Split(fields[3], ',') : std::vector<std::string_view>();
        variant = group < static_cast<int>(variants.size()) ? std::string(Trim(variants[group]))
                                                            : std::string();
        found = true;
      }
    }
    std::free(property);
    return found;
  }

  // The keymap's own description of `group` ("Bulgarian"), compiled from
  // the server's keymap.
  std::string KeymapLayoutName(int group) const {
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    if (context == nullptr) return {};
    std::string name;
    if (xkb_keymap* keymap =
            xkb_x11_keymap_new_from_device(context, xcb, device, XKB_KEYMAP_COMPILE_NO_FLAGS)) {
      if (const char* text =
              xkb_keymap_layout_get_name(keymap, static_cast<xkb_layout_index_t>(group))) {
        name = text;
      }
      xkb_keymap_unref(keymap);
    }
    xkb_context_unref(context);
    return name;
  }
};

std::unique_ptr<TXkbKeyboardLayout> TXkbKeyboardLayout::ForApplication() {
  xcb_connection_t* xcb = nullptr;
  if (auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                     : nullptr) {
    xcb = x11->connection();
  }
  return std::unique_ptr<TXkbKeyboardLayout>(
      new TXkbKeyboardLayout(std::make_unique<TConnection>(xcb, false)));
}

std::unique_ptr<TXkbKeyboardLayout> TXkbKeyboardLayout::Connect(const char* displayName) {
  return std::unique_ptr<TXkbKeyboardLayout>(new TXkbKeyboardLayout(
      std::make_unique<TConnection>(xcb_connect(displayName, nullptr), true)));
}

bool TXkbKeyboardLayout::Available() const { return connection_->ready; }

std::string TXkbKeyboardLayout::ActiveLayoutName() const {
  if (!connection_->ready) return {};
  const int group = connection_->Group();
  if (group < 0) return {};
  std::string layout;
  std::string variant;
  if (connection_->RulesLayout(group, layout, variant)) {
    return variant.empty() ? layout : layout + "(" + variant + ")";
  }
  return connection_->KeymapLayoutName(group);
}

#else  // no XKB at build time: the layout is never known

struct TXkbKeyboardLayout::TConnection {};

std::unique_ptr<TXkbKeyboardLayout> TXkbKeyboardLayout::ForApplication() {
  return std::unique_ptr<TXkbKeyboardLayout>(
      new TXkbKeyboardLayout(std::make_unique<TConnection>()));
}

std::unique_ptr<TXkbKeyboardLayout> TXkbKeyboardLayout::Connect(const char*) {
  return ForApplication();
}

bool TXkbKeyboardLayout::Available() const { return false; }

std::string TXkbKeyboardLayout::ActiveLayoutName() const { return {}; }

#endif

TXkbKeyboardLayout::TXkbKeyboardLayout(std::unique_ptr<TConnection> connection)
    : connection_(std::move(connection)) {}

TXkbKeyboardLayout::~TXkbKeyboardLayout() = default;

std::optional<std::uint32_t> TXkbKeyboardLayout::ActiveLayout() const {
  const std::string name = ActiveLayoutName();
  if (name.empty()) return std::nullopt;
  // "rs(latin)": the variant in brackets.
  const std::size_t bracket = name.find('(');
  if (bracket != std::string::npos && name.back() == ')') {
    return LayoutHandleOf(std::string_view(name).substr(0, bracket),
                          std::string_view(name).substr(bracket + 1, name.size() - bracket - 2));
  }
  return LayoutHandleOf(name);
}

std::optional<std::uint32_t> TXkbKeyboardLayout::LayoutHandleOf(std::string_view layout,
                                                                std::string_view variant) {
  const std::string name = Lower(Trim(layout));
  if (name.empty()) return std::nullopt;
  // Serbian in Latin letters is not the Cyrillic layout of our table.
  const bool latin = Lower(variant).find("latin") != std::string::npos;
  for (const TKnownLayout& known : kKnownLayouts) {
    const bool matches = name == known.shortName ||
                         (!known.description.empty() &&
                          name.compare(0, known.description.size(), known.description) == 0);
    if (!matches) continue;
    if (known.handle == kSerbian && (latin || name.find("latin") != std::string::npos)) {
      return std::nullopt;
    }
    return known.handle;
  }
  return std::nullopt;
}

}  // namespace lectora
