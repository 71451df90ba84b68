#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>

class Environment;
class TMusic;
class TXUserBase;

// The settings of the Superlearning presentations and the two vocabulary
// games, one value each, stored under UserKeyPath + "\Super" by the value
// names below. The music volume ("Volume") and directory ("MP3") are kept
// by the music player and stored with the options.
enum class SuperOption {
  Schrift, KlassikFaktor, Faktor, TextDelay, Madness, Musik, Sprachausgabe,
  WirbelBGRColor, WirbelTXTColor,
  TechnoRand, TechnoBGRColor, TechnoTextColor, TechnoBMPColor, TechnoPhotoDir, TechnoScrolling, TechnoFading,
  TechnoMode, TechnoFrameDelay, TechnoTextDelay, TechnoSpeed, TechnoTransparenz, TechnoSchrift,
  DDTextDelay, DDCharDelay, DDBGRDelay, DD, OhneHintergrund, SchwarzWeiss,
  AirBGRDelay, Air, AirCharDelay, AirBDelay, AirMainPause,
  S3DVSchrift, S3DBSchrift, S3DBColor, S3DTColor, VegasFaktor,
  Count
};

class TSuperOptions {
 public:
  // How a value is stored: a number clamped to its range, a flag (0 or 1),
  // a text, or a colour: a hexadecimal text in the platform's display
  // order (red in the low byte) or in RGB order (red in the high byte), or
  // a number in RGB order.
  enum class Kind { Integer, Flag, Text, HexDisplay, HexRgb, RgbInteger };
  struct Definition {
    QString name;
    Kind kind;
    int minimum;
    int maximum;
    int defaultValue;
  };
  static constexpr int kCount = static_cast<int>(SuperOption::Count);
  static const Definition& DefinitionOf(SuperOption option);

  static inline const QString kSettingsKey = QStringLiteral("\\Super");
  static inline const QString kNoTechnoDir =
      QStringLiteral("Der Techno-Modus benötigt ein Verzeichnis mit Bildern (JPG oder BMP)!");

  // Builds the lists of background pages and the music player (for the
  // default music directory). The values start at their defaults.
  explicit TSuperOptions(const Environment& environment);
  ~TSuperOptions();
  TSuperOptions(const TSuperOptions&) = delete;
  TSuperOptions& operator=(const TSuperOptions&) = delete;

  // The defaults, then the values stored for the current user; a missing
  // key leaves the defaults. Clears the modified flag.
  void Load();
  // Every value at its default, the default music directory (when it
  // exists); sets the modified flag, so that the defaults are stored.
  void SetDefaults();
  // Writes every value; false (and still modified) when the store cannot be written.
  bool Save();
  void SaveIfModified();
  bool Modified() const { return modified_; }
  // Each learner has their own options: loaded after every login, saved
  // with the learner's data, and the anonymous ones once the session goes
  // on without a learner.
  void FollowLogins(TXUserBase& users);
  // The volume keys changed the music's volume, which is stored with the options.
  void MarkModified() { modified_ = true; }

  int Value(SuperOption option) const { return values_[index(option)]; }
  bool Flag(SuperOption option) const { return values_[index(option)] != 0; }
  QString Text(SuperOption option) const { return texts_[index(option)]; }
  // A colour as the platform keeps it, whatever the option's byte order.
  QColor Colour(SuperOption option) const;
  // Setters store the value (a number clamped to the option's range) and
  // set the modified flag only when the value changes.
  void SetValue(SuperOption option, int value);
  void SetFlag(SuperOption option, bool on) { SetValue(option, on ? 1 : 0); }
  void SetText(SuperOption option, const QString& text);
  // A colour as the platform keeps it, stored in the option's byte order.
  void SetColour(SuperOption option, const QColor& colour);
  // A number typed or stored as text ("1e9", "-5", "inf"): clamped to the
  // range, "nan" gives the minimum; none when it is no number at all.
  static std::optional<int> ParseClamped(const QString& text, int minimum, int maximum);
  // Display order <-> RGB order: the low and the high byte change places.
  static quint32 SwapRedBlue(quint32 colour);

  // The music: its directory (scanned again when it changes) and titles.
  TMusic& Music() { return *music_; }
  void SetMusicDir(const QString& directory);
  QString MusicDir() const;
  int MusicFileCount() const;

  // The pictures of the techno mode: stored, then checked (the three messages).
  void SetTechnoDir(const QString& directory);

  // A background page of "airport" (true) or "superdd" (false): the chosen
  // one when its file exists, else one at random, another than the last
  // when there are two or more. Empty when the folder holds no page.
  QString ChoosePage(bool airport);
  QStringList Pages(bool airport) const { return airport ? airPages_ : ddPages_; }
  // A new presentation starts its choice of pages afresh.
  void ForgetChosenPage() { previousPage_.clear(); }

  // Word or meaning next (presentations clear it at their start).
  bool Alternation = false;

 private:
  static int index(SuperOption option) { return static_cast<int>(option); }
  void setDefaultValues();
  QString defaultText(SuperOption option) const;
  bool speechDefault() const;

  const Environment& env_;
  std::array<int, kCount> values_{};
  std::array<QString, kCount> texts_;
  bool modified_ = false;
  std::unique_ptr<TMusic> music_;
  QString defaultMusicDir_;
  QString ddDir_, airDir_;
  QStringList ddPages_, airPages_;
  QString previousPage_;
};
