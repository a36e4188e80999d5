// The interface language: which folder of texts the options choose
// ("Bulgarian", "English", "Macedonian" in the setup folder), loading its
// message table, and re-captioning every open window in the fixed order:
// the main window, the translation commands, each Bible window, the other
// windows and dialogs, the history lists' count message. A window created
// later applies the current language itself (ApplyTo).
#pragma once

#include <QObject>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace lectora {

class IMessageService;
class TInterfaceTexts;
class TOptionValues;

class TLanguageService : public QObject {
  Q_OBJECT

 public:
  // The folder names by language number ("Language": 0, 1, 2).
  static const char* FolderName(int language);

  // What the language is applied to, in order; set by the program. Every
  // window named must outlive the service or be removed first.
  struct TTargets {
    QWidget* MainWindow = nullptr;
    // The open Bible windows, in window order.
    std::function<std::vector<QWidget*>()> BibleWindows;
    // After the caption files: the texts that come from the message table
    // (translation commands, Bible window captions, count message).
    std::function<void()> ApplyMessages;
    // The other windows in the order their files are read.
    std::vector<QWidget*> Windows;
  };

  // `setupFolder` ends with a separator; the services must outlive this.
  TLanguageService(std::string setupFolder, TOptionValues& options, TInterfaceTexts& texts,
                   IMessageService& messages, QObject* parent = nullptr);

  void SetTargets(TTargets targets) { targets_ = std::move(targets); }
  // The folder of the language the options choose, without a separator.
  std::string LanguageFolder() const;
  // Loads the chosen language's message table (the Bulgarian one, with one
  // notice, when the chosen one is missing) and applies every caption.
  void LoadLanguage();
  // Applies the current language's caption file to a window created after
  // the last LoadLanguage. Nothing before any language is loaded.
  void ApplyTo(QWidget& window) const;

 Q_SIGNALS:
  // Every caption is in the new language.
  void LanguageApplied();

 private:
  void ApplyLanguage();

  std::string setupFolder_;
  TOptionValues& options_;
  TInterfaceTexts& texts_;
  IMessageService& messages_;
  TTargets targets_;
  std::string appliedFolder_;
  bool missingReported_ = false;
};

}  // namespace lectora
