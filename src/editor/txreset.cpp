#include "editor/txreset.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include "editor/dialogbuttons.h"

TXReset::TXReset(const QString& userName, QWidget* parent) : QDialog(parent) {
  setWindowTitle(userName);
  auto* group = new QGroupBox(QStringLiteral(" Auswertung zurücksetzen "), this);
  Bibliothek = new QRadioButton(QStringLiteral("Alle Vokabeln in dieser Bibliothek"), group);
  Bibliothek->setObjectName(QStringLiteral("Bibliothek"));
  Bibliothek->setChecked(true);
  Datenbank = new QRadioButton(QStringLiteral("Alle Vokabel insgesamt"), group);
  Datenbank->setObjectName(QStringLiteral("Datenbank"));
  auto* groupLayout = new QVBoxLayout(group);
  groupLayout->addWidget(Bibliothek);
  groupLayout->addWidget(Datenbank);

  Versuche = new QSlider(Qt::Horizontal, this);
  Versuche->setObjectName(QStringLiteral("Versuche"));
  Versuche->setRange(1, 5);
  Versuche->setValue(5);
  Versuche->setTickPosition(QSlider::TicksBelow);
  lVersuche = new QLabel(this);
  lVersuche->setObjectName(QStringLiteral("lVersuche"));
  const auto showCount = [this](int n) { lVersuche->setText(QString::number(n) + QStringLiteral(" Antworten")); };
  showCount(Versuche->value());
  connect(Versuche, &QSlider::valueChanged, this, showCount);
  nurPositiv = new QCheckBox(QStringLiteral("Nur positive Werte"), this);
  nurPositiv->setObjectName(QStringLiteral("nurPositiv"));

  const DialogButtons buttons = DialogButtons::Make(this);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  auto* question = new QLabel(QStringLiteral("Wieviele der (ältesten) Antworten sollen gelöscht werden (5 = alle)?"), this);
  question->setWordWrap(true);
  layout->addWidget(question);
  auto* sliderRow = new QHBoxLayout;
  sliderRow->addWidget(Versuche, 1);
  sliderRow->addWidget(lVersuche);
  layout->addLayout(sliderRow);
  layout->addWidget(nurPositiv);
  layout->addLayout(buttons.row);
}

int TXReset::Count() const { return Versuche->value(); }
