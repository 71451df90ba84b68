#include "editor/searchdialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/accentkeyfilter.h"

namespace {

QHBoxLayout* buttonRow(QPushButton* ok, QPushButton* cancel) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(ok);
  row->addWidget(cancel);
  return row;
}

}  // namespace

TEdSuchen::TEdSuchen(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("In Bibliothek suchen"));
  Begriff = new QLineEdit(this);
  Begriff->setObjectName(QStringLiteral("Begriff"));
  AccentKeyFilter::Install(Begriff);
  CaseBox = new QCheckBox(QStringLiteral("&Groß-/Kleinschreibung"), this);
  CaseBox->setObjectName(QStringLiteral("CaseBox"));
  Suchen = new QPushButton(QStringLiteral("&Suchen"), this);
  Suchen->setDefault(true);
  Abbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("Suchen nach:"), this), 0, 0);
  grid->addWidget(Begriff, 0, 1);
  grid->addWidget(CaseBox, 1, 1);
  grid->addLayout(buttonRow(Suchen, Abbrechen), 2, 0, 1, 2);
  connect(Suchen, &QPushButton::clicked, this, &QDialog::accept);
  connect(Abbrechen, &QPushButton::clicked, this, &QDialog::reject);
  setMinimumWidth(360);
}

TEdGoTo::TEdGoTo(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("*zvk editor"));
  Begriff = new QLineEdit(this);
  Begriff->setObjectName(QStringLiteral("Begriff"));
  Begriff->setToolTip(QStringLiteral("Nummer oder Vokabel eingeben"));
  AccentKeyFilter::Install(Begriff);
  Ok = new QPushButton(QStringLiteral("&OK"), this);
  Ok->setDefault(true);
  Abbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("Gehe zu Vokabel:"), this), 0, 0);
  grid->addWidget(Begriff, 0, 1);
  grid->addLayout(buttonRow(Ok, Abbrechen), 1, 0, 1, 2);
  connect(Ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(Abbrechen, &QPushButton::clicked, this, &QDialog::reject);
  setMinimumWidth(300);
}
