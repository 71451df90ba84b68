#include "editor/timport.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "common/messagebox.h"
#include "editor/dialogbuttons.h"
#include "editor/editortexts.h"
#include "pages/txpage.h"

TImport::TImport(const QString& pageFolder, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Import-Assistent"));
  Separator = new QComboBox(this);
  Separator->setObjectName(QStringLiteral("Separator"));
  Separator->setEditable(true);
  Separator->addItems({QStringLiteral("Tabulator [TAB]"), QStringLiteral("Doppelpunkt [:]"),
                       QStringLiteral("Bindestrich [-]"), QStringLiteral("Semikolon [;]"),
                       QStringLiteral("Komma [,]"), QStringLiteral("Schrägstrich [/]")});
  Struktur = new QComboBox(this);
  Struktur->setObjectName(QStringLiteral("Struktur"));
  Struktur->setEditable(true);
  Struktur->addItems({QStringLiteral("Vokabel, Bedeutung"), QStringLiteral("Vokabel, Bedeutung, Bedeutung"),
                      QStringLiteral("Vokabel, Bedeutung, Bedeutung, Bedeutung"),
                      QStringLiteral("Vokabel, Bedeutung, Wortart"),
                      QStringLiteral("Vokabel, Bedeutung, Bedeutung, Kontext, Kontext"),
                      QStringLiteral("Vokabel, Bedeutung, Schwierigkeit"),
                      QStringLiteral("Vokabel, Bedeutung, Sonstwas, Kontext")});
  Hilfe = new TXPage(this);
  Hilfe->setObjectName(QStringLiteral("Hilfe"));
  Hilfe->setFixedSize(520, 230);
  Hilfe->setXPath(pageFolder);
  const DialogButtons buttons = DialogButtons::Make(this);

  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("Die einzelnen Werte sind getrennt durch:"), this), 0, 0);
  grid->addWidget(Separator, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Eine Zeile der Datei hat folgende Struktur:"), this), 1, 0);
  grid->addWidget(Struktur, 1, 1);
  grid->addWidget(Hilfe, 2, 0, 1, 2);
  grid->addLayout(buttons.row, 3, 0, 1, 2);
  helpPage_ = pageFolder + QStringLiteral("_import.htx");
}

void TImport::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The page is built for the size it has on the screen: once the dialog stands.
  if (Hilfe->XFile().isEmpty())
    QTimer::singleShot(0, this, [this] {
      if (Hilfe->XFile().isEmpty()) Hilfe->setXFile(helpPage_);
    });
}

namespace {

// The text that names the separator: what stands between the first "[" and
// a closing "]", or the whole text.
QString separatorText(const QString& text) {
  const qsizetype open = text.indexOf(QLatin1Char('['));
  if (open >= 0 && text.endsWith(QLatin1Char(']')) && open < text.size() - 1)
    return text.mid(open + 1, text.size() - open - 2);
  return text;
}

}  // namespace

std::optional<QChar> TImport::SeparatorOf(const QString& text) {
  const QString separator = separatorText(text);
  if (separator.compare(QLatin1String("TAB"), Qt::CaseInsensitive) == 0) return QChar(u'\t');
  if (separator.size() != 1) return std::nullopt;
  return separator.at(0);
}

QString TImport::SeparatorProblem(const QString& text) {
  if (SeparatorOf(text)) return {};
  return separatorText(text).trimmed().isEmpty() ? EditorTexts::kSeparatorMissing : EditorTexts::kSeparatorTooLong;
}

void TImport::accept() {
  const QString problem = SeparatorProblem(Separator->currentText());
  if (!problem.isEmpty()) {
    ShowMessage(problem);
    return;
  }
  QDialog::accept();
}
