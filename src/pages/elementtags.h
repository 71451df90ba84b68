#pragma once

// The tags that put things on the page besides text. Each reads its
// attributes from the scanner and fills the page tables and the format.
#include <QString>
#include <QStringList>

struct BuildContext;
class TParser;

namespace ElementTags {
void LinkTag(TParser& p, BuildContext& ctx);       // A
void EndLinkTag(BuildContext& ctx);                // /A
void OnClickTag(TParser& p, BuildContext& ctx);    // ONCLICK
void CheckBoxTag(TParser& p, BuildContext& ctx);   // CHECKBOX
void MapTag(TParser& p, BuildContext& ctx);        // MAP
void AreaTag(TParser& p, BuildContext& ctx);       // AREA
void BoxTag(TParser& p, BuildContext& ctx);        // BOX
void EllipseTag(TParser& p, BuildContext& ctx);    // ELLIPSE
void ImageTag(TParser& p, BuildContext& ctx);      // IMG
void InputTag(TParser& p, BuildContext& ctx);      // INPUT
void EditTag(TParser& p, BuildContext& ctx);       // EDIT
void ButtonTag(TParser& p, BuildContext& ctx);     // BUTTON
void RecorderTag(TParser& p, BuildContext& ctx);   // RECORDER
void MultipleTag(TParser& p, BuildContext& ctx);   // MULTIPLE
void KlotzTag(TParser& p, BuildContext& ctx);      // KLOTZ
void SatzTag(TParser& p, BuildContext& ctx);       // SATZ

// Typing gaps beyond this number stay plain text (the numbers above belong to drop gaps).
inline constexpr int kMaxTypingGaps = 255;
// "a; b; c": the accepted answers, cut as meanings are.
QStringList SplitSolutions(const QString& text);
}  // namespace ElementTags
