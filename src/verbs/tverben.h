#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "verbs/txverben.h"
#include "verbs/verbquery.h"
#include "verbs/verbselection.h"

class QWidget;
class SettingsStore;
class TXPage;

// The verb trainer on the trainer's page: the verb table of one verb
// ("verbtafel.htx"), the list of all verbs ("verbliste.htx"), the printing
// of verb tables, the choice of verbs and tenses ("verbmanuell.htx") and the
// verb queries.
class TVerben : public TXVerben {
 public:
  static constexpr int kListColumns = 5;
  static constexpr int kListRows = 15;
  static inline const QString kTablePage = QStringLiteral("verbtafel.htx");
  static inline const QString kListPage = QStringLiteral("verbliste.htx");
  static inline const QString kSelectionPage = QStringLiteral("verbmanuell.htx");
  static constexpr int kSelectionPageVerbs = 32;

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

  VerbSelection& Selection() { return selection_; }
  VerbQuery& Query() { return query_; }

  // Where the learner's choice is stored: the settings store and the
  // learner's key (it changes with the login).
  void SetSelectionStore(SettingsStore* store, std::function<QString()> userKeyPath);
  // "vt0" and the start-up: the stored choice over a choice of everything.
  void RestoreSelection();
  // "vsave".
  void SaveSelection();
  // "vt1" to "vt4".
  void ApplyPreset(int preset) { selection_.ApplyPreset(preset); }

  // The selection page: 32 verbs from start on with their checkboxes
  // ("vv1", "vv2", conditions "vv" + n), the arrows "prev" and "next", the
  // count "vnr" and the tenses ("vzeiten", conditions "vz" + t). -1 is the
  // last start; a start outside the list is brought into it.
  void ShowSelection(int start);
  int ListStart() const { return listStart_ < 0 ? 0 : listStart_; }

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
  int listStart_ = -1;
  VerbSelection selection_{*this};
  VerbQuery query_;
  SettingsStore* store_ = nullptr;
  std::function<QString()> userKeyPath_;
};
