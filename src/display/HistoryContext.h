// The process-wide state shared by every history list and large list box:
// the two halves of the count message, the list limit, the flag that keeps
// the save error to one notice per run, the message sink, the interface
// text lookup and the last row list that was clicked. The program owns one
// and passes it to each control; tests make their own.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>

#include "app/DesignTexts.h"
#include "store/CodePage.h"
#include "store/MessageService.h"

namespace lectora {

class THistoryContext {
 public:
  // Notices go to `messages` (not owned, may be null: then they are dropped).
  explicit THistoryContext(IMessageService* messages = nullptr) : Messages(messages) {}

  // The interface text of `key` (8-bit, Windows-1251); the key itself while
  // no translator is set.
  std::string Translate(const std::string& key) const { return Translator ? Translator(key) : key; }

  // Shows `text` (8-bit, Windows-1251) through Messages when there is one.
  void ShowMessage(const std::string& text) const {
    if (Messages != nullptr) Messages->ShowMessage(text);
  }

  IMessageService* Messages = nullptr;
  // Replaces Translate's answer; set by the interface-language loader.
  std::function<std::string(const std::string& key)> Translator;
  // The count message "<CountText1> <n> <CountText2>", Windows-1251; the
  // interface language replaces both halves.
  std::string CountText1 = DesignText("CM1");
  std::string CountText2 = DesignText("CM2");

 private:
  // The design caption of `name` (the main window's "CM1", "CM2"), 8-bit.
  static std::string DesignText(const char* name) {
    const TDesignText* text = FindDesignText("Lectora2Form1", name);
    return text == nullptr ? std::string() : Utf8ToCodePageLossy(std::string(text->Caption), 1251);
  }

 public:
  // The history length above which the list limit dialog warns.
  int MaxListCount = 200;
  // Set once a history list failed to save, so the notice is shown once.
  bool SaveErrorShown = false;
  // The row list of the large list box clicked last (watched, not owned).
  QPointer<QWidget> LastRowClickSender;
};

}  // namespace lectora
