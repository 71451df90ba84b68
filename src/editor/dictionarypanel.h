#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;
class TXDatabase;

// The dictionary's current entry with buttons to browse and edit the
// dictionary: the panel below the record form of the main window, and the
// editing panel of the dictionary window. Editing a field writes through to
// the entry; showing an entry never does.
class TDictionaryPanel : public QWidget {
  Q_OBJECT
 public:
  struct Options {
    // The dictionary window's names of the fields ("DBVokabel", "DBBedeutung").
    bool windowNames = false;
    // A button that plays the entry's recording (hidden until one is found).
    bool playButton = false;
    // The direction button always reads the short name of the direction.
    bool shortDirection = false;
  };

  TDictionaryPanel(TXDatabase& dictionary, Options options, QWidget* parent = nullptr);

  QLineEdit* dbVokabel;
  QPlainTextEdit* dbBedeutung;
  QComboBox* DBWortart;
  QToolButton* dFirst;
  QToolButton* dPrevious;
  QToolButton* Direction;
  QToolButton* dNext;
  QToolButton* dLast;
  QToolButton* dAdd;
  QToolButton* dDelete;
  QToolButton* bPlay = nullptr;

  // Fills the fields from the dictionary's current entry and the direction.
  void ShowEntry();
  // Shows or hides the play button (when there is one), with the file as hint.
  void ShowPlayButton(bool shown, const QString& hint = {});

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void connectControls();
  // Browsing needs a complete current entry (else the dictionary's warning).
  void browse(void (TXDatabase::*move)());
  void place();

  TXDatabase& dictionary_;
  Options options_;
  bool filling_ = false;
  QString longName_ = QStringLiteral("Spanisch-Deutsch");
  QString shortName_ = QStringLiteral("Spanisch-D");
};
