#include "editor/dictionarypanel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QToolButton>

#include "common/accentkeyfilter.h"
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

TDictionaryPanel::TDictionaryPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("WP"));
  setAutoFillBackground(true);
  dbVokabel = new QLineEdit(this);
  dbVokabel->setObjectName(QStringLiteral("dbVokabel"));
  dbVokabel->setToolTip(QStringLiteral("Vokabel aus dem Wörterbuch"));
  AccentKeyFilter::Install(dbVokabel);
  dbBedeutung = new QPlainTextEdit(this);
  dbBedeutung->setObjectName(QStringLiteral("dbBedeutung"));
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
  // The panel's work belongs to the dictionary checks; until they are
  // connected it only shows where the entry will stand.
  setEnabled(false);
  setToolTip(QStringLiteral("Das Wörterbuch wird in einer späteren Version hier angeschlossen."));
  place();
}

void TDictionaryPanel::ShowDirection(const QString& longName, const QString& shortName) {
  longName_ = longName;
  shortName_ = shortName;
  place();
}

void TDictionaryPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  place();
}

void TDictionaryPanel::place() {
  const int m = 6;
  const int rowH = std::max(22, fontMetrics().height() + 8);
  const int w = width() - 2 * m;
  // The buttons in one row; the direction button takes what is left.
  const QList<QToolButton*> left{dFirst, dPrevious};
  const QList<QToolButton*> right{dNext, dLast, dAdd, dDelete};
  int x = m;
  for (QToolButton* b : left) {
    b->setGeometry(x, m, rowH, rowH);
    x += rowH + 2;
  }
  const int directionW = std::max(40, w - 6 * (rowH + 2));
  const bool longFits = fontMetrics().horizontalAdvance(longName_) + 12 <= directionW;
  Direction->setText(longFits ? longName_ : shortName_);
  Direction->setGeometry(x, m, directionW, rowH);
  x += directionW + 2;
  for (QToolButton* b : right) {
    b->setGeometry(x, m, rowH, rowH);
    x += rowH + 2;
  }
  const int y = m + rowH + m;
  const int half = (w - m) / 2;
  dbVokabel->setGeometry(m, y, half, rowH);
  DBWortart->setGeometry(m + half + m, y, w - half - m, rowH);
  dbBedeutung->setGeometry(m, y + rowH + m, w, std::max(rowH, height() - (y + rowH + m) - m));
}
