#pragma once

#include <QColor>
#include <QString>

// The conversions of the Superlearning settings dialog between its
// controls (slider positions, texts) and the stored option values.
namespace SuperSettingsConversions {

// The frame delay of the techno mode: slider 1..188 <-> milliseconds, in
// four stretches (20 ms, 100 ms, 500 ms and 5 s per step; between
// positions 141 and 145 the values lie below that of 140, as the slider
// has always had it).
int FrameDelayFromPosition(int position);
int PositionFromFrameDelay(int ms);
// "20 ms", "1 s", "2,5 s", "4:0 min".
QString FrameDelayLabel(int ms);

// Seconds as the dialog's list writes them ("2,5"), and typed seconds
// ("2.5", "2,5") to milliseconds: clamped to the option's range, 0 when
// the text is no number.
QString SecondsText(int ms);
int MsFromSecondsText(const QString& text, int minimumMs, int maximumMs);

// The background intervals: "30 Sekunden", "1 Minute", "20 Minuten".
QString IntervalText(int seconds);
int SecondsFromIntervalText(const QString& text);

// The techno look in a 160 x 100 page: the picture "vorschau.jpg" of the
// picture folder (when given) tinted and blended as the mode will, the
// black borders, and the mode's font. Colours are the platform's.
struct Preview {
  QString picture;  // the file of "vorschau.jpg", empty when there is none
  QColor background, text, tint;
  int effect = 0;        // TechnoMode
  int transparency = 0;  // percent
  int border = 0;        // pixels of the 534-pixel-high pictures
  QString font;
  int height = 100;
};
// A picture path holding a quotation mark cannot stand in the quoted
// attribute: the markup then names the page variable kPreviewPicture,
// which the caller sets to the path.
inline const QString kPreviewPicture = QStringLiteral("vorschaubild");
QString PreviewMarkup(const Preview& preview);

}  // namespace SuperSettingsConversions
