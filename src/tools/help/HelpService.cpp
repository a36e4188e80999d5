#include "tools/help/HelpService.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <utility>

#include "tools/help/HelpForm1.h"
#include "tools/help/HelpTopics.h"
#include "tools/help/ShellOpen.h"

namespace lectora {

namespace {
const QString kDefaultLanguage = QStringLiteral("en");
}  // namespace

THelpService::THelpService(const std::string& setupFolder, IShellOpen* shell, QObject* parent)
    : QObject(parent), setupFolder_(QString::fromStdString(setupFolder)), shell_(shell) {
  if (!setupFolder_.isEmpty() && !setupFolder_.endsWith(QLatin1Char('/'))) {
    setupFolder_ += QLatin1Char('/');
  }
}

THelpService::~THelpService() = default;

void THelpService::SetLanguageSource(std::function<QString()> source) {
  languageSource_ = std::move(source);
}

void THelpService::SetTopicResolver(std::function<QString(const QWidget&)> resolver) {
  resolver_ = std::move(resolver);
}

const THelpPages& THelpService::Pages(const QString& language) {
  std::unique_ptr<THelpPages>& pages = pages_[language];
  if (!pages) {
    pages = std::make_unique<THelpPages>(setupFolder_ + QStringLiteral("help/") + language);
  }
  return *pages;
}

void THelpService::ShowTopic(const QString& topic) {
  if (!window_) {
    window_ = std::make_unique<THelpForm1>();
    window_->SetExternalOpener([this](const QUrl& url) {
      if (shell_ != nullptr) shell_->Open(url);
    });
  }
  const QString language = languageSource_ ? languageSource_() : kDefaultLanguage;
  const THelpPages* pages = &Pages(language);
  if (!pages->Found()) pages = &Pages(kDefaultLanguage);
  if (!pages->Found()) {
    window_->ShowMessage(
        QStringLiteral("The help pages were not found in the folder %1.").arg(pages->Folder()));
    return;
  }
  window_->ShowPage(pages->TopicUrl(topic), pages->Contents());
}

QString THelpService::TopicOf(const QWidget* focus) const {
  for (const QWidget* widget = focus; widget != nullptr; widget = widget->parentWidget()) {
    if (resolver_) {
      QString resolved = resolver_(*widget);
      if (!resolved.isEmpty()) return resolved;
    }
    QString topic = widget->property("helpTopic").toString();
    if (!topic.isEmpty()) return topic;
    if (widget->isWindow()) break;
  }
  return kMainHelpTopic;
}

void THelpService::InstallF1() { qApp->installEventFilter(this); }

bool THelpService::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
  // A key reaches the focused widget (or its window first): the widget
  // it was sent to names the topic, else the application's focus.
  const QWidget* focus = qobject_cast<const QWidget*>(watched);
  if (focus == nullptr) focus = QApplication::focusWidget();
  ShowTopic(TopicOf(focus));
  return true;
}

}  // namespace lectora
