#pragma once

#include <QHash>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>

#include "editor/editorscheme.h"
#include "editor/editorsettings.h"
#include "editor/libraryediting.h"
#include "sound/txwavebase.h"

class Environment;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableView;
class QToolBar;
class TBibliothek;
class TDictionaryPanel;
class TEditorPreview;
class TEditorRecorder;
class TImport;
class TXReset;
class TLogin;
class TRecordForm;
class TRes;
class TSamplePlayer;
class TXPage;
class TXUserBase;
class TXDatabase;
class QPrinter;
class TXPrintDlg;
class TXWb;
class TZufall;
class DictionaryFileDialogs;
class RecordListModel;

// The editor's main window: the records of the open library as a list, the
// current record in a form, the library's notes, the dictionary panel, a
// preview of the record as an exercise, the recorder, and the commands of
// its menus and tool bar.
//
// The window works on the program's one library. The file dialogs and the
// small dialogs it opens can be replaced (the hooks below), so that the
// window can be driven without a person at the screen.
class TVEditor : public QMainWindow {
  Q_OBJECT
 public:
  struct Services {
    Environment& env;
    TBibliothek& library;
    TXUserBase& users;
    TLogin& login;
    TXDatabase& dictionary;  // loaded once by the program; the editor edits and saves it
    TXWaveBase& mainRecordings;  // the database the editor's recordings go to
    RecordingDatabases recordings;  // every database a text's recording is looked up in
    TSamplePlayer* player = nullptr;
    const TRes* reserve = nullptr;  // the basic vocabulary for the previews' wrong answers
  };

  explicit TVEditor(Services services, QWidget* parent = nullptr);
  ~TVEditor() override;

  // --- The parts of the window ---
  QToolBar* ABar;
  QTableView* Liste;
  TRecordForm* RP;
  QWidget* NP;
  QPlainTextEdit* LibInfo;
  TDictionaryPanel* WP;
  TXPage* XPage;
  // The four panels of the status bar: messages, record count, user, changes.
  QLabel* StatusPanel[4];
  // Every command by its action name ("FileNew", "EditSort", "PreviewEin", ...).
  QAction* Action(const QString& name) const;

  // --- Hooks for the dialogs ---
  // Open dialog for libraries (several files; the chosen paths or none).
  std::function<QStringList(const QString& directory)> chooseLibraries;
  // Open dialog for one library to append.
  std::function<QString(const QString& directory)> chooseLibrary;
  // Save dialog for a library (proposed name in, chosen path or empty out).
  std::function<QString(const QString& proposed)> chooseSaveName;
  // The search dialog: text and case flag, or nothing on Cancel.
  struct SearchRequest {
    QString text;
    bool caseSensitive = false;
  };
  std::function<std::optional<SearchRequest>(const SearchRequest& last)> askSearch;
  // The go-to dialog: the text typed, or nothing on Cancel.
  std::function<std::optional<QString>()> askGoTo;
  // Opens the recording database dialog at an entry with a file.
  std::function<void(const QString& text, const QString& file)> openRecordingDialog;
  // The import assistant and the reset dialog, answered (true for OK)
  // instead of being shown; the open dialog of the text file to import.
  std::function<bool(TImport& dialog)> importDialogAnswer;
  std::function<bool(TXReset& dialog)> resetDialogAnswer;
  std::function<QString(const QString& directory)> chooseImportFile;
  // The printer's set-up dialog (true when confirmed), the open dialog of a
  // card template, and the card dialog, driven instead of being shown.
  std::function<bool(QPrinter& printer)> setUpPrinter;
  std::function<QString(const QString& directory)> chooseCardTemplate;
  std::function<void(TXPrintDlg& dialog)> cardDialogShown;
  // The random-library dialog, answered (true for OK) instead of being shown.
  std::function<bool(TZufall& dialog)> randomDialogAnswer;
  // Where saving the dictionary at the end asks for another place; Qt's
  // file dialogs when not set.
  DictionaryFileDialogs* dictionaryDialogs = nullptr;

  // --- Commands ---
  void Clear();
  void FileNew();
  void FileOpen();
  void FileAdd();
  bool FileSave();
  bool FileSaveAs();
  void OpenRecent(int index);
  // Replaces the library with the files (the first replacing, the rest appended).
  void OpenFiles(const QStringList& files);
  // The unsaved-changes question; true when the command is to stop.
  bool SaveChCancelled();
  void EditSort();
  void EditMix();
  void EinVor();
  void EinNach();
  void EditDelVoc();
  void EditNoDoubles();
  void Umkehren(bool fromCurrent);
  void Suchen();
  void Weitersuchen();
  void GoToPos();
  void GoTo(const QString& text);
  void Preview(int kind);
  void PreviewCommand(const QString& command);
  void ScoreReset();
  // "Alle Vokabeln...": the reset dialog and the reset it asks for.
  void ScoreResetAllX();
  // "Importieren...": the import assistant, then the chosen text file.
  void ImportX();
  // "Anpassen...": the scheme dialog.
  void Anpassen();

  // --- The dictionary ---
  TXWb& DictionaryWindow() { return *wb_; }
  // Shows the dictionary entry of the current record.
  void LookUp();
  // Copies the shown dictionary entry into the current record.
  void CopyDBX();
  // "Bibliothek kontrollieren": starts the check, or asks a running one to stop.
  void BibliothekKontrollieren();
  // Checks the records from the current one on against the dictionary.
  void Kontrollieren();
  // The quick check: the same comparison without showing every record.
  void XPressCon();
  // Aligns the current record with its dictionary entry.
  void Kontexteabgleichen();
  // "Zufällig erzeugen...": a new library drawn from the dictionary.
  void RandomX();
  bool CheckRunning() const { return checkRunning_; }

  // --- Printing, on the editor's one printer ---
  // "Drucken...": the library as a list.
  void FilePrint();
  // "Karteikarten drucken...": the card dialog.
  void FilePrintCards();
  // "Druckereinstellungen...": the printer's set-up.
  bool FilePrintSetup();
  QPrinter& Printer();

  // --- The look ---
  // The scheme's colours and font on the window.
  void ApplyScheme();
  void SetColors();
  // The window's font (name, when not empty; size, when above 0; bold from
  // the scheme), given to the notes, the list and the tool bar too.
  void ApplyFont(const QString& name, int size);
  TElemente& Scheme() { return scheme_; }
  const QString& SchemeName() const { return schemeName_; }
  void SetWindowSize(int width, int height);
  void ShowHints(bool on);

  // --- Records ---
  // Makes a record current, unless the current one is incomplete and may
  // not be left (then the message is shown and false returned).
  bool SelectRecord(int index);
  // Whether the current record may be left for the record at index.
  bool MayLeaveFor(int index) const;
  void NextRecord();
  void PreviousRecord();
  int Current() const;
  // The playable recording of a text (for vPlay and the double-clicks):
  // plays it, or asks for the course disc. True when the text has a
  // recording (also when its disc is missing), so that callers trying
  // several texts stop there.
  bool PlayRecordingOf(const QString& text);

  TEditorRecorder& Recorder() { return *recorder_; }
  TEditorPreview& PreviewControl() { return *preview_; }
  const EditorSettings& Settings() const { return settings_; }

  // The window's end, also when it is not closed by the platform: every
  // question while the windows still exist, the learner's data saved, the
  // settings written. False when the author chose to stay.
  bool Finish();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createActions();
  void createMenus();
  void createToolBar();
  void createParts();
  void loadScheme();
  // Writes a changed unnamed scheme as "default.ed"; false (after the
  // message) when it could not be written.
  bool saveChangedScheme();
  void placeParts();
  void applyFontSize(int index);
  QAction* addAction(const QString& name, const QString& caption, const QKeySequence& key,
                     std::function<void()> run, bool enabled = true);
  void addLaterAction(const QString& name, const QString& caption, const QKeySequence& key = {});

  void showCurrent();
  // Makes a record current without asking (the caller has asked).
  void makeCurrent(int index);
  void afterLibraryChanged(int current);
  void refreshStatus();
  void refreshCaption();
  void refreshPosition();
  void refreshUserMenu();
  void refreshRecentFiles();
  void refreshEntryRecording();
  void addRecent(const QString& file);
  bool loadReplacing(const QString& file, bool askOnMalformed);
  // After a library was read: the learner's scores, the list, the caption.
  void libraryLoaded(int current);
  // Whether a library file can be opened (else the message says so).
  static bool readable(const QString& file);
  bool saveTo(const QString& path);
  // Selects the first incomplete record and says why nothing is saved.
  bool refuseIncomplete();
  bool handleKey(QObject* watched, QKeyEvent* key);
  void focusNextControl(QWidget* from);
  void userChanged();
  void recordingSaved(const QString& file);
  void releaseOnce();
  QString libraryDialogDirectory() const;
  void createDictionaryWindow();
  bool AlwaysLookupOn() const;
  bool AutomaticOn() const;
  // The last record the checks look at (the trailing empty record excluded).
  int lastRecordToCheck() const;
  // False (with the message) when the current record is incomplete.
  bool mayStartCheck() const;
  // The printer as chosen in this session; the set-up first, the first time.
  bool printerReady();
  // The check's answer to meanings that differ: false when the author said No.
  bool extendMeanings(QString recordOnly, QString entryOnly);
  bool noHomonymAround() const;
  void lockForCheck(bool on);
  void playAroundCursor(const QString& text, int position, const QString& selected);

  Services services_;
  EditorSettings settings_;
  RecordListModel* model_ = nullptr;  // owned by the list
  std::unique_ptr<TEditorPreview> preview_;
  TEditorRecorder* recorder_ = nullptr;
  QHash<QString, QAction*> actions_;
  QList<QAction*> recentActions_;
  LibraryEditing::SearchState search_;
  QString pageFolder_;
  bool selecting_ = false;
  bool hintsOn_ = true;
  bool released_ = false;
  bool outerSizeApplied_ = false;
  QString entryRecording_;
  TXWb* wb_ = nullptr;
  std::unique_ptr<QPrinter> printer_;
  bool printerConfirmed_ = false;  // the author has chosen a printer in this session
  bool copyRunning_ = false;
  bool checkRunning_ = false;
  bool abortRequested_ = false;
  QList<QAction*> lockedActions_;
  TElemente scheme_;
  QString schemeName_ = EditorScheme::kDefaultName;
};
