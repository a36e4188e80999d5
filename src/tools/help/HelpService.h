// The program's help: opens the help window at a named topic in the pages
// of the interface language, and answers F1 anywhere in the program with
// the topic of the focused window. A window names its topic with the
// dynamic property "helpTopic" (a string); windows that cannot carry one
// (a Bible window names its translation's topic) are answered by a
// resolver the program installs. The program owns one.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "tools/help/HelpPages.h"

class QWidget;

namespace lectora {

class IShellOpen;
class THelpForm1;

class THelpService : public QObject {
  Q_OBJECT

 public:
  // The pages are looked for in `setupFolder` + "help/" + language + "/".
  // `shell` (not owned, may be null) opens links that leave the pages; it
  // must outlive the service.
  THelpService(const std::string& setupFolder, IShellOpen* shell, QObject* parent = nullptr);
  ~THelpService() override;

  // The help language ("en", "bg"), asked at every showing; English until
  // one is set, and English pages stand in for a language without pages.
  void SetLanguageSource(std::function<QString()> source);
  // Asked for each widget from the focused one up to its window before its
  // "helpTopic" property; an empty answer passes the question on.
  void SetTopicResolver(std::function<QString(const QWidget&)> resolver);

  // Opens the help window at `topic`; a topic without a page opens the
  // contents page, missing pages a message naming the folder.
  void ShowTopic(const QString& topic);
  void ShowTopic(const std::string& topic) { ShowTopic(QString::fromStdString(topic)); }
  // The topic F1 opens with `focus` focused: the first topic that the
  // resolver or a "helpTopic" property gives from `focus` up to its
  // window, else "Main". `focus` may be null.
  QString TopicOf(const QWidget* focus) const;
  // Answers F1 in every window of the program from now on.
  void InstallF1();

  // The help window (created on the first showing), or null.
  THelpForm1* Window() const { return window_.get(); }
  // The pages of `language`, read on first use.
  const THelpPages& Pages(const QString& language);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QString setupFolder_;
  IShellOpen* shell_;
  std::function<QString()> languageSource_;
  std::function<QString(const QWidget&)> resolver_;
  std::map<QString, std::unique_ptr<THelpPages>> pages_;
  std::unique_ptr<THelpForm1> window_;
};

}  // namespace lectora
