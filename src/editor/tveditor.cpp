#include "editor/tveditor.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QTimer>
#include <QToolButton>

#include "common/messagebox.h"
#include "dictionary/dictionarymaintenance.h"
#include "dictionary/txdatabase.h"
#include "editor/dictionarypanel.h"
#include "editor/editorlayout.h"
#include "editor/editorpictures.h"
#include "editor/editorscheme.h"
#include "editor/editorpreview.h"
#include "editor/editorrecorder.h"
#include "editor/editortexts.h"
#include "editor/recordform.h"
#include "editor/recordingtexts.h"
#include "editor/recordlistmodel.h"
#include "editor/specialcharacters.h"
#include "editor/txwb.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "pages/txpage.h"
#include "sound/sampleplayer.h"
#include "users/txuserbase.h"
#include "vocabulary/tbibliothek.h"

namespace {

const QString kTitle = QStringLiteral("zvk spanisch - editor");

QSize desktopSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry().size() : QSize(1024, 768);
}

bool isInside(const QObject* object, const QWidget* ancestor) {
  for (const QObject* o = object; o; o = o->parent())
    if (o == ancestor) return true;
  return false;
}

}  // namespace

TVEditor::TVEditor(Services services, QWidget* parent) : QMainWindow(parent), services_(services) {
  setObjectName(QStringLiteral("TVEditor"));
  setWindowTitle(kTitle);
  pageFolder_ = services_.env.PageRoot + QStringLiteral("hzvk/");
  const QString key = services_.env.UserKeyPath() + EditorSettings::kSubKey;
  settings_ = EditorSettings::Read(services_.env.store(), key, desktopSize(), services_.env.VocabularyDir,
                                   [this](const QString& name) { return EditorScheme::SchemeExists(services_.env, name); });
  services_.env.Versatz =
      services_.env.store().readInteger(Environment::kDirectoriesKey, QStringLiteral("Versatz")).value_or(0);

  createParts();
  createActions();
  createMenus();
  createToolBar();
  createDictionaryWindow();
  loadScheme();
  statusBar()->setVisible(settings_.statusBar);
  Action(QStringLiteral("mStatus"))->setChecked(settings_.statusBar);
  // The stored place and size are the window's outer ones: the place is
  // set now, the size once the frame is known (showEvent).
  move(settings_.WindowRect(desktopSize()).topLeft());
  resize(settings_.width, settings_.height);
  services_.users.followsLearnerEnvironment = false;  // a login brings the scores, not the learner's environment

  // The library opened last, unless it failed the last time.
  const QString last = settings_.lastLibrary;
  if (!last.isEmpty() && last != QLatin1String("-")) {
    if (QFileInfo(last).isFile()) {
      if (!loadReplacing(last, false)) {
        settings_.lastLibrary = QStringLiteral("-");
        ShowMessage(EditorTexts::AutoLoadFailed(last), MessageKind::Stop);
        Clear();
      }
    } else {
      // Gone since the last run: say so once and forget it.
      settings_.lastLibrary.clear();
      settings_.recent.Remove(last);
      ShowMessage(EditorTexts::AutoLoadFailed(last), MessageKind::Warning);
      Clear();
    }
  } else {
    Clear();
  }
  refreshRecentFiles();
  refreshUserMenu();
  afterLibraryChanged(0);
  qApp->installEventFilter(this);
}

TVEditor::~TVEditor() {
  qApp->removeEventFilter(this);
  releaseOnce();
  // The dictionary outlives the window; its notifications end with the window.
  delete wb_;
  wb_ = nullptr;
}

void TVEditor::createDictionaryWindow() {
  wb_ = new TXWb({services_.dictionary, services_.env,
                  [this](const QString& text) { return LookupRecording(text, services_.recordings); },
                  [this](const QString& text) { return PlayRecordingOf(text); }},
                 this);
  connect(wb_, &TXWb::EntryShown, WP, &TDictionaryPanel::ShowEntry);
  connect(wb_, &TXWb::Hidden, this, [this] { Action(QStringLiteral("AnsichtWB"))->setChecked(false); });
  WP->ShowEntry();
  // The window's keys reach its commands also from inside the fields
  // (Ctrl+K, Ctrl+Del, ...), except where a field's own editing is the
  // command, and except in the preview, whose gap keeps its editing.
  const QStringList fieldEditing{QStringLiteral("EditUndo"),   QStringLiteral("EditCut"),
                                 QStringLiteral("EditCopy"),   QStringLiteral("EditPaste"),
                                 QStringLiteral("EditDelete"), QStringLiteral("EditSelectAll")};
  new ShortcutGuard(
      this, [fieldEditing](const QAction* a) { return fieldEditing.contains(a->objectName()); },
      [this](const QObject* o) { return !isInside(o, XPage); });
}

QAction* TVEditor::Action(const QString& name) const { return actions_.value(name); }

int TVEditor::Current() const { return services_.library.Current; }

// --- Parts and layout ---

void TVEditor::createParts() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("Client"));
  setCentralWidget(central);
  Liste = new QTableView(central);
  Liste->setObjectName(QStringLiteral("Liste"));
  // The model belongs to its view, so that it goes after the view.
  model_ = new RecordListModel(services_.library, Liste);
  model_->showScores = [this] { return services_.users.IsLoggedIn(); };
  model_->setFlags(EditorPictures::Flag(services_.env, false), EditorPictures::Flag(services_.env, true));
  Liste->setModel(model_);
  Liste->horizontalHeader()->hide();
  Liste->verticalHeader()->hide();
  Liste->setShowGrid(false);
  Liste->setSelectionBehavior(QAbstractItemView::SelectRows);
  Liste->setSelectionMode(QAbstractItemView::SingleSelection);
  Liste->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Liste->setWordWrap(false);
  Liste->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  Liste->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
  Liste->horizontalHeader()->resizeSection(1, 56);
  Liste->setIconSize(QSize(18, 12));
  connect(Liste->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& now, const QModelIndex&) {
            if (selecting_ || !now.isValid()) return;
            if (MayLeaveFor(now.row())) {
              makeCurrent(now.row());
              return;
            }
            // The view is still busy with the click or key: the selection
            // goes back, and the message comes, once it is done.
            QTimer::singleShot(0, this, [this] {
              showCurrent();
              ShowMessage(EditorTexts::kIncompleteRecord);
            });
          });
  connect(Liste, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
    const TVokabel* record = services_.library.Item(index.row());
    if (record && !record->Deutsch) PlayRecordingOf(record->Vokabel);
  });

  RP = new TRecordForm(services_.library, central);
  RP->SetFlagPictures(EditorPictures::Flag(services_.env, false), EditorPictures::Flag(services_.env, true));
  connect(RP, &TRecordForm::RecordEdited, this, [this] { refreshStatus(); });
  connect(RP, &TRecordForm::KeyEdited, this, [this] {
    // Another entry, class or language is another item of the learner's history.
    TVokabel& record = services_.library.Items[services_.library.Current];
    record.Score = services_.users.IsLoggedIn() ? services_.users.ItemScore(record.Vokabel, record.Deutsch, record.Wortart) : 0;
    model_->RecordChanged(services_.library.Current);
    refreshEntryRecording();
    refreshStatus();
    if (AlwaysLookupOn() && !copyRunning_) LookUp();
  });
  connect(RP->vPlay, &QToolButton::clicked, this, [this] { PlayRecordingOf(services_.library.Vokabel(-1)); });

  NP = new QWidget(central);
  NP->setObjectName(QStringLiteral("NP"));
  LibInfo = new QPlainTextEdit(NP);
  LibInfo->setObjectName(QStringLiteral("LibInfo"));
  LibInfo->setToolTip(QStringLiteral("Platz für Anmerkungen zu der Bibliothek (Autor, Thema o.ä.)"));
  connect(LibInfo, &QPlainTextEdit::textChanged, this, [this] {
    if (selecting_) return;
    const QStringList lines = LibInfo->toPlainText().split(QLatin1Char('\n'));
    if (lines != services_.library.Comments && !(lines == QStringList{QString()} && services_.library.Comments.isEmpty())) {
      services_.library.Comments = lines;
      services_.library.Modified = true;
      refreshStatus();
    }
  });

  WP = new TDictionaryPanel(services_.dictionary, {}, central);

  XPage = new TXPage(central);
  XPage->setObjectName(QStringLiteral("XPage"));
  XPage->setXPath(pageFolder_);
  preview_ = std::make_unique<TEditorPreview>(services_.library, services_.reserve, *XPage, pageFolder_);
  XPage->OnCommand = [this](TXPage*, const QString& command) { PreviewCommand(command); };
  XPage->OnSolved = [this](TXPage*, bool&) { preview_->PageSolved(); };
  // Back from the preview, the author goes on in the form.
  preview_->OnFocusReturn = [this] { RP->eVokabel->setFocus(); };

  for (int i = 0; i < 4; ++i) {
    StatusPanel[i] = new QLabel(this);
    StatusPanel[i]->setObjectName(QStringLiteral("Status%1").arg(i));
    statusBar()->addWidget(StatusPanel[i], i == 0 ? 3 : 1);
  }
}

void TVEditor::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (outerSizeApplied_) return;
  outerSizeApplied_ = true;
  const QSize frame = frameGeometry().size() - size();
  if (frame.width() > 0 || frame.height() > 0)
    resize(settings_.width - frame.width(), settings_.height - frame.height());
}

void TVEditor::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  // A preview is built for the size it was shown in.
  if (preview_) preview_->Hide();
  placeParts();
}

void TVEditor::placeParts() {
  if (!centralWidget()) return;
  const QRect area = centralWidget()->rect();
  const EditorLayout l = EditorLayout::Compute(area, height(), frameGeometry().height(), NP->isVisibleTo(this));
  Liste->setGeometry(l.list);
  XPage->setGeometry(l.list);
  NP->setGeometry(l.notes);
  LibInfo->setGeometry(NP->rect().adjusted(4, 4, -4, -4));
  WP->setGeometry(l.dictionary);
  RP->setGeometry(l.record);
  Liste->verticalHeader()->setDefaultSectionSize(l.rowHeight);
  applyFontSize(l.fontSizeIndex);
  for (QAction* a : {Action(QStringLiteral("w640")), Action(QStringLiteral("w800")), Action(QStringLiteral("w1024"))})
    if (a) a->setChecked(a->data().toSize() == frameGeometry().size());
}

void TVEditor::applyFontSize(int index) {
  scheme_.sizeInUse = index;
  if (font().pointSize() != scheme_.sizes[index]) ApplyFont(QString(), scheme_.sizes[index]);
}

// --- The current record ---

bool TVEditor::MayLeaveFor(int index) const {
  const TVocLib& lib = services_.library;
  if (index == lib.Current) return true;
  // An incomplete record stays until it is completed or deleted, unless it
  // is the trailing empty record or the record moved to is empty as well.
  const int last = static_cast<int>(lib.Items.size()) - 1;
  return !lib.IsEmpty(lib.Current) || lib.Current == last || lib.IsEmpty(index);
}

bool TVEditor::SelectRecord(int index) {
  if (index < 0 || index >= services_.library.Items.size()) return false;
  if (!MayLeaveFor(index)) {
    ShowMessage(EditorTexts::kIncompleteRecord);
    showCurrent();  // the selection returns
    return false;
  }
  makeCurrent(index);
  return true;
}

void TVEditor::makeCurrent(int index) {
  services_.library.Current = index;
  showCurrent();
  preview_->CurrentChanged();
}

void TVEditor::NextRecord() {
  TVocLib& lib = services_.library;
  const int last = static_cast<int>(lib.Items.size()) - 1;
  if (lib.Current < last) {
    SelectRecord(lib.Current + 1);
    return;
  }
  if (lib.IsEmpty(last)) {
    ShowMessage(EditorTexts::kEndOfLibrary, MessageKind::Information);
    return;
  }
  lib.AddEmpty();
  model_->Rebuild();
  SelectRecord(last + 1);
  refreshStatus();
}

void TVEditor::PreviousRecord() {
  if (services_.library.Current > 0) SelectRecord(services_.library.Current - 1);
}

void TVEditor::showCurrent() {
  TVocLib& lib = services_.library;
  selecting_ = true;
  const QModelIndex index = model_->index(lib.Current, 0);
  Liste->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  Liste->scrollTo(index);
  model_->SetCurrent(lib.Current);
  selecting_ = false;
  RP->ShowCurrent();
  refreshPosition();
  refreshEntryRecording();
  if (wb_ && AlwaysLookupOn() && !copyRunning_) LookUp();
}

void TVEditor::afterLibraryChanged(int current) {
  LibraryEditing::NormalizeTrailing(services_.library);
  services_.library.Current = std::clamp(current, 0, static_cast<int>(services_.library.Items.size()) - 1);
  model_->Rebuild();
  RP->Forget();  // the records are others now, whatever their places
  selecting_ = true;
  const QString notes = services_.library.Comments.join(QLatin1Char('\n'));
  if (LibInfo->toPlainText() != notes) LibInfo->setPlainText(notes);
  selecting_ = false;
  showCurrent();
  preview_->CurrentChanged();
  refreshStatus();
}

void TVEditor::refreshPosition() {
  if (QAction* pos = Action(QStringLiteral("GoToPos")))
    pos->setText(QString::number(services_.library.Current + 1) + QLatin1Char('/') + QString::number(services_.library.Items.size()));
}

void TVEditor::refreshStatus() {
  StatusPanel[1]->setText(QString::number(services_.library.Count()) + QStringLiteral(" Vokabeln"));
  StatusPanel[2]->setText(services_.users.IsLoggedIn() ? services_.users.UserName() : QStringLiteral("(nicht angemeldet)"));
  StatusPanel[3]->setText(services_.library.Modified ? QStringLiteral("geändert") : QString());
}

void TVEditor::refreshCaption() {
  setWindowTitle(services_.library.FileName.isEmpty() ? kTitle
                                               : QStringLiteral("*zvk spanisch - ") + services_.library.DisplayPath());
}

void TVEditor::refreshEntryRecording() {
  // Only Spanish entries have recordings; German ones are not looked up.
  const TVokabel* record = services_.library.Item(-1);
  entryRecording_ = (record && !record->Deutsch && !record->Vokabel.isEmpty())
                        ? LookupRecording(record->Vokabel, services_.recordings)
                        : QString();
  RP->vPlay->setVisible(!entryRecording_.isEmpty());
  RP->vPlay->setToolTip(entryRecording_);
}

bool TVEditor::PlayRecordingOf(const QString& text) {
  for (const QString& candidate : RecordingTexts::Candidates(text)) {
    const QString reference = LookupRecording(candidate, services_.recordings);
    if (reference.isEmpty()) continue;
    const Environment::Resolved file = services_.env.ResolveAlias(reference);
    if (file.path.isEmpty()) {
      // A course recording whose disc (or folder) is not there.
      if (reference.startsWith(QLatin1String("XS:"), Qt::CaseInsensitive))
        ShowMessage(EditorTexts::kInsertDisc, MessageKind::Information);
      return true;
    }
    if (services_.player) services_.player->PlaySample(file.path, true);
    return true;
  }
  return false;
}

void TVEditor::playAroundCursor(const QString& text, int position, const QString& selected) {
  for (const QString& candidate : RecordingTexts::AroundCursor(text, position, selected))
    if (PlayRecordingOf(candidate)) return;
}

// --- Keys ---

bool TVEditor::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ToolTip && !hintsOn_ && isInside(watched, this)) return true;
  if (checkRunning_ && isInside(watched, this) && !QApplication::activeModalWidget()) {
    // While the check runs, only Escape (and the check's own key, a
    // shortcut) reach the windows: nothing else may change the library or
    // the dictionary under it.
    switch (event->type()) {
      case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) abortRequested_ = true;
        return true;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::Wheel:
      case QEvent::InputMethod:  // composed characters (dead keys) come this way
      case QEvent::DragEnter:
      case QEvent::DragMove:
      case QEvent::Drop:
        return true;
      default:
        break;
    }
  }
  if (event->type() == QEvent::MouseButtonDblClick) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
      if (edit == RP->eVokabel || edit == RP->eBedeutung0 || edit == RP->eBedeutung1 || edit == WP->dbVokabel) {
        playAroundCursor(edit->text(), edit->cursorPositionAt(mouse->position().toPoint()), edit->selectedText());
        return false;
      }
    } else if (watched == WP->dbBedeutung->viewport()) {
      QPlainTextEdit* memo = WP->dbBedeutung;
      playAroundCursor(memo->toPlainText(), memo->cursorForPosition(mouse->position().toPoint()).position(),
                       memo->textCursor().selectedText());
      return false;
    }
  }
  // The dictionary window has keys of its own.
  if (event->type() == QEvent::KeyPress && isInside(watched, this) && !isInside(watched, wb_) &&
      QApplication::activeModalWidget() == nullptr)
    return handleKey(watched, static_cast<QKeyEvent*>(event));
  return QMainWindow::eventFilter(watched, event);
}

bool TVEditor::handleKey(QObject* watched, QKeyEvent* key) {
  QWidget* focus = QApplication::focusWidget();
  const bool inPreview = focus && isInside(focus, XPage);
  // Only the first delivery of a key counts (the filter sees it once per receiver).
  if (watched != focus && focus) return false;
  switch (key->key()) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      if (inPreview || key->modifiers() != Qt::NoModifier) return false;
      if (key->key() == Qt::Key_PageUp) PreviousRecord();
      else NextRecord();
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
      if (inPreview || focus == LibInfo || !focus) return false;
      const bool lastContext =
          focus == RP->eKontext1 || (focus == RP->eKontext0 && !RP->SecondContextShown());
      if (lastContext) {
        NextRecord();
        RP->eVokabel->setFocus();
      } else {
        focusNextControl(focus);
      }
      return true;
    }
    default:
      return false;
  }
}

void TVEditor::focusNextControl(QWidget* from) {
  const QList<QWidget*> order = RP->FocusOrder();
  const qsizetype i = order.indexOf(from);
  if (i >= 0 && i + 1 < order.size()) order.at(i + 1)->setFocus();
  else focusNextChild();
}

// --- The end ---

bool TVEditor::Finish() {
  if (released_) return true;
  if (checkRunning_) {
    ShowMessage(EditorTexts::kCannotLeave, MessageKind::Information);
    return false;
  }
  if (SaveChCancelled()) return false;
  // The questions of the end while the window is still there: the learner's
  // answers and learning time, and the recordings linked meanwhile.
  if (services_.users.IsLoggedIn()) services_.users.SaveUser();
  services_.mainRecordings.AskAndSave(services_.env.WriteProtect);
  services_.mainRecordings.StoreSavedAsName(services_.env);
  if (dictionaryDialogs) {
    wb_->SaveAtEnd(*dictionaryDialogs);
  } else {
    QtDictionaryFileDialogs dialogs;
    wb_->SaveAtEnd(dialogs);
  }
  saveChangedScheme();
  releaseOnce();
  return true;
}

void TVEditor::closeEvent(QCloseEvent* event) {
  if (Finish()) event->accept();
  else event->ignore();
}

void TVEditor::releaseOnce() {
  if (released_) return;
  released_ = true;
  const QRect frame = frameGeometry();
  settings_.x = frame.x();
  settings_.y = frame.y();
  settings_.width = frame.width();
  settings_.height = frame.height();
  settings_.statusBar = statusBar()->isVisibleTo(this);
  settings_.scheme = schemeName_;
  settings_.Save(services_.env.store(), services_.env.UserKeyPath() + EditorSettings::kSubKey);
}
