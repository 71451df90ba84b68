#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>
#include <optional>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TBibliothek;

// "Bibliotheken auswählen": the vocabulary directory as a tree of folders and
// library files with check boxes. The ticked libraries form the selection
// list (paths relative to the vocabulary directory, compared without regard
// to case); "OK" writes it to the learner's list file "S_Bibliotheken.txt"
// and loads it, or the whole folder when exactly its libraries are ticked.
// Selections can be saved to and loaded from ".xsl" list files.
//
// Folders are read when they are first opened. A folder's check box is
// ticked when all library files directly in it are selected, half ticked
// when some are; ticking it selects or clears exactly those files.
class TFTree : public QDialog {
  Q_OBJECT

 public:
  enum Column { ColOrt = 0, ColBibliotheken = 1, ColAktiv = 2, ColVokabeln = 3 };

  explicit TFTree(TBibliothek& library, QWidget* parent = nullptr);
  ~TFTree() override;

  // Shows the dialog modally; true when the learner confirmed with "OK" and
  // the new selection was loaded.
  static bool Execute(TBibliothek& library, QWidget* parent = nullptr);

  // The lines of a list file that name libraries below the vocabulary
  // directory: trimmed, "/" written as "\", each once; empty lines and paths
  // that are absolute or contain ".." are left out. nullopt for a text that is
  // no list file at all (control characters, as in a binary file).
  static std::optional<QStringList> ParseList(const QString& text);

  // The selection list, one relative path per selected library.
  const QStringList& SelectionList() const { return list_; }
  // The node of the vocabulary directory.
  QTreeWidgetItem* RootItem() const;
  // The node of a folder or library (path relative to the vocabulary
  // directory, "\" or "/" between the parts, any case) among the nodes read
  // so far; the root for an empty path; nullptr when it was not read yet.
  QTreeWidgetItem* FindNode(const QString& relative) const;
  // Whether the folder's children were read.
  bool ChildrenRead(QTreeWidgetItem* item) const;

  // "Auswahl speichern" and "Auswahl laden" into and from the given file;
  // a failure is reported with a message, and a failed load keeps the list.
  bool SaveSelection(const QString& path);
  bool LoadSelection(const QString& path);
  // The folder that stands for the whole selection: the first folder below
  // the vocabulary directory all of whose libraries, and nothing else, are
  // selected. Empty when there is none; then the list file is the selection.
  QString SelectionName() const;

  // Asks for the file of "Auswahl speichern" (save true) or "Auswahl laden",
  // starting in the given directory; an empty result cancels. The file
  // dialogs by default; tests put their answer in.
  std::function<QString(bool save, const QString& startDir)> askFileName;

  QTreeWidget* Tree;
  QPushButton* OK;
  QPushButton* Cancel;
  QPushButton* LoadButton;
  QPushButton* SaveButton;

 public Q_SLOTS:
  // Writes the list file and loads the selection; a list file that cannot be
  // written is reported and the dialog stays open.
  void accept() override;

 private:
  class Node;

  Node* node(QTreeWidgetItem* item) const;
  Node* makeFolder(const QString& fullPath, const QString& relative, const QString& name);
  void readChildren(Node* folder);
  void fileToggled(Node* file, bool on);
  void folderToggled(Node* folder, bool on);
  void refreshFolder(Node* folder);
  void refreshAll();
  void itemChanged(QTreeWidgetItem* item, int column);
  void headerClicked(int section);
  void updateCaption();
  QString startDirectory() const;
  void saveClicked();
  void loadClicked();
  bool listed(const QString& relative) const;

  TBibliothek& library_;
  QString vocabularyDir_;
  QStringList list_;
  Node* root_ = nullptr;
  bool updating_ = false;
  bool sorted_ = false;
  Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};
