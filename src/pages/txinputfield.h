#pragma once

#include <QLineEdit>
#include <functional>

#include "pages/pagetables.h"

class PageState;

// The single-line field of an INPUT tag, bound to a page variable: every
// change is stored at once; Enter stores the text and reports the variable's
// name; F1 cycles the character before the cursor through its accents.
class TXInputField : public QLineEdit {
  Q_OBJECT

 public:
  TXInputField(const TInputSpec& settings, PageState& page, QWidget* parent = nullptr);

  const QString& VariableName() const { return name_; }
  // Enter: the page hands the variable's name to its host.
  std::function<void(const QString& variableName)> OnEnter;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void store(const QString& text);

  PageState& page_;
  QString name_;
  bool upper_ = false;
  bool lower_ = false;
};
