#include "verbs/verbprintdialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/messagebox.h"
#include "verbs/verbtableprinter.h"

TVerbPrDlg::TVerbPrDlg(const std::vector<TVerb>& verbs, QWidget* parent)
    : QDialog(parent), verbs_(verbs), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  setWindowTitle(QStringLiteral("Verbtafeln drucken"));
  printer_->setPageOrientation(QPageLayout::Landscape);
  printer_->setDocName(QStringLiteral("Verbtafeln"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Welche Verbtafeln sollen gedruckt werden?"), this));
  list_ = new QComboBox(this);
  list_->setObjectName(QStringLiteral("VL"));
  list_->addItem(QStringLiteral("<alle Verben>"));
  for (const TVerb& verb : verbs_) list_->addItem(verb.Infinitiv);
  list_->setCurrentIndex(0);
  layout->addWidget(list_);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* setup = buttons->addButton(QStringLiteral("Einrichten..."), QDialogButtonBox::ActionRole);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
  layout->addWidget(buttons);
  connect(setup, &QPushButton::clicked, this, &TVerbPrDlg::setUp);
  connect(buttons, &QDialogButtonBox::accepted, this, &TVerbPrDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TVerbPrDlg::reject);

  // The desktop's print dialog: a printer, or a PDF file.
  SetUpPrinter = [](QPrinter& printer, QWidget* owner) {
    QPrintDialog dialog(&printer, owner);
    dialog.setWindowTitle(QStringLiteral("Verbtafeln drucken"));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
  };
}

TVerbPrDlg::~TVerbPrDlg() = default;

int TVerbPrDlg::Choice() const { return list_->currentIndex() - 1; }

void TVerbPrDlg::setUp() {
  if (SetUpPrinter && SetUpPrinter(*printer_, this)) setUpDone_ = true;
}

bool TVerbPrDlg::PrintChoice() { return VerbTablePrinter::Print(*printer_, verbs_, Choice()); }

void TVerbPrDlg::accept() {
  // Where the tables go is chosen once; OK after "Einrichten..." prints at once.
  if (!setUpDone_) {
    if (!SetUpPrinter || !SetUpPrinter(*printer_, this)) return;
    setUpDone_ = true;
  }
  if (!PrintChoice()) {
    ShowMessage(QStringLiteral("Die Verbtafeln konnten nicht gedruckt werden!"));
    return;
  }
  QDialog::accept();
}
