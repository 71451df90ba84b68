#include "superlearning/tsupersettingsdialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

#include "common/filelookup.h"
#include "common/messagebox.h"
#include "pages/txpage.h"
#include "sound/music.h"
#include "superlearning/supersettingsconversions.h"
#include "superlearning/tsuperoptions.h"

namespace C = SuperSettingsConversions;
using O = SuperOption;

namespace {

const QStringList kEffects = {QStringLiteral("Normal"),     QStringLiteral("Schwarz 1"),  QStringLiteral("Schwarz 2"),
                              QStringLiteral("Weiß 1"),     QStringLiteral("Weiß 2"),     QStringLiteral("Monochome "),
                              QStringLiteral("Monochrome Neg."), QStringLiteral("Farbe"), QStringLiteral("Farbe Neg.")};
const QStringList kSeconds = {QStringLiteral("0,5"), QStringLiteral("1,0"), QStringLiteral("1,5"), QStringLiteral("2,0"),
                              QStringLiteral("2,5"), QStringLiteral("3,0"), QStringLiteral("3,5"), QStringLiteral("4,0"),
                              QStringLiteral("5,0"), QStringLiteral("6,0"), QStringLiteral("7,0"), QStringLiteral("8,0")};
const QStringList kIntervals = {QStringLiteral("30 Sekunden"), QStringLiteral("1 Minute"),   QStringLiteral("2 Minuten"),
                                QStringLiteral("3 Minuten"),   QStringLiteral("4 Minuten"),  QStringLiteral("5 Minuten"),
                                QStringLiteral("10 Minuten"),  QStringLiteral("20 Minuten")};
const QString kColourHint = QStringLiteral("Nur relevant wenn Transparenz kleiner als 100%");

QGroupBox* group(const QString& title, QLayout* content) {
  auto* box = new QGroupBox(title);
  box->setLayout(content);
  return box;
}

// A slider between its two end words.
QWidget* withEnds(QWidget* control, const QString& low, const QString& high) {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new QLabel(low));
  layout->addWidget(control, 1);
  layout->addWidget(new QLabel(high));
  return row;
}

QVBoxLayout* column(QWidget* page) {
  auto* layout = new QVBoxLayout(page);
  layout->setSpacing(8);
  return layout;
}

void selectFont(QComboBox* list, const QString& font) {
  int i = list->findText(font, Qt::MatchFixedString);
  // A font the system no longer has stays the option's until another is chosen.
  if (i < 0 && !font.isEmpty()) {
    list->insertItem(0, font);
    i = 0;
  }
  list->setCurrentIndex(i);
}

}  // namespace

TSuperSettingsDialog::TSuperSettingsDialog(TSuperOptions& options, QWidget* parent)
    : QDialog(parent), options_(options) {
  setWindowTitle(kCaption);
  openingVolume_ = options_.Music().Volume();
  openingMusicDir_ = options_.Music().Directory();
  ChooseFile = [this](const QString& folder, const QString& filter) {
    return QFileDialog::getOpenFileName(this, QString(), folder, filter);
  };
  ChooseColour = [this](const QColor& start) { return QColorDialog::getColor(start, this); };

  tabs_ = new QTabWidget;
  tabs_->setObjectName(QStringLiteral("PC"));
  tabs_->addTab(klassischTab(), QStringLiteral("klassisch"));
  tabs_->addTab(abgedrehtTab(), QStringLiteral("abgedreht"));
  tabs_->addTab(technoLookTab(), QStringLiteral("techno - optik"));
  tabs_->addTab(technoAnimationTab(), QStringLiteral("techno - animation"));
  tabs_->addTab(ddTab(), QStringLiteral("DD"));
  tabs_->addTab(vegasTab(), QStringLiteral("las vegas"));
  tabs_->addTab(airportTab(), QStringLiteral("airport"));
  tabs_->addTab(audioTab(), QStringLiteral("audio"));
  tabs_->addTab(super3dTab(), QStringLiteral("Super3D"));
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
    if (index == 2) preview_->ShowText(PreviewMarkup());
  });

  auto* ok = new QPushButton(QStringLiteral("&OK"));
  ok->setObjectName(QStringLiteral("bOK"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("&Abbrechen"));
  cancel->setObjectName(QStringLiteral("Button3"));
  auto* reset = new QPushButton(QStringLiteral("&Zurücksetzen"));
  reset->setObjectName(QStringLiteral("Button4"));
  connect(ok, &QPushButton::clicked, this, &TSuperSettingsDialog::Ok);
  connect(cancel, &QPushButton::clicked, this, &TSuperSettingsDialog::Cancel);
  connect(reset, &QPushButton::clicked, this, &TSuperSettingsDialog::Reset);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(reset);
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addLayout(buttons);
  fill();
  tabs_->setCurrentIndex(7);  // "audio"
  // An 800 x 600 screen holds it with its buttons.
  resize(780, 480);
}

TSuperSettingsDialog::~TSuperSettingsDialog() {
  options_.Music().StopMusic();
  options_.SaveIfModified();
}

bool TSuperSettingsDialog::Execute(TSuperOptions& options, QWidget* parent) {
  const bool speech = options.Flag(O::Sprachausgabe);
  {
    TSuperSettingsDialog dialog(options, parent);
    dialog.exec();
  }
  return options.Flag(O::Sprachausgabe) != speech;
}

// --- The controls ---

TSuperSettingsDialog::Slider TSuperSettingsDialog::slider(const QString& name, int minimum, int maximum, int ticks,
                                                          const std::function<QString(int)>& label) {
  Slider s{new QSlider(Qt::Horizontal), new QLabel};
  s.slider->setObjectName(name);
  s.slider->setRange(minimum, maximum);
  if (ticks > 0) {
    s.slider->setTickInterval(ticks);
    s.slider->setTickPosition(QSlider::TicksBelow);
  }
  s.value->setMinimumWidth(90);
  connect(s.slider, &QSlider::valueChanged, s.value, [value = s.value, label](int v) { value->setText(label(v)); });
  return s;
}

QPushButton* TSuperSettingsDialog::swatch(const QString& name, const QString& hint) {
  auto* button = new QPushButton;
  button->setObjectName(name);
  button->setFixedSize(64, 24);
  button->setToolTip(hint);
  connect(button, &QPushButton::clicked, this, [this, button] { pickColour(button); });
  return button;
}

QComboBox* TSuperSettingsDialog::fontList(const QString& name) {
  auto* list = new QComboBox;
  list->setObjectName(name);
  list->addItems(QFontDatabase::families());
  return list;
}

void TSuperSettingsDialog::setSwatch(QPushButton* button, const QColor& colour) {
  button->setProperty("colour", colour);
  button->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid #808080;").arg(colour.name()));
}

QColor TSuperSettingsDialog::swatchColour(const QPushButton* button) const { return button->property("colour").value<QColor>(); }

void TSuperSettingsDialog::pickColour(QPushButton* button) {
  const QColor chosen = ChooseColour ? ChooseColour(swatchColour(button)) : QColor();
  if (!chosen.isValid()) return;
  setSwatch(button, chosen);
  if (tabs_->currentIndex() == 2) preview_->ShowText(PreviewMarkup());
}

QWidget* TSuperSettingsDialog::klassischTab() {
  auto* page = new QWidget;
  auto* layout = column(page);
  klassik_ = slider(QStringLiteral("TrackBar"), 20, 500, 20, [](int v) { return QString::number(v) + QStringLiteral(" Schritte"); });
  klassik_.value->setObjectName(QStringLiteral("lblSteps"));
  layout->addWidget(sliderGroup(klassik_, QStringLiteral(" Überblendung "), QStringLiteral("langsam"), QStringLiteral("schnell")));
  klassikFont_ = fontList(QStringLiteral("Schriften"));
  auto* font = new QHBoxLayout;
  font->addWidget(klassikFont_);
  layout->addWidget(group(QStringLiteral(" Schriftart "), font));
  blackWhite_ = new QCheckBox(QStringLiteral("Schwarz-Weiß"));
  blackWhite_->setObjectName(QStringLiteral("cKlassikBW"));
  noBackground_ = new QCheckBox(QStringLiteral("ohne Hintergrund"));
  noBackground_->setObjectName(QStringLiteral("cKlassikNoBGR"));
  auto* choices = new QHBoxLayout;
  choices->addWidget(blackWhite_);
  choices->addWidget(noBackground_);
  choices->addStretch(1);
  layout->addWidget(group(QStringLiteral(" Optionen "), choices));
  layout->addStretch(1);
  return page;
}

QWidget* TSuperSettingsDialog::abgedrehtTab() {
  auto* page = new QWidget;
  auto* layout = column(page);
  auto* description = new QLabel(QStringLiteral(
      "Dieser Modus richtet sich in erster Linie an Fortgeschrittene. Durch die (einstellbare) typographische "
      "Verfremdung werden kognitive und assoziative Aspekte beim Lernen verstärkt, wodurch die Vokabeln leichter und "
      "effizienter erfaßt werden."));
  description->setWordWrap(true);
  layout->addWidget(description);
  const auto row = [&](Slider& s, const QString& name, const QString& label, int lo, int hi, int ticks,
                       const QString& title, const QString& low, const QString& high,
                       const std::function<QString(int)>& text) {
    s = slider(name, lo, hi, ticks, text);
    s.value->setObjectName(label);
    layout->addWidget(sliderGroup(s, title, low, high));
  };
  const auto percent = [](int v) { return QString::number(v) + QStringLiteral(" Prozent"); };
  row(pause_, QStringLiteral("trPause"), QStringLiteral("lblPause"), 50, 300, 50, QStringLiteral(" Geschwindigkeit "),
      QStringLiteral("schnell"), QStringLiteral("langsam"), percent);
  row(textDelay_, QStringLiteral("trTextDelay"), QStringLiteral("lblTextdelay"), 0, 100, 20,
      QStringLiteral(" Textverzögerung "), QStringLiteral("keine"), QStringLiteral("viel"), percent);
  row(madness_, QStringLiteral("trMadness"), QStringLiteral("lblMadness"), 1, 10, 1, QStringLiteral(" Abgedrehtheit "),
      QStringLiteral("minimal"), QStringLiteral("maximal"), [](int v) { return QStringLiteral("Stufe ") + QString::number(v); });
  wirbelBackground_ = swatch(QStringLiteral("WirbelBGR"), kColourHint);
  wirbelText_ = swatch(QStringLiteral("WirbelTXT"));
  auto* colours = new QHBoxLayout;
  colours->addWidget(new QLabel(QStringLiteral("Hintergrund:")));
  colours->addWidget(wirbelBackground_);
  colours->addSpacing(16);
  colours->addWidget(new QLabel(QStringLiteral("Schrift:")));
  colours->addWidget(wirbelText_);
  colours->addStretch(1);
  layout->addWidget(group(QStringLiteral(" Farben "), colours));
  layout->addStretch(1);
  return page;
}

QWidget* TSuperSettingsDialog::technoLookTab() {
  auto* page = new QWidget;
  auto* layout = column(page);
  technoDir_ = new QLineEdit;
  technoDir_->setObjectName(QStringLiteral("eTechnoDir"));
  auto* browse = new QPushButton(QStringLiteral("Durchsuchen..."));
  browse->setObjectName(QStringLiteral("Button5"));
  connect(browse, &QPushButton::clicked, this, &TSuperSettingsDialog::choosePictureDir);
  auto* dir = new QHBoxLayout;
  dir->addWidget(new QLabel(QStringLiteral("Verzeichnis der Bilder:")));
  dir->addWidget(technoDir_, 1);
  dir->addWidget(browse);
  layout->addLayout(dir);

  auto* form = new QFormLayout;
  transparency_ = slider(QStringLiteral("trTransparenz"), 0, 100, 50, [](int v) { return QString::number(v) + QStringLiteral(" Prozent"); });
  transparency_.value->setObjectName(QStringLiteral("lblTransparenz"));
  auto* t = new QHBoxLayout;
  t->addWidget(transparency_.slider, 1);
  t->addWidget(transparency_.value);
  form->addRow(QStringLiteral("Transparenz: "), t);
  technoFont_ = fontList(QStringLiteral("TechnoSchriften"));
  form->addRow(QStringLiteral("Schrift: "), technoFont_);
  border_ = slider(QStringLiteral("trRand"), 0, 200, 50, [](int v) { return QString::number(v) + QStringLiteral(" Pixel"); });
  border_.value->setObjectName(QStringLiteral("lblRand"));
  auto* b = new QHBoxLayout;
  b->addWidget(border_.slider, 1);
  b->addWidget(border_.value);
  form->addRow(QStringLiteral("Rand: "), b);
  effect_ = new QComboBox;
  effect_->setObjectName(QStringLiteral("TransparenzModus"));
  effect_->addItems(kEffects);
  form->addRow(QStringLiteral("Effekt: "), effect_);

  technoBackground_ = swatch(QStringLiteral("colorBGR"), kColourHint);
  technoText_ = swatch(QStringLiteral("colorText"));
  technoPicture_ = swatch(QStringLiteral("colorBMP"), QStringLiteral("nur relevant in einem Farb-Modus"));
  auto* colours = new QFormLayout;
  colours->addRow(QStringLiteral("Hintergrund:"), technoBackground_);
  colours->addRow(QStringLiteral("Schrift:"), technoText_);
  colours->addRow(QStringLiteral("Bilder:"), technoPicture_);
  preview_ = new TXPage;
  preview_->setObjectName(QStringLiteral("XPreview"));
  preview_->setFixedSize(160, 100);
  auto* previewBox = new QVBoxLayout;
  previewBox->addWidget(preview_);
  auto* lower = new QHBoxLayout;
  lower->addWidget(group(QStringLiteral("Farben"), colours));
  lower->addWidget(group(QStringLiteral("Vorschau:"), previewBox));
  lower->addStretch(1);
  layout->addLayout(form);
  layout->addLayout(lower);
  layout->addStretch(1);

  const auto refresh = [this] {
    if (!filling_ && tabs_->currentIndex() == 2) preview_->ShowText(PreviewMarkup());
  };
  connect(transparency_.slider, &QSlider::valueChanged, this, refresh);
  connect(border_.slider, &QSlider::valueChanged, this, refresh);
  connect(effect_, &QComboBox::currentIndexChanged, this, refresh);
  connect(technoFont_, &QComboBox::currentIndexChanged, this, refresh);
  return page;
}

QWidget* TSuperSettingsDialog::technoAnimationTab() {
  auto* page = new QWidget;
  auto* layout = column(page);
  hardCut_ = new QRadioButton(QStringLiteral("harter Schnitt"));
  hardCut_->setObjectName(QStringLiteral("cHardCut"));
  fading_ = new QRadioButton(QStringLiteral("Überblendung"));
  fading_->setObjectName(QStringLiteral("cFading"));
  // The slider reaches further than the option: its label shows what is kept.
  frameDelay_ = slider(QStringLiteral("trFrameDelay"), 1, 188, 50, [](int p) {
    const TSuperOptions::Definition& range = TSuperOptions::DefinitionOf(O::TechnoFrameDelay);
    return C::FrameDelayLabel(std::clamp(C::FrameDelayFromPosition(p), range.minimum, range.maximum));
  });
  frameDelay_.value->setObjectName(QStringLiteral("lblFrameDelay"));
  speed_ = slider(QStringLiteral("trSpeed"), -23, 25, 24, [](int v) { return QString::number(v); });
  // Moving a slider chooses the kind of change it sets.
  connect(frameDelay_.slider, &QSlider::sliderMoved, hardCut_, [this] { hardCut_->setChecked(true); });
  connect(speed_.slider, &QSlider::sliderMoved, fading_, [this] { fading_->setChecked(true); });
  auto* cut = new QHBoxLayout;
  cut->addWidget(hardCut_);
  // Three marks: fast at the left, slow in the middle, very slow at the right end.
  auto* ends = new QWidget;
  auto* endsLayout = new QGridLayout(ends);
  endsLayout->setContentsMargins(0, 0, 0, 0);
  endsLayout->addWidget(new QLabel(QStringLiteral("schnell")), 0, 0);
  endsLayout->addWidget(frameDelay_.slider, 0, 1);
  endsLayout->addWidget(new QLabel(QStringLiteral("extrem langsam")), 0, 2);
  endsLayout->addWidget(new QLabel(QStringLiteral("langsam")), 1, 1, Qt::AlignHCenter);
  endsLayout->setColumnStretch(1, 1);
  cut->addWidget(ends, 1);
  cut->addWidget(frameDelay_.value);
  auto* fade = new QHBoxLayout;
  fade->addWidget(fading_);
  fade->addWidget(speed_.slider, 1);
  auto* background = new QVBoxLayout;
  background->addLayout(cut);
  background->addLayout(fade);
  layout->addWidget(group(QStringLiteral(" Hintergrund "), background));
  auto* warning = new QLabel(QStringLiteral(
      "Achtung: Harte, kurze Schnitte können bei empfindlichen Personen (Epileptikern) zu gesundheitlichen Problemen "
      "führen! Benutzung auf eigene Verantwortung!!!"));
  warning->setWordWrap(true);
  warning->setStyleSheet(QStringLiteral("color: #b3261e;"));
  layout->addWidget(warning);
  scrolling_ = new QRadioButton(QStringLiteral("bewegt"));
  scrolling_->setObjectName(QStringLiteral("cTechnoScroll"));
  still_ = new QRadioButton(QStringLiteral("statisch"));
  still_->setObjectName(QStringLiteral("cTechnoFix"));
  textDelaySeconds_ = new QComboBox;
  textDelaySeconds_->setObjectName(QStringLiteral("cTextDelay"));
  textDelaySeconds_->setEditable(true);
  textDelaySeconds_->addItems(kSeconds);
  auto* text = new QHBoxLayout;
  text->addWidget(scrolling_);
  text->addWidget(still_);
  text->addSpacing(16);
  text->addWidget(textDelaySeconds_);
  text->addWidget(new QLabel(QStringLiteral("Sekunden")));
  text->addStretch(1);
  layout->addWidget(group(QStringLiteral("Schrift: "), text));
  layout->addStretch(1);
  return page;
}

QGroupBox* TSuperSettingsDialog::sliderGroup(const Slider& s, const QString& title, const QString& low,
                                             const QString& high) {
  auto* content = new QHBoxLayout;
  content->addWidget(withEnds(s.slider, low, high), 1);
  content->addWidget(s.value);
  return group(title, content);
}

QGroupBox* TSuperSettingsDialog::intervalControls(QComboBox*& file, QCheckBox*& automatic, QComboBox*& interval,
                                                  const QString& prefix) {
  file = new QComboBox;
  file->setObjectName(QStringLiteral("c%1File").arg(prefix));
  automatic = new QCheckBox(QStringLiteral("automatisch abwechseln:"));
  automatic->setObjectName(QStringLiteral("c%1Automatic").arg(prefix));
  interval = new QComboBox;
  interval->setObjectName(QStringLiteral("c%1BGRDelay").arg(prefix));
  interval->addItems(kIntervals);
  connect(automatic, &QCheckBox::toggled, interval, [interval](bool on) {
    interval->setEnabled(on);
    if (on && interval->currentIndex() < 0) interval->setCurrentIndex(0);
  });
  auto* background = new QFormLayout;
  background->addRow(file);
  background->addRow(automatic);
  background->addRow(QStringLiteral("Intervall:"), interval);
  return group(QStringLiteral(" Hintergrund: "), background);
}

QWidget* TSuperSettingsDialog::ddTab() {
  auto* page = new QWidget;
  auto* layout = column(page);
  ddText_ = slider(QStringLiteral("trDDTextDelay"), 10, 100, 50,
                   [](int p) { return QLocale(QLocale::German).toString(p / 10.0, 'g', 6) + QStringLiteral(" s"); });
  ddText_.value->setObjectName(QStringLiteral("lDDText"));
  ddChar_ = slider(QStringLiteral("trDDCharDelay"), 10, 160, 25, [](int v) { return QString::number(v) + QStringLiteral(" ms"); });
  ddChar_.value->setObjectName(QStringLiteral("lDDChar"));
  layout->addWidget(sliderGroup(ddText_, QStringLiteral(" Geschwindigkeit "), QStringLiteral("schnell"), QStringLiteral("langsam")));
  layout->addWidget(sliderGroup(ddChar_, QStringLiteral(" Textverzögerung "), QStringLiteral("keine"), QStringLiteral("viel")));
  layout->addWidget(intervalControls(ddFile_, ddAutomatic_, ddInterval_, QStringLiteral("DD")));
  layout->addStretch(1);
  return page;
}

QWidget* TSuperSettingsDialog::vegasTab() {
  auto* page = new QWidget;
  auto* layout = column(page);
  vegas_ = slider(QStringLiteral("tVegasFaktor"), 20, 180, 20, [](int v) { return QString::number(v) + QLatin1Char('%'); });
  vegas_.value->setObjectName(QStringLiteral("lVegasFaktor"));
  auto* content = new QVBoxLayout;
  auto* row = new QHBoxLayout;
  row->addWidget(withEnds(vegas_.slider, QStringLiteral("langsam"), QStringLiteral("schnell")), 1);
  row->addWidget(vegas_.value);
  content->addLayout(row);
  auto* mark = new QLabel(QStringLiteral("100%"));
  mark->setAlignment(Qt::AlignHCenter);
  content->addWidget(mark);
  layout->addWidget(group(QStringLiteral(" Geschwindigkeit "), content));
  layout->addStretch(1);
  return page;
}

QWidget* TSuperSettingsDialog::airportTab() {
  auto* page = new QWidget;
  auto* layout = column(page);
  airChar_ = slider(QStringLiteral("trAirCharDelay"), 1, 10, 1, [](int v) { return QString::number(v); });
  airChar_.value->setObjectName(QStringLiteral("lAirCharDelay"));
  airB_ = slider(QStringLiteral("trAirBDelay"), 0, 2000, 100, [](int v) { return QString::number(v) + QStringLiteral(" ms"); });
  airB_.value->setObjectName(QStringLiteral("lAirBDelay"));
  airPause_ = slider(QStringLiteral("trAirPause"), 0, 4000, 1000, [](int v) { return QString::number(v) + QStringLiteral(" ms"); });
  airPause_.value->setObjectName(QStringLiteral("lAirPause"));
  layout->addWidget(sliderGroup(airChar_, QStringLiteral(" Geschwindigkeit "), QStringLiteral("schnell"), QStringLiteral("langsam")));
  layout->addWidget(sliderGroup(airB_, QStringLiteral("Pause vor der Bedeutung "), QStringLiteral("keine"), QStringLiteral("lange")));
  layout->addWidget(sliderGroup(airPause_, QStringLiteral("Pause nach der Bedeutung"), QStringLiteral("keine"), QStringLiteral("lange")));
  layout->addWidget(intervalControls(airFile_, airAutomatic_, airInterval_, QStringLiteral("Air")));
  layout->addStretch(1);
  return page;
}

QWidget* TSuperSettingsDialog::audioTab() {
  auto* page = new QWidget;
  auto* layout = column(page);
  musicDir_ = new QLineEdit;
  musicDir_->setObjectName(QStringLiteral("MP3Dir"));
  auto* choose = new QPushButton(QStringLiteral("Durchsuchen..."));
  choose->setObjectName(QStringLiteral("Choose"));
  musicTest_ = new QPushButton(QStringLiteral("Testen"));
  musicTest_->setObjectName(QStringLiteral("MP3Test"));
  connect(choose, &QPushButton::clicked, this, &TSuperSettingsDialog::chooseMusicDir);
  connect(musicTest_, &QPushButton::clicked, this, &TSuperSettingsDialog::testMusic);
  const auto enableTest = [this] { musicTest_->setEnabled(!musicDir_->text().isEmpty()); };
  connect(musicDir_, &QLineEdit::textChanged, this, enableTest);
  connect(technoDir_, &QLineEdit::textChanged, this, enableTest);
  auto* dir = new QHBoxLayout;
  dir->addWidget(new QLabel(QStringLiteral("Verzeichnis:")));
  dir->addWidget(musicDir_, 1);
  dir->addWidget(choose);
  dir->addWidget(musicTest_);
  layout->addLayout(dir);
  musicInfo_ = new QLabel;
  musicInfo_->setObjectName(QStringLiteral("MP3Info"));
  auto* status = new QHBoxLayout;
  status->addWidget(new QLabel(QStringLiteral("Status:")));
  status->addWidget(musicInfo_, 1);
  layout->addLayout(status);
  volume_ = slider(QStringLiteral("Volume"), 0, 24, 4, [](int) { return QString(); });
  // The music's volume follows the slider at once.
  connect(volume_.slider, &QSlider::valueChanged, this, [this](int p) {
    if (!filling_) options_.Music().SetVolume(p - 24);
  });
  auto* volume = new QHBoxLayout;
  volume->addWidget(new QLabel(QStringLiteral("Lautstärke:")));
  volume->addWidget(withEnds(volume_.slider, QStringLiteral("Leise (-24dB)"), QStringLiteral("Laut (0dB)")), 1);
  layout->addLayout(volume);
  auto* tip = new QLabel(
      QStringLiteral("Tip: Die Lautstärke läßt sich beim Superlearning mit den Pfeiltasten hoch und runter einstellen."));
  tip->setWordWrap(true);
  layout->addWidget(tip);
  speech_ = new QCheckBox(QStringLiteral("Sprachausgabe (soweit vorhanden)"));
  speech_->setObjectName(QStringLiteral("bSpeech"));
  music_ = new QCheckBox(QStringLiteral("Musik (MP3)"));
  music_->setObjectName(QStringLiteral("cMusic"));
  layout->addWidget(speech_);
  layout->addWidget(music_);
  layout->addStretch(1);
  return page;
}

QWidget* TSuperSettingsDialog::super3dTab() {
  auto* page = new QWidget;
  auto* layout = column(page);
  vFont_ = fontList(QStringLiteral("S3DVSchrift"));
  bFont_ = fontList(QStringLiteral("S3DBSchrift"));
  auto* v = new QHBoxLayout;
  v->addWidget(vFont_);
  layout->addWidget(group(QStringLiteral("Schrift Vokabel: "), v));
  auto* b = new QHBoxLayout;
  b->addWidget(bFont_);
  layout->addWidget(group(QStringLiteral("Schrift Bedeutung(en): "), b));
  s3dBackground_ = swatch(QStringLiteral("S3DB"));
  s3dText_ = swatch(QStringLiteral("S3DT"));
  auto* colours = new QHBoxLayout;
  colours->addWidget(new QLabel(QStringLiteral("Hintergrund:")));
  colours->addWidget(s3dBackground_);
  colours->addSpacing(16);
  colours->addWidget(new QLabel(QStringLiteral("Schrift:")));
  colours->addWidget(s3dText_);
  colours->addStretch(1);
  layout->addWidget(group(QStringLiteral("Farben"), colours));
  layout->addStretch(1);
  const auto refresh = [this] {
    if (!filling_) preview_->ShowText(PreviewMarkup());
  };
  connect(vFont_, &QComboBox::currentIndexChanged, this, refresh);
  connect(bFont_, &QComboBox::currentIndexChanged, this, refresh);
  return page;
}

// --- Values in, values out ---

void TSuperSettingsDialog::fill() {
  filling_ = true;
  const TSuperOptions& o = options_;
  musicDir_->setText(o.MusicDir());
  showMusicCount();
  musicTest_->setEnabled(!musicDir_->text().isEmpty());
  volume_.slider->setValue(options_.Music().Volume() + 24);
  speech_->setChecked(o.Flag(O::Sprachausgabe));
  music_->setChecked(o.Flag(O::Musik));

  klassik_.slider->setValue(o.Value(O::KlassikFaktor));
  selectFont(klassikFont_, o.Text(O::Schrift));
  blackWhite_->setChecked(o.Flag(O::SchwarzWeiss));
  noBackground_->setChecked(o.Flag(O::OhneHintergrund));

  pause_.slider->setValue(o.Value(O::Faktor));
  textDelay_.slider->setValue(o.Value(O::TextDelay));
  madness_.slider->setValue(o.Value(O::Madness));
  setSwatch(wirbelBackground_, o.Colour(O::WirbelBGRColor));
  setSwatch(wirbelText_, o.Colour(O::WirbelTXTColor));

  technoDir_->setText(o.Text(O::TechnoPhotoDir));
  transparency_.slider->setValue(o.Value(O::TechnoTransparenz));
  selectFont(technoFont_, o.Text(O::TechnoSchrift));
  border_.slider->setValue(o.Value(O::TechnoRand));
  effect_->setCurrentIndex(o.Value(O::TechnoMode));
  setSwatch(technoBackground_, o.Colour(O::TechnoBGRColor));
  setSwatch(technoText_, o.Colour(O::TechnoTextColor));
  setSwatch(technoPicture_, o.Colour(O::TechnoBMPColor));

  (o.Flag(O::TechnoFading) ? fading_ : hardCut_)->setChecked(true);
  frameDelay_.slider->setValue(C::PositionFromFrameDelay(o.Value(O::TechnoFrameDelay)));
  speed_.slider->setValue(o.Value(O::TechnoSpeed));
  (o.Flag(O::TechnoScrolling) ? scrolling_ : still_)->setChecked(true);
  const QString seconds = C::SecondsText(o.Value(O::TechnoTextDelay));
  const int item = textDelaySeconds_->findText(seconds);
  if (item >= 0) textDelaySeconds_->setCurrentIndex(item);
  else textDelaySeconds_->setEditText(seconds);

  ddText_.slider->setValue(o.Value(O::DDTextDelay) / 100);
  ddChar_.slider->setValue(o.Value(O::DDCharDelay));
  vegas_.slider->setValue(o.Value(O::VegasFaktor));
  airChar_.slider->setValue(o.Value(O::AirCharDelay) / 50 + 1);
  airB_.slider->setValue(o.Value(O::AirBDelay));
  airPause_.slider->setValue(o.Value(O::AirMainPause));

  // The background pages: the chosen one when its file is there, else at random.
  for (auto [list, automatic, interval, airport] :
       {std::tuple{ddFile_, ddAutomatic_, ddInterval_, false}, std::tuple{airFile_, airAutomatic_, airInterval_, true}}) {
    list->clear();
    list->addItem(kRandomPage);
    for (const QString& name : options_.Pages(airport)) list->addItem(QFileInfo(name).fileName());
    const QString chosen = o.Text(airport ? O::Air : O::DD);
    const int at = chosen.isEmpty() ? -1 : list->findText(chosen, Qt::MatchFixedString);
    list->setCurrentIndex(at > 0 ? at : 0);
    const int delay = o.Value(airport ? O::AirBGRDelay : O::DDBGRDelay);
    // A stored interval the list does not offer stays what it is (in seconds
    // when whole minutes would not read back the same).
    QString shown = C::IntervalText(delay);
    if (C::SecondsFromIntervalText(shown) != delay) shown = QStringLiteral("%1 Sekunden").arg(delay);
    if (delay != 0 && interval->findText(shown) < 0) interval->addItem(shown);
    interval->setCurrentIndex(delay == 0 ? -1 : interval->findText(shown));
    automatic->setChecked(delay != 0);
    interval->setEnabled(delay != 0);
  }

  setSwatch(s3dBackground_, o.Colour(O::S3DBColor));
  setSwatch(s3dText_, o.Colour(O::S3DTColor));
  selectFont(vFont_, o.Text(O::S3DVSchrift));
  selectFont(bFont_, o.Text(O::S3DBSchrift));
  // The labels show what the options hold, even where a slider's end was reached.
  for (Slider* s : {&klassik_, &pause_, &textDelay_, &madness_, &transparency_, &border_, &frameDelay_, &speed_,
                    &ddText_, &ddChar_, &vegas_, &airChar_, &airB_, &airPause_})
    Q_EMIT s->slider->valueChanged(s->slider->value());
  filling_ = false;
  preview_->ShowText(PreviewMarkup());
}

void TSuperSettingsDialog::store() {
  TSuperOptions& o = options_;
  o.SetValue(O::KlassikFaktor, klassik_.slider->value());
  o.SetText(O::Schrift, klassikFont_->currentText());
  o.SetFlag(O::SchwarzWeiss, blackWhite_->isChecked());
  o.SetFlag(O::OhneHintergrund, noBackground_->isChecked());
  o.SetValue(O::Faktor, pause_.slider->value());
  o.SetValue(O::TextDelay, textDelay_.slider->value());
  o.SetValue(O::Madness, madness_.slider->value());
  o.SetColour(O::WirbelBGRColor, swatchColour(wirbelBackground_));
  o.SetColour(O::WirbelTXTColor, swatchColour(wirbelText_));
  o.SetValue(O::TechnoTransparenz, transparency_.slider->value());
  o.SetText(O::TechnoSchrift, technoFont_->currentText());
  o.SetValue(O::TechnoRand, border_.slider->value());
  o.SetValue(O::TechnoMode, std::max(0, effect_->currentIndex()));
  o.SetColour(O::TechnoBGRColor, swatchColour(technoBackground_));
  o.SetColour(O::TechnoTextColor, swatchColour(technoText_));
  o.SetColour(O::TechnoBMPColor, swatchColour(technoPicture_));
  o.SetFlag(O::TechnoFading, fading_->isChecked());
  o.SetValue(O::TechnoFrameDelay, C::FrameDelayFromPosition(frameDelay_.slider->value()));
  o.SetValue(O::TechnoSpeed, speed_.slider->value());
  o.SetFlag(O::TechnoScrolling, scrolling_->isChecked());
  const TSuperOptions::Definition& text = TSuperOptions::DefinitionOf(O::TechnoTextDelay);
  o.SetValue(O::TechnoTextDelay, C::MsFromSecondsText(textDelaySeconds_->currentText(), text.minimum, text.maximum));
  o.SetValue(O::DDTextDelay, ddText_.slider->value() * 100);
  o.SetValue(O::DDCharDelay, ddChar_.slider->value());
  o.SetValue(O::VegasFaktor, vegas_.slider->value());
  o.SetValue(O::AirCharDelay, (airChar_.slider->value() - 1) * 50);
  o.SetValue(O::AirBDelay, airB_.slider->value());
  o.SetValue(O::AirMainPause, airPause_.slider->value());
  for (auto [list, automatic, interval, airport] :
       {std::tuple{ddFile_, ddAutomatic_, ddInterval_, false}, std::tuple{airFile_, airAutomatic_, airInterval_, true}}) {
    o.SetText(airport ? O::Air : O::DD, list->currentIndex() <= 0 ? QString() : list->currentText());
    o.SetValue(airport ? O::AirBGRDelay : O::DDBGRDelay,
               automatic->isChecked() ? C::SecondsFromIntervalText(interval->currentText()) : 0);
  }
  o.SetFlag(O::Sprachausgabe, speech_->isChecked());
  o.SetFlag(O::Musik, music_->isChecked());
  o.SetColour(O::S3DBColor, swatchColour(s3dBackground_));
  o.SetColour(O::S3DTColor, swatchColour(s3dText_));
  o.SetText(O::S3DVSchrift, vFont_->currentText());
  o.SetText(O::S3DBSchrift, bFont_->currentText());
}

QString TSuperSettingsDialog::PreviewMarkup() const {
  C::Preview p;
  QString dir = technoDir_->text();
  if (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/')) && !dir.endsWith(QLatin1Char('\\'))) dir += QLatin1Char('/');
  if (!dir.isEmpty()) p.picture = FileLookup::locate(FileLookup::nativePath(dir) + QStringLiteral("vorschau.jpg"));
  p.background = swatchColour(technoBackground_);
  p.text = swatchColour(technoText_);
  p.tint = swatchColour(technoPicture_);
  p.effect = std::max(0, effect_->currentIndex());
  p.transparency = transparency_.slider->value();
  p.border = border_.slider->value();
  p.font = technoFont_->currentText();
  p.height = preview_->height();
  if (p.picture.contains(QLatin1Char('"'))) preview_->SetVariable(C::kPreviewPicture, p.picture);
  return C::PreviewMarkup(p);
}

// --- Buttons ---

void TSuperSettingsDialog::Ok() {
  const QString dir = musicDir_->text();
  if (!dir.isEmpty()) {
    if (!FileLookup::dirExists(FileLookup::nativePath(dir))) {
      ShowMessage(kNoMusicDir, MessageKind::Stop);
      return;
    }
    options_.SetMusicDir(dir);
  }
  // The picture folder is checked when the learner changed it: adjusting
  // another mode must not bring up messages about the techno pictures.
  if (technoDir_->text() != options_.Text(O::TechnoPhotoDir)) options_.SetTechnoDir(technoDir_->text());
  if (options_.Music().Volume() != openingVolume_ || options_.Music().Directory() != openingMusicDir_)
    options_.MarkModified();
  store();
  accept();
}

void TSuperSettingsDialog::reject() {
  options_.Music().SetVolume(openingVolume_);
  if (!openingMusicDir_.isEmpty() && options_.Music().Directory() != openingMusicDir_)
    options_.Music().ScanDirectory(openingMusicDir_);
  QDialog::reject();
}

void TSuperSettingsDialog::Reset() {
  options_.SetDefaults();
  fill();
}

// --- Music and pictures ---

void TSuperSettingsDialog::showMusicCount() {
  musicInfo_->setText(QString::number(options_.MusicFileCount()) + QStringLiteral(" MP3-Dateien"));
}

void TSuperSettingsDialog::chooseMusicDir() {
  const QString start = musicDir_->text().isEmpty() ? options_.Music().Directory() : musicDir_->text();
  const QString file = ChooseFile ? ChooseFile(start, QStringLiteral("MP3-Dateien (*.mp3 *.MP3)")) : QString();
  if (file.isEmpty()) return;
  const QString dir = FileLookup::withSeparator(QFileInfo(file).absolutePath());
  musicDir_->setText(dir);
  // The music takes the folder at once; the options learn of it on OK, so
  // that "Abbrechen" leaves them as they were.
  options_.Music().ScanDirectory(dir);
  if (options_.MusicDir() != musicDir_->text()) musicDir_->setText(options_.MusicDir());
  showMusicCount();
}

void TSuperSettingsDialog::testMusic() {
  TMusic& music = options_.Music();
  music.ScanDirectory(musicDir_->text());
  if (!music.Available()) {
    musicInfo_->setText(kNoMp3);
    return;
  }
  if (music.Toggle()) {
    musicTest_->setText(QStringLiteral("Stop"));
    musicInfo_->setText(QFileInfo(music.CurrentTrack()).fileName());
  } else {
    musicTest_->setText(QStringLiteral("Testen"));
    showMusicCount();
  }
}

void TSuperSettingsDialog::choosePictureDir() {
  const QString file =
      ChooseFile ? ChooseFile(technoDir_->text(), QStringLiteral("Bilder (800 x 534 Pixel - JPG/BMP) (*.jpg *.JPG *.bmp *.BMP)"))
                 : QString();
  if (!file.isEmpty()) technoDir_->setText(FileLookup::withSeparator(QFileInfo(file).absolutePath()));
}
