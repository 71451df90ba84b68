#include "editor/recordform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QResizeEvent>
#include <QToolButton>

#include "common/accentkeyfilter.h"
#include "editor/editorlayout.h"
#include "vocabulary/tvoclib.h"

namespace {

QLineEdit* field(QWidget* parent, const char* name, const QString& hint = {}) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QLatin1String(name));
  if (!hint.isEmpty()) edit->setToolTip(hint);
  AccentKeyFilter::Install(edit);
  return edit;
}

QLabel* label(QWidget* parent, const QString& text, const char* name = nullptr) {
  auto* l = new QLabel(text, parent);
  if (name) l->setObjectName(QLatin1String(name));
  return l;
}

}  // namespace

TRecordForm::TRecordForm(TVocLib& library, QWidget* parent) : QWidget(parent), library_(library) {
  setObjectName(QStringLiteral("RP"));
  setAutoFillBackground(true);
  eVokabel = field(this, "eVokabel");
  eBedeutung0 = field(this, "eBedeutung0", QStringLiteral("Bedeutung(en) mit Semikolon + Leerzeichen trennen!"));
  eBedeutung1 = field(this, "eBedeutung1", QStringLiteral("Platz für weitere Bedeutungen"));
  EWortart = new QComboBox(this);
  EWortart->setObjectName(QStringLiteral("EWortart"));
  for (int i = 0; i < Vocabulary::kWortarten; ++i) EWortart->addItem(Vocabulary::WortartEditorName(i));
  Schwierigkeit = new QComboBox(this);
  Schwierigkeit->setObjectName(QStringLiteral("Schwierigkeit"));
  for (int i = 0; i < Vocabulary::kSchwierigkeiten; ++i) Schwierigkeit->addItem(Vocabulary::SchwierigkeitName(i));
  iFremd = new QToolButton(this);
  iFremd->setObjectName(QStringLiteral("iFremd"));
  iFremd->setToolTip(QStringLiteral("Spanisch: klicken, um die Sprache der Vokabel zu wechseln"));
  iDeutsch = new QToolButton(this);
  iDeutsch->setObjectName(QStringLiteral("iDeutsch"));
  iDeutsch->setToolTip(QStringLiteral("Deutsch: klicken, um die Sprache der Vokabel zu wechseln"));
  for (QToolButton* flag : {iFremd, iDeutsch}) {
    flag->setAutoRaise(true);
    flag->setIconSize(QSize(36, 24));
    flag->setFocusPolicy(Qt::NoFocus);
  }
  vPlay = new QToolButton(this);
  vPlay->setObjectName(QStringLiteral("vPlay"));
  vPlay->setText(QStringLiteral("\u25BA"));
  vPlay->setVisible(false);
  k1 = label(this, QStringLiteral("1. Kontext:"), "k1");
  k2 = label(this, QStringLiteral("2. Kontext:"), "k2");
  eKontext0 = field(this, "eKontext0", QStringLiteral("Platz für einen Satzzusammenhang"));
  eKontext1 = field(this, "eKontext1", QStringLiteral("Platz für einen Satzzusammenhang"));
  Ktx_dazu1 = new QCheckBox(QStringLiteral("Bedeutung anzeigen"), this);
  Ktx_dazu1->setObjectName(QStringLiteral("Ktx_dazu1"));
  Ktx_dazu2 = new QCheckBox(QStringLiteral("Bedeutung anzeigen"), this);
  Ktx_dazu2->setObjectName(QStringLiteral("Ktx_dazu2"));
  labels_ = {label(this, QStringLiteral("Vokabel:")), label(this, QStringLiteral("Bedeutung:")),
             label(this, QStringLiteral("Weitere:")), label(this, QStringLiteral("Einordnung:"))};
  EWortart->setToolTip(QStringLiteral("Wortart"));
  Schwierigkeit->setToolTip(QStringLiteral("Schwierigkeit"));

  // Each change goes into the record at once, unless the form is being filled.
  const auto text = [this](QLineEdit* edit, auto write) {
    connect(edit, &QLineEdit::textChanged, this, [this, write](const QString& value) {
      if (!filling_) write(value);
    });
  };
  text(eVokabel, [this](const QString& v) {
    if (v == library_.Vokabel(-1)) return;
    library_.SetVokabel(-1, v);
    Q_EMIT KeyEdited();
  });
  text(eBedeutung0, [this](const QString& v) { library_.SetBedeutung(-1, 0, v); Q_EMIT RecordEdited(); });
  text(eBedeutung1, [this](const QString& v) { library_.SetBedeutung(-1, 1, v); Q_EMIT RecordEdited(); });
  text(eKontext0, [this](const QString& v) { library_.SetKontext(-1, 0, v); Q_EMIT RecordEdited(); });
  text(eKontext1, [this](const QString& v) { library_.SetKontext(-1, 1, v); Q_EMIT RecordEdited(); });
  connect(Ktx_dazu1, &QCheckBox::toggled, this, [this](bool on) {
    if (filling_) return;
    library_.SetKontextBedeutung(-1, 0, on);
    Q_EMIT RecordEdited();
  });
  connect(Ktx_dazu2, &QCheckBox::toggled, this, [this](bool on) {
    if (filling_) return;
    library_.SetKontextBedeutung(-1, 1, on);
    Q_EMIT RecordEdited();
  });
  connect(EWortart, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (filling_ || index < 0 || index == library_.Wortart(-1)) return;
    library_.SetWortart(-1, index);
    Q_EMIT KeyEdited();
  });
  connect(Schwierigkeit, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (filling_ || index < 0) return;
    library_.SetSchwierigkeit(-1, index);
    Q_EMIT RecordEdited();
  });
  connect(iFremd, &QToolButton::clicked, this, &TRecordForm::swapFlags);
  connect(iDeutsch, &QToolButton::clicked, this, &TRecordForm::swapFlags);
  placeControls();
}

void TRecordForm::ShowCurrent() {
  filling_ = true;
  // Another record starts every field afresh, so that undo cannot bring
  // back the text of the record before. The same record keeps the fields
  // whose text is unchanged (with the cursor of the author typing there).
  const bool otherRecord = library_.Current != shownRecord_;
  shownRecord_ = library_.Current;
  const auto show = [otherRecord](QLineEdit* edit, const QString& value) {
    if (!otherRecord && edit->text() == value) return;
    edit->setText(value);
    if (!edit->hasFocus()) edit->setCursorPosition(0);
  };
  show(eVokabel, library_.Vokabel(-1));
  show(eBedeutung0, library_.Bedeutung(-1, 0));
  show(eBedeutung1, library_.Bedeutung(-1, 1));
  show(eKontext0, library_.Kontext(-1, 0));
  show(eKontext1, library_.Kontext(-1, 1));
  Ktx_dazu1->setChecked(library_.KontextBedeutung(-1, 0));
  Ktx_dazu2->setChecked(library_.KontextBedeutung(-1, 1));
  // A number the list does not offer shows no item and stays in the record.
  const int wortart = library_.Wortart(-1);
  EWortart->setCurrentIndex(Vocabulary::IsValidWortart(wortart) ? wortart : -1);
  const int schwierigkeit = library_.Schwierigkeit(-1);
  Schwierigkeit->setCurrentIndex(Vocabulary::IsValidSchwierigkeit(schwierigkeit) ? schwierigkeit : -1);
  ShowDirection(library_.Deutsch(-1));
  filling_ = false;
}

void TRecordForm::SetFlagPictures(const QIcon& spanish, const QIcon& german) {
  iFremd->setIcon(spanish);
  iDeutsch->setIcon(german);
  if (spanish.isNull()) iFremd->setText(QStringLiteral("ES"));
  if (german.isNull()) iDeutsch->setText(QStringLiteral("DE"));
}

void TRecordForm::ShowDirection(bool german) {
  if (germanOnTop_ == german) return;
  germanOnTop_ = german;
  placeControls();
}

void TRecordForm::swapFlags() {
  germanOnTop_ = !germanOnTop_;
  placeControls();
  if (library_.Deutsch(-1) != germanOnTop_) {
    library_.SetDeutsch(-1, germanOnTop_);
    Q_EMIT KeyEdited();
  }
}

bool TRecordForm::SecondContextShown() const { return height() >= EditorLayout::kSecondContextHeight; }

QList<QLineEdit*> TRecordForm::EditFields() const {
  return {eVokabel, eBedeutung0, eBedeutung1, eKontext0, eKontext1};
}

QList<QWidget*> TRecordForm::FocusOrder() const {
  QList<QWidget*> order{eVokabel, eBedeutung0, eBedeutung1, EWortart, Schwierigkeit, eKontext0, Ktx_dazu1};
  if (SecondContextShown()) order += {eKontext1, Ktx_dazu2};
  return order;
}

void TRecordForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  placeControls();
}

void TRecordForm::placeControls() {
  const bool second = SecondContextShown();
  for (QWidget* w : QList<QWidget*>{k2, eKontext1, Ktx_dazu2}) w->setVisible(second);
  // The rows share the height evenly: entry, two meanings, class and
  // difficulty, and one or two contexts (each with its check box below).
  const int rows = second ? 8 : 6;
  const int margin = 8;
  const int step = std::max(24, (height() - 2 * margin) / rows);
  const int rowH = std::min(step - 4, fontMetrics().height() + 10);
  const int labelW = std::min(110, width() / 4);
  const int flagW = 52;
  const int x = margin + labelW;
  const int w = std::max(60, width() - x - flagW - 2 * margin);
  const auto row = [&](int r) { return margin + r * step + (step - rowH) / 2; };
  labels_[0]->setGeometry(margin, row(0), labelW, rowH);
  // The play button stands right of the entry, where the field leaves it room.
  eVokabel->setGeometry(x, row(0), w - rowH - 4, rowH);
  vPlay->setGeometry(x + w - rowH, row(0), rowH, rowH);
  QToolButton* top = germanOnTop_ ? iDeutsch : iFremd;
  QToolButton* bottom = germanOnTop_ ? iFremd : iDeutsch;
  top->setGeometry(x + w + margin, row(0), flagW - 4, rowH);
  bottom->setGeometry(x + w + margin, row(0) + rowH + 2, flagW - 4, rowH);
  labels_[1]->setGeometry(margin, row(1), labelW, rowH);
  eBedeutung0->setGeometry(x, row(1), w, rowH);
  labels_[2]->setGeometry(margin, row(2), labelW, rowH);
  eBedeutung1->setGeometry(x, row(2), w, rowH);
  labels_[3]->setGeometry(margin, row(3), labelW, rowH);
  const int half = (w - margin) / 2;
  EWortart->setGeometry(x, row(3), half, rowH);
  Schwierigkeit->setGeometry(x + half + margin, row(3), w - half - margin, rowH);
  k1->setGeometry(margin, row(4), labelW, rowH);
  eKontext0->setGeometry(x, row(4), w, rowH);
  Ktx_dazu1->setGeometry(x, row(5), w, rowH);
  if (second) {
    k2->setGeometry(margin, row(6), labelW, rowH);
    eKontext1->setGeometry(x, row(6), w, rowH);
    Ktx_dazu2->setGeometry(x, row(7), w, rowH);
  }
}
