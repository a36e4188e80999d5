#include "tools/links/LinkOutline.h"

#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <algorithm>

#include "tools/help/ShellOpen.h"

namespace lectora {

namespace {

constexpr int kLinkRole = Qt::UserRole;

int LevelOf(const QTreeWidgetItem& item) {
  int level = 1;
  for (const QTreeWidgetItem* up = item.parent(); up != nullptr; up = up->parent()) ++level;
  return level;
}

// What the desktop is asked to open: an absolute path as a file, anything
// with a scheme as it stands ("https:", "mailto:", "file:"), a path
// relative to the working folder when such a file exists, else the
// toolkit's guess at a web address.
QUrl LinkUrl(const QString& link) {
  const QString text = link.trimmed();
  if (text.startsWith(QLatin1Char('/'))) return QUrl::fromLocalFile(text);
  if (text.startsWith(QStringLiteral("~/"))) {
    return QUrl::fromLocalFile(QDir::homePath() + text.mid(1));
  }
  return QUrl::fromUserInput(text, QDir::currentPath());
}

}  // namespace

TLinkOutline::TLinkOutline(QWidget* parent) : QTreeWidget(parent) {
  setColumnCount(1);
  setHeaderHidden(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformRowHeights(true);
  connect(this, &QTreeWidget::itemDoubleClicked, this, [this] { Q_EMIT OpenRequested(); });
}

void TLinkOutline::LoadFromFile(const std::string& fileName, std::vector<int>* raisedLines) {
  TLinkTreeContent content;
  ReadLinkTreeFile(fileName, content);
  SetNodes(content.Nodes);
  if (raisedLines != nullptr) *raisedLines = std::move(content.RaisedLines);
}

bool TLinkOutline::SaveToFile(const std::string& fileName) {
  if (!modified_) return false;
  WriteLinkTreeFile(fileName, Nodes());
  modified_ = false;
  return true;
}

std::vector<TLinkTreeNode> TLinkOutline::Nodes() const {
  std::vector<TLinkTreeNode> nodes;
  for (QTreeWidgetItemIterator it(const_cast<TLinkOutline*>(this)); *it != nullptr; ++it) {
    nodes.push_back({LevelOf(**it), (*it)->text(0).toStdString(), LinkOf(**it).toStdString()});
  }
  return nodes;
}

void TLinkOutline::SetNodes(const std::vector<TLinkTreeNode>& nodes) {
  clear();
  modified_ = false;
  QList<QTreeWidgetItem*> tops;
  // The last node of each level above the one being placed.
  std::vector<QTreeWidgetItem*> path;
  for (const TLinkTreeNode& node : nodes) {
    const auto level = static_cast<std::size_t>(
        std::clamp<long long>(node.Level, 1, static_cast<long long>(path.size()) + 1));
    path.resize(level - 1);
    QTreeWidgetItem* item =
        NewItem(QString::fromStdString(node.Caption), QString::fromStdString(node.Link));
    if (path.empty()) {
      tops.push_back(item);
    } else {
      path.back()->addChild(item);
    }
    path.push_back(item);
  }
  addTopLevelItems(tops);
}

QTreeWidgetItem* TLinkOutline::NewItem(const QString& caption, const QString& link) const {
  auto* item = new QTreeWidgetItem(QStringList{caption});
  if (!link.isEmpty()) item->setData(0, kLinkRole, link);
  return item;
}

void TLinkOutline::InsertLink(const QString& caption, const QString& link, int mode) {
  if (caption.isEmpty()) return;
  QTreeWidgetItem* item = NewItem(caption, link);
  Place(item, mode);
  for (QTreeWidgetItem* up = item->parent(); up != nullptr; up = up->parent()) {
    up->setExpanded(true);
  }
  setCurrentItem(item);
  scrollToItem(item);
  modified_ = true;
  viewport()->update();
}

void TLinkOutline::Place(QTreeWidgetItem* item, int mode) {
  QTreeWidgetItem* selected = currentItem();
  if (selected == nullptr) {
    addTopLevelItem(item);
    return;
  }
  if (mode == kAddChild) {
    selected->addChild(item);
    return;
  }
  QTreeWidgetItem* parent = selected->parent();
  if (mode == kInsert) {
    if (parent != nullptr) {
      parent->insertChild(parent->indexOfChild(selected), item);
    } else {
      insertTopLevelItem(indexOfTopLevelItem(selected), item);
    }
  } else if (parent != nullptr) {
    parent->addChild(item);
  } else {
    addTopLevelItem(item);
  }
}

void TLinkOutline::EditNode(const QString& caption, const QString& link) {
  QTreeWidgetItem* selected = currentItem();
  if (selected == nullptr) return;
  if (selected->text(0) != caption) modified_ = true;
  selected->setText(0, caption);
  if (!LinkOf(*selected).isEmpty() || !link.isEmpty()) modified_ = true;
  if (link.isEmpty()) {
    selected->setData(0, kLinkRole, QVariant());
  } else {
    selected->setData(0, kLinkRole, link);
  }
}

void TLinkOutline::DeleteSelected() {
  QTreeWidgetItem* selected = currentItem();
  if (selected == nullptr) return;
  delete selected;
  modified_ = true;
}

bool TLinkOutline::OpenLink() {
  if (!SelectedOpens() || shell_ == nullptr) return false;
  return shell_->Open(LinkUrl(SelectedLink()));
}

int TLinkOutline::ItemCount() const {
  int count = 0;
  for (QTreeWidgetItemIterator it(const_cast<TLinkOutline*>(this)); *it != nullptr; ++it) ++count;
  return count;
}

QString TLinkOutline::SelectedCaption() const {
  return currentItem() != nullptr ? currentItem()->text(0) : QString();
}

QString TLinkOutline::SelectedLink() const {
  return currentItem() != nullptr ? LinkOf(*currentItem()) : QString();
}

bool TLinkOutline::SelectedOpens() const {
  const QTreeWidgetItem* selected = currentItem();
  return selected != nullptr && selected->childCount() == 0 && !LinkOf(*selected).isEmpty();
}

QTreeWidgetItem* TLinkOutline::ItemAt(int index) const {
  if (index < 1) return nullptr;
  int position = 0;
  for (QTreeWidgetItemIterator it(const_cast<TLinkOutline*>(this)); *it != nullptr; ++it) {
    if (++position == index) return *it;
  }
  return nullptr;
}

QString TLinkOutline::Caption(int index) const {
  const QTreeWidgetItem* item = ItemAt(index);
  return item != nullptr ? item->text(0) : QString();
}

QString TLinkOutline::Link(int index) const {
  const QTreeWidgetItem* item = ItemAt(index);
  return item != nullptr ? LinkOf(*item) : QString();
}

QString TLinkOutline::LinkOf(const QTreeWidgetItem& item) {
  return item.data(0, kLinkRole).toString();
}

void TLinkOutline::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      Q_EMIT OpenRequested();
      return;
    case Qt::Key_Delete:
      Q_EMIT DeleteRequested();
      return;
    default:
      QTreeWidget::keyPressEvent(event);
  }
}

void TLinkOutline::mouseReleaseEvent(QMouseEvent* event) {
  QTreeWidget::mouseReleaseEvent(event);
  Q_EMIT MouseReleased();
}

}  // namespace lectora
