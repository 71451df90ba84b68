#pragma once

#include <QString>
#include <QStringList>

#include "verbs/txverben.h"

class QWidget;
class TXPage;

// The verb trainer on the trainer's page: the verb table of one verb
// ("verbtafel.htx"), the list of all verbs ("verbliste.htx") and the
// printing of verb tables.
class TVerben : public TXVerben {
 public:
  static constexpr int kListColumns = 5;
  static constexpr int kListRows = 15;
  static inline const QString kTablePage = QStringLiteral("verbtafel.htx");
  static inline const QString kListPage = QStringLiteral("verbliste.htx");

  // pageFolder ends with "/".
  TVerben(TXPage& page, QString pageFolder);

  // The table of verb n: the variables "Infinitiv", "Bedeutung", "zeit0" to
  // "zeit15" and "pron", then the page. Nothing happens for a verb that
  // does not exist.
  void ShowVerbTable(int n);
  // Page command "showverb" + n: verb n becomes the current verb and its
  // table is shown (a number that names no verb changes nothing).
  void ShowVerb(int n);
  // Page command "vtafel": the table of the current verb, the first verb
  // before any other was shown.
  void ShowCurrentVerb() { ShowVerbTable(currentVerb_); }
  int CurrentVerb() const { return currentVerb_; }
  void ClearCurrentVerb() { currentVerb_ = 0; }

  // The list page: the variables "VerbListe1" to "VerbListe5" hold the
  // verbs in columns of 15 (75 at most), each a link "§showverb" + the
  // verb's number; they are emptied again once the page is built.
  void ShowVerbList();
  QStringList ListColumns() const;

  // The dialog "Verbtafeln drucken".
  void PrintVerbTables(QWidget* parent);

  // The markup of tense t of a verb for its table: the tense name in the
  // style "zeit", then every person's form in "irr" (wholly irregular) or
  // "reg", with the irregular part from its "*" on in "irr".
  static QString TenseMarkup(const TVerb& verb, int tense);
  // The pronoun column.
  static QString PronounMarkup();

 protected:
  TXPage& page_;
  QString folder_;

 private:
  int currentVerb_ = 0;
};
