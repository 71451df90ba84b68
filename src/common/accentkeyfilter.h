#pragma once

#include <QObject>

class QLineEdit;
class QPlainTextEdit;
class QTextEdit;

// The special-character key of the edit fields of both programs: F1 turns
// the character before the cursor into the next one of its accent group
// ("a" -> "á" -> "à" ...; "?" -> "¿" -> "!" -> "¡"); the cursor stays. A
// read-only field takes the key and changes nothing.
class AccentKeyFilter : public QObject {
  Q_OBJECT
 public:
  // Installs one filter (owned by the edit) on a single-line edit.
  static void Install(QLineEdit* edit);
  // The same for the multi-line edits (the editor's record fields).
  static void Install(QPlainTextEdit* edit);
  static void Install(QTextEdit* edit);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  using QObject::QObject;
};
