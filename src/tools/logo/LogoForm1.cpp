#include "tools/logo/LogoForm1.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalBlocker>
#include <QStringList>
#include <QTimer>
#include <QVBoxLayout>

#include "app/DesignCaption.h"
#include "settings/MyCheckBox.h"
#include "settings/OptionValues.h"
#include "store/Settings.h"
#include "tools/player/IAudioPlayer.h"

#ifndef LECTORA_VERSION
#define LECTORA_VERSION ""
#endif

namespace lectora {

namespace {

constexpr const char* kForm = "LogoForm1";
constexpr const char* kStartSound = "Beg1.wav";
const QColor kBlue(0, 0, 160);

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text, int pointSize, bool bold) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setAccessibleName(text);
  label->setAlignment(Qt::AlignCenter);
  QFont font = label->font();
  font.setPointSize(pointSize);
  font.setBold(bold);
  label->setFont(font);
  return label;
}

}  // namespace

const char* TLogoForm1::BuildVersion() { return LECTORA_VERSION; }

QString TLogoForm1::VersionText(std::string_view version) {
  if (version.empty()) return QStringLiteral("X.X.X");
  const QStringList parts =
      QString::fromLatin1(version.data(), static_cast<qsizetype>(version.size()))
          .split(QLatin1Char('.'));
  return parts.mid(0, 3).join(QLatin1Char('.'));
}

TLogoForm1::TLogoForm1(TSettings& settings, TOptionValues& options, IAudioPlayer& player,
                       QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint),
      settings_(settings),
      options_(options),
      player_(player) {
  setObjectName(QString::fromLatin1(kForm));
  setWindowTitle(DesignCaption(kForm, "Caption"));
  setAccessibleName(DesignCaption(kForm, "Caption"));
  setToolTip(DesignHint(kForm, kForm));
  QPalette colours = palette();
  colours.setColor(QPalette::Window, kBlue);
  colours.setColor(QPalette::WindowText, Qt::white);
  setPalette(colours);
  setAutoFillBackground(true);
  CreateControls();
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setSingleShot(true);
  Timer1->setInterval(kSoundDelayMs);
  connect(Timer1, &QTimer::timeout, this, &TLogoForm1::StartSound);
  connect(&player_, &IAudioPlayer::PlayEnded, this, [this] {
    if (PlaysOwnSound()) SoundFinished();
  });
}

void TLogoForm1::CreateControls() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(40, 24, 40, 16);
  layout->setSpacing(6);
  layout->addWidget(NewLabel(this, "Label3", DesignCaption(kForm, "Label3"), 20, false));
  layout->addWidget(NewLabel(this, "Label1", DesignCaption(kForm, "Label1"), 36, true));
  layout->addWidget(NewLabel(this, "Label2", DesignCaption(kForm, "Label2"), 12, false));
  layout->addWidget(NewLabel(this, "Label4", VersionText(BuildVersion()), 10, false));
  MyCheckBox1 = new TMyCheckBox(this);
  MyCheckBox1->setObjectName(QStringLiteral("MyCheckBox1"));
  MyCheckBox1->SetCaption(DesignCaption(kForm, "MyCheckBox1"));
  MyCheckBox1->setAccessibleName(DesignCaption(kForm, "MyCheckBox1"));
  MyCheckBox1->setToolTip(DesignHint(kForm, "MyCheckBox1"));
  // Buttons take the style's own colours: the caption is made white on blue.
  QPalette light = MyCheckBox1->palette();
  light.setColor(QPalette::WindowText, Qt::white);
  light.setColor(QPalette::ButtonText, Qt::white);
  MyCheckBox1->setPalette(light);
  MyCheckBox1->Label()->setPalette(light);
  MyCheckBox1->Loaded();
  layout->addSpacing(12);
  layout->addWidget(MyCheckBox1, 0, Qt::AlignLeft);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(MyCheckBox1, &QCheckBox::clicked, this,
          [this](bool checked) { options_.SetOption(TOptionValues::kShowAbout, !checked); });
}

// ---- showing ----

void TLogoForm1::ShowAtStart() {
  if (settings_.RunningFromCD() || !options_.GetOption(TOptionValues::kShowAbout)) return;
  if (isVisible()) return;
  setWindowModality(Qt::NonModal);
  show();
  repaint();
}

void TLogoForm1::ShowModal() {
  // The modality of a shown window cannot change: it is shown again.
  if (isVisible()) hide();
  setWindowModality(Qt::ApplicationModal);
  show();
  raise();
  activateWindow();
}

void TLogoForm1::FocusIfShown() {
  if (!isVisible()) return;
  raise();
  activateWindow();
  setFocus();
}

void TLogoForm1::showEvent(QShowEvent* event) {
  {
    const QSignalBlocker block(MyCheckBox1);
    MyCheckBox1->setChecked(!options_.GetOption(TOptionValues::kShowAbout));
  }
  CentreOnDesktop();
  Timer1->start();
  QWidget::showEvent(event);
}

void TLogoForm1::hideEvent(QHideEvent* event) {
  // Closed before the sound began: it does not begin.
  Timer1->stop();
  QWidget::hideEvent(event);
  Q_EMIT Hidden();
}

void TLogoForm1::CentreOnDesktop() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  adjustSize();
  QRect frame = geometry();
  frame.moveCenter(screen->availableGeometry().center());
  move(frame.topLeft());
}

void TLogoForm1::StartSound() {
  // The chapter audio may be using the player: it is left alone.
  if (player_.IsPlaying()) return;
  const QString path =
      QFile::decodeName(settings_.SetupFolder().c_str()) + QString::fromLatin1(kStartSound);
  if (!QFileInfo(path).isFile()) return;
  if (!player_.Open(path)) return;
  soundStarted_ = true;
  soundFile_ = path;
  player_.Play(0, -1);
}

// ---- closing ----

bool TLogoForm1::PlaysOwnSound() {
  // The chapter audio may have taken the player over since.
  if (soundStarted_ && player_.FileName() != soundFile_) soundStarted_ = false;
  return soundStarted_;
}

void TLogoForm1::SoundFinished() {
  if (PlaysOwnSound()) {
    soundStarted_ = false;
    player_.Stop();
    player_.Close();
  }
  close();
}

void TLogoForm1::keyPressEvent(QKeyEvent* event) {
  event->accept();
  SoundFinished();
}

void TLogoForm1::mousePressEvent(QMouseEvent* event) {
  // The sound plays on; only the window goes.
  event->accept();
  close();
}

}  // namespace lectora
