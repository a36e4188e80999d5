// Capture of references copied in other programs: every change of the
// clipboard (QClipboard::dataChanged) is examined while the program's own
// copies are not being written (`ClipboardWatch`) and option 0
// ("CheckClipboard", mirrored by ToolButton19) is on. A short Unicode text
// (at most kMaxCharacters) becomes 8-bit through WideToCodePage, is reduced
// to PlainText and, when it is a reference of the active translation, moves
// every Bible window there; then the on-top viewer is restored when it is
// connected, else the program comes to the front. The notification is only
// read: every other receiver of the signal still gets it. On Wayland the
// program sees clipboard changes only while it has the focus.
#pragma once

#include <QObject>
#include <functional>
#include <string>

class QClipboard;
class QMimeData;

namespace lectora {

class IOnTopLink;
class TDisplayContext;
class TNavigator;
class TOnTopClient;
class TOptionValues;

class TClipboardCapture : public QObject {
  Q_OBJECT

 public:
  // A text block of 100 bytes holds 49 UTF-16 characters and the final zero.
  static constexpr int kMaxCharacters = 49;

  struct THooks {
    // A Bible window is the active one.
    std::function<bool()> HasActiveBibleWindow;
    // Restores the program when minimised and brings it to the front.
    std::function<void()> BringToFront;
  };

  // Watches `clipboard`; every reference must outlive this object.
  TClipboardCapture(QClipboard& clipboard, const TDisplayContext& display,
                    const TOptionValues& options, TNavigator& navigator, TOnTopClient& onTop,
                    THooks hooks, QObject* parent = nullptr);

  // One clipboard notification (connected to QClipboard::dataChanged).
  void ClipboardChanged();
  // `ClipboardText`: the clipboard's Unicode text in 8 bits, or empty when
  // there is none or it is longer than kMaxCharacters (it ends at a zero
  // character). `data` may be null.
  static std::string ClipboardText(const QMimeData* data);
  // How many notifications were examined (read from the clipboard).
  int ExaminedCount() const { return examined_; }

 Q_SIGNALS:
  // A copied reference moved the windows.
  void ReferenceTaken();

 private:
  QClipboard& clipboard_;
  const TDisplayContext& display_;
  const TOptionValues& options_;
  TNavigator& navigator_;
  TOnTopClient& onTop_;
  THooks hooks_;
  int examined_ = 0;
};

}  // namespace lectora
