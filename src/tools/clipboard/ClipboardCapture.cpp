#include "tools/clipboard/ClipboardCapture.h"

#include <QClipboard>
#include <QMimeData>

#include "display/DisplayContext.h"
#include "navigation/Navigator.h"
#include "settings/OptionValues.h"
#include "store/CodePage.h"
#include "store/TextRoutines.h"
#include "tools/dde/OnTopClient.h"

namespace lectora {

TClipboardCapture::TClipboardCapture(QClipboard& clipboard, const TDisplayContext& display,
                                     const TOptionValues& options, TNavigator& navigator,
                                     TOnTopClient& onTop, THooks hooks, QObject* parent)
    : QObject(parent),
      clipboard_(clipboard),
      display_(display),
      options_(options),
      navigator_(navigator),
      onTop_(onTop),
      hooks_(std::move(hooks)) {
  connect(&clipboard_, &QClipboard::dataChanged, this, &TClipboardCapture::ClipboardChanged);
}

std::string TClipboardCapture::ClipboardText(const QMimeData* data) {
  if (data == nullptr || !data->hasText()) return {};
  const QString text = data->text();
  if (text.size() > kMaxCharacters) return {};
  const qsizetype zero = text.indexOf(QChar(0));
  const QString taken = zero >= 0 ? text.left(zero) : text;
  return WideToCodePage(taken.toStdU16String());
}

void TClipboardCapture::ClipboardChanged() {
  // The program's own copies clear the flag while they write.
  if (!display_.ClipboardWatch || !options_.GetOption(TOptionValues::kCheckClipboard)) return;
  ++examined_;
  const std::string candidate =
      PlainText(ClipboardText(clipboard_.mimeData(QClipboard::Clipboard)));
  if (candidate.empty() || !hooks_.HasActiveBibleWindow || !hooks_.HasActiveBibleWindow()) return;
  if (!navigator_.GoToReference(candidate)) return;
  if (onTop_.Connected()) {
    onTop_.Restore();
  } else if (hooks_.BringToFront) {
    hooks_.BringToFront();
  }
  Q_EMIT ReferenceTaken();
}

}  // namespace lectora
