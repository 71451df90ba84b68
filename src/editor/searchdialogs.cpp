#include "editor/searchdialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/accentkeyfilter.h"
#include "editor/dialogbuttons.h"

TEdSuchen::TEdSuchen(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("In Bibliothek suchen"));
  Begriff = new QLineEdit(this);
  Begriff->setObjectName(QStringLiteral("Begriff"));
  AccentKeyFilter::Install(Begriff);
  CaseBox = new QCheckBox(QStringLiteral("&Groß-/Kleinschreibung"), this);
  CaseBox->setObjectName(QStringLiteral("CaseBox"));
  const DialogButtons buttons = DialogButtons::Make(this, QStringLiteral("&Suchen"));
  Suchen = buttons.ok;
  Abbrechen = buttons.cancel;
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("Suchen nach:"), this), 0, 0);
  grid->addWidget(Begriff, 0, 1);
  grid->addWidget(CaseBox, 1, 1);
  grid->addLayout(buttons.row, 2, 0, 1, 2);
  setMinimumWidth(360);
}

TEdGoTo::TEdGoTo(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("*zvk editor"));
  Begriff = new QLineEdit(this);
  Begriff->setObjectName(QStringLiteral("Begriff"));
  Begriff->setToolTip(QStringLiteral("Nummer oder Vokabel eingeben"));
  AccentKeyFilter::Install(Begriff);
  const DialogButtons buttons = DialogButtons::Make(this, QStringLiteral("&OK"));
  Ok = buttons.ok;
  Abbrechen = buttons.cancel;
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("Gehe zu Vokabel:"), this), 0, 0);
  grid->addWidget(Begriff, 0, 1);
  grid->addLayout(buttons.row, 1, 0, 1, 2);
  setMinimumWidth(300);
}
