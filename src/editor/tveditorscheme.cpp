// The editor window's look: the colour scheme, its font and the scheme dialog.
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTableView>
#include <QToolBar>

#include "common/messagebox.h"
#include "editor/dictionarypanel.h"
#include "editor/editorpreview.h"
#include "editor/editortexts.h"
#include "editor/recordform.h"
#include "editor/recordlistmodel.h"
#include "editor/tedconfig.h"
#include "editor/tveditor.h"
#include "environment/environment.h"
#include "pages/txpage.h"

namespace {

using EditorScheme::TextOn;

// Sets background roles to a colour and the matching text roles to a colour
// that can be read on it. Switched-off controls keep looking switched off:
// their text stands halfway between the colour and the text colour.
void paintRoles(QWidget* widget, const QColor& colour, std::initializer_list<QPalette::ColorRole> backgrounds,
                std::initializer_list<QPalette::ColorRole> texts) {
  QPalette p = widget->palette();
  const QColor text = TextOn(colour);
  const QColor faint((colour.red() + text.red()) / 2, (colour.green() + text.green()) / 2,
                     (colour.blue() + text.blue()) / 2);
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    for (QPalette::ColorRole role : backgrounds) p.setColor(group, role, colour);
    for (QPalette::ColorRole role : texts) p.setColor(group, role, group == QPalette::Disabled ? faint : text);
  }
  widget->setPalette(p);
  widget->setAutoFillBackground(true);
}

// A panel or bar: its own background; the fields on it (and the boxes of
// its check boxes) keep theirs.
void paint(QWidget* widget, const QColor& colour) {
  paintRoles(widget, colour, {QPalette::Window, QPalette::Button}, {QPalette::WindowText, QPalette::ButtonText});
}

// A field: the background of its text too.
void paintField(QWidget* widget, const QColor& colour) {
  paintRoles(widget, colour, {QPalette::Window, QPalette::Base, QPalette::Button},
             {QPalette::WindowText, QPalette::Text, QPalette::ButtonText});
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
  paintField(Liste, list);
  QPalette p = Liste->palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    p.setColor(group, QPalette::Highlight, marked);
    p.setColor(group, QPalette::HighlightedText, TextOn(marked));
  }
  Liste->setPalette(p);
  XPage->SetVariable(QStringLiteral("dunkel"), EditorScheme::HexName(marked));
  XPage->SetVariable(QStringLiteral("pastell"), EditorScheme::HexName(list));
  paintField(XPage, list);

  paint(this, colour[C::RecordPanel]);
  paint(RP, colour[C::RecordPanel]);
  paint(NP, colour[C::Notes]);
  paintField(LibInfo, colour[C::Notes]);  // its text black or white, as the notes' colour needs

  // The record's fields; an edit field gets a border where it would not
  // stand out from the panel by itself.
  const QColor field = colour[C::RecordField];
  const bool fieldBorder = field == colour[C::RecordPanel] || field == QColor(Qt::white);
  for (QLineEdit* edit : RP->EditFields()) {
    paintField(edit, field);
    edit->setFrame(fieldBorder);
  }
  paintField(RP->EWortart, field);
  paintField(RP->Schwierigkeit, field);

  paint(WP, colour[C::DictionaryPanel]);
  const QColor dbField = colour[C::DictionaryField];
  const bool dbBorder = dbField == colour[C::DictionaryPanel] || dbField == QColor(Qt::white);
  paintField(WP->dbVokabel, dbField);
  WP->dbVokabel->setFrame(dbBorder);
  paintField(WP->dbBedeutung, dbField);
  WP->dbBedeutung->setFrameShape(dbBorder ? QFrame::StyledPanel : QFrame::NoFrame);
  paintField(WP->DBWortart, dbField);
  // A preview on the screen is built again with the new page colours.
  preview_->CurrentChanged();
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
