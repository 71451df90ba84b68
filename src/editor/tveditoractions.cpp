// The editor window's commands: one action each, in the menus and on the
// tool bar. Commands whose work another part of the editor does once it is
// there stand in the menus switched off.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "common/messagebox.h"
#include "editor/dictionarypanel.h"
#include "editor/editorpictures.h"
#include "editor/editorpreview.h"
#include "editor/editorrecorder.h"
#include "editor/editortexts.h"
#include "editor/recordlistmodel.h"
#include "editor/tveditor.h"
#include "editor/txwb.h"
#include "environment/environment.h"
#include "environment/txpaths.h"
#include "sound/wavebasedialog.h"
#include "users/loginflow.h"
#include "users/txuserbase.h"
#include "vocabulary/tbibliothek.h"
#include "vocabulary/tbinfo.h"

namespace {

// The focused field's own text editing.
template <typename LineOp, typename TextOp>
void onFocusedField(LineOp line, TextOp text) {
  QWidget* focus = QApplication::focusWidget();
  if (auto* edit = qobject_cast<QLineEdit*>(focus)) line(edit);
  else if (auto* memo = qobject_cast<QPlainTextEdit*>(focus)) text(memo);
}

const QString kLater = QStringLiteral(" (folgt in einer späteren Version)");

}  // namespace

QAction* TVEditor::addAction(const QString& name, const QString& caption, const QKeySequence& key,
                             std::function<void()> run, bool enabled) {
  auto* action = new QAction(caption, this);
  action->setObjectName(name);
  if (!key.isEmpty()) action->setShortcut(key);
  action->setEnabled(enabled);
  connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
  QMainWindow::addAction(action);  // the shortcut works without the menu being open
  actions_.insert(name, action);
  return action;
}

void TVEditor::addLaterAction(const QString& name, const QString& caption, const QKeySequence& key) {
  QAction* action = addAction(name, caption, key, [] {}, false);
  action->setToolTip(QString(caption).remove(QLatin1Char('&')) + kLater);
}

void TVEditor::createActions() {
  // Datei
  addAction(QStringLiteral("FileNew"), QStringLiteral("&Neu"), {}, [this] { FileNew(); });
  addAction(QStringLiteral("FileOpen"), QStringLiteral("Ö&ffnen..."), {}, [this] { FileOpen(); });
  addAction(QStringLiteral("FileAdd"), QStringLiteral("&Hinzufügen..."), {}, [this] { FileAdd(); });
  addAction(QStringLiteral("FileSave"), QStringLiteral("&Speichern"), {}, [this] { FileSave(); });
  addAction(QStringLiteral("FileSaveAs"), QStringLiteral("S&peichern als..."), {}, [this] { FileSaveAs(); });
  addAction(QStringLiteral("FileImport"), QStringLiteral("&Importieren..."), {}, [this] { ImportX(); });
  addAction(QStringLiteral("FileRandom"), QStringLiteral("&Zufällig erzeugen..."), {}, [this] { RandomX(); });
  addAction(QStringLiteral("FilePrint"), QStringLiteral("&Drucken..."), {}, [this] { FilePrint(); });
  addAction(QStringLiteral("FilePrintCards"), QStringLiteral("&Karteikarten drucken..."), {}, [this] { FilePrintCards(); });
  addAction(QStringLiteral("FilePrintSetup"), QStringLiteral("Dr&uckereinstellungen..."), {}, [this] { FilePrintSetup(); });
  addAction(QStringLiteral("FileInfo"), QStringLiteral("Inf&o"), Qt::Key_F8, [this] { TBInfo::Execute(services_.library, this); });
  for (int i = 0; i < RecentFiles::kMax; ++i) {
    QAction* recent = addAction(QStringLiteral("FileLast%1").arg(i + 1), QString(), {}, [this, i] { OpenRecent(i); });
    recent->setVisible(false);
    recentActions_.append(recent);
  }
  addAction(QStringLiteral("FileExit"), QStringLiteral("&Beenden"), {}, [this] { close(); });

  // Bearbeiten: the focused field's editing, then the library's.
  addAction(QStringLiteral("EditUndo"), QStringLiteral("&Rückgängig"), QKeySequence(Qt::CTRL | Qt::Key_Z),
            [] { onFocusedField([](QLineEdit* e) { e->undo(); }, [](QPlainTextEdit* e) { e->undo(); }); });
  addAction(QStringLiteral("EditCut"), QStringLiteral("&Ausschneiden"), QKeySequence(Qt::CTRL | Qt::Key_X),
            [] { onFocusedField([](QLineEdit* e) { e->cut(); }, [](QPlainTextEdit* e) { e->cut(); }); });
  addAction(QStringLiteral("EditCopy"), QStringLiteral("&Kopieren"), QKeySequence(Qt::CTRL | Qt::Key_C),
            [] { onFocusedField([](QLineEdit* e) { e->copy(); }, [](QPlainTextEdit* e) { e->copy(); }); });
  addAction(QStringLiteral("EditPaste"), QStringLiteral("&Einfügen"), QKeySequence(Qt::CTRL | Qt::Key_V),
            [] { onFocusedField([](QLineEdit* e) { e->paste(); }, [](QPlainTextEdit* e) { e->paste(); }); });
  addAction(QStringLiteral("EditDelete"), QStringLiteral("&Löschen"), QKeySequence(Qt::Key_Delete), [] {
    onFocusedField([](QLineEdit* e) { e->del(); }, [](QPlainTextEdit* e) { e->textCursor().deleteChar(); });
  });
  addAction(QStringLiteral("EditSelectAll"), QStringLiteral("Alles &markieren"), QKeySequence(Qt::CTRL | Qt::Key_A),
            [] { onFocusedField([](QLineEdit* e) { e->selectAll(); }, [](QPlainTextEdit* e) { e->selectAll(); }); });
  addAction(QStringLiteral("EditSort"), QStringLiteral("&Bibliothek sortieren"), QKeySequence(Qt::CTRL | Qt::Key_S),
            [this] { EditSort(); });
  addAction(QStringLiteral("EditMix"), QStringLiteral("B&ibliothek mischen"), QKeySequence(Qt::CTRL | Qt::Key_M),
            [this] { EditMix(); });
  addAction(QStringLiteral("EinVor"), QStringLiteral("&vor aktueller"), {}, [this] { EinVor(); });
  addAction(QStringLiteral("EinNach"), QStringLiteral("&nach aktueller"), {}, [this] { EinNach(); });
  addAction(QStringLiteral("EditDelVoc"), QStringLiteral("V&okabel löschen"), QKeySequence(Qt::CTRL | Qt::Key_Delete),
            [this] { EditDelVoc(); });
  addAction(QStringLiteral("EditNoDoubles"), QStringLiteral("&Doppelte Vokabeln entfernen"),
            QKeySequence(Qt::CTRL | Qt::Key_D), [this] { EditNoDoubles(); });
  addAction(QStringLiteral("EditCopyDB"), QStringLiteral("&Vokabel aus Wörterbuch kopieren"),
            QKeySequence(Qt::CTRL | Qt::Key_Y), [this] { CopyDBX(); });

  // Suchen
  addAction(QStringLiteral("xSuchen"), QStringLiteral("&Suchen"), QKeySequence(Qt::CTRL | Qt::Key_F), [this] { Suchen(); });
  addAction(QStringLiteral("xWeitersuchen"), QStringLiteral("&Weitersuchen"), Qt::Key_F3, [this] { Weitersuchen(); });

  // Spezial
  addAction(QStringLiteral("SPUmkehren"), QStringLiteral("&Bibliothek umkehren"), {}, [this] { Umkehren(false); });
  addAction(QStringLiteral("SPUmkehrenAb"), QStringLiteral("B&ibliothek ab aktueller Vokabel umkehren"), {},
            [this] { Umkehren(true); });
  addAction(QStringLiteral("xControl"), QStringLiteral("Bib&liothek kontrollieren"), QKeySequence(Qt::CTRL | Qt::Key_K),
            [this] { BibliothekKontrollieren(); });
  // Hidden: in no menu, only its key.
  addAction(QStringLiteral("xKAbgleichen"), QStringLiteral("Kontexte abgleichen"), Qt::Key_F2,
            [this] { Kontexteabgleichen(); });
  addAction(QStringLiteral("XPressKontrolle"), QStringLiteral("&XPress-Kontrolle"), {}, [this] { XPressCon(); });

  // Vorschau
  addAction(QStringLiteral("PreviewEin"), QStringLiteral("&Eintipp-Aufgabe"), Qt::Key_F9,
            [this] { Preview(TEditorPreview::Typing); });
  addAction(QStringLiteral("PreviewMCH"), QStringLiteral("&Multiple-Choice"), Qt::Key_F10,
            [this] { Preview(TEditorPreview::MultipleChoice); });
  addAction(QStringLiteral("PreviewKontext"), QStringLiteral("&Kontext-Aufgabe"), Qt::Key_F11,
            [this] { Preview(TEditorPreview::Context); });

  // Benutzer: the editor's login gives the scores of a learner, nothing else.
  addAction(QStringLiteral("UserNew"), QStringLiteral("&Neuen Benutzer anlegen"), {}, [this] {
    services_.login.NewUser();
    userChanged();
  });
  addAction(QStringLiteral("UserLogon"), QStringLiteral("&Anmelden"), {}, [this] {
    services_.login.StartLogin();
    userChanged();
  });
  addAction(QStringLiteral("UserChangePW"), QStringLiteral("&Passwort ändern"), {}, [this] {
    if (services_.users.IsLoggedIn()) services_.login.ChangePassword();
  });
  addAction(QStringLiteral("ScoreReset"), QStringLiteral("&Aktuelle Vokabel"), QKeySequence(Qt::CTRL | Qt::Key_R),
            [this] { ScoreReset(); });
  addAction(QStringLiteral("ScoreResetAll"), QStringLiteral("A&lle Vokabeln..."), {}, [this] { ScoreResetAllX(); });
  addAction(QStringLiteral("UserChange"), QStringLiteral("B&enutzer wechseln"), {}, [this] {
    services_.login.ChangeUser();
    userChanged();
  });
  addAction(QStringLiteral("UserKill"), QStringLiteral("&Benutzer löschen"), {}, [this] {
    services_.users.DeleteUser();
    userChanged();
  });
  addAction(QStringLiteral("UserLogoff"), QStringLiteral("Ab&melden"), {}, [this] {
    if (services_.users.IsLoggedIn()) services_.users.SaveUser();
    userChanged();
  });

  // Ansicht
  const QList<QSize> sizes{{640, 480}, {800, 600}, {1024, 768}};
  for (const QSize& size : sizes) {
    const QString name = QStringLiteral("w%1").arg(size.width());
    QAction* a = addAction(name, QStringLiteral("&%1 x %2").arg(size.width()).arg(size.height()), {},
                           [this, size] { SetWindowSize(size.width(), size.height()); });
    a->setCheckable(true);
    a->setData(size);
  }
  addAction(QStringLiteral("mAnpassen"), QStringLiteral("&Anpassen..."), {}, [this] { Anpassen(); });
  QAction* dictionary = addAction(QStringLiteral("AnsichtWB"), QStringLiteral("&Wörterbuch"), Qt::Key_F5, [this] {
    const bool show = Action(QStringLiteral("AnsichtWB"))->isChecked();
    wb_->setVisible(show);
    if (show) {
      wb_->raise();
      wb_->activateWindow();
    }
  });
  dictionary->setCheckable(true);
  QAction* info = addAction(QStringLiteral("AnsichtInfo"), QStringLiteral("&Infos zur Bibliothek"), {}, [this] {
    NP->setVisible(Action(QStringLiteral("AnsichtInfo"))->isChecked());
    placeParts();
  });
  info->setCheckable(true);
  info->setChecked(true);
  QAction* status = addAction(QStringLiteral("mStatus"), QStringLiteral("&Statusleiste"), {}, [this] {
    statusBar()->setVisible(Action(QStringLiteral("mStatus"))->isChecked());
    placeParts();
  });
  status->setCheckable(true);

  // Optionen
  // Neither option is stored: each start looks up and asks.
  QAction* lookup = addAction(QStringLiteral("AlwaysLookup"), QStringLiteral("&Ständig nachschlagen"), {}, [this] {
    if (AlwaysLookupOn()) LookUp();
  });
  lookup->setCheckable(true);
  lookup->setChecked(true);
  addAction(QStringLiteral("WBAutomatik"), QStringLiteral("&Neue Vokabeln automatisch ins Wörterbuch"), {}, [] {})
      ->setCheckable(true);
  addAction(QStringLiteral("SZF1"), QStringLiteral("&Umlaute und Sonderzeichen"), {}, [] {
    ShowMessage(EditorTexts::kSpecialCharacters, MessageKind::Information);
  });
  addAction(QStringLiteral("Verzeichnisse"), QStringLiteral("&Verzeichnisse..."), Qt::Key_F6, [this] {
    TXWaveBase& recordings = services_.mainRecordings;
    TXPaths dialog(services_.env,
                   {[&recordings](const QString& dir) { return recordings.HasReferencesBelow(dir); },
                    [&recordings](const QString& dir) { return recordings.ReplaceDirByAlias(dir); }},
                   this);
    dialog.exec();
    activateWindow();
  });
  addAction(QStringLiteral("xRecVerw"), QStringLiteral("&Verwaltung..."), {},
            [this] { ShowWaveBaseDialog(services_.mainRecordings, services_.env, services_.player, this); });

  // Hilfe
  QAction* hints = addAction(QStringLiteral("Hilfe"), QStringLiteral("&Online-Hilfe"), {},
                             [this] { ShowHints(Action(QStringLiteral("Hilfe"))->isChecked()); });
  hints->setCheckable(true);
  hints->setChecked(true);

  // Tool bar only: the recorder and the record position.
  addAction(QStringLiteral("RecRec"), QStringLiteral("REC"), {}, [this] { recorder_->Rec(); });
  addAction(QStringLiteral("RecPlay"), QStringLiteral("PLAY"), {}, [this] { recorder_->Play(); });
  addAction(QStringLiteral("RecSave"), QStringLiteral("SAVE"), Qt::Key_F7, [this] {
    const QString file = recorder_->Save();
    if (!file.isEmpty()) recordingSaved(file);
  });
  addAction(QStringLiteral("PosPrev"), QStringLiteral("<"), {}, [this] { PreviousRecord(); });
  addAction(QStringLiteral("GoToPos"), QStringLiteral("1/0"), {}, [this] { GoToPos(); });
  addAction(QStringLiteral("PosNext"), QStringLiteral(">"), {}, [this] { NextRecord(); });
  recorder_ = new TEditorRecorder(Action(QStringLiteral("RecRec")), Action(QStringLiteral("RecPlay")),
                                  Action(QStringLiteral("RecSave")), nullptr, this);

  // Hints of the tool bar's buttons.
  const QList<std::pair<const char*, const char*>> toolHints{
      {"FileNew", "Neue Bibliothek"},          {"FileOpen", "Bibliothek öffnen"},
      {"FileAdd", "Bibliothek hinzufügen"},    {"FileSave", "Bibliothek speichern"},
      {"EditSort", "Bibliothek sortieren"},    {"EditDelVoc", "Aktuelle Vokabel löschen"},
      {"PosPrev", "Vorige Vokabel (Bild auf)"}, {"GoToPos", "Gehe zu Vokabel..."},
      {"PosNext", "Nächste Vokabel (Bild ab)"}, {"RecSave", "SAVE: Aufnahme speichern und zuordnen (F7)"}};
  for (const auto& [name, hint] : toolHints) Action(QLatin1String(name))->setToolTip(QString::fromUtf8(hint));
}

void TVEditor::createMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("AMenu"));
  const auto add = [this](QMenu* menu, std::initializer_list<const char*> names) {
    for (const char* name : names) {
      if (!*name) menu->addSeparator();
      else menu->addAction(Action(QLatin1String(name)));
    }
  };
  QMenu* file = bar->addMenu(QStringLiteral("Da&tei"));
  add(file, {"FileNew", "FileOpen", "FileAdd", "FileSave", "FileSaveAs", "", "FileImport", "FileRandom", "",
             "FilePrint", "FilePrintCards", "FilePrintSetup", "", "FileInfo", ""});
  for (QAction* recent : recentActions_) file->addAction(recent);
  add(file, {"", "FileExit"});
  QMenu* edit = bar->addMenu(QStringLiteral("B&earbeiten"));
  add(edit, {"EditUndo", "", "EditCut", "EditCopy", "EditPaste", "EditDelete", "EditSelectAll", "", "EditSort",
             "EditMix", ""});
  QMenu* insert = edit->addMenu(QStringLiteral("Vokabel ein&fügen"));
  add(insert, {"EinVor", "EinNach"});
  add(edit, {"EditDelVoc", "EditNoDoubles", "", "EditCopyDB"});
  add(bar->addMenu(QStringLiteral("S&uchen")), {"xSuchen", "xWeitersuchen"});
  add(bar->addMenu(QStringLiteral("&Spezial")),
      {"SPUmkehren", "SPUmkehrenAb", "", "xControl", "XPressKontrolle"});
  add(bar->addMenu(QStringLiteral("&Vorschau")), {"PreviewEin", "PreviewMCH", "PreviewKontext"});
  QMenu* users = bar->addMenu(QStringLiteral("&Benutzer"));
  add(users, {"UserNew", "UserLogon", "UserChangePW", ""});
  add(users->addMenu(QStringLiteral("A&uswertung zurücksetzen")), {"ScoreReset", "ScoreResetAll"});
  add(users, {"", "UserChange", "UserKill", "UserLogoff"});
  QMenu* view = bar->addMenu(QStringLiteral("&Ansicht"));
  add(view->addMenu(QStringLiteral("&Fenstergröße")), {"w640", "w800", "w1024"});
  add(view, {"mAnpassen", "", "AnsichtWB", "AnsichtInfo", "mStatus"});
  QMenu* options = bar->addMenu(QStringLiteral("&Optionen"));
  add(options, {"AlwaysLookup", "WBAutomatik", "", "SZF1", "", "Verzeichnisse"});
  add(options->addMenu(QStringLiteral("S&prachaufnahmen")), {"xRecVerw"});
  add(bar->addMenu(QStringLiteral("H&ilfe")), {"Hilfe"});
}

void TVEditor::createToolBar() {
  ABar = addToolBar(QStringLiteral("ABar"));
  ABar->setObjectName(QStringLiteral("ABar"));
  ABar->setMovable(false);
  ABar->setIconSize(QSize(24, 24));
  ABar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  const QList<std::pair<const char*, const char*>> buttons{
      {"FileNew", "neu"},           {"FileOpen", "oeffnen"},          {"FileAdd", "hinzufuegen"},
      {"FileSave", "speichern"},    {"", ""},                         {"FilePrint", "drucken"},
      {"FilePrintCards", "karteikarten"}, {"", ""},                   {"EditCopyDB", "aus_woerterbuch"},
      {"EditSort", "sortieren"},    {"EditDelVoc", "vokabel_loeschen"}, {"", ""},
      {"PosPrev", "zurueck"},       {"GoToPos", ""},                  {"PosNext", "weiter"},
      {"", ""},                     {"RecRec", "aufnahme"},           {"RecPlay", "abspielen"},
      {"RecSave", "aufnahme_speichern"}};
  recorder_->SetPictures(EditorPictures::Picture(services_.env, QStringLiteral("aufnahme")),
                         EditorPictures::Picture(services_.env, QStringLiteral("abspielen")),
                         EditorPictures::Picture(services_.env, QStringLiteral("stop")));
  for (const auto& [name, picture] : buttons) {
    if (!*name) {
      ABar->addSeparator();
      continue;
    }
    QAction* action = Action(QLatin1String(name));
    const QIcon icon = *picture ? EditorPictures::Picture(services_.env, QLatin1String(picture)) : QIcon();
    if (!icon.isNull()) action->setIcon(icon);
    ABar->addAction(action);
    // The position reads its caption; the rest show their pictures (and
    // their captions, "REC" or "STOP", as hints), so that all fit in 640 pixels.
    QWidget* button = ABar->widgetForAction(action);
    if (auto* tool = qobject_cast<QToolButton*>(button)) {
      tool->setToolButtonStyle(icon.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
      tool->setObjectName(QLatin1String(name));
    }
  }
}

void TVEditor::refreshRecentFiles() {
  const QStringList& files = settings_.recent.Files();
  for (int i = 0; i < recentActions_.size(); ++i) {
    QAction* a = recentActions_.at(i);
    const bool shown = i < files.size();
    a->setVisible(shown);
    // "&1 " + file: the file is the caption from its fourth character on.
    a->setText(shown ? QStringLiteral("&%1 ").arg(i + 1) + files.at(i) : QString());
  }
}

void TVEditor::refreshUserMenu() {
  const bool in = services_.users.IsLoggedIn();
  for (const char* name : {"UserChangePW", "UserChange", "UserKill", "UserLogoff", "ScoreReset", "ScoreResetAll"})
    Action(QLatin1String(name))->setEnabled(in);
  Action(QStringLiteral("UserLogon"))->setEnabled(!in);
  refreshStatus();
}

void TVEditor::userChanged() {
  if (services_.users.IsLoggedIn()) services_.library.RefreshScores();
  model_->ScoresChanged();
  refreshUserMenu();
}

void TVEditor::SetWindowSize(int width, int height) {
  const QRect frame = frameGeometry();
  const QSize extra = frame.size() - size();
  resize(width - extra.width(), height - extra.height());
  const QScreen* screen = this->screen();
  const QRect desk = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  move(desk.x() + std::max(0, (desk.width() - width) / 2), desk.y() + std::max(0, (desk.height() - height) / 2));
  placeParts();
}

void TVEditor::ShowHints(bool on) { hintsOn_ = on; }
