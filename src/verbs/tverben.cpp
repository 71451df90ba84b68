#include "verbs/tverben.h"

#include "common/markuptext.h"
#include "environment/settingsstore.h"
#include "pages/txpage.h"
#include "verbs/verbprintdialog.h"

namespace {

const QString kIrr = QStringLiteral("<+irr>");
const QString kReg = QStringLiteral("<+reg>");
const QString kZeit = QStringLiteral("<+zeit>");

QString listVariable(int column) { return QStringLiteral("VerbListe") + QString::number(column); }

}  // namespace

TVerben::TVerben(TXPage& page, QString pageFolder)
    : page_(page),
      folder_(std::move(pageFolder)),
      query_(*this, selection_, page_, folder_, [this] { ShowSelection(0); }) {}

void TVerben::SetSelectionStore(SettingsStore* store, std::function<QString()> userKeyPath) {
  store_ = store;
  userKeyPath_ = std::move(userKeyPath);
}

void TVerben::RestoreSelection() {
  if (store_ && userKeyPath_) selection_.Load(*store_, userKeyPath_());
  else selection_.ApplyPreset(4);
}

void TVerben::SaveSelection() {
  if (store_ && userKeyPath_) selection_.Save(*store_, userKeyPath_());
}

void TVerben::ShowSelection(int start) {
  if (start == -1) start = ListStart();
  start = std::clamp(start, 0, std::max(0, Count() - 1));
  listStart_ = start;
  const QLatin1Char q('"');
  const int last = std::min(start + kSelectionPageVerbs - 1, Count() - 1);
  QString columns[2];
  for (int n = start; n <= last; ++n) {
    const QString name = QStringLiteral("vv") + QString::number(n);
    columns[n > start + 15 ? 1 : 0] += QStringLiteral("<checkbox coords=15,5 name=") + q + name + q +
                                       QStringLiteral("><a href=") + q + QLatin1Char('+') + name + q +
                                       QLatin1Char('>') + MarkupText::EscapeText(verbs_[static_cast<size_t>(n)].Infinitiv) +
                                       QStringLiteral("</a><br>");
    page_.SetCondition(name, verbs_[static_cast<size_t>(n)].Aktiv);
  }
  page_.SetVariable(QStringLiteral("vv1"), columns[0]);
  page_.SetVariable(QStringLiteral("vv2"), columns[1]);
  auto arrow = [&](int to, const char* picture) {
    return QStringLiteral("<a href=") + q + QStringLiteral("§vman") + QString::number(std::max(0, to)) + q +
           QStringLiteral("><img src=") + q + QStringLiteral("gfx\\") + QLatin1String(picture) + q +
           QStringLiteral(" color=h0 fcolor=h1></a>");
  };
  page_.SetVariable(QStringLiteral("prev"), start <= 0 ? QString() : arrow(start - kSelectionPageVerbs, "pfeil_L.bmp"));
  page_.SetVariable(QStringLiteral("next"),
                    last < Count() - 1 ? arrow(start + kSelectionPageVerbs, "pfeil_R.bmp") : QString());
  page_.SetVariable(QStringLiteral("vnr"), QString::number(selection_.SelectedVerbCount()) + QStringLiteral(" von ") +
                                               QString::number(Count()) + QStringLiteral(" Verben aktiv"));
  QString tenses;
  for (int t = 0; t < VerbTense::kCount; ++t) {
    const QString name = QStringLiteral("vz") + QString::number(t);
    page_.SetCondition(name, selection_.TenseSelected(t));
    tenses += QStringLiteral("<checkbox coords=15,5 name=") + q + name + q + QStringLiteral("><a href=") + q +
              QLatin1Char('+') + name + q + QLatin1Char('>') + VerbTense::Names().at(t) + QStringLiteral("</a><br>");
  }
  page_.SetVariable(QStringLiteral("vzeiten"), tenses);
  page_.setXFile(folder_ + kSelectionPage);
}

QString TVerben::TenseMarkup(const TVerb& verb, int tense) {
  QString text = kZeit + VerbTense::Names().value(tense) + QStringLiteral("<p>");
  for (const QString& stored : verb.Formen[static_cast<size_t>(tense)]) {
    QString form = stored;
    const bool wholly = form.startsWith(QLatin1Char('*'));
    if (wholly) form.remove(0, 1);
    text += wholly ? kIrr : kReg;
    // The regular part, then the irregular part from the (first) "*" on.
    const qsizetype star = form.indexOf(QLatin1Char('*'));
    const QString shown = star < 0 ? MarkupText::EscapeText(form)
                                   : MarkupText::EscapeText(form.left(star)) + kIrr +
                                         MarkupText::EscapeText(TVerb::Plain(form.mid(star + 1)));
    if (form.isEmpty())
      text += QStringLiteral("&nbsp; <br>");
    else if (tense == VerbTense::Imperativo)
      text += QStringLiteral("¡") + shown + QStringLiteral("!<br>");
    else
      text += shown + QStringLiteral("<br>");
  }
  return text;
}

QString TVerben::PronounMarkup() {
  QString text = kZeit + QStringLiteral("&nbsp;<p>") + kReg;
  for (const QString& pronoun : VerbTense::Pronouns()) text += pronoun + QStringLiteral("<br>");
  return text;
}

void TVerben::ShowVerbTable(int n) {
  const TVerb* verb = Verb(n);
  if (!verb) return;
  page_.SetVariable(QStringLiteral("Infinitiv"), MarkupText::EscapeText(verb->Infinitiv));
  page_.SetVariable(QStringLiteral("Bedeutung"), MarkupText::EscapeText(verb->Bedeutung));
  for (int t = 0; t < VerbTense::kCount; ++t)
    page_.SetVariable(QStringLiteral("zeit") + QString::number(t), TenseMarkup(*verb, t));
  page_.SetVariable(QStringLiteral("pron"), PronounMarkup());
  page_.setXFile(folder_ + kTablePage);
}

void TVerben::ShowVerb(int n) {
  if (!Verb(n)) return;
  currentVerb_ = n;
  ShowVerbTable(n);
}

QStringList TVerben::ListColumns() const {
  QStringList columns(kListColumns);
  const int shown = std::min(Count(), kListColumns * kListRows);
  for (int n = 0; n < shown; ++n)
    columns[n / kListRows] += QStringLiteral("<a href=\"§showverb") + QString::asprintf("%2d", n) +
                              QStringLiteral("\">") + MarkupText::EscapeText(verbs_[static_cast<size_t>(n)].Infinitiv) +
                              QStringLiteral("</a><br>");
  return columns;
}

void TVerben::ShowVerbList() {
  const QStringList columns = ListColumns();
  for (int c = 0; c < kListColumns; ++c) page_.SetVariable(listVariable(c + 1), columns.at(c));
  page_.setXFile(folder_ + kListPage);
  // The page holds the links now; the variables are not left behind.
  for (int c = 0; c < kListColumns; ++c) page_.SetVariable(listVariable(c + 1), QString());
}

void TVerben::PrintVerbTables(QWidget* parent) {
  TVerbPrDlg dialog(verbs_, parent);
  dialog.exec();
}
