#include "mainwindow/BibleWindowArea.h"

#include <QAction>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/ActionRegistry.h"
#include "app/InterfaceTexts.h"
#include "display/BibleForm1.h"
#include "display/BibleRichEdit1.h"
#include "navigation/ActiveTranslation.h"
#include "navigation/Navigator.h"
#include "settings/OptionValues.h"
#include "store/Bible.h"
#include "store/TranslationTable.h"

namespace lectora {

TBibleWindowArea::TBibleWindowArea(const TServices& services, QWidget* parent)
    : QObject(parent), s_(services) {
  area_ = new QMdiArea(parent);
  area_->setObjectName(QStringLiteral("WindowArea"));
  area_->setActivationOrder(QMdiArea::CreationOrder);
  connect(area_, &QMdiArea::subWindowActivated, this, &TBibleWindowArea::SubWindowActivated);
  area_->viewport()->installEventFilter(this);
  s_.Navigator.SetViews([this] {
    std::vector<IPlaceView*> views;
    for (TBibleForm1* window : BibleWindows()) views.push_back(window);
    return views;
  });
}

TBibleWindowArea::~TBibleWindowArea() {
  s_.Navigator.SetViews({});
  // The windows go before the modules they show.
  area_->closeAllSubWindows();
  for (QMdiSubWindow* sub : area_->subWindowList()) delete sub;
}

bool TBibleWindowArea::eventFilter(QObject* watched, QEvent* event) {
  // The window area changes size with the main window and the left panel.
  if (event->type() == QEvent::Resize && watched == area_->viewport()) {
    QMetaObject::invokeMethod(
        this,
        [this] {
          TileWindows();
          ShowActiveVerses();
        },
        Qt::QueuedConnection);
  }
  return QObject::eventFilter(watched, event);
}

TBibleForm1* TBibleWindowArea::OpenBibleWindow(int number) {
  auto* window = new TBibleForm1(*this, s_.Navigator.Place().StandardNumber, number);
  if (!window->Available()) {
    // The reader was told already; an empty window would only block the
    // navigation, and the translation is not open.
    delete window;
    SetTranslationChecked(number, false);
    return nullptr;
  }
  // Every instance reads the same caption file: "BibleForm1", "BibleForm1_2".
  ++windowsCreated_;
  window->setObjectName(windowsCreated_ == 1
                            ? QStringLiteral("BibleForm1")
                            : QStringLiteral("BibleForm1_%1").arg(windowsCreated_));
  if (WindowCreated) WindowCreated(*window);
  const bool first = BibleWindows().empty();
  QMdiSubWindow* sub = area_->addSubWindow(window);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  sub->setWindowTitle(window->windowTitle());
  sub->show();
  if (first) Q_EMIT WindowsPresent(true);
  if (area_->activeSubWindow() != sub) area_->setActiveSubWindow(sub);
  if (QMdiSubWindow* active = area_->activeSubWindow()) active->showNormal();
  s_.Navigator.SetRestoring(false);
  return window;
}

void TBibleWindowArea::OpenTranslation(int number) {
  s_.Navigator.SetRestoring(false);
  if (OpenBibleWindow(number) == nullptr) return;
  TileWindows();
  s_.Navigator.ShowPosition(true);
}

std::vector<TBibleForm1*> TBibleWindowArea::BibleWindows() const {
  std::vector<TBibleForm1*> windows;
  const QList<QMdiSubWindow*> stack = area_->subWindowList(QMdiArea::StackingOrder);
  for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
    // A closed window lingers until its sub-window is deleted.
    TBibleForm1* window = WindowOf(*it);
    if (window != nullptr && !window->Closed()) windows.push_back(window);
  }
  return windows;
}

TBibleForm1* TBibleWindowArea::ActiveWindow() const { return activeWindow_; }

TBibleForm1* TBibleWindowArea::WindowOf(QMdiSubWindow* window) const {
  return window == nullptr ? nullptr : qobject_cast<TBibleForm1*>(window->widget());
}

void TBibleWindowArea::TileWindows() {
  const QList<QMdiSubWindow*> windows = area_->subWindowList(QMdiArea::CreationOrder);
  if (windows.isEmpty()) return;
  const QRect area = area_->viewport()->rect();
  const int count = static_cast<int>(windows.size());
  for (int i = 0; i < count; ++i) {
    QMdiSubWindow* sub = windows[i];
    if (sub->isMinimized() || sub->isMaximized()) sub->showNormal();
    if (TileMode == 0) {
      const int height = area.height() / count;
      sub->setGeometry(0, i * height, area.width(),
                       i == count - 1 ? area.height() - i * height : height);
    } else {
      const int width = area.width() / count;
      sub->setGeometry(i * width, 0, i == count - 1 ? area.width() - i * width : width,
                       area.height());
    }
  }
}

void TBibleWindowArea::CloseAllWindows() {
  while (!area_->subWindowList().isEmpty()) {
    QMdiSubWindow* sub = area_->activeSubWindow();
    if (sub == nullptr) sub = area_->subWindowList().first();
    sub->close();
    delete sub;
  }
  for (int number = 0; number < kTranslationCount; ++number) SetTranslationChecked(number, false);
}

void TBibleWindowArea::ApplyDisplayOptions() {
  const TBible* active = s_.Active.Bible();
  for (TBibleForm1* window : BibleWindows()) {
    TBible* bible = window->Bible();
    if (active != nullptr && bible != nullptr && bible != active && !s_.Options.DifferentFonts()) {
      const int charset = bible->Font.CharSet;
      const std::uint32_t color = bible->Font.Color;
      bible->Font = active->Font;
      bible->Font.CharSet = charset;
      bible->Font.Color = color;
    }
  }
  RefreshAllWindows();
  ShowActiveVerses();
  TileWindows();
}

void TBibleWindowArea::RefreshAllWindows() {
  for (TBibleForm1* window : BibleWindows()) {
    window->ShowPlace(window->Book, window->Chapter, window->Verse, true);
    window->BRichEdit1->repaint();
  }
}

void TBibleWindowArea::ShowActiveVerses() {
  for (TBibleForm1* window : BibleWindows()) window->BRichEdit1->ShowActive();
}

QColor TBibleWindowArea::CurrentVerseColor() const {
  const std::uint32_t value = s_.Options.CurrentVerseColor();
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

std::string TBibleWindowArea::Translate(const std::string& key) const {
  return s_.Texts.Translate(key);
}

QAction* TBibleWindowArea::CopyAction() { return s_.Actions.Find(QStringLiteral("ToolButton6")); }

bool TBibleWindowArea::IsActiveBibleWindow(const TBibleForm1* window) const {
  // The window the reader last activated, as ActiveWindow() says: while
  // another program (the on-top viewer, say) has the focus, the area has no
  // active sub-window, but its Bible window is still the active one.
  return window != nullptr && window == activeWindow_;
}

void TBibleWindowArea::SetTranslationChecked(int number, bool checked) {
  if (number < 0 || number >= kTranslationCount) return;
  if (QAction* action = s_.Actions.Find(QStringLiteral("AOVer%1").arg(number))) {
    action->setChecked(checked);
  }
}

bool TBibleWindowArea::TranslationShownElsewhere(int number, const TBibleForm1* except) const {
  for (TBibleForm1* window : BibleWindows()) {
    if (window != except && window->Bible() != nullptr &&
        window->Bible()->TranslationNumber == number) {
      return true;
    }
  }
  return false;
}

void TBibleWindowArea::SubWindowActivated(QMdiSubWindow* window) {
  TBibleForm1* next = WindowOf(window);
  if (activeWindow_ != nullptr && activeWindow_ != next) activeWindow_->FormDeactivate();
  if (next != nullptr) {
    activeWindow_ = next;
    next->FormActivate();
  }
}

void TBibleWindowArea::BibleWindowClosed(TBibleForm1* window) {
  if (activeWindow_ == window) activeWindow_ = nullptr;
  const bool last = BibleWindows().empty();
  s_.Active.ViewClosed(window, last);
  if (last) Q_EMIT WindowsPresent(false);
  QMetaObject::invokeMethod(
      this, [this] { TileWindows(); }, Qt::QueuedConnection);
}

}  // namespace lectora
