#include "editor/dictionarypanel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QToolButton>

#include "common/accentkeyfilter.h"
#include "common/messagebox.h"
#include "dictionary/txdatabase.h"
#include "editor/editortexts.h"
#include "vocabulary/tvokabel.h"

namespace {

QToolButton* button(QWidget* parent, const char* name, QStyle::StandardPixmap picture, const QString& hint) {
  auto* b = new QToolButton(parent);
  b->setObjectName(QLatin1String(name));
  b->setIcon(parent->style()->standardIcon(picture));
  b->setToolTip(hint);
  return b;
}

}  // namespace

TDictionaryPanel::TDictionaryPanel(TXDatabase& dictionary, Options options, QWidget* parent)
    : QWidget(parent), dictionary_(dictionary), options_(options) {
  setObjectName(options.windowNames ? QStringLiteral("BearbeitenPanel") : QStringLiteral("WP"));
  setAutoFillBackground(true);
  dbVokabel = new QLineEdit(this);
  dbVokabel->setObjectName(options.windowNames ? QStringLiteral("DBVokabel") : QStringLiteral("dbVokabel"));
  dbVokabel->setToolTip(QStringLiteral("Vokabel aus dem Wörterbuch"));
  AccentKeyFilter::Install(dbVokabel);
  dbBedeutung = new QPlainTextEdit(this);
  dbBedeutung->setObjectName(options.windowNames ? QStringLiteral("DBBedeutung") : QStringLiteral("dbBedeutung"));
  dbBedeutung->setToolTip(QStringLiteral("Doppelklick für Sprachausgabe (falls vorhanden)"));
  AccentKeyFilter::Install(dbBedeutung);
  DBWortart = new QComboBox(this);
  DBWortart->setObjectName(QStringLiteral("DBWortart"));
  for (int i = 0; i < Vocabulary::kWortarten; ++i) DBWortart->addItem(Vocabulary::WortartEditorName(i));
  dFirst = button(this, "dFirst", QStyle::SP_MediaSkipBackward, QStringLiteral("Zum ersten Eintrag"));
  dPrevious = button(this, "dPrevious", QStyle::SP_MediaSeekBackward, QStringLiteral("Zum vorangehenden Eintrag"));
  Direction = new QToolButton(this);
  Direction->setObjectName(QStringLiteral("Direction"));
  Direction->setToolTip(QStringLiteral("Zur anderen Hälfte des Wörterbuchs"));
  dNext = button(this, "dNext", QStyle::SP_MediaSeekForward, QStringLiteral("Zum nächsten Eintrag"));
  dLast = button(this, "dLast", QStyle::SP_MediaSkipForward, QStringLiteral("Zum letzten Eintrag"));
  dAdd = button(this, "dAdd", QStyle::SP_FileIcon, QStringLiteral("Neuen Eintrag erzeugen"));
  dDelete = button(this, "dDelete", QStyle::SP_TrashIcon, QStringLiteral("Aktuellen Eintrag löschen"));
  if (options.playButton) {
    bPlay = button(this, "bPlay", QStyle::SP_MediaPlay, QStringLiteral("Sprachausgabe"));
    bPlay->setVisible(false);
  }
  connectControls();
  ShowEntry();
}

void TDictionaryPanel::connectControls() {
  connect(dbVokabel, &QLineEdit::textChanged, this, [this](const QString& word) {
    if (!filling_ && word != dictionary_.EntryWord()) dictionary_.SetEntryWord(-1, word);
  });
  connect(dbBedeutung, &QPlainTextEdit::textChanged, this, [this] {
    const QString meaning = dbBedeutung->toPlainText();
    if (!filling_ && meaning != dictionary_.EntryMeaning()) dictionary_.SetEntryMeaning(-1, meaning);
  });
  connect(DBWortart, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!filling_ && index >= 0 && index + 1 != dictionary_.EntryClass()) dictionary_.SetEntryClass(-1, index + 1);
  });
  connect(dFirst, &QToolButton::clicked, this, [this] { browse(&TXDatabase::FirstEntry); });
  connect(dPrevious, &QToolButton::clicked, this, [this] { browse(&TXDatabase::PreviousEntry); });
  connect(dNext, &QToolButton::clicked, this, [this] { browse(&TXDatabase::NextEntry); });
  connect(dLast, &QToolButton::clicked, this, [this] { browse(&TXDatabase::LastEntry); });
  connect(dAdd, &QToolButton::clicked, this, [this] {
    if (!dictionary_.CurrentEntryComplete()) return;
    dictionary_.InsertEntry();
    dbVokabel->setFocus();
  });
  connect(dDelete, &QToolButton::clicked, this, [this] {
    if (AskQuestion(EditorTexts::kDeleteEntry, MessageButtons::OkCancel) == MessageAnswer::Ok)
      dictionary_.DeleteEntry();
  });
  connect(Direction, &QToolButton::clicked, this,
          [this] { dictionary_.SetDirection(!dictionary_.IsGermanSpanish()); });
}

void TDictionaryPanel::browse(void (TXDatabase::*move)()) {
  if (dictionary_.CurrentEntryComplete()) (dictionary_.*move)();
}

void TDictionaryPanel::ShowEntry() {
  filling_ = true;
  // Without a current entry (an empty half, or the place after the last
  // entry) there is nothing to write to: "dAdd" makes one.
  const bool entry = dictionary_.CurrentIndex() >= 0 && dictionary_.CurrentIndex() < dictionary_.EntryCount();
  dbVokabel->setReadOnly(!entry);
  dbBedeutung->setReadOnly(!entry);
  DBWortart->setEnabled(entry);
  const QString word = dictionary_.EntryWord();
  if (dbVokabel->text() != word) dbVokabel->setText(word);
  const QString meaning = dictionary_.EntryMeaning();
  if (dbBedeutung->toPlainText() != meaning) dbBedeutung->setPlainText(meaning);
  const int index = dictionary_.EntryClass() - 1;
  if (DBWortart->currentIndex() != index) DBWortart->setCurrentIndex(index);
  filling_ = false;
  longName_ = dictionary_.DirectionName();
  shortName_ = dictionary_.DirectionShortName();
  place();
}

void TDictionaryPanel::ShowPlayButton(bool shown, const QString& hint) {
  if (!bPlay) return;
  bPlay->setToolTip(shown && !hint.isEmpty() ? hint : QStringLiteral("Sprachausgabe"));
  if (bPlay->isVisibleTo(this) == shown) return;
  bPlay->setVisible(shown);
  place();
}

void TDictionaryPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  place();
}

void TDictionaryPanel::place() {
  const int m = 6;
  const int rowH = std::max(22, fontMetrics().height() + 8);
  const int step = rowH + 2;
  const int w = width() - 2 * m;
  // The buttons in one row; the direction button takes what is left. Where
  // that is too little even for the short name, adding, deleting and
  // playing move down beside the word class.
  const QList<QToolButton*> browsing{dNext, dLast};
  QList<QToolButton*> editing{dAdd, dDelete};
  if (bPlay && bPlay->isVisibleTo(this)) editing.append(bPlay);
  const int shortW = fontMetrics().horizontalAdvance(shortName_) + 12;
  const bool oneRow = w - static_cast<int>(4 + editing.size()) * step >= shortW;
  QList<QToolButton*> right = browsing;
  if (oneRow) right += editing;
  int x = m;
  for (QToolButton* b : {dFirst, dPrevious}) {
    b->setGeometry(x, m, rowH, rowH);
    x += step;
  }
  const int directionW = std::max(40, w - static_cast<int>(2 + right.size()) * step);
  const bool longFits =
      !options_.shortDirection && fontMetrics().horizontalAdvance(longName_) + 12 <= directionW;
  const QString caption = longFits ? longName_ : shortName_;
  if (Direction->text() != caption) Direction->setText(caption);
  Direction->setGeometry(x, m, directionW, rowH);
  x += directionW + 2;
  for (QToolButton* b : right) {
    b->setGeometry(x, m, rowH, rowH);
    x += step;
  }
  int y = m + rowH + m;
  if (oneRow) {
    const int half = (w - m) / 2;
    dbVokabel->setGeometry(m, y, half, rowH);
    DBWortart->setGeometry(m + half + m, y, w - half - m, rowH);
  } else {
    dbVokabel->setGeometry(m, y, w, rowH);
    y += rowH + m;
    const int buttonsW = static_cast<int>(editing.size()) * step;
    DBWortart->setGeometry(m, y, w - buttonsW - m, rowH);
    x = m + w - buttonsW + 2;
    for (QToolButton* b : editing) {
      b->setGeometry(x, y, rowH, rowH);
      x += step;
    }
  }
  y += rowH + m;
  dbBedeutung->setGeometry(m, y, w, std::max(rowH, height() - y - m));
}
