#include "mainwindow/QtMessageService.h"

#include <QtGlobal>

#include "display/QtText.h"

namespace lectora {

namespace {
constexpr int kCyrillicCharset = 204;
}

void TQtMessageService::ShowMessage(const std::string& text) {
  const QString unicode = DecodeCharset(text, kCyrillicCharset);
  if (dialog_) {
    dialog_->ShowInfo(unicode);
  } else {
    qWarning("%s", qUtf8Printable(unicode));
  }
}

}  // namespace lectora
