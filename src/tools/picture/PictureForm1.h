// The picture window: one illustration of a dictionary word, the word in
// bold above it and two buttons (or the Left and Right keys) that step
// through the list. A click on the picture looks the word up in the
// dictionary. The window sizes itself to the picture; it is a tool window
// of the main window, above that window only.
#pragma once

#include <QWidget>
#include <string>

#include "tools/picture/PictureList.h"
#include "tools/picture/WordPictures.h"

class QLabel;
class QToolButton;

namespace lectora {

class IDictionary;
class IMessageService;
class TInterfaceTexts;
class TSettings;

class TPictureForm1 : public QWidget, public IWordPictures {
  Q_OBJECT

 public:
  // Loads the picture list (LoadPictureList) and the window's placement.
  // The services (not owned) must outlive the window; `parent` is the main
  // window.
  TPictureForm1(TSettings& settings, TInterfaceTexts& texts, IMessageService& messages,
                IDictionary& dictionary, QWidget* parent);

  // Reads "Pictures/DicPictures.txt" of the setup folder, or of the
  // remembered root (registry value "SetupPath"). A faulty list is reported
  // once, at the first picture asked for.
  void LoadPictureList();

  // ---- IWordPictures ----
  bool HasPicture(const std::string& word) const override;
  void ShowWordPicture(const std::string& word) override;
  void ShowPicture() override;
  bool IsShown() const override { return isVisible(); }
  int CurrentIndex() const override { return index_; }
  void SetCurrentIndex(int index) override { index_ = index; }
  void SaveSettings() override;

  const TPictureList& List() const { return list_; }
  // The picture shown; null when the current file could not be read.
  const QImage& Picture() const { return picture_; }

  // ToolButton1 and the Left key: the previous entry, unless on the first.
  void ShowPrevious();
  // ToolButton2 and the Right key: the next entry, unless on the last.
  void ShowNext();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // Sees the clicks on the picture.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  // A design tool button that draws `arrow`, disabled until a picture shows.
  QToolButton* NewArrowButton(const char* name, Qt::ArrowType arrow);
  void ReadSettings();
  // Loads entry index_ into Image1; a file that cannot be read leaves the
  // picture empty and returns the notice to give.
  QString LoadCurrent();
  void SetPicture(const QImage& image);
  // The list's faults, once.
  void ReportListProblems();
  void Notice(const QString& text);

  TSettings& settings_;
  TInterfaceTexts& texts_;
  IMessageService& messages_;
  IDictionary& dictionary_;
  TPictureList list_;
  int index_ = 0;
  bool problemsReported_ = false;
  QImage picture_;
  QToolButton* ToolButton1 = nullptr;
  QToolButton* ToolButton2 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Image1 = nullptr;
};

}  // namespace lectora
