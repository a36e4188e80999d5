// Finds the recording of a chapter: in the audio folder under its
// Bulgarian-style name, then under its English-style name; failing both,
// asks the reader for the file and, for a file that is not there, offers to
// download it. A file found by asking moves the audio folder to where it
// lies, so the next chapters are found without asking.
#pragma once

#include <QString>
#include <functional>

namespace lectora {

class IAudioFileDialog;
class TAudioDownload;

class TChapterFileFinder {
 public:
  static inline const QString kFilter = QStringLiteral("Audio files (*.mp3)|*.mp3");

  struct THooks {
    // The yes/no question with `text`, yes the default answer.
    std::function<bool(const QString& text)> AskYesNo;
    // The text of the download question ("BibliataAudio").
    std::function<QString()> DownloadQuestion;
    // The audio server's address (setting "AudioURL"); empty: no download
    // is offered.
    std::function<QString()> ServerAddress;
    // A download that failed, with its reason.
    std::function<void(const QString& text)> ShowInfo;
  };

  // `dialog` and `download` must outlive the finder.
  TChapterFileFinder(IAudioFileDialog& dialog, TAudioDownload& download, THooks hooks);

  // The audio folder, ending in "/" unless empty ("AudioPath").
  const QString& AudioFolder() const { return folder_; }
  void SetAudioFolder(const QString& folder);
  // Where the names are looked for while AudioFolder is empty.
  void SetDefaultFolder(const QString& folder) { defaultFolder_ = folder; }
  // AudioFolder, or the default folder while it is empty.
  QString SearchFolder() const;

  // The chapter's file, existing or fetched; empty when there is none
  // (the reader declined the download or it failed). `position` is 1..66.
  QString Find(int position, int chapter);
  // The file under either name when it exists; empty otherwise.
  QString Existing(int position, int chapter) const;

  // `name` fetched into `target` after the reader agreed; false when the
  // reader declined, no server is set, or the transfer failed.
  bool OfferDownload(const QString& name, const QString& target);

 private:
  // Step 3 of the search: the dialog, the download, the new folder.
  QString Ask(int position, int chapter);
  // The folder rule for a file the reader chose or fetched.
  void FollowFile(const QString& path, int position, int chapter);

  IAudioFileDialog& dialog_;
  TAudioDownload& download_;
  THooks hooks_;
  QString folder_;
  QString defaultFolder_;
};

}  // namespace lectora
