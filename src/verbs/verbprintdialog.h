#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

#include "verbs/tverb.h"

class QComboBox;
class QPrinter;

// "Verbtafeln drucken": the list VL of "<alle Verben>" and every verb,
// "Einrichten..." for the printer, "OK" to print, "Abbrechen".
class TVerbPrDlg : public QDialog {
  Q_OBJECT

 public:
  TVerbPrDlg(const std::vector<TVerb>& verbs, QWidget* parent = nullptr);
  ~TVerbPrDlg() override;

  QComboBox* VL() const { return list_; }
  QPrinter& Printer() { return *printer_; }
  // The verb to print: -1 for all verbs.
  int Choice() const;
  // Prints the choice on the printer as it is set up; false when nothing
  // could be printed.
  bool PrintChoice();

  // The printer's set-up; true when it was confirmed. Tests replace it.
  std::function<bool(QPrinter&, QWidget*)> SetUpPrinter;

  // OK: the printer is set up first unless "Einrichten..." did it, then the
  // choice is printed and the dialog closes.
  void accept() override;

 private:
  void setUp();

  const std::vector<TVerb>& verbs_;
  std::unique_ptr<QPrinter> printer_;
  QComboBox* list_ = nullptr;
  bool setUpDone_ = false;
};
