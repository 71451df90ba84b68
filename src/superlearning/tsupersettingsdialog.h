#pragma once

#include <QColor>
#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;
class TSuperOptions;
class TXPage;

// "ZVK Superlearning - Einstellungen": every option of the presentations
// and the Las Vegas game on nine tabs. The options change on "&OK" (and
// "&Zurücksetzen" puts the defaults in at once); the music's volume and
// folder act at once and come back on "&Abbrechen", Esc or closing.
// The techno tab previews its look as a small page.
class TSuperSettingsDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TSuperSettingsDialog(TSuperOptions& options, QWidget* parent = nullptr);
  // Stops the music and saves the options when they changed.
  ~TSuperSettingsDialog() override;

  // Page command "superopts": the dialog, modal; true when the speech switch changed.
  static bool Execute(TSuperOptions& options, QWidget* parent);

  // The three buttons.
  void Ok();
  void Cancel() { reject(); }
  void Reset();
  // Esc, the window's close button and "&Abbrechen": the volume and folder as at the opening.
  void reject() override;
  // The techno preview, as it is shown.
  QString PreviewMarkup() const;

  // The file and colour choices (tests answer them): a file of the filter
  // in a folder, a colour from a start colour; empty / invalid: cancelled.
  std::function<QString(const QString& folder, const QString& filter)> ChooseFile;
  std::function<QColor(const QColor& start)> ChooseColour;

  static inline const QString kCaption = QStringLiteral("ZVK Superlearning - Einstellungen");
  static inline const QString kRandomPage = QStringLiteral("<nach Zufallsprinzip>");
  static inline const QString kNoMusicDir = QStringLiteral("MP3-Verzeichnis existiert nicht!");
  static inline const QString kNoMp3 = QStringLiteral("Keine MP3-Dateien gefunden!");

 private:
  struct Slider {
    QSlider* slider = nullptr;
    QLabel* value = nullptr;
  };
  QWidget* klassischTab();
  QWidget* abgedrehtTab();
  QWidget* technoLookTab();
  QWidget* technoAnimationTab();
  QWidget* ddTab();
  QWidget* vegasTab();
  QWidget* airportTab();
  QWidget* audioTab();
  QWidget* super3dTab();
  Slider slider(const QString& name, int minimum, int maximum, int ticks, const std::function<QString(int)>& label);
  QPushButton* swatch(const QString& name, const QString& hint = {});
  QComboBox* fontList(const QString& name);
  QGroupBox* sliderGroup(const Slider& s, const QString& title, const QString& low, const QString& high);
  // The background page, its automatic change and the interval, as a group.
  QGroupBox* intervalControls(QComboBox*& file, QCheckBox*& automatic, QComboBox*& interval, const QString& prefix);

  void fill();
  void store();
  void setSwatch(QPushButton* button, const QColor& colour);
  QColor swatchColour(const QPushButton* button) const;
  void pickColour(QPushButton* button);
  void showMusicCount();
  void testMusic();
  void chooseMusicDir();
  void choosePictureDir();

  TSuperOptions& options_;
  int openingVolume_ = 0;
  QString openingMusicDir_;

  QTabWidget* tabs_ = nullptr;
  Slider klassik_, pause_, textDelay_, madness_, transparency_, border_, frameDelay_, speed_, ddText_, ddChar_,
      vegas_, airChar_, airB_, airPause_, volume_;
  QComboBox *klassikFont_ = nullptr, *technoFont_ = nullptr, *vFont_ = nullptr, *bFont_ = nullptr;
  QCheckBox *blackWhite_ = nullptr, *noBackground_ = nullptr, *speech_ = nullptr, *music_ = nullptr;
  QPushButton *wirbelBackground_ = nullptr, *wirbelText_ = nullptr, *technoBackground_ = nullptr,
              *technoText_ = nullptr, *technoPicture_ = nullptr, *s3dBackground_ = nullptr, *s3dText_ = nullptr;
  QLineEdit *technoDir_ = nullptr, *musicDir_ = nullptr;
  QComboBox *effect_ = nullptr, *textDelaySeconds_ = nullptr;
  QRadioButton *hardCut_ = nullptr, *fading_ = nullptr, *scrolling_ = nullptr, *still_ = nullptr;
  QComboBox *ddFile_ = nullptr, *ddInterval_ = nullptr, *airFile_ = nullptr, *airInterval_ = nullptr;
  QCheckBox *ddAutomatic_ = nullptr, *airAutomatic_ = nullptr;
  QPushButton *musicTest_ = nullptr;
  QLabel* musicInfo_ = nullptr;
  TXPage* preview_ = nullptr;
  bool filling_ = false;
};
