#include "tools/links/LinksPage.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <utility>

#include "app/DesignCaption.h"
#include "app/InterfaceTexts.h"
#include "display/QtText.h"
#include "store/LectoraError.h"
#include "tools/icons/DesignToolButton.h"
#include "tools/links/LinkContext.h"
#include "tools/links/LinkForm1.h"
#include "tools/links/LinkOutline.h"

namespace lectora {

namespace {

constexpr const char* kForm = "Lectora2Form1";
constexpr int kMessageCharset = 204;  // the message tables are Windows-1251

}  // namespace

TLinksPage::TLinksPage(TLinkContext& context, const TInterfaceTexts& texts, std::string fileName,
                       QWidget* parent)
    : QWidget(parent),
      context_(context),
      texts_(texts),
      fileName_(std::move(fileName)),
      saveFileName_(fileName_) {
  setObjectName(QStringLiteral("TabSheet2"));
  LinkOutline1 = new TLinkOutline(this);
  LinkOutline1->setObjectName(QStringLiteral("LinkOutline1"));
  LinkOutline1->setAccessibleName(DesignCaption(kForm, "TabSheet2"));
  LinkOutline1->SetShell(context_.Shell);
  CreateToolBar();
  CreatePopupMenu();
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(ToolBar2);
  layout->addWidget(LinkOutline1, 1);

  connect(LinkOutline1, &TLinkOutline::OpenRequested, this, &TLinksPage::OpenLink);
  connect(LinkOutline1, &TLinkOutline::DeleteRequested, this, &TLinksPage::DeleteLink);
  connect(LinkOutline1, &TLinkOutline::MouseReleased, this, &TLinksPage::UpdateButtons);
  // Moving with the keyboard changes the selected node as a click does.
  connect(LinkOutline1, &QTreeWidget::currentItemChanged, this, &TLinksPage::UpdateButtons);
  connect(context_.Dialog, &QDialog::accepted, this, &TLinksPage::DialogAccepted);
  connect(context_.Dialog, &QDialog::rejected, this, [this] { pending_ = TPending::None; });
  UpdateButtons();
}

void TLinksPage::CreateToolBar() {
  ToolBar2 = new QToolBar(this);
  ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
  ToolBar2->setAccessibleName(DesignCaption(kForm, "TabSheet2"));
  ToolBar2->setOrientation(Qt::Vertical);
  ToolBar2->setFixedWidth(28);
  ToolButton17 = NewDesignToolButton(*ToolBar2, kForm, "ToolButton17", "edit-link");
  ToolButton14 = NewDesignToolButton(*ToolBar2, kForm, "ToolButton14", "new-link");
  ToolButton16 = NewDesignToolButton(*ToolBar2, kForm, "ToolButton16", "delete-link");
  ToolButton18 = NewDesignToolButton(*ToolBar2, kForm, "ToolButton18", "open-link");
  for (QToolButton* button : {ToolButton17, ToolButton14, ToolButton16, ToolButton18}) {
    ToolBar2->addWidget(button);
  }
  connect(ToolButton17, &QToolButton::clicked, this, &TLinksPage::EditLink);
  connect(ToolButton14, &QToolButton::clicked, this, &TLinksPage::NewLink);
  connect(ToolButton16, &QToolButton::clicked, this, &TLinksPage::DeleteLink);
  connect(ToolButton18, &QToolButton::clicked, this, &TLinksPage::OpenLink);
}

QAction* TLinksPage::AddMenuItem(const char* name) {
  QAction* action = PopupMenu7->addAction(DesignCaption(kForm, name));
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

void TLinksPage::CreatePopupMenu() {
  PopupMenu7 = new QMenu(this);
  PopupMenu7->setObjectName(QStringLiteral("PopupMenu7"));
  connect(AddMenuItem("Expand1"), &QAction::triggered, this, [this] {
    if (QTreeWidgetItem* node = LinkOutline1->SelectedNode()) node->setExpanded(true);
  });
  connect(AddMenuItem("Collapse1"), &QAction::triggered, this, [this] {
    if (QTreeWidgetItem* node = LinkOutline1->SelectedNode()) node->setExpanded(false);
  });
  connect(AddMenuItem("Openlink1"), &QAction::triggered, this, &TLinksPage::OpenLink);
  connect(AddMenuItem("Newlink1"), &QAction::triggered, this, &TLinksPage::NewLink);
  connect(AddMenuItem("Editlink1"), &QAction::triggered, this, &TLinksPage::EditLink);
  connect(AddMenuItem("Deletelink1"), &QAction::triggered, this, &TLinksPage::DeleteLink);
  connect(PopupMenu7, &QMenu::aboutToShow, this, &TLinksPage::PopupMenu7Popup);
  LinkOutline1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(LinkOutline1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    PopupMenu7->popup(LinkOutline1->viewport()->mapToGlobal(at));
  });
}

void TLinksPage::PopupMenu7Popup() {
  const QTreeWidgetItem* node = LinkOutline1->SelectedNode();
  const bool folder = node != nullptr && node->childCount() > 0;
  const auto item = [this](const char* name) {
    return PopupMenu7->findChild<QAction*>(QString::fromLatin1(name));
  };
  item("Expand1")->setVisible(folder && !node->isExpanded());
  item("Collapse1")->setVisible(folder && node->isExpanded());
  item("Openlink1")->setVisible(node != nullptr && !folder);
  item("Openlink1")->setEnabled(node != nullptr && !TLinkOutline::LinkOf(*node).isEmpty());
  item("Editlink1")->setVisible(node != nullptr);
  item("Deletelink1")->setVisible(node != nullptr);
  item("Newlink1")->setVisible(true);
}

void TLinksPage::LoadTree() {
  LinkOutline1->LoadFromFile(fileName_);
  UpdateButtons();
}

void TLinksPage::SaveTree() {
  if (saveFileName_.empty()) return;
  try {
    LinkOutline1->SaveToFile(saveFileName_);
  } catch (const LectoraError& error) {
    // The reader's own work: losing it silently is not an option.
    if (context_.ShowInfo) context_.ShowInfo(QString::fromStdString(error.what()));
  }
}

void TLinksPage::NewLink() {
  context_.Dialog->PrepareNew();
  pending_ = TPending::New;
  context_.Dialog->ShowLink();
}

void TLinksPage::EditLink() {
  const QTreeWidgetItem* node = LinkOutline1->SelectedNode();
  if (node == nullptr) return;
  context_.Dialog->PrepareEdit(node->text(0), TLinkOutline::LinkOf(*node), node->childCount() > 0);
  pending_ = TPending::Edit;
  context_.Dialog->ShowLink();
}

void TLinksPage::DialogAccepted() {
  const TPending pending = std::exchange(pending_, TPending::None);
  const TLinkForm1& dialog = *context_.Dialog;
  if (pending == TPending::New) {
    LinkOutline1->InsertLink(dialog.Caption(), dialog.Link(), dialog.Mode());
  } else if (pending == TPending::Edit && LinkOutline1->SelectedNode() != nullptr) {
    LinkOutline1->EditNode(dialog.Caption(), dialog.Link());
  }
  UpdateButtons();
}

void TLinksPage::DeleteLink() {
  const QTreeWidgetItem* node = LinkOutline1->SelectedNode();
  if (node == nullptr) return;
  // A node read from a line without "|" has no caption: it is named by its
  // link, so that it can be deleted too.
  const QString name = !node->text(0).isEmpty() ? node->text(0) : TLinkOutline::LinkOf(*node);
  const QString question = DecodeCharset(texts_.Translate("ComfIdel"), kMessageCharset) +
                           QStringLiteral(" \"") + name + QStringLiteral("\"?");
  if (context_.AskDefaultNo && context_.AskDefaultNo(question)) LinkOutline1->DeleteSelected();
  UpdateButtons();
}

void TLinksPage::OpenLink() { LinkOutline1->OpenLink(); }

void TLinksPage::UpdateButtons() {
  ToolButton17->setEnabled(LinkOutline1->topLevelItemCount() > 0);
  ToolButton18->setEnabled(LinkOutline1->SelectedOpens());
}

}  // namespace lectora
