// The editor window's printing: the library as a list and as index cards,
// on one printer whose set-up the author chooses once per session (and
// changes with "Druckereinstellungen...").
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "editor/libraryprint.h"
#include "editor/tveditor.h"
#include "editor/txprintdlg.h"
#include "users/txuserbase.h"
#include "vocabulary/tbibliothek.h"

QPrinter& TVEditor::Printer() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

bool TVEditor::FilePrintSetup() {
  bool confirmed = false;
  if (setUpPrinter) {
    confirmed = setUpPrinter(Printer());
  } else {
    QPrintDialog dialog(&Printer(), this);
    dialog.setWindowTitle(QStringLiteral("Druckereinstellungen"));
    confirmed = dialog.exec() == QDialog::Accepted;
    activateWindow();
  }
  printerConfirmed_ = printerConfirmed_ || confirmed;
  return confirmed;
}

bool TVEditor::printerReady() { return printerConfirmed_ || FilePrintSetup(); }

void TVEditor::FilePrint() {
  // The message comes before any dialog when there is nothing to print.
  if (!LibraryPrint::HasRecords(services_.library)) {
    LibraryPrint::Print(Printer(), services_.library);
    return;
  }
  if (!printerReady()) return;
  LibraryPrint::Print(Printer(), services_.library);
}

void TVEditor::FilePrintCards() {
  TXPrintDlg::Services services{services_.env, services_.library, Printer(), services_.users.IsLoggedIn(),
                                chooseCardTemplate, [this](QPrinter&) { return printerReady(); }};
  if (!services.chooseTemplate)
    services.chooseTemplate = [this](const QString& directory) {
      return QFileDialog::getOpenFileName(this, QStringLiteral("Vorlage für Karteikarten öffnen"), directory,
                                          QStringLiteral("Vorlagen für Karteikarten (*.txt *.TXT)"));
    };
  TXPrintDlg dialog(services, this);
  if (cardDialogShown) {
    cardDialogShown(dialog);
    dialog.accept();
  } else {
    dialog.exec();
  }
  activateWindow();
}
