#pragma once

#include <QString>
#include <QStringList>

// What the page commands ask of the trainer. Each operation belongs to one
// subsystem; the trainer's main window carries them out for the subsystems
// it has, and an operation whose subsystem is not there does nothing.
class PageCommandTarget {
 public:
  virtual ~PageCommandTarget() = default;

  // Language lab.
  virtual void LabSetGerman(bool) {}
  virtual void LabSetDictation(bool) {}
  virtual void LabSetAutoRead(bool) {}
  virtual void LabShowSentence() {}
  virtual void LabResult(bool right) { Q_UNUSED(right); }
  virtual void LabNext() {}
  virtual void LabTopicList() {}
  virtual void LabSelectTopic(int) {}
  // Verb trainer (only while it exists).
  virtual bool HasVerbTrainer() const { return false; }
  virtual void VerbSelect(int, bool) {}
  virtual void TenseSelect(int, bool) {}
  virtual void VerbSelectAll(bool) {}
  virtual void VerbSaveSelection() {}
  virtual void VerbSelectionPage(int) {}
  virtual void VerbPrintDialog() {}
  virtual void VerbList() {}
  virtual void VerbTable(int) {}
  virtual void VerbStartQuery() {}
  virtual void VerbNextQuestion() {}
  virtual void VerbAnswer(const QString&) {}
  virtual void VerbPreset(int) {}
  // Games and presentations.
  virtual void FreeFallContinue() {}
  virtual void FreeFallDestroy() {}
  virtual void FreeFallGuess(QChar) {}
  virtual void FreeFallGiveUp() {}
  virtual void FreeFallStart() {}
  virtual void VegasRun() {}
  virtual void StopPresentation() {}
  virtual void StartPresentation() {}
  virtual void SuperOptionsDialog() {}
  // Vocabulary.
  virtual void VocabularySettingsDialog() {}
  virtual void VocabularyEvaluation() {}
  virtual void VocabularyNextQuestion() {}
  virtual void VocabularyContinueRound() {}
  virtual void VocabularyAnswer(const QString&) {}
  virtual void VocabularySetSelection(const QString&) {}
  virtual void VocabularySelectDialog() {}
  virtual void VocabularySetMode(int) {}
  virtual void ShowVocabularyPage() {}
  virtual void StartQuery() {}
  // Recordings, dictionary, paths.
  virtual void RecordingDatabaseDialog() {}
  virtual void DictionarySearch() {}
  virtual void DictionaryResultPage(int) {}
  virtual void PathsDialog() {}
  // The web, users, shortcuts, settings, the end.
  virtual void OpenWebAddress(const QString&) {}
  virtual bool IsLoggedIn() const { return false; }
  virtual void ChangePassword() {}
  virtual void ComputeStatistics() {}
  virtual void Login() {}
  virtual void NewUser() {}
  virtual void ChangeUser() {}
  virtual void Refresh() {}
  virtual void RemoveShortcuts() {}
  virtual void DeleteSettings() {}
  virtual void CloseMainWindow() {}
};

// Runs a page command text: lower-cased, split at commas, each command
// matched against the command table in order; the first row that matches runs.
class PageCommandDispatcher {
 public:
  explicit PageCommandDispatcher(PageCommandTarget& target) : target_(target) {}

  // The learning mode names, index 0 to 9.
  static const QStringList& ModeNames();
  // The preset selections "vt1".."vt3": verbs and tenses, "+" selected.
  static QString PresetVerbs(int preset);
  static QString PresetTenses(int preset);

  // A command text arriving while another one runs waits until that one is done.
  void Run(const QString& commandText);

  int CurrentVerb = -1;  // the verb last shown in the verb table; -1: none

 private:
  void runOne(const QString& command);

  PageCommandTarget& target_;
  bool running_ = false;
  QStringList waiting_;
};
