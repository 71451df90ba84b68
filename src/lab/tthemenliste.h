#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <memory>
#include <utility>

#include "lab/tsatz.h"
#include "lab/voicecomparison.h"
#include "pages/pagerecorder.h"

class Environment;
class TBaseRec;
class TXPage;
class TXUserBase;

// The language lab: topics of recorded Spanish sentences for listening,
// dictation and repetition. It keeps a current topic and sentence and the
// learner's three switches, and writes them into the page variables and
// conditions that the lab pages ("labor.htx", "laborliste.htx",
// "laborergebnis.htx") read:
//
//   conditions  "diktat", "deutsch", "autoread", "normal", "langsam", "labrichtig"
//   variables   "Thema", "LabSatz", "LabDeutsch", "Normal", "Langsam",
//               "LabAutomatik" (the BODY WAIT of automatic reading), "LabListe",
//               "LabErgebnis", and in dictation "lsg" and "help"
//
// The learner's settings ("Thema", "Diktat", "Deutsch", "Automatik") live
// under UserKeyPath + "\Sprachlabor".
class TThemenListe {
 public:
  static inline const QString kSentencePage = QStringLiteral("labor.htx");
  static inline const QString kListPage = QStringLiteral("laborliste.htx");
  static inline const QString kResultPage = QStringLiteral("laborergebnis.htx");
  static inline const QString kSettingsKey = QStringLiteral("\\Sprachlabor");
  // Recent choices are remembered up to this many (less one) per topic.
  static constexpr int kRecentWindow = 20;
  // Automatic reading starts this long after the page is shown.
  static constexpr int kAutoReadDelayMs = 700;

  TThemenListe(const Environment& environment, QList<TThema> topics);
  ~TThemenListe();

  // Reads the trainer's sentences, loads the learner's settings and
  // chooses a first sentence.
  static std::unique_ptr<TThemenListe> Create(const Environment& environment);

  // The page the lab writes on (null: none); pageFolder ends with "/".
  void SetPage(TXPage* page, const QString& pageFolder);
  TXPage* Page() const;

  // The four settings, all of them or the defaults (topic 0, dictation and
  // German on, automatic reading off). A topic that no longer exists is topic 0.
  void LoadLabSettings();
  // Writes the four settings; a failure changes nothing.
  void SaveLabSettings();
  // The end of the run: the settings are saved and the page let go.
  void Release();
  // Each learner keeps their own lab settings: saved with the learner's
  // data, loaded after every login and when the session goes on anonymously.
  void FollowLogins(TXUserBase& users);

  // "LabListe": one link "§thema NN;lab" per topic, for the list page while it is built.
  QString TopicListMarkup() const;
  void ShowTopicList();
  // Another topic (an index outside the list is topic 0) and a first sentence of it.
  void SelectTopic(int index);
  // A sentence of the current topic that is not among the recent ones.
  void NextSentence();
  // The variables and conditions of the current sentence (only with a page).
  void ShowSentence();
  // ShowSentence, then the sentence page.
  void ShowSentencePage();
  // "LabErgebnis" ("Sehr schön!" or "Leider daneben!") and the result page.
  void ShowVerdict(bool right);

  // The switches of the page commands "+diktat", "-deutsch" ...
  void SetDiktat(bool on) { diktat_ = on; }
  void SetDeutsch(bool on) { deutsch_ = on; }
  void SetAutomatik(bool on) { automatik_ = on; }
  bool Diktat() const { return diktat_; }
  bool Deutsch() const { return deutsch_; }
  bool Automatik() const { return automatik_; }

  // The file of a lab recording "XS:\LA\...a.wav": the ".wav" in the
  // recording directory, else the ".mp3" in the extension directory or in
  // the special recordings. With normal set, the recording at normal speed
  // (the name's "a" before the extension becomes "b"), only when that file
  // exists. Empty when there is no file.
  QString LabSoundFile(const QString& reference, bool normal) const;

  const QList<TThema>& Topics() const { return topics_; }
  int CurrentTopic() const { return topic_; }
  int CurrentSentence() const { return sentence_; }
  // The current sentence; null in a topic without sentences.
  const TSatz* Current() const;
  const QList<int>& Recent() const { return recent_; }

  // The comparison of the learner's voice with the model: the page's
  // picture "%WxH=vergleich" (the pictures of other codes are not the lab's).
  static inline const QString kComparisonCode = QStringLiteral("vergleich");
  bool DrawPicture(const QString& code, QImage& picture) const;
  // A recorder of the sentence page: when a recording ends, it is put
  // beside the model and the picture is drawn again.
  void WatchRecorder(TBaseRec& recorder);
  // The page's recorder factory, with every recorder it makes watched.
  PageRecorderFactory WatchingRecorders(PageRecorderFactory make);
  const VoiceComparison& Comparison() const { return comparison_; }

 private:
  QString settingsKey() const;
  bool onSentencePage() const;
  void recordingEnded(TBaseRec& recorder);
  void showPage(const QString& name);

  const Environment& env_;
  QList<TThema> topics_;
  int topic_ = 0;
  int sentence_ = -1;
  QList<int> recent_;
  bool diktat_ = true;
  bool deutsch_ = true;
  bool automatik_ = false;
  bool released_ = false;
  QPointer<TXPage> page_;
  QString folder_;
  VoiceComparison comparison_;
  std::pair<int, int> comparedSentence_{-1, -1};  // topic and sentence of the comparison's model
};
