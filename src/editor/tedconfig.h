#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "editor/editorscheme.h"

class Environment;
class QComboBox;
class QFrame;
class QLineEdit;
class QListWidget;
class QPushButton;

// "Schema speichern": the name a scheme is saved under.
class TSchemaDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TSchemaDlg(const QString& name, QWidget* parent = nullptr);
  QLineEdit* SchemaName;
  // OK is refused for an empty name and for a name with a character that
  // cannot stand in a file name.
  void accept() override;
};

// "Eigenschaften von Editor": picks a named scheme or changes the font, the
// sizes and the eight colours of the current one, each applied to the
// window at once. Cancel puts back what was there when the dialog opened.
class TEdConfig : public QDialog {
  Q_OBJECT
 public:
  // scheme and schemeName are the window's; apply shows them on the window.
  TEdConfig(const Environment& env, TElemente& scheme, QString& schemeName, std::function<void()> apply,
            QWidget* parent = nullptr);

  QListWidget* Schema;
  QPushButton* SaveScheme;
  QComboBox* Schrift;
  QComboBox* SchriftG;
  QPushButton* Fett;
  std::array<QLineEdit*, TElemente::kColours> F{};
  std::array<QFrame*, TElemente::kColours> C{};
  QPushButton* Ok;
  QPushButton* Abbrechen;

  // The scheme's name dialog; the platform's (TSchemaDlg) when unset.
  std::function<std::optional<QString>(const QString& proposal)> askName;

  // The controls' actions.
  void ChooseScheme(const QString& name);
  void ChooseFont(const QString& family);
  void ChangeSize(const QString& text);
  void ToggleBold();
  // A colour field's text: applied when it holds six hexadecimal digits.
  void ColourTyped(int row, bool enter);
  void SaveUnderName();
  void accept() override;
  void reject() override;

 private:
  void fill();
  void applied();
  void becomesUnnamed();
  void noScheme();
  void showColour(int row);

  const Environment& env_;
  TElemente& scheme_;
  QString& name_;
  std::function<void()> apply_;
  TElemente openedScheme_;
  QString openedName_;
  QString proposal_;
  bool filling_ = false;
};
