#include "tools/help/HelpForm1.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>
#include <utility>

#include "app/DesignCaption.h"

namespace lectora {

namespace {

constexpr const char* kForm = "HelpForm1";

QToolButton* NewButton(const char* name, QStyle::StandardPixmap icon, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setText(DesignCaption(kForm, name));
  button->setToolTip(DesignHint(kForm, name));
  button->setAccessibleName(DesignCaption(kForm, name));
  button->setIcon(parent->style()->standardIcon(icon));
  button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  return button;
}

}  // namespace

THelpForm1::THelpForm1(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QString::fromLatin1(kForm));
  setWindowTitle(DesignCaption(kForm, kForm) + QStringLiteral(" - Lectora"));
  setAccessibleName(DesignCaption(kForm, kForm));
  // An open help window must not keep the program running once the main
  // window is closed.
  setAttribute(Qt::WA_QuitOnClose, false);
  back_ = NewButton("BackButton", QStyle::SP_ArrowBack, this);
  forward_ = NewButton("ForwardButton", QStyle::SP_ArrowForward, this);
  contents_ = NewButton("ContentsButton", QStyle::SP_DirHomeIcon, this);
  browser_ = new QTextBrowser(this);
  browser_->setObjectName(QStringLiteral("HelpBrowser"));
  browser_->setAccessibleName(DesignHint(kForm, "HelpBrowser"));
  browser_->setOpenLinks(false);
  back_->setEnabled(false);
  forward_->setEnabled(false);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(back_);
  buttons->addWidget(forward_);
  buttons->addWidget(contents_);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(browser_, 1);
  resize(640, 560);

  connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
  connect(contents_, &QToolButton::clicked, this, [this] {
    if (contentsUrl_.isValid()) browser_->setSource(contentsUrl_);
  });
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
  connect(browser_, &QTextBrowser::anchorClicked, this, &THelpForm1::LinkClicked);
}

void THelpForm1::SetExternalOpener(std::function<void(const QUrl&)> open) {
  external_ = std::move(open);
}

void THelpForm1::ShowPage(const QUrl& url, const QUrl& contents) {
  contentsUrl_ = contents;
  contents_->setEnabled(true);
  browser_->setSource(url);
  Present();
}

void THelpForm1::ShowMessage(const QString& text) {
  contentsUrl_ = QUrl();
  contents_->setEnabled(false);
  browser_->clearHistory();
  browser_->setPlainText(text);
  Present();
}

void THelpForm1::LinkClicked(const QUrl& url) {
  const QUrl target = browser_->source().resolved(url);
  if (target.isLocalFile() || target.scheme().isEmpty()) {
    browser_->setSource(target);
  } else if (external_) {
    external_(target);
  }
}

void THelpForm1::Present() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

}  // namespace lectora
