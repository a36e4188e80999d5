#include "FakeBibleWindowHost.h"

#include "display/BibleForm1.h"
#include "mainwindow/BookmarkMenu.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>
#include <QToolBar>

namespace lectora::test {

namespace {

TStoreSessionOptions SessionOptions(const std::string& setupFolder, IMessageService* messages) {
  TStoreSessionOptions options;
  options.SetupFolder = setupFolder;
  options.ConfigHome = setupFolder + "config";
  options.Messages = messages;
  return options;
}

}  // namespace

FakeBibleWindowHost::FakeBibleWindowHost(const std::string& setupFolder)
    : session_(SessionOptions(setupFolder, &MessageLog)),
      display_(searchWords_),
      history_(&MessageLog),
      active_(false),
      navigator_(active_, session_.Standard()),
      panel_(std::make_unique<QWidget>()) {
  toolBar_ = new QToolBar(panel_.get());
  bar_ = new TNavigationBar(navigator_, active_, *toolBar_);
  verseHistory_ = new TBibleComboBox(history_, panel_.get());
  searchHistory_ = new TBibleComboBox(history_, panel_.get());
  bookmarkMenu_ = new QMenu(panel_.get());
  new TBookmarkMenu(*bookmarkMenu_, active_, navigator_);
  copyAction_ = new QAction(QStringLiteral("Copy"), panel_.get());
  listMessage_ = new QuietListMessage(history_, panel_.get());
  const auto translate = [this](const std::string& key) { return Translate(key); };
  verseView_ =
      std::make_unique<THistoryListView>(*verseHistory_, *listMessage_, "OpenedVerses", translate);
  searchView_ = std::make_unique<THistoryListView>(*searchHistory_, *listMessage_, "SearchedWords",
                                                   translate);
  active_.AttachHistories(searchView_.get(), verseView_.get());
  navigator_.SetHistory(verseView_.get());
  navigator_.SetViews([this] {
    std::vector<IPlaceView*> views;
    for (const QPointer<TBibleForm1>& window : windows_) {
      if (window && !window->Closed()) views.push_back(window.data());
    }
    return views;
  });
  QObject::connect(&active_, &TActiveTranslation::TranslationChanged, panel_.get(),
                   [this](TBible* bible) { TranslationChanges.push_back(bible); });
}

TODComboBox& FakeBibleWindowHost::BookBox() { return *bar_->BookBox; }
TMySpinEdit& FakeBibleWindowHost::ChapterSpin() { return *bar_->SpinEdit1; }
TMySpinEdit& FakeBibleWindowHost::VerseSpin() { return *bar_->SpinEdit2; }
TBible* FakeBibleWindowHost::LastActiveBible() const { return active_.LastActive(); }
void FakeBibleWindowHost::SetStandardNumber(std::int32_t number) {
  navigator_.SetStandardNumber(number);
}

FakeBibleWindowHost::~FakeBibleWindowHost() {
  // Windows go first: they refer to the modules and controls below.
  if (area_) {
    QObject::disconnect(area_.get(), nullptr, nullptr, nullptr);
    area_.reset();
  }
  navigator_.SetViews({});
  for (const QPointer<TBibleForm1>& window : windows_) delete window.data();
  active_.AttachHistories(nullptr, nullptr);
}

QMdiArea& FakeBibleWindowHost::UseWindowArea() {
  if (!area_) {
    area_ = std::make_unique<QMdiArea>();
    area_->resize(800, 600);
    QObject::connect(
        area_.get(), &QMdiArea::subWindowActivated, area_.get(), [this](QMdiSubWindow* sub) {
          if (sub == activeSub_) return;
          if (activeSub_) {
            if (auto* old = qobject_cast<TBibleForm1*>(activeSub_->widget())) {
              old->FormDeactivate();
            }
          }
          activeSub_ = sub;
          auto* window = sub ? qobject_cast<TBibleForm1*>(sub->widget()) : nullptr;
          Events.push_back("activated " +
                           (window ? window->windowTitle().trimmed().toStdString() : "none"));
          if (window) window->FormActivate();
        });
    area_->show();
    area_->activateWindow();
    if (!QTest::qWaitForWindowActive(area_.get())) Events.push_back("area not active");
  }
  return *area_;
}

QMdiSubWindow* FakeBibleWindowHost::AddWindow(TBibleForm1* window) {
  QMdiSubWindow* sub = UseWindowArea().addSubWindow(window);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  sub->show();
  area_->tileSubWindows();
  Track(window);
  return sub;
}

void FakeBibleWindowHost::Track(TBibleForm1* window) { windows_.emplace_back(window); }

std::string FakeBibleWindowHost::Translate(const std::string& key) const {
  const auto found = Texts.find(key);
  return found == Texts.end() ? key : found->second;
}

bool FakeBibleWindowHost::IsActiveBibleWindow(const TBibleForm1* window) const {
  if (area_) {
    const QMdiSubWindow* sub = area_->activeSubWindow();
    return sub != nullptr && sub->widget() == window;
  }
  return window != nullptr && window == ActiveWindow;
}

bool FakeBibleWindowHost::TranslationShownElsewhere(int number, const TBibleForm1* except) const {
  for (const QPointer<TBibleForm1>& window : windows_) {
    if (window && window != except && !window->Closed() && window->TranslationNumber() == number) {
      return true;
    }
  }
  return false;
}

}  // namespace lectora::test
