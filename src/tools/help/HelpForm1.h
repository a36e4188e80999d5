// The help window: a top-level window with the help pages in a text
// browser, Back, Forward and Contents buttons. Links between pages stay in
// the window; a link to anything else (a web address) is handed on.
#pragma once

#include <QUrl>
#include <QWidget>
#include <functional>

class QTextBrowser;
class QToolButton;

namespace lectora {

class THelpForm1 : public QWidget {
  Q_OBJECT

 public:
  // A window of its own (no parent), so that it stays usable while a
  // dialog is modal to the main window.
  explicit THelpForm1(QWidget* parent = nullptr);

  // Shows `url` (a file address with an optional anchor) and the window.
  void ShowPage(const QUrl& url, const QUrl& contents);
  // Shows a message instead of a page (the pages were not found).
  void ShowMessage(const QString& text);
  // Receives the links that lead out of the help pages.
  void SetExternalOpener(std::function<void(const QUrl&)> open);

  QTextBrowser* Browser() const { return browser_; }
  QToolButton* BackButton() const { return back_; }
  QToolButton* ForwardButton() const { return forward_; }
  QToolButton* ContentsButton() const { return contents_; }

 private:
  void LinkClicked(const QUrl& url);
  void Present();

  QTextBrowser* browser_ = nullptr;
  QToolButton* back_ = nullptr;
  QToolButton* forward_ = nullptr;
  QToolButton* contents_ = nullptr;
  QUrl contentsUrl_;
  std::function<void(const QUrl&)> external_;
};

}  // namespace lectora
