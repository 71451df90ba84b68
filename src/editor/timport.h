#pragma once

#include <QDialog>
#include <optional>

class QComboBox;
class TXPage;

// "Import-Assistent": how the lines of a text file are cut into the fields
// of records: the separator and the order of the fields. A help page below
// explains both.
class TImport : public QDialog {
  Q_OBJECT
 public:
  // pageFolder: the course's page folder with the help page "_import.htx".
  explicit TImport(const QString& pageFolder, QWidget* parent = nullptr);

  QComboBox* Separator;
  QComboBox* Struktur;
  TXPage* Hilfe;

  // The separator a text names: the character between the first "[" and a
  // closing "]" ("Semikolon [;]"), "TAB" for the tab character, else the
  // text itself. No value when that is empty or longer than one character.
  static std::optional<QChar> SeparatorOf(const QString& text);
  // Why a text names no separator: empty, or more than one character.
  static QString SeparatorProblem(const QString& text);
  // OK is refused (with the message) while the separator cannot be cut with.
  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QString helpPage_;
};
