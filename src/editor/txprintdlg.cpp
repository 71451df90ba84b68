#include "editor/txprintdlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

#include "common/messagebox.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "vocabulary/tbibliothek.h"

namespace {

// The word classes as the dialog names the records it prints.
const char* const kClassCaptions[8] = {"Nomen",           "Verben",         "Adjektive",    "Kleine Wörter",
                                       "Redewendungen m. V.", "Redewendungen o. V.", "Adverbien", "Präpositionen"};

const QString kTemplateFile = QStringLiteral("Karteikarten.txt");

QString editorDir(const Environment& env) { return env.ProgramDir + QStringLiteral("Editor/"); }

}  // namespace

TXPrintDlg::TXPrintDlg(Services services, QWidget* parent) : QDialog(parent), services_(services) {
  setWindowTitle(QStringLiteral("Karteikarten drucken"));
  Tabs = new QTabWidget(this);
  Tabs->addTab(createPagesTab(), QStringLiteral("Seiten"));
  FrontPreview = new QLabel;
  FrontPreview->setObjectName(QStringLiteral("FrontPreview"));
  FrontPreview->setAlignment(Qt::AlignCenter);
  BackPreview = new QLabel;
  BackPreview->setObjectName(QStringLiteral("BackPreview"));
  BackPreview->setAlignment(Qt::AlignCenter);
  // The pictures follow the tab's size, never the other way round.
  for (QLabel* preview : {FrontPreview, BackPreview}) preview->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  Tabs->addTab(FrontPreview, QStringLiteral("Vorderseite"));
  Tabs->addTab(BackPreview, QStringLiteral("Rückseite"));
  connect(Tabs, &QTabWidget::currentChanged, this, [this] { refreshPreviews(); });

  VorlageLaden = new QPushButton(QStringLiteral("Vorlage laden"), this);
  VorderseitenDrucken = new QPushButton(QStringLiteral("Vorderseite(n) drucken"), this);
  RueckseitenDrucken = new QPushButton(QStringLiteral("Rückseite(n) drucken"), this);
  Schliessen = new QPushButton(QStringLiteral("Schließen"), this);
  connect(VorlageLaden, &QPushButton::clicked, this, &TXPrintDlg::ChooseTemplate);
  connect(VorderseitenDrucken, &QPushButton::clicked, this, [this] { PrintSide(false); });
  connect(RueckseitenDrucken, &QPushButton::clicked, this, [this] { PrintSide(true); });
  connect(Schliessen, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(VorlageLaden);
  buttons->addStretch(1);
  buttons->addWidget(VorderseitenDrucken);
  buttons->addWidget(RueckseitenDrucken);
  buttons->addWidget(Schliessen);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Tabs, 1);
  layout->addLayout(buttons);

  // The back's shift as the author left it the last time.
  document_.backShift = std::clamp(services_.env.Versatz, -40, 40);
  Versatz->setValue(document_.backShift);
  usePrinterPaper();
  const QString standard = editorDir(services_.env) + kTemplateFile;
  if (QFileInfo(standard).isFile()) LoadTemplate(standard);
  else ChooseTemplate();
  if (!services_.learnerLoggedIn) {
    Filter->setEnabled(false);
    Filter->setTitle(QStringLiteral("Filter inaktiv - Benutzer nicht angemeldet"));
    for (QWidget* w : Filter->findChildren<QWidget*>())
      if (w != AlleVokabeln && w != NurWerte) w->setVisible(false);
  }
  SelectRecords();
  resize(560, 480);
}

QWidget* TXPrintDlg::createPagesTab() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);

  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(new QLabel(QStringLiteral("Thema:"), page));
  Name = new QLineEdit(page);
  Name->setObjectName(QStringLiteral("Name"));
  connect(Name, &QLineEdit::textChanged, this, [this](const QString& t) {
    document_.title = t;
    refreshPreviews();
  });
  nameRow->addWidget(Name, 1);
  grid->addLayout(nameRow, 0, 0, 1, 2);
  lWordsAvailable = new QLabel(page);
  lWordsSelected = new QLabel(page);
  TemplateInfo = new QLabel(page);
  TemplateInfo->setObjectName(QStringLiteral("TemplateInfo"));
  auto* counts = new QVBoxLayout;
  counts->addWidget(lWordsAvailable);
  counts->addWidget(lWordsSelected);
  counts->addWidget(TemplateInfo);
  grid->addLayout(counts, 1, 0);

  auto* shift = new QGroupBox(QStringLiteral(" Rückseite verschieben "), page);
  Versatz = new QSlider(Qt::Horizontal, shift);
  Versatz->setObjectName(QStringLiteral("Versatz"));
  Versatz->setRange(-40, 40);
  Versatz->setTickInterval(10);
  Versatz->setTickPosition(QSlider::TicksBelow);
  mm = new QLabel(shift);
  mm->setObjectName(QStringLiteral("mm"));
  const auto showShift = [this](int value) {
    document_.backShift = value;
    mm->setText(QLocale(QLocale::German).toString(value / 10.0, 'f', 1) + QStringLiteral(" mm"));
    refreshPreviews();
  };
  connect(Versatz, &QSlider::valueChanged, this, showShift);
  showShift(0);
  auto* shiftRow = new QHBoxLayout(shift);
  shiftRow->addWidget(new QLabel(QStringLiteral("Links"), shift));
  shiftRow->addWidget(Versatz, 1);
  shiftRow->addWidget(new QLabel(QStringLiteral("Rechts"), shift));
  shiftRow->addWidget(mm);
  grid->addWidget(shift, 1, 1);

  auto* classes = new QGroupBox(QStringLiteral("Wortarten"), page);
  auto* classGrid = new QGridLayout(classes);
  for (int i = 0; i < 8; ++i) {
    Wortarten[i] = new QCheckBox(QString::fromUtf8(kClassCaptions[i]), classes);
    Wortarten[i]->setChecked(true);
    connect(Wortarten[i], &QCheckBox::toggled, this, [this] { SelectRecords(); });
    classGrid->addWidget(Wortarten[i], i % 4, i / 4);
  }
  grid->addWidget(classes, 2, 0);

  Filter = new QGroupBox(QStringLiteral(" Filter "), page);
  Filter->setObjectName(QStringLiteral("Filter"));
  AlleVokabeln = new QRadioButton(QStringLiteral("Alle Vokabeln"), Filter);
  AlleVokabeln->setChecked(true);
  NurWerte = new QRadioButton(QStringLiteral("Nur Werte von:"), Filter);
  FromV = new QLineEdit(QStringLiteral("-100"), Filter);
  ToV = new QLineEdit(QStringLiteral("100"), Filter);
  for (QLineEdit* e : {FromV, ToV}) {
    e->setMaximumWidth(50);
    connect(e, &QLineEdit::editingFinished, this, [this] {
      correctRange();
      SelectRecords();
    });
  }
  connect(AlleVokabeln, &QRadioButton::toggled, this, [this] { SelectRecords(); });
  auto* filterGrid = new QGridLayout(Filter);
  filterGrid->addWidget(AlleVokabeln, 0, 0, 1, 5);
  filterGrid->addWidget(NurWerte, 1, 0);
  filterGrid->addWidget(FromV, 1, 1);
  filterGrid->addWidget(new QLabel(QStringLiteral("bis:"), Filter), 1, 2);
  filterGrid->addWidget(ToV, 1, 3);
  filterGrid->addWidget(new QLabel(QStringLiteral("%"), Filter), 1, 4);
  grid->addWidget(Filter, 2, 1);

  auto* pages = new QGroupBox(QStringLiteral("Seiten "), page);
  AlleSeiten = new QRadioButton(pages);
  AlleSeiten->setChecked(true);
  SeitenVon = new QRadioButton(QStringLiteral("Seite(n) von:"), pages);
  von = new QLineEdit(pages);
  bis = new QLineEdit(pages);
  for (QLineEdit* e : {von, bis}) {
    e->setMaximumWidth(50);
    connect(e, &QLineEdit::textEdited, this, [this] { SeitenVon->setChecked(true); });
    connect(e, &QLineEdit::editingFinished, this, &TXPrintDlg::CorrectPages);
  }
  connect(AlleSeiten, &QRadioButton::toggled, this, [this](bool on) {
    if (!on || correcting_) return;
    document_.firstPage = 1;
    document_.lastPage = -1;
  });
  Schnittlinien = new QCheckBox(QStringLiteral("Schnittlinien drucken"), pages);
  Schnittlinien->setChecked(true);
  connect(Schnittlinien, &QCheckBox::toggled, this, [this](bool on) {
    document_.cutLines = on;
    refreshPreviews();
  });
  auto* pageGrid = new QGridLayout(pages);
  pageGrid->addWidget(AlleSeiten, 0, 0, 1, 4);
  pageGrid->addWidget(SeitenVon, 1, 0);
  pageGrid->addWidget(von, 1, 1);
  pageGrid->addWidget(new QLabel(QStringLiteral("bis:"), pages), 1, 2);
  pageGrid->addWidget(bis, 1, 3);
  pageGrid->addWidget(Schnittlinien, 2, 0, 1, 4);
  pageGrid->setColumnStretch(4, 1);
  grid->addWidget(pages, 3, 0, 1, 2);
  grid->setRowStretch(4, 1);
  return page;
}

bool TXPrintDlg::LoadTemplate(const QString& path) {
  const CardTemplates::Loaded loaded = CardTemplates::Load(path);
  if (!loaded.cards) {
    ShowMessage(loaded.error, MessageKind::Stop);
    return false;
  }
  document_.cards = *loaded.cards;
  document_.templateName = QFileInfo(path).fileName();
  TemplateInfo->setText(document_.templateName);
  fittingReported_ = false;
  ReportFitting();
  refreshPageCount();
  refreshPreviews();
  return true;
}

void TXPrintDlg::ChooseTemplate() {
  if (!services_.chooseTemplate) return;
  const QString file = services_.chooseTemplate(editorDir(services_.env));
  if (!file.isEmpty()) LoadTemplate(file);
}

void TXPrintDlg::ReportFitting() {
  QStringList messages;
  document_.Fit(&messages);
  if (fittingReported_) return;
  fittingReported_ = true;
  for (const QString& m : messages) ShowMessage(m, MessageKind::Stop);
}

void TXPrintDlg::correctRange() {
  const auto value = [](QLineEdit* e, int fallback) {
    bool ok = false;
    const int v = e->text().trimmed().toInt(&ok);
    return ok && v >= -100 && v <= 100 ? v : fallback;
  };
  int from = value(FromV, -100);
  int to = value(ToV, 100);
  if (from > to) std::swap(from, to);
  FromV->setText(QString::number(from));
  ToV->setText(QString::number(to));
  if (from == -100 && to == 100) AlleVokabeln->setChecked(true);
  else NurWerte->setChecked(true);
}

void TXPrintDlg::SelectRecords() {
  const TBibliothek& lib = services_.library;
  const bool filtered = services_.learnerLoggedIn && NurWerte->isChecked() &&
                        !(FromV->text().toInt() == -100 && ToV->text().toInt() == 100);
  const int from = FromV->text().toInt();
  const int to = ToV->text().toInt();
  document_.selected.clear();
  const int available = lib.Count();
  for (int i = 0; i < available; ++i) {
    const TVokabel& r = lib.Items.at(i);
    if (r.Wortart < 0 || r.Wortart > 7 || !Wortarten[r.Wortart]->isChecked()) continue;
    if (filtered && (r.Score < from || r.Score > to)) continue;
    document_.selected << i;
  }
  lWordsAvailable->setText(QString::number(available) + QStringLiteral(" Vokabeln insgesamt"));
  lWordsSelected->setText(QString::number(document_.selected.size()) + QStringLiteral(" Vokabeln ausgewählt"));
  refreshPageCount();
  refreshPreviews();
}

void TXPrintDlg::refreshPageCount() {
  AlleSeiten->setText(QStringLiteral("Alle Seiten (") + QString::number(document_.PageCount(document_.Fit())) +
                      QLatin1Char(')'));
}

void TXPrintDlg::CorrectPages() {
  if (!SeitenVon->isChecked()) return;
  const PageRange range = PageRange::From(von->text(), bis->text(), document_.PageCount(document_.Fit()));
  document_.firstPage = range.first;
  document_.lastPage = range.last;
  correcting_ = true;
  von->setText(QString::number(range.first));
  bis->setText(range.last < 0 ? QString() : QString::number(range.last));
  if (range.all) AlleSeiten->setChecked(true);
  correcting_ = false;
}

void TXPrintDlg::usePrinterPaper() {
  const QRectF sheet = services_.printer.pageLayout().fullRect(QPageLayout::Millimeter);
  if (sheet.isEmpty()) return;
  const QSize paper(qRound(sheet.width() * 10), qRound(sheet.height() * 10));
  if (paper != document_.paper) fittingReported_ = false;
  document_.paper = paper;
}

bool TXPrintDlg::PrintSide(bool back) {
  QPrinter& printer = services_.printer;
  if (printer.printerState() == QPrinter::Active) return false;
  if (!services_.setUpPrinter || !services_.setUpPrinter(printer)) return false;
  usePrinterPaper();
  ReportFitting();
  if (AlleSeiten->isChecked()) {
    document_.firstPage = 1;
    document_.lastPage = -1;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool printed = document_.Print(printer, back, services_.library);
  QApplication::restoreOverrideCursor();
  // The printer's paper may be another now: pages, range and pictures follow.
  refreshPageCount();
  CorrectPages();
  refreshPreviews();
  return printed;
}

QPixmap TXPrintDlg::preview(bool back, QSize size) const {
  QPixmap picture(size.expandedTo(QSize(10, 10)));
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  const QSize paper = document_.paper;
  const double scale = std::min(picture.width() / double(paper.width()), picture.height() / double(paper.height()));
  painter.translate((picture.width() - paper.width() * scale) / 2, (picture.height() - paper.height() * scale) / 2);
  painter.scale(scale, scale);
  painter.setPen(QColor(0xCC, 0xCC, 0xCC));
  painter.drawRect(QRect(QPoint(0, 0), paper));
  document_.DrawPage(painter, document_.Fit(), 0, back, services_.library);
  return picture;
}

void TXPrintDlg::refreshPreviews() {
  if (!FrontPreview || !isVisible()) return;
  if (Tabs->currentWidget() == FrontPreview) FrontPreview->setPixmap(preview(false, FrontPreview->size()));
  if (Tabs->currentWidget() == BackPreview) BackPreview->setPixmap(preview(true, BackPreview->size()));
}

void TXPrintDlg::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  refreshPreviews();
}

void TXPrintDlg::done(int result) {
  // The back's shift is kept for the next cards.
  services_.env.Versatz = document_.backShift;
  services_.env.store().writeInteger(Environment::kDirectoriesKey, QStringLiteral("Versatz"), document_.backShift);
  QDialog::done(result);
}
