// The help pages of one language: a folder of HTML files with a contents
// page "index.html" and, somewhere in the pages, one anchor
// (<a name="Topic">) per help topic. The anchors are read once from the
// pages themselves, so a page added or moved needs no index of its own.
#pragma once

#include <QHash>
#include <QString>
#include <QUrl>

namespace lectora {

class THelpPages {
 public:
  static constexpr const char* kContentsPage = "index.html";

  // Reads the anchors of every "*.html" file in `folder` (with or without
  // a trailing separator). A folder without pages leaves Found() false.
  explicit THelpPages(const QString& folder);

  // True when the folder holds the contents page.
  bool Found() const { return found_; }
  const QString& Folder() const { return folder_; }
  // The contents page as a file address.
  QUrl Contents() const;
  // The page of `topic` with the topic as its fragment; the contents page
  // when no page has the topic (or for an empty topic).
  QUrl TopicUrl(const QString& topic) const;
  bool Has(const QString& topic) const { return anchors_.contains(topic); }

 private:
  void ReadAnchors(const QString& fileName);

  QString folder_;
  bool found_ = false;
  // Topic -> the file holding its anchor (the first file read wins).
  QHash<QString, QString> anchors_;
};

}  // namespace lectora
