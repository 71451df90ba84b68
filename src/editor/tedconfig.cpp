#include "editor/tedconfig.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <optional>

#include "common/messagebox.h"
#include "editor/dialogbuttons.h"
#include "editor/editortexts.h"
#include "environment/environment.h"
#include "users/usernames.h"

// --- TSchemaDlg ---

TSchemaDlg::TSchemaDlg(const QString& name, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Schema speichern"));
  SchemaName = new QLineEdit(name, this);
  SchemaName->setObjectName(QStringLiteral("SchemaName"));
  const DialogButtons buttons = DialogButtons::Make(this);
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("Farbschema speichern"), this), 0, 0);
  grid->addWidget(SchemaName, 1, 0);
  grid->addLayout(buttons.row, 2, 0);
  SchemaName->selectAll();
  SchemaName->setFocus();
}

void TSchemaDlg::accept() {
  const QString name = SchemaName->text().trimmed();
  if (name.isEmpty()) {
    ShowMessage(EditorTexts::kNameMissing);
    return;
  }
  if (UserNames::HasInvalidNameChar(name)) {
    ShowMessage(EditorTexts::NameInvalid());
    return;
  }
  QDialog::accept();
}

// --- TEdConfig ---

namespace {

const char* const kRowLabels[TElemente::kColours] = {"Menüleiste", "Toolbar", "Liste",  "Farbe3",
                                                     "Farbe4",     "Farbe5",  "Farbe6", "Farbe7"};

bool isSixHexDigits(const QString& text) {
  static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{6}$"));
  return hex.match(text).hasMatch();
}

}  // namespace

TEdConfig::TEdConfig(const Environment& env, TElemente& scheme, QString& schemeName, std::function<void()> apply,
                     QWidget* parent)
    : QDialog(parent), env_(env), scheme_(scheme), name_(schemeName), apply_(std::move(apply)) {
  setWindowTitle(QStringLiteral("Eigenschaften von Editor"));
  openedScheme_ = scheme_;
  openedName_ = name_;

  Schema = new QListWidget(this);
  Schema->setObjectName(QStringLiteral("Schema"));
  Schema->addItems(EditorScheme::SchemeNames(env_));

  SaveScheme = new QPushButton(QStringLiteral("Speichern unter..."), this);
  Schrift = new QComboBox(this);
  Schrift->setObjectName(QStringLiteral("Schrift"));
  Schrift->addItems(QFontDatabase::families());
  SchriftG = new QComboBox(this);
  SchriftG->setObjectName(QStringLiteral("SchriftG"));
  SchriftG->setEditable(true);
  for (int s = 8; s <= 14; ++s) SchriftG->addItem(QString::number(s));
  Fett = new QPushButton(QStringLiteral("Fett"), this);
  Fett->setObjectName(QStringLiteral("Fett"));
  Ok = new QPushButton(QStringLiteral("OK"), this);
  Abbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
  // No default button: Enter in a colour or size field applies that value
  // and must not close the dialog.
  for (QPushButton* button : {SaveScheme, Fett, Ok, Abbrechen}) {
    button->setDefault(false);
    button->setAutoDefault(false);
  }

  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("Schema:"), this), 0, 0);
  grid->addWidget(Schema, 1, 0, 8, 1);
  grid->addWidget(SaveScheme, 9, 0);
  grid->addWidget(new QLabel(QStringLiteral("Schrift:"), this), 0, 1);
  auto* fontRow = new QHBoxLayout;
  fontRow->addWidget(Schrift, 1);
  fontRow->addWidget(SchriftG);
  fontRow->addWidget(Fett);
  grid->addLayout(fontRow, 0, 2, 1, 2);
  for (int i = 0; i < TElemente::kColours; ++i) {
    F[i] = new QLineEdit(this);
    F[i]->setObjectName(QStringLiteral("F%1").arg(i));
    F[i]->setMaxLength(6);
    F[i]->setFixedWidth(F[i]->fontMetrics().horizontalAdvance(QStringLiteral("MMMMMMM")));
    C[i] = new QFrame(this);
    C[i]->setObjectName(QStringLiteral("C%1").arg(i));
    C[i]->setFrameShape(QFrame::Box);
    C[i]->setAutoFillBackground(true);
    C[i]->setMinimumSize(60, 20);
    grid->addWidget(new QLabel(QString::fromUtf8(kRowLabels[i]), this), i + 1, 1);
    grid->addWidget(F[i], i + 1, 2);
    grid->addWidget(C[i], i + 1, 3);
    connect(F[i], &QLineEdit::textEdited, this, [this, i](const QString& text) {
      if (text.size() == 6) ColourTyped(i, false);
    });
    connect(F[i], &QLineEdit::returnPressed, this, [this, i] { ColourTyped(i, true); });
  }
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Ok);
  buttons->addWidget(Abbrechen);
  grid->addLayout(buttons, 9, 1, 1, 3);

  connect(Schema, &QListWidget::currentTextChanged, this, [this](const QString& name) {
    if (!filling_) ChooseScheme(name);
  });
  connect(SaveScheme, &QPushButton::clicked, this, &TEdConfig::SaveUnderName);
  connect(Schrift, &QComboBox::currentTextChanged, this, [this](const QString& family) {
    if (!filling_) ChooseFont(family);
  });
  connect(SchriftG, &QComboBox::currentTextChanged, this, [this](const QString& text) {
    if (!filling_) ChangeSize(text);
  });
  connect(Fett, &QPushButton::clicked, this, &TEdConfig::ToggleBold);
  connect(Ok, &QPushButton::clicked, this, &TEdConfig::accept);
  connect(Abbrechen, &QPushButton::clicked, this, &TEdConfig::reject);
  fill();
}

void TEdConfig::fill() {
  filling_ = true;
  noScheme();
  if (name_.compare(EditorScheme::kDefaultName, Qt::CaseInsensitive) != 0) {
    const QList<QListWidgetItem*> found = Schema->findItems(name_, Qt::MatchFixedString);
    if (!found.isEmpty()) Schema->setCurrentItem(found.first());
  }
  const QString family = scheme_.font.isEmpty() ? font().family() : scheme_.font;
  if (Schrift->findText(family, Qt::MatchFixedString) < 0) Schrift->insertItem(0, family);
  Schrift->setCurrentIndex(Schrift->findText(family, Qt::MatchFixedString));
  SchriftG->setCurrentText(QString::number(scheme_.sizes[scheme_.sizeInUse]));
  QFont bold = Fett->font();
  bold.setBold(scheme_.bold);
  Fett->setFont(bold);
  for (int i = 0; i < TElemente::kColours; ++i) {
    F[i]->setText(EditorScheme::HexName(scheme_.colours[i]).mid(1));
    showColour(i);
  }
  filling_ = false;
}

void TEdConfig::showColour(int row) {
  QPalette p = C[row]->palette();
  p.setColor(QPalette::Window, scheme_.colours[row]);
  C[row]->setPalette(p);
}

void TEdConfig::applied() {
  if (apply_) apply_();
}

void TEdConfig::noScheme() {
  // No current item, set through the view: a list without one would make
  // its first scheme current when it gets the focus by the keyboard, and so
  // choose that scheme unasked.
  Schema->clearSelection();
  Schema->setCurrentIndex(QModelIndex());
}

void TEdConfig::becomesUnnamed() {
  name_ = EditorScheme::kDefaultName;
  filling_ = true;
  noScheme();
  filling_ = false;
}

void TEdConfig::ChooseScheme(const QString& name) {
  const QString chosen = name.isEmpty() ? QStringLiteral("Default") : name;
  const QString file = EditorScheme::SchemeFile(env_, chosen);
  if (!QFileInfo(file).isFile()) return;
  name_ = chosen;
  const int inUse = scheme_.sizeInUse;
  EditorScheme::ReadScheme(file, scheme_);
  scheme_.sizeInUse = inUse;
  applied();
  fill();
}

void TEdConfig::ChooseFont(const QString& family) {
  if (family.isEmpty()) return;
  scheme_.font = family;
  applied();
  becomesUnnamed();
}

void TEdConfig::ChangeSize(const QString& text) {
  bool ok = false;
  const int size = text.toInt(&ok);
  if (!ok || size < 6 || size > 24 || size == scheme_.sizes[scheme_.sizeInUse]) return;
  scheme_.sizes[scheme_.sizeInUse] = size;
  scheme_.changed = true;
  applied();
  becomesUnnamed();
}

void TEdConfig::ToggleBold() {
  scheme_.bold = !scheme_.bold;
  QFont f = Fett->font();
  f.setBold(scheme_.bold);
  Fett->setFont(f);
  applied();
  becomesUnnamed();
}

void TEdConfig::ColourTyped(int row, bool enter) {
  const QString text = F[row]->text();
  if (!isSixHexDigits(text)) {
    // Six characters that are no colour show the colour there is again;
    // Enter on a text that is no colour changes nothing.
    if (!enter && text.size() == 6) F[row]->setText(EditorScheme::HexName(scheme_.colours[row]).mid(1));
    return;
  }
  const QColor colour(QLatin1Char('#') + text);
  if (colour == scheme_.colours[row]) return;
  scheme_.colours[row] = colour;
  scheme_.changed = true;
  showColour(row);
  applied();
  if (name_.compare(EditorScheme::kDefaultName, Qt::CaseInsensitive) != 0) proposal_ = name_;
  becomesUnnamed();
}

void TEdConfig::SaveUnderName() {
  const bool unnamed = name_.compare(EditorScheme::kDefaultName, Qt::CaseInsensitive) == 0;
  const QString proposal = unnamed ? proposal_ : name_;
  std::optional<QString> chosen;
  if (askName) {
    chosen = askName(proposal);
  } else {
    TSchemaDlg dialog(proposal, this);
    if (dialog.exec() == QDialog::Accepted) chosen = dialog.SchemaName->text().trimmed();
  }
  if (!chosen || chosen->isEmpty()) return;
  // The unnamed scheme is not a name of the list: saving under it writes it.
  if (chosen->compare(EditorScheme::kDefaultName, Qt::CaseInsensitive) == 0) {
    if (EditorScheme::WriteScheme(EditorScheme::SchemeFile(env_, EditorScheme::kDefaultName), scheme_))
      scheme_.changed = false;
    else
      ShowMessage(EditorTexts::kSchemeNotSaved);
    becomesUnnamed();
    return;
  }
  // Another scheme of that name is replaced only when the author says so.
  if (EditorScheme::SchemeExists(env_, *chosen) && chosen->compare(name_, Qt::CaseInsensitive) != 0 &&
      AskQuestion(EditorTexts::SchemeExists(*chosen)) != MessageAnswer::Yes)
    return;
  // Only a scheme that was written takes the name; a name that differs only
  // in letter case is the same scheme.
  if (!EditorScheme::WriteScheme(EditorScheme::SchemeFile(env_, *chosen), scheme_)) {
    ShowMessage(EditorTexts::kSchemeNotSaved);
    return;
  }
  QList<QListWidgetItem*> found = Schema->findItems(*chosen, Qt::MatchFixedString);
  filling_ = true;
  if (found.isEmpty()) {
    Schema->addItem(*chosen);
    found = Schema->findItems(*chosen, Qt::MatchFixedString);
  }
  name_ = found.first()->text();
  Schema->setCurrentItem(found.first());
  filling_ = false;
  scheme_.changed = false;
}

void TEdConfig::accept() {
  if (scheme_.changed && name_.compare(EditorScheme::kDefaultName, Qt::CaseInsensitive) == 0) {
    if (!EditorScheme::WriteScheme(EditorScheme::SchemeFile(env_, EditorScheme::kDefaultName), scheme_)) {
      ShowMessage(EditorTexts::kSettingsNotSaved);
    } else {
      scheme_.changed = false;
    }
  }
  QDialog::accept();
}

void TEdConfig::reject() {
  scheme_ = openedScheme_;
  name_ = openedName_;
  scheme_.changed = false;
  applied();
  QDialog::reject();
}
