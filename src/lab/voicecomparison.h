#pragma once

#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <vector>

struct WaveData;

// A recording reduced to what the eye compares: how loud it is, frame by
// frame, relative to its own loudest frame (so a quiet microphone and a
// loud model compare alike), and where the voice begins and ends.
struct LoudnessEnvelope {
  static constexpr int kFrameMs = 10;
  // Levels below this (dB under the loudest frame) draw as nothing.
  static constexpr double kFloorDb = 30.0;
  // A frame within this of the loudest one is voice; before the first and
  // after the last such frame lies the silence that is cut off.
  static constexpr double kVoiceDb = 25.0;
  // A recording whose loudest frame stays under this (of full scale) is silent.
  static constexpr double kSilentRms = 0.002;

  std::vector<float> levels;  // per frame, 0 (floor) to 1 (the loudest frame)
  int firstVoiced = -1;       // -1: nothing but silence
  int lastVoiced = -1;

  bool Silent() const { return firstVoiced < 0; }
  int VoicedFrames() const { return Silent() ? 0 : lastVoiced - firstVoiced + 1; }
  double VoicedSeconds() const { return VoicedFrames() * kFrameMs / 1000.0; }

  static LoudnessEnvelope FromWave(const WaveData& wave);
};

// The picture under the lab's sentence: the model recording above, the
// learner's own recording below, both from the first sound on and on one
// time scale with a faint line every second, so that pauses, stresses and
// the length of the two line up. Each lane names its speaker and length,
// or says why there is nothing to see.
class VoiceComparison {
 public:
  // The model of the current sentence (a ".wav" file; empty: none). A new
  // model drops the learner's recording of the last sentence.
  void SetModel(const QString& path);
  // The learner's recording, read from the file the recorder saved.
  void SetOwn(const QString& path);
  void ClearOwn() { own_.reset(); }

  QString ModelPath() const { return modelPath_; }
  bool HasModel() const { return model_.has_value(); }
  bool HasOwn() const { return own_.has_value(); }
  const std::optional<LoudnessEnvelope>& Model() const { return model_; }
  const std::optional<LoudnessEnvelope>& Own() const { return own_; }

  // Where the recorder saves the learner's voice: a file of this run's
  // own temporary directory (empty when none can be made).
  QString OwnRecordingPath();

  void Draw(QImage& picture) const;

  // The notes in the lanes.
  static inline const QString kNoModel = QStringLiteral("Zu diesem Satz gibt es keine Aufnahme.");
  static inline const QString kNotYetRecorded =
      QStringLiteral("Sprechen Sie den Satz nach: Aufnahme mit dem roten Knopf.");
  static inline const QString kSilent = QStringLiteral("Ihre Aufnahme ist still. Ist ein Mikrofon angeschlossen?");

 private:
  QString modelPath_;
  std::optional<LoudnessEnvelope> model_;
  std::optional<LoudnessEnvelope> own_;
  std::unique_ptr<QTemporaryDir> dir_;
};
