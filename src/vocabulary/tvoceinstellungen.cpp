#include "vocabulary/tvoceinstellungen.h"

#include <QDir>

#include "common/messagebox.h"
#include "environment/environment.h"
#include "environment/inifile.h"
#include "users/txuserbase.h"
#include "vocabulary/tbibliothek.h"

namespace {

const QString kRichtungNames[] = {QStringLiteral("vor"), QStringLiteral("zurück"), QStringLiteral("kreuzundquer")};
const QString kSpracheNames[] = {QStringLiteral("D-S"), QStringLiteral("S-D"), QStringLiteral("Beides")};

template <typename T, typename V>
void change(T& field, V value, bool& modified) {
  const T v = static_cast<T>(value);
  if (field == v) return;
  field = v;
  modified = true;
}

// The index of an exactly matching name, else the last index (the default).
int indexOf(const QString (&names)[3], const QString& value) {
  for (int i = 0; i < 2; ++i)
    if (value == names[i]) return i;
  return 2;
}

}  // namespace

const QStringList& TVocEinstellungen::ModeNames() {
  static const QStringList names = {
      QStringLiteral("abfragen"), QStringLiteral("klassisch"), QStringLiteral("abgedreht"), QStringLiteral("techno"),
      QStringLiteral("superdd"),  QStringLiteral("airport"),   QStringLiteral("freefall"),  QStringLiteral("vegas"),
      QStringLiteral("super3d"),  QStringLiteral("b3")};
  return names;
}

QString TVocEinstellungen::ModeName(int modus) {
  return modus >= 0 && modus < ModeNames().size() ? ModeNames()[modus] : QString();
}

int TVocEinstellungen::ModeIndex(const QString& name) {
  const qsizetype i = ModeNames().indexOf(name.toLower());
  return i < 0 ? 0 : static_cast<int>(i);
}

TVocEinstellungen::TVocEinstellungen(TBibliothek& owner) : owner_(owner) {}

TVocEinstellungen::~TVocEinstellungen() {
  if (modified_) Save();
}

bool TVocEinstellungen::WortartAktiv(int wortart) const {
  return wortart >= 0 && wortart < 32 && (static_cast<quint32>(wortarten_) >> wortart & 1u);
}

bool TVocEinstellungen::NichtZuSchwer(int schwierigkeit) const {
  return schwierigkeit >= 0 && schwierigkeit < 5 && nichtZuSchwer_[schwierigkeit];
}

void TVocEinstellungen::SetRichtung(int value) { change(richtung_, value, modified_); }
void TVocEinstellungen::SetSprache(int value) { change(sprache_, value, modified_); }
void TVocEinstellungen::SetModus(int value) { change(modus_, value, modified_); }
void TVocEinstellungen::SetProRunde(int value) { change(proRunde_, value, modified_); }
void TVocEinstellungen::SetMultipleChoice(int value) { change(multipleChoice_, value, modified_); }
void TVocEinstellungen::SetKontext(bool value) { change(kontext_, value, modified_); }
void TVocEinstellungen::SetWortarten(int mask) { change(wortarten_, mask, modified_); }
void TVocEinstellungen::SetMaxScore(int value) { change(maxScore_, value, modified_); }
void TVocEinstellungen::SetMinScore(int value) { change(minScore_, value, modified_); }

void TVocEinstellungen::SetWortartAktiv(int wortart, bool on) {
  if (wortart < 0 || wortart >= 32) return;
  const quint32 bit = 1u << wortart;
  quint32 mask = static_cast<quint32>(wortarten_);
  mask = on ? mask | bit : mask & ~bit;
  wortarten_ = static_cast<int>(mask);
}

void TVocEinstellungen::SetNichtZuSchwer(int schwierigkeit, bool value) {
  if (schwierigkeit < 0 || schwierigkeit >= 5) return;
  change(nichtZuSchwer_[schwierigkeit], value, modified_);
}

void TVocEinstellungen::SetSelection(const QString& name) { owner_.SetSelection(name); }

QString TVocEinstellungen::FilePath() const {
  const TXUserBase* users = owner_.userBase();
  if (users && users->IsLoggedIn()) return users->CurrentUserDirectory() + kLearnerFile;
  return owner_.environment().ProgramDir + kAnonymousFile;
}

void TVocEinstellungen::Load() {
  const IniFile ini(FilePath());
  modus_ = static_cast<quint8>(ini.readInteger(kSection, QStringLiteral("Modus"), 0));
  QString selection = ini.readString(kSection, QStringLiteral("Selection"));
  // A stored empty value means the learner's own list was in force; it stays
  // so while the list names libraries. Otherwise the basic vocabulary.
  const bool ownList = ini.hasKey(kSection, QStringLiteral("Selection")) && owner_.HasOwnList();
  if (selection.isEmpty() && !ownList) selection = kDefaultSelection;
  richtung_ = static_cast<quint8>(indexOf(kRichtungNames, ini.readString(kSection, QStringLiteral("Richtung"))));
  sprache_ = static_cast<quint8>(indexOf(kSpracheNames, ini.readString(kSection, QStringLiteral("Sprache"))));
  kontext_ = ini.readBool(kSection, QStringLiteral("Kontext"), true);
  wortarten_ = ini.readInteger(kSection, QStringLiteral("Wortarten"), kAllWortarten);
  multipleChoice_ = ini.readInteger(kSection, QStringLiteral("Multiple Choice/Eintippen"), 50);
  for (int i = 0; i < 5; ++i)
    nichtZuSchwer_[i] = ini.readBool(kSection, QStringLiteral("NichtZuSchwer%1").arg(i + 1), true);
  maxScore_ = ini.readInteger(kSection, QStringLiteral("MaxScore"), 75);
  minScore_ = ini.readInteger(kSection, QStringLiteral("MinScore"), -100);
  owner_.SetSelection(selection);
  modified_ = false;
  loaded_ = true;
}

bool TVocEinstellungen::Save() {
  const TXUserBase* users = owner_.userBase();
  const bool learner = users && users->IsLoggedIn();
  if (learner) {
    const QString dir = users->CurrentUserDirectory();
    if (dir.isEmpty() || !QDir().mkpath(dir)) return false;
  }
  IniFile ini(FilePath());
  ini.writeInteger(kSection, QStringLiteral("Modus"), modus_ & 0x7F);
  ini.writeString(kSection, QStringLiteral("Selection"), selection_);
  ini.writeString(kSection, QStringLiteral("Richtung"), kRichtungNames[richtung_ <= 2 ? richtung_ : 2]);
  ini.writeString(kSection, QStringLiteral("Sprache"), kSpracheNames[sprache_ <= 2 ? sprache_ : 2]);
  ini.writeBool(kSection, QStringLiteral("Kontext"), kontext_);
  ini.writeInteger(kSection, QStringLiteral("Wortarten"), wortarten_);
  ini.writeInteger(kSection, QStringLiteral("Multiple Choice/Eintippen"), multipleChoice_);
  for (int i = 0; i < 5; ++i)
    ini.writeBool(kSection, QStringLiteral("NichtZuSchwer%1").arg(i + 1), nichtZuSchwer_[i]);
  ini.writeInteger(kSection, QStringLiteral("MaxScore"), maxScore_);
  ini.writeInteger(kSection, QStringLiteral("MinScore"), minScore_);
  // A learner's settings are the learner's own, like the user file.
  if (!ini.save(learner ? FileIO::FileAccess::Private : FileIO::FileAccess::Shared)) {
    ShowMessage(QDir::toNativeSeparators(FilePath()) + QStringLiteral(" konnte nicht gespeichert werden!"),
                MessageKind::Stop);
    return false;
  }
  modified_ = false;
  return true;
}
