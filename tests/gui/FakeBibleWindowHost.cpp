#include "FakeBibleWindowHost.h"

#include <QMdiSubWindow>
#include <QTest>

namespace lectora::test {

void FakeBookBox::SetItems(const std::vector<std::string>& names) {
  items_ = names;
  SetItemIndex(-1);
  ItemsChanged();
}

FakeBibleWindowHost::FakeBibleWindowHost(const std::string& setupFolder)
    : settings_(std::make_unique<TSettings>(setupFolder, "lectora", setupFolder + "config")),
      bibles_(storeContext_),
      display_(searchWords_),
      history_(&MessageLog),
      panel_(std::make_unique<QWidget>()) {
  standard_.Load(setupFolder, &MessageLog);
  abbreviations_.Load(setupFolder, &MessageLog);
  storeContext_.Settings = settings_.get();
  storeContext_.Standard = &standard_;
  storeContext_.Abbreviations = &abbreviations_;
  storeContext_.Messages = &MessageLog;
  bookBox_ = new FakeBookBox(panel_.get());
  chapterSpin_ = new TMySpinEdit(panel_.get());
  verseSpin_ = new TMySpinEdit(panel_.get());
  for (TMySpinEdit* spin : {chapterSpin_, verseSpin_}) {
    spin->SetMinValue(1);
    spin->SetMaxValue(150);
    spin->FixValue(1);
  }
  verseHistory_ = new TBibleComboBox(history_, panel_.get());
  wordBox_ = new TLargeListBox(history_, panel_.get());
  bookmarkMenu_ = new QMenu(panel_.get());
  bookmarkMenu_->addAction(QStringLiteral("Go to"))->setVisible(false);
  copyAction_ = new QAction(QStringLiteral("Copy"), panel_.get());
  listMessage_ = new QuietListMessage(history_, panel_.get());
}

FakeBibleWindowHost::~FakeBibleWindowHost() {
  // Windows go first: they refer to the modules and controls below.
  if (area_) {
    QObject::disconnect(area_.get(), nullptr, nullptr, nullptr);
    area_.reset();
  }
  for (const QPointer<TBibleForm1>& window : windows_) delete window.data();
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

TBible* FakeBibleWindowHost::ActiveBible() const {
  return ActiveWindow ? ActiveWindow->Bible() : nullptr;
}

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

bool FakeBibleWindowHost::GoToReference(const std::string& text) {
  References.push_back(text);
  return GoToReferenceResult;
}

}  // namespace lectora::test
