// Renders the program's own controls, filled with real content, to PNG files
// so that their look can be reviewed without a display. Usage:
//   gallery [OUTPUT_FOLDER]      (default: the current folder)
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "display/BibleComboBox.h"
#include "display/BibleRichEdit1.h"
#include "display/CBListBox.h"
#include "display/DisplayContext.h"
#include "display/HistoryContext.h"
#include "display/LargeListBox.h"
#include "search/LargeStringList.h"
#include "settings/ComboBoxCCDisabled.h"
#include "settings/DblButton.h"
#include "settings/MyCheckBox.h"
#include "settings/MyRadioGroup.h"
#include "settings/MySpinEdit.h"
#include "store/CodePage.h"

namespace {

using namespace lectora;

// Saves `image` as `name`.png in `folder`.
bool SaveImage(const QImage& image, const QDir& folder, const QString& name) {
  const QString file = folder.filePath(name + QStringLiteral(".png"));
  if (!image.save(file)) {
    std::fprintf(stderr, "gallery: cannot write %s\n", qPrintable(file));
    return false;
  }
  std::printf("%s\n", qPrintable(file));
  return true;
}

// Shows `page` and saves its picture as `name`.png in `folder`.
bool Save(QWidget& page, const QDir& folder, const QString& name) {
  page.show();
  QApplication::processEvents();
  return SaveImage(page.grab().toImage(), folder, name);
}

// The navigation strip of the main tool bar: chapter and verse fields with
// their double buttons.
bool NavigationPage(const QDir& folder) {
  QWidget page;
  page.resize(330, 52);
  auto* chapter = new TMySpinEdit(&page);
  chapter->setGeometry(8, 12, 60, 26);
  chapter->SetMinValue(1);
  chapter->SetMaxValue(50);
  chapter->SetIncrement(-1);
  chapter->FixValue(12);
  auto* chapterButtons = new TDblButton(&page);
  chapterButtons->setGeometry(72, 8, 18, 34);
  chapterButtons->SetFigColor(Qt::red);
  auto* verse = new TMySpinEdit(&page);
  verse->setGeometry(100, 12, 60, 26);
  verse->SetMinValue(1);
  verse->SetMaxValue(31);
  verse->FixValue(3);
  auto* verseButtons = new TDblButton(&page);
  verseButtons->setGeometry(164, 8, 18, 34);
  verseButtons->SetFigColor(Qt::blue);
  auto* books = new TDblButton(&page);
  books->setGeometry(192, 6, 40, 40);
  books->SetFlat(true);
  auto* history = new TComboBoxCCDisabled(&page);
  history->setGeometry(240, 12, 84, 26);
  history->addItem(QStringLiteral(u"Битие 1:1"));
  return Save(page, folder, QStringLiteral("navigation"));
}

// The search range selector of the range dialog, in two columns, and the
// option check boxes.
bool OptionsPage(const QDir& folder) {
  QWidget page;
  page.resize(340, 230);
  auto* group = new TMyRadioGroup(&page);
  group->setTitle(QStringLiteral(u"Търсене в"));
  group->setGeometry(8, 8, 324, 110);
  group->SetColumns(2);
  group->SetItems({QStringLiteral(u"Всички книги"), QStringLiteral(u"Стария завет"),
                   QStringLiteral(u"Новия завет"), QStringLiteral(u"Избрани книги"),
                   QStringLiteral(u"Евангелията")});
  group->SetItemIndex(1);
  group->Loaded();
  const QString captions[] = {QStringLiteral(u"Показвай номерата на Стронг"),
                              QStringLiteral(u"Показвай бележките под линия"),
                              QStringLiteral(u"Всеки стих на нов ред")};
  int top = 126;
  bool checked = true;
  for (const QString& caption : captions) {
    auto* box = new TMyCheckBox(&page);
    box->setGeometry(12, top, 300, 24);
    box->SetCaption(caption);
    box->setChecked(checked);
    box->Loaded();
    checked = !checked;
    top += 30;
  }
  return Save(page, folder, QStringLiteral("options"));
}

// UTF-8 source text in Windows-1251, the code page of the Bulgarian texts.
std::string Cp1251(const char* utf8) { return Utf8ToCodePageLossy(utf8, 1251); }

// A chapter in the verse text control: bold verse heads, a bold and an
// italic run, a footnote in braces, the searched word marked and a selection.
bool ChapterPage(const QDir& folder) {
  const std::vector<std::string> searchWords = {Cp1251("светлина")};
  TDisplayContext context(searchWords);
  TBibleRichEdit1 edit(context);
  edit.resize(460, 250);
  edit.ColorMarks = true;
  edit.SetColor(Qt::white);
  TTextFont font;
  font.Font = QFont(QStringLiteral("DejaVu Serif"), 11);
  font.Charset = 204;
  edit.SetFont(font);
  const char* verses[] = {
      "В начало Бог сътвори небето и земята.",
      "А земята беше неустроена и пуста {или: празна}; и тъмнина покриваше бездната; и "
      "\\Божият Дух\\ се носеше над водата.",
      "И Бог каза: Да бъде светлина. И стана светлина.",
      "И видя Бог, че светлината беше |добра|; и Бог раздели светлината от тъмнината.",
      "И Бог нарече светлината Ден, а тъмнината нарече Нощ. И стана вечер, и стана утро, "
      "ден първи.",
  };
  int number = 1;
  for (const char* verse : verses) {
    edit.AddPair(std::to_string(number++) + " ", Cp1251(verse) + "\r\n");
  }
  edit.Layout();
  edit.SetSelStart(40);
  edit.SetSelLength(24);
  return Save(edit, folder, QStringLiteral("chapter"));
}

// The verse history box dropped down: the box and its list in one picture.
bool HistoryPage(const QDir& folder) {
  THistoryContext context;
  QWidget page;
  page.resize(260, 190);
  auto* box = new TBibleComboBox(context, &page);
  box->setGeometry(8, 8, 240, 24);
  const QDateTime start(QDate(2024, 3, 1), QTime(9, 0));
  const char* places[] = {"Битие 1:3", "Псалми 23:1",  "Исая 40:31",
                          "Йоан 3:16", "Римляни 8:28", "Откровение 21:4"};
  std::uint16_t verse = 3;
  int minutes = 0;
  for (const char* place : places) {
    box->Add(verse, Cp1251(place), start.addSecs(60 * minutes));
    verse = static_cast<std::uint16_t>(verse + 4000);
    minutes += 17;
  }
  box->SetItemIndex(3);
  page.show();
  QApplication::processEvents();
  box->DropButtonClick();
  QApplication::processEvents();
  QImage image = page.grab().toImage();
  if (box->List() != nullptr && box->IsDroppedDown()) {
    QPainter painter(&image);
    const QPoint at = box->List()->mapToGlobal(QPoint(0, 0)) - page.mapToGlobal(QPoint(0, 0));
    painter.drawPixmap(at, box->List()->grab());
  }
  return SaveImage(image, folder, QStringLiteral("history"));
}

// A sorted word list held in memory, standing for a concordance's words.
class TWordList : public TLargeStringList {
 public:
  explicit TWordList(std::vector<std::string> words) : words_(std::move(words)) {
    std::sort(words_.begin(), words_.end(), [](const std::string& a, const std::string& b) {
      return std::lexicographical_compare(
          a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
          });
    });
  }
  std::int32_t Count() const override { return static_cast<std::int32_t>(words_.size()); }
  void Get(std::int32_t index, std::string& text) const override {
    text = index >= 0 && index < Count() ? words_[static_cast<std::size_t>(index)] : std::string();
  }
  std::int32_t IndexOf(const std::string& text) const override {
    for (std::int32_t i = 0; i < Count(); ++i) {
      if (words_[static_cast<std::size_t>(i)] == text) return i;
    }
    return -1;
  }

 private:
  std::vector<std::string> words_;
};

// The word list of the search panel.
bool WordListPage(const QDir& folder) {
  THistoryContext context;
  TWordList words({Cp1251("бездна"), Cp1251("бог"), Cp1251("вода"), Cp1251("вечер"), Cp1251("ден"),
                   Cp1251("добра"), Cp1251("дух"), Cp1251("земя"), Cp1251("нощ"), Cp1251("небе"),
                   Cp1251("пуста"), Cp1251("светлина"), Cp1251("сътвори"), Cp1251("тъмнина"),
                   Cp1251("утро")});
  TLargeListBox list(context);
  list.resize(200, 260);
  list.SetList(&words);
  list.SetText(Cp1251("вечер"));
  const bool ok = Save(list, folder, QStringLiteral("wordlist"));
  list.SetList(nullptr);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
  if (!folder.exists() && !QDir().mkpath(folder.path())) {
    std::fprintf(stderr, "gallery: cannot create %s\n", qPrintable(folder.path()));
    return 1;
  }
  bool ok = NavigationPage(folder);
  ok = OptionsPage(folder) && ok;
  ok = ChapterPage(folder) && ok;
  ok = HistoryPage(folder) && ok;
  ok = WordListPage(folder) && ok;
  return ok ? 0 : 1;
}
