// The reader's own link tree (TLinkOutline): a tree of captions, each node
// with an optional link text the desktop can open (a file, a web address,
// anything the shell accepts); nodes with children are folders. It keeps a
// modified flag and loads and saves the tree as "LinkTree.txt"
// (store/LinkTreeFile.h). Items are numbered 1..ItemCount() in display
// order (parents before their children); the selected item is the current
// one.
#pragma once

#include <QString>
#include <QTreeWidget>
#include <string>
#include <vector>

#include "store/LinkTreeFile.h"

namespace lectora {

class IShellOpen;

class TLinkOutline : public QTreeWidget {
  Q_OBJECT

 public:
  // Where InsertLink puts the new node, relative to the selected one.
  static constexpr int kInsert = 0;    // before it, on its level
  static constexpr int kAdd = 1;       // after its last sibling
  static constexpr int kAddChild = 2;  // after its last child

  explicit TLinkOutline(QWidget* parent = nullptr);

  // Opens links through `shell` (not owned, may be null: nothing opens);
  // it must outlive the control.
  void SetShell(IShellOpen* shell) { shell_ = shell; }

  // Replaces the tree with the file's; a missing file gives an empty tree.
  // Clears Modified. `raisedLines` (may be null) receives the lines that
  // stood too deep (TLinkTreeContent::RaisedLines).
  void LoadFromFile(const std::string& fileName, std::vector<int>* raisedLines = nullptr);
  // Writes the tree unless it is unmodified; true when it was written, and
  // Modified is then cleared. Throws LectoraError naming the file when it
  // cannot be written; the old file is untouched and Modified stays set.
  bool SaveToFile(const std::string& fileName);
  // The tree as the file holds it, and back (clears Modified).
  std::vector<TLinkTreeNode> Nodes() const;
  void SetNodes(const std::vector<TLinkTreeNode>& nodes);

  // Nothing when `caption` is empty. Otherwise a new node (with `link`, or
  // none when empty) is put where `mode` says relative to the selected
  // node, or at the end of the top level when none is selected; it is
  // shown, selected, and Modified is set.
  void InsertLink(const QString& caption, const QString& link, int mode);
  // REQUIRES: a selected node. Gives it `caption` and `link` (none when
  // empty); Modified is set when the caption changes or either old or new
  // link exists.
  void EditNode(const QString& caption, const QString& link);
  // Deletes the selected node with its children (nothing when none);
  // Modified is set.
  void DeleteSelected();
  // Asks the shell to open the selected node's link when it has no
  // children and a link; true when it was handed over.
  bool OpenLink();

  bool Modified() const { return modified_; }
  int ItemCount() const;
  // The selected node, or null.
  QTreeWidgetItem* SelectedNode() const { return currentItem(); }
  QString SelectedCaption() const;
  QString SelectedLink() const;
  // True when the selected node has no children and a link.
  bool SelectedOpens() const;
  // Of item `index` (1-based, display order); empty outside 1..ItemCount().
  QString Caption(int index) const;
  QString Link(int index) const;
  // The link of `item`, empty for none.
  static QString LinkOf(const QTreeWidgetItem& item);

 Q_SIGNALS:
  // Double click or Enter: the selected link is to be opened.
  void OpenRequested();
  // The Delete key: the selected node is to be deleted.
  void DeleteRequested();
  // A mouse button was released over the tree.
  void MouseReleased();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QTreeWidgetItem* ItemAt(int index) const;
  QTreeWidgetItem* NewItem(const QString& caption, const QString& link) const;
  void Place(QTreeWidgetItem* item, int mode);

  IShellOpen* shell_ = nullptr;
  bool modified_ = false;
};

}  // namespace lectora
