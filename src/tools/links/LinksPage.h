// The links page of the main window's left panel: the reader's link tree
// (LinkOutline1), its tool bar (ToolBar2: edit, new, delete and open) and
// its popup menu (PopupMenu7), with the commands they share. The tree is
// loaded from and saved to one file, "LinkTree.txt" of the setup folder.
#pragma once

#include <QWidget>
#include <string>

class QAction;
class QMenu;
class QToolBar;
class QToolButton;

namespace lectora {

class TInterfaceTexts;
class TLinkOutline;
struct TLinkContext;

class TLinksPage : public QWidget {
  Q_OBJECT

 public:
  // `context` (its dialog set) and `texts` must outlive the page;
  // `fileName` is where the tree is kept.
  TLinksPage(TLinkContext& context, const TInterfaceTexts& texts, std::string fileName,
             QWidget* parent = nullptr);

  // Where SaveTree writes, when not `fileName` (an installed copy keeps the
  // reader's tree in his own folder); empty: nothing is ever written, as on
  // a medium that cannot be written.
  void SetSaveFileName(std::string fileName) { saveFileName_ = std::move(fileName); }

  // Reads the tree (a missing file gives an empty one) and enables the
  // buttons for it.
  void LoadTree();
  // Writes the tree when it has changed since it was read; a file that
  // cannot be written is reported through the context's notice.
  void SaveTree();

  // ---- the commands ----
  void NewLink();
  void EditLink();
  void DeleteLink();
  void OpenLink();
  // PopupMenu7's items as the selected node allows them.
  void PopupMenu7Popup();

  const std::string& FileName() const { return fileName_; }
  TLinkOutline* LinkOutline1 = nullptr;
  QToolBar* ToolBar2 = nullptr;
  QToolButton* ToolButton17 = nullptr;  // edit link
  QToolButton* ToolButton14 = nullptr;  // new link
  QToolButton* ToolButton16 = nullptr;  // delete link
  QToolButton* ToolButton18 = nullptr;  // open link
  QMenu* PopupMenu7 = nullptr;

 private:
  enum class TPending { None, New, Edit };

  void CreateToolBar();
  void CreatePopupMenu();
  QAction* AddMenuItem(const char* name);
  void DialogAccepted();
  // ToolButton17 when the tree has items, ToolButton18 when the selected
  // node opens.
  void UpdateButtons();

  TLinkContext& context_;
  const TInterfaceTexts& texts_;
  std::string fileName_;
  std::string saveFileName_;
  TPending pending_ = TPending::None;
};

}  // namespace lectora
