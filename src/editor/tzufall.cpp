#include "editor/tzufall.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "editor/dialogbuttons.h"

namespace {

QSlider* slider(QWidget* parent, const char* name, int from, int to, int tick, int value) {
  auto* s = new QSlider(Qt::Horizontal, parent);
  s->setObjectName(QLatin1String(name));
  s->setRange(from, to);
  s->setTickInterval(tick);
  s->setTickPosition(QSlider::TicksBelow);
  s->setPageStep(tick);
  s->setValue(value);
  return s;
}

}  // namespace

TZufall::TZufall(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Zufällig erzeugen"));
  auto* sizeGroup = new QGroupBox(QStringLiteral("Größe der Bibliothek"), this);
  cSize = slider(sizeGroup, "cSize", 40, 800, 40, 40);
  lSize = new QLabel(sizeGroup);
  lSize->setObjectName(QStringLiteral("lSize"));
  lSize->setMinimumWidth(lSize->fontMetrics().horizontalAdvance(QStringLiteral("8888")));
  auto* sizeRow = new QHBoxLayout(sizeGroup);
  sizeRow->addWidget(cSize, 1);
  sizeRow->addWidget(lSize);

  auto* shareGroup = new QGroupBox(this);
  cProzent = slider(shareGroup, "cProzent", 0, 100, 10, 50);
  fProzent = new QLabel(shareGroup);
  fProzent->setObjectName(QStringLiteral("fProzent"));
  dProzent = new QLabel(shareGroup);
  dProzent->setObjectName(QStringLiteral("dProzent"));
  auto* share = new QGridLayout(shareGroup);
  share->addWidget(new QLabel(QStringLiteral("Spanisch"), shareGroup), 0, 0);
  share->addWidget(cProzent, 0, 1, 2, 1);
  share->addWidget(new QLabel(QStringLiteral("Deutsch"), shareGroup), 0, 2, Qt::AlignRight);
  share->addWidget(fProzent, 1, 0);
  share->addWidget(dProzent, 1, 2, Qt::AlignRight);
  share->setColumnStretch(1, 1);

  cRedewendungen = new QCheckBox(QStringLiteral("Redewendungen"), this);
  cRedewendungen->setObjectName(QStringLiteral("cRedewendungen"));
  cRedewendungen->setChecked(true);
  cAlphabetisch = new QCheckBox(QStringLiteral("Alphabetisch sortieren"), this);
  cAlphabetisch->setObjectName(QStringLiteral("cAlphabetisch"));
  cAlphabetisch->setChecked(true);

  const auto showSize = [this](int n) { lSize->setText(QString::number(n)); };
  const auto showShare = [this](int spanish) {
    fProzent->setText(QString::number(spanish));
    dProzent->setText(QString::number(100 - spanish));
  };
  showSize(cSize->value());
  showShare(cProzent->value());
  connect(cSize, &QSlider::valueChanged, this, showSize);
  connect(cProzent, &QSlider::valueChanged, this, showShare);

  const DialogButtons buttons = DialogButtons::Make(this, QStringLiteral("&OK"));
  buttons.cancel->setText(QStringLiteral("&Abbrechen"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(sizeGroup);
  layout->addWidget(shareGroup);
  layout->addWidget(cRedewendungen);
  layout->addWidget(cAlphabetisch);
  layout->addLayout(buttons.row);
  setMinimumWidth(340);
}

int TZufall::Size() const { return cSize->value(); }
int TZufall::SpanishPercent() const { return cProzent->value(); }
bool TZufall::Phrases() const { return cRedewendungen->isChecked(); }
bool TZufall::Alphabetical() const { return cAlphabetisch->isChecked(); }
