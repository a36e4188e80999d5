#include "app/DesktopPalette.h"

#include <QApplication>
#include <QEvent>
#include <QStyle>
#include <cstdlib>
#include <string>

#include "display/ContrastColor.h"
#include "store/IniFile.h"

namespace lectora {

namespace {

constexpr const char* kSection = "MainWindow";
constexpr const char* kKey = "DarkPalette";
constexpr const char* kEnvironment = "LECTORA_PALETTE";

}  // namespace

TDesktopPalette::TChoice TDesktopPalette::ChoiceFrom(const TMyIniFile& ini) {
  if (const char* value = std::getenv(kEnvironment)) {
    const std::string name(value);
    if (name == "auto") return TChoice::Auto;
    if (name == "light") return TChoice::Light;
    if (name == "dark") return TChoice::Dark;
  }
  switch (ini.ReadInteger(kSection, kKey, 0)) {
    case 1:
      return TChoice::Light;
    case 2:
      return TChoice::Dark;
    default:
      return TChoice::Auto;
  }
}

bool TDesktopPalette::IsDark(const QPalette& palette) {
  return IsDarkColor(palette.color(QPalette::Active, QPalette::Window));
}

QPalette TDesktopPalette::DarkPalette() {
  const QColor window(0x35, 0x35, 0x35);
  const QColor base(0x24, 0x24, 0x24);
  const QColor text(0xE8, 0xE8, 0xE8);
  const QColor dimmed(0x80, 0x80, 0x80);
  QPalette palette(window);
  palette.setColor(QPalette::Window, window);
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::Base, base);
  palette.setColor(QPalette::AlternateBase, window);
  palette.setColor(QPalette::ToolTipBase, window);
  palette.setColor(QPalette::ToolTipText, text);
  palette.setColor(QPalette::PlaceholderText, dimmed);
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::Button, window);
  palette.setColor(QPalette::ButtonText, text);
  palette.setColor(QPalette::BrightText, QColor(0xFF, 0x60, 0x60));
  palette.setColor(QPalette::Link, QColor(0x6C, 0xB4, 0xFF));
  palette.setColor(QPalette::LinkVisited, QColor(0xC0, 0x9C, 0xFF));
  palette.setColor(QPalette::Highlight, QColor(0x2A, 0x6E, 0xBB));
  palette.setColor(QPalette::HighlightedText, QColor(0xFF, 0xFF, 0xFF));
  for (const QPalette::ColorRole role :
       {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    palette.setColor(QPalette::Disabled, role, dimmed);
  }
  palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(0x50, 0x50, 0x50));
  return palette;
}

QPalette TDesktopPalette::LightPalette() { return QApplication::style()->standardPalette(); }

TDesktopPalette::TDesktopPalette(TChoice choice, QObject* parent)
    : QObject(parent),
      hadOwnPalette_(QCoreApplication::testAttribute(Qt::AA_SetPalette)),
      previous_(QGuiApplication::palette()) {
  qApp->installEventFilter(this);
  SetChoice(choice);
}

TDesktopPalette::~TDesktopPalette() {
  qApp->removeEventFilter(this);
  if (choice_ == TChoice::Auto) return;
  // An empty palette resolves to the desktop's.
  QApplication::setPalette(hadOwnPalette_ ? previous_ : QPalette());
}

void TDesktopPalette::SetChoice(TChoice choice) {
  const TChoice before = choice_;
  choice_ = choice;
  switch (choice) {
    case TChoice::Dark:
      QApplication::setPalette(DarkPalette());
      break;
    case TChoice::Light:
      QApplication::setPalette(LightPalette());
      break;
    case TChoice::Auto:
      if (before != TChoice::Auto)
        QApplication::setPalette(hadOwnPalette_ ? previous_ : QPalette());
      break;
  }
  Update();
}

void TDesktopPalette::Update() {
  const bool dark = IsDark(QGuiApplication::palette());
  if (dark == dark_) return;
  dark_ = dark;
  Q_EMIT DarkChanged(dark);
}

bool TDesktopPalette::eventFilter(QObject* watched, QEvent* event) {
  if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange) Update();
  return QObject::eventFilter(watched, event);
}

}  // namespace lectora
