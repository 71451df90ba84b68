#include "superlearning/tsuperoptions.h"

#include <QDirIterator>
#include <QFileInfo>
#include <cmath>

#include "common/filelookup.h"
#include "common/messagebox.h"
#include "common/random.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "pages/fontcatalog.h"
#include "sound/music.h"
#include "users/txuserbase.h"

namespace {

using K = TSuperOptions::Kind;

// In the order of the options; the page intervals reach 1200 s ("20 Minuten").
const std::array<TSuperOptions::Definition, TSuperOptions::kCount> kDefinitions = {{
    {QStringLiteral("Schrift"), K::Text, 0, 0, 0},
    {QStringLiteral("KlassikFaktor"), K::Integer, 20, 500, 100},
    {QStringLiteral("Faktor"), K::Integer, 50, 400, 100},
    {QStringLiteral("TextDelay"), K::Integer, 0, 100, 80},
    {QStringLiteral("Madness"), K::Integer, 1, 10, 9},
    {QStringLiteral("Musik"), K::Flag, 0, 1, 1},
    {QStringLiteral("Sprachausgabe"), K::Flag, 0, 1, 0},
    {QStringLiteral("WirbelBGRColor"), K::HexDisplay, 0, 0xFFFFFF, 0xFFFFFF},
    {QStringLiteral("WirbelTXTColor"), K::HexDisplay, 0, 0xFFFFFF, 0},
    {QStringLiteral("TechnoRand"), K::Integer, 0, 200, 100},
    {QStringLiteral("TechnoBGRColor"), K::HexRgb, 0, 0xFFFFFF, 0x000000},
    {QStringLiteral("TechnoTextColor"), K::HexRgb, 0, 0xFFFFFF, 0xFFFFFF},
    {QStringLiteral("TechnoBMPColor"), K::HexRgb, 0, 0xFFFFFF, 0x990099},
    {QStringLiteral("TechnoPhotoDir"), K::Text, 0, 0, 0},
    {QStringLiteral("TechnoScrolling"), K::Flag, 0, 1, 0},
    {QStringLiteral("TechnoFading"), K::Flag, 0, 1, 1},
    {QStringLiteral("TechnoMode"), K::Integer, 0, 8, 0},
    {QStringLiteral("TechnoFrameDelay"), K::Integer, 0, 100000, 4000},
    {QStringLiteral("TechnoTextDelay"), K::Integer, 0, 100000, 3000},
    {QStringLiteral("TechnoSpeed"), K::Integer, -25, 25, 1},
    {QStringLiteral("TechnoTransparenz"), K::Integer, 0, 100, 40},
    {QStringLiteral("TechnoSchrift"), K::Text, 0, 0, 0},
    {QStringLiteral("DDTextDelay"), K::Integer, 1000, 20000, 2000},
    {QStringLiteral("DDCharDelay"), K::Integer, 10, 210, 40},
    {QStringLiteral("DDBGRDelay"), K::Integer, 0, 1200, 60},
    {QStringLiteral("DD"), K::Text, 0, 0, 0},
    {QStringLiteral("OhneHintergrund"), K::Flag, 0, 1, 0},
    {QStringLiteral("Schwarz-Weiß"), K::Flag, 0, 1, 0},
    {QStringLiteral("AirBGRDelay"), K::Integer, 0, 1200, 60},
    {QStringLiteral("Air"), K::Text, 0, 0, 0},
    {QStringLiteral("AirCharDelay"), K::Integer, 0, 500, 100},
    {QStringLiteral("AirBDelay"), K::Integer, 0, 2000, 300},
    {QStringLiteral("AirMainPause"), K::Integer, 0, 5000, 1000},
    {QStringLiteral("S3DVSchrift"), K::Text, 0, 0, 0},
    {QStringLiteral("S3DBSchrift"), K::Text, 0, 0, 0},
    {QStringLiteral("S3DBColor"), K::RgbInteger, 0, 0xFFFFFF, 0x990033},
    {QStringLiteral("S3DTColor"), K::RgbInteger, 0, 0xFFFFFF, 0xFFFFFF},
    {QStringLiteral("VegasFaktor"), K::Integer, 20, 200, 100},
}};

// The order in which the values are written; "MP3" and "Volume" belong to the music.
const QStringList kSaveOrder = {
    QStringLiteral("MP3"), QStringLiteral("Sprachausgabe"), QStringLiteral("Musik"), QStringLiteral("Volume"),
    QStringLiteral("Schrift"), QStringLiteral("KlassikFaktor"), QStringLiteral("Faktor"), QStringLiteral("TextDelay"),
    QStringLiteral("Madness"), QStringLiteral("WirbelBGRColor"), QStringLiteral("WirbelTXTColor"),
    QStringLiteral("TechnoPhotoDir"), QStringLiteral("TechnoSchrift"), QStringLiteral("TechnoBGRColor"),
    QStringLiteral("TechnoTextColor"), QStringLiteral("TechnoBMPColor"), QStringLiteral("TechnoScrolling"),
    QStringLiteral("TechnoFading"), QStringLiteral("OhneHintergrund"), QStringLiteral("Schwarz-Weiß"),
    QStringLiteral("TechnoRand"), QStringLiteral("TechnoMode"), QStringLiteral("TechnoFrameDelay"),
    QStringLiteral("TechnoTextDelay"), QStringLiteral("TechnoSpeed"), QStringLiteral("TechnoTransparenz"),
    QStringLiteral("DDTextDelay"), QStringLiteral("DDCharDelay"), QStringLiteral("DDBGRDelay"), QStringLiteral("DD"),
    QStringLiteral("AirBGRDelay"), QStringLiteral("AirCharDelay"), QStringLiteral("AirBDelay"),
    QStringLiteral("AirMainPause"), QStringLiteral("Air"), QStringLiteral("S3DVSchrift"), QStringLiteral("S3DBSchrift"),
    QStringLiteral("S3DBColor"), QStringLiteral("S3DTColor"), QStringLiteral("VegasFaktor")};

constexpr int kVolumeMin = -24;
constexpr int kVolumeMax = 0;
constexpr int kVolumeDefault = -12;

bool isColour(K kind) { return kind == K::HexDisplay || kind == K::HexRgb; }

QString hexText(int value) { return QStringLiteral("%1").arg(value, 6, 16, QLatin1Char('0')).toUpper(); }

// "$" + text as a hexadecimal number; none for an empty or foreign text.
std::optional<int> parseHex(const QString& text) {
  bool ok = false;
  const uint value = text.trimmed().toUInt(&ok, 16);
  if (!ok || text.trimmed().isEmpty()) return std::nullopt;
  return static_cast<int>(value & 0xFFFFFF);
}

// Every ".htx" below a folder, as its path below it without the extension.
QStringList pagesBelow(const QString& dir) {
  QStringList pages;
  if (dir.isEmpty() || !FileLookup::dirExists(dir)) return pages;
  QDirIterator it(dir, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    if (!path.endsWith(QLatin1String(".htx"), Qt::CaseInsensitive)) continue;
    const QString relative = QDir(dir).relativeFilePath(path);
    pages.append(relative.left(relative.size() - 4));
  }
  pages.sort();
  return pages;
}

QString firstInstalled(const QStringList& faces, const QString& otherwise) {
  for (const QString& face : faces)
    if (FontCatalog::IsInstalled(face)) return face;
  return otherwise;
}

}  // namespace

const TSuperOptions::Definition& TSuperOptions::DefinitionOf(SuperOption option) { return kDefinitions[static_cast<size_t>(option)]; }

TSuperOptions::TSuperOptions(const Environment& environment)
    : env_(environment),
      defaultMusicDir_(TMusic::DefaultDirectory(environment.ProgramDir)),
      ddDir_(environment.PageRoot.isEmpty() ? QString() : environment.PageRoot + QStringLiteral("hzvk/SuperDD/")),
      airDir_(environment.PageRoot.isEmpty() ? QString() : environment.PageRoot + QStringLiteral("hzvk/Air/")) {
  ddPages_ = pagesBelow(ddDir_);
  airPages_ = pagesBelow(airDir_);
  music_ = std::make_unique<TMusic>(defaultMusicDir_);
  // Usable before the first Load: a presentation must never see a zero speed.
  setDefaultValues();
}

TSuperOptions::~TSuperOptions() = default;

QString TSuperOptions::defaultText(SuperOption option) const {
  switch (option) {
    case SuperOption::Schrift: return QStringLiteral("Arial");
    case SuperOption::TechnoPhotoDir: return env_.ProgramDir + QStringLiteral("Techno/");
    case SuperOption::TechnoSchrift:
      return firstInstalled({QStringLiteral("Andale Mono"), QStringLiteral("Verdana")}, QStringLiteral("courier new"));
    case SuperOption::S3DVSchrift: return firstInstalled({QStringLiteral("Impact")}, QStringLiteral("Arial"));
    case SuperOption::S3DBSchrift: return firstInstalled({QStringLiteral("Georgia")}, QStringLiteral("Arial"));
    default: return {};
  }
}

bool TSuperOptions::speechDefault() const {
  return !env_.WaveDir.isEmpty() && FileLookup::fileExists(env_.WaveDir + QStringLiteral("ZVK_S"));
}

void TSuperOptions::setDefaultValues() {
  for (int i = 0; i < kCount; ++i) {
    const auto option = static_cast<SuperOption>(i);
    values_[static_cast<size_t>(i)] = kDefinitions[static_cast<size_t>(i)].defaultValue;
    texts_[static_cast<size_t>(i)] = defaultText(option);
  }
  values_[index(SuperOption::Sprachausgabe)] = speechDefault() ? 1 : 0;
}

void TSuperOptions::SetDefaults() {
  setDefaultValues();
  // A missing default folder is no fault of the learner's: no message.
  if (FileLookup::dirExists(defaultMusicDir_)) music_->ScanDirectory(defaultMusicDir_);
  music_->SetVolume(kVolumeDefault);
  modified_ = true;
}

std::optional<int> TSuperOptions::ParseClamped(const QString& text, int minimum, int maximum) {
  bool ok = false;
  const double value = text.trimmed().toDouble(&ok);
  if (!ok) return std::nullopt;
  if (std::isnan(value)) return minimum;
  return static_cast<int>(std::clamp(value, static_cast<double>(minimum), static_cast<double>(maximum)));
}

quint32 TSuperOptions::SwapRedBlue(quint32 colour) {
  return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

QColor TSuperOptions::Colour(SuperOption option) const {
  const auto value = static_cast<quint32>(Value(option));
  const quint32 rgb = DefinitionOf(option).kind == Kind::HexDisplay ? SwapRedBlue(value) : value;
  return QColor::fromRgb(static_cast<QRgb>(rgb));
}

void TSuperOptions::SetValue(SuperOption option, int value) {
  const Definition& definition = DefinitionOf(option);
  if (definition.kind == Kind::Text) return;
  value = definition.kind == Kind::Flag ? (value != 0 ? 1 : 0) : std::clamp(value, definition.minimum, definition.maximum);
  int& stored = values_[index(option)];
  if (stored == value) return;
  stored = value;
  modified_ = true;
}

void TSuperOptions::SetColour(SuperOption option, const QColor& colour) {
  const quint32 rgb = colour.rgb() & 0xFFFFFF;
  SetValue(option, static_cast<int>(DefinitionOf(option).kind == Kind::HexDisplay ? SwapRedBlue(rgb) : rgb));
}

void TSuperOptions::SetText(SuperOption option, const QString& text) {
  if (DefinitionOf(option).kind != Kind::Text) return;
  QString& stored = texts_[index(option)];
  if (stored == text) return;
  stored = text;
  modified_ = true;
}

void TSuperOptions::Load() {
  SetDefaults();
  const SettingsStore& store = env_.store();
  const QString key = env_.UserKeyPath() + kSettingsKey;
  if (store.keyExists(key)) {
    const auto read = [&](const QString& name) { return store.readString(key, name); };
    bool wirbelFailed = false;
    bool technoFailed = false;
    std::array<int, kCount> colours{};
    for (int i = 0; i < kCount; ++i) {
      const Definition& definition = kDefinitions[static_cast<size_t>(i)];
      const std::optional<QString> text = read(definition.name);
      switch (definition.kind) {
        case Kind::Text: texts_[static_cast<size_t>(i)] = text.value_or(QString()); break;
        case Kind::HexDisplay:
        case Kind::HexRgb: {
          const std::optional<int> colour = text ? parseHex(*text) : std::nullopt;
          bool& failed = definition.kind == Kind::HexDisplay ? wirbelFailed : technoFailed;
          if (!colour) failed = true;
          else colours[static_cast<size_t>(i)] = *colour;
          break;
        }
        default:
          if (text)
            if (const auto n = ParseClamped(*text, definition.minimum, definition.maximum))
              values_[static_cast<size_t>(i)] = definition.kind == Kind::Flag ? (*n != 0 ? 1 : 0) : *n;
          break;
      }
    }
    // A colour group is taken whole or not at all.
    for (int i = 0; i < kCount; ++i) {
      const Kind kind = kDefinitions[static_cast<size_t>(i)].kind;
      if ((kind == Kind::HexDisplay && !wirbelFailed) || (kind == Kind::HexRgb && !technoFailed))
        values_[static_cast<size_t>(i)] = colours[static_cast<size_t>(i)];
    }
    if (const auto volume = read(QStringLiteral("Volume")))
      music_->SetVolume(ParseClamped(*volume, kVolumeMin, kVolumeMax).value_or(kVolumeDefault));
    if (Text(SuperOption::TechnoPhotoDir).isEmpty())
      texts_[index(SuperOption::TechnoPhotoDir)] = defaultText(SuperOption::TechnoPhotoDir);
    const QString musicDir = read(QStringLiteral("MP3")).value_or(QString());
    if (!musicDir.isEmpty() && FileLookup::dirExists(FileLookup::nativePath(musicDir))) music_->ScanDirectory(musicDir);
  }
  modified_ = false;
}

bool TSuperOptions::Save() {
  QMap<QString, QString> values;
  values.insert(QStringLiteral("MP3"), music_->Directory());
  values.insert(QStringLiteral("Volume"), QString::number(music_->Volume()));
  for (int i = 0; i < kCount; ++i) {
    const Definition& definition = kDefinitions[static_cast<size_t>(i)];
    const int v = values_[static_cast<size_t>(i)];
    values.insert(definition.name, definition.kind == Kind::Text ? texts_[static_cast<size_t>(i)]
                             : isColour(definition.kind)  ? hexText(v)
                                                    : QString::number(v));
  }
  QList<std::pair<QString, QString>> ordered;
  for (const QString& name : kSaveOrder) ordered.append({name, values.value(name)});
  if (!env_.store().writeValues(env_.UserKeyPath() + kSettingsKey, ordered)) return false;
  modified_ = false;
  return true;
}

void TSuperOptions::SaveIfModified() {
  if (modified_) Save();
}

void TSuperOptions::FollowLogins(TXUserBase& users) {
  users.AddLearnerSettings([this] { Load(); }, [this] { SaveIfModified(); });
}

void TSuperOptions::SetMusicDir(const QString& directory) {
  const QString before = music_->Directory();
  music_->ScanDirectory(directory);
  if (music_->Directory() != before) modified_ = true;
}

QString TSuperOptions::MusicDir() const { return music_->Directory(); }

int TSuperOptions::MusicFileCount() const { return music_->TrackCount(); }

void TSuperOptions::SetTechnoDir(const QString& directory) {
  SetText(SuperOption::TechnoPhotoDir, directory);
  QString dir = Text(SuperOption::TechnoPhotoDir);
  if (dir.isEmpty()) {
    ShowMessage(kNoTechnoDir, MessageKind::Stop);
    return;
  }
  if (!dir.endsWith(QLatin1Char('\\')) && !dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
  const QString native = FileLookup::nativePath(dir);
  if (!FileLookup::dirExists(native)) {
    ShowMessage(QStringLiteral("Superlearning : Das Verzeichnis \"") + dir + QStringLiteral("\" existiert nicht!"),
                MessageKind::Stop);
    SetText(SuperOption::TechnoPhotoDir, QString());
    return;
  }
  QDirIterator it(native, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString suffix = QFileInfo(it.next()).suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("bmp")) return;
  }
  ShowMessage(QStringLiteral("Superlearning : Das Verzeichnis \"") + dir +
                  QStringLiteral("\" enthält keine Bilder (JPG oder BMP)!"),
              MessageKind::Stop);
}

QString TSuperOptions::ChoosePage(bool airport) {
  const QStringList& pages = airport ? airPages_ : ddPages_;
  const QString& dir = airport ? airDir_ : ddDir_;
  const QString chosen = Text(airport ? SuperOption::Air : SuperOption::DD);
  if (!chosen.isEmpty()) {
    // The chosen name is a bare file name; the page may lie in a subfolder.
    for (const QString& page : pages)
      if (QFileInfo(page).fileName().compare(chosen, Qt::CaseInsensitive) == 0 &&
          FileLookup::fileExists(dir + page + QStringLiteral(".htx")))
        return dir + page + QStringLiteral(".htx");
  }
  if (pages.isEmpty()) return {};
  QString result;
  do {
    result = dir + pages[Random::below(static_cast<int>(pages.size()))] + QStringLiteral(".htx");
  } while (pages.size() >= 2 && result == previousPage_);
  previousPage_ = result;
  return result;
}
