#pragma once

#include <QString>
#include <QStringList>
#include <array>

class TBibliothek;

// The learner's vocabulary query settings: order and direction of the
// questions, learning mode, word classes, difficulties, score range and the
// library selection. They live in "zvk_S.ini" in the learner's directory, or
// in "prefs.ini" in the program directory while nobody is logged in.
//
// Every setter marks the settings modified only when the value changes.
class TVocEinstellungen {
 public:
  static inline const QString kSection = QStringLiteral("*zvk");
  static inline const QString kLearnerFile = QStringLiteral("zvk_S.ini");
  static inline const QString kAnonymousFile = QStringLiteral("prefs.ini");
  static inline const QString kDefaultSelection = QStringLiteral("Grundwortschatz\\");
  static constexpr int kAllWortarten = 0xFFFFFF;

  // Richtung: the order in which records are taken.
  enum { Vor = 0, Zurueck = 1, KreuzUndQuer = 2 };
  // Sprache: 0 German to Spanish (German entries), 1 Spanish to German, 2 both.
  enum { DeutschSpanisch = 0, SpanischDeutsch = 1, Beides = 2 };
  // Modus values the filter looks at.
  enum { ModusAbfragen = 0, ModusSuperDD = 4, ModusAirport = 5, ModusFreeFall = 6, ModusVegas = 7 };

  // "abfragen", "klassisch", "abgedreht", "techno", "superdd", "airport",
  // "freefall", "vegas", "super3d", "b3".
  static const QStringList& ModeNames();
  // The name of a mode; empty for a number outside the list.
  static QString ModeName(int modus);
  // The index of a mode name (compared in lower case); 0 for an unknown name.
  static int ModeIndex(const QString& name);

  explicit TVocEinstellungen(TBibliothek& owner);
  // Saves the settings when they changed since the last load or save.
  ~TVocEinstellungen();
  TVocEinstellungen(const TVocEinstellungen&) = delete;
  TVocEinstellungen& operator=(const TVocEinstellungen&) = delete;

  int Richtung() const { return richtung_; }
  int Sprache() const { return sprache_; }
  int Modus() const { return modus_; }
  int ProRunde() const { return proRunde_; }
  int MultipleChoice() const { return multipleChoice_; }
  bool Kontext() const { return kontext_; }
  int Wortarten() const { return wortarten_; }
  // Records of this word class are included (bit of Wortarten; false outside 0..31).
  bool WortartAktiv(int wortart) const;
  // Records of this difficulty are included (false outside 0..4).
  bool NichtZuSchwer(int schwierigkeit) const;
  int MaxScore() const { return maxScore_; }
  int MinScore() const { return minScore_; }
  // The selected folder below the vocabulary directory; empty for the
  // learner's own list of library files.
  const QString& Selection() const { return selection_; }
  // Number of library files of the current selection.
  int FileCount() const { return fileCount_; }
  bool Modified() const { return modified_; }
  bool Loaded() const { return loaded_; }

  void SetRichtung(int value);
  void SetSprache(int value);
  void SetModus(int value);
  void SetProRunde(int value);
  void SetMultipleChoice(int value);
  void SetKontext(bool value);
  void SetWortarten(int mask);
  // Changes one bit of Wortarten without marking the settings modified.
  void SetWortartAktiv(int wortart, bool on);
  void SetNichtZuSchwer(int schwierigkeit, bool value);
  void SetMaxScore(int value);
  void SetMinScore(int value);
  void SetModified(bool value) { modified_ = value; }
  // Loads the selection into the library (see TBibliothek::SetSelection).
  void SetSelection(const QString& name);

  // "zvk_S.ini" in the logged-in learner's directory, else "prefs.ini" in ProgramDir.
  QString FilePath() const;
  // Reads every key (missing keys give the defaults), applies the selection,
  // clears Modified and sets Loaded.
  void Load();
  // Writes every key in its order; for a learner the learner's directory is
  // created first. Returns false (and keeps Modified) when nothing could be written.
  bool Save();

 private:
  friend class TBibliothek;

  TBibliothek& owner_;
  quint8 richtung_ = KreuzUndQuer;
  quint8 sprache_ = Beides;
  quint8 modus_ = ModusAbfragen;
  int proRunde_ = 0;
  int multipleChoice_ = 50;
  bool kontext_ = true;
  int wortarten_ = kAllWortarten;
  std::array<bool, 5> nichtZuSchwer_ = {true, true, true, true, true};
  int maxScore_ = 75;
  int minScore_ = -100;
  QString selection_ = kDefaultSelection;
  int fileCount_ = 0;
  bool modified_ = false;
  bool loaded_ = false;
};
