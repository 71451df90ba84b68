#include "editor/txwb.h"

#include <QAction>
#include <QGuiApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>
#include <QToolButton>

#include "common/accentkeyfilter.h"
#include "common/meaningtext.h"
#include "common/messagebox.h"
#include "dictionary/dictionarymaintenance.h"
#include "dictionary/txdatabase.h"
#include "editor/dictionarypanel.h"
#include "editor/editortexts.h"
#include "editor/recordingtexts.h"
#include "editor/specialcharacters.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "vocabulary/tvokabel.h"

namespace {

constexpr int kBarHeight = 30;
constexpr int kHeaderHeight = 15;
constexpr int kRowHeight = 19;

}  // namespace

// A window of its own that stays above the main window. Not a tool window:
// Qt gives a tool window's keys to its parent window's shortcuts as well,
// and both windows bind Ctrl+S, Ctrl+K, Ctrl+F, F5... to their own commands.
TXWb::TXWb(Services services, QWidget* parent) : QMainWindow(parent, Qt::Window), services_(services) {
  setObjectName(QStringLiteral("TXWb"));
  setWindowTitle(QStringLiteral("zvk spanisch"));
  createPanels();
  createMenus();
  // Resizable in its width only.
  setMinimumSize(kWidth, kHeight);
  setMaximumSize(kMaxWidth, kHeight);
  resize(kWidth, kHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect desk = screen->availableGeometry();
    move(desk.x() + std::max(0, (desk.width() - kWidth) / 2), desk.y() + std::max(0, (desk.height() - kHeight) / 2));
  }
  ShowPanel(SuchenPanel);
  // The dictionary tells this window about every change from now on.
  services_.dictionary.OnChange = Notifier{this};
  DBChanged();
  DisplaySearchResults();
}

TXWb::~TXWb() {
  // The dictionary outlives the window. Its notification ends here, unless
  // another window has taken it over meanwhile.
  std::function<void()>& notify = services_.dictionary.OnChange;
  if (const Notifier* mine = notify.target<Notifier>(); mine && mine->window == this) notify = nullptr;
}

QList<QAction*> TXWb::Actions() const { return actions_.values() + characterActions_; }

void TXWb::createPanels() {
  auto* central = new QWidget(this);
  setCentralWidget(central);

  Panel1 = new QWidget(central);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  const auto barButton = [this](const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, Panel1);
    b->setObjectName(QLatin1String(name));
    return b;
  };
  xSuchen = barButton("xSuchen", QStringLiteral("Suchen"));
  xBearbeiten = barButton("xBearbeiten", QStringLiteral("Bearbeiten"));
  xBlaettern = barButton("xBlaettern", QStringLiteral("Blättern"));
  PanelDirection = new QToolButton(Panel1);
  PanelDirection->setObjectName(QStringLiteral("PanelDirection"));
  PanelDirection->setToolTip(QStringLiteral("Zur anderen Hälfte des Wörterbuchs"));
  PanelDirection->setAutoRaise(true);
  connect(PanelDirection, &QToolButton::clicked, this,
          [this] { services_.dictionary.SetDirection(!services_.dictionary.IsGermanSpanish()); });

  SuchenPanel = new QWidget(central);
  SuchenPanel->setObjectName(QStringLiteral("SuchenPanel"));
  auto* searchLabel = new QLabel(QStringLiteral("Suchen nach:"), SuchenPanel);
  searchLabel->setGeometry(8, 8, 224, 16);
  Suchen = new QLineEdit(SuchenPanel);
  Suchen->setObjectName(QStringLiteral("Suchen"));
  Suchen->setGeometry(8, 26, 224, 24);
  AccentKeyFilter::Install(Suchen);
  Sprache = new QGroupBox(QStringLiteral(" Sprache "), SuchenPanel);
  Sprache->setObjectName(QStringLiteral("Sprache"));
  Sprache->setToolTip(QStringLiteral("Sprache des Suchbegriffs"));
  Sprache->setGeometry(8, 56, 224, 58);
  auto* languages = new QHBoxLayout(Sprache);
  SpracheSpanisch = new QRadioButton(QStringLiteral("Spanisch"), Sprache);
  SpracheDeutsch = new QRadioButton(QStringLiteral("Deutsch"), Sprache);
  languages->addWidget(SpracheSpanisch);
  languages->addWidget(SpracheDeutsch);
  SpracheSpanisch->setChecked(true);
  auto* options = new QGroupBox(QStringLiteral(" Optionen "), SuchenPanel);
  options->setGeometry(8, 120, 224, 58);
  auto* optionsLayout = new QHBoxLayout(options);
  NurGanze = new QCheckBox(QStringLiteral("Nur ganze Wörter"), options);
  NurGanze->setObjectName(QStringLiteral("NurGanze"));
  optionsLayout->addWidget(NurGanze);
  SuchButton = new QPushButton(QStringLiteral("Suchen!"), SuchenPanel);
  SuchButton->setObjectName(QStringLiteral("SuchButton"));
  SuchButton->setToolTip(QStringLiteral("Suche starten"));
  SuchButton->setGeometry(8, 188, 224, 28);
  connect(SuchButton, &QPushButton::clicked, this, &TXWb::Search);
  connect(Suchen, &QLineEdit::returnPressed, this, &TXWb::Search);

  BearbeitenPanel = new TDictionaryPanel(services_.dictionary, {true, true, true}, central);
  connect(BearbeitenPanel->bPlay, &QToolButton::clicked, this,
          [this] { services_.playRecording(services_.dictionary.EntryWord()); });
  BearbeitenPanel->dbBedeutung->viewport()->installEventFilter(this);

  StichwortPanel = new QWidget(central);
  StichwortPanel->setObjectName(QStringLiteral("StichwortPanel"));
  auto* keywordLabel = new QLabel(QStringLiteral("Stichwort:"), StichwortPanel);
  keywordLabel->setGeometry(8, 8, 224, 16);
  Stichwort = new QLineEdit(StichwortPanel);
  Stichwort->setObjectName(QStringLiteral("Stichwort"));
  Stichwort->setGeometry(8, 26, 224, 24);
  AccentKeyFilter::Install(Stichwort);
  connect(Stichwort, &QLineEdit::textChanged, this, [this](const QString& text) {
    services_.dictionary.LocateEntry(text, -1);
    DisplaySearchResults();
    filling_ = true;
    const int at = services_.dictionary.ResultPosition();
    if (at >= 0 && at < Grid->rowCount()) Grid->setCurrentCell(at, 0);
    filling_ = false;
  });

  connect(xSuchen, &QPushButton::clicked, this, [this] { ShowPanel(SuchenPanel, true); });
  connect(xBearbeiten, &QPushButton::clicked, this, [this] { ShowPanel(BearbeitenPanel, true); });
  connect(xBlaettern, &QPushButton::clicked, this, [this] { ShowPanel(StichwortPanel, true); });

  GridPanel = new QWidget(central);
  GridPanel->setObjectName(QStringLiteral("GridPanel"));
  auto* resultLabel = new QLabel(QStringLiteral("Ergebnis:"), GridPanel);
  resultLabel->setGeometry(7, 4, 60, 16);
  Ergebnis = new QLabel(GridPanel);
  Ergebnis->setObjectName(QStringLiteral("Ergebnis"));
  Ergebnis->setGeometry(70, 4, 280, 16);
  Grid = new QTableWidget(0, 4, GridPanel);
  Grid->setObjectName(QStringLiteral("Grid"));
  Grid->setHorizontalHeaderLabels(
      {QStringLiteral("Nr."), QStringLiteral("  Vokabel"), QStringLiteral("  Bedeutung(en)"), QStringLiteral("  Wortart")});
  Grid->horizontalHeader()->setFixedHeight(kHeaderHeight);
  Grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  Grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  Grid->horizontalHeader()->setMinimumSectionSize(8);
  Grid->horizontalHeader()->setHighlightSections(false);
  Grid->verticalHeader()->hide();
  Grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  Grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
  Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  Grid->setSelectionMode(QAbstractItemView::SingleSelection);
  Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grid->setWordWrap(false);
  connect(Grid, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous, int) {
    if (!filling_ && row != previous) rowSelected(row);
  });
  connect(Grid, &QTableWidget::cellClicked, this, [this](int row, int) {
    if (!filling_) rowSelected(row);
  });
  connect(Grid, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { playRow(row); });
}

void TXWb::createMenus() {
  TXDatabase& db = services_.dictionary;
  QMenu* file = menuBar()->addMenu(QStringLiteral("&Datei"));
  const auto add = [this, file](const char* name, const QString& caption, const QKeySequence& key,
                                std::function<void()> run) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(key);
    connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
    file->addAction(action);
    addAction(action);
    actions_.insert(QLatin1String(name), action);
    return action;
  };
  add("WbSort", QStringLiteral("Sortieren"), QKeySequence(Qt::CTRL | Qt::Key_S), [&db] { db.SortEntries(); });
  add("WbCheck", QStringLiteral("Kontrollieren"), QKeySequence(Qt::CTRL | Qt::Key_K),
      [&db] { DictionaryMaintenance::CheckMeanings(db); });
  add("WbDuplicates", QStringLiteral("Doppelte Einträge suchen"), {},
      [&db] { DictionaryMaintenance::RemoveDuplicates(db); });
  add("WbImport", QStringLiteral("Importieren..."), {}, [&db] {
    QtDictionaryFileDialogs dialogs;
    DictionaryMaintenance::ImportTextPairs(db, dialogs);
  })->setVisible(false);
  add("WbClear", QStringLiteral("Alle Einträge löschen!"), {}, [&db] {
    if (AskQuestion(EditorTexts::kClearDictionary) == MessageAnswer::Yes) db.ClearEntries();
  });
  file->addSeparator();
  add("WbClose", QStringLiteral("&Schließen"), {}, [this] { close(); });
  characterActions_ = SpecialCharacters::AddMenu(menuBar(), this);
  // The window's keys reach its menus also from inside its fields.
  new ShortcutGuard(this);
}

void TXWb::ShowPanel(QWidget* panel, bool focus) {
  const QList<std::pair<QWidget*, QPushButton*>> panels{
      {SuchenPanel, xSuchen}, {BearbeitenPanel, xBearbeiten}, {StichwortPanel, xBlaettern}};
  for (const auto& [p, button] : panels) {
    p->setVisible(p == panel);
    button->setEnabled(p != panel);
  }
  if (panel == BearbeitenPanel) refreshRecording();
  // The author goes on typing in the panel's first field.
  if (focus && isVisible()) {
    if (panel == SuchenPanel) Suchen->setFocus();
    else if (panel == StichwortPanel) Stichwort->setFocus();
    else BearbeitenPanel->dbVokabel->setFocus();
  }
}

void TXWb::DBChanged() {
  const TXDatabase& db = services_.dictionary;
  const QString caption = QStringLiteral("zvk spanisch (") + QString::number(db.EntryCount()) + QLatin1Char(')');
  if (windowTitle() != caption) setWindowTitle(caption);
  BearbeitenPanel->ShowEntry();
  PanelDirection->setText(db.DirectionName());
  refreshRecording();
  Q_EMIT EntryShown();
}

void TXWb::refreshRecording() {
  // Only the Spanish words have recordings.
  const TXDatabase& db = services_.dictionary;
  QString file;
  if (isVisible() && !db.IsGermanSpanish() && !db.EntryWord().isEmpty() && services_.findRecording)
    file = services_.findRecording(db.EntryWord());
  BearbeitenPanel->ShowPlayButton(!file.isEmpty(), file);
}

void TXWb::Search() {
  TXDatabase::SearchOptions options;
  options.WholeWords = NurGanze->isChecked();
  options.BothDirections = false;
  options.German = SpracheDeutsch->isChecked();
  services_.dictionary.SearchEntries(Suchen->text(), options);
  DisplaySearchResults();
}

void TXWb::DisplaySearchResults() {
  const TXDatabase& db = services_.dictionary;
  const QList<DictionaryHit>& results = db.Results();
  Ergebnis->setText(QString::number(results.size()) + QStringLiteral(" Einträge gefunden."));
  filling_ = true;
  rows_.clear();
  Grid->clearContents();
  Grid->setRowCount(std::max<int>(1, static_cast<int>(results.size())));
  for (int r = 0; r < results.size(); ++r) {
    const DictionaryHit& hit = results.at(r);
    const TXDBEintrag& entry = db.Entry(hit.Direction, hit.Index);
    rows_.append({hit.Direction, entry.Word, entry.Meaning});
    const QStringList cells{QString::number(r + 1), entry.Word, entry.Meaning,
                            Vocabulary::WortartTrainerName(entry.Wortart - 1)};
    for (int c = 0; c < cells.size(); ++c) Grid->setItem(r, c, new QTableWidgetItem(cells.at(c)));
  }
  filling_ = false;
}

void TXWb::rowSelected(int row) {
  if (row < 0 || row >= rows_.size()) return;
  const Row& r = rows_.at(row);
  services_.dictionary.GoToEntry(r.word, r.meaning);
  if (!BearbeitenPanel->isVisible()) ShowPanel(BearbeitenPanel);
}

void TXWb::playRow(int row) {
  if (row < 0 || row >= rows_.size() || !services_.playRecording) return;
  const Row& r = rows_.at(row);
  // The Spanish side of the row: the meanings of a German-Spanish entry.
  const QString spanish = r.direction == TXDatabase::kGermanSpanish ? r.meaning : r.word;
  for (const QString& meaning : SplitMeanings(spanish))
    if (services_.playRecording(StripExplanations(meaning))) return;
}

void TXWb::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  refreshRecording();
  if (SuchenPanel->isVisible()) {
    Suchen->selectAll();
    Suchen->setFocus();
  }
}

void TXWb::hideEvent(QHideEvent* event) {
  QMainWindow::hideEvent(event);
  if (!event->spontaneous()) Q_EMIT Hidden();
}

void TXWb::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  placeParts();
}

void TXWb::placeParts() {
  const QRect area = centralWidget()->rect();
  Panel1->setGeometry(0, 0, area.width(), kBarHeight);
  int x = 4;
  for (QPushButton* b : {xSuchen, xBearbeiten, xBlaettern}) {
    b->setGeometry(x, 3, 76, kBarHeight - 6);
    x += 78;
  }
  PanelDirection->setGeometry(x + 4, 3, std::max(60, area.width() - x - 8), kBarHeight - 6);
  const QRect left(0, kBarHeight, kPanelWidth, area.height() - kBarHeight);
  for (QWidget* panel : {SuchenPanel, static_cast<QWidget*>(BearbeitenPanel), StichwortPanel}) panel->setGeometry(left);
  const int panelWidth = area.width() - kPanelWidth;
  GridPanel->setGeometry(kPanelWidth, kBarHeight, panelWidth, area.height() - kBarHeight);
  const int w = panelWidth - 14;
  Grid->setGeometry(7, 24, w, GridPanel->height() - 30);
  const int second = (w - 97) * 10 / 24;
  Grid->setColumnWidth(0, 20);
  Grid->setColumnWidth(1, second);
  Grid->setColumnWidth(2, w - second - 97);
  Grid->setColumnWidth(3, 57);
}

bool TXWb::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick && watched == BearbeitenPanel->dbBedeutung->viewport() &&
      services_.playRecording) {
    QPlainTextEdit* memo = BearbeitenPanel->dbBedeutung;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const int position = memo->cursorForPosition(mouse->position().toPoint()).position();
    for (const QString& text :
         RecordingTexts::AroundCursor(memo->toPlainText(), position, memo->textCursor().selectedText()))
      if (services_.playRecording(text)) break;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TXWb::SaveAtEnd(DictionaryFileDialogs& dialogs) {
  if (saved_) return;
  saved_ = true;
  TXDatabase& db = services_.dictionary;
  DictionaryMaintenance::AskAndSaveDictionaries(db, services_.env.WriteProtect, dialogs);
  // Both programs load the saved files from the next start on.
  const QList<std::pair<int, const char*>> keys{{TXDatabase::kSpanishGerman, "Datenbank1"},
                                                {TXDatabase::kGermanSpanish, "Datenbank2"}};
  for (const auto& [direction, key] : keys) {
    const QString saved = db.SavedAsName(direction);
    if (!saved.isEmpty()) services_.env.store().writeString(Environment::kDirectoriesKey, QLatin1String(key), saved);
  }
}
