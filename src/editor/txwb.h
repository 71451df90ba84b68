#pragma once

#include <QHash>
#include <QMainWindow>
#include <functional>

class DictionaryFileDialogs;
class Environment;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QToolButton;
class TDictionaryPanel;
class TXDatabase;

// The editor's dictionary window: searching, browsing and maintaining the
// dictionary, beside the main window. It follows every change of the
// dictionary (DBChanged) and, at the program's end, asks whether the changed
// dictionary is to be saved and records where it went.
//
// The window only hides when it is closed; it lives as long as the editor.
class TXWb : public QMainWindow {
  Q_OBJECT
 public:
  struct Services {
    TXDatabase& dictionary;
    Environment& env;
    // The recording of a text (empty when there is none), and playing it
    // (false when there is none or the course disc is needed).
    std::function<QString(const QString& text)> findRecording;
    std::function<bool(const QString& text)> playRecording;
  };

  static constexpr int kWidth = 600;
  static constexpr int kMaxWidth = 1024;
  static constexpr int kHeight = 311;
  static constexpr int kPanelWidth = 240;

  explicit TXWb(Services services, QWidget* parent = nullptr);
  ~TXWb() override;

  // --- The parts ---
  QWidget* Panel1;
  QPushButton* xSuchen;
  QPushButton* xBearbeiten;
  QPushButton* xBlaettern;
  QToolButton* PanelDirection;
  QWidget* SuchenPanel;
  QLineEdit* Suchen;
  QGroupBox* Sprache;
  QRadioButton* SpracheSpanisch;
  QRadioButton* SpracheDeutsch;
  QCheckBox* NurGanze;
  QPushButton* SuchButton;
  TDictionaryPanel* BearbeitenPanel;
  QWidget* StichwortPanel;
  QLineEdit* Stichwort;
  QWidget* GridPanel;
  QLabel* Ergebnis;
  QTableWidget* Grid;

  // The window's commands by name: "WbSort", "WbCheck", "WbDuplicates",
  // "WbImport", "WbClear", "WbClose".
  QAction* Action(const QString& name) const { return actions_.value(name); }
  // Every command of the window's menus, the special characters included.
  QList<QAction*> Actions() const;

  // The dictionary's change notification: caption, panels, direction.
  void DBChanged();
  // The results of the last search or lookup in the grid.
  void DisplaySearchResults();
  // Shows one of the three panels and switches off its button; with
  // focus, the panel's first field takes the focus.
  void ShowPanel(QWidget* panel, bool focus = false);
  // "Suchen!": the text of the search field in the current direction.
  void Search();

  // The program's end: the question whether to save a changed dictionary,
  // the saving, and the files' names in the settings for the next start.
  // Runs once.
  void SaveAtEnd(DictionaryFileDialogs& dialogs);

 Q_SIGNALS:
  // After every DBChanged: the main window shows the entry too.
  void EntryShown();
  void Hidden();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The dictionary's notification, marked as this window's.
  struct Notifier {
    TXWb* window;
    void operator()() const { window->DBChanged(); }
  };

  struct Row {
    int direction = 0;
    QString word;
    QString meaning;
  };

  void createPanels();
  void createMenus();
  void placeParts();
  void rowSelected(int row);
  void playRow(int row);
  void refreshRecording();

  Services services_;
  QHash<QString, QAction*> actions_;
  QList<QAction*> characterActions_;
  QList<Row> rows_;
  bool filling_ = false;
  bool saved_ = false;
};
