#pragma once

#include <QDialog>
#include <QImage>
#include <array>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTreeView;
class TBibliothek;

// The trainer's vocabulary settings dialog: every control writes its value
// into the library's query settings at once and the dialog shows how many
// records they make active. "OK" keeps the changes; "Abbrechen" (and closing
// the window) brings back the settings as they were when the dialog opened.
class TVEinstellungen : public QDialog {
  Q_OBJECT

 public:
  // Size of the score histogram picture.
  static constexpr int kHistogramWidth = 201;
  static constexpr int kHistogramHeight = 100;

  explicit TVEinstellungen(TBibliothek& library, QWidget* parent = nullptr);
  ~TVEinstellungen() override;

  // Shows the dialog modally; true when the learner confirmed with "OK".
  static bool Execute(TBibliothek& library, QWidget* parent = nullptr);

  // The explanation of a score range ("Es werden alle Vokabeln abgefragt. ...");
  // empty for a range without one.
  static QString ScoreExplanation(int minScore, int maxScore);
  // Draws the score histogram: grey background, the range MinScore..MaxScore
  // green, a grey line at the score 0 and a white bar for every score that
  // some of the records have, as high as their share of all records.
  static void DrawHistogram(QImage& image, const std::array<int, 201>& histogram, int records, int minScore,
                            int maxScore);
  // Flag picture of a record row: 0 German inactive, 1 German active,
  // 2 Spanish inactive, 3 Spanish active.
  static QImage Flag(int index);

  // Whether the settings make a query possible: some record is active and,
  // in random order, at least as many as one round asks (while no round size
  // was chosen, more than 5).
  bool Usable() const;
  // Repaints the record list and updates the count of active records, the
  // OK/not-OK picture and the histogram.
  void ShowActive();
  // The round-size track bar is in use only in random order with records.
  void ShowRoundSize();

  // The controls.
  QTreeView* Liste;
  QLabel* lInfo;
  QLabel* Maske0;  // "Einstellungen sind OK!"
  QLabel* Maske1;  // "Einstellungen sind NICHT OK!"
  std::array<QCheckBox*, 8> Wortart{};
  std::array<QCheckBox*, 5> SG{};
  QGroupBox* rRichtung;
  QButtonGroup* Richtung;
  QGroupBox* rSprache;
  QButtonGroup* Sprache;
  QSlider* TrackMultiple;
  QLabel* mPro;
  QLabel* ePro;
  QCheckBox* cKontext;
  QGroupBox* gProRunde;
  QSlider* TrackProRunde;
  QLabel* LProRunde;
  QGroupBox* Filter;
  QLineEdit* WertVon;
  QLineEdit* WertBis;
  QLabel* lScoreExpl;
  QLabel* lHistogram;
  QWidget* Histogram;
  QPushButton* Info;
  QPushButton* OK;
  QPushButton* Cancel;

  // The histogram as it is drawn now (empty without a logged-in learner).
  QImage HistogramImage() const;

 public Q_SLOTS:
  void reject() override;

 private:
  struct Snapshot;
  class RecordModel;

  void buildControls();
  void setFromSettings();
  void scoreEdited();
  void multipleChoiceLabels(int value);
  bool usable(int active) const;

  TBibliothek& library_;
  RecordModel* model_;
  std::unique_ptr<Snapshot> opened_;
  bool learner_;
  bool settingUp_ = false;
};
