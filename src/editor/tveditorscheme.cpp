// The editor window's look (the colour scheme and its font) and the
// commands behind the small dialogs: the scheme dialog, the import
// assistant and the reset of a learner's answers.
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTableView>
#include <QToolBar>
#include <QCheckBox>
#include <QRadioButton>

#include "common/filelookup.h"
#include "common/messagebox.h"
#include "editor/dictionarypanel.h"
#include "editor/editortexts.h"
#include "editor/recordform.h"
#include "editor/recordlistmodel.h"
#include "editor/tedconfig.h"
#include "editor/timport.h"
#include "editor/tveditor.h"
#include "editor/txreset.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "pages/txpage.h"
#include "users/txuserbase.h"
#include "vocabulary/tbibliothek.h"

namespace {

using EditorScheme::TextOn;

// A widget drawn in a colour, with text that can be read on it.
void paint(QWidget* widget, const QColor& colour) {
  QPalette p = widget->palette();
  const QColor text = TextOn(colour);
  // Switched-off controls keep looking switched off: their text halfway
  // between the colour and the text colour.
  const QColor faint((colour.red() + text.red()) / 2, (colour.green() + text.green()) / 2,
                     (colour.blue() + text.blue()) / 2);
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
      p.setColor(group, role, colour);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
      p.setColor(group, role, group == QPalette::Disabled ? faint : text);
  }
  widget->setPalette(p);
  widget->setAutoFillBackground(true);
}

// A bar: its colour, its selection lighter by 64 in each channel.
void paintBar(QWidget* bar, const QColor& colour) {
  paint(bar, colour);
  QPalette p = bar->palette();
  p.setColor(QPalette::Highlight, EditorScheme::Lighter(colour, 64));
  p.setColor(QPalette::HighlightedText, TextOn(EditorScheme::Lighter(colour, 64)));
  bar->setPalette(p);
}

}  // namespace

void TVEditor::loadScheme() {
  scheme_ = TElemente::PlatformDefaults();
  schemeName_ = settings_.scheme;
  EditorScheme::ReadScheme(EditorScheme::SchemeFile(services_.env, schemeName_), scheme_);
  ApplyScheme();
}

void TVEditor::ApplyScheme() {
  SetColors();
  ApplyFont(scheme_.font, scheme_.sizes[scheme_.sizeInUse]);
}

void TVEditor::SetColors() {
  using C = TElemente;
  const auto& colour = scheme_.colours;
  paintBar(menuBar(), colour[C::Menu]);
  paintBar(ABar, colour[C::ToolBar]);

  // The list, its marked line darker by 32, and the preview's page in the same colours.
  const QColor list = colour[C::List];
  const QColor marked = EditorScheme::Darker(list, 32);
  paint(Liste, list);
  QPalette p = Liste->palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    p.setColor(group, QPalette::Highlight, marked);
    p.setColor(group, QPalette::HighlightedText, TextOn(marked));
  }
  Liste->setPalette(p);
  XPage->SetVariable(QStringLiteral("dunkel"), EditorScheme::HexName(marked));
  XPage->SetVariable(QStringLiteral("pastell"), EditorScheme::HexName(list));
  paint(XPage, list);

  paint(this, colour[C::RecordPanel]);
  paint(RP, colour[C::RecordPanel]);
  paint(NP, colour[C::Notes]);
  paint(LibInfo, colour[C::Notes]);  // its text black or white, as the notes' colour needs

  // The record's fields; an edit field gets a border where it would not
  // stand out from the panel by itself.
  const QColor field = colour[C::RecordField];
  const bool fieldBorder = field == colour[C::RecordPanel] || field == QColor(Qt::white);
  for (QLineEdit* edit : RP->EditFields()) {
    paint(edit, field);
    edit->setFrame(fieldBorder);
  }
  paint(RP->EWortart, field);
  paint(RP->Schwierigkeit, field);

  paint(WP, colour[C::DictionaryPanel]);
  const QColor dbField = colour[C::DictionaryField];
  const bool dbBorder = dbField == colour[C::DictionaryPanel] || dbField == QColor(Qt::white);
  paint(WP->dbVokabel, dbField);
  WP->dbVokabel->setFrame(dbBorder);
  paint(WP->dbBedeutung, dbField);
  WP->dbBedeutung->setFrameShape(dbBorder ? QFrame::StyledPanel : QFrame::NoFrame);
  paint(WP->DBWortart, dbField);
  // The page shows its new colours at once.
  if (XPage->isVisible()) XPage->ShowPage();
}

void TVEditor::ApplyFont(const QString& name, int size) {
  QFont f = font();
  if (!name.isEmpty()) f.setFamily(name);
  if (size > 0) f.setPointSize(size);
  f.setBold(scheme_.bold);
  setFont(f);
  LibInfo->setFont(f);
  Liste->setFont(f);
  ABar->setFont(f);
  model_->setFont(f);
  Liste->viewport()->update();
}

void TVEditor::Anpassen() {
  TEdConfig dialog(services_.env, scheme_, schemeName_, [this] { ApplyScheme(); }, this);
  dialog.exec();
  activateWindow();
}

bool TVEditor::saveChangedScheme() {
  if (!scheme_.changed) return true;
  if (EditorScheme::WriteScheme(EditorScheme::SchemeFile(services_.env, EditorScheme::kDefaultName), scheme_)) {
    scheme_.changed = false;
    return true;
  }
  // A read-only program folder does not stop the end; the author is told.
  ShowMessage(EditorTexts::kSettingsNotSaved);
  return false;
}

// --- Import ---

void TVEditor::ImportX() {
  if (SaveChCancelled()) return;
  SettingsStore& store = services_.env.store();
  const QString key = services_.env.UserKeyPath() + QStringLiteral("\\Import");
  TImport dialog(pageFolder_, this);
  const QString separator = store.readString(key, QStringLiteral("Trennzeichen")).value_or(QString());
  const QString structure = store.readString(key, QStringLiteral("Struktur")).value_or(QString());
  if (!separator.isEmpty()) dialog.Separator->setCurrentText(separator);
  if (!structure.isEmpty()) dialog.Struktur->setCurrentText(structure);
  const QString lastDir = FileLookup::nativePath(store.readString(key, QStringLiteral("Verzeichnis")).value_or(QString()));

  const auto run = [&]() -> bool {
    if (!(importDialogAnswer ? importDialogAnswer(dialog) : dialog.exec() == QDialog::Accepted)) return false;
    const QString separatorText = dialog.Separator->currentText();
    const std::optional<QChar> cut = TImport::SeparatorOf(separatorText);
    if (!cut) {
      ShowMessage(separatorText.trimmed().isEmpty() ? EditorTexts::kSeparatorMissing : EditorTexts::kSeparatorTooLong);
      return false;
    }
    const QString start = QFileInfo(lastDir).isDir() ? lastDir : libraryDialogDirectory();
    const QString file = chooseImportFile ? chooseImportFile(start)
                                          : QFileDialog::getOpenFileName(this, QString(), start,
                                                                         EditorTexts::kTextFilter);
    if (file.isEmpty()) return false;
    services_.library.ImportText(file, dialog.Struktur->currentText(), *cut);
    store.writeValues(key, {{QStringLiteral("Trennzeichen"), separatorText},
                            {QStringLiteral("Struktur"), dialog.Struktur->currentText()},
                            {QStringLiteral("Verzeichnis"), FileLookup::directoryPart(file)}});
    return true;
  };
  run();
  activateWindow();
  // Whatever happened: the first record and the caption of what is there now.
  afterLibraryChanged(0);
  refreshCaption();
}

// --- Resetting a learner's answers ---

void TVEditor::ScoreResetAllX() {
  TXUserBase& users = services_.users;
  if (!users.IsLoggedIn()) return;
  TXReset dialog(users.UserName(), this);
  const bool accepted = resetDialogAnswer ? resetDialogAnswer(dialog) : dialog.exec() == QDialog::Accepted;
  activateWindow();
  if (!accepted) return;
  const int n = dialog.Count();
  const bool positiveOnly = dialog.nurPositiv->isChecked();
  TBibliothek& library = services_.library;
  if (dialog.Bibliothek->isChecked()) {
    for (TVokabel& record : library.Items) {
      if (record.IsEmpty() || (positiveOnly && record.Score <= 0)) continue;
      record.Score = users.ResetHistory(record.Vokabel, record.Deutsch, n, record.Wortart);
    }
  } else {
    users.ResetAllHistories(positiveOnly, n);
    library.RefreshScores();
  }
  model_->ScoresChanged();
}
