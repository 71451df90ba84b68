#include "vocabulary/tveinstellungen.h"

#include <QAbstractTableModel>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <functional>

#include "vocabulary/tbibliothek.h"
#include "vocabulary/tbinfo.h"

namespace {

constexpr int kDefaultProRunde = 10;  // the round size used while none was chosen

// The largest round size offered: the number of records, within 6..100.
int maxRoundSize(int records) { return std::min(std::max(records, 6), 100); }

const QColor kHistogramBackground(0x66, 0x66, 0x66);
const QColor kHistogramRange(0x22, 0x88, 0x00);
const QColor kHistogramMiddle(0x99, 0x99, 0x99);

// The score histogram; it asks the dialog for its picture whenever it is painted.
class HistogramView : public QWidget {
 public:
  explicit HistogramView(std::function<QImage()> picture) : picture_(std::move(picture)) {
    setFixedSize(TVEinstellungen::kHistogramWidth, TVEinstellungen::kHistogramHeight);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.drawImage(0, 0, picture_());
  }

 private:
  std::function<QImage()> picture_;
};

// A small picture with a hint: a green tick for usable settings, a red cross otherwise.
QLabel* statusPicture(bool ok) {
  QPixmap pixmap(22, 22);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(ok ? QColor(0x22, 0x88, 0x00) : QColor(0xD0, 0x10, 0x10));
  p.drawEllipse(1, 1, 20, 20);
  p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  if (ok) {
    p.drawPolyline(QPolygon({QPoint(6, 11), QPoint(10, 15), QPoint(16, 7)}));
  } else {
    p.drawLine(7, 7, 15, 15);
    p.drawLine(15, 7, 7, 15);
  }
  p.end();
  auto* label = new QLabel;
  label->setPixmap(pixmap);
  label->setToolTip(ok ? QStringLiteral("Einstellungen sind OK!") : QStringLiteral("Einstellungen sind NICHT OK!"));
  return label;
}

const QStringList kWortartCaptions = {
    QStringLiteral("Nomen"),        QStringLiteral("Verben"),        QStringLiteral("Adjektive"),
    QStringLiteral("kl. Wörter"),   QStringLiteral("Rw. mit Verb"),  QStringLiteral("Rw. ohne Verb"),
    QStringLiteral("Adverbien"),    QStringLiteral("Präpositionen")};

}  // namespace

// The settings as they were when the dialog opened; "Abbrechen" brings them back.
struct TVEinstellungen::Snapshot {
  explicit Snapshot(const TVocEinstellungen& s)
      : richtung(s.Richtung()),
        sprache(s.Sprache()),
        modus(s.Modus()),
        proRunde(s.ProRunde()),
        multipleChoice(s.MultipleChoice()),
        kontext(s.Kontext()),
        wortarten(s.Wortarten()),
        minScore(s.MinScore()),
        maxScore(s.MaxScore()),
        modified(s.Modified()) {
    for (int d = 0; d < 5; ++d) nichtZuSchwer[d] = s.NichtZuSchwer(d);
  }

  void restore(TVocEinstellungen& s) const {
    s.SetRichtung(richtung);
    s.SetSprache(sprache);
    s.SetModus(modus);
    s.SetProRunde(proRunde);
    s.SetMultipleChoice(multipleChoice);
    s.SetKontext(kontext);
    s.SetWortarten(wortarten);
    for (int d = 0; d < 5; ++d) s.SetNichtZuSchwer(d, nichtZuSchwer[d]);
    s.SetMinScore(minScore);
    s.SetMaxScore(maxScore);
    s.SetModified(modified);
  }

  int richtung, sprache, modus, proRunde, multipleChoice;
  bool kontext;
  int wortarten;
  std::array<bool, 5> nichtZuSchwer{};
  int minScore, maxScore;
  bool modified;
};

// One row per record: the entry with its flag, bold when the record is
// active, and the learner's score.
class TVEinstellungen::RecordModel : public QAbstractTableModel {
 public:
  RecordModel(TBibliothek& library, bool scores, QObject* parent)
      : QAbstractTableModel(parent), library_(library), scores_(scores) {
    for (int i = 0; i < 4; ++i) flags_[i] = QPixmap::fromImage(TVEinstellungen::Flag(i));
  }

  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : library_.Count(); }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 2; }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || index.row() >= library_.Count()) return {};
    const TVokabel& v = library_.Items[index.row()];
    switch (role) {
      case Qt::DisplayRole:
        if (index.column() == 0) return QStringLiteral(" ") + v.Vokabel;
        return scores_ ? QString::number(v.Score) + QLatin1Char('%') : QString();
      case Qt::FontRole: {
        QFont font;
        font.setBold(library_.IsActive(index.row()));
        return font;
      }
      case Qt::DecorationRole:
        if (index.column() != 0) return {};
        return flags_[v.Deutsch ? (library_.IsActive(index.row()) ? 1 : 0) : (library_.IsActive(index.row()) ? 3 : 2)];
      case Qt::TextAlignmentRole:
        if (index.column() == 1) return int(Qt::AlignRight) | int(Qt::AlignVCenter);
        return {};
      default:
        return {};
    }
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return section == 0 ? QStringLiteral("Vokabel") : QStringLiteral("Wert");
  }

  // The filter changed: fonts and flags follow it.
  void refresh() {
    const int rows = rowCount(QModelIndex());
    if (rows > 0) Q_EMIT dataChanged(index(0, 0), index(rows - 1, 1), {Qt::FontRole, Qt::DecorationRole});
  }

 private:
  TBibliothek& library_;
  bool scores_;
  QPixmap flags_[4];
};

TVEinstellungen::TVEinstellungen(TBibliothek& library, QWidget* parent)
    : QDialog(parent), library_(library), learner_(library.learnerLoggedIn()) {
  // The state to come back to on "Abbrechen"; it is saved as well, so that
  // the file holds it too.
  TVocEinstellungen& settings = library_.Einstellungen;
  settings.Save();
  opened_ = std::make_unique<Snapshot>(settings);

  setWindowTitle(QStringLiteral("*zvk spanisch - Einstellungen für den Vokabeltrainer"));
  if (QFontDatabase::families().contains(QStringLiteral("Verdana"), Qt::CaseInsensitive)) {
    QFont f = font();
    f.setFamily(QStringLiteral("Verdana"));
    setFont(f);
  }
  if (learner_) library_.RefreshScores();

  buildControls();
  setFromSettings();
  ShowRoundSize();
  ShowActive();
}

TVEinstellungen::~TVEinstellungen() = default;

bool TVEinstellungen::Execute(TBibliothek& library, QWidget* parent) {
  TVEinstellungen dialog(library, parent);
  return dialog.exec() == QDialog::Accepted;
}

void TVEinstellungen::buildControls() {
  TVocEinstellungen& settings = library_.Einstellungen;

  // Left: the records, below them the histogram of the learner's scores.
  model_ = new RecordModel(library_, learner_, this);
  Liste = new QTreeView;
  Liste->setModel(model_);
  Liste->setRootIsDecorated(false);
  Liste->setUniformRowHeights(true);
  Liste->setSelectionMode(QAbstractItemView::SingleSelection);
  Liste->header()->setStretchLastSection(false);
  Liste->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  Liste->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  Liste->setMinimumWidth(220);
  lHistogram = new QLabel(QStringLiteral("Werte-Histogramm:"));
  Histogram = new HistogramView([this] { return HistogramImage(); });
  auto* left = new QVBoxLayout;
  left->addWidget(Liste, 1);
  left->addWidget(lHistogram);
  left->addWidget(Histogram);
  // The score range (added below, with its group) sits under the histogram
  // of the scores it picks from; so the dialog fits an 800 x 600 screen.

  // Right: the count of active records and the settings.
  lInfo = new QLabel;
  QFont infoFont = lInfo->font();
  infoFont.setBold(true);
  lInfo->setFont(infoFont);
  Maske0 = statusPicture(true);
  Maske1 = statusPicture(false);
  auto* infoRow = new QHBoxLayout;
  infoRow->addWidget(lInfo, 1);
  infoRow->addWidget(Maske0);
  infoRow->addWidget(Maske1);

  auto* wortarten = new QGroupBox(QStringLiteral(" Wortarten "));
  auto* wortartGrid = new QGridLayout(wortarten);
  for (int i = 0; i < 8; ++i) {
    Wortart[i] = new QCheckBox(kWortartCaptions[i]);
    wortartGrid->addWidget(Wortart[i], i % 4, i / 4);
    connect(Wortart[i], &QCheckBox::toggled, this, [this, i, st = &settings](bool on) {
      if (settingUp_) return;
      // Through the mask setter, so that the change counts as a change of the settings.
      const quint32 bit = 1u << i;
      const quint32 mask = static_cast<quint32>(st->Wortarten());
      st->SetWortarten(static_cast<int>(on ? mask | bit : mask & ~bit));
      ShowActive();
    });
  }

  auto* schwer = new QGroupBox(QStringLiteral(" Schwierigkeitsgrade "));
  auto* schwerLayout = new QHBoxLayout(schwer);
  for (int d = 0; d < 5; ++d) {
    SG[d] = new QCheckBox(Vocabulary::SchwierigkeitName(d));
    schwerLayout->addWidget(SG[d]);
    connect(SG[d], &QCheckBox::toggled, this, [this, d, st = &settings](bool on) {
      if (settingUp_) return;
      st->SetNichtZuSchwer(d, on);
      ShowActive();
    });
  }

  auto radioGroup = [this](const QString& title, const QStringList& items, QButtonGroup*& group) {
    auto* box = new QGroupBox(title);
    auto* layout = new QVBoxLayout(box);
    group = new QButtonGroup(this);
    for (int i = 0; i < items.size(); ++i) {
      auto* radio = new QRadioButton(items[i]);
      group->addButton(radio, i);
      layout->addWidget(radio);
    }
    return box;
  };
  rRichtung = radioGroup(QStringLiteral(" Richtung "),
                         {QStringLiteral("Vorwärts"), QStringLiteral("Rückwärts"), QStringLiteral("Kreuz-und-quer")},
                         Richtung);
  rSprache = radioGroup(QStringLiteral(" Sprache "),
                        {QStringLiteral("Deutsch - Spanisch"), QStringLiteral("Spanisch - Deutsch"),
                         QStringLiteral("Beides")},
                        Sprache);
  connect(Richtung, &QButtonGroup::idToggled, this, [this, st = &settings](int id, bool checked) {
    if (settingUp_ || !checked) return;
    st->SetRichtung(id);
    ShowRoundSize();
    ShowActive();
  });
  connect(Sprache, &QButtonGroup::idToggled, this, [this, st = &settings](int id, bool checked) {
    if (settingUp_ || !checked) return;
    st->SetSprache(id);
    ShowActive();
  });
  auto* radios = new QHBoxLayout;
  radios->addWidget(rRichtung);
  radios->addWidget(rSprache);

  TrackMultiple = new QSlider(Qt::Horizontal);
  TrackMultiple->setRange(0, 100);
  TrackMultiple->setTickInterval(10);
  TrackMultiple->setTickPosition(QSlider::TicksBelow);
  TrackMultiple->setSingleStep(1);
  TrackMultiple->setPageStep(10);
  mPro = new QLabel;
  ePro = new QLabel;
  connect(TrackMultiple, &QSlider::valueChanged, this, [this, st = &settings](int value) {
    multipleChoiceLabels(value);
    if (settingUp_) return;
    st->SetMultipleChoice(value);
    ShowActive();
  });
  auto* multiple = new QHBoxLayout;
  multiple->addWidget(mPro);
  multiple->addWidget(TrackMultiple, 1);
  multiple->addWidget(ePro);

  cKontext = new QCheckBox(QStringLiteral("Aufgaben zum Eintippen als Lückentext abfragen (wenn Kontext vorhanden)"));
  connect(cKontext, &QCheckBox::toggled, this, [this, st = &settings](bool on) {
    if (settingUp_) return;
    st->SetKontext(on);
    ShowActive();
  });

  gProRunde = new QGroupBox(QStringLiteral(" Vokabeln pro Runde (nur bei Kreuz-und-quer) "));
  TrackProRunde = new QSlider(Qt::Horizontal);
  TrackProRunde->setTickPosition(QSlider::TicksBelow);
  TrackProRunde->setTickInterval(5);
  LProRunde = new QLabel;
  LProRunde->setMinimumWidth(LProRunde->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
  connect(TrackProRunde, &QSlider::valueChanged, this, [this, st = &settings](int value) {
    LProRunde->setText(QString::number(value));
    if (settingUp_) return;
    st->SetProRunde(value);
    ShowActive();
  });
  auto* proRunde = new QHBoxLayout(gProRunde);
  proRunde->addWidget(TrackProRunde, 1);
  proRunde->addWidget(LProRunde);

  Filter = new QGroupBox(QStringLiteral(" Benutzerabhängiger Filter"));
  WertVon = new QLineEdit;
  WertBis = new QLineEdit;
  for (QLineEdit* edit : {WertVon, WertBis}) {
    edit->setMaxLength(4);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-1000")) + 12);
    connect(edit, &QLineEdit::textChanged, this, [this] { scoreEdited(); });
  }
  lScoreExpl = new QLabel;
  lScoreExpl->setWordWrap(true);
  auto* range = new QHBoxLayout;
  range->addWidget(WertVon);
  range->addWidget(new QLabel(QStringLiteral("und")));
  range->addWidget(WertBis);
  range->addWidget(new QLabel(QStringLiteral("%")));
  range->addStretch(1);
  auto* filter = new QVBoxLayout(Filter);
  filter->addWidget(new QLabel(QStringLiteral("Nur Werte zwischen")));
  filter->addLayout(range);
  filter->addWidget(lScoreExpl);
  left->addWidget(Filter);

  Info = new QPushButton(QStringLiteral("Info"));
  OK = new QPushButton(QStringLiteral("OK"));
  Cancel = new QPushButton(QStringLiteral("Abbrechen"));
  OK->setDefault(true);
  connect(Info, &QPushButton::clicked, this, [this] { TBInfo::Execute(library_, this); });
  connect(OK, &QPushButton::clicked, this, &QDialog::accept);
  connect(Cancel, &QPushButton::clicked, this, &TVEinstellungen::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Info);
  buttons->addStretch(1);
  buttons->addWidget(OK);
  buttons->addWidget(Cancel);

  auto* right = new QVBoxLayout;
  right->addLayout(infoRow);
  right->addWidget(wortarten);
  right->addWidget(schwer);
  right->addLayout(radios);
  right->addLayout(multiple);
  right->addWidget(cKontext);
  right->addWidget(gProRunde);
  right->addStretch(1);
  right->addLayout(buttons);

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(right);

  if (learner_) {
    lHistogram->setText(QStringLiteral("Werte-Histogramm: (Durchschnitt: %1%)").arg(library_.AverageScore()));
  } else {
    // Without a learner there are no scores: no filter and no histogram; the list takes the height.
    Filter->setEnabled(false);
    lHistogram->hide();
    Histogram->hide();
  }
}

void TVEinstellungen::setFromSettings() {
  const TVocEinstellungen& settings = library_.Einstellungen;
  settingUp_ = true;

  std::array<int, 8> perWortart{};
  const int n = library_.Count();
  for (int i = 0; i < n; ++i) {
    const int w = library_.Items[i].Wortart;
    if (w >= 0 && w < 8) ++perWortart[w];
  }
  for (int i = 0; i < 8; ++i) {
    Wortart[i]->setText(kWortartCaptions[i] + QStringLiteral(" (%1)").arg(perWortart[i]));
    Wortart[i]->setChecked(settings.WortartAktiv(i));
  }
  for (int d = 0; d < 5; ++d) SG[d]->setChecked(settings.NichtZuSchwer(d));
  if (QAbstractButton* b = Sprache->button(settings.Sprache())) b->setChecked(true);
  if (QAbstractButton* b = Richtung->button(settings.Richtung())) b->setChecked(true);
  WertVon->setText(QString::number(settings.MinScore()));
  WertBis->setText(QString::number(settings.MaxScore()));
  lScoreExpl->setText(ScoreExplanation(settings.MinScore(), settings.MaxScore()));
  TrackProRunde->setRange(5, maxRoundSize(n));
  TrackProRunde->setValue(settings.ProRunde() > 0 ? settings.ProRunde() : kDefaultProRunde);
  LProRunde->setText(QString::number(TrackProRunde->value()));
  TrackMultiple->setValue(settings.MultipleChoice());
  multipleChoiceLabels(TrackMultiple->value());
  cKontext->setChecked(settings.Kontext());

  settingUp_ = false;
}

void TVEinstellungen::multipleChoiceLabels(int value) {
  mPro->setText(QStringLiteral("Multiple Choice %1%").arg(value));
  ePro->setText(QStringLiteral("%1% Eintippen").arg(100 - value));
}

void TVEinstellungen::ShowRoundSize() {
  const int n = library_.Count();
  const bool on = library_.Einstellungen.Richtung() == TVocEinstellungen::KreuzUndQuer && n > 0;
  if (on) {
    // A new range may move the position; the setting changes only when the learner moves it.
    const QSignalBlocker block(TrackProRunde);
    TrackProRunde->setRange(5, maxRoundSize(n));
  }
  TrackProRunde->setEnabled(on);
  LProRunde->setEnabled(on);
  LProRunde->setText(QString::number(TrackProRunde->value()));
}

bool TVEinstellungen::Usable() const { return usable(library_.ActiveCount()); }

bool TVEinstellungen::usable(int active) const {
  const TVocEinstellungen& settings = library_.Einstellungen;
  if (active <= 0) return false;
  if (settings.Richtung() != TVocEinstellungen::KreuzUndQuer) return true;
  if (settings.ProRunde() > 0) return active >= settings.ProRunde();
  // No round size chosen yet: a round asks 10 records, or all active ones
  // when there are more than 5 but fewer than 10.
  return active >= std::min(kDefaultProRunde, 6);
}

void TVEinstellungen::ShowActive() {
  model_->refresh();
  const int active = library_.ActiveCount();
  const bool ok = usable(active);
  lInfo->setText(QStringLiteral("%1/%2 Vokabeln aktiv").arg(active).arg(library_.Count()));
  QPalette palette = lInfo->palette();
  palette.setColor(QPalette::WindowText, ok ? QColor(Qt::black) : QColor(255, 0, 0));
  lInfo->setPalette(palette);
  Maske0->setVisible(ok);
  Maske1->setVisible(!ok);
  Histogram->update();
}

QString TVEinstellungen::ScoreExplanation(int minScore, int maxScore) {
  if (minScore == -100 && maxScore == -100)
    return QStringLiteral(
        "Es können nur Vokabeln abgefragt werden, die die letzten 5 Mal falsch gemacht wurden. Dies dürfte kaum "
        "sinnvoll sein.");
  if (minScore == 100 && maxScore == 100)
    return QStringLiteral(
        "Es können nur Vokabeln abgefragt werden, die die letzten 5 Mal richtig gemacht wurden. Dies dürfte kaum "
        "sinnvoll sein.");
  if (minScore < 0 && maxScore < 0)
    return QStringLiteral(
        "Es werden nur Vokabeln abgefragt, die schon falsch gemacht wurden, aber keine neuen Vokabeln.");
  if (minScore < 0 && maxScore == 0)
    return QStringLiteral(
        "Es werden nur Vokabeln abgefragt, die entweder neu sind oder überwiegend falsch gemacht wurden.");
  if (minScore > 0 && maxScore > 0)
    return QStringLiteral(
        "Es werden nur Vokabeln abgefragt, die überwiegend richtig gemacht wurden, aber keine neuen Vokabeln.");
  if (minScore == 0 && maxScore > 0)
    return QStringLiteral("Es werden nur Vokabeln abgefragt, die entweder neu sind oder überwiegend richtig waren.");
  if (minScore == -100 && maxScore == 100)
    return QStringLiteral("Es werden alle Vokabeln abgefragt. Der Grenzwert ist inaktiv.");
  return {};
}

void TVEinstellungen::scoreEdited() {
  if (settingUp_) return;
  auto incomplete = [](const QString& text) {
    return text.isEmpty() || text == QLatin1String("-") || text == QLatin1String("+");
  };
  if (incomplete(WertVon->text()) || incomplete(WertBis->text())) return;
  auto value = [](const QString& text) {
    bool ok = false;
    const int v = text.toInt(&ok);
    return std::clamp(ok ? v : -100, -100, 100);
  };
  const int von = value(WertVon->text());
  const int bis = value(WertBis->text());
  TVocEinstellungen& settings = library_.Einstellungen;
  if (von != settings.MinScore() || bis != settings.MaxScore()) {
    settings.SetMinScore(std::min(von, bis));
    settings.SetMaxScore(std::max(von, bis));
    ShowActive();
    lScoreExpl->setText(ScoreExplanation(settings.MinScore(), settings.MaxScore()));
  }
  // An edit shows the value that counts ("150" becomes "100").
  settingUp_ = true;
  if (WertVon->text() != QString::number(von)) WertVon->setText(QString::number(von));
  if (WertBis->text() != QString::number(bis)) WertBis->setText(QString::number(bis));
  settingUp_ = false;
}

QImage TVEinstellungen::HistogramImage() const {
  if (!learner_) return {};
  QImage image(kHistogramWidth, kHistogramHeight, QImage::Format_RGB32);
  const TVocEinstellungen& settings = library_.Einstellungen;
  DrawHistogram(image, library_.ScoreHistogram(), library_.Count(), settings.MinScore(), settings.MaxScore());
  return image;
}

void TVEinstellungen::DrawHistogram(QImage& image, const std::array<int, 201>& histogram, int records,
                                    int minScore, int maxScore) {
  // The score s is the column s + 100, so that -100 and 100 are the first and last column.
  image.fill(kHistogramBackground);
  QPainter p(&image);
  const int lo = std::clamp(minScore, -100, 100) + 100;
  const int hi = std::clamp(maxScore, -100, 100) + 100;
  if (lo <= hi) p.fillRect(QRect(lo, 0, hi - lo + 1, kHistogramHeight), kHistogramRange);
  p.setPen(kHistogramMiddle);
  p.drawLine(100, 0, 100, kHistogramHeight - 1);
  if (records <= 0) return;
  p.setPen(Qt::white);
  for (int s = 0; s < 201; ++s) {
    const int count = histogram[s];
    if (count == 0) continue;
    const int height = static_cast<int>(std::lround(count * 100.0 / records));
    if (height <= 0) continue;
    p.drawLine(s, kHistogramHeight - 1, s, kHistogramHeight - std::min(height, kHistogramHeight));
  }
}

QImage TVEinstellungen::Flag(int index) {
  const bool german = index == 0 || index == 1;
  const bool active = index == 1 || index == 3;
  QImage flag(18, 12, QImage::Format_RGB32);
  QPainter p(&flag);
  if (german) {
    p.fillRect(0, 0, 18, 4, QColor(0, 0, 0));
    p.fillRect(0, 4, 18, 4, QColor(0xDD, 0x00, 0x00));
    p.fillRect(0, 8, 18, 4, QColor(0xFF, 0xCE, 0x00));
  } else {
    p.fillRect(0, 0, 18, 12, QColor(0xAA, 0x15, 0x1B));
    p.fillRect(0, 3, 18, 6, QColor(0xF1, 0xBF, 0x00));
  }
  p.end();
  if (!active) {
    // Inactive records show a pale, grey flag.
    for (int y = 0; y < flag.height(); ++y)
      for (int x = 0; x < flag.width(); ++x) {
        const int g = 150 + qGray(flag.pixel(x, y)) / 3;
        flag.setPixel(x, y, qRgb(g, g, g));
      }
  }
  return flag;
}

void TVEinstellungen::reject() {
  opened_->restore(library_.Einstellungen);
  QDialog::reject();
}
