#pragma once

#include <QString>

class QDialog;
class QHBoxLayout;
class QPushButton;

// The buttons at the foot of the editor's small dialogs: OK (the default
// button; it accepts, through the dialog's own accept when it has one) and
// "Abbrechen" (rejects), right-aligned in a row for the dialog's layout.
struct DialogButtons {
  QPushButton* ok = nullptr;
  QPushButton* cancel = nullptr;
  QHBoxLayout* row = nullptr;

  static DialogButtons Make(QDialog* dialog, const QString& okText = QStringLiteral("OK"));
};
