#include "editor/dialogbuttons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

DialogButtons DialogButtons::Make(QDialog* dialog, const QString& okText) {
  DialogButtons b;
  b.ok = new QPushButton(okText, dialog);
  b.ok->setDefault(true);
  b.cancel = new QPushButton(QStringLiteral("Abbrechen"), dialog);
  QObject::connect(b.ok, &QPushButton::clicked, dialog, &QDialog::accept);
  QObject::connect(b.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  b.row = new QHBoxLayout;
  b.row->addStretch();
  b.row->addWidget(b.ok);
  b.row->addWidget(b.cancel);
  return b;
}
