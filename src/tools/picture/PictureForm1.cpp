#include "tools/picture/PictureForm1.h"

#include <QCloseEvent>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/DesignCaption.h"
#include "app/InterfaceTexts.h"
#include "display/QtText.h"
#include "store/IniFile.h"
#include "store/MessageService.h"
#include "store/Settings.h"
#include "store/WindowPlacement.h"
#include "tools/dictionary/Dictionary.h"
#include "tools/icons/DesignToolButton.h"
#include "tools/picture/PictureLoader.h"

namespace lectora {

namespace {

constexpr const char* kForm = "PictureForm1";
constexpr const char* kSection = "PictureForm";
constexpr int kCharset = 204;  // the list and the message tables are Windows-1251
// Room the window's frame and tool bar take beside the picture.
constexpr int kFrameRoom = 80;

}  // namespace

TPictureForm1::TPictureForm1(TSettings& settings, TInterfaceTexts& texts, IMessageService& messages,
                             IDictionary& dictionary, QWidget* parent)
    : QWidget(parent, Qt::Tool),
      settings_(settings),
      texts_(texts),
      messages_(messages),
      dictionary_(dictionary) {
  setObjectName(QString::fromLatin1(kForm));
  setWindowTitle(DesignCaption(kForm, kForm));
  setAccessibleName(DesignCaption(kForm, kForm));
  CreateControls();
  ReadSettings();
  LoadPictureList();
}

QToolButton* TPictureForm1::NewArrowButton(const char* name, Qt::ArrowType arrow) {
  QToolButton* button = NewDesignToolButton(*this, kForm, name, nullptr);
  button->setArrowType(arrow);
  button->setEnabled(false);
  return button;
}

void TPictureForm1::CreateControls() {
  ToolButton1 = NewArrowButton("ToolButton1", Qt::LeftArrow);
  ToolButton2 = NewArrowButton("ToolButton2", Qt::RightArrow);
  auto* separator = new QFrame(this);
  separator->setObjectName(QStringLiteral("ToolButton3"));
  separator->setFrameShape(QFrame::VLine);
  separator->setAccessibleName(QStringLiteral("-"));
  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setAccessibleName(DesignCaption(kForm, "Label1"));
  QFont bold = Label1->font();
  bold.setBold(true);
  Label1->setFont(bold);
  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setAccessibleName(DesignCaption(kForm, "Image1"));
  Image1->setToolTip(DesignHint(kForm, "Image1"));
  Image1->setCursor(Qt::PointingHandCursor);
  Image1->setAlignment(Qt::AlignCenter);
  Image1->installEventFilter(this);

  auto* bar = new QHBoxLayout;
  bar->setSpacing(2);
  bar->addWidget(ToolButton1);
  bar->addWidget(ToolButton2);
  bar->addWidget(separator);
  bar->addWidget(Label1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addLayout(bar);
  layout->addWidget(Image1);
  // The window takes the size of its picture.
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(ToolButton1, &QToolButton::clicked, this, &TPictureForm1::ShowPrevious);
  connect(ToolButton2, &QToolButton::clicked, this, &TPictureForm1::ShowNext);
}

void TPictureForm1::ReadSettings() {
  TWindowPlacement placement;
  settings_.Ini().ReadWindow(kSection, placement);
  // A position on a screen that is gone leaves the window where Qt puts it.
  const QPoint stored(placement.Left, placement.Top);
  if (placement.PositionStored && QGuiApplication::screenAt(stored) != nullptr) move(stored);
}

void TPictureForm1::SaveSettings() {
  TWindowPlacement placement;
  placement.WindowState = isMinimized() ? 1 : 0;
  const QRect frame = normalGeometry().isValid() ? normalGeometry() : geometry();
  placement.Left = frame.x();
  placement.Top = frame.y();
  placement.Width = frame.width();
  placement.Height = frame.height();
  settings_.Ini().WriteWindow(kSection, placement);
}

void TPictureForm1::closeEvent(QCloseEvent* event) {
  SaveSettings();
  QWidget::closeEvent(event);
}

void TPictureForm1::LoadPictureList() {
  std::string root;
  settings_.Registry().ReadRegValue("SetupPath", root);
  list_.Load(settings_.SetupFolder(), root);
  problemsReported_ = false;
}

bool TPictureForm1::HasPicture(const std::string& word) const {
  return !word.empty() && list_.First(word) >= 0;
}

void TPictureForm1::Notice(const QString& text) {
  messages_.ShowMessage(EncodeCharset(text, kCharset));
}

void TPictureForm1::ReportListProblems() {
  if (problemsReported_) return;
  problemsReported_ = true;
  if (list_.Problems().empty()) return;
  QStringList lines;
  for (const std::string& problem : list_.Problems()) lines << QString::fromStdString(problem);
  Notice(lines.join(QLatin1Char('\n')));
}

// ---- showing ----

void TPictureForm1::ShowWordPicture(const std::string& word) {
  index_ = list_.NextIndex(index_, word);
  ShowPicture();
}

void TPictureForm1::ShowPicture() {
  ReportListProblems();
  if (index_ < 0 || index_ >= list_.Count()) {
    messages_.ShowMessage(texts_.Translate("PictureNotFound"));
    return;
  }
  ToolButton1->setEnabled(index_ >= 1);
  ToolButton2->setEnabled(index_ < list_.Count() - 1);
  const QString failure = LoadCurrent();
  Label1->setText(DecodeCharset(list_.Entry(index_).Word, kCharset));
  // The window takes the picture's size now, not at the next layout pass.
  layout()->activate();
  if (isMinimized()) showNormal();
  show();
  raise();
  if (!failure.isEmpty()) Notice(failure);
}

QString TPictureForm1::LoadCurrent() {
  // The folder is the system's file name; the list names its files in 8 bits.
  const QString path = QFile::decodeName(list_.Folder().c_str()) +
                       DecodeCharset(list_.Entry(index_).FileName, kCharset);
  QImage image;
  QString error;
  if (!TPictureLoader::Load(path, image, error)) {
    SetPicture(QImage());
    return error;
  }
  SetPicture(image);
  return {};
}

void TPictureForm1::SetPicture(const QImage& image) {
  picture_ = image;
  if (image.isNull()) {
    Image1->setPixmap(QPixmap());
    Image1->setText(DesignHint(kForm, "NoPicture"));
    return;
  }
  // A picture larger than the screen is shown as large as the screen allows.
  QSize room(image.size());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    room = screen->availableGeometry().size() - QSize(kFrameRoom, kFrameRoom);
  }
  const bool fits = image.width() <= room.width() && image.height() <= room.height();
  Image1->setPixmap(QPixmap::fromImage(
      fits ? image : image.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

// ---- commands ----

void TPictureForm1::ShowPrevious() {
  if (index_ <= 0 || index_ >= list_.Count()) return;
  --index_;
  ShowPicture();
}

void TPictureForm1::ShowNext() {
  if (index_ < 0 || index_ >= list_.Count() - 1) return;
  ++index_;
  ShowPicture();
}

void TPictureForm1::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left:
      ShowPrevious();
      return;
    case Qt::Key_Right:
      ShowNext();
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

bool TPictureForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Image1 && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && index_ >= 0 &&
      index_ < list_.Count()) {
    dictionary_.LookUpWord(list_.Entry(index_).Word);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace lectora
