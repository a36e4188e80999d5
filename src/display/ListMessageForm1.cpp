#include "display/ListMessageForm1.h"

#include <QHBoxLayout>
#include <QIntValidator>
#include <QShowEvent>
#include <QVBoxLayout>
#include <climits>
#include <utility>
#include "app/DesignCaption.h"

#include "display/BibleComboBox.h"
#include "display/HistoryContext.h"
#include "display/QtText.h"

namespace lectora {

namespace {
constexpr int kCyrillicCharset = 204;
}  // namespace

TListMessageForm1::TListMessageForm1(THistoryContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  designFont_ = QFont(QStringLiteral("Verdana"));
  designFont_.setPixelSize(13);
  setFont(designFont_);

  message_ = new QLabel(this);
  message_->setWordWrap(true);
  auto* limitLabel = new QLabel(DesignCaption("ListMessageForm1", "Label1"), this);
  limitLabel->setWordWrap(true);
  edit1_ = new QLineEdit(this);
  edit1_->setValidator(new QIntValidator(0, INT_MAX, edit1_));
  okButton_ = new QPushButton(QStringLiteral("OK"), this);
  clearButton_ = new QPushButton(QStringLiteral("Clear now"), this);
  helpButton_ = new QPushButton(QStringLiteral("Help"), this);
  helpButton_->setEnabled(false);
  okButton_->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(okButton_);
  buttons->addWidget(clearButton_);
  buttons->addWidget(helpButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(message_);
  layout->addWidget(limitLabel);
  layout->addWidget(edit1_);
  layout->addLayout(buttons);

  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
  connect(clearButton_, &QPushButton::clicked, this, &TListMessageForm1::ClearNow);
  connect(helpButton_, &QPushButton::clicked, this, [this] {
    if (help_) help_("ListMessage");
  });
}

void TListMessageForm1::SetCyrillicFontName(const QString& name) {
  std::string fixed = name.toStdString();
  cyrillicFontSource_ = [fixed = std::move(fixed)] { return fixed; };
}

void TListMessageForm1::SetCyrillicFontSource(std::function<std::string()> source) {
  cyrillicFontSource_ = std::move(source);
}

QString TListMessageForm1::CyrillicFontName() const {
  return cyrillicFontSource_ ? QString::fromStdString(cyrillicFontSource_()) : QString();
}

void TListMessageForm1::SetHelp(std::function<void(const std::string& topic)> help) {
  help_ = std::move(help);
  helpButton_->setEnabled(static_cast<bool>(help_));
}

bool TListMessageForm1::CheckList(TBibleComboBox& list, const std::string& displayName) {
  edit1_->setText(QString::number(context_.MaxListCount));
  if (list.Count() <= context_.MaxListCount) return false;
  const std::string text = context_.Translate("there_are") + " " + std::to_string(list.Count()) +
                           " " + context_.Translate("elements_in") + " " + displayName + ".\r\n" +
                           context_.Translate("must_delete");
  message_->setText(DecodeCharset(text, kCyrillicCharset));
  list_ = &list;
  Exec();
  list_ = nullptr;
  return true;
}

void TListMessageForm1::ClearNow() {
  if (list_ != nullptr) list_->Clear();
  accept();
}

void TListMessageForm1::done(int result) {
  bool valid = false;
  const int limit = edit1_->text().trimmed().toInt(&valid);
  if (valid && limit >= 0) context_.MaxListCount = limit;
  QDialog::done(result);
}

void TListMessageForm1::showEvent(QShowEvent* event) {
  if (QWidget* owner = parentWidget()) setWindowTitle(owner->window()->windowTitle());
  // Fonts carry no character set here: every family shows Cyrillic text
  // that it has glyphs for, so only the family is taken.
  QFont shown = designFont_;
  const QString family = CyrillicFontName();
  if (!family.isEmpty()) shown.setFamily(family);
  setFont(shown);
  QDialog::showEvent(event);
}

}  // namespace lectora
