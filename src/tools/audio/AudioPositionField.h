// The position field of the editing mode ("AudioFix"): MySpinEdit1 with its
// label Label2 on the main tool bar, visible only in that mode. It shows
// where the current verse starts, lime green while the marks are exact (from
// the marks file), and takes the operator's keys: A marks the start, B the
// end, C asks for a fresh estimate, Enter inserts a record, Escape shows
// the verse numbers.
#pragma once

#include <QObject>

class QLabel;
class QToolBar;

namespace lectora {

class TChapterAudio;
class TMySpinEdit;

class TAudioPositionField : public QObject {
  Q_OBJECT

 public:
  // The lime green of exact marks (colour value 65280).
  static constexpr unsigned kExactColor = 0x00FF00;

  // Creates the field and its label on `toolBar` (which owns them), shown
  // when `visible`. `audio` must outlive the field.
  TAudioPositionField(TChapterAudio& audio, QToolBar& toolBar, bool visible);

  TMySpinEdit* MySpinEdit1 = nullptr;
  QLabel* Label2 = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowStart(qint64 start);
  void ShowExact(bool exact);

  TChapterAudio& audio_;
};

}  // namespace lectora
