// The active keyboard layout on X11, asked from the XKB extension: the
// effective group of the core keyboard and that group's layout name, mapped
// to the layout handles of the language table (0x04090409 US English,
// 0x04020402 Bulgarian, ...). Layouts without a language of ours, other
// platforms and a build without XKB answer "unknown", in which case keys are
// translated.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "store/KeyboardLayoutQuery.h"

namespace lectora {

class TXkbKeyboardLayout : public IKeyboardLayoutQuery {
 public:
  // Uses the program's own X11 connection when Qt runs on X11 (xcb); on any
  // other platform the query answers nullopt. Needs the QGuiApplication,
  // which must outlive the query.
  static std::unique_ptr<TXkbKeyboardLayout> ForApplication();
  // Opens a connection of its own to `displayName` (null: $DISPLAY), closed
  // by the destructor; without a display or XKB the query answers nullopt.
  static std::unique_ptr<TXkbKeyboardLayout> Connect(const char* displayName = nullptr);

  ~TXkbKeyboardLayout() override;
  TXkbKeyboardLayout(const TXkbKeyboardLayout&) = delete;
  TXkbKeyboardLayout& operator=(const TXkbKeyboardLayout&) = delete;

  // True when the X server answered the XKB handshake.
  bool Available() const;
  // The active group's layout as XKB names it: "us", "bg", "rs(latin)" (the
  // variant in brackets), or the keymap's description ("Bulgarian") when
  // the server does not publish the short names; "" when unknown.
  std::string ActiveLayoutName() const;
  std::optional<std::uint32_t> ActiveLayout() const override;

  // The layout handle for XKB layout `layout` with variant `variant`: short
  // names ("us", "bg", "ru", "rs", "gr", "ro", "de", "mk") or descriptions
  // ("English (US)", "Bulgarian"); nullopt for any other layout and for
  // Serbian in Latin letters.
  static std::optional<std::uint32_t> LayoutHandleOf(std::string_view layout,
                                                     std::string_view variant = {});

 private:
  struct TConnection;
  explicit TXkbKeyboardLayout(std::unique_ptr<TConnection> connection);

  std::unique_ptr<TConnection> connection_;
};

}  // namespace lectora
