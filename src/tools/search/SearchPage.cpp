#include "tools/search/SearchPage.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

#include "app/DesignCaption.h"
#include "app/InterfaceTexts.h"
#include "display/BibleComboBox.h"
#include "display/CDEdit.h"
#include "display/KeyTranslator.h"
#include "display/LargeListBox.h"
#include "display/QtText.h"
#include "display/XkbKeyboardLayout.h"
#include "modules/CodePageFitter.h"
#include "navigation/ActiveTranslation.h"
#include "search/ConcList.h"
#include "settings/OptionValues.h"
#include "store/Bible.h"
#include "store/CodePage.h"
#include "tools/dictionary/Dictionary.h"
#include "tools/search/SearchListCopy.h"
#include "tools/search/VerseListModel.h"

namespace lectora {

namespace {

constexpr const char* kForm = "Lectora2Form1";
// The verse list's background while it shows cross references.
const QColor kLinksColor(0xE9, 0xFF, 0xE6);

// True when `text` holds a letter that code page `codePage` cannot hold.
bool HasForeignLetters(const QString& text, int codePage) {
  const QList<uint> units = text.toUcs4();
  return std::any_of(units.begin(), units.end(), [codePage](uint c) {
    return c >= 128 && QChar::isLetter(static_cast<char32_t>(c)) &&
           UnicodeToCodePage(static_cast<char32_t>(c), codePage) < 0;
  });
}

// Control characters (line ends of a pasted text) separate words.
QString WithoutControls(QString text) {
  for (QChar& c : text) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = u' ';
  }
  return text;
}

QAction* MenuItem(QMenu& menu, const char* name) {
  QAction* action = menu.addAction(DesignCaption(kForm, name));
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

}  // namespace

TSearchPage::TSearchPage(const TServices& services, QWidget* parent)
    : QWidget(parent), s_(services), copier_(std::make_unique<TSearchListCopy>(services.Display)) {
  setObjectName(QStringLiteral("TabSheet1"));
  // F1 anywhere in the panel opens the page of the search and its queries.
  setProperty("helpTopic", QStringLiteral("Search"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  CreatePanel1();
  layout->addWidget(Panel1);
  CreateLists();
  layout->addWidget(splitter2_, 1);
  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setAccessibleName(DesignHint(kForm, "Label1"));
  CreateMenus();
  Wire();
  WireSearchBox();
  s_.Search.SetSearchBox(this);
  ListShown();
}

TSearchPage::~TSearchPage() { s_.Search.SetSearchBox(nullptr); }

void TSearchPage::CreatePanel1() {
  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  auto* row = new QHBoxLayout(Panel1);
  row->setContentsMargins(0, 0, 0, 0);
  ComboBox2 = new QComboBox(Panel1);
  ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
  for (const char* item : {"Order0", "Order1", "Order2"}) {
    ComboBox2->addItem(DesignCaption(kForm, item));
  }
  ComboBox2->setCurrentIndex(s_.Search.Order());
  ComboBox2->setAccessibleName(DesignHint(kForm, "ComboBox2"));
  ComboBox2->setToolTip(DesignHint(kForm, "ComboBox2"));
  Button1 = new QPushButton(DesignCaption(kForm, "Button1"), Panel1);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setAccessibleName(DesignCaption(kForm, "Button1"));
  row->addWidget(ComboBox2, 1);
  row->addWidget(Button1);
}

void TSearchPage::CreateLists() {
  splitter2_ = new QSplitter(Qt::Vertical, this);
  splitter2_->setObjectName(QStringLiteral("Splitter2"));
  LargeListBox1 = new TLargeListBox(s_.History, splitter2_);
  LargeListBox1->setObjectName(QStringLiteral("LargeListBox1"));
  LargeListBox1->SetScrollType(TScrollType::stBottom);
  ListBox2 = new QListView(splitter2_);
  ListBox2->setObjectName(QStringLiteral("ListBox2"));
  model_ = new TVerseListModel(ListBox2);
  ListBox2->setModel(model_);
  // Rows of one height: the view lays out and paints only the rows shown.
  ListBox2->setUniformItemSizes(true);
  ListBox2->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ListBox2->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListBox2->setContextMenuPolicy(Qt::CustomContextMenu);
  ListBox2->setAutoFillBackground(true);
  ListBox2->installEventFilter(this);
  splitter2_->addWidget(LargeListBox1);
  splitter2_->addWidget(ListBox2);
}

void TSearchPage::CreateMenus() {
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  Copy1 = MenuItem(*PopupMenu1, "Copy1");
  Copy2 = MenuItem(*PopupMenu1, "Copy2");
  Copy3 = MenuItem(*PopupMenu1, "Copy3");
  Copy3->setEnabled(false);
  PopupMenu5 = new QMenu(this);
  PopupMenu5->setObjectName(QStringLiteral("PopupMenu5"));
  Copy4 = MenuItem(*PopupMenu5, "Copy4");
  Dictionary2 = MenuItem(*PopupMenu5, "Dictionary2");
  Dictionary2->setEnabled(false);
  // dictionary: enabled for a selected word the dictionaries hold
  connect(PopupMenu5, &QMenu::aboutToShow, this, [this] {
    const std::string word = SelectedWord();
    Dictionary2->setEnabled(dictionary_ != nullptr && dictionary_->IsDictionaryWord(word));
  });
  connect(Dictionary2, &QAction::triggered, this, [this] {
    if (dictionary_ != nullptr && !SelectedWord().empty()) dictionary_->LookUpWord(SelectedWord());
  });
  LargeListBox1->SetPopupMenu2(PopupMenu5);
  connect(Copy1, &QAction::triggered, this, &TSearchPage::Copy1Click);
  connect(Copy2, &QAction::triggered, this, &TSearchPage::Copy2Click);
  connect(Copy3, &QAction::triggered, this, &TSearchPage::Copy3Click);
  connect(Copy4, &QAction::triggered, this, &TSearchPage::Copy4Click);
  connect(PopupMenu1, &QMenu::aboutToShow, this,
          [this] { Copy3->setEnabled(!SelectedRows().empty()); });
  connect(ListBox2, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { PopupMenu1->popup(ListBox2->viewport()->mapToGlobal(pos)); });
}

void TSearchPage::Wire() {
  TSearchService& search = s_.Search;
  connect(&search, &TSearchService::ListShown, this, &TSearchPage::ListShown);
  connect(&search, &TSearchService::CurrentRowChanged, this, &TSearchPage::SelectRow);
  connect(&search, &TSearchService::ListFocusWanted, this, [this] { ListBox2->setFocus(); });
  connect(&search, &TSearchService::MarkedCopyEnabled, Copy3, &QAction::setEnabled);
  connect(&search, &TSearchService::OrderChanged, this, [this](int order) {
    const QSignalBlocker block(ComboBox2);
    ComboBox2->setCurrentIndex(order);
  });
  connect(ComboBox2, &QComboBox::currentIndexChanged, this, [&search](int index) {
    search.SetOrder(index);
    search.SearchOfBox();
  });
  connect(Button1, &QPushButton::clicked, this, &TSearchPage::Button1Click);
  connect(ListBox2, &QAbstractItemView::clicked, this,
          [this, &search] { search.ListClicked(SelectedRows()); });
  connect(ListBox2, &QAbstractItemView::doubleClicked, this,
          [&search](const QModelIndex& index) { search.ListDoubleClicked(index.row()); });
  connect(&s_.Active, &TActiveTranslation::TranslationChanged, this,
          &TSearchPage::TranslationChanged);
  connect(&s_.Active, &TActiveTranslation::TranslationCleared, this,
          [this] { LargeListBox1->SetList(nullptr); });
}

void TSearchPage::WireSearchBox() {
  TSearchService& search = s_.Search;
  // Letters typed under another keyboard layout become the module's.
  keys_ = new TKeyTranslator(TXkbKeyboardLayout::ForApplication(), this);
  keys_->Bind(s_.Options);
  keys_->SetLanguageSource([this]() -> const TLanguage* {
    const TBible* bible = s_.Active.Bible();
    return bible != nullptr ? &bible->Language : nullptr;
  });
  LargeListBox1->OnKeyPress = [this, &search](char& key) {
    search.SearchTextLanguage = BoxLanguage();
    if (key == '\r') {
      search.SearchOfBox();
      key = 0;
      return;
    }
    search.IgnoreSpinChange = true;
    keys_->Translate(key);
  };
  // Enter searches whether or not the key carries a character.
  LargeListBox1->ComboBox()->Edit()->installEventFilter(this);
  connect(LargeListBox1, &TLargeListBox::Changed, this,
          [this, &search] { search.SearchTextLanguage = BoxLanguage(); });
  connect(LargeListBox1, &TLargeListBox::ChangeItemIndex, &search,
          &TSearchService::SelectedWordChanged);
  connect(LargeListBox1, &TLargeListBox::Click, &search, [&search] { search.WordClicked(); });
  connect(LargeListBox1, &TLargeListBox::DblClick, &search, &TSearchService::OpenFirstFound);
}

bool TSearchPage::eventFilter(QObject* watched, QEvent* event) {
  // A selection moved with the keys counts as a click, as a click does.
  if (event->type() == QEvent::KeyRelease && watched == ListBox2) {
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
      case Qt::Key_Home:
      case Qt::Key_End:
        s_.Search.ListClicked(SelectedRows());
        break;
      default:
        break;
    }
  }
  if (event->type() == QEvent::KeyPress && watched == LargeListBox1->ComboBox()->Edit()) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      s_.Search.SearchTextLanguage = BoxLanguage();
      s_.Search.SearchOfBox();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TSearchPage::TranslationChanged(TBible* bible) {
  QFont font = this->font();
  if (!bible->Font.Name.empty()) font.setFamily(QString::fromStdString(bible->Font.Name));
  if (bible->Font.Size > 0) font.setPointSize(bible->Font.Size);
  LargeListBox1->SetFont(font);
  LargeListBox1->SetCharset(bible->Language.Charset());
  ListBox2->setFont(font);
  LargeListBox1->SetList(s_.Active.WordList());
}

void TSearchPage::SetSplitterTop(int height) {
  const int total = std::max(splitter2_->height(), height + 40);
  splitter2_->setSizes({height, total - height});
}

int TSearchPage::SplitterTop() const {
  const QList<int> sizes = splitter2_->sizes();
  return sizes.isEmpty() ? 0 : sizes.first();
}

// ---- the search box ----

int TSearchPage::BoxLanguage() const {
  const TBible* bible = s_.Active.Bible();
  if (bible == nullptr) return TSearchService::kForeignLanguage;
  const QString text = LargeListBox1->ComboBox()->Edit()->text();
  return HasForeignLetters(text, CodePageOfCharset(bible->Language.Charset()))
             ? TSearchService::kForeignLanguage
             : bible->Language.LanguageNumber();
}

std::string TSearchPage::BoxText() const {
  const TBible* bible = s_.Active.Bible();
  const int charset = bible != nullptr ? bible->Language.Charset() : 204;
  const int codePage = CodePageOfCharset(charset);
  QString text = WithoutControls(LargeListBox1->ComboBox()->Edit()->text());
  if (IsSupportedCodePage(codePage) && !HasForeignLetters(text, codePage)) {
    TCodePageFitter fitter(codePage);
    text = QString::fromStdString(fitter.Fit(text.toStdString()));
  }
  return EncodeCharset(text, charset);
}

void TSearchPage::PutText(const std::string& text) { LargeListBox1->SetText(text); }

std::string TSearchPage::SelectedWord() const {
  std::string word;
  const int index = LargeListBox1->ItemIndex();
  if (index >= 0 && LargeListBox1->List() != nullptr) LargeListBox1->List()->Get(index, word);
  return word;
}

bool TSearchPage::WordSelected() const { return LargeListBox1->ItemIndex() >= 0; }

void TSearchPage::AddToHistory(const std::string& text, std::uint16_t firstVerse) {
  LargeListBox1->ComboBox()->Add(firstVerse, text, QDateTime::currentDateTime());
}

void TSearchPage::Button1Click() {
  TSearchService& search = s_.Search;
  const QString pasted = WithoutControls(QApplication::clipboard()->text());
  search.SearchDone = false;
  search.SearchTextLanguage = search.ActiveLanguage();
  // The edit keeps what it can hold; the box decides the language.
  LargeListBox1->ComboBox()->Edit()->setText(pasted);
  search.SearchTextLanguage = BoxLanguage();
  // Putting the text in searched only when it selected a word.
  if (!search.SearchDone) search.SearchOfBox();
  search.OpenFirstFound();
}

// ---- the verse list ----

void TSearchPage::ListShown() {
  const TSearchService& search = s_.Search;
  model_->SetLines(search.Lines(), search.Charset());
  const bool links = search.ListKind() == TSearchService::kLinks;
  QPalette palette = ListBox2->palette();
  palette.setColor(QPalette::Base,
                   links ? kLinksColor : QApplication::palette().color(QPalette::Base));
  ListBox2->setPalette(palette);
  const QString hint = DecodeCharset(s_.Texts.Translate(links ? "ListHint2" : "ListHint1"), 204);
  ListBox2->setToolTip(hint);
  ListBox2->setAccessibleDescription(hint);
  const QString label = DecodeCharset(search.LabelText(), search.Charset());
  Label1->setText(label);
  Label1->setAccessibleDescription(label);
}

void TSearchPage::SelectRow(int row) {
  QItemSelectionModel* selection = ListBox2->selectionModel();
  selection->clearSelection();
  if (row < 0 || row >= model_->rowCount()) return;
  const QModelIndex index = model_->index(row);
  selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  ListBox2->scrollTo(index);
}

std::vector<int> TSearchPage::SelectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : ListBox2->selectionModel()->selectedIndexes()) {
    rows.push_back(index.row());
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

// ---- copying ----

void TSearchPage::WithCopySource(const std::function<void(const TSearchListCopy::TSource&)>& copy) {
  const TBible* bible = s_.Active.Bible();
  const TVerseList* list = s_.Search.CurrentList();
  if (bible == nullptr || list == nullptr) return;
  copy({*bible, *list, s_.Search.Lines(), s_.Search.LabelText(), s_.Texts.Translate("AppearIn"),
        s_.Options.GetOption(TOptionValues::kAbrev), bible->Language.Charset()});
}

void TSearchPage::Copy1Click() {
  WithCopySource([this](const TSearchListCopy::TSource& source) { copier_->CopyList(source); });
}

void TSearchPage::Copy2Click() {
  WithCopySource(
      [this](const TSearchListCopy::TSource& source) { copier_->CopyVerses(source, nullptr); });
}

void TSearchPage::Copy3Click() {
  const std::vector<int> rows = SelectedRows();
  WithCopySource([this, &rows](const TSearchListCopy::TSource& source) {
    copier_->CopyVerses(source, &rows);
  });
}

void TSearchPage::Copy4Click() {
  if (s_.Active.Bible() == nullptr) return;
  copier_->CopyText(LargeListBox1->Text(), s_.Search.Charset());
}

}  // namespace lectora
