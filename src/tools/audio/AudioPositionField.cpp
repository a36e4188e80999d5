#include "tools/audio/AudioPositionField.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QToolBar>
#include <cstdint>

#include "app/DesignCaption.h"
#include "settings/MySpinEdit.h"
#include "tools/audio/ChapterAudio.h"

namespace lectora {

TAudioPositionField::TAudioPositionField(TChapterAudio& audio, QToolBar& toolBar, bool visible)
    : QObject(&toolBar), audio_(audio) {
  Label2 = new QLabel(QStringLiteral("ms"), &toolBar);
  Label2->setObjectName(QStringLiteral("Label2"));
  MySpinEdit1 = new TMySpinEdit(&toolBar);
  MySpinEdit1->setObjectName(QStringLiteral("MySpinEdit1"));
  MySpinEdit1->setAccessibleName(DesignHint("Lectora2Form1", "MySpinEdit1"));
  MySpinEdit1->setToolTip(MySpinEdit1->accessibleName());
  MySpinEdit1->SetMinValue(0);
  MySpinEdit1->SetMaxValue(INT32_MAX);
  MySpinEdit1->SetIncrement(100);
  MySpinEdit1->setFixedWidth(90);
  Label2->setBuddy(MySpinEdit1);
  toolBar.addWidget(MySpinEdit1)->setVisible(visible);
  toolBar.addWidget(Label2)->setVisible(visible);
  MySpinEdit1->installEventFilter(this);
  connect(MySpinEdit1, &QLineEdit::textChanged, this,
          [this] { audio_.PositionEdited(MySpinEdit1->Value()); });
  connect(&audio_, &TChapterAudio::VerseStartChanged, this, &TAudioPositionField::ShowStart);
  connect(&audio_, &TChapterAudio::MarksLoaded, this, &TAudioPositionField::ShowExact);
}

void TAudioPositionField::ShowStart(qint64 start) {
  MySpinEdit1->FixValue(static_cast<int>(start));
}

void TAudioPositionField::ShowExact(bool exact) {
  QPalette palette = MySpinEdit1->palette();
  const QPalette normal;
  palette.setColor(QPalette::Base, exact ? QColor(0, 255, 0) : normal.color(QPalette::Base));
  MySpinEdit1->setPalette(palette);
  MySpinEdit1->setProperty("exactMarks", exact);
}

bool TAudioPositionField::eventFilter(QObject* watched, QEvent* event) {
  if (watched != MySpinEdit1 || event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
  switch (key->key()) {
    case Qt::Key_A:
      audio_.MarkStart();
      return true;
    case Qt::Key_B:
      audio_.MarkEnd();
      return true;
    case Qt::Key_C:
      audio_.AskReEstimate();
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      audio_.InsertRecord();
      return true;
    case Qt::Key_Escape:
      audio_.ShowVerseNumbers();
      return true;
    default:
      return false;
  }
}

}  // namespace lectora
