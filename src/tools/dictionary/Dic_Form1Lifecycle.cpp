// The dictionary window's settings (section "DicForm") and its showing.
#include <QCloseEvent>
#include <QShowEvent>
#include <QSplitter>

#include "display/LargeListBox.h"
#include "store/IniFile.h"
#include "store/Settings.h"
#include "store/WindowPlacement.h"
#include "tools/dictionary/Dic_Form1.h"
#include "tools/picture/WordPictures.h"

namespace lectora {

namespace {

constexpr const char* kSection = "DicForm";

}  // namespace

void TDic_Form1::ReadSettings() {
  const TMyIniFile& ini = settings_.Ini();
  TWindowPlacement placement;
  ini.ReadWindow(kSection, placement);
  if (placement.PositionStored && placement.Width > 0 && placement.Height > 0) {
    setGeometry(placement.Left, placement.Top, placement.Width, placement.Height);
  } else {
    resize(420, 300);
  }
  pictureIndex_ = ini.ReadInteger(kSection, "PicFile", 0);
}

void TDic_Form1::SaveSettings() {
  TMyIniFile& ini = settings_.Ini();
  TWindowPlacement placement;
  placement.WindowState = isMaximized() ? 2 : (isMinimized() ? 1 : 0);
  const QRect frame = normalGeometry().isValid() ? normalGeometry() : geometry();
  placement.Left = frame.x();
  placement.Top = frame.y();
  placement.Width = frame.width();
  placement.Height = frame.height();
  ini.WriteWindow(kSection, placement);
  const QList<int> sizes = splitter_->sizes();
  if (!sizes.isEmpty()) ini.WriteInteger(kSection, "PanelWidth", sizes.front());
  ini.WriteString(kSection, "Text", LargeListBox1->Text());
  ini.WriteInteger(kSection, "CurrentWord", currentExplanation_);
  if (pictures_ != nullptr) pictureIndex_ = pictures_->CurrentIndex();  // pictures
  ini.WriteInteger(kSection, "PicFile", pictureIndex_);
}

void TDic_Form1::ShowDictionary() {
  const TMyIniFile& ini = settings_.Ini();
  QList<int> sizes = splitter_->sizes();
  if (sizes.size() == 2) {
    const int total = sizes[0] + sizes[1];
    const int width = ini.ReadInteger(kSection, "PanelWidth", sizes[0]);
    if (width >= 57 && width < total) splitter_->setSizes({width, total - width});
  }
  currentExplanation_ = ini.ReadInteger(kSection, "CurrentWord", currentExplanation_);
  if (currentExplanation_ < 1) currentExplanation_ = 1;
  if (!explanations_.empty()) ShowExplanation();
  if (isMinimized()) showNormal();
  show();
  raise();
}

void TDic_Form1::showEvent(QShowEvent* event) {
  // A window opened again after a disc was inserted finds its dictionaries.
  BuildCatalogue();
  setWindowTitle(Message("Dictionary"));
  QWidget::showEvent(event);
}

void TDic_Form1::closeEvent(QCloseEvent* event) {
  SaveSettings();
  QWidget::closeEvent(event);
}

}  // namespace lectora
