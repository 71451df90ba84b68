#pragma once

#include <QMap>
#include <QSet>
#include <QStringList>

#include "common/random.h"
#include "vocabulary/tres.h"
#include "vocabulary/vocabularyquery.h"
#include "vocabularytestsupport.h"

// A page that keeps what the query writes to it.
class RecordingQueryPage : public TQueryPage {
 public:
  void SetVariable(const QString& name, const QString& value) override { variables[name] = value; }
  void SetCondition(const QString& name, bool on) override {
    if (on) conditions.insert(name);
    else conditions.remove(name);
  }
  void ShowPage(const QString& fileName) override { shown.append(fileName); }
  bool PageVisible() const override { return visible; }

  QString var(const QString& name) const { return variables.value(name); }
  QString last() const { return shown.isEmpty() ? QString() : shown.last(); }

  QMap<QString, QString> variables;
  QSet<QString> conditions;
  QStringList shown;
  bool visible = true;
};

// The library of VocabularyFixture with a query on a recording page. Draws
// are repeatable: the query does not re-seed from the clock.
class QueryFixture : public VocabularyFixture {
 public:
  QueryFixture() : query(library, nullptr, &page) {
    query.Reseed = [] {};
    Random::seed(7);
    library.Clear(false);
  }

  // Fills the library (a trailing empty record follows).
  void setRecords(const QList<TVokabel>& records) {
    library.Clear(false);
    for (const TVokabel& r : records) library.Add(r);
    library.AddEmpty();
  }
  // n Spanish nouns "palabra<i>" meaning "Wort<letters>" (no meaning contains another).
  static QList<TVokabel> nouns(int n, int wortart = 0) {
    QList<TVokabel> list;
    for (int i = 0; i < n; ++i)
      list.append(record(QStringLiteral("palabra%1").arg(i, 3, 10, QLatin1Char('0')),
                         QStringLiteral("Wort%1").arg(QChar('A' + i / 26)) + QChar('a' + i % 26), wortart));
    return list;
  }
  TVocEinstellungen& settings() { return library.Einstellungen; }
  const TVocAufgabe& current() const { return query.Task(query.Aktuell()); }
  bool logIn() { return users.CreateUser(QStringLiteral("anna"), QString()); }
  const TXUserVoc* history(const TVokabel& r) const {
    return users.History().findItem(r.Vokabel, r.Deutsch, r.Wortart);
  }

  RecordingQueryPage page;
  TVocQuery query;
};
