// The core's notice box (IMessageService) shown through the program's
// message dialog. The core's messages are 8-bit Windows-1251.
#pragma once

#include <QPointer>
#include <string>

#include "mainwindow/MsgForm1.h"
#include "store/MessageService.h"

namespace lectora {

class TQtMessageService : public IMessageService {
 public:
  // `dialog` is watched, not owned; once it is gone messages go to the
  // standard error stream instead of being lost silently.
  explicit TQtMessageService(TMsgForm1* dialog) : dialog_(dialog) {}

  void ShowMessage(const std::string& text) override;

 private:
  QPointer<TMsgForm1> dialog_;
};

}  // namespace lectora
