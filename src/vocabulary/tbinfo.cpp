#include "vocabulary/tbinfo.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <functional>

#include "vocabulary/tvoclib.h"

namespace {

using Rows = QList<QPair<QString, int>>;

// A group of caption/number rows; the numbers are right-aligned in the second column.
QGroupBox* countGroup(const QString& title, const Rows& rows) {
  auto* group = new QGroupBox(title);
  auto* grid = new QGridLayout(group);
  for (int r = 0; r < rows.size(); ++r) {
    grid->addWidget(new QLabel(rows[r].first), r, 0);
    auto* value = new QLabel(QString::number(rows[r].second));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(value, r, 1);
  }
  grid->setColumnStretch(0, 1);
  grid->setRowStretch(static_cast<int>(rows.size()), 1);
  return group;
}

QWidget* tabPage(const std::array<TBInfo::Counts, 2>& counts, const std::function<Rows(const TBInfo::Counts&)>& rows) {
  auto* page = new QWidget;
  auto* layout = new QHBoxLayout(page);
  layout->addWidget(countGroup(QStringLiteral("Spanisch-Deutsch"), rows(counts[TBInfo::Spanish])));
  layout->addWidget(countGroup(QStringLiteral("Deutsch-Spanisch"), rows(counts[TBInfo::German])));
  return page;
}

}  // namespace

std::array<TBInfo::Counts, 2> TBInfo::CountRecords(const TVocLib& library) {
  std::array<Counts, 2> counts;
  const int n = library.Count();
  for (int i = 0; i < n; ++i) {
    const TVokabel& v = library.Items[i];
    Counts& c = counts[v.Deutsch ? German : Spanish];
    ++c.total;
    if (v.Wortart >= 0 && v.Wortart < static_cast<int>(c.wortart.size())) ++c.wortart[v.Wortart];
    if (v.Schwierigkeit >= 0 && v.Schwierigkeit < static_cast<int>(c.schwierigkeit.size()))
      ++c.schwierigkeit[v.Schwierigkeit];
    if (!v.Kontext[0].isEmpty() || !v.Kontext[1].isEmpty()) ++c.withContext;
  }
  return counts;
}

TBInfo::TBInfo(const TVocLib& library, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Infos zur Bibliothek"));
  const auto counts = CountRecords(library);

  Tabs = new QTabWidget;
  // Every word class has its row, so that the rows add up to the total.
  Tabs->addTab(tabPage(counts,
                       [](const Counts& c) {
                         return Rows{{QStringLiteral("Nomen:"), c.wortart[0]},
                                     {QStringLiteral("Verben:"), c.wortart[1]},
                                     {QStringLiteral("Adjektive:"), c.wortart[2]},
                                     {QStringLiteral("Kleine Wörter:"), c.wortart[3]},
                                     {QStringLiteral("Redew. mit Verb:"), c.wortart[4]},
                                     {QStringLiteral("Redew. ohne Verb:"), c.wortart[5]},
                                     {QStringLiteral("Adverbien:"), c.wortart[6]},
                                     {QStringLiteral("Präpositionen:"), c.wortart[7]},
                                     {QStringLiteral("Vokabeln gesamt:"), c.total},
                                     {QStringLiteral("davon mit Kontext(en):"), c.withContext}};
                       }),
               QStringLiteral("Wortarten"));
  Tabs->addTab(tabPage(counts,
                       [](const Counts& c) {
                         return Rows{{QStringLiteral("Baby:"), c.schwierigkeit[0]},
                                     {QStringLiteral("Leicht:"), c.schwierigkeit[1]},
                                     {QStringLiteral("Mittel:"), c.schwierigkeit[2]},
                                     {QStringLiteral("Schwierig:"), c.schwierigkeit[3]},
                                     {QStringLiteral("Tödlich:"), c.schwierigkeit[4]},
                                     {QStringLiteral("Vokabeln gesamt:"), c.total}};
                       }),
               QStringLiteral("Schwierigkeitsgrade"));

  auto* ok = new QPushButton(QStringLiteral("&OK"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Tabs);
  layout->addLayout(buttons);
}

void TBInfo::Execute(const TVocLib& library, QWidget* parent) {
  TBInfo dialog(library, parent);
  dialog.exec();
}
